#pragma once

#include <QColor>
#include <QPalette>
#include <QWidget>

// Colours are kept as 0x00BBGGRR values, the way the form's design holds them.
inline QColor colorFromBgr(quint32 bgr)
{
    return QColor(int(bgr & 0xff), int((bgr >> 8) & 0xff), int((bgr >> 16) & 0xff));
}

// Fills a widget's background with a design colour.
inline void fillBackground(QWidget* widget, quint32 bgr)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colorFromBgr(bgr));
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}
