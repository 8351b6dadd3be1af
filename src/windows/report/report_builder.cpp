#include "report_builder.h"

#include "channel_columns.h"
#include "channel_groups.h"
#include "channel_writes.h"
#include "codecs.h"
#include "dtmf_rules.h"
#include "feature_rules.h"
#include "gbk_text.h"
#include "optional_feature_rules.h"
#include "text_catalog.h"

#include <map>
#include "tone_tip_rules.h"

#include <QFont>
#include <QFontDatabase>
#include <QImage>
#include <QPainter>
#include <QTextDocument>
#include <QUrl>

#include <algorithm>
#include <array>
#include <vector>

namespace zav::report {
namespace {

namespace text {
constexpr int Model = 32701;
constexpr int Band = 32702;
constexpr int Mode = 32703;
constexpr int File = 32704;
constexpr int Date = 32705;
constexpr int CountryMode = 32706;
constexpr int ExtendedMode = 32707;
constexpr int Group = 32708;
constexpr int Position = 32709;
constexpr int Offset = 32710;
constexpr int Differences = 32711;
constexpr int NoChannels = 32712;
constexpr int ChannelTotal = 32713;
constexpr int CodeMemory = 32714;
constexpr int IdCode = 32715;
constexpr int BotCode = 32716;
constexpr int EotCode = 32717;
constexpr int StunCode = 32718;
constexpr int KillCode = 32719;
constexpr int ToneTip = 32720;
constexpr int ToneTipFacts = 32721;
constexpr int NoToneTips = 32722;
constexpr int PowerOnText = 32723;
constexpr int Empty = 32724;
constexpr int NoCodes = 32725;
constexpr int MessageLine = 32726;
constexpr int Channels = 32727;
constexpr int NoGroup = 32728;
constexpr int OtherMode = 33300;     ///< %1 the mode
constexpr int OtherModeNote = 33301;
constexpr int Note = 33302;

// Texts the windows already show.
constexpr int ChannelInformation = 12001;
constexpr int OptionalFeatures = 16000;
constexpr int Dtmf = 18000;
constexpr int ToneTips = 12014;
constexpr int EmbeddedMessage = 12006;
constexpr int ChannelColumn = 14001;
constexpr int ReceiveColumn = 14002;
constexpr int RxToneColumn = 14005;
constexpr int TxToneColumn = 14006;
constexpr int ListOff = 15030;
constexpr int CodeOff = 14013;
constexpr int NoteFrequency = 29004;
constexpr int NoteLength = 29005;
constexpr int Pause = 29201;
constexpr int FeatureOff = 16040;
constexpr int FeatureOn = 16041;
constexpr int DisplayAuto = 16049;
constexpr int BacklightRed = 16050;    ///< the colours follow in the list's order
constexpr int BacklightOrange = 16057; ///< the last colour
constexpr int ScanTimeOperated = 16058;
constexpr int ScanCarrierOperated = 16059;
constexpr int SquelchCarrier = 15031;
constexpr int SquelchTone = 15032;
constexpr int TsqOff = 15052;
constexpr int TsqOn = 15053;
} // namespace text

/// The per-channel options by the captions the windows give them (the
/// detail editor's, or the check's where the editor has none).
int optionCaption(ChannelOption option)
{
    using enum ChannelOption;
    switch (option) {
    case ScanSkip: return 15014;
    case OptionalSignalling: return 15033;
    case Spacing: return 32660;
    case PttId: return 32661;
    case BusyLockout: return 15011;
    case ReverseOrTalkAround: return 32662;
    case BotCode: return 15037;
    case Scrambler: return 15015;
    case TxInhibit: return 15016;
    case TalkAround: return 15017;
    case Reverse: return 15018;
    case Whisper: return 15019;
    case Compander: return 15020;
    case SignallingRelation: return 32663;
    case EotCode: return 15038;
    case RogerBeep: return 15200;
    case SquelchMode: return 15201;
    case Modulation: return 32664;
    case AmPower: return 32665;
    case FmPower: return 32666;
    case CallCode: return 15013;
    case RepeaterShift: return 15205;
    case TsqMode: return 15023;
    case RxExpander: return 15300;
    case TxCompressor: return 15301;
    case NoiseBlanker: return 15302;
    case Attenuator: return 15303;
    case HighCut: return 15304;
    case ModulationLock: return 15400;
    case AmPowerLock: return 15401;
    case FmPowerLock: return 15402;
    }
    return 0;
}

// Notes lower than this sound as silence.
constexpr int kLowestToneHz = 48;

QString esc(const QString& s) { return s.toHtmlEscaped(); }

/// A text field as the radio shows it: NUL bytes are blank cells (the
/// power-on text starts with one), GBK bytes Chinese characters.
template <std::size_t N>
QString shownText(const FixedText<N>& field)
{
    std::string bytes = field.raw();
    std::replace(bytes.begin(), bytes.end(), '\0', ' ');
    return QString::fromStdString(gbkToUtf8(bytes)).trimmed();
}
QString esc(const std::string& s) { return QString::fromStdString(s).toHtmlEscaped(); }

/// A menu caption without its shortcut mark.
QString plain(QString caption)
{
    caption.remove(QLatin1Char('&'));
    return caption.trimmed();
}

class Builder {
public:
    Builder(const Document& doc, const TextLookup& lookup, const ReportInfo& info)
        : doc_(doc), lookup_(lookup), info_(info), band_(documentBand(doc))
    {
    }

