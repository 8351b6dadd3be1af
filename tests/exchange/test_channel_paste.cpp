// Channels on the clipboard: what Copy Channels puts there, and Paste
// Channels writing rows into a group from a position on, with the checks of
// a CSV import, with or without the header row, and with nothing changed
// (or only the valid rows stored) when rows are refused.

#include "channel_csv.h"
#include "channel_fixture.h"
#include "channel_groups.h"
#include "codecs.h"

#include <QTest>

#include <string>

using namespace zav;
using namespace zav::test;

namespace {

constexpr Int16 kMode = kExtendedMode;

int Number(int group, int position) { return groupBase(group, kMode) + position; }

/// Group 0 holds three channels with different tones.
Document ThreeChannels()
{
    Document doc;
    NewDocument(doc, kMode, {{Number(0, 1), "02700000"}, {Number(0, 2), "02701000"}, {Number(0, 3), "02702000"}});
    Channel(doc, Number(0, 2))->RxTone = 5;
    Channel(doc, Number(0, 3))->TxTone = 9;
    return doc;
}

std::string Rx(Document& doc, int number)
{
    const ChannelRecord* r = Channel(doc, number);
    return r ? r->RxFrequency.raw() : std::string();
}

} // namespace

class TestChannelPaste : public QObject {
    Q_OBJECT

private slots:
    void copiedRowsAreTabSeparatedWithHeader()
    {
        Document doc = ThreeChannels();
        const std::string text = copyChannelsText(doc, {Number(0, 3), Number(0, 1), 400 /* empty slot */});
        const QStringList lines = QString::fromStdString(text).split("\r\n", Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 3);
        QVERIFY(lines[0].startsWith("group\tgroup name\tposition in group\tchannel number\treceive MHz"));
        QVERIFY(lines[1].contains("\t27.00000\t"));
        QVERIFY(lines[2].contains("\t27.02000\t"));
    }

    // Copied rows pasted into another group land at the current row and the
    // ones after it, whatever place the rows name; the tones come along.
    void pastedIntoAnotherGroupFromTheCurrentRow_data()
    {
        QTest::addColumn<bool>("withHeader");
        QTest::newRow("as copied") << true;
        QTest::newRow("cells without header") << false;
    }
    void pastedIntoAnotherGroupFromTheCurrentRow()
    {
        QFETCH(bool, withHeader);
        Document doc = ThreeChannels();
        std::string text = copyChannelsText(doc, {Number(0, 1), Number(0, 2), Number(0, 3)});
        if (!withHeader)
            text.erase(0, text.find("\r\n") + 2);
        const CsvImportResult result = pasteChannelsText(doc, text, 1, 4);
        QVERIFY2(result.ok(), result.problems.empty() ? "" : result.problems.front().message().c_str());
        QCOMPARE(result.stored, 3);
        QCOMPARE(doc.activeCount(), 6);
        QCOMPARE(Rx(doc, Number(1, 4)), std::string("02700000"));
        QCOMPARE(Rx(doc, Number(1, 5)), std::string("02701000"));
        QCOMPARE(Channel(doc, Number(1, 5))->RxTone, Int16{5});
        QCOMPARE(Channel(doc, Number(1, 6))->TxTone, Int16{9});
        QCOMPARE(Rx(doc, Number(0, 1)), std::string("02700000")); // the copied rows stay
    }

    void spreadsheetCellsOverwriteAChannel()
    {
        Document doc = ThreeChannels();
        // A spreadsheet's own columns, in its own order, one of them unknown.
        const std::string text = "receive MHz\tnote\treceive tone\r\n27.01000\tshop\t88.5\r\n";
        const CsvImportResult result = pasteChannelsText(doc, text, 0, 2);
        QVERIFY(result.ok());
        QCOMPARE(doc.activeCount(), 3);
        QCOMPARE(Rx(doc, Number(0, 2)), std::string("02701000"));
        QCOMPARE(QString::fromStdString(toneText(Channel(doc, Number(0, 2))->RxTone)), QString("88.5"));
    }

    /// A paste is typing into the table: a channel numbered up to 400 keeps
    /// its receive frequency (a row that changes it is refused), while the
    /// VFO channel and empty slots take one.
    void pasteKeepsTheFrequencyTypingKeeps()
    {
        Document doc;
        NewDocument(doc, kMode, {{Number(0, 1), "02700000"}, {Number(0, 2), "02701000"}, {521, "02702000"}});
        const Document before = doc;
        const std::string text = "receive MHz\treceive tone\r\n27.05000\t88.5\r\n";
        const CsvImportResult refused = pasteChannelsText(doc, text, 0, 2);
        QCOMPARE(refused.problems.size(), std::size_t{1});
        QCOMPARE(refused.problems.front().row, 2);
        QCOMPARE(QString::fromStdString(refused.problems.front().column), QString("receive MHz"));
        QVERIFY(doc.working.ActiveChannels == before.working.ActiveChannels);

        QVERIFY(pasteChannelsText(doc, text, kVfoGroup, 1).ok());
        QCOMPARE(Rx(doc, 521), std::string("02705000"));
        QVERIFY(pasteChannelsText(doc, text, 0, 3).ok());
        QCOMPARE(Rx(doc, Number(0, 3)), std::string("02705000"));
    }

