#include "PassphraseDigest.h"

#include <QtGlobal>

#include <algorithm>

namespace PassphraseDigest {

namespace {

using Word = std::uint32_t;

// Generated once with Machin's formula in exact integer arithmetic.
constexpr std::array<std::uint8_t, PoolSize> s_piPool = {
    0x24, 0x3F, 0x6A, 0x88, 0x85, 0xA3, 0x08, 0xD3, 0x13, 0x19, 0x8A, 0x2E, 0x03, 0x70, 0x73, 0x44,
    0xA4, 0x09, 0x38, 0x22, 0x29, 0x9F, 0x31, 0xD0, 0x08, 0x2E, 0xFA, 0x98, 0xEC, 0x4E, 0x6C, 0x89,
    0x45, 0x28, 0x21, 0xE6, 0x38, 0xD0, 0x13, 0x77, 0xBE, 0x54, 0x66, 0xCF, 0x34, 0xE9, 0x0C, 0x6C,
    0xC0, 0xAC, 0x29, 0xB7, 0xC9, 0x7C, 0x50, 0xDD, 0x3F, 0x84, 0xD5, 0xB5, 0xB5, 0x47, 0x09, 0x17,
    0x92, 0x16, 0xD5, 0xD9, 0x89, 0x79, 0xFB, 0x1B, 0xD1, 0x31, 0x0B, 0xA6, 0x98, 0xDF, 0xB5, 0xAC,
    0x2F, 0xFD, 0x72, 0xDB, 0xD0, 0x1A, 0xDF, 0xB7, 0xB8, 0xE1, 0xAF, 0xED, 0x6A, 0x26, 0x7E, 0x96,
    0xBA, 0x7C, 0x90, 0x45, 0xF1, 0x2C, 0x7F, 0x99, 0x24, 0xA1, 0x99, 0x47, 0xB3, 0x91, 0x6C, 0xF7,
    0x08, 0x01, 0xF2, 0xE2, 0x85, 0x8E, 0xFC, 0x16, 0x63, 0x69, 0x20, 0xD8, 0x71, 0x57, 0x4E, 0x69,
    0xA4, 0x58, 0xFE, 0xA3, 0xF4, 0x93, 0x3D, 0x7E, 0x0D, 0x95, 0x74, 0x8F, 0x72, 0x8E, 0xB6, 0x58,
    0x71, 0x8B, 0xCD, 0x58, 0x82, 0x15, 0x4A, 0xEE, 0x7B, 0x54, 0xA4, 0x1D, 0xC2, 0x5A, 0x59, 0xB5,
    0x9C, 0x30, 0xD5, 0x39, 0x2A, 0xF2, 0x60, 0x13, 0xC5, 0xD1, 0xB0, 0x23, 0x28, 0x60, 0x85, 0xF0,
    0xCA, 0x41, 0x79, 0x18, 0xB8, 0xDB, 0x38, 0xEF, 0x8E, 0x79, 0xDC, 0xB0, 0x60, 0x3A, 0x18, 0x0E,
    0x6C, 0x9E, 0x0E, 0x8B, 0xB0, 0x1E, 0x8A, 0x3E, 0xD7, 0x15, 0x77, 0xC1, 0xBD, 0x31, 0x4B, 0x27,
    0x78, 0xAF, 0x2F, 0xDA, 0x55, 0x60, 0x5C, 0x60, 0xE6, 0x55, 0x25, 0xF3, 0xAA, 0x55, 0xAB, 0x94,
    0x57, 0x48, 0x98, 0x62, 0x63, 0xE8, 0x14, 0x40, 0x55, 0xCA, 0x39, 0x6A, 0x2A, 0xAB, 0x10, 0xB6,
    0xB4, 0xCC, 0x5C, 0x34, 0x11, 0x41, 0xE8, 0xCE, 0xA1, 0x54, 0x86, 0xAF, 0x7C, 0x72, 0xE9, 0x93,
};

constexpr int BlockSize = 16;
constexpr int Rounds = 8;
constexpr int InputBytes = 8; // only the first half of the mixing state takes input
constexpr std::array<Word, 4> s_roundKeyConstants = {0x55555555u, 0xAAAAAAAAu, 0x33333333u, 0xCCCCCCCCu};

Word loadWord(const std::uint8_t* bytes)
{
    return Word(bytes[0]) | Word(bytes[1]) << 8 | Word(bytes[2]) << 16 | Word(bytes[3]) << 24;
}

void storeWord(std::uint8_t* bytes, Word word)
{
    bytes[0] = std::uint8_t(word);
    bytes[1] = std::uint8_t(word >> 8);
    bytes[2] = std::uint8_t(word >> 16);
    bytes[3] = std::uint8_t(word >> 24);
}

// One line per row of three steps.
void mixFour(Word& a, Word& b, Word& c, Word& d)
{
    d += a; a += d; d ^= d >> 7;
    c += d; d += c; c ^= c << 13;
    b += c; c += b; b ^= b >> 17;
    a += b; b += a; a ^= a << 9;
    d += a; a += d; d ^= d >> 3;
    c += d; d += c; c ^= c << 7;
    // Shifting a, not b, here is part of the key format: saved files depend on it.
    b += c; c += b; b ^= a >> 15;
    a += b; b += a; a ^= a << 11;
}

void mixEight(Word& a, Word& b, Word& c, Word& d, Word& e, Word& f, Word& g, Word& h)
{
    a ^= b << 11; d += a; b += c;
    b ^= c >> 2;  e += b; c += d;
    c ^= d << 8;  f += c; d += e;
    d ^= e >> 16; g += d; e += f;
    e ^= f << 10; h += e; f += g;
    f ^= g >> 4;  a += f; g += h;
    g ^= h << 8;  b += g; h += a;
    h ^= a >> 9;  c += h; a += b;
}

class State
{
public:
    void absorb(std::uint8_t byte)
    {
        m_pool[m_poolPos] ^= byte;
        m_poolPos = (m_poolPos + 1) % PoolSize;
        m_mix[m_mixPos] ^= byte;
        if (++m_mixPos == InputBytes) {
            stir();
            m_mixPos = 0;
        }
    }

