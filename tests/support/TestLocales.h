#pragma once

#include <QLocale>

// Regional settings the tests run under: the program must behave the same
// with Hungarian separators (comma, no-break space) and English ones.
namespace TestLocales {

QLocale hungarian();
QLocale english();

} // namespace TestLocales
