// The check for translators: a small English file and a translation with
// one fault of each kind; what the check reports, and that a clean copy
// passes.

#include "language_check.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace zav;

namespace {

bool Write(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

const QByteArray kEnglish = "[Language]\nName=English\nLocale=en\n\n"
                            "[Msg]\n9001=Data files\n9002=File error\n\n"
                            "[ChannelInfo]\n14002=RX Freq (MHz)\n\n"
                            "[Others]\n32110=channel %1 %2\n32746=CSV files (*.csv)|*.csv\n";

/// Every character 10 pixels wide, so rooms are counted in characters.
int TenPixels(const std::string& text) { return static_cast<int>(QString::fromStdString(text).size()) * 10; }

/// The header of the RX column: two lines of 8 characters.
const std::vector<CaptionRoom> kRooms{{14002, 80, 2}};

QStringList Lines(const std::vector<LanguageCheckFinding>& findings)
{
    QStringList lines;
    for (const LanguageCheckFinding& f : findings)
        lines << QString::fromStdString(describeFinding(f));
    return lines;
}

} // namespace

class TestLanguageCheck : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    QString english_;

    QStringList Check(const QByteArray& candidate, const std::vector<CaptionRoom>& rooms = kRooms)
    {
        const QString path = dir_.filePath("candidate.ini");
        if (!Write(path, candidate))
            return {"cannot write the fixture"};
        return Lines(checkLanguageFile(english_.toStdString(), path.toStdString(), rooms, TenPixels));
    }

private slots:
    void initTestCase()
    {
        english_ = dir_.filePath("english.ini");
        QVERIFY(Write(english_, kEnglish));
    }

    void cleanTranslationPasses()
    {
        QCOMPARE(Check("[Language]\nName=Deutsch\nLocale=de\n[Msg]\n9001=Datendateien\n9002=Dateifehler\n"
                       "[ChannelInfo]\n14002=RX-Freq. (MHz)\n"
                       "[Others]\n32110=Kanal %2 %1\n32746=CSV-Dateien (*.csv)|*.csv\n"),
                 QStringList());
        // English against itself, as make test runs it on every shipped file.
        QCOMPARE(Check(kEnglish), QStringList());
    }

