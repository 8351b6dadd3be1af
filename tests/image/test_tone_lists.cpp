// Every entry of both tone lists, one row each: the channels' 265 tones and
// the optional features' own 283-entry list. The expected lists are written
// out here independently of the program's tables, so a single mistyped
// tone or code in the program's tables shows as the row that names it, in
// each direction: entry to text, entry to the radio's 16-bit value, and the
// radio's value back to the entry.

#include "codecs.h"

#include <QTest>

using namespace zav;

namespace {

// CTCSS tones in Hz, tone 1 first.
const char* const kCtcss = R"(
    67.0 69.3 71.9 74.4 77.0 79.7 82.5 85.4 88.5 91.5
    94.8 97.4 100.0 103.5 107.2 110.9 114.8 118.8 123.0 127.3
    131.8 136.5 141.3 146.2 151.4 156.7 159.8 162.2 165.5 167.9
    171.3 173.8 177.3 179.9 183.5 186.2 189.9 192.8 196.6 199.5
    203.5 206.5 210.7 218.1 225.7 229.1 233.6 241.8 250.3 254.1)";

// The 107 DCS codes (octal) of the channels' tone list, code 1 first.
const char* const kChannelDcs = R"(
    017 023 025 026 031 032 036 043 047 050 051 053
    054 065 071 072 073 074 114 115 116 122 125 131
    132 134 143 145 152 155 156 162 165 172 174 205
    212 223 225 226 243 244 245 246 251 252 255 261
    263 265 266 271 274 306 311 315 325 331 332 343
    346 351 356 364 365 371 411 412 413 423 431 432
    445 446 452 454 455 462 464 465 466 503 506 516
    523 526 532 546 565 606 612 624 627 631 632 645
    654 662 664 703 712 723 731 732 734 743 754)";

// The 116 DCS codes (octal) of the optional features' tone list.
const char* const kCommonDcs = R"(
    017 023 025 026 031 032 036 043 047 050 051 053
    054 055 065 071 072 073 074 114 115 116 122 125
    131 132 134 135 143 145 152 155 156 162 165 172
    174 205 212 217 223 225 226 243 244 245 246 251
    252 254 255 261 263 265 266 271 274 305 306 311
    315 325 331 332 343 345 346 351 356 364 365 371
    411 412 413 423 425 431 432 445 446 452 454 455
    462 464 465 466 503 506 516 523 526 532 534 546
    565 606 612 624 627 631 632 645 654 662 664 703
    712 723 731 732 734 743 754 765)";

QStringList Split(const char* text) { return QString::fromLatin1(text).simplified().split(' '); }

/// "67.0" -> 670: the radio holds CTCSS tones in tenths of a hertz.
int Tenths(const QString& hz) { return QString(hz).remove('.').toInt(); }
/// "023" -> 19: the radio holds a DCS code as its octal value.
int octalValue(const QString& code) { return code.toInt(nullptr, 8); }

constexpr int kNoTone = 0xFFFF;
constexpr int kDcsNormal = 0xD000;
constexpr int kDcsInverted = 0x8000;

/// Rows of a tone list laid out as: entry 0 none, the 50 CTCSS tones, the
/// DCS codes in normal polarity, the same codes inverted.
void AddRows(const QString& list, const QString& none, const QString& dcsPrefix, const QStringList& dcs)
{
    QTest::addRow("%s entry 0", qPrintable(list)) << 0 << none << kNoTone;
    const QStringList ctcss = Split(kCtcss);
    int entry = 1;
    for (const QString& hz : ctcss) {
        QTest::addRow("%s entry %d %s", qPrintable(list), entry, qPrintable(hz)) << entry << hz << Tenths(hz);
        ++entry;
    }
    for (const auto& [suffix, base] : {std::pair{'N', kDcsNormal}, std::pair{'I', kDcsInverted}})
        for (const QString& code : dcs) {
            const QString text = dcsPrefix + code + QChar(suffix);
            QTest::addRow("%s entry %d %s", qPrintable(list), entry, qPrintable(text))
                << entry << text << base + octalValue(code);
            ++entry;
        }
}

} // namespace

class TestToneLists : public QObject {
    Q_OBJECT
private slots:
    void transcribedListsAreWhole()
    {
        // A slip in the lists above would make every row below meaningless.
        QCOMPARE(Split(kCtcss).size(), 50);
        QCOMPARE(Split(kChannelDcs).size(), 107);
        QCOMPARE(Split(kCommonDcs).size(), 116);
    }

    void channelTone_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("wire");
        AddRows("channel", "OFF", "D", Split(kChannelDcs));
    }
    void channelTone()
    {
        QFETCH(int, index);
        QFETCH(QString, text);
        QFETCH(int, wire);
        QCOMPARE(QString::fromStdString(toneText(index)), text);
        QCOMPARE(QString::fromStdString(toneTexts().at(std::size_t(index))), text);
        QCOMPARE(int(toneToWire(index)), wire);
        QCOMPARE(wireToTone(std::uint16_t(wire)), index);
    }

    void channelListEnds()
    {
        QCOMPARE(int(toneTexts().size()), 265);
        QCOMPARE(QString::fromStdString(toneText(265)), QString());
        QCOMPARE(int(toneToWire(265)), kNoTone);
        QCOMPARE(int(toneToWire(-1)), kNoTone);
    }

    void commonTone_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("wire");
        // Entry 0 is a text of the language file, not one of these texts.
        AddRows("common", "", "D", Split(kCommonDcs));
    }
    void commonTone()
    {
        QFETCH(int, index);
        QFETCH(QString, text);
        QFETCH(int, wire);
        QCOMPARE(QString::fromStdString(commonToneText(index)), text);
        if (index > 0)
            QCOMPARE(QString::fromStdString(commonToneTexts().at(std::size_t(index - 1))), text);
        QCOMPARE(int(commonToneToWire(index)), wire);
        QCOMPARE(wireToCommonTone(std::uint16_t(wire)), index);
    }

    void commonListEnds()
    {
        QCOMPARE(int(commonToneTexts().size()), 282);
        QCOMPARE(QString::fromStdString(commonToneText(283)), QString());
        QCOMPARE(int(commonToneToWire(283)), kNoTone);
        QCOMPARE(int(commonToneToWire(-1)), kNoTone);
    }
};

QTEST_APPLESS_MAIN(TestToneLists)
#include "test_tone_lists.moc"
