#include "crypto/Aes128Ecb.h"
#include "crypto/Cipher.h"

#include "FailureText.h"

#include <QRegularExpression>
#include <QTest>

namespace {

// "jelszó" and "Jelszó" in Windows-1250.
const QByteArray s_password = QByteArray::fromHex("6a656c737af3");
const QByteArray s_passwordOtherCase = QByteArray::fromHex("4a656c737af3");
// Worked out separately from the written description of the key digest.
const QByteArray s_passwordKey = QByteArray::fromHex("622d55ed19c74ed34e84111c9289af76");
const QByteArray s_emptyPasswordKey = QByteArray::fromHex("0bd132aa831c56ac1f92e61084a342d2");

const QByteArray s_letters("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789abcdefghij");

Cipher cipherFor(const QByteArray& password)
{
    Cipher cipher;
    cipher.keyFromPassword(password);
    return cipher;
}

// Ciphertext laid out by hand, so decryption is tested without textEncrypt.
QString encryptedText(const QByteArray& key, const QByteArray& blocks, const QByteArray& trailing = {})
{
    return QString::fromLatin1((Aes128Ecb::encrypt(key, blocks) + trailing).toBase64());
}

} // namespace

class TestCipher : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void keyFollowsLastPassword();
    void letterCaseChangesKey();
    void knownCipherText_data();
    void knownCipherText();
    void blockLayout_data();
    void blockLayout();
    void decryptHandMadeText_data();
    void decryptHandMadeText();
    void decryptFailures_data();
    void decryptFailures();
    void roundTrip_data();
    void roundTrip();
    void wrongKeyDoesNotDecrypt();
};

void TestCipher::keyFollowsLastPassword()
{
    Cipher cipher;
    cipher.keyFromPassword(s_password);
    QCOMPARE(cipher.key().toHex(), s_passwordKey.toHex());
    cipher.keyFromPassword(QByteArray());
    QCOMPARE(cipher.key().toHex(), s_emptyPasswordKey.toHex());
}

void TestCipher::letterCaseChangesKey()
{
    QVERIFY(cipherFor(s_password).key() != cipherFor(s_passwordOtherCase).key());
}

void TestCipher::knownCipherText_data()
{
    QTest::addColumn<QByteArray>("password");
    QTest::addColumn<QByteArray>("plain");
    QTest::addColumn<QString>("text");

    // Expected texts from the OpenSSL command line tool, independent of this
    // code: `openssl enc -aes-128-ecb -nopad -K <key> | base64` over the
    // blocks laid out by hand.
    // 16 bytes whole, then "XYZ", twelve zeros and the count 03.
    QTest::newRow("jelszó, one whole block and three bytes")
        << s_password << QByteArray("0123456789abcdefXYZ")
        << QStringLiteral("cE/yfgcirQMmfDlIE0Z7sjU4d7PTADv9CtrT24u+HoI=");
    // A single block of sixteen zeros.
    QTest::newRow("empty password, empty plaintext")
        << QByteArray() << QByteArray() << QStringLiteral("oXX7rK/6T6mAOfhZFfug2g==");
}

void TestCipher::knownCipherText()
{
    QFETCH(QByteArray, password);
    QFETCH(QByteArray, plain);
    QFETCH(QString, text);

    const Cipher cipher = cipherFor(password);
    QCOMPARE(cipher.textEncrypt(plain), text);
    QCOMPARE(cipher.textDecrypt(text), plain);
}

void TestCipher::blockLayout_data()
{
    QTest::addColumn<int>("plainLength");
    QTest::addColumn<QByteArray>("blocks");
    QTest::addColumn<int>("textLength");
    QTest::addColumn<int>("padCharacters");

    // Text lengths: 4 * ceil(C / 3) for C ciphertext bytes.
    QTest::newRow("empty: one block of zeros, count 0, 24 characters")
        << 0 << QByteArray::fromHex("00000000000000000000000000000000") << 24 << 2;
    QTest::newRow("15 bytes: one block, count 15")
        << 15 << QByteArray("ABCDEFGHIJKLMNO\x0f") << 24 << 2;
    QTest::newRow("16 bytes: two blocks, the second 15 zeros and count 0, 44 characters")
        << 16 << QByteArray("ABCDEFGHIJKLMNOP") + QByteArray::fromHex("00000000000000000000000000000000") << 44 << 1;
    QTest::newRow("17 bytes: one byte and count 1 in the second block")
        << 17 << QByteArray("ABCDEFGHIJKLMNOP") + QByteArray::fromHex("51000000000000000000000000000001") << 44 << 1;
    QTest::newRow("40 bytes: 48 ciphertext bytes need no padding")
        << 40
        << QByteArray("ABCDEFGHIJKLMNOPQRSTUVWXYZ012345") + QByteArray::fromHex("36373839616263640000000000000008")
        << 64 << 0;
}

