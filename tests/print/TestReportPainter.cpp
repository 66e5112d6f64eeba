#include "StartedReturn.h"
#include "TestLocales.h"
#include "print/ReportFonts.h"
#include "print/ReportPainter.h"

#include <QDir>
#include <QFile>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QTest>

namespace {

constexpr int dpi = 192; // two device pixels per report unit

// A rendered page and where its printable area starts.
struct Rendered
{
    QImage image;
    QPointF origin;
    int dpi;

    QPoint pixel(qreal x, qreal y) const
    {
        return QPointF(origin.x() + x * dpi / 96.0, origin.y() + y * dpi / 96.0).toPoint();
    }
    QRgb at(qreal x, qreal y) const { return image.pixel(pixel(x, y)); }

    // Bounding box, in report units, of the dark pixels inside a rectangle.
    QRectF inkWithin(const QRectF& units) const
    {
        const QRect area(pixel(units.left(), units.top()), pixel(units.right(), units.bottom()));
        int left = INT_MAX, top = INT_MAX, right = INT_MIN, bottom = INT_MIN;
        for (int y = area.top(); y < area.bottom(); ++y) {
            for (int x = area.left(); x < area.right(); ++x) {
                if (qGray(image.pixel(x, y)) < 128) {
                    left = std::min(left, x);
                    right = std::max(right, x + 1);
                    top = std::min(top, y);
                    bottom = std::max(bottom, y + 1);
                }
            }
        }
        if (left > right)
            return {};
        const qreal scale = 96.0 / this->dpi;
        return QRectF((left - origin.x()) * scale, (top - origin.y()) * scale, (right - left) * scale,
                      (bottom - top) * scale);
    }
};

Rendered render(const PreparedPage& page, int dotsPerInch = dpi)
{
    return {ReportPainter::renderPage(page, dotsPerInch), page.layout.paintRectPixels(dotsPerInch).topLeft(),
            dotsPerInch};
}

bool isDark(QRgb rgb)
{
    return qGray(rgb) < 100;
}

} // namespace

// Painting prepared pages: fonts, word wrap, alignment, fills and lines as
// they come out on a device.
class TestReportPainter : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void fontsOfTheTemplate_data();
    void fontsOfTheTemplate();
    void wrapping_data();
    void wrapping();
    void screenAndPaperShowTheSameText();
    void alignment_data();
    void alignment();
    void fillsLinesAndCrosses();
    void sheetSizes();

private:
    PreparedReport m_filled;
};

void TestReportPainter::initTestCase()
{
    ReportFonts::install();
    StartedReturn r(TestLocales::hungarian());
    r.fill();
    m_filled = r.prepare();
    QVERIFY(m_filled.succeeded());
    QCOMPARE(m_filled.pages.size(), 11);
}

void TestReportPainter::fontsOfTheTemplate_data()
{
    QTest::addColumn<QString>("family");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<qreal>("widthScale");

    const bool wine = QFile::exists(QDir(ReportFonts::wineFontDirectory()).filePath(QStringLiteral("tahoma.ttf")));
    QTest::newRow("Tahoma") << "Tahoma" << false << (wine ? "Tahoma" : "DejaVu Sans Condensed") << 0.95;
    QTest::newRow("Tahoma bold") << "Tahoma" << true << "DejaVu Sans Condensed" << 0.95;
    QTest::newRow("Arial") << "Arial" << false << "Liberation Sans" << 1.0;
    QTest::newRow("Courier New") << "Courier New" << false << "Liberation Mono" << 1.0;
    QTest::newRow("Verdana bold") << "Verdana" << true << "DejaVu Sans" << 1.0;
    QTest::newRow("Franklin Gothic Medium bold") << "Franklin Gothic Medium" << true << "DejaVu Sans Condensed" << 0.85;
    QTest::newRow("MS Sans Serif") << "MS Sans Serif" << false << "Liberation Sans" << 1.0;
}

void TestReportPainter::fontsOfTheTemplate()
{
    QFETCH(QString, family);
    QFETCH(bool, bold);
    QFETCH(QString, shown);
    QFETCH(qreal, widthScale);

    const QFont font = ReportFonts::font(family, 8, bold);
    const QFontInfo info(font);
    QCOMPARE(info.family(), shown);
    QCOMPARE(info.bold(), bold);
    QCOMPARE(ReportFonts::widthScale(family), widthScale);
    QCOMPARE(font.pointSizeF(), 8.0);
    // The Hungarian double acute letters are in the face itself.
    const QFontMetricsF metrics(font);
    QVERIFY(metrics.inFont(QChar(0x0151)) && metrics.inFont(QChar(0x0171)));
    // Widgets asking for the family by name get the same face.
    if (!bold)
        QCOMPARE(QFontInfo(QFont(family)).family(), shown);
}

