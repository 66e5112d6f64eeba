#include "StartedReturn.h"
#include "FailureText.h"
#include "TestLocales.h"
#include "calc/Amount.h"
#include "model/Failure.h"
#include "print/ReportValues.h"

#include <QTest>

using Setup = std::function<void(FormModel&)>;
Q_DECLARE_METATYPE(Setup)
Q_DECLARE_METATYPE(long double)

namespace {

using TestLocales::localised;

// n * 1001 written in groups of three, as StartedReturn::fill() sets field n.
QString filledAmount(int n)
{
    QString digits = QString::number(n * 1001);
    for (qsizetype at = digits.size() - 3; at > 0; at -= 3)
        digits.insert(at, u'\x01');
    return digits;
}

QString withGroups(const QString& digits, const QLocale& locale)
{
    QString result = digits;
    result.replace(u'\x01', Amount::groupSeparator(locale));
    return result;
}

// What a request answered, for comparisons that show it.
QString shown(const std::optional<QString>& value)
{
    return value.value_or(QStringLiteral("<no value>"));
}

const QList<std::pair<const char*, QLocale>> locales
    = {{"hu", TestLocales::hungarian()}, {"en", TestLocales::english()}};

} // namespace

// The value request: every variable's text from the fields, the dash rules,
// the amount and date forms, and what has no value or fails.
class TestReportValues : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void everyVariableOfAFilledReturn_data();
    void everyVariableOfAFilledReturn();
    void conditionalTexts_data();
    void conditionalTexts();
    void amountForms_data();
    void amountForms();
    void debtAmountCells_data();
    void debtAmountCells();
    void overpaymentStatement_data();
    void overpaymentStatement();
    void namesOutsideTheTableGetNoValue_data();
    void namesOutsideTheTableGetNoValue();
    void failures_data();
    void failures();
    void everyRequestReadsAfresh();
};

