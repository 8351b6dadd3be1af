// New documents: default values, nothing left of the previous document,
// and the template files of the Init folder.

#include "data_file.h"
#include "defaults.h"
#include "image_layout.h"

#include "image_test_util.h"

#include <QTemporaryDir>
#include <QTest>

using namespace zav;
using namespace zav::testing;

namespace {
std::string Raw(const auto& text) { return text.raw(); }

/// A saved full file whose channels differ from the defaults.
QByteArray FullFileWithChannels(std::initializer_list<int> numbers)
{
    Document d;
    buildNewDocument(d, "", TemplateVariant::NewDocument);
    d.image().ChannelCount = 0;
    for (int n : numbers)
        appendDefaultChannel(d, n, 26.5, false);
    d.image().OptFeat.Common1[common1::TotTime] = 9;
    d.copyWorkingToSaved();
    return ToQBytes(writeFullImage(d.saved));
}

/// An image-only template: settings with counts that must not be taken.
QByteArray ImageOnlyFile(int totTime)
{
    RadioImage im;
    im.Header.Model.assign("ZAV415");
    im.Header.Version.assign("V300");
    im.ChannelCount = 5;
    im.StandbyChannelCount = 3;
    im.OptFeat.Common1[common1::TotTime] = static_cast<Int16>(totTime);
    Bytes bytes(kRadioImageBytes);
    writeRadioImage(im, std::span<std::uint8_t, kRadioImageBytes>(bytes.data(), kRadioImageBytes));
    return ToQBytes(bytes);
}
} // namespace

