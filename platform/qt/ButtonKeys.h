#pragma once

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QSet>

class QWidget;

namespace carvel {

// How keys reach the programs' buttons and boxes, for every window of the application:
// - Return and keypad Enter press a focused command button, as Space does.
// - No key reaches a control that is not shown in a shown window.
// - A key already held down when a window got it does not act there: its repeats are dropped
//   until it is pressed afresh. A key left down (a tool that sent the press to a box and lost
//   the release when the box closed) would otherwise answer every later box with its default
//   button, and press every later Start.
// Installed once per application by the windows, as a child of the application.
class ButtonKeys final : public QObject {
public:
    static void install();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit ButtonKeys(QObject* application);

    // The window the keys in m_pressed were pressed afresh in; a key event for another window
    // starts the set anew.
    QPointer<QWidget> m_window;
    QSet<int> m_pressed;
    // The keys down now, and when each was last released, whatever the window.
    QSet<int> m_down;
    QHash<int, quint64> m_releasedAt;
};

} // namespace carvel
