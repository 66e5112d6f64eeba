#pragma once

#include "FailureText.h"
#include "TestLocales.h"

#include "calc/Amount.h"
#include "calc/Calculations.h"
#include "model/Failure.h"
#include "model/FormModel.h"

#include <QLocale>
#include <QString>

// A freshly started window: the model under the given regional settings, its
// calculations bound and the start-up steps run.
struct StartedForm
{
    explicit StartedForm(const QLocale& locale)
        : model(Catalogue::standard(), locale)
        , calc(model)
    {
        calc.FormCreate();
    }

    FormModel model;
    Calculations calc;
};

// What a field shows, for comparing a few fields by name in a table:
// "Edit1", "LMDRadioGroup4" (the index), "DateTimePicker1" (ISO date),
// "CheckBox1" ("checked" or "unchecked") or a grid cell "AdvStringGrid1[c,r]".
inline QString shown(const FormModel& model, const QString& ref)
{
    const qsizetype bracket = ref.indexOf(u'[');
    const int field = model.field(bracket < 0 ? ref : ref.left(bracket));
    switch (model.spec(field).kind) {
    case FieldKind::Text:
    case FieldKind::Amount:
        return model.text(field);
    case FieldKind::Date:
        return model.date(field).toString(Qt::ISODate);
    case FieldKind::Choice:
        return QString::number(model.itemIndex(field));
    case FieldKind::Check:
        return model.isChecked(field) ? QStringLiteral("checked") : QStringLiteral("unchecked");
    case FieldKind::Grid: {
        const QStringList at = ref.mid(bracket + 1).chopped(1).split(u',');
        return model.cell(field, at.value(0).toInt(), at.value(1).toInt());
    }
    }
    return {};
}

using TestLocales::localised;
