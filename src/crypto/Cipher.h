#pragma once

#include <QByteArray>
#include <QString>

#include <array>

// The cipher of the saved-form file: a key made from a password by the
// passphrase digest, AES-128 block by block, a final block that carries the
// count of its plain bytes, and Base64 text. Used from the GUI thread only.
class Cipher
{
public:
    static constexpr int KeySize = 16;
    // Room for the largest key the format knows; only KeySize bytes are used.
    static constexpr int KeyStoreSize = 32;

    // passwordBytes: the password already in Windows-1250, no terminator. Any
    // password, the empty one included, gives a key; it stays until the next
    // call.
    void keyFromPassword(const QByteArray& passwordBytes);

    // Whole blocks of `plain`, then a final block of the remaining n mod 16
    // bytes, zeros and the count n mod 16 in its last byte, as Base64.
    [[nodiscard]] QString textEncrypt(const QByteArray& plain) const;

    // Throws Failure("Invalid Base64 Character") for text Base64::decode
    // refuses, and Failure("Invalid file format") when fewer than 16 bytes
    // decode. Bytes after the last whole block are ignored. A wrong key is not
    // detected: it yields unrelated bytes. When the final block's count is
    // above 15, which only a wrong key or a damaged file produces, the result
    // is empty rather than reaching past the block, so the caller's check of
    // the first line fails as for any wrong password.
    [[nodiscard]] QByteArray textDecrypt(const QString& base64) const;

    // The KeySize bytes in use.
    [[nodiscard]] QByteArray key() const;

private:
    std::array<char, KeyStoreSize> m_keyStore{};
};
