#include "flow/WindowFlow.h"

#include "flow/JoinFlow.h"
#include "flow/PanelChecks.h"
#include "flow/ProgressText.h"
#include "flow/SplitFlow.h"

#include <exception>

namespace carvel {

namespace {

// Work that ends after this long in a window that is not active asks for the user's attention.
constexpr double kAlertSeconds = 10;

} // namespace

WindowFlow::WindowFlow(IWindowView& view, IMessageBox& messageBox, IUiThread& uiThread,
                       FileSystem& fs, std::string programTitle, NumberFormat numberFormat,
                       SplitFlow* split, JoinFlow& join)
    : m_view(view), m_messageBox(messageBox), m_uiThread(uiThread), m_fs(fs),
      m_title(std::move(programTitle)), m_numberFormat(std::move(numberFormat)), m_split(split),
      m_join(join), m_alive(std::make_shared<WindowFlow*>(this)) {
    for (WorkRunner* work : works())
        work->setWatcher(this);
}

WindowFlow::~WindowFlow() {
    for (WorkRunner* work : works())
        work->setWatcher(nullptr);
}

std::vector<WorkRunner*> WindowFlow::works() const {
    std::vector<WorkRunner*> all;
    if (m_split)
        all.push_back(&m_split->work());
    all.push_back(&m_join.work());
    return all;
}

bool WindowFlow::isWorking() const {
    for (const WorkRunner* work : works())
        if (work->isRunning())
            return true;
    return false;
}

void WindowFlow::escape() {
    for (WorkRunner* work : works())
        work->cancel();
}

void WindowFlow::workStarted(WorkRunner&) {
    m_view.setCancelKeyEnabled(true);
    workChanged(true);
}

void WindowFlow::workProgressed(WorkRunner&, const WorkProgress& progress) {
    m_view.showProgress(progressText(progress, m_numberFormat));
}

void WindowFlow::workEnded(WorkRunner& work) {
    // The close question is moot once the work has ended: it goes, and the outcome shows.
    if (m_closeQuestion != nullptr)
        m_closeQuestion->withdraw();
    m_view.showIdle();
    m_view.setCancelKeyEnabled(false);
    guarded([this] { workChanged(false); });
    if (work.seconds() > kAlertSeconds)
        m_view.alertIfInactive();
    if (m_closeAfterWork) {
        // After the panel has had the result, which it shows no message for.
        const std::weak_ptr<WindowFlow*> alive = m_alive;
        m_uiThread.post([alive] {
            if (const auto self = alive.lock()) {
                WindowFlow& flow = **self;
                flow.m_view.close();
                if (flow.m_quitAfterWork)
                    flow.m_view.quit();
            }
        });
    }
}

bool WindowFlow::mayClose() {
    WorkRunner* running = nullptr;
    for (WorkRunner* work : works())
        if (work->isRunning())
            running = work;
    if (running == nullptr)
        return true;
    if (m_closeAfterWork)
        return false; // already stopping; the window closes when it has
    Withdrawal question;
    m_closeQuestion = &question;
    MsgAnswer answer = MsgAnswer::No;
    try {
        answer = m_messageBox.show({running->what() +
                                        " is not finished. Do you want to stop it "
                                        "and close " +
                                        m_title + "?",
                                    m_title, MsgButtons::YesNo, MsgIcon::None, MsgAnswer::No,
                                    m_view.owner(), &question});
    } catch (...) {
        // A box that cannot be shown answers No: the work goes on.
    }
    m_closeQuestion = nullptr;
    if (answer != MsgAnswer::Yes || question.withdrawn())
        return false;
    // The work may have ended while the question was open.
    if (!running->isRunning())
        return true;
    m_closeAfterWork = true;
    running->stopForClose();
    return false;
}

void WindowFlow::stopAndQuit() {
    m_quitAfterWork = true;
    for (WorkRunner* work : works()) {
        if (work->isRunning()) {
            m_closeAfterWork = true;
            work->stopForClose();
            return;
        }
    }
    m_view.close();
    m_view.quit();
}

void WindowFlow::refuseDrop(const std::string& text) {
    m_messageBox.show(
        {text, "Error", MsgButtons::Ok, MsgIcon::Critical, MsgAnswer::Ok, m_view.owner()});
}

void WindowFlow::filesDropped(const std::vector<std::string>& paths, bool onDestinationBox) {
    guarded([&] {
        if (isWorking())
            return;
        if (paths.size() != 1) {
            refuseDrop("You have dropped more than one file. Please drop only one file.");
            return;
        }
        const std::string& path = paths.front();
        if (m_fs.FolderExists(path)) {
            refuseDrop("Folder: " + path + " is not a file. Please drop a file, not a folder.");
            return;
        }
        if (m_split && splitShown())
            m_split->dropSplitSource(path);
        else if (onDestinationBox)
            m_join.dropJoinDestination(path);
        else
            m_join.dropJoinSource(path);
    });
}

void WindowFlow::applyFlags(const std::string& flags, int count) {
    for (int position = 1; position <= count; ++position) {
        const auto index = static_cast<std::size_t>(position - 1);
        m_view.setCommandEnabled(position, index < flags.size() && flags[index] == 't');
    }
}

void WindowFlow::guarded(const std::function<void()>& command) {
    try {
        command();
    } catch (const std::exception& error) {
        m_messageBox.show(
            {error.what(), m_title, MsgButtons::Ok, MsgIcon::None, MsgAnswer::Ok, m_view.owner()});
    } catch (...) {
        m_messageBox.show({kUnexpectedErrorText, m_title, MsgButtons::Ok, MsgIcon::None,
                           MsgAnswer::Ok, m_view.owner()});
    }
}

} // namespace carvel