void TestReportValues::everyVariableOfAFilledReturn_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("variable");
    QTest::addColumn<QString>("expected");

    // The amount fields each variable reads, in the order of the value table.
    const QList<std::pair<QString, QList<int>>> amountRanges = {
        {"m", {1, 2, 3, 4, 5, 30, 6, 7, 8, 12, 9, 10, 11, 14, 15, 16, 17, 18, 19, 20, 21, 28}},
        {"a", {13, 22, 23, 24, 25, 26}},
        {"b", {35, 36, 37, 38, 39, 41, 40, 42}},
        {"c", {43, 44, 45, 47, 48, 49, 46, 50}},
        {"d", {51, 52, 53, 54, 55, 56}},
        {"e", {57, 58, 62, 59, 61, 60}},
        {"f", {63, 67, 65, 66, 68, 64}},
        {"h", {81, 80, 82, 84, 83, 86, 85}},
    };
    const QString name = QStringLiteral("Kovács és Társa Kft.");
    const QString account = QStringLiteral("11700000-12345678");

    for (const auto& [tag, locale] : locales) {
        const bool hu = locale.language() == QLocale::Hungarian;
        auto row = [&, tag = tag, locale = locale](const QString& variable, const QString& expected) {
            QTest::addRow("%s: %s", tag, qPrintable(variable)) << locale << variable << expected;
        };
        row("datum", hu ? "2012. 05. 31." : "5/31/12");
        row("m901", hu ? "2012. 05. 31." : "5/31/12");
        row("azon", QString());
        row("m1", "Záró bevallás");
        row("m2", hu ? "2011. 01. 01. naptól 2011. 12. 31. napig" : "1/1/11 naptól 12/31/11 napig");
        row("m3", "Átalakulás");
        row("m4", name);
        row("m5", "Győr");
        row("m6", hu ? "1970. 03. 15." : "3/15/70");
        row("m7", "Nagy Ilona");
        row("m8", "12345678-2-07");
        row("m9", "8123456789");
        row("m10", "8000 Ezüstpatak, Fő utca 1.");
        row("m110", "Szabó Éva");
        row("m11", "+36 1 234 5678");
        row("m12", "kovacs@example.hu");
        row("m121", account);
        row("m35", name);
        row("m36", "12345678-2-07");
        row("m37", "8123456789");
        row("m38", "8123456789");
        row("m39", account);
        row("m12a1", hu ? "2012. 07. 01. naptól 2013. 06. 30. napig" : "7/1/12 naptól 6/30/13 napig");
        row("m12b2", hu ? "2012. 09. 15." : "9/15/12");
        row("m12b3", hu ? "2013. 03. 15." : "3/15/13");
        row("m12c2", withGroups(filledAmount(72), locale));
        row("m12c3", withGroups(filledAmount(73), locale));
        for (const auto& [prefix, fields] : amountRanges) {
            int n = prefix == u"m" ? 13 : 1;
            for (int field : fields) {
                const QString amount
                    = field == 12 || field == 30 ? QStringLiteral("0") : withGroups(filledAmount(field), locale);
                row(prefix + QString::number(n++), amount + QStringLiteral(" Ft."));
            }
        }
        row("f7", withGroups(filledAmount(70), locale) + QStringLiteral(" kwh/ezer m3"));
        row("f8", withGroups(filledAmount(71), locale) + QStringLiteral(" kwh/ezer m3"));
        row("f100", "Személyi jellegű ráfordítással arányos");
        row("g1", "NAV Nyugat-dunántúli Regionális Igazgatósága");
        row("g1b", "személyi jövedelemadó");
        row("g1c", localised("1'500 Ft.", locale));
        row("g1d", "10032000-01234567");
        row("g2", "Ezüstpatak Önkormányzata");
        row("g2b", "gépjárműadó");
        row("g2c", "250 Ft.");
        row("g2d", "11748007-15432100");
        for (int r = 3; r <= 5; ++r) {
            // Unused rows: empty texts, and the zero the window starts them with.
            row(QStringLiteral("g%1").arg(r), QString());
            row(QStringLiteral("g%1b").arg(r), QString());
            row(QStringLiteral("g%1c").arg(r), "0 Ft.");
            row(QStringLiteral("g%1d").arg(r), QString());
        }
        row("g11",
            "A túlfizetés összegéből " + withGroups(filledAmount(75), locale) + " forintot kérek visszatéríteni, "
                + withGroups(filledAmount(76), locale)
                + " forintot kérek más adónemben/hatóságnál nyilvántartott lejárt esedékességű "
                  "köztartozásra átvezetni, a fennmaradó összeget később esedékes iparűzési adó "
                  "fizetési kötelezettségre kívánom felhasználni");
    }
}

void TestReportValues::everyVariableOfAFilledReturn()
{
    QFETCH(QLocale, locale);
    QFETCH(QString, variable);
    QFETCH(QString, expected);

    StartedReturn r(locale);
    r.fill();
    const ReportValues values(r.model, testToday);
    QCOMPARE(shown(values.value(variable)), expected);
}

