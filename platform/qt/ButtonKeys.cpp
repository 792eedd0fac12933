#include "ButtonKeys.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QToolButton>

namespace carvel {

namespace {

// A button Qt itself presses on Return: the default and auto-default buttons of a dialog.
bool takesReturnItself(const QAbstractButton& button) {
    const auto* push = qobject_cast<const QPushButton*>(&button);
    return push != nullptr && (push->autoDefault() || push->isDefault());
}

bool isCommandButton(QObject* object) {
    return qobject_cast<QToolButton*>(object) != nullptr ||
           qobject_cast<QPushButton*>(object) != nullptr;
}

} // namespace

void ButtonKeys::install() {
    static QPointer<ButtonKeys> installed;
    if (installed == nullptr && QCoreApplication::instance() != nullptr)
        installed = new ButtonKeys(QCoreApplication::instance());
}

ButtonKeys::ButtonKeys(QObject* application) : QObject(application) {
    application->installEventFilter(this);
}

bool ButtonKeys::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    // Keys released while another program has the keyboard are released all the same.
    if (type == QEvent::ApplicationStateChange &&
        QGuiApplication::applicationState() != Qt::ApplicationActive)
        m_down.clear();
    if ((type != QEvent::KeyPress && type != QEvent::KeyRelease) || !watched->isWidgetType())
        return false;
    // A key event travels up from the focus widget to its window, passing here at each step;
    // what follows gives the same verdict at every step.
    const auto* key = static_cast<QKeyEvent*>(event);
    auto* widget = static_cast<QWidget*>(watched);
    // Nothing typed changes a control the user cannot see, such as one hidden with its panel.
    if (!widget->isVisible() && widget->window()->isVisible())
        return true;
    QWidget* window = widget->window();
    if (window != m_window) {
        m_window = window;
        m_pressed.clear();
    }
    const int code = key->key();
    if (type == QEvent::KeyRelease) {
        if (!key->isAutoRepeat()) {
            m_down.remove(code);
            m_releasedAt[code] = key->timestamp();
        }
        return false;
    }
    // The X server repeats a held key as a release and a press with one time stamp, which Qt
    // does not always mark as a repeat.
    const bool repeat = key->isAutoRepeat() || m_down.contains(code) ||
                        (key->timestamp() != 0 && m_releasedAt.value(code) == key->timestamp());
    m_down.insert(code);
    if (repeat)
        return !m_pressed.contains(code);
    m_pressed.insert(code);

    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    if (!enter || (key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier ||
        !isCommandButton(watched))
        return false;
    auto* button = static_cast<QAbstractButton*>(watched);
    if (takesReturnItself(*button) || !button->isEnabled())
        return false;
    button->click();
    return true;
}

} // namespace carvel
