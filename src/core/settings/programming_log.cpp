#include "programming_log.h"

#include "csv_table.h"
#include "image_layout.h"
#include "user_folders.h"

#include <algorithm>
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
                                                 "version", "file", "sha256", "result"};
    return header;
}

std::string logResultWritten(bool verified) { return verified ? "verified" : "written"; }

std::string logResultFailed(const std::string& reason)
{
    return reason.empty() ? std::string("failed") : "failed: " + reason;
}

std::string logTimeText(std::time_t when)
{
    std::tm local{};
    localtime_r(&when, &local);
    char text[32] = {};
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
    return text;
}

bool appendProgrammingLog(const std::string& path, const ProgrammingLogEntry& entry)
{
    if (path.empty())
        return false;
    std::error_code ec;
    const fs::path file(path);
    if (file.has_parent_path())
        fs::create_directories(file.parent_path(), ec);
    const bool fresh = !fs::exists(file, ec) || fs::file_size(file, ec) == 0;
    std::string text;
    if (fresh)
        text = csvRecord(programmingLogHeader());
    text += csvRecord({logTimeText(entry.when), entry.port, entry.model, entry.band, entry.version, entry.fileName,
                       entry.sha256, entry.result});
    // Appending leaves every line already there as it was, even when the
    // disk fills up halfway through this one.
    std::ofstream out(path, std::ios::binary | std::ios::app);
    if (!out)
        return false;
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.flush();
    return static_cast<bool>(out);
}

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
        if (i == 0 && fields == programmingLogHeader())
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
