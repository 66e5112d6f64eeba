#include "FailureText.h"
#include "TestLocales.h"
#include "calc/Calculations.h"
#include "model/Failure.h"
#include "model/FormModel.h"

#include <QTest>

#include <memory>

namespace {

// Section IV fields by line of the return; "V2" is the second instalment.
QString lineField(const QString& line)
{
    static const QHash<QString, QString> fields = {
        {"1", "PBNumEdit1"},   {"2", "PBNumEdit2"},   {"3", "PBNumEdit3"},   {"4", "PBNumEdit4"},
        {"5", "PBNumEdit5"},   {"6", "PBNumEdit30"},  {"7", "PBNumEdit6"},   {"8", "PBNumEdit7"},
        {"9", "PBNumEdit8"},   {"10", "PBNumEdit12"}, {"11", "PBNumEdit9"},  {"12", "PBNumEdit10"},
        {"13", "PBNumEdit11"}, {"14", "PBNumEdit14"}, {"15", "PBNumEdit15"}, {"16", "PBNumEdit16"},
        {"17", "PBNumEdit17"}, {"18", "PBNumEdit18"}, {"19", "PBNumEdit19"}, {"20", "PBNumEdit20"},
        {"21", "PBNumEdit21"}, {"22", "PBNumEdit28"}, {"V2", "PBNumEdit73"},
    };
    return fields.value(line, line); // anything else is a component name
}

// "1:10000000 2:500" as (field, number) pairs.
QList<std::pair<QString, long double>> assignments(const QString& text)
{
    QList<std::pair<QString, long double>> result;
    const QStringList parts = text.split(u' ', Qt::SkipEmptyParts);
    for (const QString& part : parts) {
        const QStringList kv = part.split(u':');
        result.append({lineField(kv.at(0)), kv.at(1).toDouble()});
    }
    return result;
}

// A started window's state with the handlers bound, under Hungarian settings.
struct Form
{
    Form()
        : model(Catalogue::standard(), TestLocales::hungarian())
        , calc(model)
    {
        calc.FormCreate();
    }
    // Types a text into a field as a user would: the change handlers run.
    void type(const QString& name, const QString& text) { model.setText(name, text); }
    long double value(const QString& lineOrName) const { return model.value(lineField(lineOrName)); }
    bool sheetHolds(const QStringList& fields) const
    {
        for (const QString& f : fields) {
            if (model.value(f) != 0)
                return true;
        }
        return false;
    }

    FormModel model;
    Calculations calc;
};

const QStringList sheetA = {"PBNumEdit13", "PBNumEdit22", "PBNumEdit23", "PBNumEdit24", "PBNumEdit25", "PBNumEdit26"};
const QStringList sheetB = {"PBNumEdit35", "PBNumEdit36", "PBNumEdit37", "PBNumEdit38",
                            "PBNumEdit39", "PBNumEdit40", "PBNumEdit41", "PBNumEdit42"};

} // namespace

class TestCalculations : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void mainSheet_data();
    void mainSheet();
    void apportionmentClickRecomputes();
    void conversionFailureKeepsEarlierWrites();
    void netRevenueSheets_data();
    void netRevenueSheets();
    void typingOnOneSheetKeepsItAndEmptiesTheOthers();
    void typingOnAnEmptyFormRaisesNoOtherSheetHandler();
    void simplifiedBase_data();
    void simplifiedBase();
    void simplifiedBaseDisplayKeepsFractions();
    void simplifiedBaseOverFilledNetRevenueSheet();
    void kindOfReturnRule_data();
    void kindOfReturnRule();
    void privateIndividualRule();
    void simplifiedChoiceRule();
    void simplifiedChoiceBackToNoneClearsSheetH();
    void sectionHighlighting();
};

