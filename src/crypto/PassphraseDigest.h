#pragma once

#include <QByteArray>

#include <array>
#include <cstdint>

// The digest that turns a password into a cipher key. It stirs the input into
// a pool of π bytes and a small mixing state, then encrypts the pool with a
// block cipher keyed from that state. Saved files written elsewhere depend on
// every bit of it, so it is fixed and has no parameters beyond the length.
namespace PassphraseDigest {

constexpr int PoolSize = 256;

// The first 256 bytes of the fractional part of π in binary, most significant
// bits first: the pool every digest starts from.
const std::array<std::uint8_t, PoolSize>& initialPool();

// The first `length` bytes (0 to PoolSize) of the digest of `input`. A key of
// 128 bits takes the default 16.
[[nodiscard]] QByteArray digest(const QByteArray& input, int length = 16);

} // namespace PassphraseDigest
