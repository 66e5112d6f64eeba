#include "StartedReturn.h"
#include "TestLocales.h"
#include "calc/Amount.h"
#include "model/Failure.h"
#include "print/BarcodeText.h"
#include "print/PageSelection.h"
#include "print/ReportEngine.h"
#include "print/ReportTemplate.h"
#include "print/ReportValues.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using Setup = std::function<void(StartedReturn&)>;
Q_DECLARE_METATYPE(Setup)

namespace {

// A Hungarian amount with "'" for the digit group separator.
QString hu(const char* text)
{
    QString result = QString::fromUtf8(text);
    result.replace(u'\'', Amount::groupSeparator(TestLocales::hungarian()));
    return result;
}

const QStringList crossLines
    = {"Line78", "Line79", "Line80",  "Line81",  "Line82", "Line83", "Line84",  "Line85", "Line56", "Line57",
       "Line58", "Line94", "Line138", "Line139", "Line64", "Line65", "Line66",  "Line67", "Line68", "Line69",
       "Line70", "Line71", "Line72",  "Line73",  "Line74", "Line75", "Line218", "Line219"};

// The cross-mark lines that the prepared first page draws.
QStringList drawnCrosses(const PreparedReport& report)
{
    QStringList drawn;
    const PreparedPage* page = report.page(u"Page1");
    if (!page)
        return {QStringLiteral("<no Page1>")};
    for (const PreparedLine& line : page->lines) {
        if (crossLines.contains(line.name))
            drawn.append(line.name);
    }
    drawn.sort();
    return drawn;
}

QStringList sorted(QStringList list)
{
    list.sort();
    return list;
}

QString textOf(const PreparedReport& report, const QString& page, const QString& object)
{
    const PreparedPage* p = report.page(page);
    const PreparedText* text = p ? p->text(object) : nullptr;
    return text ? text->text() : QStringLiteral("<%1 not printed>").arg(object);
}

void writeFile(const QString& path, const QByteArray& contents)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(contents);
}

const QByteArray pagesJson = R"({"formLabel": "Nyomtatvány száma:", "formCode": "EZP11009", "pages": ["P.json"]})";

QByteArray pageJson(const QByteArray& objects)
{
    return R"({"name": "P", "paper": "A4", "orientation": "portrait",
               "margins": {"left": 22, "right": 20, "top": 10, "bottom": 25},
               "visible": true, "pageLabel": null, "header": null, "footer": null, "objects": [)"
        + objects + "]}";
}

const QByteArray goodText
    = R"({"type": "text", "name": "Memo1", "left": 1, "top": 2, "width": 3, "height": 4, "font": "Tahoma",
          "size": 8, "bold": false, "align": "LT", "text": "x"})";

} // namespace

// The template as read from its data, and the preparation of pages from it:
// slots, page selection, errors, and the template left as it was stored.
class TestReportEngine : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void storedTemplate();
    void stripsAreExpanded_data();
    void stripsAreExpanded();
    void brokenTemplates_data();
    void brokenTemplates();
    void firstPageOfAFilledReturn_data();
    void firstPageOfAFilledReturn();
    void otherPagesOfAFilledReturn_data();
    void otherPagesOfAFilledReturn();
    void barcodeStripsBeforeAndAfterANamedPrint();
    void markupAndLiteralBrackets();
    void whatIsDrawn();
    void unresolvedSlotsAreCollected();
    void failureEndsThePreparation_data();
    void failureEndsThePreparation();
    void templateKeepsItsStoredState();
    void pageSelection_data();
    void pageSelection();
    void crossesDoNotCarryOver();

private:
    QLocale m_locale;
};

void TestReportEngine::initTestCase()
{
    m_locale = TestLocales::hungarian();
}

