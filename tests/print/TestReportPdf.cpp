#include "PdfReader.h"
#include "StartedReturn.h"
#include "TestLocales.h"
#include "print/BarcodeText.h"
#include "print/ReportFonts.h"
#include "print/ReportPainter.h"

#include <QPdfWriter>
#include <QTemporaryDir>
#include <QTest>

// A fully filled return written to a PDF file and read back with Poppler's
// command-line tools: the pages, their paper and the texts on them.
class TestReportPdf : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void pagesAndPaper();
    void texts_data();
    void texts();
    void taxpayerOnEverySupplementaryPage();

private:
    QTemporaryDir m_dir;
    QString m_file;
};

void TestReportPdf::initTestCase()
{
    QVERIFY2(PdfReader::toolsPresent(), "pdfinfo and pdftotext (poppler-utils) are needed");
    QVERIFY(m_dir.isValid());
    ReportFonts::install();

    StartedReturn r(TestLocales::hungarian());
    r.fill();
    ReportTemplate report = ReportTemplate::standard();
    // A one-letter name has a checksum easy to check: "A" gives 82.
    const QString name = r.model.text(u"Edit1");
    r.model.setText(u"Edit1", QStringLiteral("A"));
    BarcodeText::formBarcodeText(r.model, report, [] { return QStringLiteral("419430400209715217811189500657"); });
    r.model.setText(u"Edit1", name);
    const PreparedReport prepared = r.prepare(report);
    QVERIFY2(prepared.succeeded(), qPrintable(prepared.errors.join(u'\n')));

    m_file = m_dir.filePath(QStringLiteral("return.pdf"));
    QPdfWriter writer(m_file);
    writer.setResolution(1200);
    writer.setTitle(QStringLiteral("EZP11009"));
    QVERIFY(ReportPainter::printReport(prepared, writer));
}

void TestReportPdf::pagesAndPaper()
{
    const QList<QSizeF> sizes = PdfReader::pageSizes(m_file);
    QCOMPARE(sizes.size(), 11);
    // A4 is 595.28 x 841.89 points; the tenth page, sheet "G", lies on its side.
    for (int i = 0; i < sizes.size(); ++i) {
        const QSizeF expected = i == 9 ? QSizeF(841.89, 595.28) : QSizeF(595.28, 841.89);
        QVERIFY2(qAbs(sizes.at(i).width() - expected.width()) < 0.5
                     && qAbs(sizes.at(i).height() - expected.height()) < 0.5,
                 qPrintable(
                     QStringLiteral("page %1: %2 x %3").arg(i + 1).arg(sizes.at(i).width()).arg(sizes.at(i).height())));
    }
}

void TestReportPdf::texts_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("text");

    QTest::newRow("1: title") << 1 << "BEVALLÁS";
    QTest::newRow("1: taxpayer") << 1 << "Kovács és Társa Kft.";
    QTest::newRow("1: mended row label") << 1 << "2f.";
    QTest::newRow("1: page label") << 1 << "Oldal: 1/3";
    QTest::newRow("1: barcode text in the footer") << 1 << "(50065782)";
    QTest::newRow("1: statement row c.") << 1 << "mint az egyszerűsített vállalkozói adó alanya";
    QTest::newRow("2: line 18 mended") << 2 << "Iparűzési adófizetési kötelezettség 15-(16+17)";
    QTest::newRow("2: a zero amount") << 2 << "0 Ft.";
    QTest::newRow("2: page label") << 2 << "Oldal: 2/3";
    QTest::newRow("3: bold declaration") << 3 << "Felelősségem tudatában kijelentem";
    QTest::newRow("3: place and date") << 3 << "Ezüstpatak, 2012. 05. 31.";
    QTest::newRow("8: sheet D heading") << 7 << "Befektetési vállalkozások";
    QTest::newRow("9: literal brackets") << 8 << "[2+3-(4+5+6)]";
    QTest::newRow("10: energy unit") << 9 << "kwh/ezer m3";
    QTest::newRow("10: statement, first line") << 10 << "forintot kérek visszatéríteni,";
    QTest::newRow("10: statement, its end") << 10 << "kötelezettségre kívánom felhasználni";
    QTest::newRow("10: debt row") << 10 << "gépjárműadó";
    QTest::newRow("11: heading with ű") << 11 << "Iparűzési adóalap egyszerűsített meghatározási módja";
    QTest::newRow("11: header barcode text") << 11 << "(50065782)";
}

void TestReportPdf::texts()
{
    QFETCH(int, page);
    QFETCH(QString, text);

    const QString extracted = PdfReader::pageText(m_file, page);
    QVERIFY2(extracted.contains(text), qPrintable(extracted));
}

void TestReportPdf::taxpayerOnEverySupplementaryPage()
{
    for (int page = 4; page <= 11; ++page) {
        const QString extracted = PdfReader::pageText(m_file, page);
        QVERIFY2(extracted.contains(QStringLiteral("Kovács és Társa Kft.")), qPrintable(QString::number(page)));
        QVERIFY2(extracted.contains(QStringLiteral("EZP11009")), qPrintable(QString::number(page)));
    }
}

QTEST_MAIN(TestReportPdf)
#include "TestReportPdf.moc"
