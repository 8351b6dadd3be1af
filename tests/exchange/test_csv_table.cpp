// The CSV reader and writer: quoting, line ends, separators, and broken
// quotes reported at their record and field rather than guessed at.

#include "csv_table.h"

#include <QTest>

#include <string>
#include <vector>

using namespace zav;

namespace {

using Fields = std::vector<std::string>;

/// Records as "a|b|c" lines, a broken record as "!<column>".
QStringList Shape(const CsvTable& table)
{
    QStringList out;
    for (const CsvRecord& record : table.records) {
        if (!record.faults.empty()) {
            out << QString("!%1@%2").arg(record.faults.front().column).arg(record.number);
            continue;
        }
        QStringList fields;
        for (const std::string& f : record.fields)
            fields << QString::fromStdString(f);
        out << QString("%1:").arg(record.number) + fields.join('|');
    }
    return out;
}

} // namespace

class TestCsvTable : public QObject {
    Q_OBJECT
private slots:
    void read_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QStringList>("want");
        QTest::newRow("plain, LF") << QByteArray("a,b\n1,2\n") << QStringList{"1:a|b", "2:1|2"};
        QTest::newRow("CRLF, no final line end") << QByteArray("a,b\r\n1,2") << QStringList{"1:a|b", "2:1|2"};
        QTest::newRow("lone CR") << QByteArray("a,b\r1,2\r") << QStringList{"1:a|b", "2:1|2"};
        QTest::newRow("empty fields") << QByteArray("a,,c\n,,\n") << QStringList{"1:a||c", "2:||"};
        QTest::newRow("quoted separator and quote") << QByteArray("\"x,y\",\"say \"\"hi\"\"\"\n")
                                                    << QStringList{"1:x,y|say \"hi\""};
        QTest::newRow("line break inside quotes") << QByteArray("\"two\r\nlines\",b\nc,d\n")
                                                  << QStringList{"1:two\r\nlines|b", "2:c|d"};
        QTest::newRow("byte-order mark") << QByteArray("\xEF\xBB\xBF" "a,b\n") << QStringList{"1:a|b"};
        QTest::newRow("semicolons") << QByteArray("a;b,c;d\n1;2,5;3\n") << QStringList{"1:a|b,c|d", "2:1|2,5|3"};
        QTest::newRow("blank lines skipped but counted") << QByteArray("a\n\n\r\nb\n") << QStringList{"1:a", "4:b"};
        QTest::newRow("text after the closing quote") << QByteArray("a,b\n\"x\"y,2\n3,4\n")
                                                      << QStringList{"1:a|b", "!1@2", "3:3|4"};
        QTest::newRow("quote inside an unquoted field") << QByteArray("a,b\n1,x\"y\n") << QStringList{"1:a|b", "!2@2"};
        QTest::newRow("quote never closed") << QByteArray("a,b\n1,\"open\n2,3\n") << QStringList{"1:a|b", "!2@2"};
        QTest::newRow("UTF-8 kept as bytes") << QByteArray("\xE4\xB8\xAD,b\n") << QStringList{QString::fromUtf8("1:\xE4\xB8\xAD|b")};
        QTest::newRow("empty text") << QByteArray() << QStringList{};
    }
    void read()
    {
        QFETCH(QByteArray, text);
        QFETCH(QStringList, want);
        QCOMPARE(Shape(readCsv(std::string(text.constData(), static_cast<std::size_t>(text.size())))), want);
    }

    void writeQuotesOnlyWhatNeedsIt_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("want");
        QTest::newRow("plain") << "27.40000" << "27.40000";
        QTest::newRow("sign") << "+0.60000" << "+0.60000";
        QTest::newRow("comma") << "a,b" << "\"a,b\"";
        QTest::newRow("quote") << "BOT \"x\"" << "\"BOT \"\"x\"\"\"";
        QTest::newRow("line break") << "a\nb" << "\"a\nb\"";
        QTest::newRow("leading space") << " A" << "\" A\"";
        // A spreadsheet drops an unquoted trailing space: a group name "AB "
        // would come back as "AB".
        QTest::newRow("trailing space only") << "AB " << "\"AB \"";
        QTest::newRow("a space alone") << " " << "\" \"";
        QTest::newRow("empty") << "" << "";
    }
    void writeQuotesOnlyWhatNeedsIt()
    {
        QFETCH(QString, value);
        QFETCH(QString, want);
        QCOMPARE(QString::fromStdString(csvField(value.toStdString())), want);
    }

    /// Whatever the fields hold, writing then reading gives them back.
    void writeThenRead()
    {
        const std::vector<Fields> records{{"a", "b,c", "\"q\""}, {"", " x ", "line\r\nbreak"}, {"\xEF\xBB\xBFz", ";", ""}};
        for (char separator : {',', ';', '\t'}) {
            std::string text;
            for (const Fields& r : records)
                text += csvRecord(r, separator);
            const CsvTable table = readCsv(text);
            QCOMPARE(table.records.size(), records.size());
            for (std::size_t k = 0; k < records.size(); ++k) {
                QVERIFY(table.records[k].faults.empty());
                QCOMPARE(table.records[k].fields, records[k]);
            }
        }
    }
};

QTEST_APPLESS_MAIN(TestCsvTable)
#include "test_csv_table.moc"
