#pragma once

// Small pieces the feature editors share: captions by text id, the Close
// button, and text boxes that select their content on getting the focus.

#include <QString>

class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace zav::ui {
struct AppContext;
}

namespace zav::features {

/// "Off": entry 0 of the optional features' time and switch lists.
inline constexpr int kTextFeatureOff = 16040;

/// A label with the text of id.
QLabel* newCaptionLabel(const ui::AppContext& ctx, int id, QWidget* parent);
/// The Close button (text 9023): closes the editor and its child window.
QPushButton* newCloseButton(const ui::AppContext& ctx, QWidget* editor);
/// Closes an editor together with the MDI child window that holds it.
void closeEditor(QWidget* editor);
/// The box selects its whole text whenever it gets the focus.
void selectAllOnFocus(QLineEdit* box);
/// Moves the focus on from a control, as Tab does.
void focusNext(QWidget* from);

} // namespace zav::features
