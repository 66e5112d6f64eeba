#pragma once

#include <QLineEdit>
#include <QValidator>

class FormModel;

// Accepts only characters that the saved form's code page can hold, so that
// nothing typed is lost silently by a save; a refused character beeps.
class Windows1250Validator : public QValidator
{
    Q_OBJECT

public:
    using QValidator::QValidator;
    State validate(QString& input, int& pos) const override;
};

// A one-line text field bound to the model: every edit goes to the model,
// and the model's writes (the enabling rules, a load) show here.
class TextField : public QLineEdit
{
    Q_OBJECT

public:
    TextField(FormModel& model, int field, QWidget* parent = nullptr);

private:
    FormModel& m_model;
    int m_field;
};
