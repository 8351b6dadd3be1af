// The report of a document whose channel tables are full (521 channels in
// each): its PDF, read back as text with pdftotext, holds every channel's
// frequency in either mode and either language, with the labels of that
// language; zavprog-cli report writes the same and refuses what it cannot.

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

/// Every slot of both tables used, each receive frequency different (the
/// 5 kHz raster from 25.615 MHz), so that a missing row shows.
Document FullDocument(Int16 mode)
{
    Document doc;
    NewDocument(doc, mode, {});
    for (int n = 1; n <= kChannelSlots; ++n) {
        ChannelRecord record;
        record.Number = static_cast<Int16>(n);
        const long long counts = 2561500 + 500LL * n;
        std::string digits = std::to_string(counts);
        digits.insert(0, 8 - digits.size(), '0');
        record.RxFrequency.assign(digits);
        record.RxTone = static_cast<Int16>(n % 50);
        record.Option26 = n == 1 ? 1 : 0; // AM power low: the one setting that differs from a new channel
        doc.active()[static_cast<std::size_t>(n - 1)] = record;
        doc.standby()[static_cast<std::size_t>(n - 1)] = record;
    }
    doc.image().ChannelCount = kChannelSlots;
    doc.image().StandbyChannelCount = kChannelSlots;
    return doc;
}

QString Mhz(int n)
{
    const long long counts = 2561500 + 500LL * n;
    return QString::number(counts / 100000) + "." + QString::number(counts % 100000).rightJustified(5, '0');
}

/// The text of a PDF file, or "" when pdftotext is missing or fails.
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
        for (int n = 1; n <= kChannelSlots; ++n)
            if (!words.count(Mhz(n)))
                missing << QString::number(n);
        QVERIFY2(missing.isEmpty(), qPrintable("channels missing from the report: " + missing.join(' ')));
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
