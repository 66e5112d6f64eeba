#include "ReportTemplate.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPageSize>
#include <QSet>

namespace {

// The fixed row of texts of a header or footer strip, left to right.
struct StripColumn
{
    qreal left;
    qreal width;
    const char* family;
    qreal pointSize;
    bool bold;
    Qt::Alignment alignment;
};

constexpr qreal stripHeight = 15.12;
const StripColumn stripColumns[] = {
    {0, 79.37, "Tahoma", 6, false, Qt::AlignLeft | Qt::AlignBottom},                     // form label
    {79.37, 64.25, "Franklin Gothic Medium", 9, true, Qt::AlignLeft | Qt::AlignVCenter}, // form code
    {143.62, 98.27, "Tahoma", 6, false, Qt::AlignLeft | Qt::AlignBottom},                // barcode text
    {245.67, 49.13, "Tahoma", 6, false, Qt::AlignLeft | Qt::AlignBottom},                // date
    {555.59, 79.37, "Tahoma", 6, false, Qt::AlignLeft | Qt::AlignBottom},                // page label
};

// Reads one file; keeps the first error, as every step below does.
class Reader
{
public:
    explicit Reader(QString directory)
        : m_directory(std::move(directory))
    {
    }

    ReportTemplate read();
    const QString& error() const { return m_error; }

private:
    QJsonObject readJson(const QString& fileName);
    ReportPage readPage(const QJsonObject& json, const ReportTemplate& report);
    void readStrip(const QJsonValue& json, const QStringList& texts, const ReportPage& page,
                   QList<ReportObject>* objects);
    ReportObject readObject(const QJsonObject& json, const ReportPage& page);
    void fail(const QString& message)
    {
        if (m_error.isEmpty())
            m_error = message;
    }

    QString m_directory;
    QString m_file;
    QString m_error;
};

QJsonObject Reader::readJson(const QString& fileName)
{
    m_file = fileName;
    QFile file(QDir(m_directory).filePath(fileName));
    if (!file.open(QIODevice::ReadOnly)) {
        fail(QStringLiteral("%1: %2").arg(fileName, file.errorString()));
        return {};
    }
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &parseError);
    if (parseError.error != QJsonParseError::NoError || !document.isObject()) {
        fail(QStringLiteral("%1: %2").arg(fileName, parseError.errorString()));
        return {};
    }
    return document.object();
}

ReportTemplate Reader::read()
{
    ReportTemplate report;
    const QJsonObject root = readJson(QStringLiteral("pages.json"));
    const QJsonObject options = root.value(u"options").toObject();
    report.previewZoom = options.value(u"previewZoom").toDouble(1.0);
    for (const QJsonValue& command : options.value(u"previewCommands").toArray())
        report.previewCommands.append(command.toString());
    report.formLabel = root.value(u"formLabel").toString();
    report.formCode = root.value(u"formCode").toString();

    const QJsonArray files = root.value(u"pages").toArray();
    if (m_error.isEmpty() && files.isEmpty())
        fail(QStringLiteral("pages.json: no pages"));
    for (const QJsonValue& file : files) {
        const QJsonObject json = readJson(file.toString());
        if (!m_error.isEmpty())
            break;
        report.pages.append(readPage(json, report));
    }

    // Look-up by name ignores case, so names must differ in more than case.
    QSet<QString> seen;
    for (const ReportPage& page : std::as_const(report.pages)) {
        for (const ReportObject& object : page.objects) {
            if (object.name.isEmpty())
                continue;
            const QString key = object.name.toCaseFolded();
            if (seen.contains(key))
                fail(QStringLiteral("%1: the name %2 is used twice").arg(page.name, object.name));
            seen.insert(key);
        }
    }
    return m_error.isEmpty() ? report : ReportTemplate();
}