    // Padding 01 00 .. up to the next multiple of eight, always at least one
    // byte, so every input ends with a stir and no input is the padded form
    // of another.
    void finish()
    {
        const int padding = InputBytes - m_mixPos;
        absorb(0x01);
        for (int i = 1; i < padding; ++i)
            absorb(0x00);
    }

    void encryptPool()
    {
        const std::array<Word, 2 * Rounds> roundWords = makeRoundWords();
        for (int offset = 0; offset < PoolSize; offset += BlockSize)
            encryptBlock(m_pool.data() + offset, roundWords);
    }

    const std::array<std::uint8_t, PoolSize>& pool() const { return m_pool; }

private:
    void stir()
    {
        Word a = loadWord(&m_mix[0]);
        Word b = loadWord(&m_mix[4]);
        Word c = loadWord(&m_mix[8]);
        Word d = loadWord(&m_mix[12]);
        for (int i = 0; i < 4; ++i)
            mixFour(a, b, c, d);
        storeWord(&m_mix[0], d);
        storeWord(&m_mix[4], c);
        storeWord(&m_mix[8], b);
        storeWord(&m_mix[12], a);
    }

    // Each constant yields eight words; the cipher needs only the first sixteen.
    std::array<Word, 2 * Rounds> makeRoundWords() const
    {
        std::array<Word, 8 * s_roundKeyConstants.size()> all{};
        auto out = all.begin();
        for (const Word t : s_roundKeyConstants) {
            Word w[8] = {loadWord(&m_mix[0]), t, loadWord(&m_mix[4]),  t,
                         loadWord(&m_mix[8]), t, loadWord(&m_mix[12]), t};
            for (int i = 0; i < 8; ++i)
                mixEight(w[0], w[1], w[2], w[3], w[4], w[5], w[6], w[7]);
            out = std::copy(std::begin(w), std::end(w), out);
        }
        std::array<Word, 2 * Rounds> used{};
        std::copy_n(all.begin(), used.size(), used.begin());
        return used;
    }

    static void encryptBlock(std::uint8_t* block, const std::array<Word, 2 * Rounds>& roundWords)
    {
        Word l0 = loadWord(block);
        Word l1 = loadWord(block + 4);
        Word r0 = loadWord(block + 8);
        Word r1 = loadWord(block + 12);
        for (int r = 0; r < Rounds; ++r) {
            Word a = roundWords[2 * r + 1];
            Word b = l1;
            Word c = roundWords[2 * r];
            Word d = l0;
            mixFour(a, b, c, d);
            std::swap(a, c);
            std::swap(b, d);
            mixFour(a, b, c, d);
            const Word newL0 = c ^ d ^ r0;
            const Word newL1 = a ^ b ^ r1;
            r0 = l0;
            r1 = l1;
            l0 = newL0;
            l1 = newL1;
        }
        storeWord(block, r0);
        storeWord(block + 4, r1);
        storeWord(block + 8, l0);
        storeWord(block + 12, l1);
    }

    std::array<std::uint8_t, PoolSize> m_pool = s_piPool;
    int m_poolPos = 0;
    std::array<std::uint8_t, 16> m_mix = filledMix();
    int m_mixPos = 0;

    static std::array<std::uint8_t, 16> filledMix()
    {
        std::array<std::uint8_t, 16> mix{};
        mix.fill(0x55);
        return mix;
    }
};

} // namespace

const std::array<std::uint8_t, PoolSize>& initialPool()
{
    return s_piPool;
}

QByteArray digest(const QByteArray& input, int length)
{
    Q_ASSERT(length >= 0 && length <= PoolSize);
    State state;
    for (const char byte : input)
        state.absorb(std::uint8_t(byte));
    state.finish();
    state.encryptPool();
    const std::array<std::uint8_t, PoolSize>& pool = state.pool();
    return QByteArray(reinterpret_cast<const char*>(pool.data()), std::clamp(length, 0, PoolSize));
}

} // namespace PassphraseDigest
