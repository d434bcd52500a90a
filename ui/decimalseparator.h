#pragma once

#include <QLocale>

namespace zv {

// The user's decimal separator, as the number texts of the engine take it.
inline char16_t DecimalSeparator()
{
    const QString point = QLocale().decimalPoint();
    return point.isEmpty() ? u'.' : point.at(0).unicode();
}

} // namespace zv
