#pragma once

#include "PreparedReport.h"

#include <QString>

#include <functional>
#include <optional>

class ReportTemplate;
class ReportValues;

// Lays out the template's visible pages into prepared pages: every slot
// "[name]" filled with its value, hidden objects left out, objects sorted by
// kind into drawing order. Barcode objects carry their text only; the engine
// draws no barcode symbol (the template's one barcode stays hidden).
namespace ReportEngine {

using ValueSource = std::function<std::optional<QString>(const QString& name)>;
// Runs once before the first object is laid out and may switch the
// visibility of pages and objects.
using BeforePrint = std::function<void(ReportTemplate& report)>;

// Works on a copy of the template, so the template keeps its stored state
// whatever happens. A slot without a value adds an error and preparation
// goes on; a Failure while a value is formed adds its message and ends it.
PreparedReport prepare(const ReportTemplate& report, const ValueSource& values, const BeforePrint& beforePrint = {});
PreparedReport prepare(const ReportTemplate& report, const ReportValues& values, const BeforePrint& beforePrint = {});

// The title of the box that shows a failed preparation's errors.
QString errorHeading();
// The error of a slot that gets no value.
QString unresolvedSlotError(const QString& objectName, const QString& slot);

} // namespace ReportEngine
