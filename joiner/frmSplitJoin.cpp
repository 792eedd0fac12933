#include "frmSplitJoin.h"

#include "Artwork.h"
#include "FileDrop.h"
#include "JoinPanel.h"
#include "QtNumberFormat.h"
#include "frmAbout.h"

#include <QAction>
#include <QCloseEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>

namespace carvel::joiner {

// The window has the frame of Carvel's: the same client area, toolbar, panel place and status bar.
frmSplitJoin::frmSplitJoin(IMessageBox& messageBox, IFileDialog& fileDialog, FileSystem& fs,
                           IShellExecute& shell, QWidget* parent)
    : WindowFrame(parent), m_messageBox(messageBox), m_shell(shell) {
    setProgramIcon(Artwork::windowIcon(Artwork::ProgramIcon::Seamer));
    // Seamer's two buttons, in the order of the flag string's positions; their images are the
    // About and Exit images of the program's five.
    buildToolbar({"About", "Exit"},
                 [this](const QString& key) { m_flow->tbMenu_ButtonClick(key.toStdString()); });
    buildMenus();

    m_joinDialog = new JoinPanel(messageBox, fileDialog, fs, JoinPolicy::seamer(), panelArea());
    placePanel(m_joinDialog);
    m_joinDialog->hide();
    m_flow = std::make_unique<SeamerFlow>(*this, messageBox, uiThread(), fs, numberFormatOf(),
                                          m_joinDialog->flow());
    new FileDrop(*this, *m_flow, m_joinDialog->txtJoinDestination());

    m_flow->Form_Load();
}

frmSplitJoin::~frmSplitJoin() = default;

void frmSplitJoin::buildMenus() {
    QMenu* mnuf = menuBar()->addMenu(QStringLiteral("&File"));
    mnuf->setObjectName(QStringLiteral("mnuf"));
    m_mnuab =
        addMenuEntry(mnuf, "mnuab", QStringLiteral("&About"), [this] { m_flow->mnuab_Click(); });
    mnuf->addSeparator()->setObjectName(QStringLiteral("mnuds"));
    m_mnuex =
        addMenuEntry(mnuf, "mnuex", QStringLiteral("&Exit"), [this] { m_flow->mnuex_Click(); });
    pairMenuEntries({m_mnuab, m_mnuex});
}

void frmSplitJoin::readCommandLine(const QString& arguments) {
    m_flow->readCommandLine(arguments.toStdString());
}

void frmSplitJoin::showPanel(Panel, bool) {
    m_joinDialog->show();
}

void frmSplitJoin::showAbout() {
    // Without an owner, modal for the whole program; the caption and status bar stay as they are.
    frmAbout box(m_shell, m_messageBox, frmAbout::Program::Seamer);
    box.exec();
}

void frmSplitJoin::closeEvent(QCloseEvent* event) {
    // A join in progress stops first, when the user wants it to.
    if (!m_flow->mayClose()) {
        event->ignore();
        return;
    }
    event->accept();
}

} // namespace carvel::joiner
