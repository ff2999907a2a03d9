// How fast the picture path is, each figure against a reference measured in
// the same run: encode_bmp against memcpy of as many bytes, the whole PNG
// import against LodePNG's decode alone.
#include "graphics/bmp.h"
#include "graphics/png_import.h"
#include "photo.h"

#include <benchmark/benchmark.h>
#include <lodepng.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr unsigned W = bench::PHOTO_WIDTH, H = bench::PHOTO_HEIGHT;

const std::vector<std::uint8_t>& photo() {
    static const std::vector<std::uint8_t> rgb = bench::make_photo();
    return rgb;
}

const std::vector<std::uint8_t>& photo_png() {
    static const std::vector<std::uint8_t> png = bench::encode_photo_png(photo());
    return png;
}

void BM_Memcpy(benchmark::State& state) {
    const auto& src = photo();
    std::vector<std::uint8_t> dst(BMP_HEADER_SIZE + std::size_t(bmp_stride(W)) * H);
    for (auto _ : state) {
        std::memcpy(dst.data(), src.data(), src.size());
        benchmark::DoNotOptimize(dst.data());
        benchmark::ClobberMemory();
    }
}

// encode_bmp must hand back a new 36 MB file, and a fresh block of that size
// costs the kernel a page fault and a zero-filled page per 4 KiB: the same
// copy into a new block is the like-for-like reference.
void BM_MemcpyFreshBlock(benchmark::State& state) {
    const auto& src = photo();
    const std::size_t size = BMP_HEADER_SIZE + std::size_t(bmp_stride(W)) * H;
    for (auto _ : state) {
        std::unique_ptr<std::uint8_t[]> dst(new std::uint8_t[size]);
        std::memcpy(dst.get(), src.data(), src.size());
        benchmark::DoNotOptimize(dst.get());
        benchmark::ClobberMemory();
    }
}

void BM_EncodeBmp(benchmark::State& state) {
    const auto& src = photo();
    for (auto _ : state) {
        auto bmp = encode_bmp(src, W, H);
        benchmark::DoNotOptimize(bmp.data());
    }
}

void BM_LodepngDecode(benchmark::State& state) {
    const auto& png = photo_png();
    for (auto _ : state) {
        std::vector<unsigned char> rgb;
        unsigned w = 0, h = 0;
        if (lodepng::decode(rgb, w, h, png, LCT_RGB, 8) != 0) state.SkipWithError("decode failed");
        benchmark::DoNotOptimize(rgb.data());
    }
}

void BM_PngImportFromFile(benchmark::State& state) {
    const std::string png_path = "tessary_bench_photo.png", bmp_path = "tessary_bench_photo.bmp";
    lodepng::save_file(photo_png(), png_path);
    for (auto _ : state)
        if (convert_png_to_bmp(png_path, bmp_path) != PngResult::Written) state.SkipWithError("import failed");
    std::remove(png_path.c_str());
    std::remove(bmp_path.c_str());
}

BENCHMARK(BM_Memcpy)->Unit(benchmark::kMillisecond)->MinTime(0.5);
BENCHMARK(BM_MemcpyFreshBlock)->Unit(benchmark::kMillisecond)->MinTime(0.5);
BENCHMARK(BM_EncodeBmp)->Unit(benchmark::kMillisecond)->MinTime(0.5);
BENCHMARK(BM_LodepngDecode)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_PngImportFromFile)->Unit(benchmark::kMillisecond)->MinTime(1.0);

// Keeps every run's time and prints the ratio table after Google Benchmark's own.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    // Plain text: the table is read back by tools/bench.sh.
    RatioReporter() : ConsoleReporter(OO_Tabular) {}
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& r : runs)
            if (!r.error_occurred) ms_[r.run_name.function_name] = r.GetAdjustedRealTime();
    }
    void Finalize() override {
        ConsoleReporter::Finalize();
        // Rows for tools/bench.sh, which gathers them with the Wine driver's into one table.
        row("encode_bmp / memcpy of as many bytes", "BM_EncodeBmp", "BM_Memcpy", 4.0);
        row("encode_bmp / memcpy into a new block", "BM_EncodeBmp", "BM_MemcpyFreshBlock", 4.0);
        row("PNG import file to file / LodePNG decode", "BM_PngImportFromFile", "BM_LodepngDecode", 1.5);
    }

private:
    void row(const char* label, const char* what, const char* ref, double target) {
        if (!ms_.count(what) || !ms_.count(ref)) return;
        const double ratio = ms_[what] / ms_[ref];
        std::printf("TABLE host  %-44s %9.1f %9.1f %7.2f %6.1fx  %s\n", label, ms_[what], ms_[ref], ratio,
                    target, ratio <= target ? "met" : "MISSED");
    }
    std::map<std::string, double> ms_;
};

}  // namespace

int main(int argc, char** argv) {
    // tools/bench.sh makes the Wine driver's picture here, natively, where it is quick.
    if (argc == 3 && std::string(argv[1]) == "--write-photo")
        return lodepng::save_file(photo_png(), argv[2]) == 0 ? 0 : 1;
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
}
