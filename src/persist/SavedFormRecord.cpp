#include "SavedFormRecord.h"

#include "model/Failure.h"
#include "model/FormModel.h"
#include "model/Windows1250.h"

#include <QCalendar>
#include <QRegularExpression>

namespace SavedFormRecord {

namespace {

const QString isoDateFormat = QStringLiteral("yyyy-MM-dd");

// The first pass of the writer: one line per value, a value with line breaks
// split into a named first piece and bare further pieces.
void appendValue(QStringList& lines, const QString& name, const QString& value)
{
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
    if (!value.contains(u'\r') && !value.contains(u'\n')) {
        lines.append(name + u'_' + value);
        return;
    }
    const QStringList pieces = value.split(lineBreak);
    lines.append(name + u'_' + pieces.first());
    for (qsizetype i = 1; i < pieces.size(); ++i)
        lines.append(pieces.at(i));
}

QStringList firstPass(const FormModel& model)
{
    QStringList lines;
    lines.reserve(model.fieldCount() + 32);
    for (int field = 0; field < model.fieldCount(); ++field) {
        const FieldSpec& spec = model.spec(field);
        switch (spec.kind) {
        case FieldKind::Text:
        case FieldKind::Amount:
            appendValue(lines, spec.name, model.text(field));
            break;
        case FieldKind::Date:
            appendValue(lines, spec.name, writeDate(model.date(field), model.locale(), spec));
            break;
        case FieldKind::Choice:
            appendValue(lines, spec.name, QString::number(model.itemIndex(field)));
            break;
        case FieldKind::Grid:
            // The header row and column are the design's, not the taxpayer's.
            for (int column = 1; column < spec.gridColumns; ++column) {
                for (int row = 1; row < spec.gridRows; ++row) {
                    appendValue(lines, spec.name,
                                QStringLiteral("[%1,%2]").arg(column).arg(row) + model.cell(field, column, row));
                }
            }
            break;
        case FieldKind::Check:
            // The plain check box is of a class the record does not know.
            break;
        }
    }
    return lines;
}

// An optional sign and decimal digits, within the int range.
int readInteger(const QString& text)
{
    bool ok = false;
    qsizetype digits = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar ch = text.at(i);
        if (i == 0 && (ch == u'-' || ch == u'+'))
            continue;
        if (ch < u'0' || ch > u'9') {
            digits = 0;
            break;
        }
        ++digits;
    }
    const int value = digits > 0 ? text.toInt(&ok, 10) : 0;
    if (!ok)
        throw Failure(QStringLiteral("'%1' is not a valid integer value").arg(text));
    return value;
}

// A grid line: coordinates and cell text come from the line as stored, so a
// "$" in a cell survives.
void applyCell(FormModel& model, int field, const QString& stored)
{
    const qsizetype open = stored.indexOf(u'[');
    const qsizetype close = stored.indexOf(u']');
    if (open < 0 || close < 0)
        return;
    const QString coordinates = close > open ? stored.mid(open + 1, close - open - 1) : QString();
    const qsizetype comma = coordinates.indexOf(u',');
    const int column = readInteger(comma < 0 ? QString() : coordinates.left(comma));
    const int row = readInteger(coordinates.mid(comma + 1));
    const FieldSpec& spec = model.spec(field);
    if (column < 0 || column >= spec.gridColumns || row < 0 || row >= spec.gridRows)
        return;
    model.setCell(field, column, row, stored.mid(close + 1));
}

void applyValue(FormModel& model, int field, const QString& stored, const QString& value)
{
    const FieldSpec& spec = model.spec(field);
    switch (spec.kind) {
    case FieldKind::Text:
    case FieldKind::Amount:
        model.setText(field, value);
        break;
    case FieldKind::Date:
        // A date the current settings cannot read leaves the field's date.
        if (const QDate date = readDate(value, model.locale(), spec); date.isValid())
            model.setDate(field, date);
        break;
    case FieldKind::Choice:
        if (!value.isEmpty())
            model.setItemIndex(field, readInteger(value));
        break;
    case FieldKind::Grid:
        applyCell(model, field, stored);
        break;
    case FieldKind::Check:
        break;
    }
}

bool hasTwoDigitYear(const QString& format)
{
    bool quoted = false;
    for (qsizetype i = 0; i < format.size();) {
        const QChar ch = format.at(i);
        if (ch == u'\'') {
            quoted = !quoted;
            ++i;
            continue;
        }
        qsizetype run = 1;
        while (i + run < format.size() && format.at(i + run) == ch)
            ++run;
        if (!quoted && ch == u'y' && run == 2)
            return true;
        i += run;
    }
    return false;
}

// The year ending in `twoDigits` that puts the date within the field's
// limits, or failing that within the hundred years ending ten years after
// today: a date of birth lies in the past, a deadline in the near future.
QDate withCentury(int twoDigits, int month, int day, const FieldSpec& field, QDate today)
{
    if (field.minDate.isValid() && field.maxDate.isValid()) {
        for (int year = field.minDate.year(); year <= field.maxDate.year(); ++year) {
            const QDate date(year, month, day);
            if (year % 100 == twoDigits && date.isValid() && date >= field.minDate && date <= field.maxDate)
                return date;
        }
    }
    const int lastYear = today.year() + 10;
    const int year = lastYear - ((lastYear - twoDigits) % 100 + 100) % 100;
    return QDate(year, month, day);
}

} // namespace

