// The JSON reader and writer of the configuration file.

#include "json_value.h"

#include <QTest>

using namespace zav;

class TestJsonValue : public QObject {
    Q_OBJECT
private slots:
    void parseRefuses_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("error");
        QTest::newRow("empty") << QByteArray("") << "line 1, column 1: the text ends where a value should be";
        QTest::newRow("trailing comma") << QByteArray("[1,]") << "line 1, column 4: not a JSON value";
        QTest::newRow("two values") << QByteArray("1 2") << "line 1, column 3: text after the end of the value";
        QTest::newRow("unclosed string") << QByteArray("{\"a\": \"x") << "line 1, column 9: the string does not end";
        QTest::newRow("raw line break in string") << QByteArray("\"a\nb\"") << "line 1, column 3: a control character inside a string must be escaped";
        QTest::newRow("bad escape") << QByteArray("\"\\q\"") << "line 1, column 4: an unknown escape in a string";
        QTest::newRow("lone surrogate") << QByteArray("\"\\udc00\"") << "line 1, column 8: a lone low surrogate";
        QTest::newRow("not UTF-8") << QByteArray("\"\xFF\"") << "line 1, column 2: the text is not UTF-8";
        QTest::newRow("leading zero") << QByteArray("01") << "line 1, column 1: not a JSON value";
        QTest::newRow("duplicate member") << QByteArray("{\"a\":1,\n\"a\":2}") << "line 2, column 4: the member \"a\" appears twice";
        QTest::newRow("missing colon") << QByteArray("{\"a\" 1}") << "line 1, column 6: expected \":\" after a member name";
        QTest::newRow("too deep") << QByteArray(100, '[') << "line 1, column 66: nested too deeply";
    }
    void parseRefuses()
    {
        QFETCH(QByteArray, text);
        QFETCH(QString, error);
        const JsonParseResult result = parseJson(text.toStdString());
        QVERIFY(!result.ok);
        QCOMPARE(QString::fromStdString(result.error), error);
    }

    void parseReads()
    {
        const JsonParseResult result = parseJson("\xEF\xBB\xBF { \"n\": -12.5e3, \"s\": \"a\\\"\\u00e9\\ud83d\\ude00\\u0000\", "
                                                 "\"l\": [true, false, null, []], \"o\": {} }");
        QVERIFY2(result.ok, result.error.c_str());
        QCOMPARE(result.value.members.size(), std::size_t(4));
        QCOMPARE(result.value.find("n")->text, std::string("-12.5e3"));
        QCOMPARE(result.value.find("s")->text, std::string("a\"\xC3\xA9\xF0\x9F\x98\x80", 8) + std::string(1, '\0'));
        QCOMPARE(result.value.find("l")->items.size(), std::size_t(4));
        QVERIFY(result.value.find("l")->items[0].boolean);
        QVERIFY(result.value.find("o")->kind == JsonValue::Kind::Object);
        QVERIFY(result.value.find("x") == nullptr);
    }

    /// Whatever a string holds, writing then reading gives it back.
    void writeThenRead()
    {
        JsonValue root = JsonValue::object();
        const std::string odd = std::string("q\"b\\s/\x01\x7F\t\r\n\xE4\xB8\xAD", 14) + std::string(1, '\0');
        root.add(odd, JsonValue::string(odd));
        JsonValue list = JsonValue::array();
        list.items = {JsonValue::number(-32768), JsonValue::number(7)};
        root.add("numbers", list);
        const std::string text = writeJson(root);
        QVERIFY(text.find("[-32768, 7]") != std::string::npos);
        const JsonParseResult back = parseJson(text);
        QVERIFY2(back.ok, back.error.c_str());
        QCOMPARE(back.value.members.front().first, odd);
        QCOMPARE(back.value.find(odd)->text, odd);
        QCOMPARE(back.value.find("numbers")->items.size(), std::size_t(2));
    }
};

QTEST_APPLESS_MAIN(TestJsonValue)
#include "test_json_value.moc"
