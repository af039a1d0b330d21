#include "core/sizing/chunk_pool.h"

#include <QThread>

#include <algorithm>
#include <memory>
#include <utility>

ChunkPool::ChunkPool(int jobs) : jobs_(jobs > 0 ? jobs : std::max(1, QThread::idealThreadCount()))
{
    pool_.setMaxThreadCount(jobs_);
}

ChunkPool::~ChunkPool()
{
    drop();
}

void ChunkPool::add(std::function<void()> work, std::function<void()> done)
{
    if (jobs_ == 1) {
        work();
        if (done)
            done();
        return;
    }
    while (qsizetype(underWay_.size()) >= 2 * jobs_)
        finishOldest();
    // The promise is shared so that the task, copied into the pool, does not copy it.
    auto promise = std::make_shared<std::promise<void>>();
    underWay_.push_back({promise->get_future(), std::move(done)});
    pool_.start([promise, work = std::move(work)] {
        try {
            work();
            promise->set_value();
        } catch (...) {
            promise->set_exception(std::current_exception());
        }
    });
}

void ChunkPool::finishOldest()
{
    UnderWay oldest = std::move(underWay_.front());
    underWay_.pop_front();
    oldest.worked.get(); // a work's exception comes out here, on the adding thread
    if (oldest.done)
        oldest.done();
}

void ChunkPool::finish()
{
    while (!underWay_.empty())
        finishOldest();
}

void ChunkPool::drop()
{
    for (UnderWay &chunk : underWay_)
        chunk.worked.wait();
    underWay_.clear();
}
