// The sound synthesiser and WAVE writer; see synth.h.
#include "synth.h"

#include "le_bytes.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace synth {

namespace {

const double TAU = 6.283185307179586;


void put_tag(std::vector<uint8_t>& b, const char* tag) {
    for (int i = 0; i < 4; ++i) b.push_back(static_cast<uint8_t>(tag[i]));
}

struct Rng {
    uint64_t s;
    double next() {  // uniform in [-1, 1)
        s ^= s << 13;
        s ^= s >> 7;
        s ^= s << 17;
        return static_cast<double>(s >> 11) / static_cast<double>(1ull << 52) - 1.0;
    }
};

// An INFO sub-chunk with a zero-terminated text, padded to an even size.
std::vector<uint8_t> info_item(const char* tag, const std::string& text) {
    std::vector<uint8_t> c;
    c.reserve(text.size() + 10);
    put_tag(c, tag);
    put32(c, static_cast<uint32_t>(text.size() + 1));
    c.insert(c.end(), text.begin(), text.end());
    c.push_back(0);
    if (c.size() % 2) c.push_back(0);
    return c;
}

}  // namespace

void add_note(Buffer& b, const Note& n, const std::vector<Partial>& partials) {
    const size_t first = static_cast<size_t>(std::max(0.0, n.start * b.rate));
    const size_t count = static_cast<size_t>(n.length * b.rate);
    std::vector<double> phase(partials.size(), 0.0);
    for (size_t i = 0; i < count && first + i < b.s.size(); ++i) {
        const double t = static_cast<double>(i) / b.rate;
        double env = t < n.attack ? t / n.attack : 1.0;
        const double to_end = n.length - t;
        if (to_end < n.release) env *= std::max(0.0, to_end / n.release);
        if (n.decay > 0) env *= std::exp(-n.decay * t);
        double f = n.freq * (1 + n.glide * t / n.length);
        if (n.vibrato_depth > 0) f *= 1 + n.vibrato_depth * std::sin(TAU * n.vibrato_hz * t);
        double v = 0;
        for (size_t p = 0; p < partials.size(); ++p) {
            const double fp = f * partials[p].ratio;
            if (fp >= b.rate * 0.45) continue;
            phase[p] += TAU * fp / b.rate;
            double a = partials[p].amp;
            if (partials[p].decay > 0) a *= std::exp(-partials[p].decay * t);
            v += a * std::sin(phase[p]);
        }
        b.s[first + i] += n.amp * env * v;
    }
}

void add_noise(Buffer& b, double start, double length, double amp, double f0, double f1, double q,
               double attack, double release, uint64_t seed) {
    Rng rng{seed ? seed : 1};
    const size_t first = static_cast<size_t>(std::max(0.0, start * b.rate));
    const size_t count = static_cast<size_t>(length * b.rate);
    double low = 0, band = 0;  // state-variable filter
    for (size_t i = 0; i < count && first + i < b.s.size(); ++i) {
        const double t = static_cast<double>(i) / b.rate;
        const double f = f0 * std::pow(f1 / f0, t / length);
        const double k = 2 * std::sin(3.141592653589793 * std::min(f, b.rate * 0.2) / b.rate);
        const double x = rng.next();
        const double high = x - low - band / q;
        band += k * high;
        low += k * band;
        double env = t < attack ? t / attack : 1.0;
        if (length - t < release) env *= std::max(0.0, (length - t) / release);
        b.s[first + i] += amp * env * band;
    }
}

void normalise(Buffer& b, double peak) {
    double m = 0;
    for (double v : b.s) m = std::max(m, std::fabs(v));
    if (m <= 0) return;
    for (double& v : b.s) v *= peak / m;
}

void fade_edges(Buffer& b, double seconds) {
    const size_t n = std::min(b.s.size() / 2, static_cast<size_t>(seconds * b.rate));
    for (size_t i = 0; i < n; ++i) {
        const double g = static_cast<double>(i) / n;
        b.s[i] *= g;
        b.s[b.s.size() - 1 - i] *= g;
    }
}

