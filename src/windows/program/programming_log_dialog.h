#pragma once

// Program > Programming Log...: the lines of the programming log as a
// table, the newest at the bottom, with the file's place below.

#include <QDialog>

#include <string>

class QTableWidget;

namespace zav::ui {
struct AppContext;
}

namespace zav {

class ProgrammingLogDialog : public QDialog {
    Q_OBJECT
public:
    ProgrammingLogDialog(ui::AppContext& ctx, const std::string& path, QWidget* parent = nullptr);

    [[nodiscard]] QTableWidget* table() const { return table_; }

private:
    QTableWidget* table_ = nullptr;
};

} // namespace zav
