#pragma once

class FormModel;
class ReportTemplate;

// The report's before-print adjustments (frxReport1BeforePrint): which
// supplementary sheet pages print and which cross marks of the first page
// show, decided from the return's fields. It only hides the conditional
// pages and then shows; the engine runs it on its own copy of the template,
// so nothing carries over to the next preparation.
namespace PageSelection {

// Throws Failure when an amount it tests does not read as a number.
void frxReport1BeforePrint(const FormModel& model, ReportTemplate& report);

} // namespace PageSelection
