#pragma once

#include <QColor>

// Colours are kept as 0x00BBGGRR values, the way the form's design holds them.
inline QColor colorFromBgr(quint32 bgr)
{
    return QColor(int(bgr & 0xff), int((bgr >> 8) & 0xff), int((bgr >> 16) & 0xff));
}
