#include "crypto/PassphraseDigest.h"

#include <QTest>

#include <cmath>
#include <cstdint>

namespace {

// 16^exponent mod modulus, exactly.
std::uint64_t powerOf16Mod(std::uint64_t exponent, std::uint64_t modulus)
{
    std::uint64_t result = 1 % modulus;
    std::uint64_t base = 16 % modulus;
    for (; exponent > 0; exponent >>= 1) {
        if (exponent & 1)
            result = result * base % modulus;
        base = base * base % modulus;
    }
    return result;
}

// Fractional part of sum over k of 16^(position-k) / (8k + offset).
double bbpSeries(int offset, int position)
{
    double sum = 0.0;
    for (int k = 0; k < position; ++k) {
        const std::uint64_t denominator = 8 * std::uint64_t(k) + offset;
        sum += double(powerOf16Mod(position - k, denominator)) / double(denominator);
        sum -= std::floor(sum);
    }
    for (int k = position; k < position + 20; ++k)
        sum += std::pow(16.0, position - k) / double(8 * k + offset);
    return sum - std::floor(sum);
}

// Hexadecimal digit `position` (0 = first after the point) of π by the
// Bailey-Borwein-Plouffe digit extraction: a route to the pool that shares
// nothing with how the table in the code was made.
int piHexDigit(int position)
{
    double fraction = 4 * bbpSeries(1, position) - 2 * bbpSeries(4, position) - bbpSeries(5, position)
        - bbpSeries(6, position);
    fraction -= std::floor(fraction);
    return int(16 * fraction);
}

QByteArray poolBytes()
{
    const auto& pool = PassphraseDigest::initialPool();
    return QByteArray(reinterpret_cast<const char*>(pool.data()), qsizetype(pool.size()));
}

} // namespace

class TestPassphraseDigest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void poolIsFractionOfPi();
    void knownDigest_data();
    void knownDigest();
    void differentInputsGiveDifferentDigests_data();
    void differentInputsGiveDifferentDigests();
    void lengthTakesPrefixOfPool_data();
    void lengthTakesPrefixOfPool();
    void everyPoolBlockIsEncrypted();
    void equalPoolBlocksEncryptAlike_data();
    void equalPoolBlocksEncryptAlike();
};

void TestPassphraseDigest::poolIsFractionOfPi()
{
    const QByteArray pool = poolBytes();
    QCOMPARE(pool.size(), 256);
    // π = 3.243F6A8885A308D313198A2E0370734 4...: the familiar opening digits.
    QCOMPARE(pool.left(16).toHex(), QByteArray("243f6a8885a308d313198a2e03707344"));
    QCOMPARE(pool.right(4).toHex(), QByteArray("7c72e993"));

    for (int i = 0; i < pool.size(); ++i) {
        const int expected = piHexDigit(2 * i) << 4 | piHexDigit(2 * i + 1);
        QVERIFY2(quint8(pool.at(i)) == expected, qPrintable(QStringLiteral("pool byte %1").arg(i)));
    }
}

void TestPassphraseDigest::knownDigest_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QByteArray>("expectedHex");

    // Both keys were worked out separately from the written description of
    // the digest, not with this code.
    QTest::newRow("jelszó in Windows-1250") << QByteArray::fromHex("6a656c737af3")
                                             << QByteArray("622d55ed19c74ed34e84111c9289af76");
    QTest::newRow("empty password: only the padding block") << QByteArray()
                                                             << QByteArray("0bd132aa831c56ac1f92e61084a342d2");
}

void TestPassphraseDigest::knownDigest()
{
    QFETCH(QByteArray, input);
    QFETCH(QByteArray, expectedHex);

    QCOMPARE(PassphraseDigest::digest(input).toHex(), expectedHex);
}

void TestPassphraseDigest::differentInputsGiveDifferentDigests_data()
{
    QTest::addColumn<QByteArray>("first");
    QTest::addColumn<QByteArray>("second");

    QByteArray longInput(300, 'a');
    QByteArray longInputChangedPastWrap = longInput;
    // Byte 280 lands in pool byte 24, outside the key's block: only the mixing
    // state carries it into the key.
    longInputChangedPastWrap[280] = 'b';

    QTest::newRow("7 bytes with one padding byte vs the same + 01 with a full padding block")
        << QByteArray("abcdefg") << QByteArray("abcdefg\x01");
    QTest::newRow("empty vs the padding block itself") << QByteArray()
                                                        << QByteArray::fromHex("0100000000000000");
    QTest::newRow("trailing zero byte") << QByteArray("abc") << QByteArray("abc", 4);
    QTest::newRow("letter case") << QByteArray::fromHex("6a656c737af3") << QByteArray::fromHex("4a656c737af3");
    QTest::newRow("trailing space") << QByteArray("jelsz\xf3") << QByteArray("jelsz\xf3 ");
    QTest::newRow("two bytes swapped within a group of eight") << QByteArray("abcdefgh") << QByteArray("bacdefgh");
    QTest::newRow("difference after the pool position wraps") << longInput << longInputChangedPastWrap;
}

