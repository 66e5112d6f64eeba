#include "ReportEngine.h"

#include "ReportTemplate.h"
#include "ReportValues.h"
#include "model/Failure.h"

namespace {

const QString boldOn = QStringLiteral("<b>");
const QString boldOff = QStringLiteral("</b>");

// Splits a template text at its <b> and </b> tags.
QList<TextRun> markupRuns(const QString& text)
{
    QList<TextRun> runs;
    bool bold = false;
    qsizetype from = 0;
    while (from <= text.size()) {
        const QString& tag = bold ? boldOff : boldOn;
        qsizetype at = text.indexOf(tag, from);
        if (at < 0)
            at = text.size();
        if (at > from)
            runs.append({text.mid(from, at - from), bold});
        from = at + tag.size();
        bold = !bold;
    }
    return runs;
}

// Lays out pages one after another, collecting the errors of unresolved slots.
class Preparation
{
public:
    Preparation(const ReportEngine::ValueSource& values, QStringList* errors)
        : m_values(values)
        , m_errors(errors)
    {
    }

    PreparedPage layOut(const ReportPage& page);

private:
    QString fillSlots(const QString& text, const QString& objectName);

    const ReportEngine::ValueSource& m_values;
    QStringList* m_errors;
};

QString Preparation::fillSlots(const QString& text, const QString& objectName)
{
    QString result;
    qsizetype from = 0;
    for (;;) {
        const qsizetype open = text.indexOf(u'[', from);
        const qsizetype close = open < 0 ? -1 : text.indexOf(u']', open + 1);
        if (close < 0) {
            result += QStringView(text).mid(from);
            return result;
        }
        result += QStringView(text).mid(from, open - from);
        const QString name = text.mid(open + 1, close - open - 1);
        if (const std::optional<QString> value = m_values(name))
            result += *value;
        else
            m_errors->append(ReportEngine::unresolvedSlotError(objectName, name));
        from = close + 1;
    }
}

PreparedPage Preparation::layOut(const ReportPage& page)
{
    PreparedPage prepared;
    prepared.name = page.name;
    prepared.layout = page.layout;
    for (const ReportObject& object : page.objects) {
        if (!object.visible)
            continue;
        const QRectF rect(object.left, object.top, object.width, object.height);
        switch (object.kind) {
        case ReportObjectKind::Text: {
            PreparedText text;
            text.name = object.name;
            text.rect = rect;
            text.runs = markupRuns(object.text);
            if (!object.noSlots) {
                for (TextRun& run : text.runs)
                    run.text = fillSlots(run.text, object.name);
            }
            text.fontFamily = object.fontFamily;
            text.pointSize = object.pointSize;
            text.bold = object.bold;
            text.whiteOnBlack = object.whiteOnBlack;
            text.sideMargin = object.sideMargin;
            text.alignment = object.alignment;
            prepared.texts.append(text);
            break;
        }
        case ReportObjectKind::Line:
            prepared.lines.append(
                {object.name, QLineF(object.left, object.top, object.left + object.width, object.top + object.height)});
            break;
        case ReportObjectKind::Box:
            prepared.boxes.append({object.name, rect, object.greyFill});
            break;
        case ReportObjectKind::Picture:
            // A picture is drawn at its own size.
            prepared.pictures.append({object.name, QRectF(rect.topLeft(), QSizeF(object.image.size())), object.image});
            break;
        case ReportObjectKind::Barcode:
            break;
        }
    }
    return prepared;
}

} // namespace

namespace ReportEngine {

PreparedReport prepare(const ReportTemplate& report, const ValueSource& values, const BeforePrint& beforePrint)
{
    PreparedReport prepared;
    ReportTemplate working = report;
    try {
        if (beforePrint)
            beforePrint(working);
        Preparation preparation(values, &prepared.errors);
        for (const ReportPage& page : std::as_const(working.pages)) {
            if (page.visible)
                prepared.pages.append(preparation.layOut(page));
        }
    } catch (const Failure& failure) {
        prepared.errors.append(failure.message());
    }
    return prepared;
}

PreparedReport prepare(const ReportTemplate& report, const ReportValues& values, const BeforePrint& beforePrint)
{
    return prepare(
        report, [&values](const QString& name) { return values.value(name); }, beforePrint);
}

QString errorHeading()
{
    return QStringLiteral("Report preparation failed");
}

QString unresolvedSlotError(const QString& objectName, const QString& slot)
{
    return QStringLiteral("%1: the slot \"[%2]\" has no value").arg(objectName, slot);
}

} // namespace ReportEngine
