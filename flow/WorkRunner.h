#pragma once

#include "FileSystem.h"
#include "IMessageBox.h"
#include "flow/IUiThread.h"
#include "flow/UiThreadMessageBox.h"
#include "mdlMain.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <thread>

namespace carvel {

class WorkRunner;

// Where a run stands, as the window's thread sees it on each tick of the progress timer.
struct WorkProgress {
    std::string verb;     // "Splitting", "Joining", or "Writing to disk" while the run waits for it
    FileLength done = 0;  // of total; never all of it before the run has succeeded
    FileLength total = 0; // 0 while not known, and while writing to disk: no amounts to show
    double seconds = 0;   // since the start, without the time boxes waited for an answer
};

// Told on the window's thread what a run does: the window's flow shows it in the status bar.
class IWorkWatcher {
public:
    virtual ~IWorkWatcher() = default;
    virtual void workStarted(WorkRunner& work) = 0;
    virtual void workProgressed(WorkRunner& work, const WorkProgress& progress) = 0;
    // After the last progress, before the panel gets the result.
    virtual void workEnded(WorkRunner& work) = 0;
};

// One split or join at a time, run on a worker thread for a panel. The window's thread starts
// it, shows its progress from a timer and answers the engine's questions; the worker only copies.
// Stopping sets the engine's cancel flag, which it reads at its next copy step. Everything but
// the job itself runs on the window's thread.
class WorkRunner final {
public:
    using Job = std::function<std::int16_t()>;
    using Finished = std::function<void(std::int16_t result)>;

    // windowBox shows the engine's boxes, on the window's thread.
    WorkRunner(IMessageBox& windowBox, IUiThread& uiThread);
    // Stops a run still going and waits for it, without showing anything more.
    ~WorkRunner();
    WorkRunner(const WorkRunner&) = delete;
    WorkRunner& operator=(const WorkRunner&) = delete;

    // The box to make the engine with: it hands each box to the window's thread.
    IMessageBox& engineMessageBox() { return m_engineBox; }
    // Gives the engine this work's progress and cancel flag.
    void attach(mdlMain& engine);
    // The one watcher, or none.
    void setWatcher(IWorkWatcher* watcher) { m_watcher = watcher; }

    // what names the run for the user ("The split of /a/photos.zip"); verb heads its progress
    // ("Splitting"). job runs on the worker; finished gets its result on the window's thread.
    void start(std::string what, std::string verb, Job job, Finished finished);
    bool isRunning() const { return m_running; }
    // Esc, the Cancel control: the run stops at its next copy step.
    void cancel();
    // The close box or a signal: the run stops, and its end shows no message.
    void stopForClose();
    bool stoppedForClose() const { return m_stoppedForClose; }
    // Stops a run and waits for its thread; no box shows any more, and no result is reported.
    // For the owner's destructor, before the engine the run uses goes.
    void stopAndWait();

    const std::string& what() const { return m_what; }
    // What heads the progress: the verb given, or "Writing to disk" while the run waits for it.
    std::string verb() const;
    // Seconds since the start, of the run going or the last one, without the time waited for
    // answers.
    double seconds() const;
    // Where the run stands now.
    WorkProgress progress() const;

private:
    using Clock = std::chrono::steady_clock;

    void finish(std::int16_t result);
    void showProgress();
    // While the engine waits for the user's answer the progress stands still, and the time
    // waited counts for no rate.
    void pauseWhileAsking(bool asking);
    double secondsAt(Clock::time_point now) const;

    IUiThread& m_uiThread;
    UiThreadMessageBox m_engineBox;
    std::unique_ptr<IUiTimer> m_timer;
    IWorkWatcher* m_watcher = nullptr;
    std::atomic<bool> m_cancel{false};
    std::atomic<FileLength> m_done{0};
    std::atomic<FileLength> m_total{0};
    std::atomic<bool> m_writingToDisk{false};
    std::thread m_worker;
    Clock::time_point m_started;
    Clock::time_point m_askedAt; // when the box that is open now opened
    bool m_asking = false;
    Clock::duration m_waited{}; // spent waiting for answers
    double m_lastSeconds = 0;
    bool m_running = false;
    bool m_stoppedForClose = false;
    std::string m_what;
    std::string m_verb;
    Finished m_finished;
    // Calls posted to the window's thread run only while this object lives.
    std::shared_ptr<WorkRunner*> m_alive;
};

} // namespace carvel
