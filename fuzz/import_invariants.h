#pragma once

// What every accepted import must give, checked inside the import fuzzers:
// a document whose data file opens through the code that opens files, and
// whose export, imported again, gives the same document.

#include "data_file.h"
#include "document.h"
#include "image_layout.h"
#include "version_records.h"

#include <cstdlib>

namespace zav::fuzz {

/// A fuzzer's assertion: libFuzzer (and the replay) report the abort with
/// the input that caused it.
inline void Require(bool condition)
{
    if (!condition)
        std::abort();
}

/// The bytes the document's data file would hold.
inline Bytes FileBytes(const Document& doc)
{
    Document copy = doc;
    copy.copyWorkingToSaved();
    return writeFullImage(copy.saved);
}

/// The document's data file opens, and holds what the document holds.
inline void RequireOpens(const Document& doc)
{
    const Bytes bytes = FileBytes(doc);
    Document opened;
    Require(openDocumentBytes(opened, bytes, "import.dat", VersionRecords{}).outcome == OpenOutcome::Opened);
    Require(opened.working.ActiveChannels == doc.working.ActiveChannels);
    Require(opened.working.StandbyChannels == doc.working.StandbyChannels);
}

} // namespace zav::fuzz
