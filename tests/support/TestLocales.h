#pragma once

#include <QLocale>
#include <QString>

// Regional settings the tests run under: the program must behave the same
// with Hungarian separators (comma, no-break space) and English ones.
namespace TestLocales {

QLocale hungarian();
QLocale english();

// An amount text written with "'" for the digit group and ',' for the
// decimal separator, in the given settings' separators.
QString localised(QString text, const QLocale& locale);

} // namespace TestLocales
