#include "PdfReader.h"
#include "StartedReturn.h"
#include "TestLocales.h"
#include "app/preview/ReportPreview.h"
#include "print/ReportEngine.h"
#include "print/ReportFonts.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QGraphicsItem>
#include <QGraphicsView>
#include <QMessageBox>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>

namespace {

const auto fixedDigits = [] { return QStringLiteral("419430400209715217811189500657"); };

// Runs check on the modal window as soon as one is open, then closes it.
void whenModal(QObject* context, std::function<void(QWidget*)> check)
{
    auto* timer = new QTimer(context);
    QObject::connect(timer, &QTimer::timeout, context, [timer, check] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal)
            return;
        timer->stop();
        timer->deleteLater();
        check(modal);
        modal->close();
    });
    timer->start(10);
}

} // namespace

// The preview window and the print command around it.
class TestReportPreview : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void previewOffersPrintAndZoomAt100Percent();
    void pagesKeepTheirOwnPaper();
    void printsToAPdfPrinter_data();
    void printsToAPdfPrinter();
    void printCommandShowsThePreview();
    void failedPreparationShowsItsErrors();

private:
    PreparedReport m_filled;
};

void TestReportPreview::initTestCase()
{
    ReportFonts::install();
    StartedReturn r(TestLocales::hungarian());
    r.fill();
    m_filled = r.prepare();
    QVERIFY(m_filled.succeeded());
}

void TestReportPreview::previewOffersPrintAndZoomAt100Percent()
{
    ReportPreview preview(m_filled);
    const QList<QToolBar*> toolBars = preview.findChildren<QToolBar*>();
    QCOMPARE(toolBars.size(), 1);
    const QList<QAction*> commands = toolBars.first()->actions();
    QCOMPARE(commands.size(), 2);
    QCOMPARE(commands.at(0), preview.printAction());
    QCOMPARE(toolBars.first()->widgetForAction(commands.at(1)), preview.zoomBox());

    QCOMPARE(preview.zoom(), 1.0);
    QCOMPARE(preview.zoomBox()->currentText(), QStringLiteral("100 %"));
    QCOMPARE(preview.view()->transform(), QTransform());

    preview.zoomBox()->setCurrentIndex(preview.zoomBox()->findData(2.0));
    QCOMPARE(preview.zoom(), 2.0);
    QCOMPARE(preview.view()->transform(), QTransform::fromScale(2, 2));
}

void TestReportPreview::pagesKeepTheirOwnPaper()
{
    ReportPreview preview(m_filled);
    QList<QGraphicsItem*> items = preview.view()->scene()->items(Qt::AscendingOrder);
    QCOMPARE(items.size(), 11);
    std::sort(items.begin(), items.end(), [](QGraphicsItem* a, QGraphicsItem* b) { return a->y() < b->y(); });
    const int dpi = preview.view()->viewport()->logicalDpiX();
    // The sheets, one under the other, each its own A4 at 100 %.
    for (int i = 0; i < items.size(); ++i) {
        const QSizeF paper = m_filled.pages.at(i).layout.fullRectPixels(dpi).size();
        QVERIFY(items.at(i)->boundingRect().contains(QRectF(QPointF(0, 0), paper)));
        QCOMPARE(paper.width() > paper.height(), i == 9);
        if (i > 0)
            QVERIFY(items.at(i)->y() >= items.at(i - 1)->y() + items.at(i - 1)->boundingRect().height());
    }
}

void TestReportPreview::printsToAPdfPrinter_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<QList<bool>>("landscape");

    QList<bool> all(11, false);
    all[9] = true;
    QTest::newRow("every page") << 0 << 0 << all;
    QTest::newRow("pages 9 to 11") << 9 << 11 << QList<bool>({false, true, false});
}

void TestReportPreview::printsToAPdfPrinter()
{
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(QList<bool>, landscape);

    QVERIFY2(PdfReader::toolsPresent(), "pdfinfo and pdftotext (poppler-utils) are needed");
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("printed.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file);
    if (from > 0) {
        printer.setPrintRange(QPrinter::PageRange);
        printer.setFromTo(from, to);
    }
    const ReportPreview preview(m_filled);
    QVERIFY(preview.printTo(printer));

    const QList<QSizeF> sizes = PdfReader::pageSizes(file);
    QCOMPARE(sizes.size(), landscape.size());
    for (int i = 0; i < sizes.size(); ++i)
        QCOMPARE(sizes.at(i).width() > sizes.at(i).height(), landscape.at(i));
    const QString first = PdfReader::pageText(file, 1);
    QVERIFY2(first.contains(from > 0 ? QStringLiteral("Az alkalmazott adóalap megosztás módszere:")
                                     : QStringLiteral("Adóalany neve (cégneve):")),
             qPrintable(first));
}

void TestReportPreview::printCommandShowsThePreview()
{
    StartedReturn r(TestLocales::hungarian());
    r.model.setText(u"Edit1", QStringLiteral("A"));
    ReportTemplate report = ReportTemplate::standard();

    bool shown = false;
    whenModal(this, [&shown](QWidget* modal) {
        auto* preview = qobject_cast<ReportPreview*>(modal);
        QVERIFY(preview);
        shown = true;
        QVERIFY(preview->isModal());
        QVERIFY(preview->windowState() & Qt::WindowMaximized);
        QCOMPARE(preview->zoom(), 1.0);
        QCOMPARE(preview->report().pageNames(), QStringList({"Page1", "Page2", "Page2b"}));
        QCOMPARE(preview->report().pages.at(0).text(u"Memo177")->text(), QStringLiteral("(50065782)"));
    });
    QVERIFY(ReportPreview::printReturn(r.model, report, nullptr, fixedDigits));
    QVERIFY(shown);
    QCOMPARE(r.model.barcodeText(), QStringLiteral("50065782"));
    QCOMPARE(report.findObject(u"BarCode1")->text, QStringLiteral("50065782"));
}

void TestReportPreview::failedPreparationShowsItsErrors()
{
    StartedReturn r(TestLocales::hungarian());
    r.model.setText(u"Edit1", QStringLiteral("A"));
    r.model.setItemIndex(u"LMDRadioGroup1", 0);
    r.model.setValueQuietly(u"PBNumEdit74", 1000); // Page10 prints without a statement
    r.model.setItemIndex(u"LMDRadioGroup3", -1);   // and Page9 does not print: no failure
    ReportTemplate report = ReportTemplate::standard();

    bool shown = false;
    whenModal(this, [&shown](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        QVERIFY(box);
        shown = true;
        QCOMPARE(box->icon(), QMessageBox::Critical);
        QCOMPARE(box->windowTitle(), ReportEngine::errorHeading());
        QCOMPARE(box->text(), QStringLiteral("Memo63: the slot \"[g11]\" has no value"));
    });
    QVERIFY(!ReportPreview::printReturn(r.model, report, nullptr, fixedDigits));
    QVERIFY(shown);
    // The barcode text was formed before the preparation failed.
    QCOMPARE(r.model.barcodeText(), QStringLiteral("50065782"));

    shown = false;
    whenModal(this, [&shown](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        QVERIFY(box);
        shown = true;
        QCOMPARE(box->text(), QStringLiteral("first error\nsecond error"));
    });
    ReportPreview::showErrors({"first error", "second error"}, nullptr);
    QVERIFY(shown);
}

QTEST_MAIN(TestReportPreview)
#include "TestReportPreview.moc"
