// Power-on texts for each radio of a fleet write: the pattern's numbers,
// the list, and the editor's limits (GBK, 16 bytes, no control characters).

#include "defaults.h"
#include "document.h"
#include "power_on_texts.h"

#include <QTest>

using namespace zav;

class TestPowerOnTexts : public QObject {
    Q_OBJECT
private slots:
    void patterns_data();
    void patterns();
    void textsAsTheEditorTakesThem_data();
    void textsAsTheEditorTakesThem();
    void planNumbersRadiosFromTheStartNumber();
    void listFileLines();
    void documentCopyGetsTheText();
};

void TestPowerOnTexts::patterns_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("expected"); // "!" for a malformed pattern

    QTest::newRow("plain") << "UNIT {n}" << 7 << "UNIT 7";
    QTest::newRow("padded") << "UNIT {n:02}" << 3 << "UNIT 03";
    QTest::newRow("wider than the padding") << "UNIT {n:02}" << 123 << "UNIT 123";
    QTest::newRow("twice") << "{n}-{n:03}" << 4 << "4-004";
    QTest::newRow("no field") << "SHOP" << 9 << "SHOP";
    QTest::newRow("unknown field") << "UNIT {x}" << 1 << "!";
    QTest::newRow("unclosed") << "UNIT {n" << 1 << "!";
    QTest::newRow("lone brace") << "UNIT }" << 1 << "!";
    QTest::newRow("zero width") << "{n:00}" << 1 << "!";
}

void TestPowerOnTexts::patterns()
{
    QFETCH(QString, pattern);
    QFETCH(int, number);
    QFETCH(QString, expected);
    const auto text = expandPowerOnPattern(pattern.toStdString(), number);
    if (expected == "!")
        QVERIFY(!text);
    else
        QCOMPARE(QString::fromStdString(text.value_or("?")), expected);
}

void TestPowerOnTexts::textsAsTheEditorTakesThem_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("error");
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("short") << "UNIT 01" << int(PowerOnTextError::None) << QByteArray("UNIT 01         ");
    QTest::newRow("sixteen") << "ABCDEFGHIJKLMNOP" << int(PowerOnTextError::None) << QByteArray("ABCDEFGHIJKLMNOP");
    QTest::newRow("seventeen") << "ABCDEFGHIJKLMNOPQ" << int(PowerOnTextError::TooLong) << QByteArray();
    QTest::newRow("chinese") << QString::fromUtf8("电台 01") << int(PowerOnTextError::None)
                             << QByteArray("\xB5\xE7\xCC\xA8 01         ");
    QTest::newRow("chinese too long") << QString::fromUtf8("一二三四五六七八九") << int(PowerOnTextError::TooLong)
                                      << QByteArray();
    QTest::newRow("not in GBK") << QString::fromUtf8("UNIT \xF0\x9F\x93\xBB") << int(PowerOnTextError::NotGbk)
                                << QByteArray();
    QTest::newRow("tab") << "UNIT\t1" << int(PowerOnTextError::Control) << QByteArray();
}

void TestPowerOnTexts::textsAsTheEditorTakesThem()
{
    QFETCH(QString, text);
    QFETCH(int, error);
    QFETCH(QByteArray, bytes);
    std::string stored;
    QCOMPARE(int(powerOnTextBytes(text.toStdString(), stored)), error);
    if (error == int(PowerOnTextError::None))
        QCOMPARE(QByteArray::fromStdString(stored), bytes);
}

void TestPowerOnTexts::planNumbersRadiosFromTheStartNumber()
{
    PowerOnTextPlan plan;
    QVERIFY(!plan.active());
    plan.pattern = "UNIT {n:02}";
    plan.first = 1;
    PowerOnTextError error = PowerOnTextError::None;
    QCOMPARE(QString::fromStdString(plan.textFor(0, error).value_or("")), QString("UNIT 01"));
    QCOMPARE(QString::fromStdString(plan.textFor(3, error).value_or("")), QString("UNIT 04"));
    plan.first = 98;
    int at = -1;
    QCOMPARE(plan.check(2, at), PowerOnTextError::None);
    plan.pattern = "LONG NAME NO {n:09}"; // 22 bytes
    QCOMPARE(plan.check(2, at), PowerOnTextError::TooLong);
    QCOMPARE(at, 0);

    PowerOnTextPlan list;
    list.list = {"ALPHA", "BRAVO"};
    QCOMPARE(QString::fromStdString(list.textFor(1, error).value_or("")), QString("BRAVO"));
    QVERIFY(!list.textFor(2, error));
    QCOMPARE(error, PowerOnTextError::ListTooShort);
    QCOMPARE(list.check(3, at), PowerOnTextError::ListTooShort);
    QCOMPARE(at, 2);
}

void TestPowerOnTexts::listFileLines()
{
    const auto lines = powerOnTextLines("\xEF\xBB\xBFONE\r\nTWO\n\nTHREE\n");
    QCOMPARE(lines, (std::vector<std::string>{"ONE", "TWO", "THREE"}));
}

void TestPowerOnTexts::documentCopyGetsTheText()
{
    Document doc;
    buildNewDocument(doc, std::string(), TemplateVariant::NewDocument);
    const Document before = doc;
    const Document copy = withPowerOnText(doc, "UNIT 05");
    QCOMPARE(QByteArray(copy.image().OptFeat.PowerOnText.bytes.data(), 16), QByteArray("UNIT 05         "));
    QVERIFY(doc.image() == before.image());
}

QTEST_APPLESS_MAIN(TestPowerOnTexts)
#include "test_power_on_texts.moc"
