#include "WindowFrame.h"

#include "Artwork.h"
#include "BackgroundWork.h"
#include "ButtonKeys.h"
#include "Controls.h"
#include "StatusBar.h"
#include "Twips.h"

#include <QAction>
#include <QApplication>
#include <QLayout>
#include <QMenu>
#include <QScreen>
#include <QShortcut>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <exception>

namespace carvel {

namespace {

constexpr int kToolbarTwips = 540;
constexpr int kClientWidthTwips = 7155;
constexpr int kClientHeightTwips = 4500;
constexpr int kStatusBarTwips = 300;
constexpr int kPanelLeftTwips = 120;
constexpr int kPanelTopTwips = 840;
// Work that ends after this long in a window that is not active asks for the user's attention.
constexpr double kAlertSeconds = 10;

} // namespace

WindowFrame::WindowFrame(IMessageBox& messageBox, const char* programTitle, QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                              Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                              Qt::MSWindowsFixedSizeDialogHint),
      m_messageBox(messageBox), m_programTitle(programTitle) {
    setObjectName(QStringLiteral("frmSplitJoin"));
    ButtonKeys::install();
    setProgramIcon(Artwork::windowIcon());
    setFont(Controls::windowFont());

    m_area = new QWidget(this);
    m_area->setFixedSize(
        twipsSize(kClientWidthTwips, kClientHeightTwips - kToolbarTwips - kStatusBarTwips));
    setCentralWidget(m_area);

    m_statusBar = new StatusBar(this);
    setStatusBar(m_statusBar);

    // No resizing: the window keeps the size of its contents.
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    m_escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    m_escape->setEnabled(false);
    connect(m_escape, &QShortcut::activated, this, [this] {
        for (BackgroundWork* work : m_works)
            work->cancel();
    });
}

void WindowFrame::watchWork(BackgroundWork* work) {
    m_works.push_back(work);
    connect(work, &BackgroundWork::started, this, [this] {
        m_escape->setEnabled(true);
        workChanged(true);
    });
    connect(work, &BackgroundWork::progressed, this,
            [this, work](qint64 done, qint64 total, double seconds) {
                m_statusBar->showProgress(work->verb(), done, total, seconds);
            });
    connect(work, &BackgroundWork::ended, this, [this, work] {
        // The close question is moot once the work has ended: it goes, and the outcome shows.
        if (m_closeQuestion != nullptr)
            m_closeQuestion->withdraw();
        m_statusBar->showIdle();
        m_escape->setEnabled(false);
        guarded([this] { workChanged(false); });
        if (work->seconds() > kAlertSeconds && !isActiveWindow())
            QApplication::alert(this);
        if (m_closeAfterWork)
            QTimer::singleShot(0, this, [this] {
                close();
                if (m_quitAfterWork)
                    QCoreApplication::quit();
            });
    });
}

bool WindowFrame::isWorking() const {
    for (const BackgroundWork* work : m_works)
        if (work->isRunning())
            return true;
    return false;
}

bool WindowFrame::mayClose() {
    BackgroundWork* running = nullptr;
    for (BackgroundWork* work : m_works)
        if (work->isRunning())
            running = work;
    if (running == nullptr)
        return true;
    if (m_closeAfterWork)
        return false; // already stopping; the window closes when it has
    const std::string title = m_programTitle;
    Withdrawal question;
    m_closeQuestion = &question;
    MsgAnswer answer = MsgAnswer::No;
    try {
        answer = m_messageBox.show(
            {running->what().toStdString() + " is not finished. Do you want to stop it and close " +
                 title + "?",
             title, MsgButtons::YesNo, MsgIcon::None, MsgAnswer::No, this, &question});
    } catch (...) {
        // A box that cannot be shown answers No: the work goes on.
    }
    m_closeQuestion = nullptr;
    if (answer != MsgAnswer::Yes || question.withdrawn())
        return false;
    // The work may have ended while the question was open.
    if (!running->isRunning())
        return true;
    m_closeAfterWork = true;
    running->stopForClose();
    return false;
}

void WindowFrame::stopAndQuit() {
    m_quitAfterWork = true;
    for (BackgroundWork* work : m_works) {
        if (work->isRunning()) {
            m_closeAfterWork = true;
            work->stopForClose();
            return;
        }
    }
    close();
    QCoreApplication::quit();
}

WindowFrame::~WindowFrame() = default;

void WindowFrame::buildToolbar(std::initializer_list<const char*> keys,
                               std::function<void(const QString&)> onClick) {
    m_tbMenu = new QToolBar(this);
    m_tbMenu->setObjectName(QStringLiteral("tbMenu"));
    m_tbMenu->setMovable(false);
    m_tbMenu->setFloatable(false);
    m_tbMenu->setFixedHeight(twips(kToolbarTwips));
    m_tbMenu->setContextMenuPolicy(Qt::PreventContextMenu);
    m_tbMenu->setIconSize(QSize(24, 24));
    for (const char* name : keys) {
        const QString key = QLatin1String(name);
        // Plain buttons rather than actions: an action would lend its caption as a tooltip.
        auto* button = new QToolButton(m_tbMenu);
        button->setObjectName(QStringLiteral("tbMenu_") + key);
        button->setProperty("key", key);
        button->setText(key);
        button->setIcon(Artwork::toolbarIcon(key));
        button->setIconSize(QSize(24, 24));
        button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        button->setFixedSize(64, 30);
        button->setAutoRaise(true);
        button->setFocusPolicy(Qt::NoFocus);
        m_tbMenu->addWidget(button);
        m_buttons.push_back(button);
        connect(button, &QToolButton::clicked, this, [key, onClick] { onClick(key); });
    }
    addToolBar(Qt::TopToolBarArea, m_tbMenu);
}

QAction* WindowFrame::addMenuEntry(QMenu* menu, const char* name, const QString& caption,
                                   std::function<void()> command) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(QLatin1String(name));
    connect(action, &QAction::triggered, this, [this, command] { guarded(command); });
    return action;
}

void WindowFrame::placePanel(QWidget* panel) {
    // The panels' place is given in the window's coordinates; the toolbar's height comes off
    // their top, as the area starts below it.
    panel->move(twips(kPanelLeftTwips), twips(kPanelTopTwips) - twips(kToolbarTwips));
}

void WindowFrame::applyFlags(const QString& flags, std::initializer_list<QAction*> entries) {
    int index = 0;
    for (QAction* entry : entries) {
        const bool enabled = index < flags.size() && flags.at(index) == QLatin1Char('t');
        m_buttons.at(index)->setEnabled(enabled);
        entry->setEnabled(enabled);
        ++index;
    }
}

void WindowFrame::guarded(const std::function<void()>& command) {
    try {
        command();
    } catch (const std::exception& error) {
        m_messageBox.show(
            {error.what(), m_programTitle, MsgButtons::Ok, MsgIcon::None, MsgAnswer::Ok, this});
    } catch (...) {
        m_messageBox.show({"Unexpected error.", m_programTitle, MsgButtons::Ok, MsgIcon::None,
                           MsgAnswer::Ok, this});
    }
}

void WindowFrame::setProgramIcon(const QIcon& icon) {
    setWindowIcon(icon);
    QApplication::setWindowIcon(icon);
}

void WindowFrame::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (m_centred)
        return;
    m_centred = true;
    if (const QScreen* display = screen())
        move(display->availableGeometry().center() - frameGeometry().center() + pos());
}

} // namespace carvel
