#include "Base64.h"

#include "model/Failure.h"

#include <array>

namespace Base64 {

namespace {

constexpr char16_t FirstAccepted = u'+';
constexpr char16_t LastAccepted = u'z';
constexpr char16_t Pad = u'=';

// Six-bit values of '+' to 'z'; everything in the range that is not in the
// alphabet stays 0.
constexpr std::array<quint8, LastAccepted - FirstAccepted + 1> makeValues()
{
    std::array<quint8, LastAccepted - FirstAccepted + 1> values{};
    constexpr char alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    for (int i = 0; i < 64; ++i)
        values[alphabet[i] - FirstAccepted] = quint8(i);
    return values;
}

constexpr std::array<quint8, LastAccepted - FirstAccepted + 1> s_values = makeValues();

[[noreturn]] void failInvalid()
{
    throw Failure(QStringLiteral("Invalid Base64 Character"));
}

quint32 valueOf(QChar character)
{
    const char16_t code = character.unicode();
    if (code < FirstAccepted || code > LastAccepted)
        failInvalid();
    return s_values[code - FirstAccepted];
}

} // namespace

QString encode(const QByteArray& bytes)
{
    return QString::fromLatin1(bytes.toBase64(QByteArray::Base64Encoding));
}

QByteArray decode(const QString& text)
{
    if (text.size() % 4 != 0)
        failInvalid();

    QByteArray bytes;
    bytes.reserve(text.size() / 4 * 3);
    for (qsizetype start = 0; start < text.size(); start += 4) {
        const QChar* group = text.constData() + start;
        const bool lastGroup = start + 4 == text.size();
        // Every character is range-checked, a padded one included.
        const quint32 bits = valueOf(group[0]) << 18 | valueOf(group[1]) << 12 | valueOf(group[2]) << 6
            | valueOf(group[3]);
        if (group[0] == Pad || group[1] == Pad)
            failInvalid();
        if (group[2] == Pad || group[3] == Pad) {
            // A padded group anywhere but at the end would splice a short group
            // into the middle of the data.
            if (!lastGroup)
                failInvalid();
            bytes.append(char(bits >> 16));
            if (group[2] != Pad)
                bytes.append(char(bits >> 8));
            break;
        }
        bytes.append(char(bits >> 16));
        bytes.append(char(bits >> 8));
        bytes.append(char(bits));
    }
    return bytes;
}

} // namespace Base64
