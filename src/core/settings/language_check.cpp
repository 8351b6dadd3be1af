#include "language_check.h"

#include "ini_file.h"
#include "language_files.h"
#include "text_catalog.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <set>

namespace zav {
namespace {

/// What the program's reader keeps of a text, in bytes.
constexpr std::size_t kReaderTextBytes = 254;

struct Entry {
    std::string section;
    std::string key;
    std::string value;
};

std::vector<Entry> entriesOf(const std::string& path)
{
    std::vector<Entry> entries;
    forEachProfileEntry(path, [&](std::string_view section, std::string_view key, std::string_view value) {
        entries.push_back({std::string(section), std::string(key), std::string(value)});
    });
    return entries;
}

/// The id of a key written as a plain decimal number, else -1.
int idOf(const std::string& key)
{
    if (key.empty() || key.size() > 6 || key.front() == '0' ||
        !std::all_of(key.begin(), key.end(), [](unsigned char c) { return std::isdigit(c) != 0; }))
        return -1;
    return std::stoi(key);
}

std::string joined(const std::vector<int>& numbers)
{
    std::string text;
    for (int n : numbers)
        text += (text.empty() ? "%" : " %") + std::to_string(n);
    return text.empty() ? "none" : text;
}

/// The pattern part of a file filter ("*.csv" of "CSV files (*.csv)|*.csv").
std::string filterPattern(const std::string& text)
{
    const std::size_t bar = text.find('|');
    return bar == std::string::npos ? std::string() : text.substr(bar);
}

/// A piece a line may break before: a word, or one CJK character (Chinese
/// breaks between any two of them, and before a word that follows).
struct Piece {
    std::string text;
    bool spaceBefore = false;
};

std::vector<Piece> piecesOf(const std::string& text)
{
    std::vector<Piece> pieces;
    bool space = false;
    bool inWord = false;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        const std::string character = text.substr(i, length);
        i += length;
        if (character == " " || character == "\t") {
            space = true;
            inWord = false;
            continue;
        }
        // U+2E80 and up: the CJK scripts, their punctuation and full-width forms.
        const bool cjk = lead >= 0xE2 && !(lead == 0xE2 && static_cast<unsigned char>(character[1]) < 0xBA);
        if (cjk || !inWord) {
            pieces.push_back({character, space});
            inWord = !cjk;
        } else {
            pieces.back().text += character;
        }
        space = false;
    }
    return pieces;
}
} // namespace

std::vector<int> placeholdersOf(const std::string& text)
{
    std::set<int> found;
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != '%' || !std::isdigit(static_cast<unsigned char>(text[i + 1])) || text[i + 1] == '0')
            continue;
        std::size_t end = i + 1;
        while (end < text.size() && end < i + 3 && std::isdigit(static_cast<unsigned char>(text[end])))
            ++end;
        found.insert(std::stoi(text.substr(i + 1, end - i - 1)));
        i = end - 1;
    }
    return {found.begin(), found.end()};
}

bool fitsRoom(const std::string& text, const CaptionRoom& room, const TextWidth& textWidth)
{
    int lines = 0;
    std::string line;
    for (const Piece& piece : piecesOf(text)) {
        if (textWidth(piece.text) > room.widthPixels)
            return false;
        if (!line.empty()) {
            std::string longer = line + (piece.spaceBefore ? " " : "") + piece.text;
            if (textWidth(longer) <= room.widthPixels) {
                line = std::move(longer);
                continue;
            }
        }
        line = piece.text;
        ++lines;
    }
    return lines <= room.lines;
}

