#include "FailureText.h"
#include "TestLocales.h"
#include "calc/Amount.h"
#include "model/Failure.h"

#include <QTest>

Q_DECLARE_METATYPE(long double)

using TestLocales::localised;

class TestAmount : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void displayForm_data();
    void displayForm();
    void reading_data();
    void reading();
    void readFailure_data();
    void readFailure();
    void wholeForintRounding_data();
    void wholeForintRounding();
    void hundredForintRounding_data();
    void hundredForintRounding();
    void printedForm_data();
    void printedForm();
};

void TestAmount::displayForm_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<long double>("value");
    QTest::addColumn<QString>("expected");

    const QList<std::pair<const char*, QLocale>> locales = {{"hu", TestLocales::hungarian()},
                                                            {"en", TestLocales::english()}};
    for (const auto& [tag, locale] : locales) {
        auto row = [&](const char* name, long double value, const char* expected) {
            QTest::addRow("%s: %s", tag, name) << locale << value << localised(QString::fromUtf8(expected), locale);
        };
        row("zero", 0, "0");
        row("negative zero", -0.0L, "0");
        row("whole, grouped", 2500000, "2'500'000");
        row("negative, grouped", -1234, "-1'234");
        row("fraction shown", 1234567.5L, "1'234'567,5");
        row("20% of 12347", 12347 * 0.2L, "2'469,4");
        row("120% of 12347", 12347 + 12347 * 0.2L, "14'816,4");
        row("below a hundred-trillionth shows 0", 1e-15L, "0");
        row("fraction cut to 15 significant digits", 123456789.123456789L, "123'456'789,123457");
        row("fraction of a small value keeps 14 digits", 0.12345678901234567L, "0,12345678901235");
        row("half of an odd hundred", 69100 / 2.0L, "34'550");
        row("three digits need no group", 999, "999");
        row("a thousand gets one group", -1000, "-1'000");
    }
}

void TestAmount::displayForm()
{
    QFETCH(QLocale, locale);
    QFETCH(long double, value);
    QFETCH(QString, expected);
    QCOMPARE(Amount::displayText(value, locale), expected);
}

void TestAmount::reading_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("text");
    QTest::addColumn<long double>("expected");

    const QLocale hu = TestLocales::hungarian();
    const QLocale en = TestLocales::english();
    QTest::newRow("hu: empty is zero") << hu << QString() << 0.0L;
    QTest::newRow("hu: lone minus is zero") << hu << QStringLiteral("-") << 0.0L;
    QTest::newRow("hu: grouped with no-break spaces") << hu << localised(QStringLiteral("1'234'567,5"), hu) << 1234567.5L;
    QTest::newRow("hu: grouped with plain spaces") << hu << QStringLiteral("1 234 567,5") << 1234567.5L;
    QTest::newRow("hu: exponent") << hu << QStringLiteral("1,5E3") << 1500.0L;
    QTest::newRow("hu: negative exponent") << hu << QStringLiteral("25E-1") << 2.5L;
    QTest::newRow("hu: display form of 20% reads back") << hu << localised(QStringLiteral("2'469,4"), hu) << 2469.4L;
    QTest::newRow("en: grouped with commas") << en << QStringLiteral("-1,234.25") << -1234.25L;
    QTest::newRow("en: trailing decimal point") << en << QStringLiteral("12.") << 12.0L;
}

void TestAmount::reading()
{
    QFETCH(QLocale, locale);
    QFETCH(QString, text);
    QFETCH(long double, expected);
    QCOMPARE(Amount::read(text, locale), expected);
}

void TestAmount::readFailure_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");

    const QLocale hu = TestLocales::hungarian();
    const QLocale en = TestLocales::english();
    QTest::newRow("exponent without digits") << hu << QStringLiteral("12E") << QStringLiteral("'12E' is not a valid floating point value");
    QTest::newRow("group separators are left out of the message")
        << hu << localised(QStringLiteral("1'234E"), hu) << QStringLiteral("'1234E' is not a valid floating point value");
    QTest::newRow("letters") << hu << QStringLiteral("abc") << QStringLiteral("'abc' is not a valid floating point value");
    QTest::newRow("English decimal point under Hungarian settings")
        << hu << QStringLiteral("1.5") << QStringLiteral("'1.5' is not a valid floating point value");
    QTest::newRow("Hungarian decimal comma under English settings is a group")
        << en << QStringLiteral("1,5E") << QStringLiteral("'15E' is not a valid floating point value");
    QTest::newRow("two decimal separators") << hu << QStringLiteral("1,2,3") << QStringLiteral("'1,2,3' is not a valid floating point value");
    QTest::newRow("out of range") << hu << QStringLiteral("1E99999") << QStringLiteral("'1E99999' is not a valid floating point value");
    QTest::newRow("infinity is no amount") << en << QStringLiteral("inf") << QStringLiteral("'inf' is not a valid floating point value");
}

