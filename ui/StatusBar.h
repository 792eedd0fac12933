#pragma once

#include <QPixmap>
#include <QStatusBar>
#include <QString>

class QLabel;
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
    void setText(const QString& text);
    QString text() const;

    bool insertMode() const { return m_insert; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showClock();
    void showKeyStates();
    void fitPicture();
    QLabel* addPanel(QWidget* row, int index, int widthTwips);

    QLabel* m_panels[10] = {};
    QPixmap m_picture;
    QTimer* m_clock;
    bool m_insert = false;
    bool m_numLock = false;
    bool m_capsLock = false;
    bool m_scrollLock = false;
};

} // namespace carvel
