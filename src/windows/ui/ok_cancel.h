#pragma once

// The OK/Cancel pair of the modal dialogs: CommandOK ("&OK", the default
// button) and CommandCancel ("&Cancel", rejects the dialog), right aligned
// in one row.

class QDialog;
class QHBoxLayout;
class QPushButton;

namespace zav::ui {

struct AppContext;

/// Creates both buttons in dialog, stores them in ok and cancel, and
/// returns the row to add under the dialog's content.
QHBoxLayout* okCancelRow(QDialog* dialog, const AppContext& ctx, QPushButton*& ok, QPushButton*& cancel);

} // namespace zav::ui
