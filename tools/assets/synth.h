// A small additive synthesiser for the game's sound effects: tones built from
// partials with envelopes, filtered noise, and the RIFF WAVE writer that meets
// each sound's exact resource layout.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace synth {

struct Buffer {
    Buffer(int sample_rate, size_t samples) : rate(sample_rate), s(samples, 0.0) {}
    double seconds() const { return static_cast<double>(s.size()) / rate; }
    int rate;
    std::vector<double> s;
};

// One partial of a tone: frequency ratio to the fundamental, relative amplitude,
// and its own decay rate (1/s; 0 keeps it for the whole note).
struct Partial {
    double ratio;
    double amp;
    double decay = 0;
};

struct Note {
    double start;            // seconds into the buffer
    double length;           // seconds, release included
    double freq;             // Hz of the fundamental
    double amp = 0.3;
    double attack = 0.005;   // seconds
    double release = 0.05;   // seconds, at the end of length
    double decay = 0;        // overall exponential decay, 1/s
    double vibrato_hz = 0, vibrato_depth = 0;  // depth as a frequency ratio
    double glide = 0;        // frequency change over the note, as a ratio (0.1 = up 10 %)
};

// Adds a note whose timbre is the sum of partials; partials above the
// Nyquist frequency are left out.
void add_note(Buffer& b, const Note& n, const std::vector<Partial>& partials);
// Adds white noise shaped by a band-pass filter whose centre slides from f0 to f1,
// with a rise-and-fall envelope (attack and release in seconds).
void add_noise(Buffer& b, double start, double length, double amp, double f0, double f1, double q,
               double attack, double release, uint64_t seed);
// Scales the buffer so that its largest sample is peak (0..1).
void normalise(Buffer& b, double peak);
// Gentle fade in and out over the given seconds, so no sound starts or stops with a click.
void fade_edges(Buffer& b, double seconds);

// Timbres used by several sounds.
std::vector<Partial> brass();
std::vector<Partial> bell();
std::vector<Partial> marimba();
std::vector<Partial> square_ish();

// A whole RIFF WAVE file: mono PCM at bits 8 or 16, the data chunk exactly
// data_bytes long (plus its pad byte when odd) and the file exactly
// resource_bytes long, the difference filled with a LIST/INFO and a JUNK chunk.
std::vector<uint8_t> encode_wave(const Buffer& b, int bits, int data_bytes, int resource_bytes,
                                 const std::string& title);

// Number of samples that make up data_bytes at the given bit depth.
size_t samples_for(int bits, int data_bytes);

}  // namespace synth