    QString build()
    {
        html_ += QStringLiteral("<html><head><style>"
                                "h1 { font-size: 17pt; margin-bottom: 2px; }"
                                "h1.mode { font-size: 14pt; color: #1f3a5f; page-break-before: always; }"
                                "h2 { font-size: 12.5pt; margin-top: 16px; margin-bottom: 4px; color: #1f3a5f; }"
                                "h3 { font-size: 10.5pt; margin-top: 10px; margin-bottom: 3px; }"
                                "table.grid { border-collapse: collapse; }"
                                "table.grid td { border: 1px solid #888888; }"
                                "table.grid th.col { background-color: #dfe6ee; font-weight: bold; border: 1px solid #888888; }"
                                "th.head { border-style: none; text-align: left; font-weight: normal; padding: 0px; }"
                                "table.grid td.plain { border-style: none; }"
                                "td, th { font-size: 8.5pt; padding: 2px 5px; }"
                                "td.num { text-align: right; }"
                                "p.note, td.note { font-size: 8.5pt; color: #555555; }"
                                "</style></head><body>");
        header();
        // A write sends both channel modes: first the one in use, with the
        // settings both share, then the other one.
        channels(doc_);
        optionalFeatures(doc_);
        dtmf();
        toneTips();
        messages();
        otherMode();
        html_ += QStringLiteral("</body></html>");
        return html_;
    }

private:
    QString t(int id) const { return lookup_(id); }

    // Headings wait for what they introduce and become the first header
    // row of its table: Qt moves a table to the next page when its header
    // rows and first row do not fit, so no heading is left alone at a page
    // foot (and a long table repeats it on the next page).
    void heading(int id) { pending_ += QStringLiteral("<h2>%1</h2>").arg(esc(plain(t(id)))); }
    void subheading(const QString& html) { pending_ += QStringLiteral("<h3>%1</h3>").arg(html); }

    /// Opens a table: the waiting headings, then the column captions, as
    /// its header rows.
    void openTable(const QString& attributes, int columns, const QString& captionRow = {})
    {
        html_ += QStringLiteral("<table %1>").arg(attributes);
        if (!pending_.isEmpty() || !captionRow.isEmpty()) {
            html_ += QStringLiteral("<thead>");
            if (!pending_.isEmpty())
                html_ += QStringLiteral("<tr><th class=\"head\" colspan=\"%1\">%2</th></tr>").arg(columns).arg(pending_);
            html_ += captionRow;
            html_ += QStringLiteral("</thead>");
        }
        pending_.clear();
    }

