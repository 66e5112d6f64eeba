#include "TestLocales.h"
#include "calc/Calculations.h"
#include "model/Failure.h"
#include "model/FormModel.h"

#include <QSignalSpy>
#include <QTest>

// The catalogue and the state of a freshly started window.
class TestFormModel : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void catalogueCountsAndNames();
    void creationOrder();
    void lookUpIgnoresLetterCaseOfAsciiOnly();
    void startState_data();
    void startState();
    void writesNotifyOnlyOnChange();
    void handlersRunInsideTheWrite();
    void choiceIndexIsClamped_data();
    void choiceIndexIsClamped();
    void disabledContainersBlockInputButKeepFieldFlags();
    void leavingAnAmountNormalisesThenRunsExit();
    void leavingAnUnreadableAmountFails();
};

void TestFormModel::catalogueCountsAndNames()
{
    const Catalogue& c = Catalogue::standard();
    QHash<FieldKind, int> counts;
    QSet<QString> keys;
    for (const FieldSpec& f : c.fields) {
        ++counts[f.kind];
        keys.insert(Catalogue::nameKey(f.name));
    }
    QCOMPARE(c.fields.size(), 107);
    QCOMPARE(keys.size(), 107);
    QCOMPARE(counts.value(FieldKind::Text), 14);
    QCOMPARE(counts.value(FieldKind::Amount), 78);
    QCOMPARE(counts.value(FieldKind::Date), 7);
    QCOMPARE(counts.value(FieldKind::Choice), 6);
    QCOMPARE(counts.value(FieldKind::Check), 1);
    QCOMPARE(counts.value(FieldKind::Grid), 1);
    QCOMPARE(c.sheets.size(), 9);
    QCOMPARE(c.sheets.at(1).caption, QStringLiteral("\"A\" lap"));

    // Every event names a handler that the calculations bind.
    FormModel model;
    Calculations calc(model);
    const QStringList known = {"PBNumEdit2Exit",    "PBNumEdit22Change",   "PBNumEdit36Change",  "PBNumEdit44Change",
                               "PBNumEdit52Change", "PBNumEdit58Change",   "PBNumEdit81Change",  "PBNumEdit84Change",
                               "PBNumEdit86Change", "LMDRadioGroup4Click", "CheckBox1Click",     "LMDRadioGroup5Click"};
    for (const FieldSpec& f : c.fields) {
        for (const QString& handler : f.events)
            QVERIFY2(known.contains(handler), qPrintable(f.name + u' ' + handler));
    }
    for (const PanelSpec& p : c.panels)
        QVERIFY2(p.enterHandler.startsWith(u"Panel") && p.enterHandler.endsWith(u"Enter"), qPrintable(p.name));
}

void TestFormModel::creationOrder()
{
    // The order the saved form walks; the check box stands between Edit8 and Edit14.
    QStringList expected = {"Edit11", "Edit1", "Edit2", "Edit5", "Edit7", "Edit9", "DateTimePicker1", "Edit3", "Edit4",
                            "Edit6", "Edit8", "CheckBox1", "Edit14", "LMDRadioGroup2", "DateTimePicker2",
                            "DateTimePicker3", "LMDRadioGroup4", "LMDRadioGroup5", "LMDRadioGroup6"};
    auto amounts = [&expected](int from, int to) {
        for (int i = from; i <= to; ++i)
            expected.append(QStringLiteral("PBNumEdit%1").arg(i));
    };
    amounts(1, 11);
    amounts(14, 21);
    expected << "PBNumEdit28" << "PBNumEdit12" << "PBNumEdit29" << "PBNumEdit30" << "DateTimePicker4"
             << "DateTimePicker5" << "DateTimePicker6" << "PBNumEdit72" << "DateTimePicker7" << "PBNumEdit73"
             << "LMDRadioGroup3" << "PBNumEdit13";
    amounts(22, 26);
    amounts(35, 39);
    expected << "PBNumEdit41" << "PBNumEdit40";
    amounts(42, 45);
    amounts(47, 50);
    expected << "PBNumEdit46" << "PBNumEdit51" << "PBNumEdit52" << "PBNumEdit54" << "PBNumEdit55" << "PBNumEdit56"
             << "PBNumEdit53" << "PBNumEdit57" << "PBNumEdit58" << "PBNumEdit59" << "PBNumEdit61" << "PBNumEdit62"
             << "PBNumEdit60" << "PBNumEdit63" << "PBNumEdit65" << "PBNumEdit66" << "PBNumEdit67" << "PBNumEdit68"
             << "PBNumEdit64" << "PBNumEdit70" << "PBNumEdit71" << "LMDRadioGroup1";
    amounts(74, 77);
    expected << "AdvStringGrid1" << "Edit12" << "Edit10" << "Edit13";
    amounts(80, 86);

    QStringList actual;
    for (const FieldSpec& f : Catalogue::standard().fields)
        actual.append(f.name);
    QCOMPARE(actual, expected);
}