void TestReportValues::conditionalTexts_data()
{
    QTest::addColumn<Setup>("setup");
    QTest::addColumn<QString>("variable");
    QTest::addColumn<QString>("expected");

    auto choose = [](const char* group, int index) {
        return [group, index](FormModel& m) { m.setItemIndex(QString::fromLatin1(group), index); };
    };
    QTest::newRow("m3: annual return prints a dash") << Setup(choose("LMDRadioGroup4", 0)) << "m3"
                                                     << "-";
    QTest::newRow("m3: other types do not look at the missing reason") << Setup(choose("LMDRadioGroup4", 2)) << "m3"
                                                                       << "-";
    QTest::newRow("m3: closing return prints its reason") << Setup([](FormModel& m) {
        m.setItemIndex(u"LMDRadioGroup4", 1);
        m.setItemIndex(u"LMDRadioGroup2", 11);
    }) << "m3"
                                                          << "Egyéb";
    QTest::newRow("m3: the reason keeps its trailing blank") << Setup([](FormModel& m) {
        m.setItemIndex(u"LMDRadioGroup4", 1);
        m.setItemIndex(u"LMDRadioGroup2", 6);
    }) << "m3"
                                                             << "Székhely áthelyezése ";
    QTest::newRow("m1: the type keeps its trailing blanks")
        << Setup(choose("LMDRadioGroup4", 5)) << "m1"
        << "Naptári évtől eltérő üzleti évet választó adózó áttérésének évérol készült évközi bevallása     ";

    auto personalData = [](FormModel& m) {
        m.setText(u"Edit4", QStringLiteral("Győr"));
        m.setText(u"Edit3", QStringLiteral("Nagy Ilona"));
        m.setDate(u"DateTimePicker1", QDate(1970, 3, 15));
    };
    auto company = [personalData](FormModel& m) {
        m.setChecked(u"CheckBox1", false);
        personalData(m);
    };
    auto person = [personalData](FormModel& m) {
        m.setChecked(u"CheckBox1", true);
        personalData(m);
    };
    QTest::newRow("m5: dash for a company despite a birthplace") << Setup(company) << "m5"
                                                                 << "-";
    QTest::newRow("m6: dash for a company despite a birth date") << Setup(company) << "m6"
                                                                 << "-";
    QTest::newRow("m7: dash for a company despite a mother's name") << Setup(company) << "m7"
                                                                    << "-";
    QTest::newRow("m5: a private individual's birthplace") << Setup(person) << "m5"
                                                           << "Győr";
    QTest::newRow("m6: a private individual's birth date") << Setup(person) << "m6"
                                                           << "1970. 03. 15.";
    QTest::newRow("m7: a private individual's mother") << Setup(person) << "m7"
                                                       << "Nagy Ilona";

    auto marks = [](const char* taxNumber, const char* identification) {
        return [taxNumber, identification](FormModel& m) {
            m.setText(u"Edit5", QString::fromUtf8(taxNumber));
            m.setText(u"Edit7", QString::fromUtf8(identification));
        };
    };
    QTest::newRow("m38: tax number alone") << Setup(marks("12345678-2-07", "")) << "m38"
                                           << "12345678-2-07";
    QTest::newRow("m38: the identification mark wins over the tax number")
        << Setup(marks("12345678-2-07", "8123456789")) << "m38"
        << "8123456789";
    QTest::newRow("m38: neither gives a dash") << Setup(marks("", "")) << "m38"
                                               << "-";
    QTest::newRow("m38: a blank mark is not empty") << Setup(marks("12345678-2-07", " ")) << "m38"
                                                    << " ";
    QTest::newRow("m4: an empty name is an empty text") << Setup([](FormModel&) {}) << "m4"
                                                        << "";
}

void TestReportValues::conditionalTexts()
{
    QFETCH(Setup, setup);
    QFETCH(QString, variable);
    QFETCH(QString, expected);

    StartedReturn r(TestLocales::hungarian());
    setup(r.model);
    const ReportValues values(r.model, testToday);
    QCOMPARE(shown(values.value(variable)), expected);
}

