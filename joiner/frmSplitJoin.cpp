#include "frmSplitJoin.h"

#include "Artwork.h"
#include "Controls.h"
#include "JoinPanel.h"
#include "StatusBar.h"
#include "Twips.h"
#include "frmAbout.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QToolBar>
#include <QToolButton>
#include <exception>

namespace carvel::joiner {

namespace {

const char* const kProgramTitle = "Seamer";
// Seamer's two buttons, in the order of the flag string's positions; their images are the About
// and Exit images of the program's five.
const char* const kButtonKeys[2] = {"About", "Exit"};
// The window has the frame of Carvel's: the same client area, toolbar, panel place and status bar.
constexpr int kToolbarTwips = 540;
constexpr int kClientWidthTwips = 7155;
constexpr int kClientHeightTwips = 4500;
constexpr int kStatusBarTwips = 300;

} // namespace

frmSplitJoin::frmSplitJoin(IMessageBox& messageBox, IFileDialog& fileDialog, FileSystem& fs,
                           IShellExecute& shell, QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                              Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                              Qt::MSWindowsFixedSizeDialogHint),
      m_messageBox(messageBox), m_shell(shell) {
    setObjectName(QStringLiteral("frmSplitJoin"));
    setWindowIcon(Artwork::windowIcon());
    setFont(Controls::windowFont());

    buildToolbar();
    buildMenus();

    auto* area = new QWidget(this);
    area->setFixedSize(
        twipsSize(kClientWidthTwips, kClientHeightTwips - kToolbarTwips - kStatusBarTwips));
    m_joinDialog = new JoinPanel(messageBox, fileDialog, fs, JoinPanelPolicy::seamer(), area);
    m_joinDialog->move(twips(120), twips(840) - twips(kToolbarTwips));
    m_joinDialog->hide();
    setCentralWidget(area);

    m_statusBar = new StatusBar(this);
    setStatusBar(m_statusBar);

    // No resizing: the window keeps the size of its contents.
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    Form_Load();
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
    for (int index = 0; index < 2; ++index) {
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
    m_mnuab = addEntry(mnuf, "mnuab", QStringLiteral("&About"), &frmSplitJoin::mnuab_Click);
    mnuf->addSeparator()->setObjectName(QStringLiteral("mnuds"));
    m_mnuex = addEntry(mnuf, "mnuex", QStringLiteral("&Exit"), &frmSplitJoin::mnuex_Click);
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

void frmSplitJoin::Form_Load() {
    m_joinDialog->show();
    setWindowTitle(QStringLiteral("Join File"));
    m_statusBar->setPicture(QStringLiteral("Join"), Artwork::modePicture(QStringLiteral("Join")));
}

void frmSplitJoin::ShowTBButton(const QString& srcPatern, bool& srcAllButton) {
    const QString p = srcAllButton ? QStringLiteral("ttttt") : srcPatern;
    QAction* const entries[2] = {m_mnuab, m_mnuex};
    for (int index = 0; index < 2; ++index) {
        const bool enabled = index < p.size() && p.at(index) == QLatin1Char('t');
        m_buttons[index]->setEnabled(enabled);
        entries[index]->setEnabled(enabled);
    }
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
    frmAbout box(m_shell, frmAbout::Program::Seamer);
    box.exec();
}

void frmSplitJoin::exitProgram() {
    if (close())
        QCoreApplication::exit(0);
}

void frmSplitJoin::closeEvent(QCloseEvent* event) {
    // A join in progress holds files open: the window stays until it is done.
    if (m_joinDialog->isWorking()) {
        event->ignore();
        return;
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

} // namespace carvel::joiner