void TestCalculations::mainSheet_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("method");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<bool>("line12Enabled");

    // Worked examples of the return's rules; kind 4 is the in-year starter,
    // method 0 no apportionment.
    QTest::newRow("taxed, with balance and instalment")
        << 0 << 0 << "1:10000000 2:1000000 3:500000 5:300000 6:200000 19:100000"
        << "7:8000000 11:8000000 12:8000000 13:0 14:8000000 15:160000 18:160000 21:60000 V2:80000" << false;
    QTest::newRow("2% of 3 456 789 rounds to 69 136, due 69 100")
        << 0 << 0 << "1:3456789" << "7:3456789 14:3456789 15:69136 18:69100 V2:34550" << false;
    QTest::newRow("line 11 carries the corrections of lines 8 and 10")
        << 0 << 0 << "1:5000000 8:1000000 10:200000" << "11:4200000 12:4200000 14:4200000 15:84000 18:84000" << false;
    QTest::newRow("half forint of 2 500 025 goes to the even 50 000")
        << 0 << 0 << "1:2500025" << "14:2500025 15:50000 18:50000" << false;
    QTest::newRow("exempt below the threshold; 8 and 10 do not reach it")
        << 0 << 0 << "1:2000000 8:300000 19:1000 20:500"
        << "7:2000000 11:2000000 12:2000000 13:2000000 14:0 15:0 18:0 21:-1500 V2:0" << true;
    QTest::newRow("exactly 2 500 000 is exempt")
        << 0 << 0 << "1:2500000" << "11:2500000 12:2500000 13:2500000 14:0 15:0 18:0" << true;
    QTest::newRow("negative base floored at 0, then exempt")
        << 0 << 0 << "1:1000 2:5000" << "7:0 11:0 12:0 13:0 14:0" << true;
    QTest::newRow("line 1 zero keeps the simplified base in line 7")
        << 0 << 0 << "7:900000" << "7:900000 11:900000 12:900000 13:900000 15:0" << true;
    QTest::newRow("in-year starter taxes line 14 as entered")
        << 4 << 0 << "1:100 12:5 13:7 14:1000000" << "12:5 13:7 14:1000000 15:20000 18:20000 V2:10000" << true;
    QTest::newRow("due 61 250 rounds to 61 200") << 4 << 0 << "14:3062500" << "15:61250 18:61200" << true;
    QTest::newRow("due 61 350 rounds to 61 400") << 4 << 0 << "14:3067500" << "15:61350 18:61400" << true;
    QTest::newRow("due 50 rounds up to 100") << 4 << 0 << "14:2500" << "15:50 18:100" << true;
    QTest::newRow("due 49 rounds to 0") << 4 << 0 << "14:2450 18:999" << "15:49 18:0" << true;
    QTest::newRow("deductions above the tax leave nothing due")
        << 0 << 0 << "1:3000000 16:70000 18:999 19:1000" << "15:60000 18:0 21:-1000 V2:0" << false;
    QTest::newRow("apportioned and taxed: line 14 takes line 12 as entered")
        << 0 << 1 << "1:8000000 12:3000000" << "11:8000000 12:3000000 13:0 14:3000000 15:60000 18:60000" << true;
    QTest::newRow("apportioned and exempt: line 13 takes line 12")
        << 0 << 2 << "1:2000000 12:500000" << "11:2000000 12:500000 13:500000 14:0 18:0" << true;
}

void TestCalculations::mainSheet()
{
    QFETCH(int, kind);
    QFETCH(int, method);
    QFETCH(QString, input);
    QFETCH(QString, expected);
    QFETCH(bool, line12Enabled);

    Form form;
    // The kind of return only enables fields; it is read by the next run.
    form.model.setItemIndex(u"LMDRadioGroup4", kind);
    form.model.setItemIndex(u"LMDRadioGroup3", method);
    for (const auto& [field, number] : assignments(input))
        form.model.setValue(field, number);
    form.calc.PBNumEdit2Exit();
    for (const auto& [field, number] : assignments(expected))
        QCOMPARE(form.model.value(field), number);
    QCOMPARE(form.model.isEnabled(u"PBNumEdit10"), line12Enabled);
}

