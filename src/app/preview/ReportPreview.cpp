#include "ReportPreview.h"

#include "PreviewPageItem.h"
#include "app/AppDialogs.h"
#include "print/PageSelection.h"
#include "print/ReportEngine.h"
#include "print/ReportFonts.h"
#include "print/ReportPainter.h"
#include "print/ReportTemplate.h"
#include "print/ReportValues.h"

#include <QAction>
#include <QComboBox>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

constexpr qreal pageGap = 16;
constexpr int zoomPercents[] = {25, 50, 75, 100, 125, 150, 200, 300, 400};

} // namespace

ReportPreview::ReportPreview(PreparedReport report, QWidget* parent, qreal zoom)
    : QDialog(parent,
              Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint
                  | Qt::WindowCloseButtonHint)
    , m_report(std::move(report))
{
    setWindowTitle(QStringLiteral("Nyomtatási kép"));
    setModal(true);

    auto* toolBar = new QToolBar(this);
    toolBar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_printAction = toolBar->addAction(QIcon::fromTheme(QStringLiteral("document-print")), QStringLiteral("Nyomtatás"));
    m_zoomBox = new QComboBox(toolBar);
    m_zoomBox->setToolTip(QStringLiteral("Nagyítás"));
    for (int percent : zoomPercents)
        m_zoomBox->addItem(QStringLiteral("%1 %").arg(percent), percent / 100.0);
    toolBar->addWidget(m_zoomBox);

    m_view = new QGraphicsView(this);
    m_scene = new QGraphicsScene(m_view);
    m_scene->setBackgroundBrush(Qt::gray);
    m_view->setScene(m_scene);
    m_view->setDragMode(QGraphicsView::ScrollHandDrag);
    m_view->setAlignment(Qt::AlignHCenter | Qt::AlignTop);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(toolBar);
    layout->addWidget(m_view);

    connect(m_printAction, &QAction::triggered, this, &ReportPreview::print);
    connect(m_zoomBox, &QComboBox::currentIndexChanged, this,
            [this](int index) { setZoom(m_zoomBox->itemData(index).toReal()); });

    layOutPages();
    setZoom(zoom);
}

void ReportPreview::layOutPages()
{
    // Pages one under the other, centred, each at its own size.
    const int dotsPerInch = m_view->viewport()->logicalDpiX();
    qreal top = pageGap;
    for (const PreparedPage& page : std::as_const(m_report.pages)) {
        auto* item = new PreviewPageItem(page, dotsPerInch);
        item->setPos(-item->paperSize().width() / 2, top);
        m_scene->addItem(item);
        top += item->paperSize().height() + pageGap;
    }
    m_scene->setSceneRect(m_scene->itemsBoundingRect().adjusted(-pageGap, -pageGap, pageGap, pageGap));
}

void ReportPreview::setZoom(qreal zoom)
{
    m_zoom = zoom;
    m_view->setTransform(QTransform::fromScale(zoom, zoom));
    const QSignalBlocker blocker(m_zoomBox);
    const int index = m_zoomBox->findData(zoom);
    if (index >= 0) {
        m_zoomBox->setCurrentIndex(index);
    } else {
        m_zoomBox->addItem(QStringLiteral("%1 %").arg(qRound(zoom * 100)), zoom);
        m_zoomBox->setCurrentIndex(m_zoomBox->count() - 1);
    }
}

bool ReportPreview::printTo(QPrinter& printer) const
{
    PreparedReport chosen;
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        const qsizetype last = printer.toPage() > 0 ? printer.toPage() : m_report.pages.size();
        for (qsizetype i = printer.fromPage(); i <= last && i <= m_report.pages.size(); ++i)
            chosen.pages.append(m_report.pages.at(i - 1));
    } else {
        chosen.pages = m_report.pages;
    }
    return ReportPainter::printReport(chosen, printer);
}

void ReportPreview::print()
{
    // A default-constructed printer is the system's default printer.
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(windowTitle());
    QPrintDialog dialog(&printer, this);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    dialog.setMinMax(1, int(m_report.pages.size()));
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (!printTo(printer))
        AppDialogs::showError(this, QStringLiteral("A nyomtatás nem sikerült"));
}

void ReportPreview::showErrors(const QStringList& errors, QWidget* parent)
{
    QMessageBox box(QMessageBox::Critical, ReportEngine::errorHeading(), errors.join(u'\n'), QMessageBox::Ok, parent);
    box.exec();
}

bool ReportPreview::printReturn(FormModel& model, ReportTemplate& report, QWidget* parent,
                                const BarcodeText::DigitSource& digits)
{
    ReportFonts::install();
    BarcodeText::formBarcodeText(model, report, digits);
    const ReportValues values(model);
    PreparedReport prepared = ReportEngine::prepare(
        report, values, [&model](ReportTemplate& working) { PageSelection::frxReport1BeforePrint(model, working); });
    if (!prepared.succeeded()) {
        showErrors(prepared.errors, parent);
        return false;
    }
    ReportPreview preview(std::move(prepared), parent, report.previewZoom);
    preview.setWindowState(Qt::WindowMaximized);
    preview.exec();
    return true;
}
