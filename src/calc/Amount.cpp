#include "Amount.h"

#include "model/Failure.h"

#include <array>
#include <charconv>
#include <cmath>

namespace {

// Room for the longest fixed-point text of a long double.
using FormatBuffer = std::array<char, 5200>;

std::string fixedText(long double value, int fractionDigits)
{
    FormatBuffer buffer;
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::fixed, fractionDigits);
    if (result.ec != std::errc())
        return std::string();
    return std::string(buffer.data(), result.ptr);
}

void dropTrailingZeros(std::string& text)
{
    const auto point = text.find('.');
    if (point == std::string::npos)
        return;
    auto end = text.find_last_not_of('0');
    if (end == point)
        --end;
    text.erase(end + 1);
}

// Integer digits of a plain "-123.45" text, the sign not counted.
int integerDigits(const std::string& text)
{
    const auto start = (!text.empty() && text.front() == '-') ? 1 : 0;
    const auto point = text.find('.');
    return int((point == std::string::npos ? text.size() : point) - start);
}

// Turns a plain "-1234.5" into the regional "-1 234,5".
QString regional(const std::string& plain, const QLocale& locale)
{
    const bool negative = !plain.empty() && plain.front() == '-';
    const std::string digits = negative ? plain.substr(1) : plain;
    if (digits.find_first_not_of("0.") == std::string::npos)
        return QStringLiteral("0"); // no "-0"
    const auto point = digits.find('.');
    const std::string integer = digits.substr(0, point);

    QString result;
    if (negative)
        result += u'-';
    const QChar group = Amount::groupSeparator(locale);
    for (size_t i = 0; i < integer.size(); ++i) {
        if (i > 0 && (integer.size() - i) % 3 == 0)
            result += group;
        result += QLatin1Char(integer[i]);
    }
    if (point != std::string::npos) {
        result += Amount::decimalSeparator(locale);
        result += QLatin1String(digits.c_str() + point + 1);
    }
    return result;
}

bool isBlankSeparator(QChar ch)
{
    return ch == u' ' || ch == QChar(0x00A0) || ch == QChar(0x202F);
}

QString withoutGroupSeparators(const QString& text, const QLocale& locale)
{
    const QChar group = Amount::groupSeparator(locale);
    // Regional settings differ in which blank they group with; a text saved
    // under one blank must read under another.
    const bool blankGroups = isBlankSeparator(group);
    QString result;
    result.reserve(text.size());
    for (QChar ch : text) {
        if (ch == group || (blankGroups && isBlankSeparator(ch)))
            continue;
        result += ch;
    }
    return result;
}

// Accepts [sign] digits [separator digits] [E [sign] digits] and nothing else,
// then converts it without regard to the C library's locale.
bool parseNumber(const QString& text, QChar decimal, long double* value)
{
    std::string plain;
    plain.reserve(size_t(text.size()));
    int i = 0;
    const int n = int(text.size());
    if (i < n && (text[i] == u'-' || text[i] == u'+')) {
        if (text[i] == u'-')
            plain += '-';
        ++i;
    }
    int mantissaDigits = 0;
    while (i < n && text[i].isDigit() && text[i].unicode() < 128) {
        plain += char(text[i].unicode());
        ++i;
        ++mantissaDigits;
    }
    if (i < n && text[i] == decimal) {
        plain += '.';
        ++i;
        while (i < n && text[i].unicode() < 128 && text[i].isDigit()) {
            plain += char(text[i].unicode());
            ++i;
            ++mantissaDigits;
        }
    }
    if (mantissaDigits == 0)
        return false;
    if (i < n && (text[i] == u'E' || text[i] == u'e')) {
        plain += 'e';
        ++i;
        if (i < n && (text[i] == u'-' || text[i] == u'+')) {
            plain += char(text[i].unicode());
            ++i;
        }
        int exponentDigits = 0;
        while (i < n && text[i].unicode() < 128 && text[i].isDigit()) {
            plain += char(text[i].unicode());
            ++i;
            ++exponentDigits;
        }
        if (exponentDigits == 0)
            return false;
    }
    if (i != n)
        return false;

    long double result = 0;
    const char* first = plain.data();
    const char* last = plain.data() + plain.size();
    const auto parsed = std::from_chars(first, last, result, std::chars_format::general);
    if (parsed.ec != std::errc() || parsed.ptr != last || !std::isfinite(result))
        return false;
    *value = result;
    return true;
}

} // namespace

namespace Amount {

QChar groupSeparator(const QLocale& locale)
{
    const QString separator = locale.groupSeparator();
    return separator.isEmpty() ? QChar(u' ') : separator.front();
}

QChar decimalSeparator(const QLocale& locale)
{
    const QString separator = locale.decimalPoint();
    return separator.isEmpty() ? QChar(u'.') : separator.front();
}

QString displayText(long double value, const QLocale& locale)
{
    if (!std::isfinite(value))
        return std::isnan(value) ? QStringLiteral("NAN") : (value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF"));
    std::string plain = fixedText(value, 14);
    dropTrailingZeros(plain);
    if (plain.find('.') != std::string::npos) {
        // Never more than 15 significant digits: the fraction gets what the
        // integer part leaves.
        const int fractionDigits = std::max(0, 15 - integerDigits(plain));
        plain = fixedText(value, fractionDigits);
        dropTrailingZeros(plain);
    }
    return regional(plain, locale);
}

bool tryRead(const QString& text, const QLocale& locale, long double* value)
{
    const QString plain = withoutGroupSeparators(text, locale).trimmed();
    if (plain.isEmpty() || plain == u"-") {
        *value = 0;
        return true;
    }
    return parseNumber(plain, decimalSeparator(locale), value);
}

long double read(const QString& text, const QLocale& locale)
{
    long double value = 0;
    if (!tryRead(text, locale, &value)) {
        throw Failure(QStringLiteral("'%1' is not a valid floating point value")
                          .arg(withoutGroupSeparators(text, locale)));
    }
    return value;
}

long double roundWhole(long double value)
{
    // The default rounding mode sends halves to the even neighbour.
    return std::nearbyint(value);
}

long double roundHundred(long double value)
{
    if (value <= 0)
        return 0;
    if (value <= 100)
        return value >= 50 ? 100 : 0;
    // k.5 hundreds is exact in binary, so the halfway case really is halfway.
    return std::nearbyint(value / 100) * 100;
}

QString printedText(long double value, const QLocale& locale)
{
    if (!std::isfinite(value))
        return displayText(value, locale);
    return regional(fixedText(std::round(value), 0), locale);
}

} // namespace Amount
