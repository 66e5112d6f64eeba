#include "Catalogue.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

FieldKind kindFromName(const QString& name, bool* ok)
{
    static const QHash<QString, FieldKind> kinds = {
        {QStringLiteral("text"), FieldKind::Text},     {QStringLiteral("amount"), FieldKind::Amount},
        {QStringLiteral("date"), FieldKind::Date},     {QStringLiteral("choice"), FieldKind::Choice},
        {QStringLiteral("check"), FieldKind::Check},   {QStringLiteral("grid"), FieldKind::Grid},
    };
    *ok = kinds.contains(name);
    return kinds.value(name, FieldKind::Text);
}

QStringList stringList(const QJsonValue& value)
{
    QStringList list;
    const QJsonArray array = value.toArray();
    for (const QJsonValue& item : array)
        list.append(item.toString());
    return list;
}

QDate isoDate(const QJsonValue& value)
{
    return value.isString() ? QDate::fromString(value.toString(), Qt::ISODate) : QDate();
}

QList<LayoutRow> layoutRows(const QJsonValue& value)
{
    QList<LayoutRow> rows;
    const QJsonArray array = value.toArray();
    for (const QJsonValue& rowValue : array) {
        LayoutRow row;
        const QJsonArray cells = rowValue.toArray();
        for (const QJsonValue& cellValue : cells) {
            LayoutCell cell;
            if (cellValue.isString()) {
                cell.ref = cellValue.toString();
            } else {
                const QJsonObject object = cellValue.toObject();
                cell.text = object.value(QLatin1String("text")).toString();
                cell.bold = object.value(QLatin1String("bold")).toBool();
            }
            row.append(cell);
        }
        rows.append(row);
    }
    return rows;
}

FieldSpec fieldFromJson(const QJsonObject& o, QString* error)
{
    FieldSpec f;
    f.name = o.value(QLatin1String("name")).toString();
    bool kindOk = false;
    f.kind = kindFromName(o.value(QLatin1String("kind")).toString(), &kindOk);
    if (f.name.isEmpty() || !kindOk) {
        *error = QStringLiteral("field without a name or with an unknown kind: %1").arg(f.name);
        return f;
    }
    f.container = o.value(QLatin1String("container")).toString();
    f.label = o.value(QLatin1String("label")).toString();
    f.line = o.value(QLatin1String("line")).toString();
    f.meaning = o.value(QLatin1String("meaning")).toString();
    f.tab = o.value(QLatin1String("tab")).toInt();
    f.computed = o.value(QLatin1String("computed")).toBool();
    f.enabled = o.value(QLatin1String("enabled")).toBool(!f.computed);
    f.hidden = o.value(QLatin1String("hidden")).toBool();
    f.boldLabel = o.value(QLatin1String("boldLabel")).toBool();
    f.unit = o.value(QLatin1String("unit")).toString();
    f.unitBelow = o.value(QLatin1String("unitBelow")).toBool();
    f.width = o.value(QLatin1String("width")).toInt();
    if (o.contains(QLatin1String("overlay"))) {
        const QJsonObject overlay = o.value(QLatin1String("overlay")).toObject();
        f.overlay.group = overlay.value(QLatin1String("group")).toString();
        f.overlay.item = overlay.value(QLatin1String("item")).toInt(-1);
        f.overlay.gap = overlay.value(QLatin1String("gap")).toInt(-1);
    }

    const QJsonValue initial = o.value(QLatin1String("initial"));
    switch (f.kind) {
    case FieldKind::Text:
        f.initialText = initial.toString();
        break;
    case FieldKind::Amount:
        f.initialText = initial.isString() ? initial.toString() : QStringLiteral("0");
        break;
    case FieldKind::Date:
        f.initialDate = isoDate(initial);
        f.minDate = isoDate(o.value(QLatin1String("min")));
        f.maxDate = isoDate(o.value(QLatin1String("max")));
        if (!f.initialDate.isValid())
            *error = QStringLiteral("date field %1 without an initial date").arg(f.name);
        break;
    case FieldKind::Choice:
        f.initialIndex = initial.toInt(-1);
        break;
    case FieldKind::Check:
        f.initialChecked = initial.toBool();
        break;
    case FieldKind::Grid:
        break;
    }

    f.caption = o.value(QLatin1String("caption")).toString();
    f.items = stringList(o.value(QLatin1String("items")));
    f.columns = o.value(QLatin1String("columns")).toInt(1);
    f.gridColumns = o.value(QLatin1String("gridColumns")).toInt();
    f.gridRows = o.value(QLatin1String("gridRows")).toInt();
    f.columnHeaders = stringList(o.value(QLatin1String("columnHeaders")));
    f.rowHeaders = stringList(o.value(QLatin1String("rowHeaders")));
    const QJsonArray widths = o.value(QLatin1String("columnWidths")).toArray();
    for (const QJsonValue& w : widths)
        f.columnWidths.append(w.toInt());

    const QJsonObject events = o.value(QLatin1String("events")).toObject();
    for (auto it = events.begin(); it != events.end(); ++it)
        f.events.insert(it.key(), it.value().toString());
    return f;
}

} // namespace

const Catalogue& Catalogue::standard()
{
    static const Catalogue catalogue = [] {
        QFile file(QStringLiteral(":/catalogue.json"));
        if (!file.open(QIODevice::ReadOnly))
            qFatal("The field catalogue resource is missing");
        QString error;
        Catalogue c = fromJson(file.readAll(), &error);
        if (!error.isEmpty())
            qFatal("The field catalogue is damaged: %s", qPrintable(error));
        return c;
    }();
    return catalogue;
}

