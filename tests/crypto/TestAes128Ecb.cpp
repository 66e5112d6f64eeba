#include "crypto/Aes128Ecb.h"

#include "FailureText.h"

#include <QRegularExpression>
#include <QTest>

class TestAes128Ecb : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void knownAnswer_data();
    void knownAnswer();
    void noBlocksGiveNothing();
    void rejectsWrongSizes_data();
    void rejectsWrongSizes();
};

void TestAes128Ecb::knownAnswer_data()
{
    QTest::addColumn<QByteArray>("key");
    QTest::addColumn<QByteArray>("plain");
    QTest::addColumn<QByteArray>("cipher");

    QTest::newRow("FIPS-197 appendix C.1")
        << QByteArray::fromHex("000102030405060708090a0b0c0d0e0f")
        << QByteArray::fromHex("00112233445566778899aabbccddeeff")
        << QByteArray::fromHex("69c4e0d86a7b0430d8cdb78070b4c55a");
    QTest::newRow("FIPS-197 appendix B")
        << QByteArray::fromHex("2b7e151628aed2a6abf7158809cf4f3c")
        << QByteArray::fromHex("3243f6a8885a308d313198a2e0370734")
        << QByteArray::fromHex("3925841d02dc09fbdc118597196a0b32");
    // Four blocks in one call, each enciphered on its own.
    QTest::newRow("SP 800-38A F.1.1 ECB-AES128, four blocks")
        << QByteArray::fromHex("2b7e151628aed2a6abf7158809cf4f3c")
        << QByteArray::fromHex("6bc1bee22e409f96e93d7e117393172a"
                               "ae2d8a571e03ac9c9eb76fac45af8e51"
                               "30c81c46a35ce411e5fbc1191a0a52ef"
                               "f69f2445df4f9b17ad2b417be66c3710")
        << QByteArray::fromHex("3ad77bb40d7a3660a89ecaf32466ef97"
                               "f5d3d58503b9699de785895a96fdbaaf"
                               "43b1cd7f598ece23881b00e3ed030688"
                               "7b0c785e27e8ad3f8223207104725dd4");
}

void TestAes128Ecb::knownAnswer()
{
    QFETCH(QByteArray, key);
    QFETCH(QByteArray, plain);
    QFETCH(QByteArray, cipher);

    QCOMPARE(Aes128Ecb::encrypt(key, plain).toHex(), cipher.toHex());
    QCOMPARE(Aes128Ecb::decrypt(key, cipher).toHex(), plain.toHex());
}

void TestAes128Ecb::noBlocksGiveNothing()
{
    const QByteArray key = QByteArray::fromHex("000102030405060708090a0b0c0d0e0f");
    QCOMPARE(Aes128Ecb::encrypt(key, QByteArray()), QByteArray());
    QCOMPARE(Aes128Ecb::decrypt(key, QByteArray()), QByteArray());
}

void TestAes128Ecb::rejectsWrongSizes_data()
{
    QTest::addColumn<QByteArray>("key");
    QTest::addColumn<QByteArray>("data");

    const QByteArray goodKey(16, '\x2b');
    const QByteArray oneBlock(16, '\x00');
    QTest::newRow("key one byte short") << QByteArray(15, '\x2b') << oneBlock;
    QTest::newRow("key of 24 bytes") << QByteArray(24, '\x2b') << oneBlock;
    QTest::newRow("empty key, empty data") << QByteArray() << QByteArray();
    QTest::newRow("data one byte short of a block") << goodKey << QByteArray(15, '\x00');
    QTest::newRow("data one byte past a block") << goodKey << QByteArray(17, '\x00');
}

void TestAes128Ecb::rejectsWrongSizes()
{
    QFETCH(QByteArray, key);
    QFETCH(QByteArray, data);
    const QRegularExpression warning(QStringLiteral("^AES-128-ECB: .* check failed"));

    QTest::ignoreMessage(QtWarningMsg, warning);
    QVERIFY(!failureText([&] { (void)Aes128Ecb::encrypt(key, data); }).isNull());
    QTest::ignoreMessage(QtWarningMsg, warning);
    QVERIFY(!failureText([&] { (void)Aes128Ecb::decrypt(key, data); }).isNull());
}

QTEST_GUILESS_MAIN(TestAes128Ecb)
#include "TestAes128Ecb.moc"
