#include "channel_csv.h"

#include "band.h"
#include "channel_columns.h"
#include "channel_groups.h"
#include "channel_writes.h"
#include "codecs.h"
#include "csv_table.h"
#include "gbk_text.h"
#include "numbers.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <map>
#include <optional>

namespace zav {
namespace {

constexpr int kBusyByTone = 2;
constexpr int kBusyBySignalling = 3;

std::string lowerCase(std::string_view text)
{
    std::string out(trimSpaces(text));
    for (char& c : out)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

std::string toneCell(int index)
{
    const std::string text = toneText(index);
    return text.empty() ? std::to_string(index) : text;
}

/// A whole number written plainly ("7", " 12 "); nothing otherwise.
std::optional<int> wholeNumber(std::string_view cell)
{
    const std::string_view text = trimSpaces(cell);
    if (text.empty() || text.size() > 6 || !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    return std::stoi(std::string(text));
}

/// Reads one data row into a record; the first problem found ends it.
class RowReader {
public:
    RowReader(const Document& doc, const std::map<std::string, std::size_t>& columns, const CsvRecord& row)
        : doc_(doc), columns_(columns), row_(row), mode_(doc.image().ChannelMode), band_(documentBand(doc))
    {
    }

    std::optional<CsvProblem> problem;
    ChannelRecord record;
    int number = 0;

    bool read()
    {
        return readNumber() && readReceive() && readOffset() && readTones() && readOptions() && checkBusyLockout();
    }

private:
    /// The cell of a column, or nothing when the file has no such column.
    std::optional<std::string> cell(std::string_view name) const
    {
        const auto found = columns_.find(lowerCase(name));
        if (found == columns_.end())
            return std::nullopt;
        return found->second < row_.fields.size() ? row_.fields[found->second] : std::string();
    }

    bool refuse(std::string_view column, std::string reason)
    {
        problem = CsvProblem{row_.number, std::string(column), std::move(reason)};
        return false;
    }

    bool readNumber()
    {
        const auto groupCell = cell(csvcolumn::Group);
        const auto positionCell = cell(csvcolumn::Position);
        const auto numberCell = cell(csvcolumn::Number);
        const int groups = groupCount(mode_);
        const bool unplaced = groupCell && positionCell && trimSpaces(*groupCell).empty() && trimSpaces(*positionCell).empty();
        if (groupCell && positionCell && !unplaced) {
            const auto group = wholeNumber(*groupCell);
            if (!group || *group >= groups)
                return refuse(csvcolumn::Group, "\"" + *groupCell + "\" is not a group of this mode (0.."
                                                    + std::to_string(groups - 1) + ")");
            const int size = groupSize(*group, mode_);
            const auto position = wholeNumber(*positionCell);
            if (!position || *position < 1 || *position > size)
                return refuse(csvcolumn::Position, "\"" + *positionCell + "\" is not a position in group "
                                                       + std::to_string(*group) + " (1.." + std::to_string(size) + ")");
            number = groupBase(*group, mode_) + *position;
            group_ = *group;
            if (numberCell) {
                const auto written = wholeNumber(*numberCell);
                if (!written || *written != number)
                    return refuse(csvcolumn::Number, "\"" + *numberCell + "\" is not channel " + std::to_string(*position)
                                                         + " of group " + std::to_string(*group) + ", which is number "
                                                         + std::to_string(number));
            }
        } else {
            const auto written = numberCell ? wholeNumber(*numberCell) : std::nullopt;
            const GroupPosition where = written ? groupOfChannel(*written, mode_) : GroupPosition{};
            // A channel outside the mode's groups (a new document's last
            // channel) cannot be typed in, but the one a document has stays.
            const bool kept = written && doc_.findChannelByNumber(static_cast<Int16>(*written)) >= 0;
            if (where.group < 0 && !kept)
                return refuse(csvcolumn::Number, "\"" + numberCell.value_or("") + "\" is not a channel number of this mode");
            number = *written;
            group_ = std::max(where.group, 0);
        }
        const int existing = doc_.findChannelByNumber(static_cast<Int16>(number));
        if (existing >= 0)
            record = doc_.active()[static_cast<std::size_t>(existing)];
        record.Number = static_cast<Int16>(number);
        record.EmptyFlag = existing >= 0 ? record.EmptyFlag : Int16{0};
        return true;
    }

    bool readReceive()
    {
        const std::string text(trimSpaces(cell(csvcolumn::Receive).value_or("")));
        if (text.empty())
            return refuse(csvcolumn::Receive, "a channel needs a receive frequency");
        const auto mhz = parseNumber(text);
        if (!mhz)
            return refuse(csvcolumn::Receive, "\"" + text + "\" is not a frequency in MHz");
        const CheckedFrequency checked = validateFrequency(*mhz, group_, band_);
        if (checked.warned)
            return refuse(csvcolumn::Receive, text + " MHz is outside the band " + formatMHz(band_.low) + " - "
                                                  + formatMHz(band_.high) + " MHz");
        const double counts = *mhz * 100000;
        if (std::abs(counts - static_cast<double>(roundHalfEven(counts))) > 1e-4)
            return refuse(csvcolumn::Receive, text + " MHz is finer than 10 Hz");
        if (formatMHz(checked.mhz) != formatMHz(*mhz))
            return refuse(csvcolumn::Receive, text + " MHz is not on the channel raster (nearest " + formatMHz(checked.mhz)
                                                  + " MHz)");
        record.RxFrequency.assign(toStoredFrequency(formatMHz(*mhz), band_));
        return true;
    }

    bool readOffset()
    {
        const auto offsetCell = cell(csvcolumn::Offset);
        if (offsetCell) {
            const std::string text(trimSpaces(*offsetCell));
            const auto value = text.empty() ? std::optional<double>(0.0) : parseNumber(text);
            if (!value)
                return refuse(csvcolumn::Offset, "\"" + text + "\" is not an offset in MHz (such as +0.60000)");
            // The stored form holds less than 100 MHz; a larger value is refused
            // before any arithmetic could overflow on it.
            if (std::abs(*value) >= 100)
                return refuse(csvcolumn::Offset, text + " MHz is more offset than a channel can hold");
            const bool signedEntry = !text.empty() && (text.front() == '+' || text.front() == '-');
            const bool wasNone = record.OffsetDirection == 0 && storedOffsetCount(record.Offset.raw()).value_or(0) == 0;
            if (!signedEntry && *value == 0) {
                // No offset: a channel that had none keeps the bytes it had.
                if (!wasNone) {
                    record.Offset = FixedText<7>{};
                    record.OffsetDirection = 0;
                }
            } else {
                const OffsetEntry entry = offsetFromEntry(record.RxFrequency.raw(), text, true, record.Offset,
                                                          record.OffsetDirection, band_);
                if (!entry.stored)
                    return refuse(csvcolumn::Offset, text + " MHz is more offset than a channel can hold");
                record.Offset = entry.offset;
                record.OffsetDirection = entry.direction;
            }
        }
        recomputeStepClasses(record, band_);
        return true;
    }

    bool readTone(const char* column, Int16& member)
    {
        const auto text = cell(column);
        if (!text)
            return true;
        const int index = toneIndexOf(*text);
        if (index < 0)
            return refuse(column, "\"" + *text + "\" is not a tone (OFF, 67.0 .. 254.1, D017N .. D754N, D017I .. D754I)");
        member = static_cast<Int16>(index);
        return true;
    }

    bool readTones() { return readTone(csvcolumn::RxTone, record.RxTone) && readTone(csvcolumn::TxTone, record.TxTone); }

    bool readOption(const OptionColumn& column)
    {
        const auto text = cell(column.name);
        if (!text)
            return true;
        const int value = optionValue(column, *text);
        if (value < 0)
            return refuse(column.name, "\"" + *text + "\" is not one of " + optionChoices(column));
        *record.option(column.fieldId) = static_cast<Int16>(value);
        return true;
    }

    bool readOptions()
    {
        for (const OptionColumn& column : optionColumns()) {
            if (!readOption(column))
                return false;
        }
        return readOption(busyLockoutColumn());
    }

    /// The busy-lockout list offers lockout by tone only while the governing
    /// tone is on, and never lockout by signalling.
    bool checkBusyLockout()
    {
        const OptionColumn& column = busyLockoutColumn();
        const bool written = cell(column.name).has_value();
        if (record.Option11 == kBusyBySignalling && written)
            return refuse(column.name, "\"" + optionText(column, kBusyBySignalling) + "\" is not offered for a channel");
        const Int16 governing = record.Option17 != 0 ? record.TxTone : record.RxTone;
        if (record.Option11 == kBusyByTone && governing == 0) {
            if (written)
                return refuse(column.name, "\"" + optionText(column, kBusyByTone) + "\" needs the "
                                               + (record.Option17 != 0 ? "transmit" : "receive") + " tone on");
            record.Option11 = 1; // as the editors do when the tone goes off
        }
        return true;
    }

    const Document& doc_;
    const std::map<std::string, std::size_t>& columns_;
    const CsvRecord& row_;
    Int16 mode_;
    BandLimits band_;
    int group_ = 0;
};

std::string columnName(const CsvRecord& header, int column)
{
    const auto index = static_cast<std::size_t>(column - 1);
    if (index < header.fields.size() && !trimSpaces(header.fields[index]).empty())
        return std::string(trimSpaces(header.fields[index]));
    return "column " + std::to_string(column);
}

/// Header and one row per record, in channel order.
std::string channelRows(const Document& doc, std::vector<ChannelRecord> records, char separator)
{
    const RadioImage& image = doc.image();
    const BandLimits band = documentBand(doc);
    std::stable_sort(records.begin(), records.end(),
                     [](const ChannelRecord& a, const ChannelRecord& b) { return a.Number < b.Number; });

    std::string out = csvRecord(channelCsvHeader(), separator);
    for (const ChannelRecord& record : records) {
        const GroupPosition where = groupOfChannel(record.Number, image.ChannelMode);
        const bool placed = where.group >= 0;
        const ChannelFrequencyTexts texts = frequencyTexts(record, band, true);
        std::vector<std::string> fields{
            placed ? std::to_string(where.group) : std::string(),
            placed ? gbkToUtf8(image.GroupNames[static_cast<std::size_t>(where.group)].clean()) : std::string(),
            placed ? std::to_string(where.numberInGroup) : std::string(),
            std::to_string(record.Number),
            texts.receive,
            texts.transmit,
            toneCell(record.RxTone),
            toneCell(record.TxTone),
            optionText(busyLockoutColumn(), record.Option11),
        };
        for (const OptionColumn& column : optionColumns())
            fields.push_back(optionText(column, *record.option(column.fieldId)));
        out += csvRecord(fields, separator);
    }
    return out;
}

/// Column positions by lower-case name; a repeated name: the first counts.
std::map<std::string, std::size_t> columnsOf(const std::vector<std::string>& header)
{
    std::map<std::string, std::size_t> columns;
    for (std::size_t k = 0; k < header.size(); ++k)
        columns.emplace(lowerCase(header[k]), k);
    return columns;
}

/// Stores a checked record: over the channel of its number, else as a new
/// record at the table's end. False when the table is full.
bool storeChannel(Document& doc, const ChannelRecord& record)
{
    const int index = doc.findChannelByNumber(record.Number);
    if (index >= 0) {
        doc.active()[static_cast<std::size_t>(index)] = record;
        return true;
    }
    const int used = doc.activeCount();
    if (used >= kChannelSlots)
        return false;
    doc.active()[static_cast<std::size_t>(used)] = record;
    doc.image().ChannelCount = static_cast<Int16>(used + 1);
    return true;
}

} // namespace

std::string CsvProblem::message() const { return "row " + std::to_string(row) + ", column \"" + column + "\": " + reason; }

std::vector<std::string> channelCsvHeader()
{
    std::vector<std::string> header{csvcolumn::Group,  csvcolumn::GroupName, csvcolumn::Position,
                                    csvcolumn::Number, csvcolumn::Receive,   csvcolumn::Offset,
                                    csvcolumn::RxTone, csvcolumn::TxTone,    busyLockoutColumn().name};
    for (const OptionColumn& column : optionColumns())
        header.emplace_back(column.name);
    return header;
}

std::string exportChannelsCsv(const Document& doc)
{
    std::vector<ChannelRecord> records(doc.active().begin(), doc.active().begin() + doc.activeCount());
    return channelRows(doc, std::move(records), ',');
}

std::string copyChannelsText(const Document& doc, const std::vector<int>& numbers)
{
    std::vector<ChannelRecord> records;
    for (const int number : numbers) {
        const int index = number > 0 && number <= kChannelSlots ? doc.findChannelByNumber(static_cast<Int16>(number)) : -1;
        if (index >= 0)
            records.push_back(doc.active()[static_cast<std::size_t>(index)]);
    }
    return channelRows(doc, std::move(records), '\t');
}

CsvImportResult importChannelsCsv(Document& doc, std::string_view text, RefusedRows refused)
{
    CsvImportResult result;
    const CsvTable table = readCsv(text);
    if (table.records.empty()) {
        result.problems.push_back({1, csvcolumn::Number, "the file holds no header row"});
        return result;
    }
    const CsvRecord& header = table.records.front();
    if (!header.faults.empty()) {
        result.problems.push_back(
            {header.number, columnName(header, header.faults.front().column), header.faults.front().reason});
        return result;
    }
    const std::map<std::string, std::size_t> columns = columnsOf(header.fields);
    const auto named = [&](const char* name) { return columns.count(lowerCase(name)) > 0; };
    if (!named(csvcolumn::Number) && !(named(csvcolumn::Group) && named(csvcolumn::Position))) {
        result.problems.push_back({header.number, csvcolumn::Number,
                                   "the file needs this column, or the columns \"group\" and \"position in group\""});
    }
    if (!named(csvcolumn::Receive))
        result.problems.push_back({header.number, csvcolumn::Receive, "the file needs this column"});
    if (!result.ok())
        return result;

    std::vector<ChannelRecord> records;
    std::map<int, int> rowOfNumber;
    for (std::size_t r = 1; r < table.records.size(); ++r) {
        const CsvRecord& row = table.records[r];
        if (!row.faults.empty()) {
            result.problems.push_back({row.number, columnName(header, row.faults.front().column), row.faults.front().reason});
            continue;
        }
        RowReader reader(doc, columns, row);
        if (!reader.read()) {
            result.problems.push_back(*reader.problem);
            continue;
        }
        const auto [previous, added] = rowOfNumber.emplace(reader.number, row.number);
        if (!added) {
            result.problems.push_back({row.number, named(csvcolumn::Number) ? csvcolumn::Number : csvcolumn::Position,
                                       "channel " + std::to_string(reader.number) + " is already in row "
                                           + std::to_string(previous->second)});
            continue;
        }
        records.push_back(reader.record);
    }
    if (records.empty() && (result.ok() || refused == RefusedRows::SkipThem)) {
        if (result.ok())
            result.problems.push_back(
                {header.number + 1, csvcolumn::Number, "the file holds no channel; a table keeps at least one"});
        return result;
    }
    if (!result.ok() && refused == RefusedRows::ChangeNothing)
        return result;

    std::stable_sort(records.begin(), records.end(),
                     [](const ChannelRecord& a, const ChannelRecord& b) { return a.Number < b.Number; });
    std::copy(records.begin(), records.end(), doc.active().begin());
    doc.image().ChannelCount = static_cast<Int16>(records.size());
    // Emergency channels point at slots; a slot the file left empty has none.
    for (int g = 0; g < groupCount(doc.image().ChannelMode); ++g)
        recheckEmergencyChannels(doc, g);
    result.channels = static_cast<int>(records.size());
    result.stored = result.channels;
    return result;
}

CsvImportResult pasteChannelsText(Document& doc, std::string_view text, int group, int firstPosition,
                                  RefusedRows refused)
{
    CsvImportResult result;
    result.channels = doc.activeCount();
    const Int16 mode = doc.image().ChannelMode;
    if (group < 0 || group >= groupCount(mode))
        return result;
    const CsvTable table = readCsv(text);
    if (table.records.empty())
        return result;

    // A spreadsheet's cells may come without the header: then the columns
    // are the ones this program copies, in its order.
    std::vector<std::string> header = table.records.front().fields;
    bool hasHeader = false;
    for (const std::string& field : header)
        hasHeader = hasHeader || lowerCase(field) == lowerCase(csvcolumn::Receive);
    if (!hasHeader)
        header = channelCsvHeader();
    std::size_t width = header.size();
    for (const CsvRecord& row : table.records)
        width = std::max(width, row.fields.size());
    // The place comes from where the rows are pasted, not from what they name.
    std::map<std::string, std::size_t> columns = columnsOf(header);
    columns[lowerCase(csvcolumn::Group)] = width;
    columns[lowerCase(csvcolumn::Position)] = width + 1;
    columns[lowerCase(csvcolumn::Number)] = width + 2;
    const CsvRecord headerRecord{1, header, {}};

    const int size = groupSize(group, mode);
    std::vector<ChannelRecord> records;
    int position = firstPosition;
    for (std::size_t r = hasHeader ? 1 : 0; r < table.records.size(); ++r, ++position) {
        CsvRecord row = table.records[r];
        if (!row.faults.empty()) {
            result.problems.push_back({row.number, columnName(headerRecord, row.faults.front().column),
                                       row.faults.front().reason});
            continue;
        }
        if (position < 1 || position > size) {
            // Every later row is past the end too: one message says so, however
            // long the pasted text is.
            const std::size_t later = table.records.size() - 1 - r;
            result.problems.push_back(
                {row.number, csvcolumn::Position,
                 "position " + std::to_string(position) + " is past the end of group " + std::to_string(group) + " (1.."
                     + std::to_string(size) + ")"
                     + (later > 0 ? "; so are the " + std::to_string(later) + " rows after it" : std::string())});
            break;
        }
        row.fields.resize(width + 3);
        row.fields[width] = std::to_string(group);
        row.fields[width + 1] = std::to_string(position);
        row.fields[width + 2] = std::to_string(groupBase(group, mode) + position);
        RowReader reader(doc, columns, row);
        if (!reader.read()) {
            result.problems.push_back(*reader.problem);
            continue;
        }
        records.push_back(reader.record);
    }
    if (!result.ok() && refused == RefusedRows::ChangeNothing)
        return result;
    // Full only when every slot of the table is taken and a new one is asked for.
    for (const ChannelRecord& record : records) {
        if (storeChannel(doc, record))
            ++result.stored;
    }
    recheckEmergencyChannels(doc, group);
    result.channels = doc.activeCount();
    return result;
}

} // namespace zav
