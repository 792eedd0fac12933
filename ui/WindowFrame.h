#pragma once

#include "IMessageBox.h"

#include <QMainWindow>
#include <QString>
#include <functional>
#include <initializer_list>
#include <vector>

class QAction;
class QMenu;
class QToolBar;
class QToolButton;

namespace carvel {

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

    void showEvent(QShowEvent* event) override;

private:
    IMessageBox& m_messageBox;
    const char* m_programTitle;
    bool m_centred = false;
    QToolBar* m_tbMenu = nullptr;
    std::vector<QToolButton*> m_buttons;
    QWidget* m_area = nullptr;
    StatusBar* m_statusBar = nullptr;
};

} // namespace carvel
