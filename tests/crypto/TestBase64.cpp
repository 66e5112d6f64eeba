#include "crypto/Base64.h"

#include "FailureText.h"

#include <QTest>

namespace {

void addRfc4648Vectors()
{
    // RFC 4648 section 10.
    QTest::newRow("RFC 4648: empty") << QByteArray() << QStringLiteral("");
    QTest::newRow("RFC 4648: f") << QByteArray("f") << QStringLiteral("Zg==");
    QTest::newRow("RFC 4648: fo") << QByteArray("fo") << QStringLiteral("Zm8=");
    QTest::newRow("RFC 4648: foo") << QByteArray("foo") << QStringLiteral("Zm9v");
    QTest::newRow("RFC 4648: foob") << QByteArray("foob") << QStringLiteral("Zm9vYg==");
    QTest::newRow("RFC 4648: fooba") << QByteArray("fooba") << QStringLiteral("Zm9vYmE=");
    QTest::newRow("RFC 4648: foobar") << QByteArray("foobar") << QStringLiteral("Zm9vYmFy");
    // FB FF BF = 111110 111111 111110 111111: values 62 and 63 of the alphabet.
    QTest::newRow("plus and slash for 62 and 63") << QByteArray::fromHex("fbffbf") << QStringLiteral("+/+/");
}

} // namespace

class TestBase64 : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void encode_data();
    void encode();
    void decode_data();
    void decode();
    void decodeRejects_data();
    void decodeRejects();
    void roundTripEveryByteValue();
};

void TestBase64::encode_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    addRfc4648Vectors();
}

void TestBase64::encode()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);

    QCOMPARE(Base64::encode(bytes), text);
}

void TestBase64::decode_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    addRfc4648Vectors();

    // 'Z' 'm' '9' = 25 38 61, then a character worth 0: 011001 100110 111101
    // 000000 = 66 6F 40, "fo@".
    QTest::newRow("'-' inside the range counts as zero bits") << QByteArray("fo@") << QStringLiteral("Zm9-");
    QTest::newRow("'`' inside the range counts as zero bits") << QByteArray("fo@") << QStringLiteral("Zm9`");
    QTest::newRow("a group of '@' is three zero bytes") << QByteArray(3, '\0') << QStringLiteral("@@@@");
    // 'h' = 33 = 100001: its low four bits do not fit in the single byte.
    QTest::newRow("bits past the last byte are dropped") << QByteArray("f") << QStringLiteral("Zh==");
    QTest::newRow("'=' in the third place ends the group after one byte")
        << QByteArray("f") << QStringLiteral("Zg=A");
}

void TestBase64::decode()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);

    QCOMPARE(Base64::decode(text).toHex(), bytes.toHex());
}

void TestBase64::decodeRejects_data()
{
    QTest::addColumn<QString>("text");

    QTest::newRow("line break after the text") << QStringLiteral("Zm9v\n");
    QTest::newRow("line break inside a group") << QStringLiteral("Zm8\n");
    QTest::newRow("space") << QStringLiteral("Zm 9");
    QTest::newRow("accented letter") << QStringLiteral("Zm9\u00e1");
    QTest::newRow("'*' (42), just below the range") << QStringLiteral("Zm9*");
    QTest::newRow("'{' (123), just above the range") << QStringLiteral("Zm9{");
    QTest::newRow("out-of-range character under padding") << QStringLiteral("Zg=\n");
    QTest::newRow("length not a multiple of four") << QStringLiteral("Zm9vY");
    // A view of five characters whose buffer goes on with valid ones: a decoder
    // that ignored the length would read them.
    static const char16_t longer[] = u"Zm9vYmFy";
    QTest::newRow("length not a multiple of four, valid characters beyond")
        << QString::fromRawData(reinterpret_cast<const QChar*>(longer), 5);
    QTest::newRow("padded group before the last") << QStringLiteral("Zg==Zm9v");
    QTest::newRow("'=' in the first place") << QStringLiteral("=m9v");
    QTest::newRow("'=' in the second place") << QStringLiteral("Z===");
}

void TestBase64::decodeRejects()
{
    QFETCH(QString, text);

    QCOMPARE(failureText([&] { (void)Base64::decode(text); }), QStringLiteral("Invalid Base64 Character"));
}

void TestBase64::roundTripEveryByteValue()
{
    QByteArray all;
    for (int value = 0; value < 256; ++value)
        all.append(char(value));
    // Lengths of every remainder mod 3, so all three group endings are met.
    for (const int length : {0, 1, 2, 3, 254, 255, 256}) {
        const QByteArray bytes = all.right(length);
        const QString text = Base64::encode(bytes);
        QCOMPARE(text.size() % 4, 0);
        QCOMPARE(Base64::decode(text), bytes);
    }
}

QTEST_GUILESS_MAIN(TestBase64)
#include "TestBase64.moc"
