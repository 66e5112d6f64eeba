#pragma once

#include "PreparedReport.h"

#include <QImage>
#include <QStringList>

class QPagedPaintDevice;
class QPainter;

// Paints prepared pages. The preview, the printer and PDF files all go
// through paintPage, so what is previewed is what prints.
//
// Report units (1/96 inch) become device pixels by the device's resolution;
// font sizes are points on paper. Texts wrap at word boundaries
// within their object's width less the inner margins (2 units, 10 with
// indent, left and right; 1 unit top and bottom), with 2 units between
// lines; a single word wider than its line runs on beyond it. Text taller
// than its object keeps its vertical alignment and runs over the object's
// edges: a middle-aligned block both ways, a bottom-aligned one upwards.
// Families come from ReportFonts::font, so ReportFonts::install() must have run.
namespace ReportPainter {

// Paints one page with the painter's origin at the top-left corner of the
// page's printable area.
void paintPage(QPainter& painter, const PreparedPage& page);

// Prints the pages in order, giving the device each page's paper, orientation
// and margins before the page starts. False when painting cannot begin.
[[nodiscard]] bool printReport(const PreparedReport& report, QPagedPaintDevice& device);

// The whole sheet of a page, margins included, on white at a resolution.
QImage renderPage(const PreparedPage& page, int dotsPerInch);

// The lines a text object shows after word wrap, the same on every device.
QStringList wrappedLines(const PreparedText& text);

} // namespace ReportPainter
