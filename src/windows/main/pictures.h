#pragma once

// Pictures that ship beside the program: the splash pictures, the about
// picture and the icon strip of the toolbar and the tree.

#include <QIcon>
#include <QPixmap>
#include <QString>

#include <string>

namespace zav {

inline constexpr const char* kSplashEnglish = "StartE.jpg";
inline constexpr const char* kSplashChinese = "StartC.jpg";
inline constexpr const char* kAboutPicture = "About.png";
inline constexpr const char* kIconStrip = "Icons.png";

/// Icons of the strip, left to right (each as tall as the strip).
enum class IconId { NewFile, OpenFile, SaveFile, ReadRadio, CommSet, WriteRadio, About, TreeRoot, TreeNode, HidePane };

/// A picture from the program folder; a null pixmap when it is missing.
[[nodiscard]] QPixmap loadPicture(const std::string& programDir, const char* name);
/// The icon strip, read once.
class IconStrip {
public:
    explicit IconStrip(const std::string& programDir);
    /// One icon of the strip; a null icon when the strip is missing.
    [[nodiscard]] QIcon icon(IconId id) const;

private:
    QPixmap strip_;
};

} // namespace zav
