#include "zip_archive.h"

#include <archive.h>
#include <archive_entry.h>

#include <QDateTime>

#include <memory>

namespace zav::help {
namespace {

struct ArchiveCloser {
    void operator()(archive* a) const { archive_write_free(a); }
};
struct ReaderCloser {
    void operator()(archive* a) const { archive_read_free(a); }
};
struct EntryCloser {
    void operator()(archive_entry* e) const { archive_entry_free(e); }
};

la_ssize_t appendToBuffer(archive*, void* buffer, const void* data, size_t length)
{
    static_cast<QByteArray*>(buffer)->append(static_cast<const char*>(data), static_cast<qsizetype>(length));
    return static_cast<la_ssize_t>(length);
}

constexpr int kFileMode = 0644;

} // namespace

std::optional<QByteArray> zipArchive(const std::vector<ArchiveFile>& files, QString* error)
{
    QByteArray out;
    std::unique_ptr<archive, ArchiveCloser> zip(archive_write_new());
    auto failed = [&] {
        *error = QString::fromUtf8(archive_error_string(zip.get()));
        return std::nullopt;
    };
    if (archive_write_set_format_zip(zip.get()) != ARCHIVE_OK ||
        archive_write_open(zip.get(), &out, nullptr, appendToBuffer, nullptr) != ARCHIVE_OK)
        return failed();
    const time_t now = static_cast<time_t>(QDateTime::currentSecsSinceEpoch());
    for (const ArchiveFile& file : files) {
        std::unique_ptr<archive_entry, EntryCloser> entry(archive_entry_new());
        const QByteArray name = file.name.toUtf8();
        archive_entry_set_pathname_utf8(entry.get(), name.constData());
        archive_entry_set_size(entry.get(), file.bytes.size());
        archive_entry_set_filetype(entry.get(), AE_IFREG);
        archive_entry_set_perm(entry.get(), kFileMode);
        archive_entry_set_mtime(entry.get(), now, 0);
        if (archive_write_header(zip.get(), entry.get()) != ARCHIVE_OK)
            return failed();
        if (!file.bytes.isEmpty() &&
            archive_write_data(zip.get(), file.bytes.constData(), static_cast<size_t>(file.bytes.size())) < 0)
            return failed();
    }
    if (archive_write_close(zip.get()) != ARCHIVE_OK)
        return failed();
    return out;
}

std::optional<std::vector<ArchiveFile>> unzipArchive(const QByteArray& bytes, QString* error)
{
    std::unique_ptr<archive, ReaderCloser> zip(archive_read_new());
    auto failed = [&] {
        *error = QString::fromUtf8(archive_error_string(zip.get()));
        return std::nullopt;
    };
    archive_read_support_format_zip(zip.get());
    if (archive_read_open_memory(zip.get(), bytes.constData(), static_cast<size_t>(bytes.size())) != ARCHIVE_OK)
        return failed();
    std::vector<ArchiveFile> files;
    archive_entry* entry = nullptr;
    int status = ARCHIVE_OK;
    while ((status = archive_read_next_header(zip.get(), &entry)) == ARCHIVE_OK) {
        ArchiveFile file;
        file.name = QString::fromUtf8(archive_entry_pathname_utf8(entry));
        char chunk[8192];
        la_ssize_t got = 0;
        while ((got = archive_read_data(zip.get(), chunk, sizeof chunk)) > 0)
            file.bytes.append(chunk, static_cast<qsizetype>(got));
        if (got < 0)
            return failed();
        files.push_back(std::move(file));
    }
    if (status != ARCHIVE_EOF)
        return failed();
    return files;
}

} // namespace zav::help
