#include "WindowFrame.h"

#include "Artwork.h"
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

namespace carvel {

namespace {

constexpr int kToolbarTwips = 540;
constexpr int kClientWidthTwips = 7155;
constexpr int kClientHeightTwips = 4500;
constexpr int kStatusBarTwips = 300;
constexpr int kPanelLeftTwips = 120;
constexpr int kPanelTopTwips = 840;

} // namespace

WindowFrame::WindowFrame(QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                              Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                              Qt::MSWindowsFixedSizeDialogHint) {
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
    connect(m_escape, &QShortcut::activated, this, [this] { windowFlow().escape(); });
}

void WindowFrame::setCaption(const std::string& caption) {
    setWindowTitle(QString::fromStdString(caption));
}

void WindowFrame::setModePicture(const std::string& role) {
    const QString name = QString::fromStdString(role);
    m_statusBar->setPicture(name, Artwork::modePicture(name));
}

void WindowFrame::setStatusText(const std::string& text) {
    m_statusBar->setText(QString::fromStdString(text));
}

void WindowFrame::setCommandEnabled(int position, bool enabled) {
    const auto index = static_cast<std::size_t>(position - 1);
    m_buttons.at(index)->setEnabled(enabled);
    m_entries.at(index)->setEnabled(enabled);
}

void WindowFrame::showProgress(const ProgressText& progress) {
    m_statusBar->showProgress(progress);
}

void WindowFrame::showIdle() {
    m_statusBar->showIdle();
}

void WindowFrame::setCancelKeyEnabled(bool enabled) {
    m_escape->setEnabled(enabled);
}

void WindowFrame::alertIfInactive() {
    if (!isActiveWindow())
        QApplication::alert(this);
}

bool WindowFrame::close() {
    return QMainWindow::close();
}

void WindowFrame::quit() {
    QCoreApplication::quit();
}

void* WindowFrame::owner() {
    return this;
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
    connect(action, &QAction::triggered, this, [command] { command(); });
    return action;
}

void WindowFrame::placePanel(QWidget* panel) {
    // The panels' place is given in the window's coordinates; the toolbar's height comes off
    // their top, as the area starts below it.
    panel->move(twips(kPanelLeftTwips), twips(kPanelTopTwips) - twips(kToolbarTwips));
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