class TestDefaults : public QObject {
    Q_OBJECT
private slots:
    void defaultsWithoutTemplates_data()
    {
        QTest::addColumn<int>("mode");
        QTest::newRow("country") << 0;
        QTest::newRow("extended") << 4;
    }
    void defaultsWithoutTemplates()
    {
        QFETCH(int, mode);
        Document d;
        d.image().ChannelMode = static_cast<Int16>(mode);
        d.documentPath = "/somewhere/old.dat";
        d.isUntitled = false;
        NewDocumentResult r = buildNewDocument(d, "/nonexistent/Init", TemplateVariant::NewDocument);
        QVERIFY(!r.templateLoaded);
        QCOMPARE(r.messageId, 0);
        QVERIFY(d.isUntitled);
        QCOMPARE(d.documentPath, std::string("new.dat"));
        QVERIFY(!d.isModified());

        const RadioImage& im = d.image();
        QCOMPARE(int(im.ChannelMode), mode);
        for (bool standby : {false, true}) {
            QCOMPARE(int(standby ? im.StandbyChannelCount : im.ChannelCount), 2);
            const ChannelTable& table = standby ? d.standby() : d.active();
            QCOMPARE(int(table[0].Number), 1);
            QCOMPARE(int(table[1].Number), 521);
            for (int i : {0, 1}) {
                QCOMPARE(Raw(table[i].RxFrequency), std::string("02786000"));
                QCOMPARE(int(table[i].RxTone), 0);
                QCOMPARE(int(table[i].TxTone), 0);
                QCOMPARE(int(table[i].OffsetDirection), 0);
                QCOMPARE(Raw(table[i].Offset), std::string(7, '\0'));
            }
        }
        const bool extended = mode == 4;
        const char* names[2][12] = {{"EU", "CE", "UK", "PL", "I2", "DE", "IN", "A", "B", "C", "D", "E"},
                                    {"AE", "BE", "CE", "DE", "EE", "FE", "GE", "HE", "IE", "LE", "VFO", "E"}};
        for (int k = 0; k < 12; ++k) {
            QCOMPARE(im.GroupNames[k].clean(), std::string(names[extended][k]));
            QCOMPARE(im.StandbyGroupNames[k].clean(), std::string(names[!extended][k]));
        }

        QCOMPARE(Raw(im.Header.Model), std::string("ZAV415 "));
        QCOMPARE(Raw(im.Header.Version), std::string("V300"));
        QCOMPARE(int(im.Header.BandCode), 0);
        QCOMPARE(Raw(im.OptFeat.PowerOnText), std::string(1, '\0') + "        VANTERA");
        QCOMPARE(Raw(im.EmbeddedMessage[3]), std::string(1, '\0') + std::string(15, ' '));
        QCOMPARE(Raw(im.DtmfSettings.IdCode), std::string("000       "));
        QCOMPARE(int(im.DtmfSettings.IdCodeLength), 3);
        QCOMPARE(Raw(im.DtmfSettings.CodeMemories[15].Code), std::string(16, ' '));
        QCOMPARE(int(im.RadioList[19].Flag), 1);
        QCOMPARE(Raw(im.RadioList[19].Frequency), std::string(8, ' '));

        const std::array<Int16, 63> common1{4, 3, 1, 1, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                            0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                            0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 9, 0};
        QVERIFY(im.OptFeat.Common1 == common1);
        const std::array<Int16, 17> common2{0, 1, 0, 3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
        QVERIFY(im.OptFeat.Common2 == common2);
        // Each standby setting equals the active field it stands for.
        ImageSet swapped = d.working;
        exchangeModePairs(swapped);
        QVERIFY(swapped.Settings.StandbySettings == im.StandbySettings);
        QCOMPARE(int(im.StandbySettings[6]), 4);
        QCOMPARE(int(im.StandbySettings[12]), 1);

        const std::array<Int16, 6> keys{10, 10, 0, 0, 0, 0};
        QVERIFY(im.KeySettings == keys);
        QCOMPARE(int(im.AlertSettings[0]), 1);
        QCOMPARE(int(im.ToneTips[0].Values[0]), 210);
        QCOMPARE(int(im.ToneTips[1].Values[27]), 4);
        QCOMPARE(int(im.ToneTips[3].Values[9]), 6);
        QCOMPARE(int(im.ToneTips[4].tipRepeatCount()), 1);
        QCOMPARE(int(im.ToneTips[4].Values[12]), 0);
    }

    void nothingOfThePreviousDocumentSurvives()
    {
        Document d;
        buildNewDocument(d, "", TemplateVariant::NewDocument);
        d.image().TestFrequencies[3].First.assign("02700000");
        d.image().ToneTips[6].Values[0] = 99;
        d.image().OptFeat.CommonChannel.option(ChannelOption::ScanSkip) = 5;
        d.image().ChannelCount = 4;
        d.active()[3].Number = 17;
        d.standby()[200].Number = 300;
        d.copyWorkingToSaved();

        buildNewDocument(d, "", TemplateVariant::NewDocument);
        ImageSet fresh;
        {
            Document other;
            buildNewDocument(other, "", TemplateVariant::NewDocument);
            fresh = other.working;
        }
        QVERIFY(SameImage(d.working, fresh));
        QVERIFY(SameImage(d.saved, fresh));
        QCOMPARE(int(d.active()[3].Number), 0);
    }

    void appendStopsAtFullTable()
    {
        Document d;
        d.image().ChannelCount = 521;
        appendDefaultChannel(d, 7, 27.0, false);
        QCOMPARE(int(d.image().ChannelCount), 521);
        d.image().ChannelCount = -3; // corrupt count: nothing is written anywhere
        appendDefaultChannel(d, 7, 27.0, false);
        QCOMPARE(int(d.image().ChannelCount), -3);
    }

    void templates_data()
    {
        QTest::addColumn<QString>("files");   // comma-separated: name=kind
        QTest::addColumn<bool>("init");
        QTest::addColumn<bool>("loaded");
        QTest::addColumn<int>("messageId");
        QTest::addColumn<int>("channelCount");
        QTest::addColumn<int>("totTime");
        QTest::newRow("full NEW template") << "ZAV415_0_NEW.dat=full" << false << true << 0 << 3 << 9;
        QTest::newRow("NEW wins over image-only")
            << "ZAV415_0_NEW.dat=full,ZAV415_0.dat=image" << false << true << 0 << 3 << 9;
        QTest::newRow("image-only settings") << "ZAV415_0.dat=image" << false << true << 0 << 0 << 6;
        QTest::newRow("image-only wrong length") << "ZAV415_0.dat=short" << false << false << 9033 << 2 << 4;
        QTest::newRow("image-only given a full file") << "ZAV415_0.dat=full" << false << false << 9033 << 2 << 4;
        QTest::newRow("corrupt full template") << "ZAV415_0_NEW.dat=short" << false << false << 0 << 2 << 4;
        QTest::newRow("full template with bad numbers") << "ZAV415_0_NEW.dat=dup" << false << false << 0 << 2 << 4;
        QTest::newRow("Init loads the full file") << "ZAV415_0.dat=full" << true << true << 0 << 3 << 9;
        QTest::newRow("Init ignores NEW") << "ZAV415_0_NEW.dat=full" << true << false << 0 << 2 << 4;
    }
    void templates()
    {
        QFETCH(QString, files);
        QFETCH(bool, init);
        QFETCH(bool, loaded);
        QFETCH(int, messageId);
        QFETCH(int, channelCount);
        QFETCH(int, totTime);
        QTemporaryDir dir;
        for (const QString& entry : files.split(',')) {
            const QString name = entry.section('=', 0, 0);
            const QString kind = entry.section('=', 1, 1);
            QByteArray data = kind == "full"    ? FullFileWithChannels({5, 6, 7})
                              : kind == "image" ? ImageOnlyFile(6)
                              : kind == "dup"   ? FullFileWithChannels({5, 5, 7})
                                                : QByteArray(1000, 'x');
            QVERIFY(WriteFile(dir.filePath(name), data));
        }
        Document d;
        NewDocumentResult r = buildNewDocument(d, dir.path().toStdString(),
                                               init ? TemplateVariant::Init : TemplateVariant::NewDocument);
        QCOMPARE(r.templateLoaded, loaded);
        QCOMPARE(r.messageId, messageId);
        QVERIFY(d.isUntitled);
        QCOMPARE(d.documentPath, std::string("new.dat"));
        QVERIFY(!d.isModified());
        QCOMPARE(int(d.image().ChannelCount), channelCount);
        QCOMPARE(int(d.image().OptFeat.Common1[common1::TotTime]), totTime);
        QCOMPARE(Raw(d.image().Header.Version), std::string("V300"));
        QCOMPARE(Raw(d.image().Header.Model), std::string("ZAV415 "));
        if (channelCount == 0) {
            // Image-only: no used channels in either table, the default
            // records stay where they were.
            QCOMPARE(int(d.image().StandbyChannelCount), 0);
            QCOMPARE(int(d.active()[1].Number), 521);
            QCOMPARE(Raw(d.active()[0].RxFrequency), std::string("02786000"));
        } else if (channelCount == 3) {
            QCOMPARE(int(d.active()[2].Number), 7);
        }
    }
};

QTEST_APPLESS_MAIN(TestDefaults)
#include "test_defaults.moc"
