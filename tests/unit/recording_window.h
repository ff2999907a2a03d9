// A GameWindow that keeps every call the game makes, in order, as short text
// ("sound WAVE_WIN", "text 2500 Solved", "beep"), and answers the dialogs as told.
#pragma once

#include "app/game_window.h"
#include "sound/sounds.h"

#include <algorithm>
#include <deque>
#include <string>
#include <vector>

class RecordingWindow : public GameWindow {
public:
    std::vector<std::string> calls;
    bool help_opens = true;
    bool png_imports = true;
    bool previews_load = true;
    // Paths that take no file: the PNG import and the snapshot fail to write them.
    std::vector<std::string> unwritable;
    // The files the open-file dialog returns, one per call; empty means cancelled.
    std::deque<std::string> chosen_pictures;
    // The board of the last search for a hint.
    Cells hint_asked{};

    static std::string sound_name(int wave_id) {
        for (const SoundShape& s : SOUND_TABLE)
            if (s.id == wave_id) return s.name;
        return "WAVE_" + std::to_string(wave_id);
    }

    // Only the calls that start with prefix, e.g. "sound" or "text 2500".
    std::vector<std::string> only(const std::string& prefix) const {
        std::vector<std::string> kept;
        for (const std::string& call : calls)
            if (call.compare(0, prefix.size(), prefix) == 0) kept.push_back(call);
        return kept;
    }

    void place_tile(int tile, Point p) override {
        calls.push_back("place " + std::to_string(tile) + " " + std::to_string(p.x) + "," + std::to_string(p.y));
    }
    void show_hint(int tile) override { calls.push_back("hint " + std::to_string(tile)); }
    void find_hint(const Cells& cells) override {
        calls.push_back("find_hint");
        hint_asked = cells;
    }
    void abandon_hint() override { calls.push_back("abandon_hint"); }
    void set_text(int id, const std::string& text) override {
        calls.push_back("text " + std::to_string(id) + " " + text);
    }
    void show_control(int id, bool visible) override {
        calls.push_back((visible ? "show " : "hide ") + std::to_string(id));
    }
    void start_clock() override { calls.push_back("start_clock"); }
    void stop_clock() override { calls.push_back("stop_clock"); }
    void play_sound(int wave_id) override { calls.push_back("sound " + sound_name(wave_id)); }
    void beep() override { calls.push_back("beep"); }
    void repaint_window() override { calls.push_back("repaint"); }
    void minimize_window() override { calls.push_back("minimize"); }
    void destroy_window() override { calls.push_back("destroy"); }
    void begin_window_drag(int x, int y) override {
        calls.push_back("drag " + std::to_string(x) + "," + std::to_string(y));
    }
    bool open_help(const std::string& path) override {
        calls.push_back("help " + path);
        return help_opens;
    }
    void show_message(const std::string& text, const std::string& caption) override {
        calls.push_back("message " + text + "|" + caption);
    }
    bool choose_picture(const std::string& folder, std::string& chosen) override {
        calls.push_back("dialog " + folder);
        if (chosen_pictures.empty()) return false;
        chosen = chosen_pictures.front();
        chosen_pictures.pop_front();
        return !chosen.empty();
    }
    PngResult import_png(const std::string& png, const std::string& bmp) override {
        calls.push_back("convert " + png + " -> " + bmp);
        if (!png_imports) return PngResult::Refused;
        return writable(bmp) ? PngResult::Written : PngResult::NotWritten;
    }
    bool load_preview(const std::string& path) override {
        calls.push_back("preview " + path);
        return previews_load;
    }
    bool save_preview_snapshot(const std::string& path) override {
        calls.push_back("snapshot " + path);
        return writable(path);
    }
    bool writable(const std::string& path) const {
        return std::find(unwritable.begin(), unwritable.end(), path) == unwritable.end();
    }
};
