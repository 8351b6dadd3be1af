#include "caption_rooms.h"

namespace zav {

std::vector<CaptionRoom> fixedCaptionRooms()
{
    std::vector<CaptionRoom> rooms;
    for (std::size_t column = 0; column < kChannelGridColumnTwips.size(); ++column) {
        const int twips = kChannelGridColumnTwips[column];
        if (twips == 0)
            continue; // a hidden column shows no header
        const int pixels = (twips + kCaptionTwipsPerPixel / 2) / kCaptionTwipsPerPixel;
        rooms.push_back({kChannelGridHeaderIds[column], pixels - 2 * kHeaderMarginPixels, kChannelGridHeaderLines});
    }
    return rooms;
}

} // namespace zav
