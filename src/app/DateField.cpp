#include "DateField.h"

#include "Guard.h"
#include "model/FormModel.h"

#include <QRegularExpression>
#include <QWheelEvent>

DateField::DateField(FormModel& model, int field, QWidget* parent)
    : QDateEdit(parent)
    , m_model(model)
    , m_field(field)
{
    const FieldSpec& spec = model.spec(field);
    setObjectName(spec.name);
    setCalendarPopup(true);
    // Edit with four-digit years even where the short format has two, so a
    // date of birth is never ambiguous.
    QString format = model.locale().dateFormat(QLocale::ShortFormat);
    static const QRegularExpression shortYear(QStringLiteral("(?<!y)yy(?!y)"));
    format.replace(shortYear, QStringLiteral("yyyy"));
    setDisplayFormat(format);
    if (spec.minDate.isValid())
        setMinimumDate(spec.minDate);
    if (spec.maxDate.isValid())
        setMaximumDate(spec.maxDate);
    setDate(model.date(field));
    connect(this, &QDateEdit::dateChanged, this,
            [this](QDate date) { guarded(this, [&] { m_model.setDate(m_field, date); }); });
    connect(&model, &FormModel::dateChanged, this, [this](int changed) {
        if (changed == m_field)
            setDate(m_model.date(m_field));
    });
}

void DateField::wheelEvent(QWheelEvent* event)
{
    // The wheel scrolls the window, not the date.
    event->ignore();
}

bool DateField::focusNextPrevChild(bool next)
{
    return QWidget::focusNextPrevChild(next);
}
