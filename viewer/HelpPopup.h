#pragma once

#include "IHelpViewer.h"

#include <QLabel>

namespace carvel {

// A text popup: plain text in a small frame whose top centre stands at the given point. It
// closes at the next click anywhere, and deletes itself then.
class HelpPopup final : public QLabel {
public:
    HelpPopup(const QString& text, const HhPopup& record, QWidget* owner);

    // The font a popup font text names: "face, size, charset, styles" with the styles
    // "Bold", "Italic" and "Underline" in any order; missing parts keep the default font's.
    static QFont fontOf(const std::string& fontText, const QFont& base);
};

} // namespace carvel
