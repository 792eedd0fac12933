#include "frmSplitJoin.h"

#include "Artwork.h"
#include "FileDrop.h"
#include "HTMLHelp.h"
#include "JoinPanel.h"
#include "SplitPanel.h"
#include "StatusBar.h"
#include "flow/PanelChecks.h"
#include "flow/StartArguments.h"

#include <QAction>
#include <QCloseEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QToolButton>

namespace carvel {

namespace {

const char* const kProgramTitle = "Carvel";

} // namespace

frmSplitJoin::frmSplitJoin(IMessageBox& messageBox, IFileDialog& fileDialog, FileSystem& fs,
                           QString arguments, std::function<void()> showAbout, QWidget* parent)
    : WindowFrame(messageBox, kProgramTitle, parent), m_arguments(std::move(arguments)),
      m_showAbout(std::move(showAbout)) {
    setWindowTitle(QLatin1String(kProgramTitle));

    // The keys and captions in the order of the flag string's positions.
    buildToolbar({"Split", "Join", "About", "Help", "Exit"},
                 [this](const QString& key) { tbMenu_ButtonClick(key); });
    buildMenus();

    m_splitDialog = new SplitPanel(messageBox, fileDialog, fs, kProgramTitle, panelArea());
    m_joinDialog =
        new JoinPanel(messageBox, fileDialog, fs, JoinPanelPolicy::carvel(), panelArea());
    placePanel(m_splitDialog);
    placePanel(m_joinDialog);
    new FileDrop(*this, m_splitDialog, *m_joinDialog, messageBox);
    watchWork(m_splitDialog->work());
    watchWork(m_joinDialog->work());
}

frmSplitJoin::~frmSplitJoin() = default;

void frmSplitJoin::buildMenus() {
    QMenu* mnuf = menuBar()->addMenu(QStringLiteral("&File"));
    mnuf->setObjectName(QStringLiteral("mnuf"));
    m_mnusp = addMenuEntry(mnuf, "mnusp", QStringLiteral("&Split"), [this] { mnusp_Click(); });
    m_mnujn = addMenuEntry(mnuf, "mnujn", QStringLiteral("&Join"), [this] { mnujn_Click(); });
    mnuf->addSeparator()->setObjectName(QStringLiteral("mnuds"));
    m_mnuex = addMenuEntry(mnuf, "mnuex", QStringLiteral("&Exit"), [this] { mnuex_Click(); });

    QMenu* mnuh = menuBar()->addMenu(QStringLiteral("Help"));
    mnuh->setObjectName(QStringLiteral("mnuh"));
    m_mnuhp = addMenuEntry(mnuh, "mnuhp", QStringLiteral("&Help"), [this] { mnuhp_Click(); });
    m_mnuab = addMenuEntry(mnuh, "mnuab", QStringLiteral("&About"), [this] { mnuab_Click(); });
}

void frmSplitJoin::ShowTBButton(const QString& srcPatern, bool srcAllButton) {
    m_flags = srcAllButton ? QStringLiteral("ttttt") : srcPatern;
    QString p = m_flags;
    if (isWorking())
        p.replace(0, 2, QStringLiteral("ff"));
    applyFlags(p, {m_mnusp, m_mnujn, m_mnuab, m_mnuhp, m_mnuex});
}

void frmSplitJoin::workChanged(bool) {
    ShowTBButton(m_flags);
}

void frmSplitJoin::setModePicture(const QString& role) {
    statusBar1()->setPicture(role, Artwork::modePicture(role));
}

void frmSplitJoin::SwitchToSplitMode() {
    if (isWorking())
        return;
    m_splitDialog->cmdSplit()->setEnabled(true);
    ShowTBButton(QStringLiteral("ftttt"));
    m_joinDialog->hide();
    m_splitDialog->show();
    showPanelFocus(m_splitDialog->txtSplitSourceFile());
    setWindowTitle(QStringLiteral("Split File"));
    setModePicture(QStringLiteral("Split"));
    statusBar1()->setText(QStringLiteral("Split File"));
}

void frmSplitJoin::SwitchToJoinMode() {
    if (isWorking())
        return;
    m_joinDialog->cmdJoin()->setEnabled(true);
    ShowTBButton(QStringLiteral("tfttt"));
    m_splitDialog->hide();
    m_joinDialog->show();
    showPanelFocus(m_joinDialog->txtJoinSourceFile());
    setWindowTitle(QStringLiteral("Join Files"));
    setModePicture(QStringLiteral("Join"));
    statusBar1()->setText(QStringLiteral("Join File"));
}

void frmSplitJoin::showPanelFocus(QWidget* firstBox) {
    // The keys go to the panel now shown, never to a box of the hidden one.
    firstBox->setFocus(Qt::OtherFocusReason);
}

void frmSplitJoin::tbMenu_ButtonClick(const QString& key) {
    guarded([this, &key] {
        if (key == QLatin1String("Split"))
            SwitchToSplitMode();
        if (key == QLatin1String("Join"))
            SwitchToJoinMode();
        if (key == QLatin1String("About"))
            mnuab_Click();
        if (key == QLatin1String("Help"))
            mnuhp_Click();
        if (key == QLatin1String("Exit"))
            mnuex_Click();
    });
}

void frmSplitJoin::mnusp_Click() {
    SwitchToSplitMode();
}

void frmSplitJoin::mnujn_Click() {
    SwitchToJoinMode();
}

void frmSplitJoin::mnuex_Click() {
    close();
}

void frmSplitJoin::mnuab_Click() {
    ShowTBButton(QStringLiteral("ttttt"));
    setWindowTitle(QStringLiteral("About"));
    setModePicture(QStringLiteral("About"));
    statusBar1()->setText(QStringLiteral("About"));
    if (m_showAbout)
        m_showAbout();
}

void frmSplitJoin::mnuhp_Click() {
    ShowTBButton(QStringLiteral("ttttt"));
    setWindowTitle(QStringLiteral("Help"));
    setModePicture(QStringLiteral("Help"));
    statusBar1()->setText(QStringLiteral("Help"));
    showHelpContents();
}

void frmSplitJoin::useHelp(HelpServices services, QString programFolder) {
    m_helpServices.emplace(services);
    m_programFolder = std::move(programFolder);
}

void frmSplitJoin::showHelpContents() {
    if (!m_helpServices)
        return;
    if (!helpObject)
        helpObject = std::make_unique<HTMLHelp>(*m_helpServices, m_programFolder.toStdString());
    // Beside the program or where an installation puts it; the help class reports a missing
    // file under the program's folder.
    helpObject->setCHMFile(helpObject->locateHelpFile("Carvel.chm"));
    helpObject->setHHWindow("Main");
    helpObject->HHDisplayContents(0);
    helpShown = true;
}

void frmSplitJoin::Form_QueryUnload() {
    // Closing always succeeds: a help viewer that fails to close its windows is passed over.
    try {
        if (helpShown && helpObject)
            helpObject->HHClose();
    } catch (...) {
    }
    helpObject.reset();
}

void frmSplitJoin::closeEvent(QCloseEvent* event) {
    // A split or join in progress stops first, when the user wants it to.
    if (!mayClose()) {
        event->ignore();
        return;
    }
    try {
        Form_QueryUnload();
    } catch (...) {
        // Closing always succeeds.
    }
    event->accept();
}

void frmSplitJoin::Form_Load() {
    guarded([this] {
        ShowTBButton(QStringLiteral("ftttt"));
        m_splitDialog->optSizeMode_Click(0);
        m_joinDialog->hide();
        m_splitDialog->show();
        setWindowTitle(QStringLiteral("Split File"));
        setModePicture(QStringLiteral("Split"));
        m_splitDialog->cmdSelectSplitFile()->setIcon(m_joinDialog->cmdSelectJoinFile()->icon());
        readCommandLine();
    });
}

void frmSplitJoin::readCommandLine() {
    const StartRequest request = parseStartArguments(m_arguments.toStdString());
    if (request.mode == StartRequest::Mode::Split) {
        m_splitDialog->txtSplitSourceFile()->setText(QString::fromStdString(request.path));
        return;
    }
    if (request.mode == StartRequest::Mode::Join) {
        SwitchToJoinMode();
        // "-J" alone, as a launcher gives the menu's join action with no file, only opens join
        // mode: there is no path to refuse.
        if (!request.path.empty())
            m_joinDialog->startWithPiece(request.path);
    }
}

} // namespace carvel
