#pragma once

#include <QWidget>

class QPlainTextEdit;

// The hidden work window with its two line lists; it lives for the whole
// run and is never shown.
class WorkWindow : public QWidget
{
    Q_OBJECT

public:
    explicit WorkWindow(QWidget* parent = nullptr);
};
