// The report of a document whose channel tables are full (521 channels in
// each): its PDF, read back as text with pdftotext, holds every channel's
// frequency of both channel modes (a write sends both) in either mode and
// either language, with the labels of that language; no heading is left
// alone at a page foot; tone tips print their notes as numbers; zavprog-cli
// report writes the same and refuses what it cannot.

#include "channel_fixture.h"
#include "cli_process.h"
#include "data_file.h"
#include "report_builder.h"
#include "report_pdf.h"

#include <QDateTime>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>

#include <set>

using namespace zav;
using namespace zav::test;

namespace {

constexpr int kEnglish = 1;
constexpr int kChinese = 2;

/// Receive frequency of channel n, in 10 Hz counts: the 5 kHz raster from
/// 25.615 MHz in the current mode, 2.5 kHz above it in the other, so that
/// every channel of both tables has a frequency of its own.
long long Counts(int n, bool otherMode) { return 2561500 + 500LL * n + (otherMode ? 250 : 0); }

/// Channel 1..count of a table, each with its own frequency.
void FillTable(ChannelTable& table, int count, bool otherMode)
{
    for (int n = 1; n <= count; ++n) {
        ChannelRecord record;
        record.Number = static_cast<Int16>(n);
        std::string digits = std::to_string(Counts(n, otherMode));
        digits.insert(0, 8 - digits.size(), '0');
        record.RxFrequency.assign(digits);
        record.RxTone = static_cast<Int16>(n % 50);
        // AM power low: the one setting that differs from a new channel,
        // once in the whole report.
        record.option(ChannelOption::AmPower) = n == 1 && !otherMode ? 1 : 0;
        table[static_cast<std::size_t>(n - 1)] = record;
    }
}

/// Every slot of both tables used.
Document FullDocument(Int16 mode)
{
    Document doc;
    NewDocument(doc, mode, {});
    FillTable(doc.active(), kChannelSlots, false);
    FillTable(doc.standby(), kChannelSlots, true);
    doc.image().ChannelCount = kChannelSlots;
    doc.image().StandbyChannelCount = kChannelSlots;
    return doc;
}

QString Mhz(int n, bool otherMode = false)
{
    const long long counts = Counts(n, otherMode);
    return QString::number(counts / 100000) + "." + QString::number(counts % 100000).rightJustified(5, '0');
}

/// The text of a PDF file (pages separated by form feeds), or "" when
/// pdftotext is missing or fails.
QString PdfText(const QString& path)
{
    QProcess p;
    p.start("pdftotext", {"-layout", path, "-"});
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

QString LanguageFile(int language)
{
    return qEnvironmentVariable("ZAV_SOURCE_DIR") + "/data/language/" + (language == kChinese ? "chinese.ini" : "english.ini");
}

/// The report of doc as PDF text, in English.
QString EnglishReportText(const Document& doc, const QString& pdf)
{
    const report::TextLookup text = report::languageFileTexts(LanguageFile(kEnglish).toStdString());
    const auto pages = report::reportDocument(doc, text, {"radio.dat", QDateTime::currentDateTime(), false});
    if (!report::writeReportPdf(*pages, pdf, "report"))
        return {};
    return PdfText(pdf);
}

/// The last line of text of each page that is not the page number.
QStringList LastLinesOfPages(const QString& printed)
{
    QStringList last;
    for (const QString& page : printed.split('\f', Qt::SkipEmptyParts)) {
        QStringList lines = page.split('\n', Qt::SkipEmptyParts);
        while (!lines.isEmpty() && QRegularExpression("^\\s*\\d*\\s*$").match(lines.last()).hasMatch())
            lines.removeLast();
        if (!lines.isEmpty())
            last << lines.last().trimmed();
    }
    return last;
}

} // namespace

class TestReport : public QObject {
    Q_OBJECT

private slots:
    void everyChannelIsPrinted_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("lowPower");
        QTest::newRow("country, English") << 0 << kEnglish << "Radio Programming Report" << "AM Power: Low";
        QTest::newRow("extended, Chinese") << int(kExtendedMode) << kChinese << QString::fromUtf8("电台编程报告")
                                           << QString::fromUtf8("AM 功率: 低功率");
    }
    void everyChannelIsPrinted()
    {
        QFETCH(int, mode);
        QFETCH(int, language);
        QFETCH(QString, title);
        QFETCH(QString, lowPower);
        const Document doc = FullDocument(static_cast<Int16>(mode));
        const report::TextLookup text = report::languageFileTexts(LanguageFile(language).toStdString());
        const auto pages = report::reportDocument(doc, text, {"full.dat", QDateTime::currentDateTime(), language == kChinese});
        QTemporaryDir dir;
        const QString pdf = dir.filePath("report.pdf");
        QVERIFY(report::writeReportPdf(*pages, pdf, title));

        const QString printed = PdfText(pdf);
        QVERIFY2(!printed.isEmpty(), "pdftotext (poppler-utils) is needed to read the report back");
        QVERIFY(printed.contains(title));
        QVERIFY(printed.contains("full.dat"));
        QCOMPARE(printed.count(lowPower), 1);
        // Every frequency as its own word: 25.62000 must not pass for 25.62000x.
        std::set<QString> words;
        for (const QString& word : printed.split(QRegularExpression("\\s+"), Qt::SkipEmptyParts))
            words.insert(word);
        QStringList missing;
        for (int n = 1; n <= kChannelSlots; ++n) {
            if (!words.count(Mhz(n)))
                missing << QString::number(n);
            if (!words.count(Mhz(n, true)))
                missing << "other mode " + QString::number(n);
        }
        QVERIFY2(missing.isEmpty(), qPrintable("channels missing from the report: " + missing.join(' ')));
        // The other mode comes after the current one, in a section of its own.
        QVERIFY(printed.indexOf(Mhz(kChannelSlots)) < printed.indexOf(Mhz(1, true)));
    }

