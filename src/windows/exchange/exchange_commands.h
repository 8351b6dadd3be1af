#pragma once

// The main window's exchange commands: File > Export Channels..., Import
// Channels..., Print... and Export PDF...; Edit > Copy Channels and Paste
// Channels for the rows of the channel table. What enters the document goes
// through the core's CSV checks; refused rows are listed in a
// RefusalDialog; an import or a paste is one undo step, and every open
// window shows it at once.

#include "edit_history.h"

#include <QObject>

#include <string>

class QAction;
class QWidget;

namespace zav::ui {
struct AppContext;
}

namespace zav {

class Document;
class UndoTracker;
struct CsvImportResult;

class ExchangeCommands : public QObject {
    Q_OBJECT
public:
    ExchangeCommands(ui::AppContext& ctx, QWidget* window, UndoTracker& undo);

    [[nodiscard]] QAction* exportChannelsAction() const { return exportChannels_; }
    [[nodiscard]] QAction* importChannelsAction() const { return importChannels_; }
    [[nodiscard]] QAction* printAction() const { return print_; }
    [[nodiscard]] QAction* exportPdfAction() const { return exportPdf_; }
    [[nodiscard]] QAction* copyChannelsAction() const { return copy_; }
    [[nodiscard]] QAction* pasteChannelsAction() const { return paste_; }

    /// Menu texts in the current language.
    void retranslate();

    void exportChannels();
    void importChannels();
    void printReport();
    void exportPdf();
    void copyChannels();
    void pasteChannels();

private:
    /// Every open editor stores what it holds, so the command sees it;
    /// what that changed becomes an undo step of its own.
    void commitPendingEdits();
    /// Shows the refusals of result (when there are any) and, unless the
    /// user keeps the document as it was, makes changed the document: one
    /// undo step named step.
    /// True when the document was changed.
    bool apply(Document& changed, const CsvImportResult& result, ChangeSummary::Area step);
    /// The file name a new file of the document starts from, with suffix.
    [[nodiscard]] QString suggestedPath(const QString& suffix) const;

    ui::AppContext& ctx_;
    QWidget* window_;
    UndoTracker& undo_;
    QAction* exportChannels_ = nullptr;
    QAction* importChannels_ = nullptr;
    QAction* print_ = nullptr;
    QAction* exportPdf_ = nullptr;
    QAction* copy_ = nullptr;
    QAction* paste_ = nullptr;
};

} // namespace zav
