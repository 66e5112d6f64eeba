#include "BarcodeText.h"

#include "ReportTemplate.h"
#include "model/FormModel.h"
#include "model/Windows1250.h"

#include <QCryptographicHash>
#include <QSysInfo>
#include <QtEndian>

#include <array>

#if defined(__x86_64__) || defined(__i386__)
#include <cpuid.h>
#define EZP_HAVE_CPUID 1
#endif

namespace {

using Registers = std::array<quint32, 4>; // ECX, EBX, EDX, EAX

bool identifyProcessor(Registers* registers)
{
#ifdef EZP_HAVE_CPUID
    unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
    if (__get_cpuid(1, &eax, &ebx, &ecx, &edx) == 0)
        return false;
    *registers = {ecx, ebx, edx, eax};
    return true;
#else
    Q_UNUSED(registers);
    return false;
#endif
}

// Four words that stay the same on one machine, for processors without the
// identification instruction.
Registers machineWords()
{
    QByteArray id = QSysInfo::machineUniqueId();
    if (id.isEmpty())
        id = QSysInfo::machineHostName().toUtf8();
    const QByteArray digest = QCryptographicHash::hash(id, QCryptographicHash::Md5);
    Registers words{};
    for (int i = 0; i < 4; ++i)
        words[i] = qFromBigEndian<quint32>(digest.constData() + 4 * i);
    return words;
}

} // namespace

namespace BarcodeText {

QString processorDigits()
{
    Registers registers{};
    if (!identifyProcessor(&registers))
        registers = machineWords();
    QString digits;
    for (quint32 word : registers)
        digits += QString::number(word);
    return digits;
}

quint32 nameChecksum(const QString& name)
{
    const QByteArray codes = Windows1250::encode(name);
    if (codes.isEmpty())
        return 0;
    quint32 sum = quint8(codes.front()); // the first character counts twice
    for (char code : codes)
        sum += quint8(code);
    return sum;
}

QString fragment(const QString& p1, const QString& p2, const QString& p3)
{
    const qsizetype start = std::max<qsizetype>(p2.size() - 5, 1);
    return p3.mid(start - 1, p1.size());
}

QString form(const QString& name, const DigitSource& digits)
{
    // Three computations, in this order, as the fragment rule names them.
    const QString p1 = digits();
    const QString p2 = digits();
    const QString p3 = digits();
    return fragment(p1, p2, p3) + QString::number(nameChecksum(name), 16).toUpper();
}

void formBarcodeText(FormModel& model, ReportTemplate& report, const DigitSource& digits)
{
    const QString name = model.text(u"Edit1");
    if (name.isEmpty())
        return;
    const QString text = form(name, digits);
    model.setBarcodeText(text);
    if (ReportObject* barcode = report.findObject(u"BarCode1"))
        barcode->text = text;
}

} // namespace BarcodeText
