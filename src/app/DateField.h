#pragma once

#include <QDateEdit>

class FormModel;

// A date field with a drop-down calendar in the regional short date format,
// limited to the dates the return allows for it.
class DateField : public QDateEdit
{
    Q_OBJECT

public:
    DateField(FormModel& model, int field, QWidget* parent = nullptr);

protected:
    void wheelEvent(QWheelEvent* event) override;
    // Tab leaves the field instead of walking its day, month and year.
    bool focusNextPrevChild(bool next) override;

private:
    FormModel& m_model;
    int m_field;
};
