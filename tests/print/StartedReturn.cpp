#include "StartedReturn.h"

#include "print/PageSelection.h"
#include "print/ReportEngine.h"
#include "print/ReportValues.h"

StartedReturn::StartedReturn(const QLocale& locale)
    : model(Catalogue::standard(), locale)
    , calc(model)
{
    calc.FormCreate();
}

void StartedReturn::fill()
{
    model.setText(u"Edit1", QStringLiteral("Kovács és Társa Kft."));
    model.setText(u"Edit2", QStringLiteral("8000 Ezüstpatak, Fő utca 1."));
    model.setText(u"Edit3", QStringLiteral("Nagy Ilona"));
    model.setText(u"Edit4", QStringLiteral("Győr"));
    model.setText(u"Edit5", QStringLiteral("12345678-2-07"));
    model.setText(u"Edit6", QStringLiteral("+36 1 234 5678"));
    model.setText(u"Edit7", QStringLiteral("8123456789"));
    model.setText(u"Edit8", QStringLiteral("kovacs@example.hu"));
    model.setText(u"Edit9", QStringLiteral("Szabó Éva"));
    model.setText(u"Edit14", QStringLiteral("11700000-12345678"));
    model.setChecked(u"CheckBox1", true);
    model.setDate(u"DateTimePicker1", QDate(1970, 3, 15));
    model.setItemIndex(u"LMDRadioGroup4", 1);
    model.setItemIndex(u"LMDRadioGroup2", 2);
    model.setItemIndex(u"LMDRadioGroup3", 1);
    model.setItemIndex(u"LMDRadioGroup5", 1);
    model.setItemIndex(u"LMDRadioGroup6", 2);
    model.setItemIndex(u"LMDRadioGroup1", 3);

    for (int n = firstAmount; n <= lastAmount; ++n) {
        const QString name = QStringLiteral("PBNumEdit%1").arg(n);
        if (model.indexOf(name) >= 0)
            model.setValueQuietly(name, n == 12 || n == 30 ? 0 : n * 1001);
    }

    const int grid = model.field(u"AdvStringGrid1");
    model.setCell(grid, 1, 1, QStringLiteral("NAV Nyugat-dunántúli Regionális Igazgatósága"));
    model.setCell(grid, 2, 1, QStringLiteral("személyi jövedelemadó"));
    model.setCell(grid, 3, 1, QStringLiteral("1500"));
    model.setCell(grid, 4, 1, QStringLiteral("10032000-01234567"));
    model.setCell(grid, 1, 2, QStringLiteral("Ezüstpatak Önkormányzata"));
    model.setCell(grid, 2, 2, QStringLiteral("gépjárműadó"));
    model.setCell(grid, 3, 2, QStringLiteral("  250 "));
    model.setCell(grid, 4, 2, QStringLiteral("11748007-15432100"));
}

void StartedReturn::clearAmounts()
{
    for (int n = firstAmount; n <= lastAmount; ++n) {
        const QString name = QStringLiteral("PBNumEdit%1").arg(n);
        if (model.indexOf(name) >= 0)
            model.setValueQuietly(name, 0);
    }
}

QDate testToday()
{
    return QDate(2012, 5, 31);
}

PreparedReport StartedReturn::prepare(const ReportTemplate& report) const
{
    const ReportValues values(model, testToday);
    return ReportEngine::prepare(
        report, values, [this](ReportTemplate& working) { PageSelection::frxReport1BeforePrint(model, working); });
}