    void otherModeHasItsOwnSection()
    {
        // A country document whose other (extended) mode has three channels
        // and a group name of its own: both modes are printed, each in its
        // own section.
        Document doc;
        NewDocument(doc, 0, {{1, "02562000"}});
        FillTable(doc.standby(), 3, true);
        doc.image().StandbyChannelCount = 3;
        doc.image().StandbyGroupNames[0].assign("QX");
        QTemporaryDir dir;
        const QString printed = EnglishReportText(doc, dir.filePath("modes.pdf"));
        QVERIFY(!printed.isEmpty());
        const qsizetype otherSection = printed.indexOf("Other channel mode: Extended mode");
        QVERIFY2(otherSection > 0, qPrintable(printed));
        QVERIFY(printed.indexOf("25.62000") < otherSection);
        for (int n = 1; n <= 3; ++n)
            QVERIFY(printed.indexOf(Mhz(n, true)) > otherSection);
        QVERIFY(printed.indexOf("Group 0 \u2013 QX", otherSection) > otherSection);
        // The other mode's settings come after its channels.
        QVERIFY(printed.indexOf("Optional Features", otherSection) > printed.indexOf(Mhz(3, true)));
    }

    void headingsStayWithTheirContent()
    {
        // One more channel moves everything after group 0 down by a row, so
        // across these documents every heading meets the page foot once.
        const QRegularExpression heading("^(Group \\d+|Tone tip \\d+|Channel Information|Optional Features|DTMF|"
                                         "Tone Tips|Embedded Message|Channels in no group|Other channel mode)");
        QTemporaryDir dir;
        for (int count = 1; count <= 48; ++count) {
            Document doc;
            NewDocument(doc, 0, {});
            FillTable(doc.active(), count, false);
            doc.image().ChannelCount = static_cast<Int16>(count);
            const QString printed = EnglishReportText(doc, dir.filePath(QString("headings-%1.pdf").arg(count)));
            QVERIFY(!printed.isEmpty());
            for (const QString& line : LastLinesOfPages(printed))
                QVERIFY2(!heading.match(line).hasMatch(),
                         qPrintable(QString("%1 channels: \"%2\" is the last line of a page").arg(count).arg(line)));
        }
    }

