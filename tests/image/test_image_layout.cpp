#include "image_layout.h"

#include <QTest>

using namespace zav;

class TestImageLayout : public QObject {
    Q_OBJECT
private slots:
    void fieldOffsetsMatchTheFile()
    {
        // Each marker lands at the documented offset of its field.
        ImageSet set;
        RadioImage& im = set.Settings;
        im.ChannelMode = 0x1111;
        im.ChannelCount = 0x2222;
        im.RadioList[0].Flag = 0x3333;
        im.TestFrequencies[0].First.assign("TTTTTTTT");
        im.OptFeat.Common1[0] = 0x4444;
        im.DtmfSettings.DigitRate = 0x5555;
        im.EmbeddedMessage[0].assign("EEEEEEEEEEEEEEEE");
        im.KeySettings[0] = 0x6666;
        im.AlertSettings[0] = 0x77;
        im.ScanSettings[0] = 0x88;
        im.ToneTips[0].Values[0] = 0x1234;
        im.GroupNames[0].assign("GGG");
        im.StandbyChannelCount = 0x0999;
        im.StandbySettings[0] = 0x0AAA;
        im.StandbyGroupNames[0].assign("SSS");
        set.ActiveChannels[0].Number = 0x0BBB;
        set.StandbyChannels[0].Number = 0x0CCC;
        set.ActiveChannels[1].option(ChannelOption::TsqMode) = 0x0DDD;

        const Bytes b = writeFullImage(set);
        QCOMPARE(int(b.size()), 95640);
        auto word = [&](int at) { return b[at] | (b[at + 1] << 8); };
        QCOMPARE(word(offsets::ChannelMode), 0x1111);
        QCOMPARE(word(offsets::ChannelCount), 0x2222);
        QCOMPARE(word(offsets::RadioList), 0x3333);
        QCOMPARE(char(b[offsets::TestFrequencies]), 'T');
        QCOMPARE(word(offsets::OptFeat), 0x4444);
        QCOMPARE(word(offsets::DtmfSettings), 0x5555);
        QCOMPARE(char(b[offsets::EmbeddedMessage]), 'E');
        QCOMPARE(word(offsets::KeySettings), 0x6666);
        QCOMPARE(int(b[offsets::AlertSettings]), 0x77);
        QCOMPARE(int(b[offsets::ScanSettings]), 0x88);
        QCOMPARE(word(offsets::ToneTips), 0x1234);
        QCOMPARE(char(b[offsets::GroupNames]), 'G');
        QCOMPARE(word(offsets::StandbyChannelCount), 0x0999);
        QCOMPARE(word(offsets::StandbySettings), 0x0AAA);
        QCOMPARE(char(b[offsets::StandbyGroupNames]), 'S');
        QCOMPARE(word(offsets::ActiveChannels), 0x0BBB);
        QCOMPARE(word(offsets::StandbyChannels), 0x0CCC);
        QCOMPARE(word(offsets::ActiveChannels + 90 + 88), 0x0DDD);
    }

    void channelMemberOffsets()
    {
        ChannelRecord r;
        r.RxFrequency.assign("02786000");
        r.OffsetDirection = 2;
        r.Offset.assign("0060000");
        r.RxStepClass = 7;
        r.option(ChannelOption::Reverse) = 9;
        Bytes b(90);
        writeChannelRecord(r, std::span<std::uint8_t, 90>(b.data(), 90));
        QCOMPARE(std::string(b.begin() + 6, b.begin() + 14), std::string("02786000"));
        QCOMPARE(int(b[52]), 2);
        QCOMPARE(std::string(b.begin() + 53, b.begin() + 60), std::string("0060000"));
        QCOMPARE(int(b[60]), 7);
        QCOMPARE(int(b[84]), 9);
    }

    void readBackIsIdenticalForArbitraryBytes()
    {
        Bytes in(95640);
        for (std::size_t i = 0; i < in.size(); ++i)
            in[i] = static_cast<std::uint8_t>((i * 131 + 7) & 0xFF);
        ImageSet set = readFullImage(std::span<const std::uint8_t, 95640>(in.data(), 95640));
        QVERIFY(writeFullImage(set) == in);
    }
};

QTEST_APPLESS_MAIN(TestImageLayout)
#include "test_image_layout.moc"
