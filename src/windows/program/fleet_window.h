#pragma once

// Program > Write to Many Radios...: the serial devices with check boxes
// (looked up again every second, so adapters plugged in or out show at
// once, plus devices added by path such as a virtual radio's pseudo-
// terminal), the answers a single write would ask for, and one row per
// radio with its progress, identity and result. Start writes a snapshot of
// the document to every checked radio at once, one engine per port; a
// radio that fails stops nothing else and can be retried alone. Every
// radio's end goes into the programming log.
//
// "Compare only" reads every radio and says whether it holds what a write
// would send. "Source: a radio" reads the chosen radio once and writes its
// memory as read to the others (each keeps its own identity bytes). A
// power-on text pattern ("UNIT {n:02}") or a list of texts gives each radio
// its own power-on text, numbered in the order the radios are started.
//
// The production line ("Program each radio as it is plugged in") writes
// every device that appears while it is on, without Start: the kinds the
// user chose (USB serial adapters unless "other serial ports" is ticked,
// so a GPS or a printer never gets a handshake) and paths added by hand.
// A radio has a fixed time to answer its handshake; a device that goes
// away and comes back is a new radio.

#include "document.h"
#include "packets.h"
#include "power_on_texts.h"
#include "programming_log.h"

#include <QPointer>
#include <QString>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
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
enum class FleetJob;
struct FleetPolicy;

/// A serial device as the list shows it.
struct FleetDevice {
    QString path;
    QString description;
    QString serialNumber;
    bool usbAdapter = false; ///< a USB serial adapter (it has a USB vendor id)
};

/// How long a radio plugged into the production line has to answer.
inline constexpr int kLineAnswerMs = 10000;

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
    /// The production line's switch: on, every new device of the chosen
    /// kinds is written as it appears. False when it could not be switched on.
    bool setProductionLine(bool on);
    [[nodiscard]] bool productionLine() const { return lineOn_; }
    /// How long a radio on the production line has to answer (tests shorten it).
    void setLineAnswerMs(int ms) { lineAnswerMs_ = ms; }
    /// The list of power-on texts, one per radio in order (what "Texts from
    /// a file..." loads); empty: the pattern, if any.
    void setPowerOnTexts(std::vector<std::string> texts);

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
    [[nodiscard]] QCheckBox* compareOnlyBox() const { return compareOnly_; }
    [[nodiscard]] QComboBox* sourceBox() const { return sourceKind_; }
    [[nodiscard]] QComboBox* sourceDeviceBox() const { return sourceDevice_; }
    [[nodiscard]] QCheckBox* productionLineBox() const { return line_; }
    [[nodiscard]] QCheckBox* otherPortsBox() const { return otherPorts_; }
    [[nodiscard]] QLineEdit* powerOnPatternField() const { return pattern_; }
    [[nodiscard]] QSpinBox* firstNumberBox() const { return firstNumber_; }
    [[nodiscard]] QPushButton* powerOnTextsButton() const { return textsButton_; }
    [[nodiscard]] QLabel* lineResultLabel() const { return lineResult_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    struct Row;
    void buildControls();
    QWidget* buildJobBox();
    /// What the fleet's radios get now: the check's question for a write of
    /// the document, the snapshot, the password, the power-on texts for
    /// count radios. False (told) when nothing is to start.
    bool prepareJob(const QStringList& devices, int count);
    [[nodiscard]] bool fromRadio() const;
    [[nodiscard]] FleetJob jobOfRows() const;
    Row& addRow(const QString& device, int number, bool lineRadio, FleetJob job);
    void startTargets(const QStringList& devices);
    void sourceRead(Row& row);
    void lineDeviceArrived(const QString& path);
    [[nodiscard]] bool lineTakes(const FleetDevice& device) const;
    void showLineResult(const Row& row);
    void keepHeldBefore(const FleetRadio& radio, const link::RadioMemory& memory);
    void refreshSourceDevices();
    QTreeWidgetItem* deviceItem(const QString& path) const;
    Row* rowFor(const QTreeWidgetItem* item);
    void startRow(Row& row);
    void showRow(const Row& row);
    void radioFinished(Row& row);
    void updateButtons();
    void updateSummary();
    QString identityText(const Row& row) const;
    /// Appends a line to the programming log; a failure shows in the summary.
    void addLogLine(const ProgrammingLogEntry& entry);
    QString resultText(const Row& row) const;
    QString powerOnProblemText(PowerOnTextError error) const;

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
    PowerOnTextPlan powerOnPlan_;
    std::vector<std::string> powerOnList_; ///< from a file
    int nextNumber_ = 0;                   ///< position of the next radio started
    /// A clone's source: its memory as read, and decoded (what the log names).
    std::shared_ptr<const link::RadioMemory> sourceMemory_;
    Document sourceDocument_;
    std::vector<std::pair<QString, int>> waitingForSource_; ///< device, number
    bool lineOn_ = false;
    int lineAnswerMs_ = kLineAnswerMs;
    std::set<QString> known_; ///< devices present at the last look (the line's "new" is against it)

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
    QCheckBox* compareOnly_ = nullptr;
    QComboBox* sourceKind_ = nullptr; ///< the document, or a radio
    QComboBox* sourceDevice_ = nullptr;
    QCheckBox* line_ = nullptr;
    QCheckBox* otherPorts_ = nullptr;
    QLineEdit* pattern_ = nullptr;
    QSpinBox* firstNumber_ = nullptr;
    QPushButton* textsButton_ = nullptr;
    QLabel* textsLabel_ = nullptr;
    QLabel* lineResult_ = nullptr;
};

} // namespace zav
