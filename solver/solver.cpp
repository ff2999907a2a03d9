// The search: IDA* over the pattern databases (pattern_tables.h), which never
// plays the runs of moves the move filter knows (move_filter.h). Each
// iteration deepens the bound by two; a large one is shared among threads as
// the boards a few moves deep, taken in the order one thread would meet them,
// so that every thread count finds the same way home.
#include "solver/solver.h"

#include "solver/move_filter.h"
#include "solver/pattern_tables.h"
#include "solver/search_threads.h"

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <thread>

using namespace pattern;

namespace {

// No board is farther than 80 single-tile steps from its end: the search stops there.
constexpr int MAX_LENGTH = 80;
// The longest run the move filter knows: longer ones filter a few more boards
// at the cost of a larger automaton (12: 2027 runs, 7435 states, a third
// fewer boards than undoing no move alone; 14: 4 % fewer again, four times
// the automaton and the time to find it).
constexpr int FILTERED_RUN = 12;
// An iteration after one that looked at fewer boards than this (a fraction of
// a millisecond) runs on one thread: sharing it would cost more than it saves.
constexpr std::uint64_t SHARED_FROM = 1 << 12;
// A shared iteration is cut into at least this many pieces a thread.
constexpr std::size_t PIECES_PER_THREAD = 128;
// The stop flags are read every few thousand boards: well under a millisecond apart.
constexpr std::uint64_t CHECK_EVERY = 1 << 12;
// A tile's reads begin with those that serve the most partitions: once the
// first two are in, the partitions they serve rule out many a move (a tenth
// fewer instructions and cache misses than reading all first).
constexpr int FIRST_READS = 2;

bool stop_asked(const std::atomic<bool>* stop) { return stop && stop->load(std::memory_order_relaxed); }

// How many partitions a read serves: the fields it has a 1 in.
int serves(std::uint64_t fields) {
    int count = 0;
    for (; fields; fields &= fields - 1) ++count;
    return count;
}

// A board a few moves deep from which a thread searches on: the moves to it,
// and the move filter's state there. home: the board is the end itself.
struct Piece {
    std::uint8_t path[MAX_LENGTH];
    int length;
    std::uint16_t filter_state;
    bool home;
};

struct Shared;

// One thread's search: the board and, for each board on the way to it, where
// each lookup reads, its value and each partition's sum, kept up to date move
// by move.
class Search {
public:
    Search(const Tables& tables, const MoveFilter& filter, const Cells& start, const std::atomic<bool>* stop)
        : filter_(filter), stop_(stop) {
        std::uint8_t cell_of[CELLS];
        for (int c = 0; c < CELLS; ++c) {
            board_[c] = static_cast<std::uint8_t>(start[c]);
            cell_of[start[c]] = static_cast<std::uint8_t>(c);
        }
        start_empty_ = cell_of[0];
        Frame& first = frames_[0];
        first.manhattan = 0;
        first.sums = 0;
        for (int t = 1; t < CELLS; ++t) first.manhattan += DISTANCES.of[t][cell_of[t]];
        for (int l = 0; l < PLANS.lookup_count; ++l) {
            const std::uint32_t index = Tables::start_index(l, cell_of);
            first.read_at[l] = read_at(index, Tables::entry(tables.entries(l), index));
        }
        for (int p = 0; p < PARTITION_COUNT; ++p)
            for (unsigned m = PLANS.in_partition[p]; m; m &= m - 1)
                first.sums += static_cast<std::uint64_t>(entry_at(first.read_at[__builtin_ctz(m)])) << (FIELD_BITS * p);
        for (int t = 1; t < CELLS; ++t) {
            const Plans::TileReads& plan = PLANS.reading[t];
            reads_[t].count = plan.count;
            for (int r = 0; r < plan.count; ++r) {
                const Plans::Read& read = plan.of[r];
                TileRead& mine = reads_[t].of[r];
                mine.entries = tables.entries(read.lookup);
                mine.fields = read.fields;
                for (int d = 0; d < 4; ++d) mine.step[d] = read_at(read.step[d], 0);
                mine.lookup = read.lookup;
            }
            std::stable_sort(reads_[t].of, reads_[t].of + plan.count, [](const TileRead& a, const TileRead& b) {
                return serves(a.fields) > serves(b.fields);
            });
            if (plan.count < FIRST_READS) std::abort();  // the partitions read every tile through two lookups at least
            reads_[t].first = 0;
            for (int r = 0; r < FIRST_READS; ++r) reads_[t].first |= reads_[t].of[r].fields;
        }
    }

