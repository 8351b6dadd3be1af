// JSON dump and field diff of images: valid JSON with every member, exact
// escaping of text bytes, differences named by dotted path with channels
// matched by Number.

#include "defaults.h"
#include "image_diff.h"
#include "image_json.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

#include <functional>

using namespace zav;

namespace {
ImageSet NewImage()
{
    Document d;
    buildNewDocument(d, "", TemplateVariant::NewDocument);
    return d.working;
}

QStringList Names(const std::vector<FieldDifference>& diffs)
{
    QStringList names;
    for (const auto& d : diffs)
        names << QString::fromStdString(d.name);
    return names;
}

using Edit = std::function<void(ImageSet&)>;
} // namespace

Q_DECLARE_METATYPE(Edit)

class TestImageJsonDiff : public QObject {
    Q_OBJECT
private slots:
    void jsonString_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("json");
        QTest::newRow("plain") << QByteArray("ZAV415 ") << "\"ZAV415 \"";
        QTest::newRow("quote and backslash") << QByteArray("a\"b\\c") << "\"a\\\"b\\\\c\"";
        QTest::newRow("NUL") << QByteArray("\0A", 2) << "\"\\u0000A\"";
        QTest::newRow("control and DEL") << QByteArray("\n\x7F") << "\"\\u000A\\u007F\"";
        QTest::newRow("high byte") << QByteArray("\xC8\xFF") << "\"\\u00C8\\u00FF\"";
    }
    void jsonString()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, json);
        QCOMPARE(QString::fromStdString(zav::jsonString(std::string_view(bytes.constData(), size_t(bytes.size())))), json);
    }

    void jsonDocument_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("listed");
        QTest::newRow("new document") << 2 << 2;
        QTest::newRow("count above the table") << 600 << 521;
        QTest::newRow("negative count") << -5 << 0;
    }
    void jsonDocument()
    {
        QFETCH(int, count);
        QFETCH(int, listed);
        ImageSet set = NewImage();
        set.Settings.ChannelCount = Int16(count);
        set.Settings.GroupNames[0].bytes[2] = char(0xC8);
        QJsonParseError error;
        const QJsonDocument json =
            QJsonDocument::fromJson(QByteArray::fromStdString(imageSetToJson(set)), &error);
        QCOMPARE(error.error, QJsonParseError::NoError);
        const QJsonObject top = json.object();
        QCOMPARE(top.keys(), (QStringList{"ActiveChannels", "Settings", "StandbyChannels"}));
        QCOMPARE(top["ActiveChannels"].toArray().size(), listed);
        QCOMPARE(top["StandbyChannels"].toArray().size(), 2);
        const QJsonObject s = top["Settings"].toObject();
        QCOMPARE(s.size(), 16);
        QCOMPARE(s["Header"].toObject()["Model"].toString(), QString("ZAV415 "));
        QCOMPARE(s["OptFeat"].toObject()["Common1"].toArray().size(), 63);
        QCOMPARE(s["OptFeat"].toObject()["CommonChannel"].toObject().size(), 40);
        QCOMPARE(s["DtmfSettings"].toObject()["CodeMemories"].toArray().size(), 16);
        QCOMPARE(s["ToneTips"].toArray()[1].toObject()["Values"].toArray()[0].toInt(), 80);
        // Texts read as GBK: a lead byte with nothing after it in the field
        // is no character.
        QCOMPARE(s["GroupNames"].toArray()[0].toString(), QString("EU") + QChar(0xFFFD));
        QCOMPARE(s["OptFeat"].toObject()["PowerOnText"].toString(), QString(QChar(0)) + "        VANTERA");
        if (listed > 0)
            QCOMPARE(top["ActiveChannels"].toArray()[0].toObject()["RxFrequency"].toString(), QString("02786000"));
    }

    void differences_data()
    {
        QTest::addColumn<Edit>("edit");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("equal") << Edit([](ImageSet&) {}) << QStringList{};
        QTest::newRow("channels reordered") << Edit([](ImageSet& s) {
            std::swap(s.ActiveChannels[0], s.ActiveChannels[1]);
        }) << QStringList{};
        QTest::newRow("records beyond the count") << Edit([](ImageSet& s) { s.ActiveChannels[9].Number = 9; })
                                                  << QStringList{};
        QTest::newRow("setting") << Edit([](ImageSet& s) { s.Settings.OptFeat.Common1[0] = 9; })
                                 << QStringList{"Settings.OptFeat.Common1[0]"};
        QTest::newRow("nested record") << Edit([](ImageSet& s) { s.Settings.DtmfSettings.CodeMemories[3].Length = 2; })
                                       << QStringList{"Settings.DtmfSettings.CodeMemories[3].Length"};
        QTest::newRow("tone tip") << Edit([](ImageSet& s) { s.Settings.ToneTips[1].Values[5] = 1; })
                                  << QStringList{"Settings.ToneTips[1].Values[5]"};
        QTest::newRow("text") << Edit([](ImageSet& s) { s.Settings.GroupNames[2].assign("XX"); })
                              << QStringList{"Settings.GroupNames[2]"};
        QTest::newRow("channel field") << Edit([](ImageSet& s) {
            std::swap(s.ActiveChannels[0], s.ActiveChannels[1]);
            s.ActiveChannels[0].RxTone = 3;
        }) << QStringList{"ActiveChannels[Number=521].RxTone"};
        QTest::newRow("channel added") << Edit([](ImageSet& s) {
            s.Settings.ChannelCount = 3;
            s.ActiveChannels[2] = s.ActiveChannels[0];
            s.ActiveChannels[2].Number = 7;
        }) << QStringList{"Settings.ChannelCount", "ActiveChannels[Number=7]"};
        QTest::newRow("standby channel renumbered") << Edit([](ImageSet& s) { s.StandbyChannels[0].Number = 2; })
                                                    << QStringList{"StandbyChannels[Number=1]",
                                                                   "StandbyChannels[Number=2]"};
    }
    void differences()
    {
        QFETCH(Edit, edit);
        QFETCH(QStringList, names);
        const ImageSet a = NewImage();
        ImageSet b = a;
        edit(b);
        const auto diffs = diffImages(a, b);
        QCOMPARE(Names(diffs), names);
        // The other way round names the same fields (a channel missing on
        // one side is listed with that side's records).
        QStringList reverse = Names(diffImages(b, a));
        QStringList expected = names;
        reverse.sort();
        expected.sort();
        QCOMPARE(reverse, expected);
    }

    void differenceValues()
    {
        const ImageSet a = NewImage();
        ImageSet b = a;
        b.Settings.OptFeat.Common1[0] = 9;
        b.Settings.GroupNames[2].assign("XX");
        const auto diffs = diffImages(a, b);
        QCOMPARE(diffs.size(), size_t(2));
        QCOMPARE(diffs[0].a, std::string("4"));
        QCOMPARE(diffs[0].b, std::string("9"));
        QCOMPARE(diffs[1].a, std::string("\"UK \""));
        QCOMPARE(diffs[1].b, std::string("\"XX \""));
    }
};

QTEST_APPLESS_MAIN(TestImageJsonDiff)
#include "test_image_json_diff.moc"