void TestCalculations::apportionmentClickRecomputes()
{
    Form form;
    form.model.setValue(u"PBNumEdit1", 8000000);
    form.model.setItemIndex(u"LMDRadioGroup3", 1);
    form.model.setValue(u"PBNumEdit10", 3000000);
    form.calc.PBNumEdit2Exit();
    QVERIFY(form.model.isEnabled(u"PBNumEdit10"));
    QCOMPARE(form.value("14"), 3000000.0L);

    // Clicking the item already chosen runs nothing.
    form.model.setValue(u"PBNumEdit10", 1234);
    form.model.setItemIndex(u"LMDRadioGroup3", 1);
    QCOMPARE(form.value("14"), 3000000.0L);

    // "Nem választom" recomputes at once.
    form.model.setItemIndex(u"LMDRadioGroup3", 0);
    QCOMPARE(form.value("12"), 8000000.0L);
    QCOMPARE(form.value("14"), 8000000.0L);
    QVERIFY(!form.model.isEnabled(u"PBNumEdit10"));
}

void TestCalculations::conversionFailureKeepsEarlierWrites()
{
    Form form;
    form.model.setValue(u"PBNumEdit1", 10000000);
    form.model.setText(u"PBNumEdit7", QStringLiteral("5E")); // line 8, read after line 7 is written
    QCOMPARE(failureText([&] { form.calc.PBNumEdit2Exit(); }),
             QStringLiteral("'5E' is not a valid floating point value"));
    QCOMPARE(form.value("7"), 10000000.0L);
    QCOMPARE(form.value("11"), 0.0L);
}

void TestCalculations::netRevenueSheets_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("total");
    QTest::addColumn<long double>("expected");
    QTest::addColumn<long double>("line7");

    QTest::newRow("A: 2-3-4-5-6") << "PBNumEdit22:10000000 PBNumEdit23:200000" << "PBNumEdit13" << 9800000.0L << 9800000.0L;
    QTest::newRow("A: negative total, line 7 floored")
        << "PBNumEdit22:100 PBNumEdit23:300" << "PBNumEdit13" << -200.0L << 0.0L;
    QTest::newRow("B: (2+3+4+5+6+7)-8")
        << "PBNumEdit36:100 PBNumEdit37:100 PBNumEdit38:100 PBNumEdit39:100 PBNumEdit41:100 PBNumEdit40:100 PBNumEdit42:50"
        << "PBNumEdit35" << 550.0L << 550.0L;
    QTest::newRow("C: (2+3+4+5+6+7)-8") << "PBNumEdit44:1000 PBNumEdit46:20 PBNumEdit50:1" << "PBNumEdit43" << 1019.0L << 1019.0L;
    QTest::newRow("D: 2+3+4+5+6")
        << "PBNumEdit52:1 PBNumEdit53:2 PBNumEdit54:3 PBNumEdit55:4 PBNumEdit56:5" << "PBNumEdit51" << 15.0L << 15.0L;
    QTest::newRow("E: 2+3-(4+5+6)")
        << "PBNumEdit58:1000 PBNumEdit62:500 PBNumEdit59:100 PBNumEdit61:200 PBNumEdit60:300" << "PBNumEdit57" << 900.0L
        << 900.0L;
    QTest::newRow("A: a fraction carries into line 1") << "PBNumEdit22:1000.5" << "PBNumEdit13" << 1000.5L << 1000.5L;
    QTest::newRow("A: emptied by typing back to zero leaves line 7 as it was")
        << "PBNumEdit22:500 PBNumEdit22:0" << "PBNumEdit13" << 0.0L << 500.0L;
}

void TestCalculations::netRevenueSheets()
{
    QFETCH(QString, typed);
    QFETCH(QString, total);
    QFETCH(long double, expected);
    QFETCH(long double, line7);

    Form form;
    for (const auto& [field, number] : assignments(typed))
        form.model.setValue(field, number); // a write runs the change handler as typing does
    QCOMPARE(form.model.value(total), expected);
    QCOMPARE(form.value("1"), expected);
    QCOMPARE(form.value("7"), line7);
}