void TestReportValues::amountForms_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("field");
    QTest::addColumn<long double>("amount");
    QTest::addColumn<QString>("variable");
    QTest::addColumn<QString>("expected");

    for (const auto& [tag, locale] : locales) {
        auto row = [&, tag = tag, locale = locale](const char* name, const char* field, long double amount,
                                                   const char* variable, const char* expected) {
            QTest::addRow("%s: %s", tag, name)
                << locale << QString::fromLatin1(field) << amount << QString::fromLatin1(variable)
                << localised(QString::fromUtf8(expected), locale);
        };
        row("zero is the digit 0", "PBNumEdit1", 0, "m13", "0 Ft.");
        row("negative keeps its sign and groups", "PBNumEdit1", -1234567, "m13", "-1'234'567 Ft.");
        row("a half rounds away from zero", "PBNumEdit35", 1234.5L, "b1", "1'235 Ft.");
        row("a negative half rounds away from zero", "PBNumEdit35", -2.5L, "b1", "-3 Ft.");
        row("below a half rounds to 0 without a sign", "PBNumEdit81", -0.4L, "h1", "0 Ft.");
        row("rounding carries into a new group", "PBNumEdit81", 999.5L, "h1", "1'000 Ft.");
        row("energy quantity", "PBNumEdit70", 1500, "f7", "1'500 kwh/ezer m3");
        row("advance instalment shows the field's text", "PBNumEdit72", 1234.5L, "m12c2", "1'234,5");
        row("second instalment, no suffix", "PBNumEdit73", 2500000, "m12c3", "2'500'000");
    }
}

void TestReportValues::amountForms()
{
    QFETCH(QLocale, locale);
    QFETCH(QString, field);
    QFETCH(long double, amount);
    QFETCH(QString, variable);
    QFETCH(QString, expected);

    StartedReturn r(locale);
    r.model.setValueQuietly(field, amount);
    const ReportValues values(r.model, testToday);
    QCOMPARE(shown(values.value(variable)), expected);
}

void TestReportValues::debtAmountCells_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("cell");
    QTest::addColumn<QString>("expected");

    for (const auto& [tag, locale] : locales) {
        auto row = [&, tag = tag, locale = locale](const char* name, const QString& cell, const char* expected) {
            QTest::addRow("%s: %s", tag, name) << locale << cell << localised(QString::fromUtf8(expected), locale);
        };
        row("cleared cell reads as zero", QString(), "0 Ft.");
        row("blank cell reads as zero", QStringLiteral("   "), "0 Ft.");
        row("the window's start value", QStringLiteral("0"), "0 Ft.");
        row("blanks around the number", QStringLiteral(" 250 "), "250 Ft.");
        row("the regional decimal separator", localised(QStringLiteral("12,5"), locale), "13 Ft.");
        row("negative", QStringLiteral("-1000"), "-1'000 Ft.");
        row("exponent", QStringLiteral("15E2"), "1'500 Ft.");
    }
}

void TestReportValues::debtAmountCells()
{
    QFETCH(QLocale, locale);
    QFETCH(QString, cell);
    QFETCH(QString, expected);

    StartedReturn r(locale);
    r.model.setCell(r.model.field(u"AdvStringGrid1"), 3, 4, cell);
    const ReportValues values(r.model, testToday);
    QCOMPARE(shown(values.value(QStringLiteral("g4c"))), expected);
    // The other rows keep the start value.
    QCOMPARE(shown(values.value(QStringLiteral("g5c"))), QStringLiteral("0 Ft."));
}