    // The bound the first iteration searches with.
    int first_bound() const {
        int largest = 0;
        for (int p = 0; p < PARTITION_COUNT; ++p)
            largest = std::max(largest, static_cast<int>(frames_[0].sums >> (FIELD_BITS * p) & 31));
        return frames_[0].manhattan + 2 * largest;
    }
    bool at_home() const { return frames_[0].manhattan == 0; }
    bool stopped() const { return stopped_; }
    std::uint64_t nodes() const { return nodes_; }
    const std::uint8_t* way() const { return path_; }

    // One iteration from the start: true once a way home within the bound is
    // found (its moves in way()), or when stopped.
    bool iterate(int bound) {
        bound_ = bound;
        return step<false>(0, start_empty_, MoveFilter::START);
    }

    // The pieces of an iteration: the boards `depth` moves deep within the
    // bound, in the order the search meets them, up to the end itself if it
    // is met first.
    void cut(int bound, int depth, std::vector<Piece>& pieces) {
        bound_ = bound;
        cut_depth_ = depth;
        pieces_ = &pieces;
        pieces.clear();
        if (step<true>(0, start_empty_, MoveFilter::START) && !stopped_) add_piece(bound_, MoveFilter::START, true);
        cut_depth_ = -1;
    }

    // Searches pieces of a shared iteration until none is left; the calling
    // thread then searches again the pieces before the answer that helpers
    // took and have not finished, so that it never waits for them. The search
    // must stand at the start.
    void work(Shared& shared, bool calling);

private:
    // What the search keeps of each board on the way: for each lookup, where
    // it reads and what it read (read_at), and each partition's sum of table
    // entries as a field of sums (below 16, so fields never carry into each
    // other once a move is done).
    struct Frame {
        std::uint32_t read_at[Plans::MAX_LOOKUPS];
        std::uint64_t sums;
        int manhattan;
    };
    // read_at: the entry in its top two bits, below them the place of the
    // entry's first bit in its table (a number of six tiles is 24 bits).
    static constexpr std::uint32_t PLACE = (std::uint32_t{1} << 30) - 1;
    static std::uint32_t read_at(std::uint32_t index, int entry) {
        return index << 1 | static_cast<std::uint32_t>(entry) << 30;
    }
    static int entry_at(std::uint32_t read_at) { return static_cast<int>(read_at >> 30); }
    static int fresh_entry(const std::uint32_t* entries, std::uint32_t read_at) {
        return static_cast<int>(entries[(read_at & PLACE) >> 5] >> (read_at & 31) & 3);
    }
    static std::uint32_t with_entry(std::uint32_t read_at, int old, int fresh) {
        return read_at + (static_cast<std::uint32_t>(fresh - old) << 30);
    }
    // A tile's read, as the search takes it.
    struct TileRead {
        const std::uint32_t* entries;
        std::uint64_t fields;
        std::uint32_t step[4];  // the change of read_at by direction
        int lookup;
    };
    struct TileReads {
        int count;
        std::uint64_t first;  // the fields of the first reads
        TileRead of[PARTITION_COUNT];
    };

    void add_piece(int length, std::uint16_t state, bool home) {
        Piece piece;
        std::copy(path_, path_ + length, piece.path);
        piece.length = length;
        piece.filter_state = state;
        piece.home = home;
        pieces_->push_back(piece);
    }

    // Plays a piece's moves from the start, frame by frame.
    void play_to(const Piece& piece) {
        int empty = start_empty_;
        for (int moves = 0; moves < piece.length; ++moves) {
            const int tile = piece.path[moves];
            int k = 0;
            while (board_[NEIGHBOURS.cell[empty][k]] != tile) ++k;
            const int from = NEIGHBOURS.cell[empty][k], direction = NEIGHBOURS.direction[empty][k];
            Frame& after = frames_[moves + 1];
            after = frames_[moves];
            after.manhattan += DISTANCES.of[tile][empty] - DISTANCES.of[tile][from];
            const TileReads& reads = reads_[tile];
            for (int r = 0; r < reads.count; ++r) {
                const TileRead& read = reads.of[r];
                std::uint32_t& at = after.read_at[read.lookup];
                at += read.step[direction];
                const int old = entry_at(at), fresh = fresh_entry(read.entries, at);
                at = with_entry(at, old, fresh);
                after.sums += static_cast<std::uint64_t>(fresh - old) * read.fields;
            }
            path_[moves] = static_cast<std::uint8_t>(tile);
            board_[empty] = static_cast<std::uint8_t>(tile);
            board_[from] = 0;
            empty = from;
        }
        empty_after_ = empty;
    }

