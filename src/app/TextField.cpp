#include "TextField.h"

#include "Guard.h"
#include "model/FormModel.h"
#include "model/Windows1250.h"

#include <QApplication>

QValidator::State Windows1250Validator::validate(QString& input, int& pos) const
{
    Q_UNUSED(pos);
    if (Windows1250::canEncode(input))
        return Acceptable;
    QApplication::beep();
    return Invalid;
}

TextField::TextField(FormModel& model, int field, QWidget* parent)
    : QLineEdit(parent)
    , m_model(model)
    , m_field(field)
{
    setObjectName(model.spec(field).name);
    setValidator(new Windows1250Validator(this));
    setText(model.text(field));
    connect(this, &QLineEdit::textEdited, this,
            [this](const QString& text) { guarded(this, [&] { m_model.setText(m_field, text); }); });
    connect(&model, &FormModel::textChanged, this, [this](int changed) {
        if (changed == m_field && m_model.text(m_field) != text())
            setText(m_model.text(m_field));
    });
}
