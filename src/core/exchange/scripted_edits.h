#pragma once

// Edits named on a command line: channel fields by their column names as
// options name them ("receive-tone"), set on a list of channels through the
// bulk path, and settings outside the channel table by their prefixed
// names ("dtmf.digit-rate"). Nothing changes when one value is refused,
// unless the caller asks to keep what passed.

#include "bulk_edits.h"
#include "document.h"

#include <string>
#include <string_view>
#include <vector>

namespace zav {

struct ScriptedEdit {
    std::string name;  ///< "receive-tone", "dtmf.digit-rate", ...
    std::string value;
};

struct ScriptedEditResult {
    std::string usageError;             ///< an unknown or shared name, a bad channel list (nothing done)
    std::vector<std::string> refusals;  ///< "channel 3, receive tone: <reason>", "dtmf.digit-rate: <reason>"
    std::vector<std::string> changes;   ///< "channel 3, receive tone: OFF -> 67.0"
    int channelsChanged = 0;
    int settingsChanged = 0;
    bool stored = false;                ///< doc was changed

    /// "12 channels and 1 setting changed"
    [[nodiscard]] std::string summary() const;
};

/// Every name an edit takes: the channel fields, then the settings.
[[nodiscard]] std::vector<std::string> scriptedFieldNames();

/// Applies edits to doc: the channel fields on the channels of
/// channelList (parseChannelList; required when a channel field is named),
/// each setting once. With keepValid false nothing of doc changes when a
/// value was refused.
ScriptedEditResult applyScriptedEdits(Document& doc, std::string_view channelList, const std::vector<ScriptedEdit>& edits,
                                      bool keepValid);

} // namespace zav
