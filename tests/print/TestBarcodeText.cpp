#include "StartedReturn.h"
#include "TestLocales.h"
#include "print/BarcodeText.h"
#include "print/ReportTemplate.h"

#include <QRegularExpression>
#include <QTest>

namespace {

// A source that hands out the given strings in turn.
BarcodeText::DigitSource sequence(QStringList results)
{
    auto remaining = std::make_shared<QStringList>(std::move(results));
    return [remaining] { return remaining->takeFirst(); };
}

// A thirty-digit processor string ending in the processor signature.
const QString digits30 = QStringLiteral("419430400209715217811189500657");

} // namespace

// The barcode text of the print command: checksum of the taxpayer's name,
// the processor digit fragment, and where the text is kept.
class TestBarcodeText : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void nameChecksum_data();
    void nameChecksum();
    void checksumSeesCaseButNotOrderAfterTheFirstLetter();
    void fragment_data();
    void fragment();
    void formTakesThreeComputationsInOrder();
    void processorDigitsAreStable();
    void printCommandKeepsTheLastNamedText();
};

void TestBarcodeText::nameChecksum_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<quint32>("checksum");
    QTest::addColumn<QString>("hex");

    // Windows-1250 codes: A 65, B 66, a 97, Á 193, ő 245, ű 251.
    QTest::newRow("one letter counts twice") << "A" << 130u << "82";
    QTest::newRow("two letters") << "AB" << 65u * 2 + 66 << "C4";
    QTest::newRow("accented first letter by its code page byte") << "Ábc" << 193u * 2 + 98 + 99 << "247";
    QTest::newRow("Hungarian double acute letters") << "őű" << 245u * 2 + 251 << "2E5";
    QTest::newRow("euro sign by its code page byte 128") << "A\u20ac" << 65u * 2 + 128 << "102";
    QTest::newRow("empty name") << "" << 0u << "0";
}

void TestBarcodeText::nameChecksum()
{
    QFETCH(QString, name);
    QFETCH(quint32, checksum);
    QFETCH(QString, hex);

    QCOMPARE(BarcodeText::nameChecksum(name), checksum);
    // The text is the fragment followed by the upper-case hex checksum.
    QCOMPARE(BarcodeText::form(name, [] { return digits30; }), QStringLiteral("500657") + hex);
}

void TestBarcodeText::checksumSeesCaseButNotOrderAfterTheFirstLetter()
{
    const quint32 base = BarcodeText::nameChecksum(QStringLiteral("Kovács Kft."));
    QCOMPARE(BarcodeText::nameChecksum(QStringLiteral("K.tfK scávo")), base);
    QVERIFY(BarcodeText::nameChecksum(QStringLiteral("Kovács kft.")) != base);
    QVERIFY(BarcodeText::nameChecksum(QStringLiteral("kovács Kft.")) != base);
    // Moving another letter to the front counts that one twice instead.
    QVERIFY(BarcodeText::nameChecksum(QStringLiteral("oKvács Kft.")) != base);
}

void TestBarcodeText::fragment_data()
{
    QTest::addColumn<QString>("p1");
    QTest::addColumn<QString>("p2");
    QTest::addColumn<QString>("p3");
    QTest::addColumn<QString>("expected");

    QTest::newRow("three agreeing strings give the last six digits") << digits30 << digits30 << digits30 << "500657";
    QTest::newRow("a short agreeing string gives its last six") << "1234567"
                                                                << "1234567"
                                                                << "1234567"
                                                                << "234567";
    QTest::newRow("a string of six is taken whole") << "123456"
                                                    << "123456"
                                                    << "123456"
                                                    << "123456";
    // Start at length(P2) - 5 = 26 of P3, for length(P1) = 2 characters.
    QTest::newRow("disagreeing: P1 sets the length, P2 the start")
        << "12"
        << "1234567890123456789012345678901" << digits30 << "00";
    QTest::newRow("disagreeing: the fragment stops at the end of P3")
        << "12345678901234567890"
        << "1234567890123456789012345" << digits30 << "11189500657";
    QTest::newRow("disagreeing: a short P2 starts at the first character") << "12345678"
                                                                           << "123" << digits30 << "41943040";
    QTest::newRow("disagreeing: a start past the end of P3 gives nothing") << "123456" << digits30 << "1234"
                                                                           << "";
}

void TestBarcodeText::fragment()
{
    QFETCH(QString, p1);
    QFETCH(QString, p2);
    QFETCH(QString, p3);
    QFETCH(QString, expected);

    QCOMPARE(BarcodeText::fragment(p1, p2, p3), expected);
}

void TestBarcodeText::formTakesThreeComputationsInOrder()
{
    // P1 = "12" (length 2), P2 of 31 characters (start 26), P3 = digits30.
    const QString text
        = BarcodeText::form(QStringLiteral("A"), sequence({"12", "1234567890123456789012345678901", digits30}));
    QCOMPARE(text, QStringLiteral("0082"));
}

void TestBarcodeText::processorDigitsAreStable()
{
    const QString first = BarcodeText::processorDigits();
    QVERIFY2(QRegularExpression(QStringLiteral("^[0-9]{4,40}$")).match(first).hasMatch(), qPrintable(first));
    QCOMPARE(BarcodeText::processorDigits(), first);
    // On one machine, the same name gives the same text.
    QCOMPARE(BarcodeText::form(QStringLiteral("Kovács")), BarcodeText::form(QStringLiteral("Kovács")));
}

void TestBarcodeText::printCommandKeepsTheLastNamedText()
{
    StartedReturn r(TestLocales::hungarian());
    ReportTemplate report = ReportTemplate::standard();
    auto source = [] { return digits30; };

    // No name: nothing changes, the stored barcode text included.
    BarcodeText::formBarcodeText(r.model, report, source);
    QCOMPARE(r.model.barcodeText(), QString());
    QCOMPARE(report, ReportTemplate::standard());

    r.model.setText(u"Edit1", QStringLiteral("A"));
    BarcodeText::formBarcodeText(r.model, report, source);
    QCOMPARE(r.model.barcodeText(), QStringLiteral("50065782"));
    QCOMPARE(report.findObject(u"barcode1")->text, QStringLiteral("50065782"));
    // Only the text changed: the barcode stays hidden.
    QCOMPARE(report.findObject(u"BarCode1")->visible, false);

    r.model.setText(u"Edit1", QString());
    BarcodeText::formBarcodeText(r.model, report, [] { return QStringLiteral("999999999"); });
    QCOMPARE(r.model.barcodeText(), QStringLiteral("50065782"));
    QCOMPARE(report.findObject(u"BarCode1")->text, QStringLiteral("50065782"));
}

QTEST_GUILESS_MAIN(TestBarcodeText)
#include "TestBarcodeText.moc"
