// The ten generated wave resources against the game's sound table: every
// header field and byte count, the chunk layout, and that each one is a real,
// click-free sound.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>

#include "asset_files.h"
#include "sound/sounds.h"

using namespace asset_files;

namespace {

const std::string DIR = TESSARY_ASSETS_DIR;

std::vector<uint8_t> wave_bytes(const SoundShape& s) {
    auto entries = script_entries(DIR + "/tessary.rc", "WAVE");
    auto it = entries.find(static_cast<int>(s.id));
    if (it == entries.end()) return {};
    return read(DIR + "/" + it->second);
}

// Offset of a chunk's header, found by walking the chunks after "WAVE"; 0 if absent.
size_t find_chunk(const std::vector<uint8_t>& w, const std::string& id) {
    size_t at = 12;
    while (at + 8 <= w.size()) {
        if (tag(w, at) == id) return at;
        const uint32_t size = le32(w, at + 4);
        at += 8 + size + (size & 1);
    }
    return 0;
}

// Samples scaled to -1..1.
std::vector<double> samples(const std::vector<uint8_t>& w, const SoundShape& s) {
    std::vector<double> out;
    const size_t data = find_chunk(w, "data") + 8;
    if (s.bits == 8)
        for (int i = 0; i < s.data_bytes; ++i) out.push_back((w[data + i] - 128) / 128.0);
    else
        for (int i = 0; i + 1 < s.data_bytes; i += 2)
            out.push_back(static_cast<int16_t>(le16(w, data + i)) / 32768.0);
    return out;
}

class WaveResource : public ::testing::TestWithParam<SoundShape> {};

TEST_P(WaveResource, IsNamedInTheResourceScript) {
    auto entries = script_entries(DIR + "/tessary.rc", "WAVE");
    EXPECT_EQ(entries.count(static_cast<int>(GetParam().id)), 1u);
}

TEST_P(WaveResource, HasExactlyTheResourceSizeOfItsRow) {
    const SoundShape& s = GetParam();
    const auto w = wave_bytes(s);
    ASSERT_FALSE(w.empty());
    EXPECT_EQ(w.size(), static_cast<size_t>(s.resource_bytes));
    EXPECT_EQ(tag(w, 0), "RIFF");
    EXPECT_EQ(le32(w, 4), w.size() - 8);
    EXPECT_EQ(tag(w, 8), "WAVE");
}

TEST_P(WaveResource, FormatIsMonoPcmAtTheRowsRateAndDepth) {
    const SoundShape& s = GetParam();
    const auto w = wave_bytes(s);
    const size_t fmt = find_chunk(w, "fmt ");
    ASSERT_NE(fmt, 0u);
    EXPECT_EQ(le32(w, fmt + 4), 16u);
    EXPECT_EQ(le16(w, fmt + 8), 1u) << "PCM";
    EXPECT_EQ(le16(w, fmt + 10), 1u) << "mono";
    EXPECT_EQ(le32(w, fmt + 12), static_cast<uint32_t>(s.sample_rate));
    EXPECT_EQ(le32(w, fmt + 16), static_cast<uint32_t>(s.sample_rate * s.bits / 8)) << "byte rate";
    EXPECT_EQ(le16(w, fmt + 20), static_cast<uint32_t>(s.bits / 8)) << "block align";
    EXPECT_EQ(le16(w, fmt + 22), static_cast<uint32_t>(s.bits));
}

TEST_P(WaveResource, DataChunkHoldsExactlyTheRowsAudioBytes) {
    const SoundShape& s = GetParam();
    const auto w = wave_bytes(s);
    const size_t data = find_chunk(w, "data");
    ASSERT_NE(data, 0u);
    EXPECT_EQ(le32(w, data + 4), static_cast<uint32_t>(s.data_bytes));
    EXPECT_LT(find_chunk(w, "fmt "), data) << "the format must come before the audio";
}

TEST_P(WaveResource, ChunksTileTheFileWithPadBytesAfterOddChunks) {
    const auto w = wave_bytes(GetParam());
    size_t at = 12;
    int chunks = 0;
    while (at + 8 <= w.size()) {
        const uint32_t size = le32(w, at + 4);
        at += 8 + size + (size & 1);
        ++chunks;
    }
    EXPECT_EQ(at, w.size()) << "the last chunk must end exactly at the end of the file";
    EXPECT_GE(chunks, 2);
}

TEST_P(WaveResource, IsAudibleWithoutClippingOrClicks) {
    const SoundShape& s = GetParam();
    const auto v = samples(wave_bytes(s), s);
    ASSERT_FALSE(v.empty());
    double peak = 0;
    size_t clipped = 0;
    for (double x : v) {
        peak = std::max(peak, std::fabs(x));
        if (std::fabs(x) > 0.995) ++clipped;
    }
    EXPECT_GT(peak, 0.5) << "too quiet to be heard";
    EXPECT_EQ(clipped, 0u);
    EXPECT_LT(std::fabs(v.front()), 0.05) << "starts with a click";
    EXPECT_LT(std::fabs(v.back()), 0.05) << "ends with a click";
}

TEST_P(WaveResource, SoundsThroughoutMostOfItsLength) {
    // A sound that goes silent early was cut short by its envelope.
    const SoundShape& s = GetParam();
    const auto v = samples(wave_bytes(s), s);
    ASSERT_FALSE(v.empty());
    size_t last_loud = 0;
    for (size_t i = 0; i < v.size(); ++i)
        if (std::fabs(v[i]) > 0.02) last_loud = i;
    EXPECT_GT(last_loud, v.size() / 2);
}

INSTANTIATE_TEST_SUITE_P(SoundTable, WaveResource, ::testing::ValuesIn(SOUND_TABLE),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(WaveResources, TheScriptNamesNoOtherWaves) {
    EXPECT_EQ(script_entries(DIR + "/tessary.rc", "WAVE").size(), std::size(SOUND_TABLE));
}

}  // namespace
