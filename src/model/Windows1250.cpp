#include "Windows1250.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace Windows1250 {

QByteArray encode(const QString& text)
{
    QStringEncoder encoder("windows-1250");
    Q_ASSERT(encoder.isValid());
    QByteArray bytes = encoder.encode(text);
    return bytes;
}

QString decode(const QByteArray& bytes)
{
    QStringDecoder decoder("windows-1250");
    Q_ASSERT(decoder.isValid());
    QString text = decoder.decode(bytes);
    return text;
}

bool canEncode(const QString& text)
{
    // Encoding is lossy; a character survives only if it comes back unchanged.
    return decode(encode(text)) == text;
}

} // namespace Windows1250
