#pragma once

// Port dialog: the serial devices the system reports, by path, with what
// the system calls each one, its maker, serial number and USB id; and a box
// holding the device to use, filled by choosing from the list or typed (a
// pseudo-terminal, a /dev/serial/by-id name). OK stores what the box holds,
// so a by-id name keeps naming the same adapter whatever else is plugged
// in. The list is rebuilt every second while the dialog is open; a device
// that appeared since the dialog opened is marked new, so plugging the
// cable in shows which one it is.

#include "serial_devices.h"

#include <QDialog>
#include <QTimer>

#include <set>
#include <string>
#include <vector>

class QLineEdit;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace zav::ui {
struct AppContext;
}

namespace zav {

class PortDialog : public QDialog {
    Q_OBJECT
public:
    /// devices: where the device list comes from (the system's by default).
    explicit PortDialog(ui::AppContext& ctx, DeviceSource devices = systemSerialDevices, QWidget* parent = nullptr);

    /// Rebuilds the list from the devices present, keeping the choice.
    void refreshPorts();
    /// The device OK stores: the box's text without surrounding spaces.
    [[nodiscard]] QString chosenDevice() const;

    static constexpr int kRefreshMs = 1000;

    /// Columns: device, description, manufacturer, serial number, USB id.
    QTreeWidget* deviceList = nullptr;
    QLineEdit* deviceBox = nullptr;
    QPushButton* okButton = nullptr;
    QPushButton* cancelButton = nullptr;
    QTimer refreshTimer;

protected:
    void done(int result) override;

private:
    void showDevices();
    QTreeWidgetItem* newRow(const SerialDevice& device, bool present);
    /// Makes the row naming the box's device the current one (none if no
    /// row does).
    void selectBoxDevice();
    void takeChosenRow();
    void storeChoice();

    ui::AppContext& ctx_;
    DeviceSource devices_;
    std::set<std::string> presentAtOpening_; ///< paths of the devices there when the dialog opened
    bool opened_ = false;                    ///< presentAtOpening_ is filled
    bool showing_ = false;                   ///< the list is being rebuilt or selected from the box
};

} // namespace zav
