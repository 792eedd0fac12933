#pragma once

#include <functional>
#include <memory>

namespace carvel {

// A repeating timer on the window's thread; made, started and stopped there.
class IUiTimer {
public:
    virtual ~IUiTimer() = default;
    // Ticks every interval from now on, until stopped; starting a running timer restarts it.
    virtual void start() = 0;
    virtual void stop() = 0;
};

// The way back to the window's thread, for work that runs on a worker: a Qt window implements
// it with queued calls and QTimer, a Win32 window with PostMessage and SetTimer.
class IUiThread {
public:
    virtual ~IUiThread() = default;

    // Runs call on the window's thread after the events already waiting there. Callable from
    // any thread. A call that can no longer run (its window is gone) is destroyed unrun, on
    // whichever thread drops it: what it captured must not need running to be released.
    virtual void post(std::function<void()> call) = 0;
    // Whether the calling thread is the window's thread.
    virtual bool isUiThread() const = 0;
    // A timer that calls tick on the window's thread every milliseconds; it does not run until
    // started.
    virtual std::unique_ptr<IUiTimer> makeTimer(int milliseconds, std::function<void()> tick) = 0;
};

} // namespace carvel
