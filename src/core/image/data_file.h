#pragma once

// Data files (.dat): full files of 95640 bytes and image-only templates of
// 1860 bytes. Opening checks the file completely before it becomes the
// document; saving writes a temporary file and renames it.

#include "document.h"

#include <cstdint>
#include <functional>
#include <span>
#include <string>

namespace zav {

struct VersionRecords;

/// Outcome of opening a file, with the message the user must see.
enum class OpenOutcome {
    Opened,
    FileError,       ///< 9002: unreadable, wrong size, absurd content
    WrongModel,      ///< 9012
    BadVersionText,  ///< 9065
    Incompatible,    ///< the version question (IncompatibleMessage) applies
};

struct OpenResult {
    OpenOutcome outcome = OpenOutcome::FileError;
    std::string fileVersion; ///< header version, for the version question
    /// Text id of the refusal (9002, 9012, 9065); 0 when opened and for the
    /// version question, whose text is IncompatibleMessage.
    [[nodiscard]] int messageId() const;
};

/// Reads only the 13-byte header and runs the model and version checks
/// against doc.model.ModelName; then reads and checks the whole file and,
/// only when everything passed, makes it the document (saved and working),
/// stamps "V300", sets DocumentPath = path and IsUntitled = false.
/// Nothing of doc changes unless the outcome is Opened.
OpenResult OpenDocument(Document& doc, const std::string& path, const VersionRecords& versions);

/// The header checks of OpenDocument on file content held in memory (model
/// against modelName, version form, compatibility) and the size of a full
/// file. Opened means the content may be parsed; nothing is changed.
[[nodiscard]] OpenResult CheckDataFile(std::span<const std::uint8_t> bytes, const std::string& modelName,
                                       const VersionRecords& versions);

/// OpenDocument on file content held in memory; path becomes DocumentPath
/// when the content is opened.
OpenResult OpenDocumentBytes(Document& doc, std::span<const std::uint8_t> bytes, const std::string& path,
                             const VersionRecords& versions);

/// Saves the working image to path (CopyWorkingToSaved first); on success
/// DocumentPath = path and IsUntitled = false. On failure nothing of the
/// document changes and the previous file is intact; returns false
/// (message 9002).
bool SaveDocument(Document& doc, const std::string& path);

/// Template loaders (no model/version checks). Full file: on failure the
/// saved image is put back from the working one. Image-only: returns 9033
/// when the file is not exactly 1860 bytes, 9002 on other errors, 0 on
/// success.
bool LoadFullFile(Document& doc, const std::string& path);
int LoadImageOnlyFile(Document& doc, const std::string& path);

/// Checks of a full image read from a file or built otherwise: counts
/// 0..521, used Numbers 1..521 and distinct within each table.
[[nodiscard]] bool IsSaneImage(const ImageSet& set);

} // namespace zav