void TestReportEngine::storedTemplate()
{
    const ReportTemplate& report = ReportTemplate::standard();
    QStringList names;
    QStringList visible;
    for (const ReportPage& page : report.pages) {
        names.append(page.name);
        if (page.visible)
            visible.append(page.name);
    }
    QCOMPARE(names,
             QStringList({"Page1", "Page2", "Page2b", "Page3", "Page5", "Page6", "Page7", "Page8", "Page9", "Page10",
                          "Page11"}));
    QCOMPARE(visible, QStringList({"Page1", "Page2", "Page2b", "Page3", "Page11"}));
    QCOMPARE(report.previewZoom, 1.0);
    QCOMPARE(report.previewCommands, QStringList({"print", "zoom"}));

    const ReportPage& page1 = report.page(0);
    QCOMPARE(page1.layout.pageSize().id(), QPageSize::A4);
    QCOMPARE(page1.layout.orientation(), QPageLayout::Portrait);
    QCOMPARE(page1.layout.margins(QPageLayout::Millimeter), QMarginsF(22, 10, 20, 25));
    QCOMPARE(page1.pageLabel, QStringLiteral("Oldal: 1/3"));
    // 168 mm and 255 mm of printable width.
    QVERIFY(qAbs(page1.printableWidth() - 634.96) < 0.01);
    const ReportPage& page10 = report.page(9);
    QCOMPARE(page10.layout.orientation(), QPageLayout::Landscape);
    QCOMPARE(page10.layout.margins(QPageLayout::Millimeter), QMarginsF(22, 20, 20, 20));
    QVERIFY(qAbs(page10.printableWidth() - 963.78) < 0.01);

    // Names are found whatever their letter case.
    const ReportObject* barcode = report.findObject(u"barcode1");
    QVERIFY(barcode);
    QCOMPARE(barcode->name, QStringLiteral("BarCode1"));
    QCOMPARE(barcode->kind, ReportObjectKind::Barcode);
    QCOMPARE(barcode->text, QStringLiteral("12345678"));
    QCOMPARE(barcode->visible, false);
    const ReportObject* cross = report.findObject(u"LINE219");
    QVERIFY(cross);
    QCOMPARE(cross->visible, false);
    QCOMPARE(QLineF(cross->left, cross->top, cross->left + cross->width, cross->top + cross->height),
             QLineF(521.58, 385.51, 491.34, 411.97));
    QVERIFY(!report.findObject(u"Line999"));
}

void TestReportEngine::stripsAreExpanded_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("object");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QRectF>("rect");
    QTest::addColumn<QString>("font");

    QTest::newRow("Page1 footer: form label")
        << 0 << "Memo174"
        << "Nyomtatvány száma:" << QRectF(0, 971.34, 79.37, 15.12) << "Tahoma 6 LB";
    QTest::newRow("Page1 footer: page label") << 0 << "Memo176"
                                              << "Oldal: 1/3" << QRectF(555.59, 971.34, 79.37, 15.12) << "Tahoma 6 LB";
    QTest::newRow("Page2 header: form code")
        << 1 << "Memo92"
        << "EZP11009" << QRectF(79.37, 0, 64.25, 15.12) << "Franklin Gothic Medium 9 bold LM";
    QTest::newRow("Page2 header: barcode text") << 1 << "Memo94"
                                                << "([azon])" << QRectF(143.62, 0, 98.27, 15.12) << "Tahoma 6 LB";
    QTest::newRow("Page2b footer: date") << 2 << "Memo517"
                                         << "[datum]" << QRectF(245.67, 918.43, 49.13, 15.12) << "Tahoma 6 LB";
    QTest::newRow("Page2b footer: page label") << 2 << "Memo530"
                                               << "Oldal: 3/3" << QRectF(555.59, 918.43, 79.37, 15.12) << "Tahoma 6 LB";
    QTest::newRow("Page3 footer: date") << 3 << "Memo50"
                                        << "[datum]" << QRectF(245.67, 880.63, 49.13, 15.12) << "Tahoma 6 LB";
    QTest::newRow("Page10 header: date") << 9 << "Memo373"
                                         << "[datum]" << QRectF(245.67, 0, 49.13, 15.12) << "Tahoma 6 LB";
    QTest::newRow("Page11 footer: barcode text") << 10 << "Memo445"
                                                 << "([azon])" << QRectF(143.62, 880.63, 98.27, 15.12) << "Tahoma 6 LB";
}

void TestReportEngine::stripsAreExpanded()
{
    QFETCH(int, page);
    QFETCH(QString, object);
    QFETCH(QString, text);
    QFETCH(QRectF, rect);
    QFETCH(QString, font);

    const ReportTemplate& report = ReportTemplate::standard();
    const ReportObject* o = report.findObject(object);
    QVERIFY(o);
    QVERIFY(report.page(page).objects.contains(*o));
    QCOMPARE(o->text, text);
    QCOMPARE(QRectF(o->left, o->top, o->width, o->height), rect);
    QString described = o->fontFamily + u' ' + QString::number(o->pointSize) + (o->bold ? " bold " : " ");
    described += o->alignment & Qt::AlignVCenter ? QStringLiteral("LM") : QStringLiteral("LB");
    QVERIFY(o->alignment & Qt::AlignLeft);
    QCOMPARE(described, font);
}

