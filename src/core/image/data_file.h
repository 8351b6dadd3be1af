#pragma once

// Data files (.dat): full files of 95640 bytes and image-only templates of
// 1860 bytes. Opening checks the file completely before it becomes the
// document; saving writes a temporary file and renames it.

#include "atomic_file.h"
#include "document.h"

#include <cstdint>
#include <functional>
#include <span>
#include <string>

namespace zav {

struct VersionRecords;

/// The messages of a data file refused.
inline constexpr int kTextFileError = 9002;      ///< unreadable, wrong size, absurd content
inline constexpr int kTextWrongModel = 9012;     ///< "Model mismatch: ...", a radio's too
inline constexpr int kTextTemplateSize = 9033;   ///< a template that is not an image
inline constexpr int kTextBadVersionText = 9065; ///< the header's version is no version

/// Outcome of opening a file, with the message the user must see.
enum class OpenOutcome {
    Opened,
    FileError,       ///< 9002: unreadable, wrong size, absurd content
    WrongModel,      ///< 9012
    BadVersionText,  ///< 9065
    Incompatible,    ///< the version question (incompatibleMessage) applies
};

struct OpenResult {
    OpenOutcome outcome = OpenOutcome::FileError;
    std::string fileVersion; ///< header version, for the version question
    /// Text id of the refusal (9002, 9012, 9065); 0 when opened and for the
    /// version question, whose text is incompatibleMessage.
    [[nodiscard]] int messageId() const;
};

/// Reads only the 13-byte header and runs the model and version checks
/// against doc.model.modelName; then reads and checks the whole file and,
/// only when everything passed, makes it the document (saved and working),
/// stamps "V300", sets documentPath = path and isUntitled = false.
/// Nothing of doc changes unless the outcome is Opened.
OpenResult openDocument(Document& doc, const std::string& path, const VersionRecords& versions);

/// The header checks of openDocument on file content held in memory (model
/// against modelName, version form, compatibility) and the size of a full
/// file. Opened means the content may be parsed; nothing is changed.
[[nodiscard]] OpenResult checkDataFile(std::span<const std::uint8_t> bytes, const std::string& modelName,
                                       const VersionRecords& versions);

/// openDocument on file content held in memory; path becomes documentPath
/// when the content is opened.
OpenResult openDocumentBytes(Document& doc, std::span<const std::uint8_t> bytes, const std::string& path,
                             const VersionRecords& versions);

/// Saves the working image to path (copyWorkingToSaved first); on success
/// documentPath = path and isUntitled = false. On failure nothing of the
/// document changes and the previous file is intact; the result says why
/// (message 9002, and what was wrong with the target).
FileWriteResult saveDocument(Document& doc, const std::string& path);

/// Template loaders (no model/version checks). Full file: on failure the
/// saved image is put back from the working one. Image-only: returns 9033
/// when the file is not exactly 1860 bytes, 9002 on other errors, 0 on
/// success.
bool loadFullFile(Document& doc, const std::string& path);
int loadImageOnlyFile(Document& doc, const std::string& path);

/// Checks of a full image read from a file or built otherwise: counts
/// 0..521, used Numbers 1..521 and distinct within each table.
[[nodiscard]] bool isSaneImage(const ImageSet& set);

} // namespace zav