    void note(const QString& s)
    {
        if (pending_.isEmpty()) {
            html_ += QStringLiteral("<p class=\"note\">%1</p>").arg(esc(s));
            return;
        }
        openTable(QStringLiteral("cellspacing=\"0\" cellpadding=\"2\""), 1);
        html_ += QStringLiteral("<tr><td class=\"note\">%1</td></tr></table>").arg(esc(s));
    }

    /// Two-column table of caption and value.
    void facts(const std::vector<std::pair<QString, QString>>& rows)
    {
        openTable(QStringLiteral("cellspacing=\"0\" cellpadding=\"2\""), 2);
        for (const auto& [caption, value] : rows)
            html_ += QStringLiteral("<tr><td><b>%1</b></td><td>%2</td></tr>").arg(esc(caption), esc(value));
        html_ += QStringLiteral("</table>");
    }

    void header()
    {
        const RadioImage& image = doc_.image();
        html_ += QStringLiteral("<h1>%1</h1>").arg(esc(t(kTextReportTitle)));
        const QString mode = t(isExtendedMode(image.ChannelMode) ? text::ExtendedMode : text::CountryMode);
        facts({
            {t(text::Model), QString::fromStdString(doc_.model.modelName)},
            {t(text::Band), QString::fromStdString(doc_.model.bandLabel)},
            {t(text::Mode), mode},
            {t(text::File), info_.fileName},
            {t(text::Date), info_.printed.toString(QStringLiteral("yyyy-MM-dd HH:mm"))},
            {t(text::Channels), QString::number(doc_.activeCount())},
        });
    }

    QString optionValueText(const OptionColumn& column, int value) const
    {
        if (value >= 0 && value < static_cast<int>(column.entries.size())) {
            const OptionText& entry = column.entries[static_cast<std::size_t>(value)];
            if (entry.textId != 0 && !t(entry.textId).isEmpty())
                return plain(t(entry.textId));
        }
        return QString::fromStdString(optionText(column, value));
    }

    QString optionName(const OptionColumn& column) const
    {
        const int id = optionCaption(column.option);
        const QString caption = id != 0 ? plain(t(id)).remove(QLatin1Char(':')) : QString();
        return caption.isEmpty() ? QString::fromLatin1(column.name) : caption;
    }

    /// "Caption: value" for every option that is not a new channel's value.
    QString differences(const ChannelRecord& record) const
    {
        const ChannelRecord fresh;
        QStringList parts;
        const auto add = [&](const OptionColumn& column) {
            const Int16 value = record.option(column.option);
            if (value != fresh.option(column.option))
                parts << optionName(column) + QStringLiteral(": ") + optionValueText(column, value);
        };
        add(busyLockoutColumn());
        for (const OptionColumn& column : optionColumns())
            add(column);
        return parts.join(QStringLiteral("; "));
    }

    /// The channels of doc's current mode, group by group.
    void channels(const Document& doc)
    {
        heading(text::ChannelInformation);
        const RadioImage& image = doc.image();
        const Int16 mode = image.ChannelMode;
        for (int g = 0; g < groupCount(mode); ++g) {
            std::vector<const ChannelRecord*> records;
            for (int p = 1; p <= groupSize(g, mode); ++p) {
                const int index = doc.findChannelByNumber(static_cast<Int16>(groupBase(g, mode) + p));
                if (index >= 0)
                    records.push_back(&doc.active()[static_cast<std::size_t>(index)]);
            }
            const QString name = QString::fromStdString(gbkToUtf8(image.GroupNames[static_cast<std::size_t>(g)].clean())).trimmed();
            channelTable(mode, t(text::Group).arg(g) + (name.isEmpty() ? QString() : QStringLiteral(" \u2013 ") + name), records);
        }
        // A channel the mode's groups do not reach (a new country-mode
        // document's last one) is still in the radio: it is listed too.
        std::vector<const ChannelRecord*> outside;
        for (int i = 0; i < doc.activeCount(); ++i) {
            const ChannelRecord& record = doc.active()[static_cast<std::size_t>(i)];
            if (groupOfChannel(record.Number, mode).group < 0)
                outside.push_back(&record);
        }
        if (!outside.empty())
            channelTable(mode, t(text::NoGroup), outside);
    }

