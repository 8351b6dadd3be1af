#include "programming_log.h"

#include "atomic_file.h"
#include "csv_table.h"
#include "image_layout.h"
#include "user_folders.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

namespace fs = std::filesystem;

namespace zav {

std::string programmingLogPath()
{
    const std::string data = userDataFolder();
    return data.empty() ? std::string() : data + "/" + kProgrammingLogName;
}

const std::vector<std::string>& programmingLogHeader()
{
    static const std::vector<std::string> header{"date and time", "port", "model", "band",
                                                 "version", "file", "sha256", "result",
                                                 "job", "power-on text"};
    return header;
}

std::string logResultWritten(bool verified) { return verified ? "verified" : "written"; }

std::string logResultFailed(const std::string& reason)
{
    return reason.empty() ? std::string("failed") : "failed: " + reason;
}

std::string logResultNotWritten(const std::string& reason) { return "not written: " + reason; }

// logResultCompared is beside the reader of its words, in programming_log_words.cpp.

std::string logFileName(const std::string& name, bool unsavedChanges)
{
    if (!unsavedChanges)
        return name;
    return name.empty() ? std::string("(unsaved changes)") : name + " (unsaved changes)";
}

std::string logTimeText(std::time_t when)
{
    std::tm local{};
    localtime_r(&when, &local);
    char text[32] = {};
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
    return text;
}

FileWriteResult appendProgrammingLog(const std::string& path, const ProgrammingLogEntry& entry)
{
    if (path.empty())
        return {FileWriteProblem::Failed, ENOENT};
    std::error_code ec;
    const fs::path file(path);
    if (file.has_parent_path())
        fs::create_directories(file.parent_path(), ec);
    // The header goes in when the file is new or empty, decided on the open
    // file, so that two programs starting a log at once write it only once.
    return appendToFile(path,
                        csvRecord({logTimeText(entry.when), entry.port, entry.model, entry.band, entry.version,
                                   entry.fileName, entry.sha256, entry.result, entry.job, entry.powerOnText}),
                        csvRecord(programmingLogHeader()));
}

namespace {

/// This program's header, or an older program's (fewer columns, same start).
bool isHeader(const std::vector<std::string>& fields)
{
    const std::vector<std::string>& header = programmingLogHeader();
    return !fields.empty() && fields.size() <= header.size() && std::equal(fields.begin(), fields.end(), header.begin());
}

} // namespace

std::vector<std::vector<std::string>> readProgrammingLog(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return {};
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const CsvTable table = readCsv(text);
    std::vector<std::vector<std::string>> rows;
    const std::size_t columns = programmingLogHeader().size();
    for (std::size_t i = 0; i < table.records.size(); ++i) {
        std::vector<std::string> fields = table.records[i].fields;
        if (i == 0 && isHeader(fields))
            continue;
        fields.resize(std::max(fields.size(), columns));
        rows.push_back(std::move(fields));
    }
    return rows;
}

std::vector<std::uint8_t> dataFileBytes(const Document& doc)
{
    Document copy = doc;
    copy.copyWorkingToSaved();
    return writeFullImage(copy.saved);
}

} // namespace zav