void TestPassphraseDigest::differentInputsGiveDifferentDigests()
{
    QFETCH(QByteArray, first);
    QFETCH(QByteArray, second);

    QVERIFY(PassphraseDigest::digest(first) != PassphraseDigest::digest(second));
}

void TestPassphraseDigest::lengthTakesPrefixOfPool_data()
{
    QTest::addColumn<int>("length");

    QTest::newRow("nothing") << 0;
    QTest::newRow("one byte") << 1;
    QTest::newRow("a 128-bit key") << 16;
    QTest::newRow("a 256-bit key, two blocks") << 32;
    QTest::newRow("all but the last byte") << 255;
    QTest::newRow("the whole pool") << 256;
}

void TestPassphraseDigest::lengthTakesPrefixOfPool()
{
    QFETCH(int, length);
    const QByteArray input("jelsz\xf3");

    const QByteArray whole = PassphraseDigest::digest(input, 256);
    QCOMPARE(PassphraseDigest::digest(input, length), whole.left(length));
}

void TestPassphraseDigest::everyPoolBlockIsEncrypted()
{
    const QByteArray pool = poolBytes();
    const QByteArray whole = PassphraseDigest::digest(QByteArray("jelsz\xf3"), 256);
    QCOMPARE(whole.size(), 256);
    for (int offset = 0; offset < 256; offset += 16)
        QVERIFY2(whole.mid(offset, 16) != pool.mid(offset, 16), qPrintable(QStringLiteral("block at %1").arg(offset)));
}

void TestPassphraseDigest::equalPoolBlocksEncryptAlike_data()
{
    QTest::addColumn<int>("inputLength");
    QTest::addColumn<int>("fixAt");
    QTest::addColumn<QByteArray>("paddingInBlock1");

    // Where the padding 01 00.. falls in pool bytes 16 to 31, by input length.
    const QByteArray none(16, '\0');
    QTest::newRow("32 bytes: full padding block lands on block 2") << 32 << 0 << none;
    QTest::newRow("23 bytes: the single 01 lands on pool byte 23")
        << 23 << 0 << QByteArray::fromHex("00000000000000010000000000000000");
    QTest::newRow("20 bytes: 01 00 00 00 lands on pool bytes 20 to 23")
        << 20 << 0 << QByteArray::fromHex("00000000010000000000000000000000");
    QTest::newRow("24 bytes: a full padding block from pool byte 24")
        << 24 << 0 << QByteArray::fromHex("00000000000000000100000000000000");
    QTest::newRow("272 bytes: input wraps onto block 0, padding on pool byte 16")
        << 272 << 256 << QByteArray::fromHex("01000000000000000000000000000000");
}

// Input bytes are folded into the pool by position, then every pool block is
// enciphered alike. An input that makes pool block 0 equal to block 1 after
// padding must give a digest whose first two blocks are equal; this pins where
// input and padding bytes land, the wrap of the pool position included.
void TestPassphraseDigest::equalPoolBlocksEncryptAlike()
{
    QFETCH(int, inputLength);
    QFETCH(int, fixAt);
    QFETCH(QByteArray, paddingInBlock1);

    const QByteArray pool = poolBytes();
    auto inputWithFix = [&](const QByteArray& padding) {
        QByteArray input(inputLength, '\0');
        for (int i = 0; i < 16; ++i)
            input[fixAt + i] = char(pool.at(i) ^ pool.at(16 + i) ^ padding.at(i));
        return input;
    };

    const QByteArray equalBlocks = PassphraseDigest::digest(inputWithFix(paddingInBlock1), 32);
    QCOMPARE(equalBlocks.left(16).toHex(), equalBlocks.mid(16).toHex());

    // Leaving the padding out of the fix must break the equality, or the row
    // would prove nothing about where the padding goes.
    if (paddingInBlock1.count('\0') != paddingInBlock1.size()) {
        const QByteArray unequalBlocks = PassphraseDigest::digest(inputWithFix(QByteArray(16, '\0')), 32);
        QVERIFY(unequalBlocks.left(16) != unequalBlocks.mid(16));
    }
}

QTEST_GUILESS_MAIN(TestPassphraseDigest)
#include "TestPassphraseDigest.moc"