    void channelTable(Int16 mode, const QString& title, const std::vector<const ChannelRecord*>& records)
    {
        subheading(QStringLiteral("%1 &nbsp; <span style=\"font-weight: normal; color: #555555;\">(%2)</span>")
                       .arg(esc(title), esc(t(text::ChannelTotal).arg(records.size()))));
        if (records.empty()) {
            note(t(text::NoChannels));
            return;
        }
        openTable(QStringLiteral("class=\"grid\" cellspacing=\"0\" cellpadding=\"2\" width=\"100%\""), 7,
                  QStringLiteral("<tr><th class=\"col\">%1</th><th class=\"col\">%2</th><th class=\"col\">%3</th>"
                                 "<th class=\"col\">%4</th><th class=\"col\">%5</th><th class=\"col\">%6</th>"
                                 "<th class=\"col\">%7</th></tr>")
                      .arg(esc(t(text::Position)), esc(t(text::ChannelColumn)), esc(t(text::ReceiveColumn)),
                           esc(t(text::Offset)), esc(t(text::RxToneColumn)), esc(t(text::TxToneColumn)),
                           esc(t(text::Differences))));
        for (const ChannelRecord* record : records) {
            const GroupPosition where = groupOfChannel(record->Number, mode);
            ChannelFrequencyTexts texts = frequencyTexts(*record, band_, true);
            // No offset reads better as an empty cell than as a column of zeros.
            if (record->OffsetDirection == 0 && storedOffsetCount(record->Offset.raw()).value_or(0) == 0)
                texts.transmit.clear();
            html_ += QStringLiteral("<tr><td class=\"num\">%1</td><td class=\"num\">%2</td><td class=\"num\">%3</td>"
                                    "<td class=\"num\">%4</td><td>%5</td><td>%6</td><td>%7</td></tr>")
                         .arg(where.group >= 0 ? QString::number(where.numberInGroup) : QString())
                         .arg(record->Number)
                         .arg(esc(texts.receive), esc(texts.transmit), esc(toneName(record->RxTone)),
                              esc(toneName(record->TxTone)), esc(differences(*record)));
        }
        html_ += QStringLiteral("</table><p style=\"font-size: 4pt;\">&nbsp;</p>");
    }

    QString toneName(int index) const
    {
        if (index == 0)
            return plain(t(text::ListOff));
        const std::string name = toneText(index);
        return name.empty() ? QString::number(index) : QString::fromStdString(name);
    }

    /// The entry an optional-features list shows for its stored value.
    static QString listEntry(const Document& doc, OptionalFeature feature, const std::vector<QString>& entries)
    {
        const int stored = doc.image().OptFeat.feature(feature);
        const int entry = entryForValue(featureRule(feature), stored);
        if (entry >= 0 && entry < static_cast<int>(entries.size()))
            return entries[static_cast<std::size_t>(entry)];
        return QString::number(stored);
    }

    std::vector<QString> texts(std::initializer_list<int> ids) const
    {
        std::vector<QString> out;
        for (int id : ids)
            out.push_back(plain(t(id)));
        return out;
    }

    std::vector<QString> textRange(int firstId, int lastId) const
    {
        std::vector<QString> out;
        for (int id = firstId; id <= lastId; ++id)
            out.push_back(plain(t(id)));
        return out;
    }