void TestReportEngine::brokenTemplates_data()
{
    QTest::addColumn<QByteArray>("pages");
    QTest::addColumn<QByteArray>("page");
    QTest::addColumn<QString>("error");

    QTest::newRow("no pages.json") << QByteArray() << pageJson(goodText) << "pages.json: ";
    QTest::newRow("pages.json is no JSON") << QByteArray("{\"pages\": [") << pageJson(goodText) << "pages.json: ";
    QTest::newRow("a listed page is missing") << pagesJson << QByteArray() << "P.json: ";
    QTest::newRow("unknown object type") << pagesJson << pageJson(R"({"type": "ellipse", "name": "Shape1"})")
                                         << "P.json: unknown object type";
    QTest::newRow("names differing only in case")
        << pagesJson << pageJson(goodText + "," + QByteArray(goodText).replace("Memo1", "MEMO1"))
        << "P: the name MEMO1 is used twice";
    QTest::newRow("alignment code out of range")
        << pagesJson << pageJson(QByteArray(goodText).replace("\"LT\"", "\"LX\""))
        << "P.json: Memo1 has no valid alignment";
    QTest::newRow("picture file missing")
        << pagesJson
        << pageJson(R"({"type": "picture", "name": "Picture1", "left": 0, "top": 0, "width": 60, "height": 62,
                        "image": "missing.png"})")
        << "P.json: the image missing.png cannot be read";
    QTest::newRow("landscape misspelt") << pagesJson << pageJson(goodText).replace("portrait", "Landscape")
                                        << "P.json: unknown orientation";
}

void TestReportEngine::brokenTemplates()
{
    QFETCH(QByteArray, pages);
    QFETCH(QByteArray, page);
    QFETCH(QString, error);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    if (!pages.isNull())
        writeFile(dir.filePath(QStringLiteral("pages.json")), pages);
    if (!page.isNull())
        writeFile(dir.filePath(QStringLiteral("P.json")), page);

    QString message;
    const ReportTemplate report = ReportTemplate::read(dir.path(), &message);
    QVERIFY2(message.startsWith(error), qPrintable(message));
    QCOMPARE(report.pageCount(), 0);
}

void TestReportEngine::firstPageOfAFilledReturn_data()
{
    QTest::addColumn<QString>("object");
    QTest::addColumn<QString>("expected");

    QTest::newRow("type of return, then its empty line") << "Memo202"
                                                         << "Záró bevallás\n";
    QTest::newRow("period") << "Memo19"
                            << "2011. 01. 01. naptól 2011. 12. 31. napig";
    QTest::newRow("reason of the closing return") << "Memo22"
                                                  << "Átalakulás";
    QTest::newRow("taxpayer name") << "Memo5"
                                   << "Kovács és Társa Kft.";
    QTest::newRow("birthplace") << "Memo11"
                                << "Győr";
    QTest::newRow("birth date") << "Memo14"
                                << "1970. 03. 15.";
    QTest::newRow("mother's name") << "Memo24"
                                   << "Nagy Ilona";
    QTest::newRow("tax number") << "Memo33"
                                << "12345678-2-07";
    QTest::newRow("row label mended to 2f.") << "Memo8"
                                             << "2f.";
    QTest::newRow("tax identification mark") << "Memo34"
                                             << "8123456789";
    QTest::newRow("seat") << "Memo49"
                          << "8000 Ezüstpatak, Fő utca 1.";
    QTest::newRow("filled in by") << "Memo75"
                                  << "Szabó Éva";
    QTest::newRow("telephone") << "Memo61"
                               << "+36 1 234 5678";
    QTest::newRow("e-mail") << "Memo442"
                            << "kovacs@example.hu";
    QTest::newRow("bank account") << "Memo285"
                                  << "11700000-12345678";
    QTest::newRow("title, three lines") << "Memo1"
                                        << "BEVALLÁS\nA helyi iparűzési adóról állandó jellegű iparűzési tevékenység "
                                           "esetén\n2011. adóévben a Ezüstpatak Önkormányzat illetékességi területén "
                                           "folytatott tevékenység utáni adókötelezettségről";
    QTest::newRow("footer: form code") << "Memo175"
                                       << "EZP11009";
    QTest::newRow("footer: barcode text") << "Memo177"
                                          << "(50065782)";
    QTest::newRow("footer: date") << "Memo65"
                                  << "2012. 05. 31.";
    QTest::newRow("footer: page label") << "Memo176"
                                        << "Oldal: 1/3";
}

