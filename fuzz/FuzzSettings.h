#pragma once

#include <QLocale>
#include <QString>

// The password and regional settings the fuzz target and its seed maker share.
namespace FuzzSettings {

inline QString password()
{
    return QStringLiteral("Fuzz jelszó");
}

inline QLocale locale()
{
    return QLocale(QLocale::Hungarian, QLocale::Hungary);
}

} // namespace FuzzSettings