void TestReportPainter::wrapping_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("object");
    QTest::addColumn<int>("minLines");
    QTest::addColumn<int>("maxLines");

    QTest::newRow("long statement wraps within Memo63") << "Page10"
                                                        << "Memo63" << 2 << 3;
    QTest::newRow("a type of return and its empty line") << "Page1"
                                                         << "Memo202" << 2 << 2;
    QTest::newRow("title lines wrap in a narrow box") << "Page1"
                                                      << "Memo1" << 5 << 8;
    QTest::newRow("short amount stays on one line") << "Page2"
                                                    << "Memo106" << 1 << 1;
    QTest::newRow("justified declaration") << "Page2b"
                                           << "Memo151" << 1 << 2;
    QTest::newRow("line 13 of Page2 fills its row") << "Page2"
                                                    << "Memo104" << 4 << 6;
}

void TestReportPainter::wrapping()
{
    QFETCH(QString, page);
    QFETCH(QString, object);
    QFETCH(int, minLines);
    QFETCH(int, maxLines);

    const PreparedText* text = m_filled.page(page)->text(object);
    QVERIFY(text);
    const QStringList lines = ReportPainter::wrappedLines(*text);
    QVERIFY2(lines.size() >= minLines && lines.size() <= maxLines, qPrintable(lines.join(u'|')));

    // Nothing is lost or added, and breaks inside a paragraph fall between words.
    const QString full = text->text();
    qsizetype at = 0;
    for (const QString& line : lines) {
        QCOMPARE(full.mid(at, line.size()), line);
        at += line.size();
        if (at < full.size() && full.at(at) == u'\n')
            ++at;
        else if (at < full.size())
            QVERIFY2(line.endsWith(u' ') || line.endsWith(u'-'), qPrintable(line));
    }
    QCOMPARE(at, full.size());

    // Each line fits the width inside the inner margins.
    QImage device(1, 1, QImage::Format_Mono);
    device.setDotsPerMeterX(qRound(1200 / 0.0254));
    device.setDotsPerMeterY(qRound(1200 / 0.0254));
    const QFontMetricsF metrics(ReportFonts::font(text->fontFamily, text->pointSize, text->bold), &device);
    const qreal inner = (text->rect.width() - 2 * text->sideMargin) * 1200 / 96.0;
    for (const QString& line : lines)
        QVERIFY2(metrics.horizontalAdvance(line.trimmed()) * ReportFonts::widthScale(text->fontFamily) <= inner * 1.01,
                 qPrintable(line));
}

void TestReportPainter::screenAndPaperShowTheSameText()
{
    // A label that just fits its object: on a screen's coarse pixels as on
    // paper's fine ones it takes one line, at the same place.
    const PreparedPage& page1 = m_filled.pages.at(0);
    const PreparedText* label = page1.text(u"Memo25");
    QCOMPARE(ReportPainter::wrappedLines(*label), QStringList({"Bevallási időszak:"}));
    const QRectF screen = render(page1, 96).inkWithin(label->rect);
    const QRectF paper = render(page1, 600).inkWithin(label->rect);
    QVERIFY(!screen.isEmpty());
    QVERIFY2(qAbs(screen.left() - paper.left()) < 1.5 && qAbs(screen.right() - paper.right()) < 1.5
                 && qAbs(screen.bottom() - paper.bottom()) < 1.5 && qAbs(screen.top() - paper.top()) < 1.5,
             qPrintable(QStringLiteral("%1,%2 %3x%4 / %5,%6 %7x%8")
                            .arg(screen.x())
                            .arg(screen.y())
                            .arg(screen.width())
                            .arg(screen.height())
                            .arg(paper.x())
                            .arg(paper.y())
                            .arg(paper.width())
                            .arg(paper.height())));
}

void TestReportPainter::alignment_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("object");
    QTest::addColumn<QString>("align");

    QTest::newRow("left, bottom: taxpayer name") << "Page1"
                                                 << "Memo5"
                                                 << "LB";
    QTest::newRow("centre, middle: column head") << "Page2"
                                                 << "Memo107"
                                                 << "CM";
    QTest::newRow("left, top: type of return") << "Page1"
                                               << "Memo202"
                                               << "LT";
    QTest::newRow("right, middle: an amount") << "Page2"
                                              << "Memo106"
                                              << "RM";
    QTest::newRow("right, bottom: a tall amount cell") << "Page2"
                                                       << "Memo111"
                                                       << "RB";
    QTest::newRow("centre, top: the sheet letter") << "Page3"
                                                   << "Memo172"
                                                   << "CT";
    QTest::newRow("right, bottom: debt account") << "Page10"
                                                 << "Memo446"
                                                 << "RB";
}

