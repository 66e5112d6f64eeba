#pragma once

#include <QByteArray>
#include <QString>

// The program's texts are 8-bit Windows-1250 wherever bytes are hashed,
// encrypted or written. A character the code page cannot hold becomes the
// substitute byte 0x1A, the same way every time, so a password maps to the
// same key on save and load.
namespace Windows1250 {

QByteArray encode(const QString& text);
QString decode(const QByteArray& bytes);
// True when every character of text has a Windows-1250 byte.
bool canEncode(const QString& text);

} // namespace Windows1250
