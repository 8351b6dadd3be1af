// Text bytes in GBK: what is shown for stored bytes (valid or not), and
// what is stored for typed text (or that it cannot be).

#include "gbk_text.h"

#include <QTest>

using namespace zav;

namespace {
QByteArray Bytes(const std::string& s) { return QByteArray(s.data(), qsizetype(s.size())); }
std::string Std(const QByteArray& b) { return std::string(b.constData(), std::size_t(b.size())); }
} // namespace

class TestGbkText : public QObject {
    Q_OBJECT
private slots:
    void storedBytesAreShown_data()
    {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QString>("shown");
        QTest::newRow("ASCII") << QByteArray("EU 27") << QString("EU 27");
        QTest::newRow("NUL and padding stay") << QByteArray("A\0  ", 4) << QString::fromUtf16(u"A\0  ", 4);
        QTest::newRow("two Chinese characters") << QByteArray("\xD6\xD0\xCE\xC4") << QString::fromUtf8("中文");
        QTest::newRow("mixed") << QByteArray("CH\xB9\xFA") << QString::fromUtf8("CH国");
        QTest::newRow("euro sign of the code page") << QByteArray("\x80") << QString::fromUtf8("€");
        QTest::newRow("byte that is never GBK") << QByteArray("A\xFF" "B") << QString::fromUtf8("A\uFFFDB");
        QTest::newRow("lead byte before a space") << QByteArray("\x81 x") << QString::fromUtf8("\uFFFD x");
        QTest::newRow("character cut at the field's end") << QByteArray("AB\xD6") << QString::fromUtf8("AB\uFFFD");
        QTest::newRow("cut after a whole character") << QByteArray("\xD6\xD0\xCE") << QString::fromUtf8("中\uFFFD");
    }
    void storedBytesAreShown()
    {
        QFETCH(QByteArray, stored);
        QFETCH(QString, shown);
        QCOMPARE(QString::fromUtf8(Bytes(gbkToUtf8(Std(stored)))), shown);
        QCOMPARE(isValidGbk(Std(stored)), !shown.contains(QChar(0xFFFD)));
    }

    void typedTextIsStored_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("storable");
        QTest::addColumn<QByteArray>("stored");
        QTest::newRow("ASCII") << QString("Group 1") << true << QByteArray("Group 1");
        QTest::newRow("Chinese") << QString::fromUtf8("中文") << true << QByteArray("\xD6\xD0\xCE\xC4");
        QTest::newRow("full-width letter") << QString::fromUtf8("Ａ") << true << QByteArray("\xA3\xC1");
        QTest::newRow("emoji has no GBK form") << QString::fromUtf8("A😀") << false << QByteArray();
        QTest::newRow("Hangul has no GBK form") << QString::fromUtf8("한") << false << QByteArray();
        QTest::newRow("empty") << QString() << true << QByteArray();
    }
    void typedTextIsStored()
    {
        QFETCH(QString, typed);
        QFETCH(bool, storable);
        QFETCH(QByteArray, stored);
        const auto bytes = utf8ToGbk(Std(typed.toUtf8()));
        QCOMPARE(bytes.has_value(), storable);
        if (!storable)
            return;
        QCOMPARE(Bytes(*bytes), stored);
        // What is stored shows as what was typed.
        QCOMPARE(QString::fromUtf8(Bytes(gbkToUtf8(*bytes))), typed);
    }

    void invalidUtf8IsNotStored() { QVERIFY(!utf8ToGbk("A\xC3").has_value()); }
};

QTEST_APPLESS_MAIN(TestGbkText)
#include "test_gbk_text.moc"
