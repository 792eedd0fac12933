#include "QtNumberFormat.h"

#include <QString>
#include <cmath>
#include <stdexcept>

namespace carvel {

NumberFormat numberFormatOf(const QLocale& locale) {
    NumberFormat format;
    format.decimalPoint = locale.decimalPoint().toStdString();
    format.groupSeparator = locale.groupSeparator().toStdString();
    const QList<uint> zero = locale.zeroDigit().toUcs4();
    if (!zero.isEmpty())
        format.zeroDigit = static_cast<char32_t>(zero.front());
    format.read = [locale](const std::string& text) {
        bool ok = false;
        const double value = locale.toDouble(QString::fromStdString(text).trimmed(), &ok);
        if (ok && std::isfinite(value))
            return value;
        // A number too large for a double reads as infinite; anything else, the words "inf" and
        // "nan" among it, is not a number at all.
        if (!ok && std::isinf(value))
            throw std::runtime_error("Overflow");
        throw std::runtime_error("Type mismatch");
    };
    return format;
}

} // namespace carvel
