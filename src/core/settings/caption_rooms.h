#pragma once

// Captions that go into places of a fixed size, so that a translation can
// be checked against the room it gets: the channel table's column headers
// (the columns keep the widths stored layouts and the printed tables of the
// radio shops know; a header holds two lines). Windows that lay themselves
// out grow with their texts and need no entry here.

#include <array>
#include <vector>

namespace zav {

/// Twips per pixel at 96 dpi.
inline constexpr int kCaptionTwipsPerPixel = 15;

/// The channel table's columns: width in twips (0: hidden) and header text id.
inline constexpr int kChannelGridColumnCount = 11;
inline constexpr std::array<int, kChannelGridColumnCount> kChannelGridColumnTwips{740, 1300, 0, 0, 1200, 1200,
                                                                                 0,   0,    0, 0, 1400};
inline constexpr std::array<int, kChannelGridColumnCount> kChannelGridHeaderIds{14001, 14002, 14003, 14004, 14005, 14006,
                                                                                14007, 14008, 14009, 14010, 14011};
/// Lines a channel table header shows.
inline constexpr int kChannelGridHeaderLines = 2;
/// What a header section keeps free on each side of its text.
inline constexpr int kHeaderMarginPixels = 4;

/// A text id and the room its text gets: width in pixels (margins taken
/// off), lines it may wrap into at spaces.
struct CaptionRoom {
    int id = 0;
    int widthPixels = 0;
    int lines = 1;
};

/// Every caption of a fixed-size place.
[[nodiscard]] std::vector<CaptionRoom> fixedCaptionRooms();

} // namespace zav