    void undo_to_start(const Piece& piece) {
        for (int moves = piece.length - 1; moves >= 0; --moves) {
            const int tile = piece.path[moves];
            int at = 0;
            while (board_[at] != tile) ++at;
            board_[empty_after_] = static_cast<std::uint8_t>(tile);
            board_[at] = 0;
            empty_after_ = at;
        }
    }

    // Tries every move from the empty cell the filter lets through, those
    // that bring their tile closer to home first; true once home is reached
    // (or the search is to end). CUTTING: stops at the cut depth and keeps
    // the boards there as pieces.
    template <bool CUTTING>
    bool step(int moves, int empty, std::uint16_t state) {
        if (CUTTING && moves == cut_depth_) {
            add_piece(moves, state, false);
            return false;
        }
        const Frame& here = frames_[moves];
        struct Move {
            int from, tile, direction, manhattan;
            std::uint16_t state;
        } next[4];  // four only from the start
        // Closer first: the last iteration then meets home sooner.
        int count = 0, closer = 0;
        for (int k = 0; k < NEIGHBOURS.count[empty]; ++k) {
            const int direction = NEIGHBOURS.direction[empty][k];
            const std::uint16_t after = filter_.next(state, direction);
            if (after == MoveFilter::SKIP) continue;
            const int from = NEIGHBOURS.cell[empty][k];
            const int tile = board_[from];
            const int nearer = DISTANCES.of[tile][from] - DISTANCES.of[tile][empty];
            int slot = count++;
            if (nearer > 0) {
                if (slot != closer) next[slot] = next[closer];
                slot = closer++;
            }
            next[slot] = {from, tile, direction, here.manhattan - nearer, after};
        }
        nodes_ += static_cast<std::uint64_t>(count);
        since_check_ += static_cast<std::uint64_t>(count);
        if (since_check_ >= CHECK_EVERY && time_to_stop()) return true;
        Frame& after = frames_[moves + 1];
        for (int k = 0; k < count; ++k) {
            const Move& move = next[k];
            const int from = move.from, tile = move.tile, manhattan = move.manhattan;
            // The bound allows each partition's sum up to allowed / 2.
            const int allowed = bound_ - moves - 1 - manhattan;
            if (allowed < 0) continue;
            // Each partition's sum changes by the change of the one lookup in it that reads the tile.
            const TileReads& reads = reads_[tile];
            std::uint32_t now_at[PARTITION_COUNT];
            std::uint64_t sums = here.sums;
            // A field above allowed / 2 reaches 16 once 15 - allowed / 2 is added.
            const std::uint64_t below_16 = static_cast<std::uint64_t>(15 - std::min(allowed / 2, 15));
            auto take = [&](int r) {
                const TileRead& read = reads.of[r];
                const std::uint32_t at = here.read_at[read.lookup] + read.step[move.direction];
                const int old = entry_at(at), fresh = fresh_entry(read.entries, at);
                now_at[r] = with_entry(at, old, fresh);
                sums += static_cast<std::uint64_t>(fresh - old) * read.fields;
            };
            int r = 0;
            for (; r < FIRST_READS; ++r) take(r);
            if ((sums + below_16 * reads.first) & (reads.first << 4)) continue;
            for (; r < reads.count; ++r) take(r);
            if ((sums + below_16 * PLANS.fields) & (PLANS.fields << 4)) continue;
            path_[moves] = static_cast<std::uint8_t>(tile);
            if (manhattan == 0) return true;

            after = here;
            for (int r = 0; r < reads.count; ++r) after.read_at[reads.of[r].lookup] = now_at[r];
            after.sums = sums;
            after.manhattan = manhattan;
            board_[empty] = static_cast<std::uint8_t>(tile);
            board_[from] = 0;
            const bool home = step<CUTTING>(moves + 1, from, move.state);
            board_[from] = static_cast<std::uint8_t>(tile);
            board_[empty] = 0;
            if (home) return true;
        }
        return false;
    }

