#include "QtNumberFormat.h"

namespace carvel {

NumberFormat numberFormatOf(const QLocale& locale) {
    NumberFormat format;
    format.decimalPoint = locale.decimalPoint().toStdString();
    format.groupSeparator = locale.groupSeparator().toStdString();
    const QList<uint> zero = locale.zeroDigit().toUcs4();
    if (!zero.isEmpty())
        format.zeroDigit = static_cast<char32_t>(zero.front());
    return format;
}

} // namespace carvel
