#pragma once

#include "IMessageBox.h"

#include <QObject>
#include <QPointer>
#include <string>

class QWidget;

namespace carvel {

class JoinPanel;
class SplitPanel;

// Files dropped on a window fill its panels' boxes as if they had been chosen. In split mode a
// file dropped anywhere on the window becomes the source, its size shown as after typing. In
// join mode a file dropped on the destination box goes through the destination chooser's check,
// and one dropped anywhere else through the piece check of the source chooser, with its refusal
// and retry. One file at a time: several files, or a folder, are refused with a message. Nothing
// is taken while a split or join runs.
class FileDrop final : public QObject {
public:
    // split is none for Seamer's window, which has no split side. Made after the panels, it
    // watches the window and every text box in it, which would otherwise take the file's name
    // as text.
    FileDrop(QWidget& window, SplitPanel* split, JoinPanel& join, IMessageBox& messageBox);

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool working() const;
    void take(const QList<QUrl>& urls, const QObject* target);
    void refuse(const std::string& text);

    QWidget& m_window;
    QPointer<SplitPanel> m_split;
    JoinPanel& m_join;
    IMessageBox& m_messageBox;
};

} // namespace carvel
