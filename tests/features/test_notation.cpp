// One notation in every window: "off" is written the same in the channel
// table, the channel detail editor and the optional features; a DCS code
// reads "D606I" wherever it is listed; and the detail editor names the
// repeater shift as the other windows do.

#include "channel_detail_editor.h"
#include "window_names.h"
#include "channel_fixture.h"
#include "channel_table_window.h"
#include "feature_fixture.h"
#include "optional_feature_rules.h"
#include "optional_features_editor.h"

#include <QComboBox>
#include <QLabel>
#include <QRegularExpression>
#include <QTest>

#include "list_entries.h"

using namespace zav;
using zav::channels::ChannelDetailEditor;
using zav::channels::ChannelTableWindow;
using zav::features::OptionalFeaturesEditor;
using zav::test::Entries;

namespace {

QStringList labelTexts(QWidget* window)
{
    QStringList texts;
    for (QLabel* label : window->findChildren<QLabel*>())
        texts << label->text();
    return texts;
}

} // namespace

class TestNotation : public QObject {
    Q_OBJECT

private slots:
    void offReadsTheSameInEveryWindow()
    {
        test::FeatureFixture f;
        test::NewDocument(f.doc(), kExtendedMode, {{1, "02700000"}});
        ChannelRecord& first = *test::Channel(f.doc(), 1);
        first.RxTone = 0;
        first.TxTone = 0;
        first.option(ChannelOption::OptionalSignalling) = 0;
        f.image().OptFeat.Common1[common1::CurrentGroup] = 0; // the table and the details show channel 1
        auto* options = f.open<OptionalFeaturesEditor>(zav::kOptionalFeaturesName);
        auto* table = f.open<ChannelTableWindow>(zav::kChannelTableName);
        auto* detail = f.open<ChannelDetailEditor>(zav::kDetailEditorName);
        QVERIFY(options && table && detail);

        // The first entry of every list that can be switched off.
        QList<std::pair<QString, QString>> shown;
        using enum OptionalFeature;
        for (OptionalFeature feature : {DecodeTone, EncodeTone, BusyLockout, BotCode, EotCode, CallCode, TsqMode})
            shown.append({QString("optional features list %1").arg(featureRule(feature).number),
                          options->list(feature)->itemText(0)});
        for (int id = 0; id < ChannelDetailEditor::ListCount; ++id) {
            const auto list = static_cast<ChannelDetailEditor::ListId>(id);
            shown.append({QString("channel details list %1").arg(id), detail->list(list)->itemText(0)});
        }
        for (int column : {4, 5, 8})
            shown.append({QString("channel table column %1").arg(column), table->cellText(1, column)});
        shown.append({"channel table tone list", table->findChild<QComboBox*>("Combo1")->itemText(0)});
        const QString off = f.ctx.text(15030);
        for (const auto& [where, text] : shown)
            QVERIFY2(text == off, qPrintable(where + ": \"" + text + "\""));
    }

    void dcsCodesReadTheSameInEveryWindow()
    {
        test::FeatureFixture f;
        auto* options = f.open<OptionalFeaturesEditor>(zav::kOptionalFeaturesName);
        auto* detail = f.open<ChannelDetailEditor>(zav::kDetailEditorName);
        const QRegularExpression dcs("^D[0-7]{3}[NI]$");
        const QStringList common = Entries(options->list(OptionalFeature::DecodeTone));
        const QStringList channel = Entries(detail->list(ChannelDetailEditor::DecodeTone));
        QVERIFY(common.contains("D606I"));
        QCOMPARE(common.filter(dcs).size(), 2 * 116);
        QCOMPARE(channel.filter(dcs).size(), 2 * 107);
        for (const QString& code : channel.filter(dcs)) // every code a channel can have, the common data lists alike
            QVERIFY2(common.contains(code), qPrintable(code));
    }

    void repeaterShiftIsNamedInFull()
    {
        test::FeatureFixture f;
        test::NewDocument(f.doc(), kExtendedMode, {{1, "02700000"}}); // the list shows in extended mode only
        auto* detail = f.open<ChannelDetailEditor>(zav::kDetailEditorName);
        const QStringList captions = labelTexts(detail);
        QVERIFY2(captions.contains(f.ctx.text(15205)), qPrintable(captions.join(" | ")));
        QVERIFY(!captions.contains("Rep"));
    }
};

QTEST_MAIN(TestNotation)
#include "test_notation.moc"
