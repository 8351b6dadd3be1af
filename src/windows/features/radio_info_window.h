#pragma once

// Radio-information window: the identification and service data read
// from the connected radio. It only displays; the programming password of
// the information area is never shown.

#include "editor_window.h"
#include "radio_info.h"

class QComboBox;
class QGroupBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace zav::ui {
struct AppContext;
}

namespace zav::features {

class RadioInfoWindow : public ui::EditorWindow {
    Q_OBJECT
public:
    RadioInfoWindow(ui::AppContext& ctx, link::RadioInfo info, QWidget* parent = nullptr);

    /// Fills every display from the record.
    void ShowByData();

    QComboBox* ComboModel = nullptr;
    QComboBox* ComboBand = nullptr;
    QLineEdit* TextSalesArea = nullptr;
    QLineEdit* TextProductionBatch = nullptr;
    QLineEdit* TextCustomerCode = nullptr;
    QLineEdit* TextSerialNumber = nullptr;
    QLineEdit* TextFactoryDate = nullptr;
    QLineEdit* TextRepairDate = nullptr;
    QLineEdit* TextVersion = nullptr;
    QPlainTextEdit* TextRepairReason = nullptr;
    QGroupBox* FrameDealer = nullptr;
    QLineEdit* TextDealerCode = nullptr;
    QLineEdit* TextStockInTime = nullptr;
    QLineEdit* TextSaleTime = nullptr;
    QLineEdit* TextHandler = nullptr;
    QPushButton* CommandClose = nullptr;

private:
    link::RadioInfo info_;
};

} // namespace zav::features
