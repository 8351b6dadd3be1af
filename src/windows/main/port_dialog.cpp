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

namespace zav {
namespace {

// "ttyUSB0" for "/dev/ttyUSB0"; a by-id link shows its last part.
QString ShortName(const std::string& path)
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

    Frame1 = new QGroupBox(ctx.text(22001), this);
    group_ = new QButtonGroup(this);
    auto* grid = new QGridLayout(Frame1);
    grid->setHorizontalSpacing(6);
    constexpr int kRows = kPortChoices / 2;
    for (int i = 0; i < kPortChoices; ++i) {
        auto* option = new QRadioButton(ctx.text(22002) + QString::number(i + 1), Frame1);
        option->setObjectName(QStringLiteral("Option1_%1").arg(i));
        auto* device = new QLabel(Frame1);
        device->setObjectName(QStringLiteral("DeviceLabel_%1").arg(i));
        device->setMinimumWidth(90);
        group_->addButton(option, i + 1);
        Option1[static_cast<std::size_t>(i)] = option;
        DeviceLabel[static_cast<std::size_t>(i)] = device;
        const int column = (i / kRows) * 2;
        grid->addWidget(option, i % kRows, column);
        grid->addWidget(device, i % kRows, column + 1);
    }
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);

    auto* buttons = ui::OkCancelRow(this, ctx, CommandOK, CommandCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Frame1);
    layout->addLayout(buttons);

    ShowPortList();
    Select(ctx.session.settings.portNumber);

    connect(CommandOK, &QPushButton::clicked, this, &PortDialog::CommandOK_Click);
    ReCommTimer.setInterval(kRefreshMs);
    connect(&ReCommTimer, &QTimer::timeout, this, &PortDialog::ReCommTimer_Timer);
    ReCommTimer.start();
}

void PortDialog::ShowPortList()
{
    const RunSettings& settings = ctx_.session.settings;
    table_ = mapPorts(devices_ ? devices_() : std::vector<SerialDevice>{}, settings.portDevice, settings.portNumber);
    for (int i = 0; i < kPortChoices; ++i) {
        const PortSlot& slot = table_[static_cast<std::size_t>(i)];
        QRadioButton* option = Option1[static_cast<std::size_t>(i)];
        QLabel* device = DeviceLabel[static_cast<std::size_t>(i)];
        option->setEnabled(slot.present);
        device->setEnabled(slot.present);
        device->setText(ShortName(slot.device));
        device->setToolTip(QString::fromStdString(slot.stableName.empty() ? slot.device : slot.stableName));
    }
}

void PortDialog::Select(int number)
{
    if (number < 1 || number > kPortChoices) {
        // No choice for this number: show none selected.
        group_->setExclusive(false);
        for (QRadioButton* option : Option1)
            option->setChecked(false);
        group_->setExclusive(true);
        return;
    }
    Option1[static_cast<std::size_t>(number - 1)]->setChecked(true);
}

int PortDialog::selectedPort() const { return std::max(group_->checkedId(), 0); }

void PortDialog::ReCommTimer_Timer()
{
    const int selected = selectedPort();
    ShowPortList();
    Select(selected);
}

void PortDialog::CommandOK_Click()
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
    ReCommTimer.stop();
    QDialog::done(result);
}

} // namespace zav
