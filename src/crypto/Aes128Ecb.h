#pragma once

#include <QByteArray>

// AES-128 in electronic codebook mode: every 16-byte block is enciphered on
// its own under the same key, with no padding. Failures of the underlying
// library, a key that is not 16 bytes or data that is not whole blocks raise
// Failure; the details go to the warning log.
namespace Aes128Ecb {

constexpr int KeySize = 16;
constexpr int BlockSize = 16;

// `blocks` holds zero or more whole blocks; the result has the same length.
[[nodiscard]] QByteArray encrypt(const QByteArray& key, const QByteArray& blocks);
[[nodiscard]] QByteArray decrypt(const QByteArray& key, const QByteArray& blocks);

} // namespace Aes128Ecb
