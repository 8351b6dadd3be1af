#include "csv_table.h"

#include "csv_reasons.h"

namespace zav {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

/// The separator of a file: whatever the header uses most of, "," or ";" or
/// a tab (what spreadsheets put on the clipboard); "," on a tie.
char detectSeparator(std::string_view text)
{
    int commas = 0;
    int semicolons = 0;
    int tabs = 0;
    bool quoted = false;
    for (char c : text) {
        if (c == '"')
            quoted = !quoted;
        else if (!quoted && (c == '\n' || c == '\r'))
            break;
        else if (!quoted && c == ',')
            ++commas;
        else if (!quoted && c == ';')
            ++semicolons;
        else if (!quoted && c == '\t')
            ++tabs;
    }
    if (tabs > commas && tabs > semicolons)
        return '\t';
    return semicolons > commas ? ';' : ',';
}

bool isLineEnd(char c) { return c == '\n' || c == '\r'; }

CsvFault fault(int column, int textId) { return {column, englishReason({textId, {}}), textId}; }

} // namespace

CsvTable readCsv(std::string_view text)
{
    if (text.starts_with(kByteOrderMark))
        text.remove_prefix(kByteOrderMark.size());
    CsvTable table;
    table.separator = detectSeparator(text);
    const char sep = table.separator;

    std::size_t i = 0;
    int number = 0;
    while (i < text.size()) {
        CsvRecord record;
        record.number = ++number;
        bool lineEnded = false;
        while (!lineEnded) {
            std::string field;
            const int column = static_cast<int>(record.fields.size()) + 1;
            if (i < text.size() && text[i] == '"') {
                ++i;
                bool closed = false;
                while (i < text.size()) {
                    if (text[i] == '"') {
                        if (i + 1 < text.size() && text[i + 1] == '"') {
                            field.push_back('"');
                            i += 2;
                            continue;
                        }
                        ++i;
                        closed = true;
                        break;
                    }
                    field.push_back(text[i++]);
                }
                if (!closed) {
                    record.faults.push_back(fault(column, csvreason::QuoteNotClosed));
                } else if (i < text.size() && text[i] != sep && !isLineEnd(text[i])) {
                    record.faults.push_back(fault(column, csvreason::TextAfterQuote));
                    // Skip the rest of the broken field so the next ones still line up.
                    while (i < text.size() && text[i] != sep && !isLineEnd(text[i]))
                        field.push_back(text[i++]);
                }
            } else {
                bool strayQuote = false;
                while (i < text.size() && text[i] != sep && !isLineEnd(text[i])) {
                    strayQuote = strayQuote || text[i] == '"';
                    field.push_back(text[i++]);
                }
                if (strayQuote)
                    record.faults.push_back(fault(column, csvreason::StrayQuote));
            }
            record.fields.push_back(std::move(field));
            if (i < text.size() && text[i] == sep) {
                ++i;
                continue;
            }
            // A line end (CRLF, LF or a lone CR) or the end of the text.
            if (i < text.size() && text[i] == '\r')
                ++i;
            if (i < text.size() && text[i] == '\n')
                ++i;
            lineEnded = true;
        }
        const bool blank = record.faults.empty() && record.fields.size() == 1 && record.fields.front().empty();
        if (!blank)
            table.records.push_back(std::move(record));
    }
    return table;
}

std::string csvField(std::string_view value, char separator)
{
    bool quote = value.find_first_of(std::string{'"', '\r', '\n', separator}) != std::string_view::npos;
    if (!value.empty() && (value.front() == ' ' || value.back() == ' '))
        quote = true;
    if (!quote)
        return std::string(value);
    std::string out = "\"";
    for (char c : value) {
        if (c == '"')
            out.push_back('"');
        out.push_back(c);
    }
    out.push_back('"');
    return out;
}

std::string csvRecord(const std::vector<std::string>& fields, char separator)
{
    std::string line;
    for (std::size_t k = 0; k < fields.size(); ++k) {
        if (k > 0)
            line.push_back(separator);
        line += csvField(fields[k], separator);
    }
    line += "\r\n";
    return line;
}

} // namespace zav
