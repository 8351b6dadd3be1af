#include "csv_reasons.h"

#include "bulk_edits.h"
#include "setting_edits.h"

#include <algorithm>

namespace zav {

const std::vector<std::pair<int, const char*>>& csvReasonTexts()
{
    using namespace csvreason;
    static const std::vector<std::pair<int, const char*>> kTexts{
        {QuoteNotClosed, "the quoted field does not end"},
        {TextAfterQuote, "text follows the closing quote of the field"},
        {StrayQuote, "a quote inside a field that is not quoted"},
        {NotAGroup, "\"%1\" is not a group of this mode (0..%2)"},
        {NotAPosition, "\"%1\" is not a position in group %2 (1..%3)"},
        {NumberAgainstPosition, "\"%1\" is not channel %2 of group %3, which is number %4"},
        {NotAChannelNumber, "\"%1\" is not a channel number (1..521)"},
        {NoReceiveFrequency, "a channel needs a receive frequency"},
        {NotAFrequency, "\"%1\" is not a frequency in MHz"},
        {OutsideBand, "%1 MHz is outside the band %2 - %3 MHz"},
        {FinerThan10Hz, "%1 MHz is finer than 10 Hz"},
        {OffRaster, "%1 MHz is not on the channel raster (nearest %2 MHz)"},
        {NotAnOffset, "\"%1\" is not an offset in MHz (such as +0.60000)"},
        {OffsetTooLarge, "%1 MHz is more offset than a channel can hold"},
        {NotATone, "\"%1\" is not a tone (OFF, 67.0 .. 254.1, D017N .. D754N, D017I .. D754I)"},
        {NotAChoice, "\"%1\" is not one of %2"},
        {NotOffered, "\"%1\" is not offered for a channel"},
        {NeedsReceiveTone, "\"%1\" needs the receive tone on"},
        {NeedsTransmitTone, "\"%1\" needs the transmit tone on"},
        {NoHeader, "the file holds no header row"},
        {NoPlaceColumns, "the file needs this column, or the columns \"group\" and \"position in group\""},
        {ColumnNeeded, "the file needs this column"},
        {DuplicateChannel, "channel %1 is already in row %2"},
        {NoChannel, "the file holds no channel; a table keeps at least one"},
        {PastGroupEnd, "position %1 is past the end of group %2 (1..%3)"},
        {PastGroupEndMany, "position %1 is past the end of group %2 (1..%3); so are the %4 rows after it"},
        {CountryReceiveFixed, "a country channel keeps its receive frequency %1 MHz"},
        {CountryOffsetFixed, "a country channel keeps its offset %1 MHz"},
        {CountryNoNewChannel, "channel %1 is an empty slot, and country mode adds no channel"},
        {ReceiveFixed, "channel %1 keeps its receive frequency %2 MHz; clear the channel to give it another"},
        {TableFull, "the table holds 521 channels; there is no slot for channel %1"},
        {EmergencyCleared, "emergency channel %1 of group %2 pointed at row %3, which holds no channel; it was cleared"},
        // Edits of many channels at once.
        {bulkreason::NotInGroup, "channel %1 is in no group of this mode"},
        {bulkreason::EmptySlot, "channel %1 is an empty slot; only a receive frequency makes it a channel"},
        {bulkreason::LastChannel, "channel %1 is the table's last channel, which stays"},
        {bulkreason::CodeNotDefined, "code memory %1 holds no code"},
        {bulkreason::ToneTipNotDefined, "tone tip %1 is not defined"},
        {bulkreason::CountryNoClear, "channel %1 is a country channel, which stays"},
        {settingreason::NotAValue, "\"%1\" is not one of %2"},
        {settingreason::TextTooLong, "the text takes %1 bytes; the field holds %2"},
        {settingreason::NotGbk, "\"%1\" holds characters the radio cannot show"},
    };
    return kTexts;
}

std::string fillArguments(std::string_view text, const std::vector<std::string>& args)
{
    // Each place is filled once, so an argument holding "%2" stays as it is.
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 1 < text.size() && text[i + 1] >= '1' && text[i + 1] <= '9') {
            const auto k = static_cast<std::size_t>(text[i + 1] - '1');
            if (k < args.size()) {
                out += args[k];
                ++i;
                continue;
            }
        }
        out += text[i];
    }
    return out;
}

std::string englishReason(const CsvReason& reason)
{
    const auto& texts = csvReasonTexts();
    const auto found = std::find_if(texts.begin(), texts.end(),
                                    [&](const auto& entry) { return entry.first == reason.textId; });
    return found == texts.end() ? std::string() : fillArguments(found->second, reason.args);
}

std::string reasonIn(const CsvReason& reason, const std::function<std::string(int id)>& lookup)
{
    const std::string text = lookup ? lookup(reason.textId) : std::string();
    return text.empty() ? englishReason(reason) : fillArguments(text, reason.args);
}

} // namespace zav
