#include "SizeText.h"

#include <cfenv>
#include <cmath>
#include <stdexcept>

namespace carvel::SizeText {

namespace {

QString oneDecimal(double value, const QLocale& locale) {
    // nearbyint follows the current rounding mode, which is to-nearest-even unless changed.
    const int previous = std::fegetround();
    std::fesetround(FE_TONEAREST);
    const double rounded = std::nearbyint(value * 10.0) / 10.0;
    std::fesetround(previous);
    QLocale plain = locale;
    plain.setNumberOptions(QLocale::OmitGroupSeparator);
    return plain.toString(rounded, 'f', QLocale::FloatingPointShortest);
}

} // namespace

QString fileSize(FileLength bytes, const QLocale& locale) {
    constexpr FileLength kKilobyte = 1024;
    constexpr FileLength kMegabyte = 1024 * 1024;
    if (bytes < kKilobyte)
        return QString::number(bytes) + QStringLiteral(" Bytes");
    if (bytes < kMegabyte)
        return oneDecimal(static_cast<double>(bytes) / kKilobyte, locale) + QStringLiteral(" KB");
    return oneDecimal(static_cast<double>(bytes) / kMegabyte, locale) + QStringLiteral(" MB");
}

double readNumber(const std::string& text, const QLocale& locale) {
    bool ok = false;
    const double value = locale.toDouble(QString::fromStdString(text).trimmed(), &ok);
    if (ok && std::isfinite(value))
        return value;
    // A number too large for a double reads as infinite; anything else, the words "inf" and
    // "nan" among it, is not a number at all.
    if (!ok && std::isinf(value))
        throw std::runtime_error("Overflow");
    throw std::runtime_error("Type mismatch");
}

} // namespace carvel::SizeText
