#pragma once

#include "IMessageBox.h"

#include <QMainWindow>
#include <QString>
#include <functional>
#include <initializer_list>
#include <vector>

class QAction;
class QMenu;
class QShortcut;
class QToolBar;
class QToolButton;

namespace carvel {

class BackgroundWork;
class StatusBar;

// The frame that Carvel's main window and Seamer's window share: a fixed window centred when
// first shown, the toolbar tbMenu of picture buttons, menu entries, one area for the panels and
// the status bar. Every menu command runs guarded, so no exception reaches the event loop. It knows
// nothing of splitting, so Seamer can carry it without the split side.
class WindowFrame : public QMainWindow {
    Q_OBJECT

public:
    ~WindowFrame() override;

    StatusBar* statusBar1() const { return m_statusBar; }
    // Toolbar button by its index, counting from 1.
    QToolButton* toolbarButton(int index) const { return m_buttons.at(index - 1); }

    // True while a split or join runs in the window.
    bool isWorking() const;
    // What a signal to end the program does: running work stops at its next copy step, and the
    // program ends once it has stopped, with no message; an idle program ends at once.
    void stopAndQuit();
    bool quitting() const { return m_quitAfterWork; }

protected:
    // programTitle captions the boxes that report an unexpected error.
    WindowFrame(IMessageBox& messageBox, const char* programTitle, QWidget* parent);

    // One toolbar button per key, in this order; its caption is the key and its image the
    // image of that key. A click hands the key to onClick, the toolbar's guarded handler.
    void buildToolbar(std::initializer_list<const char*> keys,
                      std::function<void(const QString&)> onClick);
    // A menu entry named as its control, whose command runs guarded.
    QAction* addMenuEntry(QMenu* menu, const char* name, const QString& caption,
                          std::function<void()> command);
    // The area between the toolbar and the status bar that holds the panels.
    QWidget* panelArea() const { return m_area; }
    // Puts a panel at its place in the window's own coordinates.
    void placePanel(QWidget* panel);
    // Enables toolbar button i and entries[i] when the flag string holds a lower-case "t" at
    // position i; every other character and a missing position disable.
    void applyFlags(const QString& flags, std::initializer_list<QAction*> entries);
    IMessageBox& messageBox() const { return m_messageBox; }
    // Runs a command so that no exception leaves it for the event loop.
    void guarded(const std::function<void()>& command);
    // The program's icon: this window's, and that of the program's windows without an owner
    // (help, and boxes shown before this window), which would otherwise show a generic one.
    void setProgramIcon(const QIcon& icon);

    void showEvent(QShowEvent* event) override;

    // A panel's work: its progress shows in the status bar, Esc stops it, and the close box asks
    // before it stops it. workChanged tells when it starts and ends.
    void watchWork(BackgroundWork* work);
    virtual void workChanged(bool running) { (void)running; }
    // For closeEvent: false while work runs, after asking whether to stop it; on Yes the work
    // stops and the window closes once it has.
    bool mayClose();

private:
    IMessageBox& m_messageBox;
    const char* m_programTitle;
    bool m_centred = false;
    QToolBar* m_tbMenu = nullptr;
    std::vector<QToolButton*> m_buttons;
    QWidget* m_area = nullptr;
    StatusBar* m_statusBar = nullptr;
    std::vector<BackgroundWork*> m_works;
    QShortcut* m_escape = nullptr;
    // The close question while it is open.
    Withdrawal* m_closeQuestion = nullptr;
    bool m_closeAfterWork = false;
    bool m_quitAfterWork = false;
};

} // namespace carvel
