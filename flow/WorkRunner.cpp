#include "flow/WorkRunner.h"

#include <system_error>

namespace carvel {

namespace {

// Progress shows five times a second: often enough to look live, rare enough to cost the copy
// nothing, as the worker only stores two numbers per copy step.
constexpr int kProgressMilliseconds = 200;

} // namespace

WorkRunner::WorkRunner(IMessageBox& windowBox, IUiThread& uiThread)
    : m_uiThread(uiThread),
      m_engineBox(windowBox, uiThread, [this](bool asking) { pauseWhileAsking(asking); }),
      m_timer(uiThread.makeTimer(kProgressMilliseconds, [this] { showProgress(); })),
      m_alive(std::make_shared<WorkRunner*>(this)) {}

WorkRunner::~WorkRunner() {
    stopAndWait();
}

void WorkRunner::attach(mdlMain& engine) {
    engine.setCancel(&m_cancel);
    engine.setProgress([this](FileLength done, FileLength total) {
        m_total.store(total, std::memory_order_relaxed);
        m_done.store(done, std::memory_order_relaxed);
    });
    engine.setPhaseChange([this](mdlMain::Phase phase) {
        m_writingToDisk.store(phase == mdlMain::Phase::WritingToDisk, std::memory_order_relaxed);
    });
}

std::string WorkRunner::verb() const {
    return m_writingToDisk.load(std::memory_order_relaxed) ? std::string(kWritingToDiskText)
                                                           : m_verb;
}

void WorkRunner::start(std::string what, std::string verb, Job job, Finished finished) {
    m_what = std::move(what);
    m_verb = std::move(verb);
    m_finished = std::move(finished);
    m_cancel = false;
    m_stoppedForClose = false;
    m_done = 0;
    m_total = 0;
    m_writingToDisk = false;
    m_running = true;
    m_asking = false;
    m_waited = {};
    m_started = Clock::now();
    if (m_watcher)
        m_watcher->workStarted(*this);
    showProgress();
    m_timer->start();
    const std::weak_ptr<WorkRunner*> alive = m_alive;
    const auto finishLater = [this, alive](std::int16_t result) {
        m_uiThread.post([alive, result] {
            if (const auto self = alive.lock())
                (*self)->finish(result);
        });
    };
    try {
        m_worker = std::thread([job = std::move(job), finishLater] {
            std::int16_t result = 0;
            try {
                result = job();
            } catch (...) {
                // The engine reports its own errors; what escapes it ends the run as a failure.
            }
            finishLater(result);
        });
    } catch (const std::system_error& error) {
        // No thread for the work (a limit on processes reached): nothing was begun or changed.
        m_engineBox.show({m_what + " could not start: " + error.what(), "Error", MsgButtons::Ok,
                          MsgIcon::Critical, MsgAnswer::Ok});
        finishLater(0);
    }
}

void WorkRunner::cancel() {
    if (m_running)
        m_cancel = true;
}

void WorkRunner::stopForClose() {
    if (!m_running)
        return;
    m_stoppedForClose = true;
    m_cancel = true;
}

void WorkRunner::stopAndWait() {
    m_cancel = true;
    m_engineBox.close();
    if (m_worker.joinable())
        m_worker.join();
    if (m_running)
        m_timer->stop();
    m_running = false;
    m_finished = nullptr;
}

double WorkRunner::secondsAt(Clock::time_point now) const {
    return std::chrono::duration<double>(now - m_started - m_waited).count();
}

double WorkRunner::seconds() const {
    if (!m_running)
        return m_lastSeconds;
    return secondsAt(m_asking ? m_askedAt : Clock::now());
}

WorkProgress WorkRunner::progress() const {
    WorkProgress progress{verb(), 0, 0, seconds()};
    // The wait for the disk has no amounts to show: the bar only says that work goes on.
    if (m_writingToDisk.load(std::memory_order_relaxed))
        return progress;
    progress.total = m_total.load(std::memory_order_relaxed);
    progress.done = m_done.load(std::memory_order_relaxed);
    // All of it shows only for work that has succeeded: the last check (a piece's checksum, the
    // script written last) can still refuse work whose every byte was copied.
    if (m_running && progress.total > 0 && progress.done >= progress.total)
        progress.done = progress.total - 1;
    return progress;
}

void WorkRunner::pauseWhileAsking(bool asking) {
    if (!m_running)
        return;
    if (asking) {
        m_timer->stop();
        m_askedAt = Clock::now();
        m_asking = true;
    } else if (m_asking) {
        m_waited += Clock::now() - m_askedAt;
        m_asking = false;
        m_timer->start();
    }
}

void WorkRunner::showProgress() {
    if (m_watcher)
        m_watcher->workProgressed(*this, progress());
}

void WorkRunner::finish(std::int16_t result) {
    if (!m_running)
        return; // stopped and waited for already
    if (m_worker.joinable())
        m_worker.join();
    m_timer->stop();
    m_writingToDisk = false;
    m_lastSeconds = seconds();
    m_running = false;
    // The progress stops where it was, and reaches the whole only for a result.
    if (result > 0)
        showProgress();
    const Finished finished = std::move(m_finished);
    m_finished = nullptr;
    if (m_watcher)
        m_watcher->workEnded(*this);
    if (finished)
        finished(result);
}

} // namespace carvel