    static std::vector<QString> numbers(int first, int last, int step)
    {
        std::vector<QString> out;
        for (int n = first; n <= last; n += step)
            out.push_back(QString::number(n));
        return out;
    }

    QString numbered(int value, int offId) const { return value == 0 ? plain(t(offId)) : QString::number(value); }

    /// The radio-wide settings of doc's current mode.
    void optionalFeatures(const Document& doc)
    {
        heading(text::OptionalFeatures);
        const OptFeat& opt = doc.image().OptFeat;
        std::vector<QString> tot{plain(t(text::FeatureOff))};
        for (const QString& n : numbers(15, 600, 15))
            tot.push_back(n);
        std::vector<QString> tones{plain(t(text::ListOff))};
        for (const std::string& name : commonToneTexts())
            tones.push_back(QString::fromStdString(name));
        const auto caption = [&](OptionalFeature feature) {
            return plain(t(featureRule(feature).captionId)).remove(QLatin1Char(':'));
        };
        const auto listRow = [&](OptionalFeature feature, const std::vector<QString>& entries) {
            return std::pair{caption(feature), listEntry(doc, feature, entries)};
        };
        const auto numberedRow = [&](OptionalFeature feature, int offId) {
            return std::pair{caption(feature), numbered(opt.feature(feature), offId)};
        };
        facts({
            listRow(OptionalFeature::TotTime, tot),
            listRow(OptionalFeature::DisplayMode, texts({text::FeatureOff, text::FeatureOn, text::DisplayAuto})),
            listRow(OptionalFeature::BacklightColour, textRange(text::BacklightRed, text::BacklightOrange)),
            listRow(OptionalFeature::ScanMode, texts({text::ScanTimeOperated, text::ScanCarrierOperated})),
            listRow(OptionalFeature::ScanResumeTime, numbers(5, 60, 5)),
            listRow(OptionalFeature::DecodeTone, tones),
            listRow(OptionalFeature::EncodeTone, tones),
            listRow(OptionalFeature::BusyLockout, texts({text::ListOff, text::SquelchCarrier, text::SquelchTone})),
            listRow(OptionalFeature::SquelchMode, texts({text::SquelchCarrier, text::SquelchTone})),
            listRow(OptionalFeature::KeyBeep, texts({text::FeatureOff, text::FeatureOn})),
            listRow(OptionalFeature::TsqMode, texts({text::TsqOff, text::TsqOn})),
            numberedRow(OptionalFeature::RogerBeep, text::ListOff),
            numberedRow(OptionalFeature::BotCode, text::CodeOff),
            numberedRow(OptionalFeature::EotCode, text::CodeOff),
            numberedRow(OptionalFeature::CallCode, text::CodeOff),
        });
    }

    static QString code(const DtmfCode& code) { return QString::fromStdString(dtmfToDisplay(code.Code.clean())); }

    void dtmf()
    {
        heading(text::Dtmf);
        const DtmfSettings& d = doc_.image().DtmfSettings;
        std::vector<std::pair<QString, QString>> rows{
            {t(text::IdCode), QString::fromStdString(shownIdCode(d))},
        };
        const std::array<std::pair<int, const DtmfCode*>, 4> special{
            std::pair{text::BotCode, &d.PttIdBot}, std::pair{text::EotCode, &d.PttIdEot},
            std::pair{text::StunCode, &d.StunCode}, std::pair{text::KillCode, &d.KillCode}};
        for (const auto& [id, c] : special)
            rows.emplace_back(t(id), c->Length > 0 ? code(*c) : QString());
        const std::vector<int> memories = definedCodeMemories(doc_.image());
        for (int n : memories)
            rows.emplace_back(t(text::CodeMemory).arg(n), code(d.CodeMemories[static_cast<std::size_t>(n - 1)]));
        for (auto& row : rows)
            if (row.second.trimmed().isEmpty())
                row.second = t(text::Empty);
        facts(rows);
        if (memories.empty())
            note(t(text::NoCodes));
    }

