#include "frmSplitJoin.h"

#include "Artwork.h"
#include "Controls.h"
#include "HTMLHelp.h"
#include "JoinPanel.h"
#include "PanelChecks.h"
#include "SplitPanel.h"
#include "StatusBar.h"
#include "Twips.h"

#include <QAction>
#include <QCloseEvent>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QToolBar>
#include <QToolButton>
#include <exception>

namespace carvel {

namespace {

const char* const kProgramTitle = "Carvel";
// The toolbar's keys and captions, in the order of the flag string's positions.
const char* const kButtonKeys[5] = {"Split", "Join", "About", "Help", "Exit"};
constexpr int kToolbarTwips = 540;
constexpr int kClientWidthTwips = 7155;
constexpr int kClientHeightTwips = 4500;
constexpr int kStatusBarTwips = 300;

} // namespace

frmSplitJoin::frmSplitJoin(IMessageBox& messageBox, IFileDialog& fileDialog, FileSystem& fs,
                           QString arguments, std::function<void()> showAbout, QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                              Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                              Qt::MSWindowsFixedSizeDialogHint),
      m_messageBox(messageBox), m_arguments(std::move(arguments)),
      m_showAbout(std::move(showAbout)) {
    setObjectName(QStringLiteral("frmSplitJoin"));
    setWindowTitle(QLatin1String(kProgramTitle));
    setWindowIcon(Artwork::windowIcon());
    setFont(Controls::windowFont());

    buildToolbar();
    buildMenus();

    // The panels share the area between the toolbar and the status bar, placed as in the
    // window's own coordinates, so the toolbar's height comes off their top.
    auto* area = new QWidget(this);
    area->setFixedSize(
        twipsSize(kClientWidthTwips, kClientHeightTwips - kToolbarTwips - kStatusBarTwips));
    m_splitDialog = new SplitPanel(messageBox, fileDialog, fs, kProgramTitle, area);
    m_joinDialog = new JoinPanel(messageBox, fileDialog, fs, JoinPanelPolicy::carvel(), area);
    for (QWidget* panel :
         {static_cast<QWidget*>(m_splitDialog), static_cast<QWidget*>(m_joinDialog)})
        panel->move(twips(120), twips(840) - twips(kToolbarTwips));
    setCentralWidget(area);

    m_statusBar = new StatusBar(this);
    setStatusBar(m_statusBar);

    // No resizing: the window keeps the size of its contents.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

frmSplitJoin::~frmSplitJoin() = default;

void frmSplitJoin::buildToolbar() {
    m_tbMenu = new QToolBar(this);
    m_tbMenu->setObjectName(QStringLiteral("tbMenu"));
    m_tbMenu->setMovable(false);
    m_tbMenu->setFloatable(false);
    m_tbMenu->setFixedHeight(twips(kToolbarTwips));
    m_tbMenu->setContextMenuPolicy(Qt::PreventContextMenu);
    m_tbMenu->setIconSize(QSize(24, 24));
    for (int index = 0; index < 5; ++index) {
        const QString key = QLatin1String(kButtonKeys[index]);
        // Plain buttons rather than actions: an action would lend its caption as a tooltip.
        auto* button = new QToolButton(m_tbMenu);
        button->setObjectName(QStringLiteral("tbMenu_") + key);
        button->setProperty("key", key);
        button->setText(key);
        button->setIcon(QIcon(Artwork::toolbarImage(key)));
        button->setIconSize(QSize(24, 24));
        button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        button->setFixedSize(64, 30);
        button->setAutoRaise(true);
        button->setFocusPolicy(Qt::NoFocus);
        m_tbMenu->addWidget(button);
        m_buttons[index] = button;
        connect(button, &QToolButton::clicked, this, [this, key] { tbMenu_ButtonClick(key); });
    }
    addToolBar(Qt::TopToolBarArea, m_tbMenu);
}

void frmSplitJoin::buildMenus() {
    auto addEntry = [this](QMenu* menu, const char* name, const QString& caption,
                           void (frmSplitJoin::*command)()) {
        QAction* action = menu->addAction(caption);
        action->setObjectName(QLatin1String(name));
        connect(action, &QAction::triggered, this,
                [this, command] { guarded([this, command] { (this->*command)(); }); });
        return action;
    };

    QMenu* mnuf = menuBar()->addMenu(QStringLiteral("&File"));
    mnuf->setObjectName(QStringLiteral("mnuf"));
    m_mnusp = addEntry(mnuf, "mnusp", QStringLiteral("&Split"), &frmSplitJoin::mnusp_Click);
    m_mnujn = addEntry(mnuf, "mnujn", QStringLiteral("&Join"), &frmSplitJoin::mnujn_Click);
    mnuf->addSeparator()->setObjectName(QStringLiteral("mnuds"));
    m_mnuex = addEntry(mnuf, "mnuex", QStringLiteral("&Exit"), &frmSplitJoin::mnuex_Click);

    QMenu* mnuh = menuBar()->addMenu(QStringLiteral("Help"));
    mnuh->setObjectName(QStringLiteral("mnuh"));
    m_mnuhp = addEntry(mnuh, "mnuhp", QStringLiteral("&Help"), &frmSplitJoin::mnuhp_Click);
    m_mnuab = addEntry(mnuh, "mnuab", QStringLiteral("&About"), &frmSplitJoin::mnuab_Click);
}

void frmSplitJoin::guarded(const std::function<void()>& command) {
    try {
        command();
    } catch (const std::exception& error) {
        m_messageBox.show(
            {error.what(), kProgramTitle, MsgButtons::Ok, MsgIcon::None, MsgAnswer::Ok, this});
    } catch (...) {
        m_messageBox.show({"Unexpected error.", kProgramTitle, MsgButtons::Ok, MsgIcon::None,
                           MsgAnswer::Ok, this});
    }
}

void frmSplitJoin::ShowTBButton(const QString& srcPatern, bool srcAllButton) {
    const QString p = srcAllButton ? QStringLiteral("ttttt") : srcPatern;
    QAction* const entries[5] = {m_mnusp, m_mnujn, m_mnuab, m_mnuhp, m_mnuex};
    for (int index = 0; index < 5; ++index) {
        const bool enabled = index < p.size() && p.at(index) == QLatin1Char('t');
        m_buttons[index]->setEnabled(enabled);
        entries[index]->setEnabled(enabled);
    }
}

void frmSplitJoin::setModePicture(const QString& role) {
    m_statusBar->setPicture(role, Artwork::modePicture(role));
}

void frmSplitJoin::SwitchToSplitMode() {
    m_splitDialog->cmdSplit()->setEnabled(true);
    ShowTBButton(QStringLiteral("ftttt"));
    m_joinDialog->hide();
    m_splitDialog->show();
    setWindowTitle(QStringLiteral("Split File"));
    setModePicture(QStringLiteral("Split"));
    m_statusBar->setText(QStringLiteral("Split File"));
}

void frmSplitJoin::SwitchToJoinMode() {
    m_joinDialog->cmdJoin()->setEnabled(true);
    ShowTBButton(QStringLiteral("tfttt"));
    m_splitDialog->hide();
    m_joinDialog->show();
    setWindowTitle(QStringLiteral("Join Files"));
    setModePicture(QStringLiteral("Join"));
    m_statusBar->setText(QStringLiteral("Join File"));
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
    m_statusBar->setText(QStringLiteral("About"));
    if (m_showAbout)
        m_showAbout();
}

void frmSplitJoin::mnuhp_Click() {
    ShowTBButton(QStringLiteral("ttttt"));
    setWindowTitle(QStringLiteral("Help"));
    setModePicture(QStringLiteral("Help"));
    m_statusBar->setText(QStringLiteral("Help"));
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
    // The folder as reported, with the name appended; the help class reports a missing file.
    helpObject->setCHMFile(m_programFolder.toStdString() + "/Carvel.chm");
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
    // A split or join in progress holds files open: the window stays until it is done.
    if (m_splitDialog->isWorking() || m_joinDialog->isWorking()) {
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

void frmSplitJoin::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (m_centred)
        return;
    m_centred = true;
    if (const QScreen* display = screen())
        move(display->availableGeometry().center() - frameGeometry().center() + pos());
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
    const std::string a = m_arguments.toStdString();
    if (trimBlanks(a).empty())
        return;
    const QString head = m_arguments.left(2).toUpper();
    if (head == QLatin1String("-S")) {
        m_splitDialog->txtSplitSourceFile()->setText(
            QString::fromStdString(trimBlanks(m_arguments.mid(2).toStdString())));
        return;
    }
    if (head == QLatin1String("-J")) {
        SwitchToJoinMode();
        const std::string p = trimBlanks(m_arguments.mid(2).toStdString());
        if (!m_joinDialog->MakeJoinPattern(p)) {
            m_messageBox.show({"File: " + p + " is not a valid file to Join",
                               "Invalid file selected", MsgButtons::Ok, MsgIcon::Critical,
                               MsgAnswer::Ok, this});
            m_joinDialog->cmdSelectJoinFile_Click();
        }
    }
}

} // namespace carvel
