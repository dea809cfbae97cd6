#pragma once
#include <QElapsedTimer>
#include <algorithm>
#include <functional>

// The shortest of `runs` runs of `work`, in milliseconds.
inline double bestOf(int runs, const std::function<void()> &work)
{
    double best = 1e99;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        work();
        best = std::min(best, t.nsecsElapsed() / 1e6);
    }
    return best;
}
