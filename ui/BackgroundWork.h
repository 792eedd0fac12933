#pragma once

#include "IMessageBox.h"
#include "WindowThreadMessageBox.h"
#include "mdlMain.h"

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>
#include <atomic>
#include <cstdint>
#include <functional>
#include <thread>

namespace carvel {

// One split or join at a time, run on a worker thread for a panel. The window's thread starts
// it, shows its progress from a timer and answers the engine's questions; the worker only copies.
// Stopping sets the engine's cancel flag, which it reads at its next copy step.
class BackgroundWork final : public QObject {
    Q_OBJECT

public:
    // windowBox shows the engine's boxes, on the window's thread.
    explicit BackgroundWork(IMessageBox& windowBox);
    // Stops a run still going and waits for it, without showing anything more.
    ~BackgroundWork() override;

    // The box to make the engine with: it hands each box to the window's thread.
    IMessageBox& engineMessageBox() { return m_engineBox; }
    // Gives the engine this work's progress and cancel flag.
    void attach(mdlMain& engine);

    // what names the run for the user ("The split of /a/photos.zip"); verb heads its progress
    // ("Splitting"). job runs on the worker; finished gets its result on the window's thread.
    void start(QString what, QString verb, std::function<std::int16_t()> job,
               std::function<void(std::int16_t)> finished);
    bool isRunning() const { return m_running; }
    // Esc, the Cancel control: the run stops at its next copy step.
    void cancel();
    // The close box or a signal: the run stops, and its end shows no message.
    void stopForClose();
    bool stoppedForClose() const { return m_stoppedForClose; }
    // Stops a run and waits for its thread; no box shows any more, and no result is reported.
    // For the owner's destructor, before the engine the run uses goes.
    void stopAndWait();

    const QString& what() const { return m_what; }
    // What heads the progress: the verb given, or "Writing to disk" while the run waits for it.
    QString verb() const;
    // Seconds since the start, of the run going or the last one.
    double seconds() const;

signals:
    void started();
    void progressed(qint64 done, qint64 total, double seconds);
    // After the last progress, before the panel reports the result.
    void ended();

private:
    void finish(std::int16_t result);
    void showProgress();
    // While the engine waits for the user's answer the progress stands still, and the time
    // waited counts for no rate.
    void pauseWhileAsking(bool asking);

    WindowThreadMessageBox m_engineBox;
    std::atomic<bool> m_cancel{false};
    std::atomic<FileLength> m_done{0};
    std::atomic<FileLength> m_total{0};
    std::atomic<bool> m_writingToDisk{false};
    std::thread m_worker;
    QTimer m_timer;
    QElapsedTimer m_clock;
    double m_lastSeconds = 0;
    qint64 m_askedAt = -1; // when the box that is open now opened, on m_clock
    qint64 m_waited = 0;   // milliseconds spent waiting for answers
    bool m_running = false;
    bool m_stoppedForClose = false;
    QString m_what;
    QString m_verb;
    std::function<void(std::int16_t)> m_finished;
};

} // namespace carvel
