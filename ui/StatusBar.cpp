#include "StatusBar.h"

#include "Controls.h"
#include "KeyboardLocks.h"
#include "Twips.h"

#include <QApplication>
#include <QDateTime>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QProgressBar>
#include <QTimer>

namespace carvel {

namespace {

enum Panel { Picture, Name, Spacer, Date, Gap, Time, Insert, NumLock, CapsLock, ScrollLock };

} // namespace

StatusBar::StatusBar(QWidget* parent) : QStatusBar(parent) {
    setObjectName(QStringLiteral("StatusBar1"));
    setSizeGripEnabled(false);
    setFixedHeight(twips(300));
    setFont(Controls::windowFont());

    // The panels sit edge to edge in one row of their own, as wide as the window allows.
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    const int widths[10] = {600, 1440, 300, 1000, 570, 1000, 500, 500, 500, 500};
    for (int index = 0; index < 10; ++index) {
        m_panels[index] = addPanel(row, index, widths[index]);
        layout->addWidget(m_panels[index], index == Gap ? 1 : 0);
    }
    // The progress takes the place of the panels right of panel 2 while work runs.
    auto* progress = new QFrame(row);
    progress->setObjectName(QStringLiteral("Progress"));
    progress->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_progress = progress;
    auto* progressLayout = new QHBoxLayout(m_progress);
    progressLayout->setContentsMargins(2, 2, 2, 2);
    progressLayout->setSpacing(4);
    m_bar = new QProgressBar(m_progress);
    m_bar->setTextVisible(false);
    m_bar->setFixedWidth(twips(1500));
    m_progressText = new QLabel(m_progress);
    progressLayout->addWidget(m_bar);
    progressLayout->addWidget(m_progressText, 1);
    layout->insertWidget(Spacer, m_progress, 1);
    m_progress->hide();
    addWidget(row, 1);
    // The gap between the date and the time takes what is left, but never less than its minimum.
    m_panels[Gap]->setMinimumWidth(twips(330));
    m_panels[Gap]->setMaximumWidth(QWIDGETSIZE_MAX);
    m_panels[Insert]->setText(QStringLiteral("INS"));
    m_panels[NumLock]->setText(QStringLiteral("NUM"));
    m_panels[CapsLock]->setText(QStringLiteral("CAPS"));
    m_panels[ScrollLock]->setText(QStringLiteral("SCRL"));
    // Screen readers get whole names where the panels show a picture or a short form; a key
    // panel that is off is disabled, which they tell too.
    setAccessibleName(QStringLiteral("Status"));
    m_panels[Insert]->setAccessibleName(QStringLiteral("Insert"));
    m_panels[NumLock]->setAccessibleName(QStringLiteral("Num Lock"));
    m_panels[CapsLock]->setAccessibleName(QStringLiteral("Caps Lock"));
    m_panels[ScrollLock]->setAccessibleName(QStringLiteral("Scroll Lock"));
    m_bar->setAccessibleName(QStringLiteral("Progress"));

    m_clock = new QTimer(this);
    m_clock->setInterval(1000);
    connect(m_clock, &QTimer::timeout, this, &StatusBar::showClock);
    m_clock->start();
    showClock();
    qApp->installEventFilter(this);
}

QLabel* StatusBar::addPanel(QWidget* row, int index, int widthTwips) {
    auto* panel = new QLabel(row);
    panel->setObjectName(QStringLiteral("Panel%1").arg(index + 1));
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setAlignment(Qt::AlignCenter);
    panel->setFixedWidth(twips(widthTwips));
    return panel;
}

void StatusBar::setPicture(const QString& role, const QPixmap& picture) {
    m_picture = picture;
    m_panels[Picture]->setProperty("role", role);
    m_panels[Picture]->setAccessibleName(role);
    fitPicture();
}

void StatusBar::fitPicture() {
    // The bar is only 300 twips high: a picture taller than the panel's inside is shown
    // smaller rather than cut off at top and bottom.
    const QSize room = m_panels[Picture]->contentsRect().size();
    const QSize shown = m_picture.deviceIndependentSize().toSize();
    if (m_picture.isNull() || room.isEmpty() ||
        (shown.width() <= room.width() && shown.height() <= room.height())) {
        m_panels[Picture]->setPixmap(m_picture);
        return;
    }
    // Made smaller in the picture's own device pixels, so it stays sharp on a scaled screen.
    const qreal ratio = m_picture.devicePixelRatio();
    QPixmap smaller = m_picture.scaled(room * ratio, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    smaller.setDevicePixelRatio(ratio);
    m_panels[Picture]->setPixmap(smaller);
}

QString StatusBar::pictureRole() const {
    return m_panels[Picture]->property("role").toString();
}

void StatusBar::setText(const QString& text) {
    m_idleText = text;
    if (!m_working)
        m_panels[Name]->setText(text);
}

void StatusBar::showProgress(const ProgressText& progress) {
    if (!m_working) {
        m_working = true;
        for (int index = Spacer; index <= ScrollLock; ++index)
            m_panels[index]->hide();
        m_progress->show();
    }
    m_panels[Name]->setText(QString::fromStdString(progress.name));
    if (progress.steps < 0) {
        m_bar->setRange(0, 0);
    } else {
        m_bar->setRange(0, kProgressSteps);
        m_bar->setValue(progress.steps);
    }
    m_progressText->setText(QString::fromStdString(progress.detail));
}

void StatusBar::showIdle() {
    if (!m_working)
        return;
    m_working = false;
    m_progress->hide();
    for (int index = Spacer; index <= ScrollLock; ++index)
        m_panels[index]->show();
    m_panels[Name]->setText(m_idleText);
}

QString StatusBar::text() const {
    return m_panels[Name]->text();
}

void StatusBar::showClock() {
    const QDateTime now = QDateTime::currentDateTime();
    const QLocale locale = QLocale::system();
    m_panels[Date]->setText(locale.toString(now.date(), QLocale::ShortFormat));
    m_panels[Time]->setText(locale.toString(now.time(), QLocale::ShortFormat));
    // The lock keys can change in other windows too: ask again with every tick.
    showKeyStates();
}

void StatusBar::showKeyStates() {
    const LockKeyStates told = readLockKeyStates();
    m_capsLock = told.capsLock.value_or(m_capsLock);
    m_numLock = told.numLock.value_or(m_numLock);
    m_scrollLock = told.scrollLock.value_or(m_scrollLock);
    m_panels[Insert]->setEnabled(m_insert);
    m_panels[NumLock]->setEnabled(m_numLock);
    m_panels[CapsLock]->setEnabled(m_capsLock);
    m_panels[ScrollLock]->setEnabled(m_scrollLock);
}

bool StatusBar::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_panels[Picture] && event->type() == QEvent::Resize)
        fitPicture();
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
        return false;
    // A key event travels up from the focus widget to the window; count it once, where it
    // starts, and only for this window.
    auto* widget = static_cast<QWidget*>(watched);
    QWidget* start = QApplication::focusWidget();
    if (widget->window() != window() || (start != nullptr ? widget != start : widget != window()))
        return false;

    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->isAutoRepeat())
        return false;
    // Where the display server tells the lock states, what it says after this key wins.
    switch (key->key()) {
    case Qt::Key_Insert:
        m_insert = !m_insert;
        break;
    case Qt::Key_CapsLock:
        m_capsLock = !m_capsLock;
        break;
    case Qt::Key_NumLock:
        m_numLock = !m_numLock;
        break;
    case Qt::Key_ScrollLock:
        m_scrollLock = !m_scrollLock;
        break;
    default:
        break;
    }
    showKeyStates();
    return false;
}

} // namespace carvel
