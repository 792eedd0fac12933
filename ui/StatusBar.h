#pragma once

#include "flow/ProgressText.h"

#include <QPixmap>
#include <QStatusBar>
#include <QString>

class QLabel;
class QProgressBar;
class QTimer;

namespace carvel {

// "StatusBar1": ten panels. The program writes the first two (a picture and a name); the others
// show the date, the time and the keyboard's insert and lock states by themselves.
class StatusBar final : public QStatusBar {
    Q_OBJECT

public:
    explicit StatusBar(QWidget* parent = nullptr);

    // Panel 1's picture; role names it ("Split", "Join", "About", "Help") for whoever asks.
    void setPicture(const QString& role, const QPixmap& picture);
    QString pictureRole() const;
    // Panel 2's text; while work runs it is kept for the idle bar that comes back after it.
    void setText(const QString& text);
    QString text() const;

    // While work runs, panel 2 tells what runs and how far ("Splitting 42%"), and a progress bar
    // with the amount done of the total, the rate and the time left takes the place of the
    // panels right of it. Without steps the bar only shows that work goes on.
    void showProgress(const ProgressText& progress);
    // The idle panels again, panel 2 with its text.
    void showIdle();

    bool insertMode() const { return m_insert; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showClock();
    void showKeyStates();
    void fitPicture();
    QLabel* addPanel(QWidget* row, int index, int widthTwips);

    QLabel* m_panels[10] = {};
    QWidget* m_progress = nullptr;
    QProgressBar* m_bar = nullptr;
    QLabel* m_progressText = nullptr;
    QString m_idleText;
    bool m_working = false;
    QPixmap m_picture;
    QTimer* m_clock;
    bool m_insert = false;
    bool m_numLock = false;
    bool m_capsLock = false;
    bool m_scrollLock = false;
};

} // namespace carvel
