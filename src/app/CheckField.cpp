#include "CheckField.h"

#include "Guard.h"
#include "model/FormModel.h"

CheckField::CheckField(FormModel& model, int field, QWidget* parent)
    : QCheckBox(model.spec(field).caption, parent)
    , m_model(model)
    , m_field(field)
{
    setObjectName(model.spec(field).name);
    setChecked(model.isChecked(field));
    connect(this, &QCheckBox::toggled, this,
            [this](bool checked) { guarded(this, [&] { m_model.setChecked(m_field, checked); }); });
    connect(&model, &FormModel::checkedChanged, this, [this](int changed) {
        if (changed == m_field)
            setChecked(m_model.isChecked(m_field));
    });
}
