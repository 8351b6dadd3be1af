#pragma once

// Field-by-field differences of two images, named by dotted member path
// ("Settings.OptFeat.Common1[4]", "ActiveChannels[Number=5].RxTone").
// Channels are matched by Number among the used records, so a table that
// was only reordered has no differences.

#include "radio_image.h"

#include <string>
#include <vector>

namespace zav {

struct FieldDifference {
    std::string name;
    std::string a; ///< value in the first image (numbers in decimal, texts as JSON strings)
    std::string b; ///< value in the second image; "(none)" for a channel the image lacks
};

[[nodiscard]] std::vector<FieldDifference> diffImages(const ImageSet& a, const ImageSet& b);

} // namespace zav