void TestReportEngine::firstPageOfAFilledReturn()
{
    QFETCH(QString, object);
    QFETCH(QString, expected);

    StartedReturn r(m_locale);
    r.fill();
    r.model.setText(u"Edit1", QStringLiteral("A"));
    ReportTemplate report = ReportTemplate::standard();
    BarcodeText::formBarcodeText(r.model, report, [] { return QStringLiteral("419430400209715217811189500657"); });
    r.model.setText(u"Edit1", QStringLiteral("Kovács és Társa Kft."));

    const PreparedReport prepared = r.prepare(report);
    QVERIFY2(prepared.succeeded(), qPrintable(prepared.errors.join(u'\n')));
    QCOMPARE(textOf(prepared, "Page1", object), expected);
}

void TestReportEngine::otherPagesOfAFilledReturn_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("object");
    QTest::addColumn<QString>("expected");

    QTest::newRow("Page2: line 1 from PBNumEdit1") << "Page2"
                                                   << "Memo106" << hu("1'001 Ft.");
    QTest::newRow("Page2: zero line 6 from PBNumEdit30") << "Page2"
                                                         << "Memo41"
                                                         << "0 Ft.";
    QTest::newRow("Page2: zero line 10 from PBNumEdit12") << "Page2"
                                                          << "Memo101"
                                                          << "0 Ft.";
    QTest::newRow("Page2: line 22 from PBNumEdit28") << "Page2"
                                                     << "Memo51" << hu("28'028 Ft.");
    QTest::newRow("Page2: line 7 text as written") << "Page2"
                                                   << "Memo85"
                                                   << "7. Htv. szerinti – vállalkozási szintű - adóalap .1-(2+3+5+6).";
    QTest::newRow("Page2: line 18 formula mended") << "Page2"
                                                   << "Memo118"
                                                   << "18. Iparűzési adófizetési kötelezettség 15-(16+17)";
    QTest::newRow("Page2: header page label") << "Page2"
                                              << "Memo93"
                                              << "Oldal: 2/3";
    QTest::newRow("Page2b: period of advances") << "Page2b"
                                                << "Memo140"
                                                << "2012. 07. 01. naptól 2013. 06. 30. napig";
    QTest::newRow("Page2b: first instalment as displayed") << "Page2b"
                                                           << "Memo169" << hu("72'072");
    QTest::newRow("Page2b: place and date") << "Page2b"
                                            << "Memo153"
                                            << "Ezüstpatak, 2012. 05. 31.";
    QTest::newRow("Page5: taxpayer name") << "Page5"
                                          << "Memo134"
                                          << "Kovács és Társa Kft.";
    QTest::newRow("Page5: tax number") << "Page5"
                                       << "Memo135"
                                       << "12345678-2-07";
    QTest::newRow("Page5: line 1") << "Page5"
                                   << "Memo221" << hu("35'035 Ft.");
    QTest::newRow("Page5: line 6 reads PBNumEdit41") << "Page5"
                                                     << "Memo233" << hu("41'041 Ft.");
    QTest::newRow("Page5: line 7 reads PBNumEdit40") << "Page5"
                                                     << "Memo235" << hu("40'040 Ft.");
    QTest::newRow("Page5: no page label, four strip texts") << "Page5"
                                                            << "Memo207"
                                                            << "()";
    QTest::newRow("Page8: brackets of the formula kept") << "Page8"
                                                         << "Memo326"
                                                         << "1. Htv. szerinti – vállalkozási szintű – éves nettó "
                                                            "árbevétel [2+3-(4+5+6)]";
    QTest::newRow("Page9: energy with its unit") << "Page9"
                                                 << "Memo159" << hu("70'070 kwh/ezer m3");
    QTest::newRow("Page10: taxpayer name") << "Page10"
                                           << "Memo382"
                                           << "Kovács és Társa Kft.";
    QTest::newRow("Page10: identification mark over tax number") << "Page10"
                                                                 << "Memo383"
                                                                 << "8123456789";
    QTest::newRow("Page10: bank account") << "Page10"
                                          << "Memo293"
                                          << "11700000-12345678";
    QTest::newRow("Page10: the long statement")
        << "Page10"
        << "Memo63"
        << hu("A túlfizetés összegéből 75'075 forintot kérek visszatéríteni, 76'076 forintot kérek más "
              "adónemben/hatóságnál nyilvántartott lejárt esedékességű köztartozásra átvezetni, a fennmaradó "
              "összeget később esedékes iparűzési adó fizetési kötelezettségre kívánom felhasználni");
    QTest::newRow("Page10: debt 1 institution") << "Page10"
                                                << "Memo410"
                                                << "NAV Nyugat-dunántúli Regionális Igazgatósága";
    QTest::newRow("Page10: debt 1 amount") << "Page10"
                                           << "Memo434" << hu("1'500 Ft.");
    QTest::newRow("Page10: debt 2 amount read with blanks") << "Page10"
                                                            << "Memo435"
                                                            << "250 Ft.";
    QTest::newRow("Page10: debt 2 account") << "Page10"
                                            << "Memo447"
                                            << "11748007-15432100";
    QTest::newRow("Page10: empty row 3 number") << "Page10"
                                                << "Memo397"
                                                << "03.";
    QTest::newRow("Page10: empty row 3 institution") << "Page10"
                                                     << "Memo412"
                                                     << "";
    QTest::newRow("Page10: empty row 4 amount") << "Page10"
                                                << "Memo437"
                                                << "0 Ft.";
    QTest::newRow("Page10: empty row 5 account") << "Page10"
                                                 << "Memo450"
                                                 << "";
    QTest::newRow("Page10: place and date") << "Page10"
                                            << "Memo199"
                                            << "Ezüstpatak, 2012. 05. 31.";
    QTest::newRow("Page11: line 5 reads PBNumEdit83") << "Page11"
                                                      << "Memo472" << hu("83'083 Ft.");
}

