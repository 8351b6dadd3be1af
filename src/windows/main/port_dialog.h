#pragma once

// Port dialog: 16 numbered choices, each showing the device it stands for
// (see port_mapping.h) and what the system calls it, enabled when that
// device is present. The list is rebuilt every second while the dialog is
// open, keeping the selection; a device that appeared since the dialog
// opened is marked new, so plugging the cable in shows which one it is.

#include "port_mapping.h"
#include "serial_devices.h"

#include <QDialog>
#include <QTimer>

#include <array>
#include <set>
#include <string>
#include <vector>

class QButtonGroup;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace zav::ui {
struct AppContext;
}

namespace zav {

class PortDialog : public QDialog {
    Q_OBJECT
public:
    /// devices: where the device list comes from (the system's by default).
    explicit PortDialog(ui::AppContext& ctx, DeviceSource devices = systemSerialDevices, QWidget* parent = nullptr);

    /// Rebuilds the choices from the device list, keeping the selection.
    void refreshPorts();
    /// Selected port number (1..16) or 0.
    [[nodiscard]] int selectedPort() const;
    [[nodiscard]] const PortTable& table() const { return table_; }

    static constexpr int kRefreshMs = 1000;

    QGroupBox* portGroup = nullptr;
    std::array<QRadioButton*, kPortChoices> portOptions{};
    std::array<QLabel*, kPortChoices> deviceLabels{};
    std::array<QLabel*, kPortChoices> descriptionLabels{}; ///< description, "new" when it appeared meanwhile
    QPushButton* okButton = nullptr;
    QPushButton* cancelButton = nullptr;
    QTimer refreshTimer;

protected:
    void done(int result) override;

private:
    void showPortList();
    void showDescription(int index);
    void selectPort(int number);
    void storeChoice();

    ui::AppContext& ctx_;
    DeviceSource devices_;
    PortTable table_{};
    std::vector<SerialDevice> shown_;        ///< the devices of the last refresh
    std::set<std::string> presentAtOpening_; ///< paths of the devices there when the dialog opened
    bool opened_ = false;                    ///< presentAtOpening_ is filled
    QButtonGroup* group_ = nullptr;
};

} // namespace zav
