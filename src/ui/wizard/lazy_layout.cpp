#include "ui/wizard/lazy_layout.h"

#include <utility>

void LazyLayout::later(std::function<void()> step)
{
    if (done_)
        step();
    else
        steps_.push_back(std::move(step));
}

void LazyLayout::run()
{
    if (done_)
        return;
    done_ = true;
    // A step may queue no further steps: they run at once from here on.
    std::vector<std::function<void()>> steps = std::move(steps_);
    steps_.clear();
    for (const std::function<void()> &step : steps)
        step();
}
