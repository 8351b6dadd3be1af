#include "document.h"
#include "image_fields.h"

#include <QTest>

#include <functional>

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
    im.OptFeat.CommonChannel.option(ChannelOption::CallCode) = 3;
    im.GroupNames[0].assign("EU");
    im.StandbyGroupNames[0].assign("AE");
}

/// Changes one field of a channel record, found by its name.
struct ChangeChannelField {
    QString name;
    bool found = false;
    void operator()(const char* field, Int16& v)
    {
        if (name == field) {
            v = static_cast<Int16>(v + 1);
            found = true;
        }
    }
    void operator()(const char* field, std::uint8_t& v)
    {
        if (name == field) {
            v = static_cast<std::uint8_t>(v + 1);
            found = true;
        }
    }
    template <std::size_t N>
    void operator()(const char* field, FixedText<N>& v)
    {
        if (name == field) {
            v.assign(v.clean() == "1234567" ? "7654321" : "1234567");
            found = true;
        }
    }
};

// Every field of a channel record, in record order.
const char* const kChannelFields[] = {
    "Number",   "EmptyFlag", "Option7",  "RxFrequency", "RxTone",   "TxTone",   "Option27",        "Option44",
    "Option26", "Option43",  "Option25", "Option42",    "Option37", "Option38", "Option39",        "Option40",
    "Option41", "Option11",  "Option23", "Option24",    "Option13", "Option22", "Option28",        "OffsetDirection",
    "Offset",   "RxStepClass", "TxStepClass", "Option15", "Option12", "Option14", "Option16",      "Option21",
    "Option18", "Option10",  "Option9",  "Option8",     "Option19", "Option17", "Option29",        "Option30",
};

bool ChangeField(ChannelRecord& r, const QString& name)
{
    ChangeChannelField change{name};
    visitChannelFields(change, r);
    return change.found;
}

/// One area of the image that the modified test looks at (or, where
/// counts is false, deliberately does not).
struct AreaChange {
    QString name;
    bool counts = true;
    std::function<bool(Document&)> change; ///< false when it found nothing to change
};