void TestReportEngine::otherPagesOfAFilledReturn()
{
    QFETCH(QString, page);
    QFETCH(QString, object);
    QFETCH(QString, expected);

    StartedReturn r(m_locale);
    r.fill();
    const PreparedReport prepared = r.prepare();
    QVERIFY2(prepared.succeeded(), qPrintable(prepared.errors.join(u'\n')));
    QCOMPARE(textOf(prepared, page, object), expected);
}

void TestReportEngine::barcodeStripsBeforeAndAfterANamedPrint()
{
    StartedReturn r(m_locale);
    r.fill();
    ReportTemplate report = ReportTemplate::standard();
    auto barcodeTexts = [&r, &report] {
        // The barcode strip object of every printed page.
        const PreparedReport prepared = r.prepare(report);
        QStringList texts;
        for (const PreparedPage& page : prepared.pages) {
            for (const PreparedText& text : page.texts) {
                if (text.rect.left() == 143.62 && text.rect.height() == 15.12)
                    texts.append(text.text());
            }
        }
        return texts;
    };
    // Eleven pages; every page but Page1 and Page10 has two strips.
    const QStringList before = barcodeTexts();
    QCOMPARE(before.size(), 20);
    QCOMPARE(before, QStringList(20, QStringLiteral("()")));

    r.model.setText(u"Edit1", QStringLiteral("A"));
    BarcodeText::formBarcodeText(r.model, report, [] { return QStringLiteral("1234567"); });
    QCOMPARE(barcodeTexts(), QStringList(20, QStringLiteral("(23456782)")));

    r.model.setText(u"Edit1", QString());
    BarcodeText::formBarcodeText(r.model, report, [] { return QStringLiteral("7654321"); });
    QCOMPARE(barcodeTexts(), QStringList(20, QStringLiteral("(23456782)")));
}

void TestReportEngine::markupAndLiteralBrackets()
{
    StartedReturn r(m_locale);
    const PreparedReport prepared = r.prepare();
    QVERIFY(prepared.succeeded());
    const PreparedPage* page = prepared.page(u"Page2b");
    QVERIFY(page);

    const PreparedText* declaration = page->text(u"Memo151");
    QVERIFY(declaration);
    QCOMPARE(declaration->runs,
             QList<TextRun>({{"Felelősségem tudatában kijelentem, hogy a bevallásban közölt "
                              "adatok a valóságnak megfelelnek.",
                              true}}));
    QCOMPARE(declaration->bold, false);
    QCOMPARE(declaration->alignment, Qt::AlignJustify | Qt::AlignVCenter);
    QCOMPARE(page->text(u"Memo142")->runs, QList<TextRun>({{"Második előlegrészlet", true}}));
    QCOMPARE(page->text(u"Memo153")->runs, QList<TextRun>({{"Ezüstpatak, 2012. 05. 31.", false}}));
}