const QString& marker()
{
    static const QString text = QStringLiteral("fenyőerdő");
    return text;
}

QStringList write(const FormModel& model)
{
    QStringList record{marker()};
    QString current;
    for (const QString& line : firstPass(model)) {
        const qsizetype separator = line.indexOf(u'_');
        if (separator >= 0) {
            if (separator + 1 < line.size()) {
                record.append(line);
                current = line.left(separator);
            }
        } else if (line.size() >= 2) {
            record.append(u'$' + current + u'_' + line);
        }
    }
    return record;
}

void apply(FormModel& model, const QStringList& record)
{
    QString previous;
    for (qsizetype n = 1; n < record.size(); ++n) {
        const QString& stored = record.at(n);
        QString text = stored;
        text.remove(u'$');
        qsizetype separator = text.indexOf(u'_');
        if (separator < 0 && n > 1) {
            text = previous + u'_' + text;
            separator = previous.size();
        }
        const QString name = separator < 0 ? QString() : text.left(separator);
        const int field = model.indexOf(name);
        if (field < 0) {
            // Kept, so that bare continuations of this line are skipped too.
            previous = name;
            continue;
        }
        applyValue(model, field, stored, text.mid(separator + 1));
        previous = model.spec(field).name;
    }
}

QByteArray toBytes(const QStringList& record)
{
    if (record.isEmpty())
        return {};
    return Windows1250::encode(record.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
}

QStringList fromBytes(const QByteArray& bytes)
{
    QStringList lines = Windows1250::decode(bytes).split(QStringLiteral("\r\n"));
    if (lines.constLast().isEmpty())
        lines.removeLast();
    return lines;
}

QString writeDate(QDate date, const QLocale& locale, const FieldSpec& field, QDate today)
{
    if (!date.isValid())
        return {};
    const QString text = locale.toString(date, QLocale::ShortFormat);
    if (Windows1250::canEncode(text) && readDate(text, locale, field, today) == date)
        return text;
    return date.toString(isoDateFormat);
}

QDate readDate(const QString& text, const QLocale& locale, const FieldSpec& field, QDate today)
{
    const QString format = locale.dateFormat(QLocale::ShortFormat);
    if (hasTwoDigitYear(format)) {
        // Parsed in the Julian calendar, where every year ending in 00 is a
        // leap year, so that 29 February 2000 is not refused as a day of
        // 1900; only the day, month and last two digits of the year are used.
        const QCalendar julian(QCalendar::System::Julian);
        const QDate parsed = locale.toDate(text, format, julian);
        if (parsed.isValid()) {
            const QCalendar::YearMonthDay parts = julian.partsFromDate(parsed);
            const QDate date = withCentury((parts.year % 100 + 100) % 100, parts.month, parts.day, field, today);
            if (date.isValid())
                return date;
        }
    } else if (const QDate date = locale.toDate(text, format); date.isValid()) {
        return date;
    }
    return QDate::fromString(text, isoDateFormat);
}

} // namespace SavedFormRecord