    void toneTips()
    {
        heading(text::ToneTips);
        const std::vector<int> tips = definedToneTips(doc_.image());
        if (tips.empty()) {
            note(t(text::NoToneTips));
            return;
        }
        for (int n : tips)
            toneTip(n, doc_.image().ToneTips[static_cast<std::size_t>(n - 1)]);
    }

    /// A tone tip's notes as numbers (what the radio sounds), its facts and
    /// its diagram.
    void toneTip(int n, const ToneTip& tip)
    {
        std::vector<int> sounded;
        long long length = 0;
        for (int k = 1; k <= kToneTipNotes; ++k) {
            if (tip.noteDuration(k) > 0) {
                sounded.push_back(k);
                length += 10LL * tip.noteDuration(k);
            }
        }
        const int columns = 1 + std::max<int>(1, static_cast<int>(sounded.size()));
        QString numbers = QStringLiteral("<tr><th class=\"col\">%1</th>").arg(esc(t(text::Note)));
        QString frequencies = QStringLiteral("<tr><td><b>%1</b></td>").arg(esc(t(text::NoteFrequency)));
        QString lengths = QStringLiteral("<tr><td><b>%1</b></td>").arg(esc(t(text::NoteLength)));
        for (int k : sounded) {
            const int hz = tip.noteFrequency(k) * 10;
            numbers += QStringLiteral("<th class=\"col\">%1</th>").arg(k);
            // A frequency too low to sound is played as a pause.
            frequencies += QStringLiteral("<td class=\"num\">%1</td>").arg(hz > kLowestToneHz ? QString::number(hz) : esc(plain(t(text::Pause))));
            lengths += QStringLiteral("<td class=\"num\">%1</td>").arg(10 * tip.noteDuration(k));
        }
        subheading(esc(t(text::ToneTip).arg(n)));
        openTable(QStringLiteral("class=\"grid\" cellspacing=\"0\" cellpadding=\"2\""), columns);
        html_ += numbers + QStringLiteral("</tr>") + frequencies + QStringLiteral("</tr>") + lengths + QStringLiteral("</tr>");
        html_ += QStringLiteral("<tr><td class=\"plain note\" colspan=\"%1\">%2</td></tr>")
                     .arg(columns)
                     .arg(esc(t(text::ToneTipFacts).arg(sounded.size()).arg(length).arg(tip.tipRepeatCount()).arg(10 * tip.tipInterval())));
        html_ += QStringLiteral("<tr><td class=\"plain\" colspan=\"%1\"><img src=\"tonetip:%2\" width=\"%3\" height=\"%4\"></td></tr></table>")
                     .arg(columns)
                     .arg(n)
                     .arg(kDiagramWidth / 2)
                     .arg(kDiagramHeight / 2);
    }

    void messages()
    {
        heading(text::EmbeddedMessage);
        const RadioImage& image = doc_.image();
        std::vector<std::pair<QString, QString>> rows;
        for (std::size_t k = 0; k < image.EmbeddedMessage.size(); ++k) {
            const QString line = shownText(image.EmbeddedMessage[k]);
            rows.emplace_back(t(text::MessageLine).arg(k + 1), line.isEmpty() ? t(text::Empty) : line);
        }
        const QString powerOn = shownText(image.OptFeat.PowerOnText);
        rows.emplace_back(t(text::PowerOnText), powerOn.isEmpty() ? t(text::Empty) : powerOn);
        facts(rows);
    }