void TestCalculations::typingOnOneSheetKeepsItAndEmptiesTheOthers()
{
    Form form;
    form.type(QStringLiteral("PBNumEdit22"), QStringLiteral("10000000"));
    form.type(QStringLiteral("PBNumEdit23"), QStringLiteral("5"));
    // Typing on sheet B empties sheet A without losing what was typed on B.
    form.type(QStringLiteral("PBNumEdit36"), QStringLiteral("5"));
    form.type(QStringLiteral("PBNumEdit36"), QStringLiteral("500"));
    QVERIFY(!form.sheetHolds(sheetA));
    QCOMPARE(form.model.value(u"PBNumEdit36"), 500.0L);
    QCOMPARE(form.model.value(u"PBNumEdit35"), 500.0L);
    QCOMPARE(form.value("1"), 500.0L);

    // And back: typing on A empties B.
    form.type(QStringLiteral("PBNumEdit24"), QStringLiteral("7"));
    QVERIFY(!form.sheetHolds(sheetB));
    QCOMPARE(form.model.value(u"PBNumEdit13"), -7.0L);
    QCOMPARE(form.value("1"), -7.0L);
}

void TestCalculations::typingOnAnEmptyFormRaisesNoOtherSheetHandler()
{
    Form form;
    QStringList ran;
    for (const char* handler : {"PBNumEdit22Change", "PBNumEdit36Change", "PBNumEdit52Change", "PBNumEdit58Change"})
        form.model.bindHandler(QLatin1String(handler), [&ran, handler] { ran << QLatin1String(handler); });
    form.type(QStringLiteral("PBNumEdit44"), QStringLiteral("1000"));
    QVERIFY2(ran.isEmpty(), qPrintable(ran.join(u',')));
    QCOMPARE(form.value("1"), 1000.0L);
}

void TestCalculations::simplifiedBase_data()
{
    QTest::addColumn<int>("choice");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<bool>("netRevenueSheetsEnabled");

    QTest::newRow("group I: 120% of the flat-rate base, exempt")
        << 1 << "PBNumEdit81:1000000" << "PBNumEdit80:200000 PBNumEdit82:1200000 7:1200000 12:1200000 15:0" << false;
    QTest::newRow("group II: 80% of net revenue, taxed")
        << 1 << "PBNumEdit84:3500000" << "PBNumEdit83:2800000 7:2800000 14:2800000 15:56000 18:56000" << false;
    QTest::newRow("group III: 50%, the half forint stays")
        << 2 << "PBNumEdit86:4999999" << "PBNumEdit85:2499999.5 7:2499999.5 14:0 18:0" << false;
    QTest::newRow("group II typed over an amount in group I keeps group II")
        << 1 << "PBNumEdit81:1000000 PBNumEdit84:3500000"
        << "PBNumEdit81:0 PBNumEdit80:0 PBNumEdit82:0 PBNumEdit84:3500000 PBNumEdit83:2800000 7:2800000" << false;
    QTest::newRow("clearing the group in use frees sheets A to E")
        << 1 << "PBNumEdit84:3500000 PBNumEdit84:0" << "PBNumEdit83:0 7:0 14:0 18:0" << true;
}

void TestCalculations::simplifiedBase()
{
    QFETCH(int, choice);
    QFETCH(QString, typed);
    QFETCH(QString, expected);
    QFETCH(bool, netRevenueSheetsEnabled);

    Form form;
    form.model.setItemIndex(u"LMDRadioGroup5", choice);
    for (const auto& [field, number] : assignments(typed))
        form.model.setValue(field, number);
    for (const auto& [field, number] : assignments(expected))
        QCOMPARE(form.model.value(field), number);
    for (int sheet = 1; sheet <= 5; ++sheet)
        QCOMPARE(form.model.isSheetEnabled(sheet), netRevenueSheetsEnabled);
    QVERIFY(form.model.isSheetEnabled(8));
}

