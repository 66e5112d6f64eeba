#include "TestLocales.h"

#include "calc/Amount.h"

namespace TestLocales {

QLocale hungarian()
{
    return QLocale(QLocale::Hungarian, QLocale::Hungary);
}

QLocale english()
{
    return QLocale(QLocale::English, QLocale::UnitedStates);
}

QString localised(QString text, const QLocale& locale)
{
    for (QChar& ch : text) {
        if (ch == u'\'')
            ch = Amount::groupSeparator(locale);
        else if (ch == u',')
            ch = Amount::decimalSeparator(locale);
    }
    return text;
}

} // namespace TestLocales
