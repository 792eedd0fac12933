#include "WindowThreadMessageBox.h"

#include <QObject>
#include <QThread>
#include <future>
#include <memory>

namespace carvel {

WindowThreadMessageBox::WindowThreadMessageBox(IMessageBox& shown, std::function<void(bool)> asking)
    : m_shown(shown), m_asking(std::move(asking)), m_context(new QObject) {}

WindowThreadMessageBox::~WindowThreadMessageBox() {
    close();
}

void WindowThreadMessageBox::close() {
    const std::lock_guard<std::mutex> lock(m_mutex);
    delete m_context;
    m_context = nullptr;
}

MsgAnswer WindowThreadMessageBox::show(const MessageRequest& request) {
    std::future<MsgAnswer> answered;
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        if (m_context == nullptr)
            return request.defaultButton;
        if (QThread::currentThread() == m_context->thread()) {
            lock.unlock();
            return m_shown.show(request);
        }
        // The promise lives in the queued call only: a call dropped unshown breaks it, and the
        // worker stops waiting.
        auto answer = std::make_shared<std::promise<MsgAnswer>>();
        answered = answer->get_future();
        QMetaObject::invokeMethod(
            m_context,
            [this, request, answer] {
                if (m_asking)
                    m_asking(true);
                try {
                    answer->set_value(m_shown.show(request));
                } catch (...) {
                    answer->set_exception(std::current_exception());
                }
                if (m_asking)
                    m_asking(false);
            },
            Qt::QueuedConnection);
    }
    try {
        return answered.get();
    } catch (const std::future_error&) {
        return request.defaultButton;
    }
}

} // namespace carvel