void TestReportEngine::whatIsDrawn()
{
    StartedReturn r(m_locale);
    r.model.setValueQuietly(u"PBNumEdit13", 100);
    const PreparedReport prepared = r.prepare();
    QVERIFY(prepared.succeeded());
    QCOMPARE(prepared.pageNames(), QStringList({"Page1", "Page2", "Page2b", "Page3"}));

    const PreparedPage& page1 = prepared.pages.at(0);
    QCOMPARE(page1.layout.margins(QPageLayout::Millimeter), QMarginsF(22, 10, 20, 25));
    // The emblem at its own size in the corner; the hidden barcode nowhere.
    QCOMPARE(page1.pictures.size(), 1);
    QCOMPARE(page1.pictures.at(0).rect, QRectF(0, 0, 60, 62));
    QVERIFY(!page1.pictures.at(0).image.isNull());
    QVERIFY(!page1.text(u"BarCode1"));
    // 17 rules and the footer's, 6 lines, and the two crosses "a." and "d." and "A".
    QCOMPARE(page1.lines.size(), 18 + 6 + 6);
    QCOMPARE(page1.line(u"Line138")->line, QLineF(147.4, 385.51, 177.64, 411.97));
    QCOMPARE(page1.boxes.size(), 22);
    QCOMPARE(page1.texts.size(), 73 + 5);

    const PreparedPage& page3 = prepared.pages.at(3);
    QCOMPARE(page3.boxes.size(), 2);
    QCOMPARE(page3.boxes.at(0).name, QStringLiteral("Shape25"));
    QCOMPARE(page3.boxes.at(0).greyFill, true);
    QCOMPARE(page3.boxes.at(0).rect, QRectF(11.34, 102.05, 616.06, 68.03));
    const PreparedText* heading = page3.text(u"Memo172");
    QCOMPARE(heading->fontFamily, QStringLiteral("Tahoma"));
    QCOMPARE(heading->pointSize, 28.0);
    QCOMPARE(heading->bold, true);
    QCOMPARE(heading->alignment, Qt::AlignHCenter | Qt::AlignTop);

    const PreparedText* bar = page1.text(u"Memo401");
    QCOMPARE(bar->whiteOnBlack, true);
    QCOMPARE(bar->sideMargin, 10.0);
    QCOMPARE(page1.text(u"Memo157")->sideMargin, 2.0);
}

void TestReportEngine::unresolvedSlotsAreCollected()
{
    StartedReturn r(m_locale);
    r.model.setValueQuietly(u"PBNumEdit74", 5000); // prints Page10 with no statement chosen
    const ReportValues values(r.model, testToday);
    const FormModel& model = r.model;
    const PreparedReport prepared = ReportEngine::prepare(
        ReportTemplate::standard(),
        [&values](const QString& name) { return name == u"m4" ? std::nullopt : values.value(name); },
        [&model](ReportTemplate& report) { PageSelection::frxReport1BeforePrint(model, report); });

    QCOMPARE(prepared.errors,
             QStringList({"Memo5: the slot \"[m4]\" has no value", "Memo63: the slot \"[g11]\" has no value"}));
    QVERIFY(!prepared.succeeded());
    // Preparation went on past the first error.
    QCOMPARE(prepared.pageNames(), QStringList({"Page1", "Page2", "Page2b", "Page10"}));
    QCOMPARE(textOf(prepared, "Page1", "Memo5"), QString());
}

void TestReportEngine::failureEndsThePreparation_data()
{
    QTest::addColumn<Setup>("setup");
    QTest::addColumn<QString>("laterSlot");
    QTest::addColumn<QString>("error");

    // laterSlot: a slot printed after the failure, denied its value; its
    // error shows if preparation went on.
    QTest::newRow("type of return not chosen, on Page1")
        << Setup([](StartedReturn& r) { r.model.setItemIndex(u"LMDRadioGroup4", -1); }) << "m13"
        << "List index out of bounds (-1)";
    QTest::newRow("debt amount not a number, on Page10") << Setup([](StartedReturn& r) {
        r.model.setValueQuietly(u"PBNumEdit75", 1000);
        r.model.setItemIndex(u"LMDRadioGroup1", 3);
        r.model.setCell(r.model.field(u"AdvStringGrid1"), 3, 5, QStringLiteral("sok"));
    }) << "g5d"
                                                         << "'sok' is not a valid floating point value";
    QTest::newRow("page selection reads an unreadable amount, before any page")
        << Setup(
               [](StartedReturn& r) { r.model.setTextQuietly(r.model.field(u"PBNumEdit57"), QStringLiteral("1,2,3")); })
        << "m4"
        << "'1,2,3' is not a valid floating point value";
}

