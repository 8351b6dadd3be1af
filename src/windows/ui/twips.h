#pragma once

// Window sizes and positions are kept in twips, as the settings store and
// the layout tables have always held them: 15 twips to a pixel at 96 dpi.

namespace zav::ui {

inline constexpr int kTwipsPerPixel = 15;

/// Twips to whole pixels, rounded to the nearest (half up).
constexpr int twipsToPixels(double twips) { return static_cast<int>(twips / kTwipsPerPixel + 0.5); }
/// Pixels to whole twips.
constexpr int pixelsToTwips(int pixels) { return pixels * kTwipsPerPixel; }

} // namespace zav::ui
