#include "port_dialog.h"

#include "app_context.h"
#include "ok_cancel.h"
#include "startup.h"
#include "window_names.h"

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <array>

namespace zav {
namespace {

constexpr int kTextTitle = 22000; // "Communication Port"
constexpr int kTextNewDevice = 32906;
constexpr int kTextListCaption = 33410;
constexpr int kTextColumnDevice = 33411;
constexpr int kTextColumnDescription = 33412;
constexpr int kTextColumnManufacturer = 33413;
constexpr int kTextColumnSerialNumber = 33414;
constexpr int kTextColumnUsbId = 33415;
constexpr std::array kColumnTextIds{kTextColumnDevice, kTextColumnDescription, kTextColumnManufacturer,
                                    kTextColumnSerialNumber, kTextColumnUsbId};
constexpr int kColumns = static_cast<int>(kColumnTextIds.size());
constexpr int kTextDeviceBox = 33416;
constexpr int kDescriptionColumn = 1;
constexpr int kNameRole = Qt::UserRole; ///< what choosing the row puts into the box

// What to store for a device: its by-id name follows the adapter from
// socket to socket; a device without one is named by its path.
std::string nameToStore(const SerialDevice& device)
{
    return device.stableName.empty() ? device.path : device.stableName;
}

bool names(const SerialDevice& device, const std::string& name)
{
    return !name.empty() && (device.path == name || device.stableName == name);
}

// The device a settings file without a stored device stands for: its port
// number, as the older versions numbered the devices.
std::string deviceOfPortNumber(const std::vector<SerialDevice>& present, int portNumber)
{
    return resolveLinkDevice({}, mapPorts(present, {}, portNumber), portNumber, {});
}

} // namespace

PortDialog::PortDialog(ui::AppContext& ctx, DeviceSource devices, QWidget* parent)
    : QDialog(parent), ctx_(ctx), devices_(std::move(devices))
{
    setObjectName(kPortDialogName);
    setWindowTitle(ctx.text(kTextTitle));

    auto* listCaption = new QLabel(ctx.text(kTextListCaption), this);
    deviceList = new QTreeWidget(this);
    deviceList->setObjectName("DeviceList");
    deviceList->setColumnCount(kColumns);
    QStringList headers;
    for (int id : kColumnTextIds)
        headers << ctx.text(id);
    deviceList->setHeaderLabels(headers);
    deviceList->setRootIsDecorated(false);
    deviceList->setAllColumnsShowFocus(true);
    deviceList->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    deviceList->header()->setStretchLastSection(true);
    listCaption->setBuddy(deviceList);

    auto* boxLabel = new QLabel(ctx.text(kTextDeviceBox), this);
    deviceBox = new QLineEdit(this);
    deviceBox->setObjectName("DeviceBox");
    boxLabel->setBuddy(deviceBox);
    auto* boxRow = new QHBoxLayout;
    boxRow->addWidget(boxLabel);
    boxRow->addWidget(deviceBox, 1);

    auto* buttons = ui::okCancelRow(this, ctx, okButton, cancelButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(listCaption);
    layout->addWidget(deviceList, 1);
    layout->addLayout(boxRow);
    layout->addLayout(buttons);
    resize(std::max(sizeHint().width(), 640), std::max(sizeHint().height(), 320));

    const RunSettings& settings = ctx.session.settings;
    const std::vector<SerialDevice> present = devices_ ? devices_() : std::vector<SerialDevice>{};
    for (const SerialDevice& d : present)
        presentAtOpening_.insert(d.path);
    opened_ = true;
    deviceBox->setText(QString::fromStdString(
        settings.portDevice.empty() ? deviceOfPortNumber(present, settings.portNumber) : settings.portDevice));
    showDevices();

    connect(deviceList, &QTreeWidget::currentItemChanged, this, &PortDialog::takeChosenRow);
    connect(deviceBox, &QLineEdit::textEdited, this, &PortDialog::selectBoxDevice);
    connect(okButton, &QPushButton::clicked, this, &PortDialog::storeChoice);
    refreshTimer.setInterval(kRefreshMs);
    connect(&refreshTimer, &QTimer::timeout, this, &PortDialog::refreshPorts);
    refreshTimer.start();
}

QString PortDialog::chosenDevice() const { return deviceBox->text().trimmed(); }

void PortDialog::refreshPorts() { showDevices(); }

void PortDialog::showDevices()
{
    showing_ = true;
    std::vector<SerialDevice> present = devices_ ? devices_() : std::vector<SerialDevice>{};
    deviceList->clear();
    for (const SerialDevice& device : present)
        deviceList->addTopLevelItem(newRow(device, true));
    // The stored adapter while it is unplugged: listed, greyed, so the user
    // sees what the box names.
    const std::string stored = ctx_.session.settings.portDevice;
    if (!stored.empty() && std::ranges::none_of(present, [&](const SerialDevice& d) { return names(d, stored); }))
        deviceList->addTopLevelItem(newRow(SerialDevice{stored, stored, ""}, false));
    showing_ = false;
    selectBoxDevice();
}

QTreeWidgetItem* PortDialog::newRow(const SerialDevice& device, bool present)
{
    const bool appeared = present && opened_ && !presentAtOpening_.contains(device.path);
    QString description = QString::fromStdString(device.description);
    if (appeared)
        description = QStringLiteral("(%1) %2").arg(ctx_.text(kTextNewDevice), description).trimmed();
    auto* row = new QTreeWidgetItem(QStringList{QString::fromStdString(device.path), description,
                                                QString::fromStdString(device.manufacturer),
                                                QString::fromStdString(device.serialNumber),
                                                QString::fromStdString(device.usbId)});
    const QString name = QString::fromStdString(nameToStore(device));
    row->setData(0, kNameRole, name);
    row->setToolTip(0, name);
    if (!present) {
        // Greyed but still a choice: the adapter may be plugged in later.
        const QColor grey = palette().color(QPalette::Disabled, QPalette::Text);
        for (int column = 0; column < kColumns; ++column)
            row->setForeground(column, grey);
    }
    if (appeared) {
        QFont bold = row->font(kDescriptionColumn);
        bold.setBold(true);
        row->setFont(kDescriptionColumn, bold);
    }
    return row;
}

void PortDialog::selectBoxDevice()
{
    const std::string chosen = chosenDevice().toStdString();
    showing_ = true;
    QTreeWidgetItem* match = nullptr;
    for (int i = 0; i < deviceList->topLevelItemCount() && !match; ++i) {
        QTreeWidgetItem* row = deviceList->topLevelItem(i);
        if (row->text(0).toStdString() == chosen || row->data(0, kNameRole).toString().toStdString() == chosen)
            match = row;
    }
    deviceList->setCurrentItem(match);
    if (!match)
        deviceList->clearSelection();
    showing_ = false;
}

void PortDialog::takeChosenRow()
{
    if (showing_)
        return;
    if (QTreeWidgetItem* row = deviceList->currentItem())
        deviceBox->setText(row->data(0, kNameRole).toString());
}

void PortDialog::storeChoice()
{
    const QString chosen = chosenDevice();
    if (!chosen.isEmpty()) {
        // The device itself is stored; the port number stays as it was, for
        // older versions reading the same settings file.
        ctx_.session.settings.portDevice = chosen.toStdString();
        storeComPort(ctx_.session);
    }
    accept();
}

void PortDialog::done(int result)
{
    refreshTimer.stop();
    QDialog::done(result);
}

} // namespace zav