void TestReportEngine::failureEndsThePreparation()
{
    QFETCH(Setup, setup);
    QFETCH(QString, laterSlot);
    QFETCH(QString, error);

    StartedReturn r(m_locale);
    r.clearAmounts();
    setup(r);
    const ReportValues values(r.model, testToday);
    const FormModel& model = r.model;
    const PreparedReport prepared = ReportEngine::prepare(
        ReportTemplate::standard(),
        [&values, &laterSlot](const QString& name) { return name == laterSlot ? std::nullopt : values.value(name); },
        [&model](ReportTemplate& report) { PageSelection::frxReport1BeforePrint(model, report); });
    QCOMPARE(prepared.errors, QStringList({error}));
}

void TestReportEngine::templateKeepsItsStoredState()
{
    StartedReturn r(m_locale);
    r.fill();
    const ReportTemplate stored = ReportTemplate::standard();
    ReportTemplate report = stored;

    // A preparation that shows every page and cross.
    const PreparedReport full = r.prepare(report);
    QVERIFY(full.succeeded());
    QCOMPARE(full.pages.size(), 11);
    QCOMPARE(report, stored);

    // One that fails half-way after the adjustments.
    r.model.setItemIndex(u"LMDRadioGroup3", -1);
    QCOMPARE(r.prepare(report).errors, QStringList({"List index out of bounds (-1)"}));
    QCOMPARE(report, stored);

    // One whose adjustments themselves fail after changing the template.
    const PreparedReport failed = ReportEngine::prepare(
        report, [](const QString&) { return QString(); },
        [](ReportTemplate& working) {
            working.page(5).visible = true;
            working.findObject(u"Line78")->visible = true;
            throw Failure(QStringLiteral("stop"));
        });
    QCOMPARE(failed.errors, QStringList({"stop"}));
    QCOMPARE(failed.pages.size(), 0);
    QCOMPARE(report, stored);
}