Catalogue Catalogue::fromJson(const QByteArray& json, QString* error)
{
    Catalogue c;
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
    if (parseError.error != QJsonParseError::NoError || !document.isObject()) {
        *error = parseError.errorString();
        return {};
    }
    const QJsonObject root = document.object();
    c.applicationTitle = root.value(QLatin1String("applicationTitle")).toString();
    c.windowCaption = root.value(QLatin1String("windowCaption")).toString();
    c.formCode = root.value(QLatin1String("formCode")).toString();
    c.title = root.value(QLatin1String("title")).toString();
    c.subtitle = root.value(QLatin1String("subtitle")).toString();

    const QJsonArray sheets = root.value(QLatin1String("sheets")).toArray();
    for (const QJsonValue& value : sheets) {
        const QJsonObject o = value.toObject();
        SheetSpec s;
        s.index = o.value(QLatin1String("index")).toInt();
        s.name = o.value(QLatin1String("name")).toString();
        s.caption = o.value(QLatin1String("caption")).toString();
        s.panels = stringList(o.value(QLatin1String("panels")));
        c.sheets.append(s);
    }
    const QJsonArray panels = root.value(QLatin1String("panels")).toArray();
    for (const QJsonValue& value : panels) {
        const QJsonObject o = value.toObject();
        PanelSpec p;
        p.name = o.value(QLatin1String("name")).toString();
        p.sheet = o.value(QLatin1String("sheet")).toInt();
        p.top = o.value(QLatin1String("top")).toInt();
        p.height = o.value(QLatin1String("height")).toInt();
        p.captionBar = o.value(QLatin1String("captionBar")).toString();
        p.caption = o.value(QLatin1String("caption")).toString();
        p.barHeight = o.value(QLatin1String("barHeight")).toInt(27);
        p.enterHandler = o.value(QLatin1String("enter")).toString();
        p.warning = o.value(QLatin1String("warning")).toString();
        p.rows = layoutRows(o.value(QLatin1String("rows")));
        c.panels.append(p);
    }
    const QJsonArray groupBoxes = root.value(QLatin1String("groupBoxes")).toArray();
    for (const QJsonValue& value : groupBoxes) {
        const QJsonObject o = value.toObject();
        GroupBoxSpec g;
        g.name = o.value(QLatin1String("name")).toString();
        g.panel = o.value(QLatin1String("panel")).toString();
        g.caption = o.value(QLatin1String("caption")).toString();
        g.tab = o.value(QLatin1String("tab")).toInt();
        g.fontPx = o.value(QLatin1String("fontPx")).toInt(13);
        g.rows = layoutRows(o.value(QLatin1String("rows")));
        c.groupBoxes.append(g);
    }
    const QJsonArray labels = root.value(QLatin1String("labels")).toArray();
    for (const QJsonValue& value : labels) {
        const QJsonObject o = value.toObject();
        LabelSpec l;
        l.name = o.value(QLatin1String("name")).toString();
        l.panel = o.value(QLatin1String("panel")).toString();
        l.caption = o.value(QLatin1String("caption")).toString();
        l.visible = o.value(QLatin1String("visible")).toBool(true);
        c.labels.append(l);
    }
    const QJsonArray fields = root.value(QLatin1String("fields")).toArray();
    for (const QJsonValue& value : fields) {
        QString fieldError;
        FieldSpec f = fieldFromJson(value.toObject(), &fieldError);
        if (!fieldError.isEmpty()) {
            *error = fieldError;
            return {};
        }
        c.fields.append(f);
    }
    c.buildIndex();
    if (c.m_index.size() != c.fields.size()) {
        *error = QStringLiteral("two fields share a name");
        return {};
    }
    return c;
}

QString Catalogue::nameKey(QStringView name)
{
    QString key = name.toString();
    for (QChar& ch : key) {
        if (ch >= u'a' && ch <= u'z')
            ch = QChar(ch.unicode() - (u'a' - u'A'));
    }
    return key;
}

void Catalogue::buildIndex()
{
    m_index.clear();
    for (int i = 0; i < fields.size(); ++i)
        m_index.insert(nameKey(fields.at(i).name), i);
}

int Catalogue::indexOf(QStringView name) const
{
    return m_index.value(nameKey(name), -1);
}

const PanelSpec* Catalogue::panel(QStringView name) const
{
    for (const PanelSpec& p : panels) {
        if (p.name == name)
            return &p;
    }
    return nullptr;
}

const GroupBoxSpec* Catalogue::groupBox(QStringView name) const
{
    for (const GroupBoxSpec& g : groupBoxes) {
        if (g.name == name)
            return &g;
    }
    return nullptr;
}

const LabelSpec* Catalogue::label(QStringView name) const
{
    for (const LabelSpec& l : labels) {
        if (l.name == name)
            return &l;
    }
    return nullptr;
}

QString Catalogue::panelOf(const QString& container) const
{
    if (const GroupBoxSpec* g = groupBox(container))
        return g->panel;
    return panel(container) ? container : QString();
}

int Catalogue::sheetOf(const QString& container) const
{
    const PanelSpec* p = panel(panelOf(container));
    return p ? p->sheet : -1;
}