ReportPage Reader::readPage(const QJsonObject& json, const ReportTemplate& report)
{
    ReportPage page;
    page.name = json.value(u"name").toString();
    if (json.value(u"paper").toString() != u"A4")
        fail(QStringLiteral("%1: only A4 paper is supported").arg(m_file));
    const QString orientation = json.value(u"orientation").toString();
    if (orientation != u"portrait" && orientation != u"landscape")
        fail(QStringLiteral("%1: unknown orientation \"%2\"").arg(m_file, orientation));
    const QJsonObject margins = json.value(u"margins").toObject();
    page.layout = QPageLayout(QPageSize(QPageSize::A4),
                              orientation == u"landscape" ? QPageLayout::Landscape : QPageLayout::Portrait,
                              QMarginsF(margins.value(u"left").toDouble(), margins.value(u"top").toDouble(),
                                        margins.value(u"right").toDouble(), margins.value(u"bottom").toDouble()),
                              QPageLayout::Millimeter);
    page.visible = json.value(u"visible").toBool(true);
    page.pageLabel = json.value(u"pageLabel").toString();

    QStringList stripTexts = {report.formLabel, report.formCode, QStringLiteral("([azon])"), QStringLiteral("[datum]")};
    if (!page.pageLabel.isEmpty())
        stripTexts.append(page.pageLabel);

    readStrip(json.value(u"header"), stripTexts, page, &page.objects);
    for (const QJsonValue& value : json.value(u"objects").toArray())
        page.objects.append(readObject(value.toObject(), page));
    readStrip(json.value(u"footer"), stripTexts, page, &page.objects);
    return page;
}

void Reader::readStrip(const QJsonValue& json, const QStringList& texts, const ReportPage& page,
                       QList<ReportObject>* objects)
{
    if (json.isNull() || json.isUndefined())
        return;
    const QJsonObject strip = json.toObject();
    const QJsonArray names = strip.value(u"objects").toArray();
    if (names.size() != texts.size()) {
        fail(QStringLiteral("%1: a strip of %2 objects where %3 are needed")
                 .arg(m_file)
                 .arg(names.size())
                 .arg(texts.size()));
        return;
    }
    const qreal top = strip.value(u"top").toDouble();
    for (int i = 0; i < names.size(); ++i) {
        const StripColumn& column = stripColumns[i];
        ReportObject text;
        text.kind = ReportObjectKind::Text;
        text.name = names.at(i).toString();
        text.left = column.left;
        text.top = top;
        text.width = column.width;
        text.height = stripHeight;
        text.text = texts.at(i);
        text.fontFamily = QString::fromLatin1(column.family);
        text.pointSize = column.pointSize;
        text.bold = column.bold;
        text.alignment = column.alignment;
        objects->append(text);
    }
    ReportObject rule;
    rule.kind = ReportObjectKind::Line;
    rule.top = strip.value(u"rule").toDouble();
    rule.width = page.printableWidth();
    objects->append(rule);
}

Qt::Alignment alignmentFromCode(const QString& code, bool* ok)
{
    *ok = code.size() == 2;
    if (!*ok)
        return {};
    Qt::Alignment alignment;
    switch (code.at(0).unicode()) {
    case u'L':
        alignment = Qt::AlignLeft;
        break;
    case u'C':
        alignment = Qt::AlignHCenter;
        break;
    case u'R':
        alignment = Qt::AlignRight;
        break;
    case u'J':
        alignment = Qt::AlignJustify;
        break;
    default:
        *ok = false;
    }
    switch (code.at(1).unicode()) {
    case u'T':
        alignment |= Qt::AlignTop;
        break;
    case u'M':
        alignment |= Qt::AlignVCenter;
        break;
    case u'B':
        alignment |= Qt::AlignBottom;
        break;
    default:
        *ok = false;
    }
    return alignment;
}

