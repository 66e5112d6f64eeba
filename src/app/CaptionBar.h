#pragma once

#include <QWidget>

class FormModel;

// A section's caption bar: a gradient fill with the caption on it, in the
// colours the model holds for it (the section highlighting changes them).
class CaptionBar : public QWidget
{
    Q_OBJECT

public:
    CaptionBar(FormModel& model, const QString& name, const QString& caption, int height, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    FormModel& m_model;
    QString m_caption;
};
