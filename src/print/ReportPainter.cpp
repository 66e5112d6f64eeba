#include "ReportPainter.h"

#include "ReportFonts.h"
#include "ReportTemplate.h"

#include <QPagedPaintDevice>
#include <QPainter>
#include <QTextLayout>

#include <memory>
#include <vector>

namespace {

constexpr qreal verticalMargin = 1;
constexpr qreal lineSpacing = 2;
const QColor greyFill(240, 240, 240);

// Texts are laid out at this resolution whatever the device, then scaled to
// it: font engines round pixel sizes to whole pixels, so laying out on each
// device would break lines differently on screen and on paper. At 7200 dpi
// every whole point size is a whole number of pixels.
constexpr qreal layoutDpi = 7200;
constexpr qreal layoutPerUnit = layoutDpi / ReportUnits::perInch;

QPaintDevice* layoutDevice()
{
    static QImage device = [] {
        QImage image(1, 1, QImage::Format_Mono);
        const int dotsPerMetre = qRound(layoutDpi / 0.0254);
        image.setDotsPerMeterX(dotsPerMetre);
        image.setDotsPerMeterY(dotsPerMetre);
        return image;
    }();
    return &device;
}

// Report units to device pixels.
struct Scale
{
    explicit Scale(const QPaintDevice* device)
        : x(device->logicalDpiX() / ReportUnits::perInch)
        , y(device->logicalDpiY() / ReportUnits::perInch)
    {
    }

    QRectF rect(const QRectF& r) const { return QRectF(r.x() * x, r.y() * y, r.width() * x, r.height() * y); }
    QPointF point(const QPointF& p) const { return QPointF(p.x() * x, p.y() * y); }

    qreal x;
    qreal y;
};

QFont textFont(const PreparedText& text, bool bold)
{
    QFont font = ReportFonts::font(text.fontFamily, text.pointSize, bold);
    font.setHintingPreference(QFont::PreferNoHinting);
    // No ligatures: "fi" stays two letters for whoever copies from a PDF.
    font.setStyleStrategy(QFont::PreferNoShaping);
    return font;
}

// A text object's paragraphs laid out into lines at the layout resolution,
// positioned from the top of the first line.
struct TextBlock
{
    std::vector<std::unique_ptr<QTextLayout>> paragraphs;
    QStringList lines;
    qreal height = 0;
};

QRectF innerRect(const PreparedText& text)
{
    return text.rect.adjusted(text.sideMargin, verticalMargin, -text.sideMargin, -verticalMargin);
}

TextBlock layOut(const PreparedText& text)
{
    const qreal width = innerRect(text).width() * layoutPerUnit / ReportFonts::widthScale(text.fontFamily);
    const qreal spacing = lineSpacing * layoutPerUnit;
    // Where the object is not bold itself, its <b> runs are.
    QList<QTextLayout::FormatRange> boldRanges;
    qsizetype position = 0;
    for (const TextRun& run : text.runs) {
        if (run.bold && !text.bold) {
            QTextLayout::FormatRange range;
            range.start = int(position);
            range.length = int(run.text.size());
            range.format.setFont(textFont(text, true));
            boldRanges.append(range);
        }
        position += run.text.size();
    }

    const QFont font = textFont(text, text.bold);
    QTextOption option(text.alignment & Qt::AlignHorizontal_Mask);
    // A word longer than the line runs on rather than being cut.
    option.setWrapMode(QTextOption::WordWrap);
    option.setUseDesignMetrics(true);

    TextBlock block;
    qreal y = 0;
    bool firstLine = true;
    qsizetype start = 0;
    const QStringList paragraphs = text.text().split(u'\n');
    for (const QString& paragraph : paragraphs) {
        auto layout = std::make_unique<QTextLayout>(paragraph, font, layoutDevice());
        layout->setTextOption(option);
        QList<QTextLayout::FormatRange> formats;
        for (const QTextLayout::FormatRange& range : std::as_const(boldRanges)) {
            const qsizetype from = std::max<qsizetype>(range.start, start);
            const qsizetype to = std::min<qsizetype>(range.start + range.length, start + paragraph.size());
            if (to > from)
                formats.append({int(from - start), int(to - from), range.format});
        }
        layout->setFormats(formats);
        layout->beginLayout();
        for (;;) {
            QTextLine line = layout->createLine();
            if (!line.isValid())
                break;
            if (!firstLine)
                y += spacing;
            firstLine = false;
            line.setLineWidth(width);
            line.setPosition(QPointF(0, y));
            y += line.height();
            block.lines.append(paragraph.mid(line.textStart(), line.textLength()));
        }
        layout->endLayout();
        block.paragraphs.push_back(std::move(layout));
        start += paragraph.size() + 1;
    }
    block.height = y;
    return block;
}

void paintText(QPainter& painter, const PreparedText& text, const Scale& scale)
{
    if (text.whiteOnBlack)
        painter.fillRect(scale.rect(text.rect), Qt::black);

    const TextBlock block = layOut(text);
    const QRectF inner = innerRect(text);
    const qreal height = block.height / layoutPerUnit;
    // A block taller than its object keeps its anchor and runs over the
    // edges away from it, so nothing of it is lost.
    qreal top = inner.top();
    if (text.alignment & Qt::AlignVCenter)
        top += (inner.height() - height) / 2;
    else if (text.alignment & Qt::AlignBottom)
        top = inner.bottom() - height;

    painter.save();
    painter.translate(scale.point(QPointF(inner.left(), top)));
    painter.scale(scale.x / layoutPerUnit * ReportFonts::widthScale(text.fontFamily), scale.y / layoutPerUnit);
    painter.setPen(text.whiteOnBlack ? Qt::white : Qt::black);
    for (const auto& paragraph : block.paragraphs)
        paragraph->draw(&painter, QPointF(0, 0));
    painter.restore();
}

} // namespace

