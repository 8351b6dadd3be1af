#pragma once

// A new document: every default value, then a template file laid over it
// when one is present beside the program.

#include "document.h"

#include <string>

namespace zav {

enum class TemplateVariant {
    NewDocument, ///< start-up and File New: <model>_<band>_NEW.dat, then ZAV415_0.dat image-only
    Init,        ///< the Init command: <model>_<band>.dat
};

struct NewDocumentResult {
    bool templateLoaded = false;
    std::string templatePath;
    int messageId = 0; ///< 9033 when an image-only template had the wrong length
};

/// Builds a new document into doc (all-zero image, defaults, both tables
/// with channels 1 and 521 at mid-band, saved copy, then the template from
/// initDir when present). ChannelMode is kept; documentPath becomes
/// "new.dat" and isUntitled true.
NewDocumentResult buildNewDocument(Document& doc, const std::string& initDir, TemplateVariant variant);

/// Appends a default channel to the active (or standby) working table.
void appendDefaultChannel(Document& doc, int number, double mhz, bool standby);

/// The group names of a mode ("EU".."E" or "AE".."VFO","E").
[[nodiscard]] const char* const* defaultGroupNames(bool extended);

} // namespace zav