std::vector<Partial> brass() {
    return {{1, 1.0}, {2, 0.7}, {3, 0.5}, {4, 0.32}, {5, 0.2}, {6, 0.12}, {7, 0.07}, {8, 0.04}};
}

std::vector<Partial> bell() {
    return {{1, 1.0, 2.2}, {2.0, 0.55, 3.5}, {2.76, 0.45, 5}, {4.07, 0.3, 7}, {5.4, 0.22, 9},
            {0.5, 0.25, 1.5}, {6.8, 0.1, 12}};
}

std::vector<Partial> marimba() {
    return {{1, 1.0, 6}, {3.93, 0.35, 25}, {9.2, 0.08, 60}};
}

std::vector<Partial> square_ish() {
    return {{1, 1.0}, {3, 0.33}, {5, 0.2}, {7, 0.14}, {9, 0.11}, {11, 0.09}, {2, 0.15}};
}

size_t samples_for(int bits, int data_bytes) {
    return static_cast<size_t>(data_bytes / (bits / 8));
}

std::vector<uint8_t> encode_wave(const Buffer& b, int bits, int data_bytes, int resource_bytes,
                                 const std::string& title) {
    if (bits != 8 && bits != 16) throw std::invalid_argument("only 8- and 16-bit PCM");
    const int pad = data_bytes % 2;
    const int extra = resource_bytes - 44 - data_bytes - pad;
    if (extra < 0 || extra % 2 || (extra > 0 && extra < 8))
        throw std::invalid_argument("the sound's byte counts cannot be laid out as chunks");

    std::vector<uint8_t> w;
    w.reserve(static_cast<size_t>(resource_bytes));
    put_tag(w, "RIFF");
    put32(w, static_cast<uint32_t>(resource_bytes - 8));
    put_tag(w, "WAVE");
    put_tag(w, "fmt ");
    put32(w, 16);
    put16(w, 1);  // PCM
    put16(w, 1);  // mono
    put32(w, static_cast<uint32_t>(b.rate));
    put32(w, static_cast<uint32_t>(b.rate * bits / 8));
    put16(w, static_cast<uint32_t>(bits / 8));
    put16(w, static_cast<uint32_t>(bits));
    put_tag(w, "data");
    put32(w, static_cast<uint32_t>(data_bytes));

    // Triangular dither from a fixed seed keeps quiet tails smooth and the bytes repeatable.
    Rng rng{0x5eed0000u + static_cast<uint64_t>(data_bytes)};
    const size_t n = samples_for(bits, data_bytes);
    for (size_t i = 0; i < n; ++i) {
        const double v = i < b.s.size() ? std::clamp(b.s[i], -1.0, 1.0) : 0.0;
        const double d = (rng.next() + rng.next()) * 0.5;
        if (bits == 8) {
            long q = std::lround(128 + v * 127 + d);
            w.push_back(static_cast<uint8_t>(std::clamp(q, 0L, 255L)));
        } else {
            long q = std::lround(v * 32767 + d);
            q = std::clamp(q, -32768L, 32767L);
            put16(w, static_cast<uint32_t>(q) & 0xFFFF);
        }
    }
    if (pad) w.push_back(bits == 8 ? 128 : 0);

    int left = extra;
    if (left > 0) {
        std::vector<uint8_t> list;
        put_tag(list, "LIST");
        put32(list, 0);
        put_tag(list, "INFO");
        for (const auto& item : {info_item("INAM", title), info_item("ISFT", "Tessary")})
            list.insert(list.end(), item.begin(), item.end());
        const int size = static_cast<int>(list.size());
        const int after = left - size;
        if (after == 0 || after >= 8) {
            const uint32_t body = static_cast<uint32_t>(size - 8);
            for (int k = 0; k < 4; ++k) list[4 + k] = static_cast<uint8_t>(body >> (8 * k));
            w.insert(w.end(), list.begin(), list.end());
            left = after;
        }
    }
    if (left > 0) {
        put_tag(w, "JUNK");
        put32(w, static_cast<uint32_t>(left - 8));
        w.insert(w.end(), static_cast<size_t>(left - 8), 0);
    }
    return w;
}

}  // namespace synth