    /// In country mode a paste changes only the other columns of the
    /// channels the group holds: a row that changes a frequency or lands on
    /// an empty slot is refused with its row and column.
    void countryPasteChangesOnlyOtherColumns()
    {
        Document doc;
        NewDocument(doc, 0, {{1, "02696500"}, {2, "02697500"}});
        const Document before = doc;
        const std::string text = "receive MHz\treceive tone\r\n"
                                 "26.96500\t100.0\r\n"  // channel 1: the tone only
                                 "27.00000\tOFF\r\n"    // channel 2: another frequency
                                 "26.98500\tOFF\r\n";   // channel 3: an empty slot
        CsvImportResult result = pasteChannelsText(doc, text, 0, 1);
        QStringList where;
        for (const CsvProblem& p : result.problems)
            where << QString("%1|%2").arg(p.row).arg(QString::fromStdString(p.column));
        QCOMPARE(where, (QStringList{"3|receive MHz", "4|position in group"}));
        QVERIFY(doc.working.ActiveChannels == before.working.ActiveChannels);

        result = pasteChannelsText(doc, text, 0, 1, RefusedRows::SkipThem);
        QCOMPARE(result.stored, 1);
        QCOMPARE(doc.activeCount(), 2);
        QCOMPARE(int(Channel(doc, 1)->RxTone), 13);
        QCOMPARE(Rx(doc, 2), std::string("02697500"));
        QVERIFY(!Channel(doc, 3));
    }

    // Refused rows: by default nothing changes; asked to, the valid rows are
    // stored and the refused ones left out. Each refusal names row and column.
    void refusedRows_data()
    {
        QTest::addColumn<QString>("row");
        QTest::addColumn<QString>("column");
        QTest::newRow("out of band") << "31.00000\tOFF" << "receive MHz";
        QTest::newRow("unknown tone") << "27.10000\t66.6" << "receive tone";
        QTest::newRow("broken quote") << "\"27.10000\tOFF" << "receive MHz";
    }
    void refusedRows()
    {
        QFETCH(QString, row);
        QFETCH(QString, column);
        const std::string text = "receive MHz\treceive tone\r\n27.20000\tOFF\r\n" + row.toStdString() + "\r\n";
        Document doc = ThreeChannels();
        const Document before = doc;
        CsvImportResult result = pasteChannelsText(doc, text, 2, 1);
        QCOMPARE(result.problems.size(), std::size_t{1});
        QCOMPARE(result.problems.front().row, 3);
        QCOMPARE(QString::fromStdString(result.problems.front().column), column);
        QVERIFY(doc.working.ActiveChannels == before.working.ActiveChannels);

        result = pasteChannelsText(doc, text, 2, 1, RefusedRows::SkipThem);
        QCOMPARE(result.stored, 1);
        QCOMPARE(Rx(doc, Number(2, 1)), std::string("02720000"));
        QVERIFY(!Channel(doc, Number(2, 2)));
    }

    void rowsPastTheGroupEndAreRefused()
    {
        Document doc = ThreeChannels();
        const int last = groupSize(0, kMode);
        const CsvImportResult result = pasteChannelsText(doc, "receive MHz\r\n27.30000\r\n27.31000\r\n", 0, last);
        QCOMPARE(result.problems.size(), std::size_t{1});
        QCOMPARE(result.problems.front().row, 3);
        QCOMPARE(QString::fromStdString(result.problems.front().column), QString("position in group"));
        QCOMPARE(doc.activeCount(), 3);

        // However many rows run past the end, one message tells of them all
        // (group 1 is empty: every row in it makes a new channel).
        std::string many = "receive MHz\r\n";
        for (int k = 0; k < 5000; ++k)
            many += "27.30000\r\n";
        const int size = groupSize(1, kMode);
        const CsvImportResult tooMany = pasteChannelsText(doc, many, 1, 1, RefusedRows::SkipThem);
        QCOMPARE(tooMany.problems.size(), std::size_t{1});
        QVERIFY(QString::fromStdString(tooMany.problems.front().reason)
                    .endsWith(QString("so are the %1 rows after it").arg(5000 - size - 1)));
        QCOMPARE(tooMany.stored, size);
    }

    void importCanKeepTheValidRows()
    {
        Document doc = ThreeChannels();
        const std::string csv = "channel number,receive MHz\r\n" + std::to_string(Number(0, 1)) + ",27.40000\r\n"
                                + std::to_string(Number(0, 2)) + ",99\r\n";
        CsvImportResult result = importChannelsCsv(doc, csv);
        QCOMPARE(result.problems.size(), std::size_t{1});
        QCOMPARE(doc.activeCount(), 3);
        result = importChannelsCsv(doc, csv, RefusedRows::SkipThem);
        QCOMPARE(result.stored, 1);
        QCOMPARE(doc.activeCount(), 1);
        QCOMPARE(Rx(doc, Number(0, 1)), std::string("02740000"));
        // Every row refused: the table keeps what it had.
        result = importChannelsCsv(doc, "receive MHz,channel number\r\n99,1\r\n", RefusedRows::SkipThem);
        QCOMPARE(result.stored, 0);
        QCOMPARE(doc.activeCount(), 1);
    }
};

QTEST_GUILESS_MAIN(TestChannelPaste)
#include "test_channel_paste.moc"
