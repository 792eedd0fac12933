#include "BackgroundWork.h"

#include <system_error>

namespace carvel {

namespace {

// Progress shows five times a second: often enough to look live, rare enough to cost the copy
// nothing, as the worker only stores two numbers per copy step.
constexpr int kProgressMilliseconds = 200;

} // namespace

BackgroundWork::BackgroundWork(IMessageBox& windowBox)
    : m_engineBox(windowBox, [this](bool asking) { pauseWhileAsking(asking); }) {
    m_timer.setInterval(kProgressMilliseconds);
    connect(&m_timer, &QTimer::timeout, this, &BackgroundWork::showProgress);
}

BackgroundWork::~BackgroundWork() {
    stopAndWait();
}

void BackgroundWork::attach(mdlMain& engine) {
    engine.setCancel(&m_cancel);
    engine.setProgress([this](FileLength done, FileLength total) {
        m_total.store(total, std::memory_order_relaxed);
        m_done.store(done, std::memory_order_relaxed);
    });
    engine.setPhaseChange([this](mdlMain::Phase phase) {
        m_writingToDisk.store(phase == mdlMain::Phase::WritingToDisk, std::memory_order_relaxed);
    });
}

QString BackgroundWork::verb() const {
    return m_writingToDisk.load(std::memory_order_relaxed) ? QString::fromUtf8(kWritingToDiskText)
                                                           : m_verb;
}

void BackgroundWork::start(QString what, QString verb, std::function<std::int16_t()> job,
                           std::function<void(std::int16_t)> finished) {
    m_what = std::move(what);
    m_verb = std::move(verb);
    m_finished = std::move(finished);
    m_cancel = false;
    m_stoppedForClose = false;
    m_done = 0;
    m_total = 0;
    m_writingToDisk = false;
    m_running = true;
    m_askedAt = -1;
    m_waited = 0;
    m_clock.start();
    emit started();
    showProgress();
    m_timer.start();
    try {
        m_worker = std::thread([this, job = std::move(job)] {
            std::int16_t result = 0;
            try {
                result = job();
            } catch (...) {
                // The engine reports its own errors; what escapes it ends the run as a failure.
            }
            QMetaObject::invokeMethod(
                this, [this, result] { finish(result); }, Qt::QueuedConnection);
        });
    } catch (const std::system_error& error) {
        // No thread for the work (a limit on processes reached): nothing was begun or changed.
        m_engineBox.show({m_what.toStdString() + " could not start: " + error.what(), "Error",
                          MsgButtons::Ok, MsgIcon::Critical, MsgAnswer::Ok});
        QMetaObject::invokeMethod(
            this, [this] { finish(0); }, Qt::QueuedConnection);
    }
}

void BackgroundWork::cancel() {
    if (m_running)
        m_cancel = true;
}

void BackgroundWork::stopForClose() {
    if (!m_running)
        return;
    m_stoppedForClose = true;
    m_cancel = true;
}

void BackgroundWork::stopAndWait() {
    m_cancel = true;
    m_engineBox.close();
    if (m_worker.joinable())
        m_worker.join();
    m_running = false;
    m_finished = nullptr;
}

double BackgroundWork::seconds() const {
    if (!m_running)
        return m_lastSeconds;
    const qint64 now = m_askedAt >= 0 ? m_askedAt : m_clock.elapsed();
    return static_cast<double>(now - m_waited) / 1000.0;
}

void BackgroundWork::pauseWhileAsking(bool asking) {
    if (!m_running)
        return;
    if (asking) {
        m_timer.stop();
        m_askedAt = m_clock.elapsed();
    } else if (m_askedAt >= 0) {
        m_waited += m_clock.elapsed() - m_askedAt;
        m_askedAt = -1;
        m_timer.start();
    }
}

void BackgroundWork::showProgress() {
    // The wait for the disk has no amounts to show: the bar only says that work goes on.
    if (m_writingToDisk.load(std::memory_order_relaxed)) {
        emit progressed(0, 0, seconds());
        return;
    }
    const FileLength total = m_total.load(std::memory_order_relaxed);
    FileLength done = m_done.load(std::memory_order_relaxed);
    // All of it shows only for work that has succeeded: the last check (a piece's checksum, the
    // script written last) can still refuse work whose every byte was copied.
    if (m_running && total > 0 && done >= total)
        done = total - 1;
    emit progressed(done, total, seconds());
}

void BackgroundWork::finish(std::int16_t result) {
    if (!m_running)
        return; // stopped and waited for already
    if (m_worker.joinable())
        m_worker.join();
    m_timer.stop();
    m_writingToDisk = false;
    m_lastSeconds = seconds();
    m_running = false;
    // The progress stops where it was, and reaches the whole only for a result.
    if (result > 0)
        showProgress();
    const auto finished = std::move(m_finished);
    m_finished = nullptr;
    emit ended();
    if (finished)
        finished(result);
}

} // namespace carvel