void TestCipher::blockLayout()
{
    QFETCH(int, plainLength);
    QFETCH(QByteArray, blocks);
    QFETCH(int, textLength);
    QFETCH(int, padCharacters);

    const QString text = cipherFor(s_password).textEncrypt(s_letters.left(plainLength));
    QCOMPARE(text.size(), textLength);
    const qsizetype lastData = text.lastIndexOf(QRegularExpression(QStringLiteral("[^=]")));
    QCOMPARE(text.size() - 1 - lastData, padCharacters);

    const QByteArray cipherText = QByteArray::fromBase64(text.toLatin1());
    QCOMPARE(Aes128Ecb::decrypt(s_passwordKey, cipherText).toHex(), blocks.toHex());
}

void TestCipher::decryptHandMadeText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("plain");

    const QByteArray key = s_passwordKey;
    const QByteArray fourBytes = QByteArray::fromHex("01020304");
    QTest::newRow("20 bytes: the first 16 are the final block, 4 ignored")
        << encryptedText(key, QByteArray::fromHex("61626300000000000000000000000003"), fourBytes) << QByteArray("abc");
    QTest::newRow("36 bytes: a whole block, the final block, 4 ignored")
        << encryptedText(key, QByteArray("0123456789abcdef") + QByteArray::fromHex("58590000000000000000000000000002"),
                         fourBytes)
        << QByteArray("0123456789abcdefXY");
    QTest::newRow("count 15, the largest sound one")
        << encryptedText(key, QByteArray("ABCDEFGHIJKLMNO\x0f")) << QByteArray("ABCDEFGHIJKLMNO");
    QTest::newRow("count 16 gives nothing")
        << encryptedText(key, QByteArray("ABCDEFGHIJKLMNO\x10")) << QByteArray();
    QTest::newRow("count 255 after a whole block gives nothing, not even that block")
        << encryptedText(key, QByteArray("0123456789abcdefABCDEFGHIJKLMNO\xff")) << QByteArray();
}

void TestCipher::decryptHandMadeText()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, plain);

    QCOMPARE(cipherFor(s_password).textDecrypt(text), plain);
}

void TestCipher::decryptFailures_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");

    const QString valid = cipherFor(s_password).textEncrypt(QByteArray("abc"));
    const QString format = QStringLiteral("Invalid file format");
    const QString character = QStringLiteral("Invalid Base64 Character");
    QTest::newRow("empty file") << QString() << format;
    QTest::newRow("12 bytes") << QStringLiteral("AAAAAAAAAAAAAAAA") << format;
    QTest::newRow("14 bytes, the last group padded") << QStringLiteral("AAAAAAAAAAAAAAAAAAA=") << format;
    QTest::newRow("15 bytes, one short of a block") << QStringLiteral("AAAAAAAAAAAAAAAAAAAA") << format;
    QTest::newRow("valid text followed by a line break") << valid + QLatin1Char('\n') << character;
    QTest::newRow("valid text followed by CR LF") << valid + QStringLiteral("\r\n") << character;
    QTest::newRow("space inside the text") << QStringLiteral(" ") + valid.mid(1) << character;
}

void TestCipher::decryptFailures()
{
    QFETCH(QString, text);
    QFETCH(QString, message);

    const Cipher cipher = cipherFor(s_password);
    QCOMPARE(failureText([&] { (void)cipher.textDecrypt(text); }), message);
}

void TestCipher::roundTrip_data()
{
    QTest::addColumn<QByteArray>("plain");

    QByteArray binary;
    for (int i = 0; i < 100; ++i)
        binary.append(char(i * 37 + 11));
    // "Árvíztűrő tükörfúrógép" in Windows-1250, with the record's line breaks.
    const QByteArray text = QByteArray::fromHex("c172766eed7a74fb72f5207466f6726661fa72f367e970") + "\r\n";

    QTest::newRow("one byte") << QByteArray("x");
    QTest::newRow("15 bytes") << binary.left(15);
    QTest::newRow("16 bytes") << binary.left(16);
    QTest::newRow("17 bytes") << binary.left(17);
    QTest::newRow("100 bytes of every kind") << binary;
    QTest::newRow("zero bytes only, like the padding") << QByteArray(31, '\0');
    QTest::newRow("Windows-1250 text with line breaks") << text + text;
}

void TestCipher::roundTrip()
{
    QFETCH(QByteArray, plain);

    const Cipher cipher = cipherFor(s_password);
    const QString text = cipher.textEncrypt(plain);
    QCOMPARE(cipher.textDecrypt(text), plain);
}

void TestCipher::wrongKeyDoesNotDecrypt()
{
    const QByteArray plain("EZP marker line\r\nsecond line with the stored fields\r\n");
    const QString text = cipherFor(s_password).textEncrypt(plain);

    QByteArray result;
    QCOMPARE(failureText([&] { result = cipherFor(s_passwordOtherCase).textDecrypt(text); }), QString());
    QVERIFY(!result.startsWith(plain.left(16)));
}

QTEST_GUILESS_MAIN(TestCipher)
#include "TestCipher.moc"
