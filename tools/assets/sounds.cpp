// Composition of the ten sound effects; the synthesis itself is in synth.cpp.
#include "sounds.h"

#include <cmath>

#include "synth.h"

namespace sounds {

namespace {

using synth::Buffer;
using synth::Note;

double midi(int n) { return 440.0 * std::pow(2.0, (n - 69) / 12.0); }

// A crisp click: a bright, very short ping over a tick of noise.
void button_click(Buffer& b) {
    synth::add_noise(b, 0, 0.012, 0.9, 4500, 2500, 1.5, 0.0003, 0.010, 11);
    synth::add_note(b, Note{0, b.seconds(), 2900, 0.5, 0.0004, 0.004, 160}, {{1, 1}, {1.53, 0.4, 80}});
    synth::add_note(b, Note{0, b.seconds(), 1250, 0.35, 0.0004, 0.004, 110}, {{1, 1}});
}

// A soft whoosh: breathy noise sweeping down as the window drops away.
void minimise(Buffer& b) {
    synth::add_noise(b, 0, b.seconds(), 1.0, 2600, 300, 1.2, 0.09, 0.16, 23);
    synth::add_noise(b, 0.02, b.seconds() - 0.02, 0.35, 900, 140, 2.5, 0.08, 0.15, 29);
}

// A wooden tap: a few inharmonic modes that die away fast.
void tile_move(Buffer& b) {
    synth::add_noise(b, 0, 0.006, 0.5, 3000, 2000, 1.0, 0.0003, 0.005, 37);
    synth::add_note(b, Note{0, b.seconds(), 720, 0.6, 0.0008, 0.01, 48},
                    {{1, 1}, {2.57, 0.45, 30}, {4.21, 0.25, 60}, {6.3, 0.08, 90}});
    synth::add_note(b, Note{0, 0.04, 180, 0.25, 0.001, 0.02, 40}, {{1, 1}});
}

// A sour buzz: two rasping, slightly mistuned tones that sag in pitch.
void unsolvable(Buffer& b) {
    const double len = b.seconds();
    const auto buzz = std::vector<synth::Partial>{{1, 1}, {2, 0.7}, {3, 0.55}, {4, 0.45}, {5, 0.4},
                                                  {6, 0.33}, {7, 0.3}, {8, 0.25}, {9, 0.2}, {10, 0.17}};
    Note a{0, 0.34, 155, 0.25, 0.01, 0.05, 0, 9, 0.012, -0.04};
    Note c{0, 0.34, 164, 0.2, 0.01, 0.05, 0, 9, 0.012, -0.04};
    synth::add_note(b, a, buzz);
    synth::add_note(b, c, buzz);
    a.start = c.start = 0.4;
    a.length = c.length = len - 0.4;
    a.freq = 110;
    c.freq = 116.5;
    a.glide = c.glide = -0.12;
    a.release = c.release = 0.15;
    synth::add_note(b, a, buzz);
    synth::add_note(b, c, buzz);
}

// A short fanfare: a bright rising arpeggio ending on a held chord.
void win(Buffer& b) {
    const int notes[] = {72, 76, 79};
    for (int i = 0; i < 3; ++i)
        synth::add_note(b, Note{i * 0.09, 0.16, midi(notes[i]), 0.22, 0.012, 0.05, 2}, synth::brass());
    for (int n : {72, 76, 79, 84})
        synth::add_note(b, Note{0.27, b.seconds() - 0.27, midi(n), 0.16, 0.015, 0.2, 1.5, 5.5, 0.004},
                        synth::brass());
}

// A longer jingle for a new game: a marimba tune over a walking bass.
void new_game(Buffer& b) {
    struct Step { double at; int note; double len; };
    const Step tune[] = {
        {0.00, 67, 0.2}, {0.20, 72, 0.2}, {0.40, 76, 0.2}, {0.60, 79, 0.4}, {1.00, 76, 0.2},
        {1.20, 79, 0.4}, {1.60, 81, 0.2}, {1.80, 79, 0.2}, {2.00, 77, 0.2}, {2.20, 74, 0.2},
        {2.40, 71, 0.2}, {2.60, 74, 0.2}, {2.80, 72, 0.8}};
    for (const Step& s : tune) {
        synth::add_note(b, Note{s.at, s.len + 0.3, midi(s.note), 0.3, 0.003, 0.1, 1.2}, synth::marimba());
        synth::add_note(b, Note{s.at, s.len + 0.2, midi(s.note + 12), 0.05, 0.003, 0.1, 6}, synth::bell());
    }
    const Step bass[] = {{0.0, 48, 0.4}, {0.4, 52, 0.4}, {0.8, 55, 0.4}, {1.2, 52, 0.4},
                         {1.6, 53, 0.4}, {2.0, 50, 0.4}, {2.4, 55, 0.4}, {2.8, 48, 0.8}};
    for (const Step& s : bass)
        synth::add_note(b, Note{s.at, s.len, midi(s.note), 0.22, 0.01, 0.08, 2}, {{1, 1}, {2, 0.3}, {3, 0.1}});
    for (int n : {60, 64, 67})
        synth::add_note(b, Note{2.8, 0.8, midi(n), 0.08, 0.05, 0.3, 1}, synth::brass());
}

// Bells: two small bells struck a moment apart.
void bells_move(Buffer& b) {
    synth::add_note(b, Note{0, b.seconds(), 1568, 0.3, 0.001, 0.08, 4}, synth::bell());
    synth::add_note(b, Note{0.07, b.seconds() - 0.07, 2093, 0.22, 0.001, 0.08, 5}, synth::bell());
    synth::add_noise(b, 0, 0.15, 0.08, 7000, 5000, 3, 0.001, 0.12, 41);
}

// "Ho ho ho": three jolly vowel sounds in a deep voice, then a merry tune with sleigh bells.
void santa_win(Buffer& b) {
    // A vowel "o": a buzzy voice of many harmonics shaped by formants near 450 and 800 Hz.
    auto ho = [&](double at, double f0) {
        std::vector<synth::Partial> voice;
        for (int h = 1; h * f0 < 3500; ++h) {
            const double f = h * f0;
            const double formant = std::exp(-std::pow((f - 450) / 130, 2)) +
                                   0.6 * std::exp(-std::pow((f - 800) / 160, 2)) +
                                   0.15 * std::exp(-std::pow((f - 2500) / 300, 2));
            voice.push_back({double(h), (0.2 / h + formant)});
        }
        synth::add_noise(b, at, 0.07, 0.5, 1200, 900, 1.0, 0.01, 0.05, 53 + int(at * 10));  // the "h"
        synth::add_note(b, Note{at + 0.04, 0.34, f0, 0.4, 0.04, 0.12, 0.5, 5, 0.01, -0.08}, voice);
    };
    ho(0.0, 130);
    ho(0.45, 123);
    ho(0.9, 110);

    struct Step { double at; int note; double len; };
    const Step tune[] = {
        {1.5, 76, 0.18}, {1.7, 76, 0.18}, {1.9, 76, 0.34}, {2.3, 79, 0.18}, {2.5, 77, 0.18},
        {2.7, 74, 0.18}, {2.9, 72, 0.34}, {3.3, 74, 0.18}, {3.5, 76, 0.18}, {3.7, 79, 0.6}};
    for (const Step& s : tune)
        synth::add_note(b, Note{s.at, s.len + 0.1, midi(s.note), 0.22, 0.004, 0.08, 2.5}, synth::marimba());
    for (int n : {60, 64, 67})
        synth::add_note(b, Note{3.7, 0.7, midi(n), 0.06, 0.03, 0.3, 1}, synth::brass());
    for (int i = 0; i < 10; ++i)  // sleigh bells on the beat
        synth::add_noise(b, 1.5 + i * 0.25, 0.12, 0.35, 3200, 2900, 6, 0.002, 0.1, 61 + i);
}

// A clown's horn: two nasal honks, the second one higher.
void clown(Buffer& b) {
    std::vector<synth::Partial> honk;
    for (int h = 1; h <= 20; ++h) {
        const double f = h * 330.0;
        const double nasal = std::exp(-std::pow((f - 1100) / 500, 2)) + 0.4 * std::exp(-std::pow((f - 2600) / 500, 2));
        honk.push_back({double(h), (h % 2 ? 1.0 : 0.5) / h + nasal});
    }
    synth::add_note(b, Note{0, 0.24, 330, 0.2, 0.015, 0.05, 0, 30, 0.01, -0.03}, honk);
    synth::add_note(b, Note{0.29, 0.32, 392, 0.2, 0.015, 0.08, 0, 30, 0.012, -0.05}, honk);
}

// A rising fanfare for a new record: the brass climbs a scale to a bright held chord.
void new_record(Buffer& b) {
    const int climb[] = {60, 64, 67, 72, 76, 79};
    for (int i = 0; i < 6; ++i)
        synth::add_note(b, Note{i * 0.13, 0.2, midi(climb[i]), 0.18, 0.01, 0.05, 1}, synth::brass());
    synth::add_note(b, Note{0.8, 0.22, midi(79), 0.18, 0.01, 0.05, 1}, synth::brass());
    synth::add_note(b, Note{1.05, 0.22, midi(81), 0.18, 0.01, 0.05, 1}, synth::brass());
    for (int n : {72, 76, 79, 84})
        synth::add_note(b, Note{1.3, b.seconds() - 1.3, midi(n), 0.13, 0.02, 0.5, 0.5, 6, 0.005},
                        synth::brass());
    for (int i = 0; i < 4; ++i)  // timpani-like rolls under the climb
        synth::add_note(b, Note{i * 0.26, 0.3, 98, 0.2, 0.002, 0.1, 8}, {{1, 1}, {1.5, 0.4}, {2, 0.2}});
    synth::add_noise(b, 1.3, 0.5, 0.15, 6000, 4000, 1.5, 0.002, 0.45, 71);  // cymbal
}

}  // namespace

std::vector<uint8_t> make_wave(const SoundShape& shape) {
    Buffer b(shape.sample_rate, synth::samples_for(shape.bits, shape.data_bytes));
    switch (shape.id) {
        case WAVE_BUTTON_CLICK: button_click(b); break;
        case WAVE_MINIMIZE: minimise(b); break;
        case WAVE_TILE_MOVE: tile_move(b); break;
        case WAVE_UNSOLVABLE: unsolvable(b); break;
        case WAVE_WIN: win(b); break;
        case WAVE_NEW_GAME: new_game(b); break;
        case WAVE_BELLS_MOVE: bells_move(b); break;
        case WAVE_SANTA_WIN: santa_win(b); break;
        case WAVE_CLOWN: clown(b); break;
        case WAVE_NEW_RECORD: new_record(b); break;
    }
    synth::normalise(b, shape.bits == 8 ? 0.85 : 0.8);
    synth::fade_edges(b, 0.002);
    return synth::encode_wave(b, shape.bits, shape.data_bytes, shape.resource_bytes, shape.name);
}

}  // namespace sounds
