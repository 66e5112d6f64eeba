#pragma once

#include "print/BarcodeText.h"
#include "print/PreparedReport.h"

#include <QDialog>

class FormModel;
class QAction;
class QComboBox;
class QGraphicsScene;
class QGraphicsView;
class QPrinter;
class ReportTemplate;

// The preview of a prepared report: a modal window, opened maximized, that
// shows the pages at 100 % and offers exactly two commands, print and zoom.
// Each page keeps its own paper size and orientation on screen, as on paper.
class ReportPreview : public QDialog
{
    Q_OBJECT

public:
    // zoom: the initial zoom factor, 1 for 100 %.
    explicit ReportPreview(PreparedReport report, QWidget* parent = nullptr, qreal zoom = 1.0);

    // The print command (Nyomtats1Click): forms the barcode text, prepares
    // the report from the template and the fields, then shows the preview,
    // or the preparation's errors. False when the preparation failed.
    static bool printReturn(FormModel& model, ReportTemplate& report, QWidget* parent,
                            const BarcodeText::DigitSource& digits = BarcodeText::processorDigits);

    // A failed preparation: its errors, one per line, in an error box.
    static void showErrors(const QStringList& errors, QWidget* parent);

    const PreparedReport& report() const { return m_report; }
    qreal zoom() const { return m_zoom; }
    void setZoom(qreal zoom);
    QAction* printAction() const { return m_printAction; }
    QComboBox* zoomBox() const { return m_zoomBox; }
    QGraphicsView* view() const { return m_view; }

    // Prints every page on a printer already set up; false when it fails.
    bool printTo(QPrinter& printer) const;

public Q_SLOTS:
    // Asks for the printer, the system's default preselected, and prints.
    void print();

private:
    void layOutPages();

    PreparedReport m_report;
    QAction* m_printAction = nullptr;
    QComboBox* m_zoomBox = nullptr;
    QGraphicsView* m_view = nullptr;
    QGraphicsScene* m_scene = nullptr;
    qreal m_zoom = 1.0;
};
