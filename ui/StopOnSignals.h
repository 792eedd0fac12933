#pragma once

#include <QObject>
#include <functional>

class QSocketNotifier;

namespace carvel {

// SIGINT, SIGTERM and SIGHUP reach the window's thread as a call of onSignal, as carvel-cli
// stops its work on them, instead of killing the program in the middle of a split or join. A
// second of the same signal ends the program at once. A signal ignored by whoever started the
// program stays ignored. One per program.
class StopOnSignals final : public QObject {
    Q_OBJECT

public:
    explicit StopOnSignals(std::function<void()> onSignal, QObject* parent = nullptr);
    ~StopOnSignals() override;

private:
    std::function<void()> m_onSignal;
    QSocketNotifier* m_notifier = nullptr;
};

} // namespace carvel
