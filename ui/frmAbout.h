#pragma once

#include "IMessageBox.h"
#include "IShellExecute.h"

#include <QDialog>
#include <QString>

class QLabel;
class QPushButton;

namespace carvel {

// The About box that both programs show: the product's logo and name, the maker's notice and
// name, a link to the user guide installed with the programs, and OK.
class frmAbout final : public QDialog {
    Q_OBJECT

public:
    // Which program shows the box: Carvel names itself in the caption, Seamer keeps "About".
    enum class Program { Carvel, Seamer };

    // A link that no browser can show is reported through messages.
    frmAbout(IShellExecute& shell, IMessageBox& messages, Program program,
             QWidget* parent = nullptr);

    // Opens an address with the desktop's "open" action; what a started browser makes of it is
    // not examined, but where none could be started the box says so and names the file.
    void HyperJump(QString URL);

    // The address the link opens: the user guide in the program's folder, or else in the shared
    // data folder beside it (../share/carvel) where it is installed.
    static QString documentationAddress(const QString& programFolder);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    // Where a drag over the link is: still over it, or leaving it.
    enum class DragState { Over, Leave };

    void Form_Load();
    void cmdOK_Click();
    void lblWebsite_MouseMove();
    void lblWebsite_DragOver(const QObject* source, DragState state);
    void lblWebsite_DragDrop(const QObject* source);
    void showLinkNormal();
    void showLinkHot();

    IShellExecute& m_shell;
    IMessageBox& m_messages;
    Program m_program;
    QLabel* m_lblWebsite = nullptr;
    QPushButton* m_cmdOK = nullptr;
    // True while the link's own drag lasts: from the pointer coming onto it to leaving or a click.
    bool m_dragging = false;
    // True from a press on the link until its release: a release ends a click only after one.
    bool m_pressed = false;
};

} // namespace carvel
