#pragma once

#include "flow/NumberFormat.h"

#include <QLocale>

namespace carvel {

// How a Qt locale writes numbers, for the flows' size texts.
NumberFormat numberFormatOf(const QLocale& locale = QLocale::system());

} // namespace carvel
