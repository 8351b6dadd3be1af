#pragma once

// Program > Write to Many Radios...: the serial devices with check boxes
// (looked up again every second, so adapters plugged in or out show at
// once, plus devices added by path such as a virtual radio's pseudo-
// terminal), the answers a single write would ask for, and one row per
// radio with its progress, identity and result. Start writes a snapshot of
// the document to every checked radio at once, one engine per port; a
// radio that fails stops nothing else and can be retried alone. Every
// radio's end goes into the programming log.

#include "document.h"
#include "programming_log.h"

#include <QPointer>
#include <QString>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class QCheckBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTreeWidget;
class QTreeWidgetItem;

namespace zav::ui {
struct AppContext;
}

namespace zav {

class FleetRadio;

/// A serial device as the list shows it.
struct FleetDevice {
    QString path;
    QString description;
    QString serialNumber;
};

/// The system's serial devices now (QSerialPortInfo).
[[nodiscard]] std::vector<FleetDevice> systemFleetDevices();

class FleetWindow : public QWidget {
    Q_OBJECT
public:
    using DeviceSource = std::function<std::vector<FleetDevice>()>;

    FleetWindow(ui::AppContext& ctx, DeviceSource devices, QWidget* parent = nullptr);
    ~FleetWindow() override;

    /// Where the log lines go ("" = the per-user programming log).
    void setLogPath(const std::string& path) { logPath_ = path; }

    /// Looks at the devices again (the timer does it every second).
    void refreshDevices();
    /// Adds a device by path (what the "Add device" button does).
    void addDevice(const QString& path);
    /// Start: checks the document, then writes to every checked device.
    /// False when nothing was started.
    bool start();
    /// Writes again to the radio of the selected result row, when it failed.
    bool retrySelected();

    [[nodiscard]] bool busy() const;
    [[nodiscard]] int radioCount() const { return static_cast<int>(radios_.size()); }
    [[nodiscard]] FleetRadio* radio(int row) const;
    [[nodiscard]] bool allFinished() const;

    // The controls, for tests.
    [[nodiscard]] QTreeWidget* deviceList() const { return devices_; }
    [[nodiscard]] QTreeWidget* resultList() const { return results_; }
    [[nodiscard]] QLineEdit* addField() const { return addField_; }
    [[nodiscard]] QPushButton* addButton() const { return addButton_; }
    [[nodiscard]] QCheckBox* allowOtherBandBox() const { return allowOtherBand_; }
    [[nodiscard]] QLineEdit* passwordField() const { return password_; }
    [[nodiscard]] QSpinBox* retriesBox() const { return retries_; }
    [[nodiscard]] QCheckBox* verifyBox() const { return verify_; }
    [[nodiscard]] QPushButton* startButton() const { return start_; }
    [[nodiscard]] QPushButton* retryButton() const { return retry_; }
    [[nodiscard]] QLabel* summaryLabel() const { return summary_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    struct Row;
    void buildControls();
    QTreeWidgetItem* deviceItem(const QString& path) const;
    Row* rowFor(const QString& device);
    void startRow(Row& row);
    void showRow(const Row& row);
    void radioFinished(Row& row);
    void updateButtons();
    void updateSummary();
    QString identityText(const Row& row) const;
    /// Appends a line to the programming log; a failure shows in the summary.
    void addLogLine(const ProgrammingLogEntry& entry);
    QString resultText(const Row& row) const;

    ui::AppContext& ctx_;
    DeviceSource source_;
    std::vector<QString> addedPaths_; ///< given by hand: kept even when the system does not list them
    QTimer poll_;
    std::string logPath_;
    bool logFailed_ = false;

    /// What the radios get: the document as it was at Start.
    Document snapshot_;
    std::string passwordText_;
    std::vector<std::unique_ptr<Row>> radios_;

    QTreeWidget* devices_ = nullptr;
    QLineEdit* addField_ = nullptr;
    QPushButton* addButton_ = nullptr;
    QCheckBox* allowOtherBand_ = nullptr;
    QLineEdit* password_ = nullptr;
    QSpinBox* retries_ = nullptr;
    QCheckBox* verify_ = nullptr;
    QPushButton* start_ = nullptr;
    QPushButton* retry_ = nullptr;
    QTreeWidget* results_ = nullptr;
    QLabel* summary_ = nullptr;
};

} // namespace zav
