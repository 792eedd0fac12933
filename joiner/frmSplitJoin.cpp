#include "frmSplitJoin.h"

#include "Artwork.h"
#include "FileDrop.h"
#include "JoinPanel.h"
#include "flow/PanelChecks.h"
#include "StatusBar.h"
#include "frmAbout.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QMenu>
#include <QMenuBar>

namespace carvel::joiner {

namespace {

const char* const kProgramTitle = "Seamer";

} // namespace

// The window has the frame of Carvel's: the same client area, toolbar, panel place and status bar.
frmSplitJoin::frmSplitJoin(IMessageBox& messageBox, IFileDialog& fileDialog, FileSystem& fs,
                           IShellExecute& shell, QWidget* parent)
    : WindowFrame(messageBox, kProgramTitle, parent), m_shell(shell) {
    setProgramIcon(Artwork::windowIcon(Artwork::ProgramIcon::Seamer));
    // Seamer's two buttons, in the order of the flag string's positions; their images are the
    // About and Exit images of the program's five.
    buildToolbar({"About", "Exit"}, [this](const QString& key) { tbMenu_ButtonClick(key); });
    buildMenus();

    m_joinDialog =
        new JoinPanel(messageBox, fileDialog, fs, JoinPanelPolicy::seamer(), panelArea());
    placePanel(m_joinDialog);
    m_joinDialog->hide();
    new FileDrop(*this, nullptr, *m_joinDialog, messageBox);
    watchWork(m_joinDialog->work());

    Form_Load();
}

frmSplitJoin::~frmSplitJoin() = default;

void frmSplitJoin::buildMenus() {
    QMenu* mnuf = menuBar()->addMenu(QStringLiteral("&File"));
    mnuf->setObjectName(QStringLiteral("mnuf"));
    m_mnuab = addMenuEntry(mnuf, "mnuab", QStringLiteral("&About"), [this] { mnuab_Click(); });
    mnuf->addSeparator()->setObjectName(QStringLiteral("mnuds"));
    m_mnuex = addMenuEntry(mnuf, "mnuex", QStringLiteral("&Exit"), [this] { mnuex_Click(); });
}

void frmSplitJoin::Form_Load() {
    m_joinDialog->show();
    setWindowTitle(QStringLiteral("Join File"));
    statusBar1()->setPicture(QStringLiteral("Join"), Artwork::modePicture(QStringLiteral("Join")));
}

void frmSplitJoin::readCommandLine(const QString& arguments) {
    const std::string piece = trimBlanks(arguments.toStdString());
    if (!piece.empty())
        m_joinDialog->startWithPiece(piece);
}

void frmSplitJoin::ShowTBButton(const QString& srcPatern, bool& srcAllButton) {
    const QString p = srcAllButton ? QStringLiteral("ttttt") : srcPatern;
    applyFlags(p, {m_mnuab, m_mnuex});
}

void frmSplitJoin::tbMenu_ButtonClick(const QString& key) {
    guarded([this, &key] {
        // The toolbar's About only shows the box; the menu entry's also enables the buttons.
        if (key == QLatin1String("About"))
            showAbout();
        if (key == QLatin1String("Exit"))
            exitProgram();
    });
}

void frmSplitJoin::mnuab_Click() {
    bool allButtons = false;
    ShowTBButton(QStringLiteral("ttttt"), allButtons);
    showAbout();
}

void frmSplitJoin::mnuex_Click() {
    exitProgram();
}

void frmSplitJoin::showAbout() {
    // Without an owner, modal for the whole program; the caption and status bar stay as they are.
    frmAbout box(m_shell, messageBox(), frmAbout::Program::Seamer);
    box.exec();
}

void frmSplitJoin::exitProgram() {
    if (close())
        QCoreApplication::exit(0);
}

void frmSplitJoin::closeEvent(QCloseEvent* event) {
    // A join in progress stops first, when the user wants it to.
    if (!mayClose()) {
        event->ignore();
        return;
    }
    event->accept();
}

} // namespace carvel::joiner
