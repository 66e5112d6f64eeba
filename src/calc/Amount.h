#pragma once

#include <QLocale>
#include <QString>

// The amount conventions: how an amount is shown, read and rounded. Amounts
// are forints in the extended floating-point type; the separators are those
// of the regional settings, the same for display, reading and typing.
namespace Amount {

// Display form: digits grouped in threes, "-" for negatives, a fraction of up
// to 14 digits with trailing zeros dropped and never more than 15 significant
// digits in all; zero shows as "0".
QString displayText(long double value, const QLocale& locale);

// Reads a field's text: group separators removed, an empty text or a lone "-"
// is 0, an exponent ("E" and an integer) is accepted. Throws Failure with
// "'…' is not a valid floating point value" for anything else.
long double read(const QString& text, const QLocale& locale);

// Like read, but without a failure: false when the text is no number.
bool tryRead(const QString& text, const QLocale& locale, long double* value);

// Whole-forint rounding: to the nearest whole number, halves to the even one.
long double roundWhole(long double value);

// Hundred-forint rounding of a positive amount: up to 100 it gives 100 from
// 50 on and 0 below; above 100 the nearest multiple of 100, halves to the
// even number of hundreds.
long double roundHundred(long double value);

// The printed form: a whole number (halves away from zero), grouped in
// threes, no decimals.
QString printedText(long double value, const QLocale& locale);

// The digit-group separator and decimal separator of the regional settings.
QChar groupSeparator(const QLocale& locale);
QChar decimalSeparator(const QLocale& locale);

} // namespace Amount
