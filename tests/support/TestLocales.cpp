#include "TestLocales.h"

namespace TestLocales {

QLocale hungarian()
{
    return QLocale(QLocale::Hungarian, QLocale::Hungary);
}

QLocale english()
{
    return QLocale(QLocale::English, QLocale::UnitedStates);
}

} // namespace TestLocales
