#pragma once

// Every file the programs write goes through here. Whole files are
// replaced, never overwritten in place: a failed write leaves the previous
// file as it was. Files that grow line by line (the programming log, the
// wire trace) are appended to in place, always ending on a whole line.
// Both refuse the same targets, so no output ever turns a device, a pipe
// or a folder into a file, waits on a pipe, or replaces a read-only file.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zav {

/// Why a file was not written; the caller tells the user.
enum class FileWriteProblem {
    None,
    Folder,   ///< the name is a folder
    Device,   ///< a character or block device
    Pipe,     ///< a named pipe or a socket
    ReadOnly, ///< no write permission bits, not writable by this user, or on a read-only file system
    Failed,   ///< anything else (see systemError): no such folder, disk full, ...
};

struct FileWriteResult {
    FileWriteProblem problem = FileWriteProblem::None;
    int systemError = 0; ///< errno for Failed (0 when unknown)

    [[nodiscard]] bool ok() const { return problem == FileWriteProblem::None; }
    explicit operator bool() const { return ok(); }
};

/// "is a folder", "is a device", "is a pipe", "is read-only", or the
/// system's words for a failure: the English phrase after a file's name.
[[nodiscard]] std::string fileWriteProblemText(const FileWriteResult& result);

/// Whether path may be written as an output: what it names after its
/// symbolic links is a regular file that is not read-only, or nothing yet.
/// A read-only file is recognised by its permission bits, so a process
/// that could write it anyway (root) refuses it too. Says nothing about
/// the folder (see canReplaceFile).
[[nodiscard]] FileWriteResult checkOutputTarget(const std::string& path);

/// Writes data to a temporary file beside path, flushes it, then renames it
/// over path. A symbolic link is followed and the file it names is replaced
/// (the link stays); that file keeps its permission bits, and its owner and
/// group as far as this process may set them. A target checkOutputTarget
/// refuses is left untouched. On any error the temporary file is removed.
FileWriteResult writeFileAtomically(const std::string& path, const std::vector<std::uint8_t>& data);

/// True when writeFileAtomically could replace (or create) path now:
/// checkOutputTarget accepts it and its folder may be written. For refusing
/// early what a save would refuse late.
[[nodiscard]] bool canReplaceFile(const std::string& path);
/// The same, with the reason when it could not.
[[nodiscard]] FileWriteResult checkReplaceFile(const std::string& path);

/// A file that grows by whole lines, appended to in place so that two
/// programs adding to it at once lose nothing. Opening checks the target
/// as a save does and never waits (a pipe is refused before it is opened);
/// a record that cannot be written whole is taken back, so the file always
/// ends on a whole line, also when the disk is full.
class AppendFile {
public:
    /// Opens (creates) path for appending; nothing, with the reason in
    /// result, when it is refused or cannot be opened.
    [[nodiscard]] static std::unique_ptr<AppendFile> open(const std::string& path, FileWriteResult& result);
    ~AppendFile();
    AppendFile(const AppendFile&) = delete;
    AppendFile& operator=(const AppendFile&) = delete;

    /// True when the file held nothing when it was opened (a header goes first).
    [[nodiscard]] bool wasEmpty() const { return wasEmpty_; }
    /// Appends record (whole lines ending in '\n'). A file whose last line
    /// was left unfinished by someone else gets a line end first. On
    /// failure whatever part of record reached the file is removed again.
    FileWriteResult append(std::string_view record);

private:
    explicit AppendFile(int fd, bool wasEmpty, bool needsLineEnd);
    int fd_;
    bool wasEmpty_;
    bool needsLineEnd_;
};

/// Opens path, appends record and closes it again (see AppendFile); when
/// the file is empty or new, header goes before the record.
FileWriteResult appendToFile(const std::string& path, std::string_view record, std::string_view header = {});

/// The first maxBytes bytes of a regular file (fewer when it is shorter);
/// nothing when it is missing, not a regular file or unreadable.
[[nodiscard]] std::optional<std::vector<std::uint8_t>> readFilePrefix(const std::string& path,
                                                                      std::size_t maxBytes);

/// Reads a whole regular file of at most maxBytes; nothing when it is
/// missing, not a regular file, unreadable or larger.
[[nodiscard]] std::optional<std::vector<std::uint8_t>> readWholeFile(const std::string& path,
                                                                     std::size_t maxBytes);

} // namespace zav