void TestReportEngine::pageSelection_data()
{
    QTest::addColumn<Setup>("setup");
    QTest::addColumn<QStringList>("pages");
    QTest::addColumn<QStringList>("crosses");

    const QStringList main = {"Page1", "Page2", "Page2b"};
    const QStringList notChosen = {"Line78", "Line79", "Line84", "Line85"};
    auto amount = [](const char* field, long double value) {
        return [field, value](StartedReturn& r) { r.model.setValueQuietly(QString::fromLatin1(field), value); };
    };
    auto statement
        = [](int index) { return [index](StartedReturn& r) { r.model.setItemIndex(u"LMDRadioGroup1", index); }; };
    auto choices = [](int base2011, int base2012) {
        return [base2011, base2012](StartedReturn& r) {
            r.model.setItemIndex(u"LMDRadioGroup5", base2011);
            r.model.setItemIndex(u"LMDRadioGroup6", base2012);
        };
    };

    QTest::newRow("all zero: main sheet, crosses a. and d.") << Setup([](StartedReturn&) {}) << main << notChosen;
    QTest::newRow("only PBNumEdit82: H") << Setup(amount("PBNumEdit82", 1)) << main + QStringList{"Page11"}
                                         << notChosen + QStringList{"Line218", "Line219"};
    QTest::newRow("only PBNumEdit85: H") << Setup(amount("PBNumEdit85", 0.5L)) << main + QStringList{"Page11"}
                                         << notChosen + QStringList{"Line218", "Line219"};
    QTest::newRow("PBNumEdit81 alone is no H result") << Setup(amount("PBNumEdit81", 1000)) << main << notChosen;
    QTest::newRow("A by its line 1") << Setup(amount("PBNumEdit13", 1)) << main + QStringList{"Page3"}
                                     << notChosen + QStringList{"Line138", "Line139"};
    QTest::newRow("negative line 1 of B counts") << Setup(amount("PBNumEdit35", -1)) << main + QStringList{"Page5"}
                                                 << notChosen + QStringList{"Line64", "Line65"};
    QTest::newRow("C by its line 1") << Setup(amount("PBNumEdit43", 7)) << main + QStringList{"Page6"}
                                     << notChosen + QStringList{"Line66", "Line67"};
    QTest::newRow("D by its line 1") << Setup(amount("PBNumEdit51", 7)) << main + QStringList{"Page7"}
                                     << notChosen + QStringList{"Line68", "Line69"};
    QTest::newRow("E by its line 1") << Setup(amount("PBNumEdit57", 7)) << main + QStringList{"Page8"}
                                     << notChosen + QStringList{"Line70", "Line71"};
    QTest::newRow("other lines of A do not count") << Setup(amount("PBNumEdit22", 7)) << main << notChosen;
    QTest::newRow("F by its line 6 alone") << Setup(amount("PBNumEdit64", 7)) << main + QStringList{"Page9"}
                                           << notChosen + QStringList{"Line72", "Line73"};
    QTest::newRow("F energy lines do not count") << Setup(amount("PBNumEdit70", 7)) << main << notChosen;
    QTest::newRow("G by statement 5 with zero amounts")
        << Setup(statement(5)) << main + QStringList{"Page10"} << notChosen + QStringList{"Line74", "Line75"};
    QTest::newRow("G by statement 1 with zero amounts")
        << Setup(statement(1)) << main + QStringList{"Page10"} << notChosen + QStringList{"Line74", "Line75"};
    QTest::newRow("statement 2 with zero amounts: no G") << Setup(statement(2)) << main << notChosen;
    QTest::newRow("statement 3 with zero amounts: no G") << Setup(statement(3)) << main << notChosen;
    QTest::newRow("statement 4 with zero amounts: no G") << Setup(statement(4)) << main << notChosen;
    QTest::newRow("G by a transfer amount") << Setup([](StartedReturn& r) {
        r.model.setItemIndex(u"LMDRadioGroup1", 4);
        r.model.setValueQuietly(u"PBNumEdit77", 1);
    }) << main + QStringList{"Page10"} << notChosen + QStringList{"Line74", "Line75"};
    QTest::newRow("2011 b. and 2012 e.") << Setup(choices(1, 1)) << main
                                         << QStringList{"Line80", "Line81", "Line56", "Line57"};
    QTest::newRow("2011 c. and 2012 f.") << Setup(choices(2, 2)) << main
                                         << QStringList{"Line82", "Line83", "Line58", "Line94"};
    QTest::newRow("no selection shows no cross") << Setup(choices(-1, -1)) << main << QStringList();
    QTest::newRow("a fully filled return prints all eleven pages")
        << Setup([](StartedReturn& r) { r.fill(); })
        << QStringList{"Page1", "Page2", "Page2b", "Page3",  "Page5", "Page6",
                       "Page7", "Page8", "Page9",  "Page10", "Page11"}
        << QStringList{"Line80", "Line81", "Line58", "Line94", "Line138", "Line139", "Line64",
                       "Line65", "Line66", "Line67", "Line68", "Line69",  "Line70",  "Line71",
                       "Line72", "Line73", "Line74", "Line75", "Line218", "Line219"};
}

void TestReportEngine::pageSelection()
{
    QFETCH(Setup, setup);
    QFETCH(QStringList, pages);
    QFETCH(QStringList, crosses);

    StartedReturn r(m_locale);
    r.clearAmounts();
    setup(r);
    const PreparedReport prepared = r.prepare();
    QVERIFY2(prepared.succeeded(), qPrintable(prepared.errors.join(u'\n')));
    QCOMPARE(prepared.pageNames(), pages);
    QCOMPARE(drawnCrosses(prepared), sorted(crosses));
}

void TestReportEngine::crossesDoNotCarryOver()
{
    StartedReturn r(m_locale);
    ReportTemplate report = ReportTemplate::standard();
    r.model.setItemIndex(u"LMDRadioGroup5", 1);
    r.model.setValueQuietly(u"PBNumEdit51", 10);
    const PreparedReport first = r.prepare(report);
    QCOMPARE(drawnCrosses(first), sorted({"Line80", "Line81", "Line84", "Line85", "Line68", "Line69"}));
    QCOMPARE(first.pageNames(), QStringList({"Page1", "Page2", "Page2b", "Page7"}));

    r.model.setItemIndex(u"LMDRadioGroup5", 2);
    r.model.setValueQuietly(u"PBNumEdit51", 0);
    const PreparedReport second = r.prepare(report);
    QCOMPARE(drawnCrosses(second), sorted({"Line82", "Line83", "Line84", "Line85"}));
    QCOMPARE(second.pageNames(), QStringList({"Page1", "Page2", "Page2b"}));
}

QTEST_GUILESS_MAIN(TestReportEngine)
#include "TestReportEngine.moc"
