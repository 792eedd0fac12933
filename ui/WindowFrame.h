#pragma once

#include "IMessageBox.h"
#include "QtUiThread.h"
#include "flow/IWindowView.h"
#include "flow/WindowFlow.h"

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

class StatusBar;

// The frame that Carvel's main window and Seamer's window share: a fixed window centred when
// first shown, the toolbar tbMenu of picture buttons, menu entries, one area for the panels and
// the status bar. It draws what the window's flow decides and hands it the commands, Esc, the
// close box and dropped files. It knows nothing of splitting, so Seamer can carry it without the
// split side.
class WindowFrame : public QMainWindow, public IWindowView {
    Q_OBJECT

public:
    ~WindowFrame() override;

    StatusBar* statusBar1() const { return m_statusBar; }
    // Toolbar button by its index, counting from 1.
    QToolButton* toolbarButton(int index) const { return m_buttons.at(index - 1); }
    // The window's flow, once the window has made it.
    virtual WindowFlow& windowFlow() = 0;

    void setCaption(const std::string& caption) override;
    void setModePicture(const std::string& role) override;
    void setStatusText(const std::string& text) override;
    void setCommandEnabled(int position, bool enabled) override;
    void showProgress(const ProgressText& progress) override;
    void showIdle() override;
    void setCancelKeyEnabled(bool enabled) override;
    void alertIfInactive() override;
    bool close() override;
    void quit() override;
    void* owner() override;

protected:
    explicit WindowFrame(QWidget* parent);

    // One toolbar button per key, in this order; its caption is the key and its image the
    // image of that key. A click hands the key to onClick, the toolbar's guarded handler.
    void buildToolbar(std::initializer_list<const char*> keys,
                      std::function<void(const QString&)> onClick);
    // A menu entry named as its control; the flow guards its command.
    QAction* addMenuEntry(QMenu* menu, const char* name, const QString& caption,
                          std::function<void()> command);
    // The area between the toolbar and the status bar that holds the panels.
    QWidget* panelArea() const { return m_area; }
    // Puts a panel at its place in the window's own coordinates.
    void placePanel(QWidget* panel);
    // The menu entries paired with the toolbar buttons, in the order of the flag string.
    void pairMenuEntries(std::initializer_list<QAction*> entries) { m_entries = entries; }
    IUiThread& uiThread() { return m_uiThread; }
    // The program's icon: this window's, and that of the program's windows without an owner
    // (help, and boxes shown before this window), which would otherwise show a generic one.
    void setProgramIcon(const QIcon& icon);

    void showEvent(QShowEvent* event) override;

private:
    QtUiThread m_uiThread;
    bool m_centred = false;
    QToolBar* m_tbMenu = nullptr;
    std::vector<QToolButton*> m_buttons;
    std::vector<QAction*> m_entries;
    QWidget* m_area = nullptr;
    StatusBar* m_statusBar = nullptr;
    QShortcut* m_escape = nullptr;
};

} // namespace carvel
