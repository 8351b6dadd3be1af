#include "port_dialog.h"

#include "app_context.h"
#include "ok_cancel.h"
#include "startup.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>

namespace zav {
namespace {

constexpr int kTextNewDevice = 32906;

// "ttyUSB0" for "/dev/ttyUSB0"; a by-id link shows its last part.
QString shortDeviceName(const std::string& path)
{
    const QString p = QString::fromStdString(path);
    if (p.startsWith(QLatin1String("/dev/serial/by-id/")))
        return p.mid(18);
    return p.startsWith(QLatin1String("/dev/")) ? p.mid(5) : p;
}

} // namespace

PortDialog::PortDialog(ui::AppContext& ctx, DeviceSource devices, QWidget* parent)
    : QDialog(parent), ctx_(ctx), devices_(std::move(devices))
{
    setObjectName("FrmSetComm");
    setWindowTitle(ctx.text(22000));

    portGroup = new QGroupBox(ctx.text(22001), this);
    group_ = new QButtonGroup(this);
    auto* grid = new QGridLayout(portGroup);
    grid->setHorizontalSpacing(6);
    constexpr int kRows = kPortChoices / 2;
    constexpr int kColumnsPerChoice = 3;
    for (int i = 0; i < kPortChoices; ++i) {
        auto* option = new QRadioButton(ctx.text(22002) + QString::number(i + 1), portGroup);
        option->setObjectName(QStringLiteral("Option1_%1").arg(i));
        auto* device = new QLabel(portGroup);
        device->setObjectName(QStringLiteral("DeviceLabel_%1").arg(i));
        device->setMinimumWidth(90);
        auto* description = new QLabel(portGroup);
        description->setObjectName(QStringLiteral("DescriptionLabel_%1").arg(i));
        group_->addButton(option, i + 1);
        portOptions[static_cast<std::size_t>(i)] = option;
        deviceLabels[static_cast<std::size_t>(i)] = device;
        descriptionLabels[static_cast<std::size_t>(i)] = description;
        const int column = (i / kRows) * kColumnsPerChoice;
        grid->addWidget(option, i % kRows, column);
        grid->addWidget(device, i % kRows, column + 1);
        grid->addWidget(description, i % kRows, column + 2);
    }
    grid->setColumnStretch(2, 1);
    grid->setColumnStretch(5, 1);

    auto* buttons = ui::okCancelRow(this, ctx, okButton, cancelButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(portGroup);
    layout->addLayout(buttons);

    showPortList();
    for (const SerialDevice& d : shown_)
        presentAtOpening_.insert(d.path);
    opened_ = true;
    selectPort(ctx.session.settings.portNumber);

    connect(okButton, &QPushButton::clicked, this, &PortDialog::storeChoice);
    refreshTimer.setInterval(kRefreshMs);
    connect(&refreshTimer, &QTimer::timeout, this, &PortDialog::refreshPorts);
    refreshTimer.start();
}

void PortDialog::showPortList()
{
    const RunSettings& settings = ctx_.session.settings;
    shown_ = devices_ ? devices_() : std::vector<SerialDevice>{};
    table_ = mapPorts(shown_, settings.portDevice, settings.portNumber);
    for (int i = 0; i < kPortChoices; ++i) {
        const PortSlot& slot = table_[static_cast<std::size_t>(i)];
        QRadioButton* option = portOptions[static_cast<std::size_t>(i)];
        QLabel* device = deviceLabels[static_cast<std::size_t>(i)];
        option->setEnabled(slot.present);
        device->setEnabled(slot.present);
        device->setText(shortDeviceName(slot.device));
        device->setToolTip(QString::fromStdString(slot.stableName.empty() ? slot.device : slot.stableName));
        showDescription(i);
    }
}

void PortDialog::showDescription(int index)
{
    const PortSlot& slot = table_[static_cast<std::size_t>(index)];
    QLabel* label = descriptionLabels[static_cast<std::size_t>(index)];
    const auto device = std::ranges::find_if(shown_, [&](const SerialDevice& d) { return d.path == slot.device; });
    const bool present = slot.present && device != shown_.end();
    const bool appeared = present && opened_ && !presentAtOpening_.contains(device->path);
    QString text = present ? QString::fromStdString(device->description) : QString();
    if (appeared)
        text = QStringLiteral("(%1) %2").arg(ctx_.text(kTextNewDevice), text);
    label->setText(text.trimmed());
    label->setEnabled(present);
    QFont font = label->font();
    font.setBold(appeared);
    label->setFont(font);
}

void PortDialog::selectPort(int number)
{
    if (number < 1 || number > kPortChoices) {
        // No choice for this number: show none selected.
        group_->setExclusive(false);
        for (QRadioButton* option : portOptions)
            option->setChecked(false);
        group_->setExclusive(true);
        return;
    }
    portOptions[static_cast<std::size_t>(number - 1)]->setChecked(true);
}

int PortDialog::selectedPort() const { return std::max(group_->checkedId(), 0); }

void PortDialog::refreshPorts()
{
    const int selected = selectedPort();
    showPortList();
    selectPort(selected);
}

void PortDialog::storeChoice()
{
    const int number = selectedPort();
    if (number > 0) {
        // A disabled choice can stay selected; it is stored all the same.
        RunSettings& settings = ctx_.session.settings;
        settings.portNumber = number;
        settings.portDevice = storedDeviceFor(table_, number);
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