void TestReportPainter::alignment()
{
    QFETCH(QString, page);
    QFETCH(QString, object);
    QFETCH(QString, align);

    const PreparedPage* p = m_filled.page(page);
    const PreparedText* text = p->text(object);
    QVERIFY(text);
    const Rendered rendered = render(*p);
    const QRectF ink = rendered.inkWithin(text->rect.adjusted(0.5, 0.5, -0.5, -0.5));
    QVERIFY2(!ink.isEmpty(), "nothing drawn");
    const QRectF inner = text->rect.adjusted(text->sideMargin, 1, -text->sideMargin, -1);
    // Glyph side bearings, and the room above capitals and below the
    // baseline that the line keeps: a quarter of the type size.
    const qreal em = text->pointSize * 96 / 72;
    const qreal slack = 0.25 * em + 1;
    const QString where = QStringLiteral("ink %1,%2 %3x%4 in %5,%6 %7x%8")
                              .arg(ink.x())
                              .arg(ink.y())
                              .arg(ink.width())
                              .arg(ink.height())
                              .arg(inner.x())
                              .arg(inner.y())
                              .arg(inner.width())
                              .arg(inner.height());

    switch (align.at(0).unicode()) {
    case u'L':
        QVERIFY2(qAbs(ink.left() - inner.left()) < slack, qPrintable(where));
        break;
    case u'R':
        QVERIFY2(qAbs(ink.right() - inner.right()) < slack, qPrintable(where));
        break;
    case u'C':
        QVERIFY2(qAbs(ink.center().x() - inner.center().x()) < slack, qPrintable(where));
        break;
    }
    switch (align.at(1).unicode()) {
    case u'T':
        QVERIFY2(ink.top() >= inner.top() - 1 && ink.top() - inner.top() < slack, qPrintable(where));
        break;
    case u'B':
        QVERIFY2(ink.bottom() <= inner.bottom() + 1 && inner.bottom() - ink.bottom() < slack, qPrintable(where));
        break;
    case u'M':
        QVERIFY2(qAbs(ink.center().y() - inner.center().y()) < slack, qPrintable(where));
        break;
    }
}

void TestReportPainter::fillsLinesAndCrosses()
{
    const Rendered page1 = render(m_filled.pages.at(0));
    // Row "b." is crossed, row "a." is not; supplementary sheet "A" is.
    QVERIFY(isDark(page1.at(559.37 + 5.67, 748.35 + 5.67)));
    QVERIFY(!isDark(page1.at(559.37 + 5.67, 729.45 + 5.67)));
    QVERIFY(isDark(page1.at(147.4 + 15.12, 385.51 + 13.23)));
    // The box around "a." has its border.
    QVERIFY(isDark(page1.at(559.37, 729.45 + 5.67)));
    // The white-on-black bar is black beyond its caption, and its caption white.
    QVERIFY(isDark(page1.at(7.56 + 125, 207.87 + 9)));
    QVERIFY(page1.inkWithin(QRectF(7.56, 207.87, 128.5, 18.9)).width() > 120);
    // A full-width rule reaches the right edge of the printable area.
    QVERIFY(isDark(page1.at(634, 132.28)));
    QVERIFY(!isDark(page1.at(640, 132.28)));
    // The emblem in the top-left corner.
    QVERIFY(page1.inkWithin(QRectF(0, 0, 60, 62)).width() > 30);

    // The grey title box of sheet "A" lies under its texts.
    const Rendered page3 = render(*m_filled.page(u"Page3"));
    QCOMPARE(QColor(page3.at(20, 110)), QColor(240, 240, 240));
    QVERIFY(isDark(page3.at(11.34, 130)));
    QVERIFY(!page3.inkWithin(QRectF(11.34 + 2, 102.05 + 2, 616.06 - 4, 68.03 - 4)).isEmpty());
}

void TestReportPainter::sheetSizes()
{
    // A4 at 192 dpi: 1587 x 2245 pixels; the "G" sheet lies on its side.
    QCOMPARE(ReportPainter::renderPage(m_filled.pages.at(0), dpi).size(), QSize(1587, 2245));
    QCOMPARE(ReportPainter::renderPage(*m_filled.page(u"Page10"), dpi).size(), QSize(2245, 1587));
}

QTEST_MAIN(TestReportPainter)
#include "TestReportPainter.moc"
