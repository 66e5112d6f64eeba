#pragma once

#include <QByteArray>
#include <QDate>
#include <QLocale>
#include <QString>
#include <QStringList>

class FormModel;
struct FieldSpec;

// The saved-form record: the marker line, then one line per stored value of
// the form, keyed by component name. The writer walks the fields in
// catalogue (creation) order; the reader puts the values back one line at a
// time into a live model, so the calculations run while it reads. The check
// box is not stored.
namespace SavedFormRecord {

// The first line of every record; a load accepts a record only with it.
const QString& marker();

// The whole record, marker first: text, date, amount and choice fields and
// every cell of the grid outside its header row and column. Fields whose
// value is empty get no line. Reads the model and changes nothing.
[[nodiscard]] QStringList write(const FormModel& model);

// Applies lines 2 to the last of `record` (line 1 is the marker, which the
// caller has checked). Fields no line names keep what they hold.
//
// A line that names no field, and a grid line whose coordinates lie outside
// the grid, is skipped and reading goes on; a bare continuation line after
// such a line is skipped too rather than landing in an unrelated field.
// Throws Failure("'…' is not a valid integer value") for a choice index or
// grid coordinate that is no decimal integer, and passes on any failure of
// the change handlers the writes run; the lines before stay applied.
void apply(FormModel& model, const QStringList& record);

// Byte form: every line in Windows-1250 followed by CR LF.
[[nodiscard]] QByteArray toBytes(const QStringList& record);
// Lines split at CR LF; the empty text after the last CR LF is not a line.
[[nodiscard]] QStringList fromBytes(const QByteArray& bytes);

// The date form of a record line: the locale's short date format. When that
// text would not read back as the same date (a two-digit year outside the
// reading window, or a text Windows-1250 cannot hold), it is ISO 8601
// yyyy-MM-dd instead, which the reader also accepts.
[[nodiscard]] QString writeDate(QDate date, const QLocale& locale, const FieldSpec& field,
                                QDate today = QDate::currentDate());

// Reads a date line's value in the locale's short date format, then as ISO
// 8601 yyyy-MM-dd; an invalid date when neither fits. A two-digit year takes
// the century that puts the date within the field's limits, or for a field
// without both limits, within the hundred years ending ten years after
// `today`'s year.
[[nodiscard]] QDate readDate(const QString& text, const QLocale& locale, const FieldSpec& field,
                             QDate today = QDate::currentDate());

} // namespace SavedFormRecord
