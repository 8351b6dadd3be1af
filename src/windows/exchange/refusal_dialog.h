#pragma once

// The rows an import or a paste refused, each with its row, column and
// reason, and the choice of storing the rows that passed ("Import the valid
// rows", accepted) or changing nothing (Cancel, rejected).

#include "channel_csv.h"

#include <QDialog>

#include <functional>

class QLabel;
class QPushButton;
class QTableWidget;

namespace zav {

/// Why a row or value was refused, in the language of text (English when
/// the language file lacks the text).
[[nodiscard]] QString reasonText(const std::function<QString(int)>& text, const CsvProblem& problem);

class RefusalDialog : public QDialog {
    Q_OBJECT
public:
    /// text: the program's texts; the problems of result's refused rows,
    /// every one listed; validRows: the rows that passed.
    RefusalDialog(const std::function<QString(int)>& text, const CsvImportResult& result, int validRows,
                  QWidget* parent = nullptr);

    [[nodiscard]] QTableWidget* table() const { return table_; }
    [[nodiscard]] QPushButton* importButton() const { return import_; }

private:
    QTableWidget* table_ = nullptr;
    QPushButton* import_ = nullptr;
};

} // namespace zav
