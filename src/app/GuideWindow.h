#pragma once

#include <QWidget>

class QPlainTextEdit;

// The filling guide: the municipality's instructions for this return, shown
// beside the form. The text is data; the view is not read-only, so a user
// may mark it up for the run, which changes nothing else.
class GuideWindow : public QWidget
{
    Q_OBJECT

public:
    explicit GuideWindow(QWidget* parent = nullptr);

    QPlainTextEdit* textView() const { return m_text; }

private:
    QPlainTextEdit* m_text;
};