void TestCalculations::simplifiedBaseDisplayKeepsFractions()
{
    Form form;
    form.model.setItemIndex(u"LMDRadioGroup5", 1);
    form.type(QStringLiteral("PBNumEdit81"), QStringLiteral("12347"));
    QCOMPARE(form.model.text(u"PBNumEdit80"), QStringLiteral("2\u00a0469,4"));
    QCOMPARE(form.model.text(u"PBNumEdit82"), QStringLiteral("14\u00a0816,4"));
    QCOMPARE(form.model.text(u"PBNumEdit6"), QStringLiteral("14\u00a0816,4"));
}

void TestCalculations::simplifiedBaseOverFilledNetRevenueSheet()
{
    Form form;
    form.type(QStringLiteral("PBNumEdit22"), QStringLiteral("10000000"));
    form.model.setItemIndex(u"LMDRadioGroup5", 1);
    // Choosing the simplified base leaves sheet A's amounts as they are.
    QCOMPARE(form.model.value(u"PBNumEdit22"), 10000000.0L);
    QVERIFY(!form.model.isSheetEnabled(1));

    // A base in use empties the sheets, and line 7 holds the base, not a
    // figure left over from sheet A.
    form.type(QStringLiteral("PBNumEdit84"), QStringLiteral("3500000"));
    QVERIFY(!form.sheetHolds(sheetA));
    QCOMPARE(form.value("1"), 0.0L);
    QCOMPARE(form.value("7"), 2800000.0L);
    QCOMPARE(form.value("15"), 56000.0L);
}

void TestCalculations::kindOfReturnRule_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<bool>("closingReasons");
    QTest::addColumn<bool>("lines12to14");

    QTest::newRow("annual") << 0 << false << false;
    QTest::newRow("closing return") << 1 << true << false;
    QTest::newRow("in-year starter") << 4 << false << true;
    QTest::newRow("agricultural producer") << 6 << false << false;
    QTest::newRow("none selected") << -1 << false << false;
}

void TestCalculations::kindOfReturnRule()
{
    QFETCH(int, kind);
    QFETCH(bool, closingReasons);
    QFETCH(bool, lines12to14);

    Form form;
    form.model.setItemIndex(u"LMDRadioGroup4", 1); // a click before, so the next one runs
    form.model.setItemIndex(u"LMDRadioGroup2", 3);
    form.model.setItemIndex(u"LMDRadioGroup4", kind == 1 ? 0 : kind);
    form.calc.LMDRadioGroup4Click();
    form.model.setItemIndex(u"LMDRadioGroup4", kind);
    QCOMPARE(form.model.isEnabled(u"LMDRadioGroup2"), closingReasons);
    QCOMPARE(form.model.itemIndex(u"LMDRadioGroup2"), 3); // the reason is kept
    for (const char16_t* line : {u"PBNumEdit10", u"PBNumEdit11", u"PBNumEdit14"})
        QCOMPARE(form.model.isEnabled(line), lines12to14);
}

void TestCalculations::privateIndividualRule()
{
    Form form;
    form.type(QStringLiteral("Edit4"), QStringLiteral("Szeged"));
    form.type(QStringLiteral("Edit3"), QStringLiteral("Kiss Anna"));
    form.model.setChecked(u"CheckBox1", false);
    QCOMPARE(form.model.text(u"Edit4"), QStringLiteral("-"));
    QCOMPARE(form.model.text(u"Edit3"), QStringLiteral("-"));
    for (const char16_t* f : {u"Edit4", u"Edit3", u"DateTimePicker1"})
        QVERIFY(!form.model.isEnabled(f));
    QCOMPARE(form.model.date(u"DateTimePicker1"), QDate(2011, 1, 1));

    form.model.setChecked(u"CheckBox1", true);
    for (const char16_t* f : {u"Edit4", u"Edit3", u"DateTimePicker1"})
        QVERIFY(form.model.isEnabled(f));
    QCOMPARE(form.model.text(u"Edit4"), QStringLiteral("-"));
}