    void toneTipsPrintTheirNotes()
    {
        Document doc;
        NewDocument(doc, 0, {{1, "02562000"}});
        ToneTip& tip = doc.image().ToneTips[0];
        tip = ToneTip{};
        tip.noteFrequency(1) = 123; // 1230 Hz
        tip.noteDuration(1) = 12;   // 120 ms
        tip.noteFrequency(2) = 0;   // a pause
        tip.noteDuration(2) = 4;
        tip.noteFrequency(3) = 255;
        tip.noteDuration(3) = 20;
        tip.tipRepeatCount() = 2;
        tip.tipInterval() = 50;
        QTemporaryDir dir;
        const QString printed = EnglishReportText(doc, dir.filePath("tones.pdf"));
        const qsizetype at = printed.indexOf("Tone tip 1");
        QVERIFY2(at >= 0, qPrintable(printed));
        // The rows may go on over a page foot: from the tip's heading on.
        const QString section = printed.mid(at);
        QVERIFY2(QRegularExpression("Note\\s+1\\s+2\\s+3\\n").match(section).hasMatch(), qPrintable(section));
        QVERIFY2(QRegularExpression("Frequency \\(Hz\\)\\s+1230\\s+Pause\\s+2550\\n").match(section).hasMatch(),
                 qPrintable(section));
        QVERIFY2(QRegularExpression("Length \\(ms\\)\\s+120\\s+40\\s+200\\n").match(section).hasMatch(),
                 qPrintable(section));
    }

    void commandLineWritesThePdf()
    {
        // A few channels: the full tables are the case above, and long.
        QTemporaryDir dir;
        Document doc;
        NewDocument(doc, kExtendedMode, {{1, "02562000"}, {300, "02999500"}});
        QVERIFY(saveDocument(doc, dir.filePath("radio.dat").toStdString()));

        Run run = Cli({"report", "radio.dat", "-o", "report.pdf", "--language", "zh"}, dir.path());
        QCOMPARE(run.exitCode, 0);
        QVERIFY(ReadAll(dir.filePath("report.pdf")).startsWith("%PDF"));
        const QString printed = PdfText(dir.filePath("report.pdf"));
        QVERIFY(printed.contains(QString::fromUtf8("电台编程报告")));
        QVERIFY(printed.contains("radio.dat"));
        QVERIFY(printed.contains("25.62000") && printed.contains("29.99500"));

        // Polish, with letters beyond Latin-1, printed as the font has them.
        run = Cli({"report", "radio.dat", "-o", "polish.pdf", "--language", "pl"}, dir.path());
        QCOMPARE(run.exitCode, 0);
        const QString polish = PdfText(dir.filePath("polish.pdf"));
        QVERIFY2(polish.contains(QString::fromUtf8("Tryb kanałów")) && polish.contains("Tryb rozszerzony"),
                 qPrintable(polish.left(400)));

        // "-o -": the PDF on standard output, for a pipe.
        run = Cli({"report", "radio.dat", "-o", "-", "--language", "en"}, dir.path());
        QCOMPARE(run.exitCode, 0);
        QVERIFY(run.out.startsWith("%PDF"));

        // A file that is no data file, a folder that does not exist, a
        // language it does not know: exit status and no file.
        QFile junk(dir.filePath("junk.dat"));
        QVERIFY(junk.open(QIODevice::WriteOnly));
        junk.write("not a data file");
        junk.close();
        run = Cli({"report", "junk.dat", "-o", "junk.pdf"}, dir.path());
        QCOMPARE(run.exitCode, 1);
        QVERIFY(!QFile::exists(dir.filePath("junk.pdf")));
        run = Cli({"report", "radio.dat", "-o", "missing/report.pdf"}, dir.path());
        QCOMPARE(run.exitCode, 1);
        QVERIFY(run.err.contains("missing/report.pdf"));
        run = Cli({"report", "radio.dat", "-o", "other.pdf", "--language", "fr"}, dir.path());
        QCOMPARE(run.exitCode, 2);
        QVERIFY(!QFile::exists(dir.filePath("other.pdf")));
    }
};

QTEST_MAIN(TestReport)
#include "test_report.moc"
