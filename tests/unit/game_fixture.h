// A game driven through a recording window, with its best record in a real
// temporary folder of its own: what the controller's tests start from.
#pragma once

#include "app/game.h"
#include "recording_window.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

class GameFixture : public ::testing::Test {
protected:
    GameFixture()
        : folder(std::filesystem::temp_directory_path() / ("tessary-game-" + std::to_string(std::random_device{}()))),
          game(window, paths_in(folder), [] { return std::int64_t{1}; }) {}
    ~GameFixture() override { std::filesystem::remove_all(folder); }

    // The paths of a program in C:\Games\Tessary, with its record in a real
    // folder, and the player's own folder "own" in it (missing until a test makes it).
    static GamePaths paths_in(const std::filesystem::path& folder) {
        std::filesystem::create_directories(folder);
        GamePaths paths = make_paths("C:\\Games\\Tessary\\tessary.exe", {(folder / "own").string() + "/"});
        paths.stats_path = (folder / "stats.txt").string();
        return paths;
    }

    void store(const std::string& bytes) { std::ofstream(folder / "stats.txt", std::ios::binary) << bytes; }
    std::string stored() const {
        std::ifstream in(folder / "stats.txt", std::ios::binary);
        std::ostringstream all;
        all << in.rdbuf();
        return all.str();
    }
    Cells cells() const {
        const auto board = game.view().board_cells;
        Cells c;
        std::copy(board.begin() + 1, board.end(), c.begin());
        return c;
    }
    bool running() const { return game.view().game_running == 1; }

    std::filesystem::path folder;
    RecordingWindow window;
    Game game;
};
