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
    void showInfo();

    [[nodiscard]] QComboBox* modelList() const { return modelList_; }
    [[nodiscard]] QComboBox* bandList() const { return bandList_; }
    [[nodiscard]] QLineEdit* salesAreaBox() const { return salesAreaBox_; }
    [[nodiscard]] QLineEdit* productionBatchBox() const { return productionBatchBox_; }
    [[nodiscard]] QLineEdit* customerCodeBox() const { return customerCodeBox_; }
    [[nodiscard]] QLineEdit* serialNumberBox() const { return serialNumberBox_; }
    [[nodiscard]] QLineEdit* factoryDateBox() const { return factoryDateBox_; }
    [[nodiscard]] QLineEdit* repairDateBox() const { return repairDateBox_; }
    [[nodiscard]] QLineEdit* versionBox() const { return versionBox_; }
    [[nodiscard]] QPlainTextEdit* repairReasonBox() const { return repairReasonBox_; }
    [[nodiscard]] QLineEdit* dealerCodeBox() const { return dealerCodeBox_; }
    [[nodiscard]] QLineEdit* stockInTimeBox() const { return stockInTimeBox_; }
    [[nodiscard]] QLineEdit* saleTimeBox() const { return saleTimeBox_; }
    [[nodiscard]] QLineEdit* handlerBox() const { return handlerBox_; }
    [[nodiscard]] QPushButton* closeButton() const { return closeButton_; }

private:
    link::RadioInfo info_;
    QComboBox* modelList_ = nullptr;
    QComboBox* bandList_ = nullptr;
    QLineEdit* salesAreaBox_ = nullptr;
    QLineEdit* productionBatchBox_ = nullptr;
    QLineEdit* customerCodeBox_ = nullptr;
    QLineEdit* serialNumberBox_ = nullptr;
    QLineEdit* factoryDateBox_ = nullptr;
    QLineEdit* repairDateBox_ = nullptr;
    QLineEdit* versionBox_ = nullptr;
    QPlainTextEdit* repairReasonBox_ = nullptr;
    QGroupBox* dealerGroup_ = nullptr;
    QLineEdit* dealerCodeBox_ = nullptr;
    QLineEdit* stockInTimeBox_ = nullptr;
    QLineEdit* saleTimeBox_ = nullptr;
    QLineEdit* handlerBox_ = nullptr;
    QPushButton* closeButton_ = nullptr;
};

} // namespace zav::features
