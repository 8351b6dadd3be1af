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

/// A problem with its English reason and the same reason as data.
CsvProblem problemAt(int row, std::string column, int textId, std::vector<std::string> args = {})
{
    CsvReason why{textId, std::move(args)};
    std::string reason = englishReason(why);
    return CsvProblem{row, std::move(column), std::move(reason), std::move(why)};
}

/// The problem of a record the CSV reader could not read cleanly.
CsvProblem faultProblem(int row, std::string column, const CsvFault& fault)
{
    return CsvProblem{row, std::move(column), fault.reason, CsvReason{fault.textId, {}}};
}

/// A number as a European spreadsheet writes it in a ";" file: "27,5".
std::string withDecimalPoint(std::string text, bool decimalComma)
{
    if (decimalComma)
        std::replace(text.begin(), text.end(), ',', '.');
    return text;
}

/// An offset as the table shows it: the sign as written, then the value
/// "#0.00000" ("+0.6" is "+0.60000"); a text that is no number as it is.
std::string offsetText(const std::string& text)
{
    const auto value = parseNumber(text);
    if (!value)
        return text;
    const bool sign = !text.empty() && (text.front() == '+' || text.front() == '-');
    return (sign ? text.substr(0, 1) : std::string()) + formatMHz(std::abs(*value));
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
    RowReader(const Document& doc, const std::map<std::string, std::size_t>& columns, const CsvRecord& row,
              bool decimalComma)
        : doc_(doc), columns_(columns), row_(row), mode_(doc.image().ChannelMode), band_(documentBand(doc)),
          decimalComma_(decimalComma)
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

    bool refuse(std::string_view column, int textId, std::vector<std::string> args = {})
    {
        problem = problemAt(row_.number, std::string(column), textId, std::move(args));
        return false;
    }

    /// The channel the table holds under the row's number, if any.
    const ChannelRecord* existing() const
    {
        const int index = doc_.findChannelByNumber(static_cast<Int16>(number));
        return index < 0 ? nullptr : &doc_.active()[static_cast<std::size_t>(index)];
    }

    bool readNumber()
    {
        const auto groupCell = cell(csvcolumn::Group);
        const auto positionCell = cell(csvcolumn::Position);
        const auto numberCell = cell(csvcolumn::Number);
        const int groups = groupCount(mode_);
        // Empty group columns: a channel no group of the mode reaches, placed
        // by its number.
        const bool unplaced = groupCell && positionCell && trimSpaces(*groupCell).empty() && trimSpaces(*positionCell).empty();
        if (groupCell && positionCell && !unplaced) {
            const auto group = wholeNumber(*groupCell);
            if (!group || *group >= groups)
                return refuse(csvcolumn::Group, csvreason::NotAGroup, {*groupCell, std::to_string(groups - 1)});
            const int size = groupSize(*group, mode_);
            const auto position = wholeNumber(*positionCell);
            if (!position || *position < 1 || *position > size)
                return refuse(csvcolumn::Position, csvreason::NotAPosition,
                              {*positionCell, std::to_string(*group), std::to_string(size)});
            number = groupBase(*group, mode_) + *position;
            group_ = *group;
            if (numberCell) {
                const auto written = wholeNumber(*numberCell);
                if (!written || *written != number)
                    return refuse(csvcolumn::Number, csvreason::NumberAgainstPosition,
                                  {*numberCell, std::to_string(*position), std::to_string(*group), std::to_string(number)});
            }
        } else {
            const auto written = numberCell ? wholeNumber(*numberCell) : std::nullopt;
            if (!written || *written < 1 || *written > kChannelSlots)
                return refuse(csvcolumn::Number, csvreason::NotAChannelNumber, {numberCell.value_or("")});
            number = *written;
            group_ = std::max(groupOfChannel(number, mode_).group, 0);
        }
        if (const ChannelRecord* channel = existing())
            record = *channel;
        record.Number = static_cast<Int16>(number);
        return true;
    }

    /// The cell of a number column, a decimal comma read as a point.
    std::optional<std::string> decimalCell(std::string_view name) const
    {
        const auto text = cell(name);
        if (!text)
            return std::nullopt;
        return withDecimalPoint(std::string(trimSpaces(*text)), decimalComma_);
    }

    bool readReceive()
    {
        const std::string text = decimalCell(csvcolumn::Receive).value_or("");
        // What the table shows for the channel stays as it is stored, even
        // when no frequency could be typed so (a country channel's).
        const ChannelRecord* channel = existing();
        if (channel && formatEntry(text) == frequencyTexts(*channel, band_, true).receive) {
            receiveKept_ = true;
            return true;
        }
        if (text.empty())
            return refuse(csvcolumn::Receive, csvreason::NoReceiveFrequency);
        const auto mhz = parseNumber(text);
        if (!mhz)
            return refuse(csvcolumn::Receive, csvreason::NotAFrequency, {text});
        const CheckedFrequency checked = validateFrequency(*mhz, group_, band_);
        if (checked.warned)
            return refuse(csvcolumn::Receive, csvreason::OutsideBand, {text, formatMHz(band_.low), formatMHz(band_.high)});
        const double counts = *mhz * 100000;
        if (std::abs(counts - static_cast<double>(roundHalfEven(counts))) > 1e-4)
            return refuse(csvcolumn::Receive, csvreason::FinerThan10Hz, {text});
        if (formatMHz(checked.mhz) != formatMHz(*mhz))
            return refuse(csvcolumn::Receive, csvreason::OffRaster, {text, formatMHz(checked.mhz)});
        record.RxFrequency.assign(toStoredFrequency(formatMHz(*mhz), band_));
        return true;
    }

    bool readOffset()
    {
        const auto offsetCell = decimalCell(csvcolumn::Offset);
        // The offset the table shows for the channel stays as stored.
        const ChannelRecord* channel = existing();
        const bool offsetKept = !offsetCell
                                || (channel && offsetText(*offsetCell) == offsetText(frequencyTexts(*channel, band_, true).transmit));
        if (offsetCell && !offsetKept) {
            const std::string& text = *offsetCell;
            const auto value = text.empty() ? std::optional<double>(0.0) : parseNumber(text);
            if (!value)
                return refuse(csvcolumn::Offset, csvreason::NotAnOffset, {text});
            // The stored form holds less than 100 MHz; a larger value is refused
            // before any arithmetic could overflow on it.
            if (std::abs(*value) >= 100)
                return refuse(csvcolumn::Offset, csvreason::OffsetTooLarge, {text});
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
                    return refuse(csvcolumn::Offset, csvreason::OffsetTooLarge, {text});
                record.Offset = entry.offset;
                record.OffsetDirection = entry.direction;
            }
        }
        // A channel whose frequencies stay keeps its step classes; the
        // others are classed (and put on the raster) as typing does.
        if (!(receiveKept_ && offsetKept))
            recomputeStepClasses(record, band_);
        return true;
    }

    bool readTone(const char* column, Int16& member)
    {
        const auto text = cell(column);
        if (!text)
            return true;
        const int index = toneIndexOf(withDecimalPoint(*text, decimalComma_));
        if (index < 0)
            return refuse(column, csvreason::NotATone, {*text});
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
            return refuse(column.name, csvreason::NotAChoice, {*text, optionChoices(column)});
        record.option(column.option) = static_cast<Int16>(value);
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
        Int16& busyLockout = record.option(ChannelOption::BusyLockout);
        if (busyLockout == kBusyBySignalling && written)
            return refuse(column.name, csvreason::NotOffered, {optionText(column, kBusyBySignalling)});
        const bool reverse = record.option(ChannelOption::Reverse) != 0;
        const Int16 governing = reverse ? record.TxTone : record.RxTone;
        if (busyLockout == kBusyByTone && governing == 0) {
            if (written)
                return refuse(column.name, reverse ? csvreason::NeedsTransmitTone : csvreason::NeedsReceiveTone,
                              {optionText(column, kBusyByTone)});
            busyLockout = 1; // as the editors do when the tone goes off
        }
        return true;
    }

    const Document& doc_;
    const std::map<std::string, std::size_t>& columns_;
    const CsvRecord& row_;
    Int16 mode_;
    BandLimits band_;
    bool decimalComma_ = false;
    int group_ = 0;
    bool receiveKept_ = false;
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
            optionText(busyLockoutColumn(), record.option(ChannelOption::BusyLockout)),
        };
        for (const OptionColumn& column : optionColumns())
            fields.push_back(optionText(column, record.option(column.option)));
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

