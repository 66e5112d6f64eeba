#pragma once

#include <QDate>
#include <QString>

#include <functional>
#include <optional>

class FormModel;

// The report's value request (frxReport1GetValue): the text of a slot
// variable, read afresh from the return's fields at every request. Names are
// compared exactly, letter case included; a name it does not know gets no
// value. Reading a choice group with no selection or a number that does not
// read throws Failure, which ends the preparation.
class ReportValues
{
public:
    using Clock = std::function<QDate()>;

    // today gives the date that "datum" and "m901" print.
    explicit ReportValues(const FormModel& model, Clock today = &QDate::currentDate);

    std::optional<QString> value(const QString& name) const;

    // The overpayment statement chosen in LMDRadioGroup1 with its amounts;
    // no value for "Nem választom" and for no selection.
    std::optional<QString> overpaymentStatement() const;

private:
    QString amount(const char* field, const char* suffix) const;
    QString date(QDate date) const;
    QString text(const char* field) const;
    QString selectedItem(const char* group) const;
    QString gridAmount(int row) const;

    const FormModel& m_model;
    Clock m_today;
};
