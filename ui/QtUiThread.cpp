#include "QtUiThread.h"

#include <QObject>
#include <QThread>
#include <QTimer>

namespace carvel {

namespace {

class QtUiTimer final : public IUiTimer {
public:
    QtUiTimer(int milliseconds, std::function<void()> tick) {
        m_timer.setInterval(milliseconds);
        QObject::connect(&m_timer, &QTimer::timeout, [tick = std::move(tick)] { tick(); });
    }
    void start() override { m_timer.start(); }
    void stop() override { m_timer.stop(); }

private:
    QTimer m_timer;
};

} // namespace

QtUiThread::QtUiThread() : m_context(new QObject) {}

QtUiThread::~QtUiThread() {
    delete m_context;
}

void QtUiThread::post(std::function<void()> call) {
    QMetaObject::invokeMethod(m_context, std::move(call), Qt::QueuedConnection);
}

bool QtUiThread::isUiThread() const {
    return QThread::currentThread() == m_context->thread();
}

std::unique_ptr<IUiTimer> QtUiThread::makeTimer(int milliseconds, std::function<void()> tick) {
    return std::make_unique<QtUiTimer>(milliseconds, std::move(tick));
}

} // namespace carvel