    // True when the stop flag is set, or, in a shared iteration, an earlier
    // piece has its answer or another thread has finished this one.
    bool time_to_stop();
    void search_piece(std::size_t number);

    const MoveFilter& filter_;
    const std::atomic<bool>* stop_;
    TileReads reads_[CELLS];
    std::uint8_t board_[CELLS];
    int start_empty_ = 0;
    int empty_after_ = 0;
    Frame frames_[MAX_LENGTH + 1];
    int bound_ = 0;
    std::uint64_t nodes_ = 0;
    std::uint64_t since_check_ = 0;
    bool stopped_ = false;
    std::uint8_t path_[MAX_LENGTH] = {};
    // Cutting an iteration into pieces.
    int cut_depth_ = -1;
    std::vector<Piece>* pieces_ = nullptr;
    // Working on a shared iteration.
    Shared* shared_ = nullptr;
    std::size_t piece_ = 0;
};

// What the threads of one shared iteration share, kept until the last of them
// lets go: a helper may still be in it after the calling thread is done. The
// answer is the way home in the earliest piece that has one: a thread drops a
// piece once an earlier one has an answer, and never drops an earlier one.
struct Shared {
    std::vector<Piece> pieces;
    std::unique_ptr<std::atomic<bool>[]> finished;  // by piece
    std::vector<Search> searches;                   // by thread
    int bound;
    const std::atomic<bool>* stop;
    std::atomic<std::size_t> next{0};
    std::atomic<std::size_t> answered;
    std::mutex mutex;
    std::vector<std::uint8_t> way;
    std::atomic<std::uint64_t> nodes{0};
    Shared(std::vector<Piece>& cut, const Search& start, int threads, int b, const std::atomic<bool>* s)
        : finished(new std::atomic<bool>[cut.size()]()),
          searches(static_cast<std::size_t>(threads), start),
          bound(b),
          stop(s),
          answered(cut.size()) {
        pieces.swap(cut);
    }
};

void Search::work(Shared& shared, bool calling) {
    bound_ = shared.bound;
    shared_ = &shared;
    nodes_ = 0;
    const std::size_t count = shared.pieces.size();
    for (std::size_t number; (number = shared.next.fetch_add(1)) < std::min(count, shared.answered.load());)
        search_piece(number);
    for (std::size_t number = 0; calling && number < std::min(count, shared.answered.load()); ++number)
        if (!shared.finished[number].load()) search_piece(number);
    shared.nodes.fetch_add(nodes_);
}

void Search::search_piece(std::size_t number) {
    Shared& shared = *shared_;
    if (stop_asked(shared.stop) || shared.finished[number].load()) return;
    piece_ = number;
    stopped_ = false;
    const Piece& piece = shared.pieces[number];
    bool home = piece.home;
    if (!home) {
        play_to(piece);
        home = step<false>(piece.length, empty_after_, piece.filter_state);
        undo_to_start(piece);
    } else {
        std::copy(piece.path, piece.path + piece.length, path_);
    }
    if (home && !stopped_) {
        std::lock_guard<std::mutex> lock(shared.mutex);
        if (number < shared.answered.load()) {
            shared.way.assign(path_, path_ + bound_);
            shared.answered.store(number);
        }
    }
    if (!stopped_) shared.finished[number].store(true);
}

inline bool Search::time_to_stop() {
    since_check_ = 0;
    stopped_ = stop_asked(stop_) ||
               (shared_ && (shared_->answered.load(std::memory_order_relaxed) < piece_ ||
                            shared_->finished[piece_].load(std::memory_order_relaxed)));
    return stopped_;
}

int thread_count(int asked) {
    if (asked > 0) return std::min(asked, 64);
    const unsigned cores = std::thread::hardware_concurrency();
    return cores == 0 ? 1 : static_cast<int>(std::min(cores, 64u));
}

// One iteration of the pieces on this thread and threads - 1 helpers; true
// once answered (the way in way).
bool shared_iteration(const Search& start, int bound, int threads, SearchThreads& helpers,
                      const std::atomic<bool>* stop, std::vector<Piece>& pieces, std::vector<std::uint8_t>& way,
                      std::uint64_t& nodes) {
    const auto shared = std::make_shared<Shared>(pieces, start, threads, bound, stop);
    helpers.run(threads - 1, std::make_shared<const SearchThreads::Work>([shared](int t) {
        shared->searches[static_cast<std::size_t>(t)].work(*shared, t == 0);
    }));
    nodes += shared->nodes.load();
    std::lock_guard<std::mutex> lock(shared->mutex);
    if (shared->answered.load() == shared->pieces.size()) return false;
    way = shared->way;
    return true;
}

}  // namespace

