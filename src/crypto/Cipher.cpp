#include "Cipher.h"

#include "Aes128Ecb.h"
#include "Base64.h"
#include "PassphraseDigest.h"

#include "model/Failure.h"

#include <algorithm>

static_assert(Cipher::KeySize == Aes128Ecb::KeySize);

namespace {

constexpr int BlockSize = Aes128Ecb::BlockSize;
constexpr int CountIndex = BlockSize - 1;

} // namespace

void Cipher::keyFromPassword(const QByteArray& passwordBytes)
{
    const QByteArray digest = PassphraseDigest::digest(passwordBytes, KeySize);
    std::copy(digest.cbegin(), digest.cend(), m_keyStore.begin());
}

QByteArray Cipher::key() const
{
    return QByteArray(m_keyStore.data(), KeySize);
}

QString Cipher::textEncrypt(const QByteArray& plain) const
{
    const qsizetype wholeLength = plain.size() / BlockSize * BlockSize;
    const qsizetype rest = plain.size() - wholeLength;

    // Always present, so even a plaintext of whole blocks says where it ends.
    QByteArray finalBlock(BlockSize, '\0');
    std::copy(plain.cbegin() + wholeLength, plain.cend(), finalBlock.begin());
    finalBlock[CountIndex] = char(rest);

    return Base64::encode(Aes128Ecb::encrypt(key(), plain.left(wholeLength) + finalBlock));
}

QByteArray Cipher::textDecrypt(const QString& base64) const
{
    const QByteArray cipherText = Base64::decode(base64);
    if (cipherText.size() < BlockSize)
        throw Failure(QStringLiteral("Invalid file format"));

    QByteArray plain = Aes128Ecb::decrypt(key(), cipherText.left(cipherText.size() / BlockSize * BlockSize));
    const int count = quint8(plain.at(plain.size() - 1));
    if (count > CountIndex)
        return {};
    plain.chop(BlockSize - count);
    return plain;
}
