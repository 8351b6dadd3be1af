#pragma once

// The whole configuration as readable JSON, for reading and editing by
// hand: frequencies in MHz, tones by name, channel options by their English
// list texts, texts as characters, DTMF codes as digits. Whatever the
// readable form cannot hold exactly (bytes that are not GBK, a frequency
// field that holds no frequency) is written in a stored form beside it, so
// that reading the file back gives the same data file byte for byte.

#include "document.h"
#include "version_records.h"

#include <string>
#include <string_view>
#include <vector>

namespace zav {

/// The name a member of the image goes by in the file: what it is, in
/// words ("DigitRate" -> "digit rate"); an option of the shared channel
/// settings by its channel column's name.
[[nodiscard]] std::string jsonKey(std::string_view member);

/// Positions of a settings array written as named members: one number
/// each, or a list where count > 1.
struct NamedPositions {
    const char* key;
    int first;
    int count = 1;
};
/// The named positions of OptFeat.Common1 and OptFeat.Common2.
[[nodiscard]] const std::vector<NamedPositions>& common1Positions();
[[nodiscard]] const std::vector<NamedPositions>& common2Positions();

/// The image that saving doc would write, as JSON.
[[nodiscard]] std::string exportConfigJson(const Document& doc);

/// A refused value: where it is in the file and why.
struct JsonProblem {
    std::string path; ///< "$.active channels[3].receive MHz"
    std::string reason;

    [[nodiscard]] std::string message() const { return path + ": " + reason; }
};

struct ConfigImportResult {
    std::vector<JsonProblem> problems;
    [[nodiscard]] bool ok() const { return problems.empty(); }
};

/// Reads a configuration written by exportConfigJson (or edited since) into
/// doc: the saved and the working image both become the one read, as if
/// its data file were opened. The model, band, version, counts and channel
/// numbers are checked by the checks of opening a data file (against
/// doc's model and the version pairs), so that only what the program can
/// open is accepted. Nothing of doc changes unless every value passed.
ConfigImportResult importConfigJson(Document& doc, std::string_view text, const VersionRecords& versions = {});

} // namespace zav
