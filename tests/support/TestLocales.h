#pragma once

#include <QLocale>
#include <QString>

// Regional settings the tests run under: the program must behave the same
// with Hungarian separators (comma, no-break space) and English ones.
namespace TestLocales {

QLocale hungarian();
QLocale english();

// A Hungarian-style amount text in the given settings: ' ' stands for the
// digit group, ',' for the decimal separator.
QString localised(QString text, const QLocale& locale);

} // namespace TestLocales
