#include "HelpPopup.h"

#include <QPalette>
#include <QStringList>

namespace carvel {

namespace {

// Colours arrive with red in the lowest byte; -1 asks for the viewer's own.
QColor colourOf(std::int32_t value, const QColor& fallback) {
    if (value == -1)
        return fallback;
    const auto bits = static_cast<std::uint32_t>(value);
    return QColor(static_cast<int>(bits & 0xFF), static_cast<int>((bits >> 8) & 0xFF),
                  static_cast<int>((bits >> 16) & 0xFF));
}

} // namespace

QFont HelpPopup::fontOf(const std::string& fontText, const QFont& base) {
    QFont font = base;
    const QStringList parts = QString::fromLatin1(fontText.c_str()).split(QLatin1Char(','));
    if (!parts.isEmpty() && !parts[0].trimmed().isEmpty())
        font.setFamily(parts[0].trimmed());
    bool isNumber = false;
    const double size = parts.size() > 1 ? parts[1].trimmed().toDouble(&isNumber) : 0;
    if (isNumber && size > 0)
        font.setPointSizeF(size);
    const QString styles = parts.size() > 3 ? parts.mid(3).join(QLatin1Char(' ')) : QString();
    font.setBold(styles.contains(QLatin1String("bold"), Qt::CaseInsensitive));
    font.setItalic(styles.contains(QLatin1String("italic"), Qt::CaseInsensitive));
    font.setUnderline(styles.contains(QLatin1String("underline"), Qt::CaseInsensitive));
    return font;
}

HelpPopup::HelpPopup(const QString& text, const HhPopup& record, QWidget* owner)
    : QLabel(text, owner, Qt::Popup | Qt::FramelessWindowHint) {
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("HelpPopup"));
    setWordWrap(true);
    setTextFormat(Qt::PlainText);
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setMaximumWidth(360);
    if (record.pszFont)
        setFont(fontOf(*record.pszFont, font()));

    // Text the same colour as its background could not be read, so such a pair falls back
    // on the viewer's own colours, as the default of -1 does.
    QColor ink = colourOf(record.clrForeground, QColor(Qt::black));
    QColor back = colourOf(record.clrBackground, QColor(0xFF, 0xFF, 0xE1));
    if (ink == back) {
        ink = QColor(Qt::black);
        back = QColor(0xFF, 0xFF, 0xE1);
    }
    QPalette colours = palette();
    colours.setColor(QPalette::WindowText, ink);
    colours.setColor(QPalette::Window, back);
    setPalette(colours);
    setAutoFillBackground(true);

    const auto margin = [](std::int32_t value) { return value < 0 ? 6 : value; };
    setContentsMargins(margin(record.rcMargins.left), margin(record.rcMargins.top),
                       margin(record.rcMargins.right), margin(record.rcMargins.bottom));
    adjustSize();
    move(record.pt.x - width() / 2, record.pt.y);
}

} // namespace carvel
