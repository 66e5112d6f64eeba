#include "Aes128Ecb.h"

#include "model/Failure.h"

#include <QtDebug>

#include <openssl/err.h>
#include <openssl/evp.h>

#include <limits>
#include <memory>

namespace Aes128Ecb {

namespace {

using CipherContext = std::unique_ptr<EVP_CIPHER_CTX, decltype(&EVP_CIPHER_CTX_free)>;

enum class Direction { Decrypt = 0, Encrypt = 1 };

// The user cannot act on library details; they stay in the log.
[[noreturn]] void fail(const char* step, const QString& detail)
{
    qWarning("AES-128-ECB: %s failed: %s", step, qPrintable(detail));
    throw Failure(QStringLiteral("Cipher error"));
}

[[noreturn]] void failFromLibrary(const char* step)
{
    QString detail = QStringLiteral("no error queued");
    if (const unsigned long code = ERR_get_error(); code != 0) {
        char text[256];
        ERR_error_string_n(code, text, sizeof text);
        detail = QString::fromLatin1(text);
    }
    ERR_clear_error();
    fail(step, detail);
}

void checkResult(int result, const char* step)
{
    if (result != 1)
        failFromLibrary(step);
}

void checkInput(const QByteArray& key, const QByteArray& blocks)
{
    if (key.size() != KeySize)
        fail("key check", QStringLiteral("key of %1 bytes, expected %2").arg(key.size()).arg(KeySize));
    if (blocks.size() % BlockSize != 0)
        fail("length check", QStringLiteral("%1 bytes are not whole blocks").arg(blocks.size()));
    if (blocks.size() > std::numeric_limits<int>::max() - BlockSize)
        fail("length check", QStringLiteral("%1 bytes are too many for one call").arg(blocks.size()));
}

QByteArray run(Direction direction, const QByteArray& key, const QByteArray& blocks)
{
    checkInput(key, blocks);
    if (blocks.isEmpty())
        return {};

    CipherContext context(EVP_CIPHER_CTX_new(), &EVP_CIPHER_CTX_free);
    if (!context)
        failFromLibrary("EVP_CIPHER_CTX_new");
    checkResult(EVP_CipherInit_ex(context.get(), EVP_aes_128_ecb(), nullptr,
                                  reinterpret_cast<const unsigned char*>(key.constData()), nullptr,
                                  int(direction)),
                "EVP_CipherInit_ex");
    // The caller lays out its own final block, so the library must add nothing.
    checkResult(EVP_CIPHER_CTX_set_padding(context.get(), 0), "EVP_CIPHER_CTX_set_padding");

    QByteArray out(blocks.size(), Qt::Uninitialized);
    auto* outBytes = reinterpret_cast<unsigned char*>(out.data());
    int written = 0;
    checkResult(EVP_CipherUpdate(context.get(), outBytes, &written,
                                 reinterpret_cast<const unsigned char*>(blocks.constData()), int(blocks.size())),
                "EVP_CipherUpdate");
    int finalWritten = 0;
    checkResult(EVP_CipherFinal_ex(context.get(), outBytes + written, &finalWritten), "EVP_CipherFinal_ex");
    if (qsizetype(written) + finalWritten != blocks.size())
        fail("length check", QStringLiteral("%1 bytes out for %2 in").arg(written + finalWritten).arg(blocks.size()));
    return out;
}

} // namespace

QByteArray encrypt(const QByteArray& key, const QByteArray& blocks)
{
    return run(Direction::Encrypt, key, blocks);
}

QByteArray decrypt(const QByteArray& key, const QByteArray& blocks)
{
    return run(Direction::Decrypt, key, blocks);
}

} // namespace Aes128Ecb