void TestReportValues::overpaymentStatement_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<bool>("disabled");
    QTest::addColumn<bool>("hasValue");
    QTest::addColumn<QString>("expected");

    const QString later = QStringLiteral("a fennmaradó összeget később esedékes iparűzési adó fizetési "
                                         "kötelezettségre kívánom felhasználni");
    const QString transfer = QStringLiteral("forintot kérek más adónemben/hatóságnál nyilvántartott lejárt "
                                            "esedékességű köztartozásra átvezetni, ");
    const QLocale hu = TestLocales::hungarian();
    auto a = [&hu](const char* amount) { return localised(QString::fromLatin1(amount), hu); };
    // Amounts: PBNumEdit74 250 000, PBNumEdit75 1 000, PBNumEdit76 0, PBNumEdit77 5 000,5.
    QTest::newRow("no selection") << -1 << false << false << QString();
    QTest::newRow("0: Nem választom") << 0 << false << false << QString();
    QTest::newRow("1: use it later") << 1 << false << true
                                     << "A túlfizetés összegét később esedékes iparűzési adó fizetési "
                                        "kötelezettségre kívánom felhasználni";
    QTest::newRow("2: refund part, no stray word after the statement")
        << 2 << false << true
        << "A túlfizetés összegéből " + a("250'000") + " forintot kérek visszatéríteni, " + later
            + ", egyúttal nyilatkozom, hogy lejárt esedékességű köztartozásom nincs";
    QTest::newRow("3: refund and transfer, zero printed as 0")
        << 3 << false << true
        << "A túlfizetés összegéből " + a("1'000") + " forintot kérek visszatéríteni, 0 " + transfer + later;
    QTest::newRow("4: transfer, amount rounded")
        << 4 << false << true << "A túlfizetés összegéből " + a("5'001") + " " + transfer + later;
    QTest::newRow("5: refund all") << 5 << false << true
                                   << "A túlfizetés teljes összegének visszatérítését kérem, egyúttal nyilatkozom, "
                                      "hogy lejárt esedékességű köztartozásom nincs";
    QTest::newRow("3: disabled fields still feed the statement")
        << 3 << true << true
        << "A túlfizetés összegéből " + a("1'000") + " forintot kérek visszatéríteni, 0 " + transfer + later;
}

void TestReportValues::overpaymentStatement()
{
    QFETCH(int, index);
    QFETCH(bool, disabled);
    QFETCH(bool, hasValue);
    QFETCH(QString, expected);

    StartedReturn r(TestLocales::hungarian());
    r.model.setItemIndex(u"LMDRadioGroup1", index);
    r.model.setValueQuietly(u"PBNumEdit74", 250000);
    r.model.setValueQuietly(u"PBNumEdit75", 1000);
    r.model.setValueQuietly(u"PBNumEdit76", 0);
    r.model.setValueQuietly(u"PBNumEdit77", 5000.5L);
    if (disabled) {
        for (const char* field : {"PBNumEdit74", "PBNumEdit75", "PBNumEdit76", "PBNumEdit77"})
            r.model.setEnabled(QString::fromLatin1(field), false);
    }
    const ReportValues values(r.model, testToday);
    const std::optional<QString> value = values.value(QStringLiteral("g11"));
    QCOMPARE(value.has_value(), hasValue);
    if (hasValue)
        QCOMPARE(*value, expected);
}

void TestReportValues::namesOutsideTheTableGetNoValue_data()
{
    QTest::addColumn<QString>("name");

    QTest::newRow("upper-case letter") << "M4";
    QTest::newRow("upper-case date") << "Datum";
    QTest::newRow("leading zero") << "m04";
    QTest::newRow("trailing blank") << "m4 ";
    QTest::newRow("leading blank") << " m4";
    QTest::newRow("empty") << "";
    QTest::newRow("brackets included") << "[m4]";
    QTest::newRow("sixth debt row") << "g6c";
    QTest::newRow("debt row zero") << "g0";
    QTest::newRow("statement with a blank") << "g11 ";
    QTest::newRow("past the last A line") << "a7";
    QTest::newRow("past the last H line") << "h8";
    QTest::newRow("past the last F line") << "f9";
    QTest::newRow("a number the table skips") << "m40";
    QTest::newRow("a component name") << "Edit1";
}

void TestReportValues::namesOutsideTheTableGetNoValue()
{
    QFETCH(QString, name);

    StartedReturn r(TestLocales::hungarian());
    r.fill();
    const ReportValues values(r.model, testToday);
    QCOMPARE(shown(values.value(name)), QStringLiteral("<no value>"));
}