void TestAmount::readFailure()
{
    QFETCH(QLocale, locale);
    QFETCH(QString, text);
    QFETCH(QString, message);
    QCOMPARE(failureText([&] { Amount::read(text, locale); }), message);
}

void TestAmount::wholeForintRounding_data()
{
    QTest::addColumn<long double>("value");
    QTest::addColumn<long double>("expected");
    // Halves go to the even whole number.
    QTest::newRow("24.5 down to even") << 24.5L << 24.0L;
    QTest::newRow("25.5 up to even") << 25.5L << 26.0L;
    QTest::newRow("50000.5 down to even") << 50000.5L << 50000.0L;
    QTest::newRow("50001.5 up to even") << 50001.5L << 50002.0L;
    QTest::newRow("2% of 2 500 025 is an exact half") << 2500025 * 0.02L << 50000.0L;
    QTest::newRow("2% of 2 500 075 is an exact half") << 2500075 * 0.02L << 50002.0L;
    QTest::newRow("2% of 3 456 789 (69 135.78)") << 3456789 * 0.02L << 69136.0L;
    QTest::newRow("negative half") << -2.5L << -2.0L;
}

void TestAmount::wholeForintRounding()
{
    QFETCH(long double, value);
    QFETCH(long double, expected);
    QCOMPARE(Amount::roundWhole(value), expected);
}

void TestAmount::hundredForintRounding_data()
{
    QTest::addColumn<long double>("value");
    QTest::addColumn<long double>("expected");
    QTest::newRow("49 is below the half hundred") << 49.0L << 0.0L;
    QTest::newRow("50 rounds up to 100") << 50.0L << 100.0L;
    QTest::newRow("100 stays") << 100.0L << 100.0L;
    QTest::newRow("150 goes to the even 200") << 150.0L << 200.0L;
    QTest::newRow("250 goes to the even 200") << 250.0L << 200.0L;
    QTest::newRow("960") << 960.0L << 1000.0L;
    QTest::newRow("999 carries") << 999.0L << 1000.0L;
    QTest::newRow("1 250 to 1 200") << 1250.0L << 1200.0L;
    QTest::newRow("1 350 to 1 400") << 1350.0L << 1400.0L;
    QTest::newRow("12 049") << 12049.0L << 12000.0L;
    QTest::newRow("12 345") << 12345.0L << 12300.0L;
    QTest::newRow("12 349.9 stays below the half") << 12349.9L << 12300.0L;
    QTest::newRow("12 350.4 is above the half") << 12350.4L << 12400.0L;
    QTest::newRow("19 950 to 20 000") << 19950.0L << 20000.0L;
    QTest::newRow("19 960 carries") << 19960.0L << 20000.0L;
    QTest::newRow("61 250 to 61 200") << 61250.0L << 61200.0L;
    QTest::newRow("61 350 to 61 400") << 61350.0L << 61400.0L;
    QTest::newRow("69 136 to 69 100") << 69136.0L << 69100.0L;
    QTest::newRow("99 951 carries through all digits") << 99951.0L << 100000.0L;
    QTest::newRow("nothing owed") << -10.0L << 0.0L;
}

void TestAmount::hundredForintRounding()
{
    QFETCH(long double, value);
    QFETCH(long double, expected);
    QCOMPARE(Amount::roundHundred(value), expected);
}

void TestAmount::printedForm_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<long double>("value");
    QTest::addColumn<QString>("expected");
    const QLocale hu = TestLocales::hungarian();
    const QLocale en = TestLocales::english();
    QTest::newRow("hu: zero") << hu << 0.0L << QStringLiteral("0");
    QTest::newRow("hu: half away from zero") << hu << 2469.5L << localised(QStringLiteral("2'470"), hu);
    QTest::newRow("hu: negative half away from zero") << hu << -1234.5L << localised(QStringLiteral("-1'235"), hu);
    QTest::newRow("hu: small negative prints 0") << hu << -0.4L << QStringLiteral("0");
    QTest::newRow("en: thousands") << en << 1500.0L << QStringLiteral("1,500");
    QTest::newRow("en: fraction dropped") << en << 14816.4L << QStringLiteral("14,816");
}

void TestAmount::printedForm()
{
    QFETCH(QLocale, locale);
    QFETCH(long double, value);
    QFETCH(QString, expected);
    QCOMPARE(Amount::printedText(value, locale), expected);
}

QTEST_GUILESS_MAIN(TestAmount)
#include "TestAmount.moc"
