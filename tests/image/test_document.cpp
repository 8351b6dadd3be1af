#include "document.h"

#include <QTest>

using namespace zav;

namespace {
ChannelRecord Channel(int number, const char* rx)
{
    ChannelRecord r;
    r.Number = static_cast<Int16>(number);
    r.RxFrequency.assign(rx);
    return r;
}

void Fill(Document& d)
{
    RadioImage& im = d.image();
    im.ChannelCount = 3;
    d.active()[0] = Channel(1, "02786000");
    d.active()[1] = Channel(5, "02740000");
    d.active()[2] = Channel(521, "02786000");
    im.StandbyChannelCount = 2;
    d.standby()[0] = Channel(1, "02700000");
    d.standby()[1] = Channel(521, "02700000");
    for (int k = 0; k < 63; ++k)
        im.OptFeat.Common1[k] = static_cast<Int16>(k + 1);
    for (int k = 0; k < 79; ++k)
        im.StandbySettings[k] = static_cast<Int16>(1000 + k);
    im.OptFeat.Common2[12] = 77;
    im.DtmfSettings.DigitRate = 5;
    im.DtmfSettings.FirstDigitTime = 6;
    im.DtmfSettings.FirstDigitDelay = 7;
    im.OptFeat.CommonChannel.Option28 = 3;
    im.GroupNames[0].assign("EU");
    im.StandbyGroupNames[0].assign("AE");
}
} // namespace

class TestDocument : public QObject {
    Q_OBJECT
private slots:
    void swapTwiceIsIdentity()
    {
        Document d;
        Fill(d);
        const ImageSet before = d.working;
        d.swapChannelMode(4);
        QCOMPARE(int(d.image().ChannelMode), 4);
        QCOMPARE(int(d.image().ChannelCount), 2);
        QCOMPARE(int(d.image().DtmfSettings.FirstDigitDelay), 1001); // crossed pair
        QCOMPARE(int(d.image().DtmfSettings.FirstDigitTime), 1002);
        QCOMPARE(int(d.image().StandbySettings[1]), 7);
        QCOMPARE(int(d.image().OptFeat.Common2[12]), 1015);
        QCOMPARE(d.image().GroupNames[0].clean(), std::string("AE"));
        d.swapChannelMode(0);
        QVERIFY(d.working.Settings == before.Settings);
        QVERIFY(d.working.ActiveChannels == before.ActiveChannels);
        QVERIFY(d.working.StandbyChannels == before.StandbyChannels);
    }

    void swapToSameModeFamilyChangesNothing()
    {
        Document d;
        Fill(d);
        d.image().ChannelMode = 0;
        const ImageSet before = d.working;
        d.swapChannelMode(0);
        d.swapChannelMode(3); // any value other than 4 is country mode
        QVERIFY(d.working.Settings == before.Settings);
    }

    void modifiedTest()
    {
        Document d;
        Fill(d);
        d.copyWorkingToSaved();
        QVERIFY(!d.isModified());

        std::swap(d.active()[0], d.active()[1]); // reordering alone
        QVERIFY(!d.isModified());

        d.image().RadioList[3].Flag = 0; // not compared
        QVERIFY(!d.isModified());

        d.image().ScanSettings[2] = 1;
        QVERIFY(d.isModified());
        d.image().ScanSettings[2] = 0;
        d.image().AlertSettings[0] = 9;
        QVERIFY(d.isModified());
        d.image().AlertSettings[0] = 0;

        d.active()[2].RxTone = 3;
        QVERIFY(d.isModified());
        d.active()[2].RxTone = 0;
        // Texts compare clean: "EU" with a NUL equals "EU" padded.
        d.active()[2].Offset.bytes = {'\0', 'x', 'x', ' ', ' ', ' ', ' '};
        d.saved.ActiveChannels[2].Offset.assign("");
        QVERIFY(!d.isModified());
    }

    void loadedHeaderSetsModelAndBand()
    {
        Document d;
        d.saved.Settings.Header.Model.bytes = {'Z', 'A', 'V', '4', '1', '5', '\0'};
        d.saved.Settings.Header.BandCode = 8;
        d.copySavedToWorking();
        QCOMPARE(d.model.modelName, std::string("ZAV415"));
        QCOMPARE(d.model.bandLabel, std::string());
        QCOMPARE(d.model.bandLow, 100.0);
        QCOMPARE(d.model.bandHigh, 500.0);
        QCOMPARE(d.image().Header.Model.raw(), std::string("ZAV415 "));
    }

    void absurdCountsAreClamped()
    {
        Document d;
        d.saved.Settings.ChannelCount = -5;
        d.saved.Settings.StandbyChannelCount = 30000;
        d.copySavedToWorking(); // must not read past the tables
        QCOMPARE(d.activeCount(), 0);
        QCOMPARE(d.standbyCount(), 521);
    }
};

QTEST_APPLESS_MAIN(TestDocument)
#include "test_document.moc"