void TestReportValues::failures_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<Setup>("setup");
    QTest::addColumn<QString>("variable");
    QTest::addColumn<QString>("message");

    const QLocale hu = TestLocales::hungarian();
    const QLocale en = TestLocales::english();
    const QString outOfBounds = QStringLiteral("List index out of bounds (-1)");
    auto cell = [](const char* text) {
        return [text](FormModel& m) { m.setCell(m.field(u"AdvStringGrid1"), 3, 2, QString::fromUtf8(text)); };
    };

    QTest::newRow("m1 without a type of return")
        << hu << Setup([](FormModel& m) { m.setItemIndex(u"LMDRadioGroup4", -1); }) << "m1" << outOfBounds;
    QTest::newRow("m3 for a closing return without a reason") << hu << Setup([](FormModel& m) {
        m.setItemIndex(u"LMDRadioGroup4", 1);
        m.setItemIndex(u"LMDRadioGroup2", -1);
    }) << "m3" << outOfBounds;
    QTest::newRow("f100 without an apportioning method")
        << hu << Setup([](FormModel& m) { m.setItemIndex(u"LMDRadioGroup3", -1); }) << "f100" << outOfBounds;
    QTest::newRow("an amount field holding no number")
        << hu << Setup([](FormModel& m) { m.setTextQuietly(m.field(u"PBNumEdit1"), QStringLiteral("12x")); }) << "m13"
        << "'12x' is not a valid floating point value";
    QTest::newRow("a statement amount holding no number") << hu << Setup([](FormModel& m) {
        m.setItemIndex(u"LMDRadioGroup1", 2);
        m.setTextQuietly(m.field(u"PBNumEdit74"), QStringLiteral("sok"));
    }) << "g11"
                                                          << "'sok' is not a valid floating point value";
    QTest::newRow("debt amount: letters") << hu << Setup(cell("abc")) << "g2c"
                                          << "'abc' is not a valid floating point value";
    QTest::newRow("debt amount: the other locale's decimal point") << hu << Setup(cell("12.5")) << "g2c"
                                                                   << "'12.5' is not a valid floating point value";
    QTest::newRow("debt amount: Hungarian decimal comma under English settings")
        << en << Setup(cell("12,5")) << "g2c"
        << "'12,5' is not a valid floating point value";
    QTest::newRow("debt amount: digit groups are not read") << hu << Setup(cell("1 000")) << "g2c"
                                                            << "'1 000' is not a valid floating point value";
    QTest::newRow("debt amount: a lone minus") << hu << Setup(cell(" - ")) << "g2c"
                                               << "' - ' is not a valid floating point value";
}

void TestReportValues::failures()
{
    QFETCH(QLocale, locale);
    QFETCH(Setup, setup);
    QFETCH(QString, variable);
    QFETCH(QString, message);

    StartedReturn r(locale);
    r.fill();
    setup(r.model);
    const ReportValues values(r.model, testToday);
    QCOMPARE(failureText([&] { (void)values.value(variable); }), message);
}

void TestReportValues::everyRequestReadsAfresh()
{
    StartedReturn r(TestLocales::hungarian());
    QDate today(2012, 12, 31);
    const ReportValues values(r.model, [&today] { return today; });

    QCOMPARE(shown(values.value(QStringLiteral("datum"))), QStringLiteral("2012. 12. 31."));
    today = today.addDays(1);
    QCOMPARE(shown(values.value(QStringLiteral("m901"))), QStringLiteral("2013. 01. 01."));

    QCOMPARE(shown(values.value(QStringLiteral("azon"))), QString());
    r.model.setBarcodeText(QStringLiteral("12345682"));
    r.model.setText(u"Edit1", QString());
    QCOMPARE(shown(values.value(QStringLiteral("azon"))), QStringLiteral("12345682"));

    r.model.setText(u"Edit1", QStringLiteral("Új Név Bt."));
    QCOMPARE(shown(values.value(QStringLiteral("m4"))), QStringLiteral("Új Név Bt."));
    QCOMPARE(shown(values.value(QStringLiteral("m35"))), QStringLiteral("Új Név Bt."));
}

QTEST_GUILESS_MAIN(TestReportValues)
#include "TestReportValues.moc"