void TestCalculations::simplifiedChoiceRule()
{
    Form form;
    const auto groupBoxes = [&form] {
        return QList<bool>{form.model.isGroupBoxEnabled(QStringLiteral("GroupBox1")),
                           form.model.isGroupBoxEnabled(QStringLiteral("GroupBox2")),
                           form.model.isGroupBoxEnabled(QStringLiteral("GroupBox3"))};
    };
    QCOMPARE(groupBoxes(), (QList<bool>{false, false, false}));
    QVERIFY(!form.model.isSheetEnabled(8));

    form.model.setItemIndex(u"LMDRadioGroup5", 1);
    QVERIFY(form.model.isLabelVisible(QStringLiteral("egyszvaluzenet")));
    QVERIFY(form.model.isSheetEnabled(8));
    QVERIFY(!form.model.isSheetEnabled(1) && !form.model.isSheetEnabled(5));
    QVERIFY(form.model.isSheetEnabled(6) && form.model.isSheetEnabled(7));
    QCOMPARE(groupBoxes(), (QList<bool>{true, true, false}));

    form.model.setItemIndex(u"LMDRadioGroup5", 2);
    QCOMPARE(groupBoxes(), (QList<bool>{false, false, true}));

    // Back to "Nem választom": sheet "H" off, its group boxes as they were.
    form.model.setItemIndex(u"LMDRadioGroup5", 0);
    QVERIFY(!form.model.isLabelVisible(QStringLiteral("egyszvaluzenet")));
    QVERIFY(!form.model.isSheetEnabled(8));
    for (int sheet = 1; sheet <= 5; ++sheet)
        QVERIFY(form.model.isSheetEnabled(sheet));
    QCOMPARE(groupBoxes(), (QList<bool>{false, false, true}));
}

void TestCalculations::simplifiedChoiceBackToNoneClearsSheetH()
{
    Form form;
    form.model.setItemIndex(u"LMDRadioGroup5", 1);
    form.type(QStringLiteral("PBNumEdit81"), QStringLiteral("1000000"));
    QCOMPARE(form.value("7"), 1200000.0L);
    form.model.setItemIndex(u"LMDRadioGroup5", 0);
    for (int n = 80; n <= 86; ++n)
        QCOMPARE(form.model.text(QStringLiteral("PBNumEdit%1").arg(n)), QStringLiteral("0"));
    QCOMPARE(form.value("7"), 0.0L);
    for (int sheet = 1; sheet <= 5; ++sheet)
        QVERIFY(form.model.isSheetEnabled(sheet));
}

void TestCalculations::sectionHighlighting()
{
    Form form;
    const BarColors highlighted{9758459, 1414638, 0};
    const BarColors resting{12505042, 12505042, 4542543};
    const QStringList bars = {"LMDFill1", "LMDFill2", "LMDFill3", "LMDFill5", "LMDFill15", "LMDFill6"};
    auto check = [&](int highlightedSection) {
        for (int i = 0; i < bars.size(); ++i)
            QCOMPARE(form.model.barColors(bars.at(i)), i == highlightedSection ? highlighted : resting);
    };
    check(0); // start-up highlights section I
    form.model.enterPanel(QStringLiteral("Panel51"));
    check(3);
    form.model.enterPanel(QStringLiteral("Panel3"));
    check(1);
    form.model.enterPanel(QStringLiteral("Panel7"));
    check(5);
    // A supplementary sheet's panel highlights section II; its own bar keeps
    // the design colours.
    form.model.enterPanel(QStringLiteral("Panel13"));
    check(1);
    QCOMPARE(form.model.barColors(QStringLiteral("LMDFill12")), (BarColors{9758459, 1414638, 0}));
}

QTEST_GUILESS_MAIN(TestCalculations)
#include "TestCalculations.moc"
