#pragma once

#include <QImage>
#include <QList>
#include <QMarginsF>
#include <QPageLayout>
#include <QString>
#include <QStringList>

enum class ReportObjectKind { Text, Line, Box, Picture, Barcode };

// One object of a template page. Positions are in report units (1/96 inch)
// from the top-left corner of the page's printable area. A line runs from
// (left, top) to (left + width, top + height); a horizontal line has height
// 0, a vertical one width 0, and a diagonal's width may be negative.
struct ReportObject
{
    ReportObjectKind kind = ReportObjectKind::Text;
    QString name; // empty for the full-width rules
    qreal left = 0;
    qreal top = 0;
    qreal width = 0;
    qreal height = 0;
    bool visible = true;

    // Text objects; a barcode keeps its encoded text here too.
    QString text;
    QString fontFamily;
    qreal pointSize = 0;
    bool bold = false;
    bool whiteOnBlack = false;
    qreal sideMargin = 2; // inner margin left and right
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignTop;
    bool noSlots = false; // square brackets are printed as written

    bool greyFill = false; // boxes
    QImage image;          // pictures

    bool operator==(const ReportObject&) const = default;
};

struct ReportPage
{
    QString name;
    QPageLayout layout; // paper, orientation and margins
    bool visible = true;
    QString pageLabel; // empty where the strips carry none
    QList<ReportObject> objects;

    // Width of the printable area in report units.
    qreal printableWidth() const;

    bool operator==(const ReportPage&) const = default;
};

// The printed return's page template: its pages in print order with every
// object at a fixed position, as the data files under data/report give it.
// The header and footer strips are expanded into ordinary objects when the
// template is read, so the engine knows only pages and objects.
class ReportTemplate
{
public:
    // The template compiled into the program (the ":/report" resource).
    static const ReportTemplate& standard();
    // Reads pages.json and the page files it lists from a directory; on
    // failure returns an empty template and sets *error to the first error.
    static ReportTemplate read(const QString& directory, QString* error);

    qreal previewZoom = 1.0;
    QStringList previewCommands;
    QString formLabel;
    QString formCode;
    QList<ReportPage> pages;

    int pageCount() const { return int(pages.size()); }
    ReportPage& page(int position) { return pages[position]; }
    const ReportPage& page(int position) const { return pages.at(position); }

    // Any object of any page by name, letter case ignored; nullptr when no
    // object has that name.
    ReportObject* findObject(QStringView name);
    const ReportObject* findObject(QStringView name) const;

    bool operator==(const ReportTemplate&) const = default;
};

// Units of the template: 96 to the inch.
namespace ReportUnits {
constexpr qreal perInch = 96.0;
constexpr qreal perMillimetre = perInch / 25.4;
} // namespace ReportUnits
