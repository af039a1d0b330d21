#pragma once

#include <functional>
#include <vector>

// The steps of a window's layout that measure text, kept until the window is first
// shown: a window made at start-up and never opened costs no text shaping. The
// steps run once, in the order they were given; a step given after that runs at once.
class LazyLayout {
public:
    void later(std::function<void()> step);
    void run();
    bool done() const { return done_; }

private:
    std::vector<std::function<void()>> steps_;
    bool done_ = false;
};
