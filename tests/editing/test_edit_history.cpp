// The edit history: steps found by comparing the image before and after an
// action, undone and redone byte for byte, named by what they changed, and
// bounded in number.

#include "channel_writes.h"
#include "data_file.h"
#include "defaults.h"
#include "edit_history.h"
#include "image_layout.h"
#include "version_records.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <fstream>
#include <iterator>

using namespace zav;

namespace {

ImageSet newImage()
{
    Document doc;
    (void)buildNewDocument(doc, "/nonexistent/zav-test-init", TemplateVariant::NewDocument);
    doc.copyWorkingToSaved();
    // Channels 1..20, all like the new document's first one.
    ImageSet set = doc.working;
    for (int i = 0; i < 20; ++i) {
        set.ActiveChannels[static_cast<std::size_t>(i)] = doc.working.ActiveChannels[0];
        set.ActiveChannels[static_cast<std::size_t>(i)].Number = static_cast<Int16>(i + 1);
    }
    set.Settings.ChannelCount = 20;
    return set;
}

/// The used record numbered number.
ChannelRecord& channel(ImageSet& set, int number)
{
    for (int i = 0; i < set.Settings.ChannelCount; ++i)
        if (set.ActiveChannels[static_cast<std::size_t>(i)].Number == number)
            return set.ActiveChannels[static_cast<std::size_t>(i)];
    qFatal("channel %d missing", number);
}

using Edit = void (*)(ImageSet&);
using DocumentEdit = void (*)(Document&);

/// A country-mode data file with 10 active and 15 standby channels whose
/// records beyond both counts hold arbitrary bytes, as files from the field do.
Bytes fileWithOldSlots()
{
    Document doc;
    (void)buildNewDocument(doc, "/nonexistent/zav-test-init", TemplateVariant::NewDocument);
    for (int i = 0; i < 15; ++i) {
        ChannelRecord record = doc.working.ActiveChannels[0];
        record.Number = static_cast<Int16>(i + 1);
        doc.working.ActiveChannels[static_cast<std::size_t>(i)] = record;
        record.Number = static_cast<Int16>(i + 2);
        doc.working.StandbyChannels[static_cast<std::size_t>(i)] = record;
    }
    doc.image().ChannelMode = 0;
    doc.image().ChannelCount = 10;
    doc.image().StandbyChannelCount = 15;
    doc.copyWorkingToSaved();
    Bytes bytes = writeFullImage(doc.saved);
    QRandomGenerator random(18);
    for (int i = 10; i < kChannelSlots; ++i)
        for (int b = 0; b < kChannelRecordBytes; ++b)
            bytes[static_cast<std::size_t>(offsets::ActiveChannels + i * kChannelRecordBytes + b)] =
                static_cast<std::uint8_t>(random.bounded(256));
    for (int i = 15; i < kChannelSlots; ++i)
        for (int b = 0; b < kChannelRecordBytes; ++b)
            bytes[static_cast<std::size_t>(offsets::StandbyChannels + i * kChannelRecordBytes + b)] =
                static_cast<std::uint8_t>(random.bounded(256));
    return bytes;
}

Bytes readBytes(const QString& path)
{
    std::ifstream in(path.toStdString(), std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

} // namespace

Q_DECLARE_METATYPE(Edit)
Q_DECLARE_METATYPE(DocumentEdit)

class TestEditHistory : public QObject {
    Q_OBJECT

private slots:
    void unchangedIsNoStep()
    {
        const ImageSet image = newImage();
        EditHistory history;
        history.reset(image);
        QVERIFY(!history.commit(image));
        QVERIFY(!history.canUndo());
        ImageSet working = image;
        QVERIFY(!history.undo(working));
    }

    void undoAndRedoAreByteExact()
    {
        const ImageSet original = newImage();
        EditHistory history;
        history.reset(original);
        ImageSet working = original;
        const std::vector<Edit> edits = {
            [](ImageSet& s) { channel(s, 5).RxFrequency.assign("02689000"); },
            [](ImageSet& s) { channel(s, 5).TxTone = 12; },
            [](ImageSet& s) { s.Settings.OptFeat.Common2[common2::SquelchLevel] = 7; },
            [](ImageSet& s) { s.Settings.DtmfSettings.CodeMemories[7].Code.assign("123"); s.Settings.DtmfSettings.CodeMemories[7].Length = 3; },
            [](ImageSet& s) { s.Settings.ToneTips[2].noteFrequency(1) = 1200; },
        };
        std::vector<QByteArray> states{QByteArray()};
        auto bytes = [](const ImageSet& s) {
            const Bytes b = writeFullImage(s);
            return QByteArray(reinterpret_cast<const char*>(b.data()), static_cast<qsizetype>(b.size()));
        };
        states[0] = bytes(working);
        for (Edit edit : edits) {
            edit(working);
            QVERIFY(history.commit(working));
            states.push_back(bytes(working));
        }
        for (int i = static_cast<int>(edits.size()) - 1; i >= 0; --i) {
            QVERIFY(history.undo(working));
            QCOMPARE(bytes(working), states[static_cast<std::size_t>(i)]);
        }
        QVERIFY(!history.canUndo());
        for (std::size_t i = 1; i < states.size(); ++i) {
            QVERIFY(history.redo(working));
            QCOMPARE(bytes(working), states[i]);
        }
        QVERIFY(!history.canRedo());
        // After an undo a new edit replaces what could be redone.
        QVERIFY(history.undo(working));
        channel(working, 9).RxTone = 3;
        QVERIFY(history.commit(working));
        QVERIFY(!history.canRedo());
        QVERIFY(history.undo(working));
        QCOMPARE(bytes(working), states[states.size() - 2]);
    }

    // A file is opened, edited and saved; the edits are undone and it is
    // saved again: the second file is the first, record slots beyond the
    // counts included, whatever the edits and the save in between left there.
    void undoneEditsGiveTheOpenedFile_data()
    {
        QTest::addColumn<DocumentEdit>("edit");
        QTest::newRow("channels removed") << DocumentEdit([](Document& d) {
            for (int i = 0; i < 3; ++i)
                removeChannelAt(d, 0);
        });
        QTest::newRow("channels added") << DocumentEdit([](Document& d) {
            for (int n = 300; n < 303; ++n)
                QVERIFY(appendChannel(d, n, "27.50000", false, documentBand(d)));
        });
        QTest::newRow("mode changed") << DocumentEdit([](Document& d) { d.swapChannelMode(kExtendedMode); });
    }
    void undoneEditsGiveTheOpenedFile()
    {
        QFETCH(DocumentEdit, edit);
        const Bytes original = fileWithOldSlots();
        QTemporaryDir dir;
        Document doc;
        const std::string opened = dir.filePath("opened.dat").toStdString();
        QCOMPARE(int(openDocumentBytes(doc, original, opened, VersionRecords{}).outcome), int(OpenOutcome::Opened));
        EditHistory history;
        history.reset(doc.working);

        edit(doc);
        QVERIFY(history.commit(doc.working));
        QVERIFY(saveDocument(doc, dir.filePath("edited.dat").toStdString()));
        QVERIFY(readBytes(dir.filePath("edited.dat")) != original);
        QVERIFY(history.undo(doc.working));
        QVERIFY(saveDocument(doc, dir.filePath("undone.dat").toStdString()));
        const Bytes undone = readBytes(dir.filePath("undone.dat"));
        QCOMPARE(undone.size(), original.size());
        int differing = 0;
        for (std::size_t i = 0; i < original.size(); ++i)
            differing += undone[i] != original[i] ? 1 : 0;
        QCOMPARE(differing, 0);
    }

    void boundedNumberOfSteps()
    {
        ImageSet working = newImage();
        EditHistory history(3);
        history.reset(working);
        for (int i = 1; i <= 5; ++i) {
            channel(working, 1).RxTone = static_cast<Int16>(i);
            QVERIFY(history.commit(working));
        }
        QCOMPARE(history.undoCount(), 3);
        while (history.undo(working)) {
        }
        QCOMPARE(channel(working, 1).RxTone, Int16(2)); // the state after the second edit
    }

    void stepNames_data()
    {
        using Area = ChangeSummary::Area;
        QTest::addColumn<Edit>("edit");
        QTest::addColumn<int>("area");
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("field");
        QTest::newRow("frequency") << Edit([](ImageSet& s) { channel(s, 5).RxFrequency.assign("02689000"); })
                                   << int(Area::Channel) << 5 << "RxFrequency";
        QTest::newRow("offset") << Edit([](ImageSet& s) { channel(s, 12).Offset.assign("0060000"); })
                                << int(Area::Channel) << 12 << "Offset";
        QTest::newRow("tone copied to the other") << Edit([](ImageSet& s) { channel(s, 3).RxTone = 4; channel(s, 3).TxTone = 4; })
                                                  << int(Area::Channel) << 3 << "RxTone";
        QTest::newRow("channel added") << Edit([](ImageSet& s) { s.ActiveChannels[20] = s.ActiveChannels[0]; s.ActiveChannels[20].Number = 30; s.Settings.ChannelCount = 21; })
                                       << int(Area::Channel) << 30 << "RxFrequency";
        QTest::newRow("two channels") << Edit([](ImageSet& s) { channel(s, 3).RxTone = 4; channel(s, 4).RxTone = 4; })
                                      << int(Area::Channels) << 0 << "";
        QTest::newRow("group name") << Edit([](ImageSet& s) { s.Settings.GroupNames[3].assign("AB"); })
                                    << int(Area::GroupName) << 0 << "";
        QTest::newRow("emergency channel") << Edit([](ImageSet& s) { s.Settings.OptFeat.Common1[common1::EmergencyChannelBase + 3] = 9; })
                                           << int(Area::EmergencyChannel) << 0 << "";
        QTest::newRow("AM/FM list") << Edit([](ImageSet& s) { s.Settings.OptFeat.Common1[common1::EmergencyAmFmBase + 1] = 1; })
                                    << int(Area::AmFm) << 0 << "";
        QTest::newRow("optional feature") << Edit([](ImageSet& s) { s.Settings.OptFeat.Common2[common2::Vox] = 1; })
                                          << int(Area::OptionalFeatures) << 0 << "";
        QTest::newRow("DTMF memory and a channel's reference to it")
            << Edit([](ImageSet& s) {
                   s.Settings.DtmfSettings.CodeMemories[0].Length = 5;
                   channel(s, 2).option(ChannelOption::BotCode) = 5;
               })
            << int(Area::Dtmf) << 0 << "";
        QTest::newRow("tone tip") << Edit([](ImageSet& s) { s.Settings.ToneTips[0].tipInterval() = 9; })
                                  << int(Area::ToneTips) << 0 << "";
        QTest::newRow("embedded message") << Edit([](ImageSet& s) { s.Settings.EmbeddedMessage[1].assign("HELLO"); })
                                          << int(Area::EmbeddedMessage) << 0 << "";
        QTest::newRow("mode") << Edit([](ImageSet& s) { s.Settings.ChannelMode = kExtendedMode; std::swap(s.ActiveChannels, s.StandbyChannels); })
                              << int(Area::ChannelMode) << 0 << "";
    }
    void stepNames()
    {
        QFETCH(Edit, edit);
        QFETCH(int, area);
        QFETCH(int, number);
        QFETCH(QString, field);
        ImageSet working = newImage();
        EditHistory history;
        history.reset(working);
        edit(working);
        QVERIFY(history.commit(working));
        QCOMPARE(int(history.undoSummary().area), area);
        QCOMPARE(history.undoSummary().channelNumber, number);
        QCOMPARE(QString::fromStdString(history.undoSummary().field), field);
    }
};


QTEST_MAIN(TestEditHistory)
#include "test_edit_history.moc"
