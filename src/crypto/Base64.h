#pragma once

#include <QByteArray>
#include <QString>

// Base64 with the RFC 4648 alphabet, "=" padding and no line breaks: the form
// the saved-form file holds its ciphertext in.
namespace Base64 {

[[nodiscard]] QString encode(const QByteArray& bytes);

// Decodes four characters at a time. Throws Failure("Invalid Base64 Character")
// for a character outside '+' (43) to 'z' (122), for a text whose length is
// not a multiple of four, for "=" in the first two places of a group and for
// "=" in any group but the last. A "=" in the third place ends the group after
// one byte, whatever follows it; in the fourth place after two bytes.
// Characters inside the range that are not in the alphabet (such as '-', ':'
// or '@') are not refused: the file format reads them as zero bits, and every
// reader of a saved form must get the same bytes from it.
[[nodiscard]] QByteArray decode(const QString& text);

} // namespace Base64