namespace ReportPainter {

void paintPage(QPainter& painter, const PreparedPage& page)
{
    const Scale scale(painter.device());
    painter.save();

    QPen pen(Qt::black, scale.x, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
    painter.setPen(pen);
    for (const PreparedBox& box : page.boxes) {
        painter.setBrush(box.greyFill ? QBrush(greyFill) : QBrush(Qt::NoBrush));
        painter.drawRect(scale.rect(box.rect));
    }
    painter.setBrush(Qt::NoBrush);

    for (const PreparedLine& line : page.lines) {
        const bool diagonal = line.line.dx() != 0 && line.line.dy() != 0;
        painter.setRenderHint(QPainter::Antialiasing, diagonal);
        painter.drawLine(scale.point(line.line.p1()), scale.point(line.line.p2()));
    }
    painter.setRenderHint(QPainter::Antialiasing, false);

    for (const PreparedPicture& picture : page.pictures)
        painter.drawImage(scale.rect(picture.rect), picture.image);

    for (const PreparedText& text : page.texts)
        paintText(painter, text, scale);

    painter.restore();
}

bool printReport(const PreparedReport& report, QPagedPaintDevice& device)
{
    if (report.pages.isEmpty())
        return true;
    device.setPageLayout(report.pages.first().layout);
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    for (qsizetype i = 0; i < report.pages.size(); ++i) {
        const PreparedPage& page = report.pages.at(i);
        if (i > 0) {
            // The new layout applies from the page that newPage() starts.
            device.setPageLayout(page.layout);
            if (!device.newPage())
                return false;
        }
        paintPage(painter, page);
    }
    return painter.end();
}

QImage renderPage(const PreparedPage& page, int dotsPerInch)
{
    QImage image(page.layout.fullRectPixels(dotsPerInch).size(), QImage::Format_RGB32);
    const int dotsPerMetre = qRound(dotsPerInch / 0.0254);
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.translate(page.layout.paintRectPixels(dotsPerInch).topLeft());
    paintPage(painter, page);
    return image;
}

QStringList wrappedLines(const PreparedText& text)
{
    return layOut(text).lines;
}

} // namespace ReportPainter