/// The problem of a row the table's rules refused; placeColumn is the
/// column that names the row's slot.
CsvProblem ruleProblem(int row, RowRefusal refusal, const Document& doc, const ChannelRecord& wanted,
                       const char* placeColumn)
{
    const std::string number = std::to_string(wanted.Number);
    const int index = doc.findChannelByNumber(wanted.Number);
    const ChannelFrequencyTexts shown = index >= 0 ? frequencyTexts(doc.active()[static_cast<std::size_t>(index)],
                                                                    documentBand(doc), true)
                                                   : ChannelFrequencyTexts{};
    switch (refusal) {
    case RowRefusal::CountryReceiveFixed:
        return problemAt(row, csvcolumn::Receive, csvreason::CountryReceiveFixed, {shown.receive});
    case RowRefusal::CountryOffsetFixed:
        return problemAt(row, csvcolumn::Offset, csvreason::CountryOffsetFixed, {shown.transmit});
    case RowRefusal::CountryNoNewChannel:
        return problemAt(row, placeColumn, csvreason::CountryNoNewChannel, {number});
    case RowRefusal::ReceiveFixed:
        return problemAt(row, csvcolumn::Receive, csvreason::ReceiveFixed, {number, shown.receive});
    case RowRefusal::TableFull:
        return problemAt(row, placeColumn, csvreason::TableFull, {number});
    case RowRefusal::NotAChannel:
    case RowRefusal::None:
        break;
    }
    return problemAt(row, placeColumn, csvreason::NotAChannelNumber, {number});
}

} // namespace