std::vector<AreaChange> AreaChanges()
{
    std::vector<AreaChange> all;
    auto add = [&](QString name, bool counts, std::function<void(RadioImage&)> change) {
        all.push_back({std::move(name), counts, [change](Document& d) {
                           change(d.image());
                           return true;
                       }});
    };
    add("ChannelMode", true, [](RadioImage& im) { im.ChannelMode = 4; });
    add("ChannelCount", true, [](RadioImage& im) { im.ChannelCount = 2; });
    add("StandbyChannelCount", true, [](RadioImage& im) { im.StandbyChannelCount = 1; });
    for (const char* field : kChannelFields) {
        all.push_back({QString("active channel %1").arg(field), true,
                       [field](Document& d) { return ChangeField(d.active()[1], field); }});
        all.push_back({QString("last active channel %1").arg(field), true,
                       [field](Document& d) { return ChangeField(d.active()[2], field); }});
        all.push_back({QString("standby channel %1").arg(field), true,
                       [field](Document& d) { return ChangeField(d.standby()[1], field); }});
        all.push_back({QString("record beyond the count %1").arg(field), false,
                       [field](Document& d) { return ChangeField(d.active()[3], field); }});
    }
    add("Header.Model", true, [](RadioImage& im) { im.Header.Model.assign("ZAV416"); });
    add("Header.Model after a NUL", false, [](RadioImage& im) { im.Header.Model.bytes[6] = '\0'; });
    add("Header.BandCode", true, [](RadioImage& im) { im.Header.BandCode = 8; });
    add("Header.Version", false, [](RadioImage& im) { im.Header.Version.assign("V210"); });
    add("StandbySettings first", true, [](RadioImage& im) { im.StandbySettings[0]++; });
    add("StandbySettings last", true, [](RadioImage& im) { im.StandbySettings[78]++; });
    add("Common1 first", true, [](RadioImage& im) { im.OptFeat.Common1[0]++; });
    add("Common1 last", true, [](RadioImage& im) { im.OptFeat.Common1[62]++; });
    for (const char* field : kChannelFields)
        all.push_back({QString("CommonChannel %1").arg(field), true,
                       [field](Document& d) { return ChangeField(d.image().OptFeat.CommonChannel, field); }});
    add("PowerOnText", true, [](RadioImage& im) { im.OptFeat.PowerOnText.assign("HELLO"); });
    add("Common2 first", true, [](RadioImage& im) { im.OptFeat.Common2[0]++; });
    add("Common2 last", true, [](RadioImage& im) { im.OptFeat.Common2[16]++; });
    for (int k = 0; k <= 8; ++k)
        add(QString("DtmfSettings Integer %1").arg(k), true, [k](RadioImage& im) { im.DtmfSettings.integer(k)++; });
    add("DtmfSettings.IdCode", true, [](RadioImage& im) { im.DtmfSettings.IdCode.assign("123"); });
    add("DtmfSettings.IdCodeLength", true, [](RadioImage& im) { im.DtmfSettings.IdCodeLength = 3; });
    add("DtmfSettings.PttIdBot length", true, [](RadioImage& im) { im.DtmfSettings.PttIdBot.Length = 2; });
    add("DtmfSettings.PttIdBot code", true, [](RadioImage& im) { im.DtmfSettings.PttIdBot.Code.assign("12"); });
    add("DtmfSettings.PttIdEot", true, [](RadioImage& im) { im.DtmfSettings.PttIdEot.Code.assign("34"); });
    add("DtmfSettings.StunCode", true, [](RadioImage& im) { im.DtmfSettings.StunCode.Code.assign("56"); });
    add("DtmfSettings.KillCode", true, [](RadioImage& im) { im.DtmfSettings.KillCode.Length = 1; });
    add("DtmfSettings.CodeMemories 1", true, [](RadioImage& im) { im.DtmfSettings.CodeMemories[0].Code.assign("9"); });
    add("DtmfSettings.CodeMemories 16", true, [](RadioImage& im) { im.DtmfSettings.CodeMemories[15].Length = 4; });
    add("EmbeddedMessage first", true, [](RadioImage& im) { im.EmbeddedMessage[0].assign("HI"); });
    add("EmbeddedMessage last", true, [](RadioImage& im) { im.EmbeddedMessage[3].assign("HI"); });
    add("KeySettings first", true, [](RadioImage& im) { im.KeySettings[0]++; });
    add("KeySettings last", true, [](RadioImage& im) { im.KeySettings[5]++; });
    add("AlertSettings first", true, [](RadioImage& im) { im.AlertSettings[0]++; });
    add("AlertSettings last", true, [](RadioImage& im) { im.AlertSettings[10]++; });
    add("ScanSettings first", true, [](RadioImage& im) { im.ScanSettings[0]++; });
    add("ScanSettings last", true, [](RadioImage& im) { im.ScanSettings[11]++; });
    add("ToneTips first", true, [](RadioImage& im) { im.ToneTips[0].Values[0]++; });
    add("ToneTips last", true, [](RadioImage& im) { im.ToneTips[7].Values[29]++; });
    add("GroupNames first", true, [](RadioImage& im) { im.GroupNames[0].assign("XY"); });
    add("GroupNames last", true, [](RadioImage& im) { im.GroupNames[11].assign("XY"); });
    add("StandbyGroupNames first", true, [](RadioImage& im) { im.StandbyGroupNames[0].assign("XY"); });
    add("StandbyGroupNames last", true, [](RadioImage& im) { im.StandbyGroupNames[11].assign("XY"); });
    add("TestFrequencies first", true, [](RadioImage& im) { im.TestFrequencies[0].First.assign("02786000"); });
    add("TestFrequencies last", true, [](RadioImage& im) { im.TestFrequencies[10].Second.assign("02786000"); });
    add("RadioList flag", false, [](RadioImage& im) { im.RadioList[0].Flag = 1; });
    add("RadioList frequency", false, [](RadioImage& im) { im.RadioList[19].Frequency.assign("02786000"); });
    return all;
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

    void everyComparedAreaCounts_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<bool>("counts");
        const std::vector<AreaChange> changes = AreaChanges();
        for (std::size_t i = 0; i < changes.size(); ++i)
            QTest::newRow(qPrintable(changes[i].name)) << int(i) << changes[i].counts;
    }
    void everyComparedAreaCounts()
    {
        QFETCH(int, row);
        QFETCH(bool, counts);
        Document d;
        Fill(d);
        d.active()[3] = Channel(9, "02900000"); // beyond the count
        d.copyWorkingToSaved();
        QVERIFY(!d.isModified());
        const ImageSet before = d.working;

        QVERIFY(AreaChanges()[std::size_t(row)].change(d));
        QCOMPARE(d.isModified(), counts);

        d.working = before; // and back
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