struct Solver::Databases {
    Tables tables;
    MoveFilter filter;
    explicit Databases(const std::atomic<bool>* stop) : tables(stop), filter(FILTERED_RUN, stop) {}
};

bool is_whole_board(const Cells& cells) {
    unsigned seen = 0;
    for (int v : cells) {
        if (v < 0 || v >= CELLS || (seen >> v & 1)) return false;
        seen |= 1u << v;
    }
    return true;
}

EndKind reachable_end(const Cells& cells) {
    // A move swaps the empty cell with a neighbour: it flips the parity of the
    // arrangement (the empty cell counted as 16) and of the empty cell's distance home.
    int inversions = 0, empty = 0;
    for (int i = 0; i < CELLS; ++i) {
        if (cells[i] == 0) empty = i;
        for (int j = i + 1; j < CELLS; ++j)
            inversions += (cells[i] == 0 ? CELLS : cells[i]) > (cells[j] == 0 ? CELLS : cells[j]);
    }
    const int empty_distance = (3 - row(empty)) + (3 - column(empty));
    return (inversions + empty_distance) % 2 == 0 ? END_ORDERED : END_EXCHANGED;
}

Cells cells_of(const Board& board) {
    Cells cells;
    std::copy(board.board_cells.begin() + 1, board.board_cells.end(), cells.begin());
    return cells;
}

Solver::Solver(const std::atomic<bool>* stop) : databases_(new Databases(stop)) {
    if (!databases_->tables.whole() || !databases_->filter.whole()) databases_.reset();
    else helpers_.reset(new SearchThreads(thread_count(0) - 1));
}

bool Solver::ready() const { return databases_ != nullptr; }

const Solver& shared_solver() {
    static const Solver solver;
    return solver;
}

Solver::~Solver() = default;

Solution Solver::solve(const Cells& cells, const std::atomic<bool>* stop, int threads) const {
    // The exchanged end is the ordered one with 14 and 15 renamed: solve the
    // renamed board and rename the tiles of the answer back.
    const EndKind end = reachable_end(cells);
    auto rename = [end](int tile) { return end == END_EXCHANGED && tile >= 14 ? 29 - tile : tile; };
    Cells start;
    for (int c = 0; c < CELLS; ++c) start[c] = rename(cells[c]);
    Search search(databases_->tables, databases_->filter, start, stop);
    // The helpers serve one search at a time; another at the same time searches alone.
    std::unique_lock<std::mutex> helping(helpers_->in_use(), std::try_to_lock);
    threads = helping ? thread_count(threads) : 1;

    Solution solution;
    solution.end = end;
    std::vector<std::uint8_t> way;
    std::vector<Piece> pieces;
    std::uint64_t last = 0;  // boards the last iteration looked at
    int depth = 2;           // of the last cut: the next is as deep or a little deeper
    for (int bound = search.first_bound(); !search.at_home() && bound <= MAX_LENGTH; bound += 2) {
        const std::uint64_t before = solution.nodes + search.nodes();
        bool answered = false;
        if (threads > 1 && last >= SHARED_FROM) {
            // Deep enough for every thread to get many pieces.
            for (search.cut(bound, depth, pieces);
                 depth + 1 < bound && pieces.size() < PIECES_PER_THREAD * threads && !search.stopped();)
                search.cut(bound, ++depth, pieces);
            if (stop_asked(stop)) break;
            answered = shared_iteration(search, bound, threads, *helpers_, stop, pieces, way, solution.nodes);
        } else if (search.iterate(bound) && !search.stopped()) {
            answered = true;
            way.assign(search.way(), search.way() + bound);
        }
        if (answered || stop_asked(stop)) break;
        last = solution.nodes + search.nodes() - before;
    }
    solution.nodes += search.nodes();
    if (stop_asked(stop)) {
        solution.stopped = true;
        return solution;
    }
    for (const std::uint8_t tile : way) solution.tiles.push_back(rename(tile));
    return solution;
}