    /// The channel mode not in use, as a write sends it: its channels and
    /// its own settings, on a page of their own.
    void otherMode()
    {
        const bool extended = isExtendedMode(doc_.image().ChannelMode);
        Document other = doc_;
        other.swapChannelMode(static_cast<Int16>(extended ? 0 : kExtendedMode));
        html_ += QStringLiteral("<h1 class=\"mode\">%1</h1><p class=\"note\">%2</p>")
                     .arg(esc(t(text::OtherMode).arg(t(extended ? text::CountryMode : text::ExtendedMode))),
                          esc(t(text::OtherModeNote)));
        channels(other);
        optionalFeatures(other);
    }

public:
    static constexpr int kDiagramWidth = 900;
    static constexpr int kDiagramHeight = 220;

private:
    const Document& doc_;
    const TextLookup& lookup_;
    const ReportInfo& info_;
    BandLimits band_;
    QString html_;
    QString pending_; ///< headings waiting for the table they introduce
};

/// The melody as the tone-tips window draws it: one bar per note, as wide
/// as the note is long and as high as its pitch, on a light grid.
QImage toneDiagram(const ToneTip& tip)
{
    const int w = Builder::kDiagramWidth;
    const int h = Builder::kDiagramHeight;
    QImage picture(w, h, QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    painter.setPen(QColor(0xd0, 0xd0, 0xd0));
    for (int y = 50; y <= h - 50; y += (h - 100) / 4)
        painter.drawLine(50, y, w - 50, y);
    painter.setPen(QColor(0x60, 0x60, 0x60));
    painter.drawRect(50, 50, w - 100, h - 100);
    for (const DiagramBar& bar : diagramBars(tip, w, h)) {
        const QColor colour = bar.note % 2 == 1 ? QColor(0xc0, 0x30, 0x30) : QColor(0x30, 0x50, 0xc0);
        painter.fillRect(bar.x, bar.y, bar.width, std::max(bar.height, 2), colour);
    }
    return picture;
}

/// A family that holds CJK glyphs when the report is Chinese; group names
/// and messages in Chinese print in English reports too, by fallback.
QString reportFamily(bool chinese)
{
    const QStringList families = QFontDatabase::families();
    const QStringList wanted = chinese ? QStringList{QStringLiteral("Noto Sans CJK SC"), QStringLiteral("WenQuanYi Micro Hei"),
                                                     QStringLiteral("Source Han Sans SC"), QStringLiteral("AR PL UMing CN")}
                                       : QStringList{QStringLiteral("DejaVu Sans"), QStringLiteral("Noto Sans"),
                                                     QStringLiteral("Liberation Sans"), QStringLiteral("WenQuanYi Micro Hei")};
    for (const QString& family : wanted)
        if (families.contains(family))
            return family;
    return {};
}

} // namespace

QString reportHtml(const Document& doc, const TextLookup& text, const ReportInfo& info)
{
    return Builder(doc, text, info).build();
}

std::unique_ptr<QTextDocument> reportDocument(const Document& doc, const TextLookup& text, const ReportInfo& info)
{
    auto report = std::make_unique<QTextDocument>();
    QFont font;
    if (const QString family = reportFamily(info.chinese); !family.isEmpty())
        font.setFamily(family);
    font.setPointSizeF(9);
    report->setDefaultFont(font);
    report->setDocumentMargin(0);
    for (int n : definedToneTips(doc.image()))
        report->addResource(QTextDocument::ImageResource, QUrl(QStringLiteral("tonetip:%1").arg(n)),
                            toneDiagram(doc.image().ToneTips[static_cast<std::size_t>(n - 1)]));
    report->setHtml(reportHtml(doc, text, info));
    return report;
}

TextLookup languageFileTexts(const std::string& languageFile)
{
    auto catalog = std::make_shared<TextCatalog>();
    catalog->setFile(languageFile);
    auto cache = std::make_shared<std::map<int, QString>>();
    return [catalog, cache](int id) {
        auto found = cache->find(id);
        if (found == cache->end())
            found = cache->emplace(id, QString::fromStdString(catalog->text(id))).first;
        return found->second;
    };
}

} // namespace zav::report