std::vector<LanguageCheckFinding> checkLanguageFile(const std::string& englishPath, const std::string& path,
                                                    const std::vector<CaptionRoom>& rooms, const TextWidth& textWidth)
{
    std::vector<LanguageCheckFinding> findings;
    LanguageFile header;
    LanguageFileProblem problem{};
    if (!readLanguageHeader(path, header, problem)) {
        if (problem != LanguageFileProblem::NoHeader) {
            findings.push_back({LanguageCheckKind::Unreadable, 0,
                                problem == LanguageFileProblem::NotUtf8 ? "not UTF-8 text" : "cannot be read"});
            return findings;
        }
        findings.push_back({LanguageCheckKind::NoHeader, 0, {}});
    }

    // English's ids in file order, with their texts.
    std::vector<int> englishOrder;
    std::map<int, std::string> english;
    for (const Entry& e : entriesOf(englishPath)) {
        const int id = idOf(e.key);
        if (id >= 0 && sameSectionName(e.section, sectionForTextId(id)) && english.emplace(id, e.value).second)
            englishOrder.push_back(id);
    }

    std::map<int, std::string> texts; // what the program reads, by id
    std::vector<LanguageCheckFinding> ownFindings;
    for (const Entry& e : entriesOf(path)) {
        if (sameSectionName(e.section, "Language"))
            continue;
        const int id = idOf(e.key);
        if (id < 0) {
            ownFindings.push_back({LanguageCheckKind::Extra, 0, "key \"" + e.key + "\" in [" + e.section + "]"});
            continue;
        }
        const std::string section = sectionForTextId(id);
        if (!sameSectionName(e.section, section)) {
            ownFindings.push_back({LanguageCheckKind::Misplaced, id, "in [" + e.section + "], belongs in [" + section + "]"});
            continue;
        }
        if (!texts.emplace(id, e.value).second) {
            ownFindings.push_back({LanguageCheckKind::Duplicate, id, {}});
            continue;
        }
        if (!english.count(id))
            ownFindings.push_back({LanguageCheckKind::Extra, id, {}});
    }

    std::map<int, CaptionRoom> roomOf;
    for (const CaptionRoom& room : rooms)
        roomOf[room.id] = room;

    for (int id : englishOrder) {
        const auto found = texts.find(id);
        if (found == texts.end()) {
            findings.push_back({LanguageCheckKind::Missing, id, {}});
            continue;
        }
        const std::string& text = found->second;
        const std::string& original = english[id];
        if (text.empty()) {
            findings.push_back({LanguageCheckKind::Empty, id, {}});
            continue;
        }
        if (placeholdersOf(text) != placeholdersOf(original))
            findings.push_back({LanguageCheckKind::Placeholders, id,
                                "English has " + joined(placeholdersOf(original)) + ", this file " +
                                    joined(placeholdersOf(text))});
        if (filterPattern(text) != filterPattern(original))
            findings.push_back({LanguageCheckKind::Filter, id,
                                "the pattern must stay \"" + filterPattern(original) + "\""});
        if (text.size() > kReaderTextBytes) {
            findings.push_back({LanguageCheckKind::TooLong, id,
                                std::to_string(text.size()) + " bytes, the program reads " +
                                    std::to_string(kReaderTextBytes)});
        } else if (const auto room = roomOf.find(id); room != roomOf.end() && textWidth &&
                                                      !fitsRoom(text, room->second, textWidth)) {
            findings.push_back({LanguageCheckKind::TooLong, id,
                                "does not fit " + std::to_string(room->second.lines) + " line(s) of " +
                                    std::to_string(room->second.widthPixels) + " pixels"});
        }
    }
    findings.insert(findings.end(), ownFindings.begin(), ownFindings.end());
    return findings;
}

std::string describeFinding(const LanguageCheckFinding& finding)
{
    static const std::map<LanguageCheckKind, const char*> kNames{
        {LanguageCheckKind::Unreadable, "unreadable"}, {LanguageCheckKind::NoHeader, "no header"},
        {LanguageCheckKind::Missing, "missing"},       {LanguageCheckKind::Extra, "extra"},
        {LanguageCheckKind::Misplaced, "misplaced"},   {LanguageCheckKind::Duplicate, "duplicate"},
        {LanguageCheckKind::Empty, "empty"},           {LanguageCheckKind::Placeholders, "placeholders"},
        {LanguageCheckKind::Filter, "filter"},         {LanguageCheckKind::TooLong, "too long"},
    };
    std::string line = kNames.at(finding.kind);
    if (finding.id > 0)
        line += " " + std::to_string(finding.id);
    if (finding.kind == LanguageCheckKind::NoHeader)
        line += ": the file needs [Language] with Name= and Locale=";
    if (!finding.detail.empty())
        line += ": " + finding.detail;
    return line;
}

} // namespace zav
