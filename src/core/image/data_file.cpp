// Data files: a file is read into an image of its own and checked
// completely before it replaces anything of the document; a save goes to a
// temporary file that is renamed over the target.

#include "data_file.h"

#include "atomic_file.h"
#include "image_layout.h"
#include "version_records.h"

#include <array>

namespace zav {
namespace {

constexpr int kHeaderBytes = 13;

bool saneTable(const ChannelTable& table, Int16 count)
{
    if (count < 0 || count > kChannelSlots)
        return false;
    std::array<bool, kChannelSlots + 1> seen{};
    for (int i = 0; i < count; ++i) {
        const int number = table[static_cast<std::size_t>(i)].Number;
        if (number < 1 || number > kChannelSlots || seen[static_cast<std::size_t>(number)])
            return false;
        seen[static_cast<std::size_t>(number)] = true;
    }
    return true;
}

/// The whole content of a full file as an image set, when it is one.
std::optional<ImageSet> parseFullFile(std::span<const std::uint8_t> bytes)
{
    if (bytes.size() != static_cast<std::size_t>(kFullFileBytes))
        return std::nullopt;
    ImageSet set = readFullImage(bytes.first<kFullFileBytes>());
    if (!isSaneImage(set))
        return std::nullopt;
    return set;
}

/// Makes a checked image the document: saved copy first, then the working
/// copy follows it. The image keeps the program's own version.
void adopt(Document& doc, const ImageSet& set)
{
    const FixedText<4> version = doc.image().Header.Version;
    doc.saved = set;
    doc.saved.Settings.Header.Version = version;
    doc.copySavedToWorking();
}

} // namespace

int OpenResult::messageId() const
{
    switch (outcome) {
    case OpenOutcome::FileError: return kTextFileError;
    case OpenOutcome::WrongModel: return kTextWrongModel;
    case OpenOutcome::BadVersionText: return kTextBadVersionText;
    case OpenOutcome::Opened:
    case OpenOutcome::Incompatible: break;
    }
    return 0;
}

bool isSaneImage(const ImageSet& set)
{
    return saneTable(set.ActiveChannels, set.Settings.ChannelCount) &&
           saneTable(set.StandbyChannels, set.Settings.StandbyChannelCount);
}

OpenResult checkDataFile(std::span<const std::uint8_t> bytes, const std::string& modelName,
                         const VersionRecords& versions)
{
    OpenResult result;
    if (bytes.size() < static_cast<std::size_t>(kHeaderBytes))
        return result;
    const std::string model(reinterpret_cast<const char*>(bytes.data()), 7);
    const std::string version = cleanText(std::string(reinterpret_cast<const char*>(bytes.data()) + 9, 4));
    result.fileVersion = version;
    if (cleanText(model) != cleanText(modelName)) {
        result.outcome = OpenOutcome::WrongModel;
    } else if (!isVersionText(version)) {
        result.outcome = OpenOutcome::BadVersionText;
    } else if (!versions.isCompatible(kProgramImageVersion, version)) {
        result.outcome = OpenOutcome::Incompatible;
    } else if (bytes.size() == static_cast<std::size_t>(kFullFileBytes)) {
        result.outcome = OpenOutcome::Opened;
    }
    return result;
}

OpenResult openDocumentBytes(Document& doc, std::span<const std::uint8_t> bytes, const std::string& path,
                             const VersionRecords& versions)
{
    OpenResult result = checkDataFile(bytes, doc.model.modelName, versions);
    if (result.outcome != OpenOutcome::Opened)
        return result;
    const auto set = parseFullFile(bytes);
    if (!set) {
        result.outcome = OpenOutcome::FileError;
        return result;
    }
    adopt(doc, *set);
    doc.documentPath = path;
    doc.isUntitled = false;
    return result;
}

OpenResult openDocument(Document& doc, const std::string& path, const VersionRecords& versions)
{
    // One byte more than a full file tells a long file from a full one.
    const auto bytes = readFilePrefix(path, kFullFileBytes + 1);
    if (!bytes)
        return {};
    return openDocumentBytes(doc, *bytes, path, versions);
}

FileWriteResult saveDocument(Document& doc, const std::string& path)
{
    // Work on a copy so that a failed write leaves the document as it was.
    Document next = doc;
    next.copyWorkingToSaved();
    if (const FileWriteResult written = writeFileAtomically(path, writeFullImage(next.saved)); !written)
        return written;
    doc.working = next.working;
    doc.saved = next.saved;
    doc.documentPath = path;
    doc.isUntitled = false;
    return {};
}

bool loadFullFile(Document& doc, const std::string& path)
{
    const auto bytes = readFilePrefix(path, kFullFileBytes + 1);
    const auto set = bytes ? parseFullFile(*bytes) : std::nullopt;
    if (!set) {
        doc.copyWorkingToSaved();
        return false;
    }
    adopt(doc, *set);
    return true;
}

int loadImageOnlyFile(Document& doc, const std::string& path)
{
    const auto bytes = readFilePrefix(path, kRadioImageBytes + 1);
    if (!bytes) {
        doc.copyWorkingToSaved();
        return kTextFileError;
    }
    if (bytes->size() != static_cast<std::size_t>(kRadioImageBytes))
        return kTextTemplateSize;
    const FixedText<4> version = doc.image().Header.Version;
    doc.saved.Settings = readRadioImage(std::span<const std::uint8_t, kRadioImageBytes>(bytes->data(), kRadioImageBytes));
    // The file holds no channels: neither table has used records.
    doc.saved.Settings.ChannelCount = 0;
    doc.saved.Settings.StandbyChannelCount = 0;
    doc.saved.Settings.Header.Version = version;
    doc.adoptSavedSettings();
    return 0;
}

} // namespace zav