CsvReason emergencyResetReason(const EmergencyReset& reset)
{
    return {csvreason::EmergencyCleared,
            {std::to_string(reset.slot + 1), std::to_string(reset.group), std::to_string(reset.row)}};
}

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
        result.problems.push_back(problemAt(1, csvcolumn::Number, csvreason::NoHeader));
        return result;
    }
    const CsvRecord& header = table.records.front();
    if (!header.faults.empty()) {
        result.problems.push_back(faultProblem(header.number, columnName(header, header.faults.front().column),
                                               header.faults.front()));
        return result;
    }
    const std::map<std::string, std::size_t> columns = columnsOf(header.fields);
    const auto named = [&](const char* name) { return columns.count(lowerCase(name)) > 0; };
    if (!named(csvcolumn::Number) && !(named(csvcolumn::Group) && named(csvcolumn::Position)))
        result.problems.push_back(problemAt(header.number, csvcolumn::Number, csvreason::NoPlaceColumns));
    if (!named(csvcolumn::Receive))
        result.problems.push_back(problemAt(header.number, csvcolumn::Receive, csvreason::ColumnNeeded));
    if (!result.ok())
        return result;
    const char* placeColumn = named(csvcolumn::Number) ? csvcolumn::Number : csvcolumn::Position;

    // Extended mode: the file replaces the table, as clearing it and typing
    // each row would. Country mode: each row goes over the channel of its
    // number, through the table's write path, which refuses what typing
    // could not do there.
    const bool replacing = frequenciesTypable(doc.image().ChannelMode);
    Document work = doc;
    std::vector<ChannelRecord> records;
    std::map<int, int> rowOfNumber;
    for (std::size_t r = 1; r < table.records.size(); ++r) {
        const CsvRecord& row = table.records[r];
        if (!row.faults.empty()) {
            result.problems.push_back(faultProblem(row.number, columnName(header, row.faults.front().column),
                                                   row.faults.front()));
            continue;
        }
        RowReader reader(doc, columns, row, table.separator == ';');
        if (!reader.read()) {
            result.problems.push_back(*reader.problem);
            continue;
        }
        const auto [previous, added] = rowOfNumber.emplace(reader.number, row.number);
        if (!added) {
            result.problems.push_back(problemAt(row.number, placeColumn, csvreason::DuplicateChannel,
                                                {std::to_string(reader.number), std::to_string(previous->second)}));
            continue;
        }
        if (!replacing) {
            const RowRefusal refusal = writeChannelRow(work, reader.record, result.emergencyResets);
            if (refusal != RowRefusal::None) {
                result.problems.push_back(ruleProblem(row.number, refusal, work, reader.record, placeColumn));
                continue;
            }
        }
        records.push_back(reader.record);
    }
    if (records.empty() && (result.ok() || refused == RefusedRows::SkipThem)) {
        if (result.ok())
            result.problems.push_back(problemAt(header.number + 1, csvcolumn::Number, csvreason::NoChannel));
        return result;
    }
    if (!result.ok() && refused == RefusedRows::ChangeNothing) {
        result.emergencyResets.clear();
        return result;
    }
    if (replacing && !replaceChannelTable(work, records, result.emergencyResets))
        return result; // not reached: the rows are distinct channels 1..521
    doc.working = work.working;
    result.channels = doc.activeCount();
    result.stored = static_cast<int>(records.size());
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

    // Every row is typed into its slot through the table's write path, on a
    // copy, so that refused rows can leave the document as it was.
    Document work = doc;
    const int size = groupSize(group, mode);
    int position = firstPosition;
    for (std::size_t r = hasHeader ? 1 : 0; r < table.records.size(); ++r, ++position) {
        CsvRecord row = table.records[r];
        if (!row.faults.empty()) {
            result.problems.push_back(faultProblem(row.number, columnName(headerRecord, row.faults.front().column),
                                                   row.faults.front()));
            continue;
        }
        if (position < 1 || position > size) {
            // Every later row is past the end too: one message says so, however
            // long the pasted text is.
            const std::size_t later = table.records.size() - 1 - r;
            std::vector<std::string> args{std::to_string(position), std::to_string(group), std::to_string(size)};
            if (later > 0)
                args.push_back(std::to_string(later));
            result.problems.push_back(problemAt(row.number, csvcolumn::Position,
                                                later > 0 ? csvreason::PastGroupEndMany : csvreason::PastGroupEnd,
                                                std::move(args)));
            break;
        }
        row.fields.resize(width + 3);
        row.fields[width] = std::to_string(group);
        row.fields[width + 1] = std::to_string(position);
        row.fields[width + 2] = std::to_string(groupBase(group, mode) + position);
        RowReader reader(doc, columns, row, table.separator == ';');
        if (!reader.read()) {
            result.problems.push_back(*reader.problem);
            continue;
        }
        const RowRefusal refusal = writeChannelRow(work, reader.record, result.emergencyResets);
        if (refusal != RowRefusal::None) {
            result.problems.push_back(ruleProblem(row.number, refusal, work, reader.record, csvcolumn::Position));
            continue;
        }
        ++result.stored;
    }
    if (!result.ok() && refused == RefusedRows::ChangeNothing) {
        result.stored = 0;
        result.emergencyResets.clear();
        return result;
    }
    doc.working = work.working;
    result.channels = doc.activeCount();
    return result;
}

} // namespace zav
