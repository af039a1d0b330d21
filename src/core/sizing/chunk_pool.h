#pragma once

#include <QThreadPool>

#include <deque>
#include <functional>
#include <future>

// Chunks of work done on a pool of threads and finished in the order they were given:
// each chunk's work runs on a thread of the pool, its `done` on the thread that added
// it, once every chunk before it is done. At most two chunks a thread are under way,
// so what the chunks hold does not grow with the work. With one job there is no pool:
// each chunk is worked and done at once, on the calling thread.
class ChunkPool {
public:
    // `jobs` threads; 0 or less: one a core.
    explicit ChunkPool(int jobs = 0);
    // Waits for the chunks under way; their `done` is not run.
    ~ChunkPool();
    ChunkPool(const ChunkPool &) = delete;
    ChunkPool &operator=(const ChunkPool &) = delete;

    int jobs() const { return jobs_; }

    // Starts `work`, first finishing the oldest chunks while too many are under way.
    void add(std::function<void()> work, std::function<void()> done);
    // Finishes every chunk under way, in order.
    void finish();
    // Waits for the chunks under way and drops them: their `done` is not run.
    void drop();

private:
    struct UnderWay {
        std::future<void> worked;
        std::function<void()> done;
    };
    void finishOldest();

    int jobs_;
    QThreadPool pool_;
    std::deque<UnderWay> underWay_;
};