    void eachFaultIsFound_data()
    {
        QTest::addColumn<QByteArray>("candidate");
        QTest::addColumn<QStringList>("found");
        const QByteArray header = "[Language]\nName=Deutsch\nLocale=de\n";
        const QByteArray others = "[Others]\n32110=Kanal %1 %2\n32746=CSV-Dateien (*.csv)|*.csv\n";
        const QByteArray channel = "[ChannelInfo]\n14002=RX-Freq. (MHz)\n";
        QTest::newRow("missing id") << header + "[Msg]\n9001=Datendateien\n" + channel + others
                                    << QStringList{"missing 9002"};
        QTest::newRow("extra id") << header + "[Msg]\n9001=Datendateien\n9002=Dateifehler\n9999=Neu\n" + channel + others
                                  << QStringList{"extra 9999"};
        QTest::newRow("changed placeholder")
            << header + "[Msg]\n9001=Datendateien\n9002=Dateifehler\n" + channel +
                   "[Others]\n32110=Kanal %1 %3\n32746=CSV-Dateien (*.csv)|*.csv\n"
            << QStringList{"placeholders 32110: English has %1 %2, this file %1 %3"};
        QTest::newRow("lost placeholder")
            << header + "[Msg]\n9001=Datendateien\n9002=Dateifehler\n" + channel +
                   "[Others]\n32110=Kanal %1\n32746=CSV-Dateien (*.csv)|*.csv\n"
            << QStringList{"placeholders 32110: English has %1 %2, this file %1"};
        QTest::newRow("over-long caption")
            << header + "[Msg]\n9001=Datendateien\n9002=Dateifehler\n"
                        "[ChannelInfo]\n14002=Empfangsfrequenz (MHz)\n" + others
            << QStringList{"too long 14002: does not fit 2 line(s) of 80 pixels"};
        QTest::newRow("three lines in a room of two")
            << header + "[Msg]\n9001=Datendateien\n9002=Dateifehler\n"
                        "[ChannelInfo]\n14002=RX Frequ. in MHz\n" + others
            << QStringList{"too long 14002: does not fit 2 line(s) of 80 pixels"};
        QTest::newRow("past what the reader keeps")
            << header + "[Msg]\n9001=" + QByteArray(255, 'x') + "\n9002=Dateifehler\n" + channel + others
            << QStringList{"too long 9001: 255 bytes, the program reads 254"};
        QTest::newRow("empty text") << header + "[Msg]\n9001=\n9002=Dateifehler\n" + channel + others
                                    << QStringList{"empty 9001"};
        QTest::newRow("wrong section")
            << header + "[Msg]\n9001=Datendateien\n" + channel + "9002=Dateifehler\n" + others
            << QStringList{"missing 9002", "misplaced 9002: in [ChannelInfo], belongs in [Msg]"};
        QTest::newRow("twice") << header + "[Msg]\n9001=Datendateien\n9001=Daten\n9002=Dateifehler\n" + channel + others
                               << QStringList{"duplicate 9001"};
        QTest::newRow("filter pattern translated")
            << header + "[Msg]\n9001=Datendateien\n9002=Dateifehler\n" + channel +
                   "[Others]\n32110=Kanal %1 %2\n32746=CSV-Dateien (*.csv)|*.CSV\n"
            << QStringList{"filter 32746: the pattern must stay \"|*.csv\""};
        QTest::newRow("no header") << "[Msg]\n9001=Datendateien\n9002=Dateifehler\n" + channel + others
                                   << QStringList{"no header: the file needs [Language] with Name= and Locale="};
        QTest::newRow("not UTF-8") << header + "[Msg]\n9001=Datendateien\n9002=Dateifehler \xfc\n" + channel + others
                                   << QStringList{"unreadable: not UTF-8 text"};
    }
    void eachFaultIsFound()
    {
        QFETCH(QByteArray, candidate);
        QFETCH(QStringList, found);
        QCOMPARE(Check(candidate), found);
    }

    void roomsCountWholeWords_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("fits");
        QTest::newRow("one line") << "RX Freq" << true;
        QTest::newRow("two lines") << "RX Freq (MHz)" << true;
        QTest::newRow("a word wider than the room") << "Frequenzen" << false;
        QTest::newRow("three lines") << "a b c d e f g h i j k l m n o p q r" << false;
        QTest::newRow("exactly full") << "12345678 12345678" << true;
        QTest::newRow("empty") << "" << true;
        // Chinese breaks between characters, and before a word after them.
        QTest::newRow("Chinese, broken between characters") << QString::fromUtf8("接收频率接收频率接收") << true;
        QTest::newRow("Chinese, then a word") << QString::fromUtf8("接收频率(MHz)") << true;
        QTest::newRow("Chinese, three lines") << QString::fromUtf8("接收频率接收频率接收频率接收频率接收频率") << false;
    }
    void roomsCountWholeWords()
    {
        QFETCH(QString, text);
        QFETCH(bool, fits);
        QCOMPARE(fitsRoom(text.toStdString(), kRooms[0], TenPixels), fits);
    }

    void withoutWidthsOnlyTheReaderLimitCounts()
    {
        const QString path = dir_.filePath("wide.ini");
        QVERIFY(Write(path, "[Language]\nName=Deutsch\nLocale=de\n[Msg]\n9001=Datendateien\n9002=Dateifehler\n"
                            "[ChannelInfo]\n14002=Empfangsfrequenz (MHz)\n"
                            "[Others]\n32110=Kanal %1 %2\n32746=CSV-Dateien (*.csv)|*.csv\n"));
        QVERIFY(checkLanguageFile(english_.toStdString(), path.toStdString(), kRooms, {}).empty());
    }
};

QTEST_APPLESS_MAIN(TestLanguageCheck)
#include "test_language_check.moc"
