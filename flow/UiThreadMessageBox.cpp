#include "flow/UiThreadMessageBox.h"

#include <algorithm>
#include <future>
#include <mutex>
#include <vector>

namespace carvel {

namespace {

using Answer = std::promise<MsgAnswer>;

// Sets an answer unless one was set already (by close, while the box was open).
void answerOnce(Answer& answer, MsgAnswer value) {
    try {
        answer.set_value(value);
    } catch (const std::future_error&) {
    }
}

} // namespace

struct UiThreadMessageBox::Shared {
    struct Waiting {
        std::shared_ptr<Answer> answer;
        MsgAnswer defaultButton;
    };

    IMessageBox& shown;
    std::function<void(bool)> asking;
    std::mutex mutex;
    bool closed = false;
    // The boxes workers wait for, asked or open: close answers them all.
    std::vector<Waiting> waiting;

    void forget(const std::shared_ptr<Answer>& answer) {
        const std::lock_guard<std::mutex> lock(mutex);
        waiting.erase(std::remove_if(waiting.begin(), waiting.end(),
                                     [&](const Waiting& w) { return w.answer == answer; }),
                      waiting.end());
    }
};

UiThreadMessageBox::UiThreadMessageBox(IMessageBox& shown, IUiThread& uiThread,
                                       std::function<void(bool)> asking)
    : m_uiThread(uiThread), m_shared(std::make_shared<Shared>(shown, std::move(asking))) {}

UiThreadMessageBox::~UiThreadMessageBox() {
    close();
}

void UiThreadMessageBox::close() {
    std::vector<Shared::Waiting> waiting;
    {
        const std::lock_guard<std::mutex> lock(m_shared->mutex);
        m_shared->closed = true;
        waiting.swap(m_shared->waiting);
    }
    // The workers go on at once with the default button, so that the window's thread can wait
    // for them.
    for (Shared::Waiting& w : waiting)
        answerOnce(*w.answer, w.defaultButton);
}

MsgAnswer UiThreadMessageBox::show(const MessageRequest& request) {
    if (m_uiThread.isUiThread()) {
        {
            const std::lock_guard<std::mutex> lock(m_shared->mutex);
            if (m_shared->closed)
                return request.defaultButton;
        }
        return m_shared->shown.show(request);
    }

    auto answer = std::make_shared<Answer>();
    std::future<MsgAnswer> answered = answer->get_future();
    {
        const std::lock_guard<std::mutex> lock(m_shared->mutex);
        if (m_shared->closed)
            return request.defaultButton;
        m_shared->waiting.push_back({answer, request.defaultButton});
    }
    m_uiThread.post([shared = m_shared, request, answer] {
        {
            const std::lock_guard<std::mutex> lock(shared->mutex);
            if (shared->closed)
                return; // answered by close already
        }
        if (shared->asking)
            shared->asking(true);
        try {
            answerOnce(*answer, shared->shown.show(request));
        } catch (...) {
            try {
                answer->set_exception(std::current_exception());
            } catch (const std::future_error&) {
            }
        }
        shared->forget(answer);
        // A box answered after the close no longer concerns the work that asked.
        bool closed = false;
        {
            const std::lock_guard<std::mutex> lock(shared->mutex);
            closed = shared->closed;
        }
        if (shared->asking && !closed)
            shared->asking(false);
    });
    try {
        return answered.get();
    } catch (const std::future_error&) {
        return request.defaultButton;
    }
}

} // namespace carvel
