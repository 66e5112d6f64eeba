#pragma once

#include <QList>
#include <QSizeF>
#include <QString>

// Reads a PDF back through Poppler's pdfinfo and pdftotext.
namespace PdfReader {

bool toolsPresent();
// Page sizes in points, in page order; empty when the file cannot be read.
QList<QSizeF> pageSizes(const QString& file);
// The text of one page (counted from 1), in reading order.
QString pageText(const QString& file, int page);

} // namespace PdfReader