ReportObject Reader::readObject(const QJsonObject& json, const ReportPage& page)
{
    ReportObject object;
    const QString type = json.value(u"type").toString();
    object.name = json.value(u"name").toString();
    object.left = json.value(u"left").toDouble();
    object.top = json.value(u"top").toDouble();
    object.width = json.value(u"width").toDouble();
    object.height = json.value(u"height").toDouble();
    object.visible = json.value(u"visible").toBool(true);
    if (type != u"rule" && object.name.isEmpty())
        fail(QStringLiteral("%1: a %2 object without a name").arg(m_file, type));

    if (type == u"text") {
        object.kind = ReportObjectKind::Text;
        object.text = json.value(u"text").toString();
        object.fontFamily = json.value(u"font").toString();
        object.pointSize = json.value(u"size").toDouble();
        object.bold = json.value(u"bold").toBool();
        object.whiteOnBlack = json.value(u"whiteOnBlack").toBool();
        object.sideMargin = json.value(u"indent").toDouble(object.sideMargin);
        object.noSlots = json.value(u"noSlots").toBool();
        bool ok = false;
        object.alignment = alignmentFromCode(json.value(u"align").toString(), &ok);
        if (!ok)
            fail(QStringLiteral("%1: %2 has no valid alignment").arg(m_file, object.name));
        if (object.fontFamily.isEmpty() || object.pointSize <= 0)
            fail(QStringLiteral("%1: %2 has no font").arg(m_file, object.name));
    } else if (type == u"rule") {
        object.kind = ReportObjectKind::Line;
        object.left = 0;
        object.width = page.printableWidth();
        object.height = 0;
    } else if (type == u"line") {
        object.kind = ReportObjectKind::Line;
        const QString direction = json.value(u"dir").toString();
        const qreal length = json.value(u"length").toDouble();
        if (direction == u"horizontal") {
            object.width = length;
            object.height = 0;
        } else if (direction == u"vertical") {
            object.width = 0;
            object.height = length;
        } else if (direction != u"diagonal") {
            fail(QStringLiteral("%1: %2 has an unknown direction").arg(m_file, object.name));
        }
    } else if (type == u"box") {
        object.kind = ReportObjectKind::Box;
        const QString fill = json.value(u"fill").toString();
        if (fill != u"none" && fill != u"grey")
            fail(QStringLiteral("%1: %2 has an unknown fill").arg(m_file, object.name));
        object.greyFill = fill == u"grey";
    } else if (type == u"picture") {
        object.kind = ReportObjectKind::Picture;
        const QString file = json.value(u"image").toString();
        if (!object.image.load(QDir(m_directory).filePath(file)))
            fail(QStringLiteral("%1: the image %2 cannot be read").arg(m_file, file));
    } else if (type == u"barcode") {
        object.kind = ReportObjectKind::Barcode;
        object.text = json.value(u"text").toString();
    } else {
        fail(QStringLiteral("%1: unknown object type \"%2\"").arg(m_file, type));
    }
    return object;
}

} // namespace

qreal ReportPage::printableWidth() const
{
    return layout.paintRect(QPageLayout::Millimeter).width() * ReportUnits::perMillimetre;
}

const ReportTemplate& ReportTemplate::standard()
{
    static const ReportTemplate report = [] {
        QString error;
        ReportTemplate r = read(QStringLiteral(":/report"), &error);
        if (!error.isEmpty())
            qFatal("The report template is damaged: %s", qPrintable(error));
        return r;
    }();
    return report;
}

ReportTemplate ReportTemplate::read(const QString& directory, QString* error)
{
    Reader reader(directory);
    ReportTemplate report = reader.read();
    *error = reader.error();
    return report;
}

template <typename Pages>
static auto findIn(Pages& pages, QStringView name) -> decltype(&pages.first().objects.first())
{
    for (auto& page : pages) {
        for (auto& object : page.objects) {
            if (!object.name.isEmpty() && object.name.compare(name, Qt::CaseInsensitive) == 0)
                return &object;
        }
    }
    return nullptr;
}

ReportObject* ReportTemplate::findObject(QStringView name)
{
    return findIn(pages, name);
}

const ReportObject* ReportTemplate::findObject(QStringView name) const
{
    return findIn(pages, name);
}
