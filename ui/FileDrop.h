#pragma once

#include "flow/WindowFlow.h"

#include <QObject>
#include <QPointer>

class QWidget;

namespace carvel {

// Files dropped on a window go to its flow, which fills the panels' boxes as if they had been
// chosen (WindowFlow::filesDropped). Nothing is taken while a split or join runs.
class FileDrop final : public QObject {
public:
    // destinationBox: the join panel's destination box, where a dropped file is the destination.
    // Made after the panels, it watches the window and every text box in it, which would
    // otherwise take the file's name as text.
    FileDrop(QWidget& window, WindowFlow& flow, QWidget* destinationBox);

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    WindowFlow& m_flow;
    QPointer<QWidget> m_destinationBox;
};

} // namespace carvel