void TestFormModel::lookUpIgnoresLetterCaseOfAsciiOnly()
{
    const Catalogue& c = Catalogue::standard();
    QCOMPARE(c.indexOf(u"edit1"), c.indexOf(u"EDIT1"));
    QVERIFY(c.indexOf(u"pbnumedit22") >= 0);
    QCOMPARE(c.indexOf(u"Edit1x"), -1);
    QCOMPARE(c.indexOf(u""), -1);
    QCOMPARE(c.indexOf(u"Label10"), -1);
}

void TestFormModel::startState_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("index");
    QTest::addColumn<QDate>("date");
    QTest::addColumn<bool>("enabled");

    const QDate none;
    QTest::newRow("Edit11 keeps its design text") << "Edit11" << "Edit11" << -1 << none << true;
    QTest::newRow("taxpayer name empty") << "Edit1" << "" << -1 << none << true;
    QTest::newRow("amount starts at 0") << "PBNumEdit22" << "0" << -1 << none << true;
    QTest::newRow("computed line disabled") << "PBNumEdit6" << "0" << -1 << none << false;
    QTest::newRow("line 12 takes input at start") << "PBNumEdit10" << "0" << -1 << none << true;
    QTest::newRow("line 13 takes input at start") << "PBNumEdit11" << "0" << -1 << none << true;
    QTest::newRow("line 14 disabled at start") << "PBNumEdit14" << "0" << -1 << none << false;
    QTest::newRow("closing reason: none, disabled") << "LMDRadioGroup2" << "" << -1 << none << false;
    QTest::newRow("kind of return: item 0") << "LMDRadioGroup4" << "" << 0 << none << true;
    QTest::newRow("simplified base 2011: item 0") << "LMDRadioGroup5" << "" << 0 << none << true;
    QTest::newRow("overpayment statement: item 0") << "LMDRadioGroup1" << "" << 0 << none << true;
    QTest::newRow("birth date") << "DateTimePicker1" << "" << -1 << QDate(2011, 1, 1) << true;
    QTest::newRow("period start") << "DateTimePicker2" << "" << -1 << QDate(2011, 1, 1) << true;
    QTest::newRow("period end") << "DateTimePicker3" << "" << -1 << QDate(2011, 12, 31) << true;
    QTest::newRow("advance period start") << "DateTimePicker4" << "" << -1 << QDate(2012, 7, 1) << true;
    QTest::newRow("advance period end") << "DateTimePicker5" << "" << -1 << QDate(2013, 6, 30) << true;
    QTest::newRow("first instalment due") << "DateTimePicker6" << "" << -1 << QDate(2012, 9, 15) << true;
    QTest::newRow("second instalment due") << "DateTimePicker7" << "" << -1 << QDate(2013, 3, 15) << true;
}

void TestFormModel::startState()
{
    QFETCH(QString, name);
    QFETCH(QString, text);
    QFETCH(int, index);
    QFETCH(QDate, date);
    QFETCH(bool, enabled);

    FormModel model;
    Calculations calc(model);
    calc.FormCreate();
    const int f = model.field(name);
    switch (model.spec(f).kind) {
    case FieldKind::Text:
    case FieldKind::Amount:
        QCOMPARE(model.text(f), text);
        break;
    case FieldKind::Choice:
        QCOMPARE(model.itemIndex(f), index);
        break;
    case FieldKind::Date:
        QCOMPARE(model.date(f), date);
        break;
    default:
        QFAIL("no start value to compare");
    }
    QCOMPARE(model.isEnabled(f), enabled);
}

