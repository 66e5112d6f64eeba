#pragma once

#include <QCheckBox>

class FormModel;

// The check box bound to the model; a toggle runs its click handler.
class CheckField : public QCheckBox
{
    Q_OBJECT

public:
    CheckField(FormModel& model, int field, QWidget* parent = nullptr);

private:
    FormModel& m_model;
    int m_field;
};
