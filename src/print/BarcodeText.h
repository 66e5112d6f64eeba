#pragma once

#include <QString>

#include <functional>

class FormModel;
class ReportTemplate;

// The barcode text of a printout: six digits of the processor's
// identification followed by a checksum of the taxpayer's name in upper-case
// hexadecimal: "12345682" for the name "A" where the digit string ends in
// 123456. The print command forms it before each preparation.
namespace BarcodeText {

// Gives the processor digit string; tests give fixed strings.
using DigitSource = std::function<QString()>;

// The four 32-bit results of the processor identification for leaf 1 as
// unsigned decimals, in the order ECX, EBX, EDX, EAX. Where the instruction
// is missing, four 32-bit words of an MD5 digest of the machine's unique id
// (QSysInfo::machineUniqueId, else the host name) stand in for them.
QString processorDigits();

// Sum of the Windows-1250 codes of the name's characters, the first one
// counted twice, in 32 unsigned bits.
quint32 nameChecksum(const QString& name);

// The part of p3 from position length(p2) - 5 (counted from 1, at least 1)
// running length(p1) characters or to its end. Three equal strings give
// their last six characters.
QString fragment(const QString& p1, const QString& p2, const QString& p3);

// Fragment of three computations of the digit string, then the checksum.
QString form(const QString& name, const DigitSource& digits = processorDigits);

// The print command's first step: with a taxpayer name in Edit1, the new
// barcode text goes to the model and to the template's BarCode1; with an
// empty name both keep what they hold.
void formBarcodeText(FormModel& model, ReportTemplate& report, const DigitSource& digits = processorDigits);

} // namespace BarcodeText