void TestFormModel::writesNotifyOnlyOnChange()
{
    FormModel model;
    const int f = model.field(u"PBNumEdit2");
    QSignalSpy spy(&model, &FormModel::textChanged);
    model.setValue(f, 0);
    QCOMPARE(spy.count(), 0);
    model.setText(f, QStringLiteral("5"));
    model.setValue(f, 0);
    QCOMPARE(spy.count(), 2);
    QCOMPARE(model.text(f), QStringLiteral("0"));

    QSignalSpy clicks(&model, &FormModel::itemIndexChanged);
    model.setItemIndex(u"LMDRadioGroup3", 0);
    QCOMPARE(clicks.count(), 0);
}

void TestFormModel::handlersRunInsideTheWrite()
{
    FormModel model;
    const int a = model.field(u"PBNumEdit22");
    QStringList seen;
    // A handler that writes another field runs that field's handler before
    // its own next step.
    model.bindHandler(QStringLiteral("PBNumEdit22Change"), [&] {
        seen << QStringLiteral("A in");
        model.setText(u"PBNumEdit36", QStringLiteral("7"));
        seen << QStringLiteral("A out");
    });
    model.bindHandler(QStringLiteral("PBNumEdit36Change"), [&] { seen << QStringLiteral("B"); });
    model.setText(a, QStringLiteral("1"));
    QCOMPARE(seen, (QStringList{"A in", "B", "A out"}));
    seen.clear();
    model.setText(a, QStringLiteral("1"));
    QVERIFY(seen.isEmpty());
    model.setTextQuietly(a, QStringLiteral("2"));
    QVERIFY(seen.isEmpty());
    QCOMPARE(model.text(a), QStringLiteral("2"));
}

void TestFormModel::choiceIndexIsClamped_data()
{
    QTest::addColumn<int>("requested");
    QTest::addColumn<int>("expected");
    QTest::newRow("beyond the last selects the last") << 9 << 7;
    QTest::newRow("below -1 is none") << -5 << -1;
    QTest::newRow("-1 is none") << -1 << -1;
    QTest::newRow("in range") << 4 << 4;
}

void TestFormModel::choiceIndexIsClamped()
{
    QFETCH(int, requested);
    QFETCH(int, expected);
    FormModel model;
    model.setItemIndex(u"LMDRadioGroup4", requested);
    QCOMPARE(model.itemIndex(u"LMDRadioGroup4"), expected);
}

void TestFormModel::disabledContainersBlockInputButKeepFieldFlags()
{
    FormModel model;
    Calculations calc(model);
    calc.FormCreate();
    const int h = model.field(u"PBNumEdit81");
    QVERIFY(model.isEnabled(h));
    QVERIFY(!model.isEditable(h)); // sheet "H" and its group boxes are off
    model.setSheetEnabled(8, true);
    QVERIFY(!model.isEditable(h));
    model.setGroupBoxEnabled(QStringLiteral("GroupBox1"), true);
    QVERIFY(model.isEditable(h));
    QVERIFY(!model.isEditable(model.field(u"PBNumEdit80"))); // computed
    QVERIFY(!model.isEditable(model.field(u"PBNumEdit29"))); // hidden
}

void TestFormModel::leavingAnAmountNormalisesThenRunsExit()
{
    FormModel model(Catalogue::standard(), TestLocales::hungarian());
    const int f = model.field(u"PBNumEdit2");
    QStringList seen;
    model.bindHandler(QStringLiteral("PBNumEdit2Exit"), [&] { seen << model.text(f); });
    model.setText(f, QString());
    model.leaveField(f);
    QCOMPARE(seen, QStringList{QStringLiteral("0")});
    model.setText(f, QStringLiteral("1234567,50"));
    model.leaveField(f);
    QCOMPARE(seen.last(), QStringLiteral("1\u00a0234\u00a0567,5"));
}

void TestFormModel::leavingAnUnreadableAmountFails()
{
    FormModel model(Catalogue::standard(), TestLocales::hungarian());
    const int f = model.field(u"PBNumEdit2");
    bool exitRan = false;
    model.bindHandler(QStringLiteral("PBNumEdit2Exit"), [&] { exitRan = true; });
    model.setText(f, QStringLiteral("12E"));
    QVERIFY_THROWS_EXCEPTION(Failure, model.leaveField(f));
    QVERIFY(!exitRan);
    QCOMPARE(model.text(f), QStringLiteral("12E"));
}

QTEST_GUILESS_MAIN(TestFormModel)
#include "TestFormModel.moc"
