#pragma once

#include "flow/IUiThread.h"

#include <deque>
#include <mutex>
#include <thread>
#include <vector>

namespace carvel {

// Test double: the test's own thread is the window's thread. Posted calls wait until the test
// runs them; timers tick when the test says so.
class ManualUiThread final : public IUiThread {
public:
    void post(std::function<void()> call) override {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_posted.push_back(std::move(call));
    }
    bool isUiThread() const override { return std::this_thread::get_id() == m_id; }
    std::unique_ptr<IUiTimer> makeTimer(int, std::function<void()> tick) override {
        auto timer = std::make_unique<Timer>(std::move(tick), m_timers);
        m_timers.push_back(timer.get());
        return timer;
    }

    // Runs the calls posted so far, and those they post; returns how many ran.
    int runPosted() {
        int ran = 0;
        for (;;) {
            std::function<void()> call;
            {
                const std::lock_guard<std::mutex> lock(m_mutex);
                if (m_posted.empty())
                    return ran;
                call = std::move(m_posted.front());
                m_posted.pop_front();
            }
            call();
            ++ran;
        }
    }
    // Ticks every running timer once.
    void tick() {
        for (Timer* timer : std::vector<Timer*>(m_timers))
            if (timer->running)
                timer->tick();
    }

private:
    struct Timer final : IUiTimer {
        Timer(std::function<void()> onTick, std::vector<Timer*>& all)
            : tick(std::move(onTick)), timers(all) {}
        ~Timer() override { std::erase(timers, this); }
        void start() override { running = true; }
        void stop() override { running = false; }
        std::function<void()> tick;
        std::vector<Timer*>& timers;
        bool running = false;
    };

    std::thread::id m_id = std::this_thread::get_id();
    std::mutex m_mutex;
    std::deque<std::function<void()>> m_posted;
    // The timers made and not yet gone; made before any of them, it goes after them.
    std::vector<Timer*> m_timers;
};

} // namespace carvel
