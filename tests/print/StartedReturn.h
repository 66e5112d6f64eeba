#pragma once

#include "calc/Calculations.h"
#include "model/FormModel.h"
#include "print/PreparedReport.h"
#include "print/ReportTemplate.h"

#include <QDate>

// A return as a freshly started window holds it, its handlers bound.
struct StartedReturn
{
    explicit StartedReturn(const QLocale& locale);

    FormModel model;
    Calculations calc;

    // Fills every page of the printout: the taxpayer's data, every amount
    // field N with N * 1001 forints (so "m13", reading PBNumEdit1, prints
    // "1 001 Ft."), except PBNumEdit12 and PBNumEdit30, which stay 0; a closing
    // return; overpayment statement 3; two rows of the debts table. Amounts
    // are written quietly, so that no sheet empties another.
    void fill();

    // Sets every amount field to 0, quietly.
    void clearAmounts();

    // Prepares the report as the print command does, today being testToday().
    PreparedReport prepare(const ReportTemplate& report = ReportTemplate::standard()) const;

    static constexpr int firstAmount = 1;
    static constexpr int lastAmount = 86;
};

// The date every report test prints as today.
QDate testToday();
