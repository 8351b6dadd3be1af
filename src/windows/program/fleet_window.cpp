#include "fleet_window.h"

#include "fleet_radio.h"
#include "write_log.h"

#include "programming_log_words.h"

#include "app_context.h"
#include "band.h"
#include "config_check.h"
#include "pending_edits.h"
#include "prompts.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSerialPortInfo>
#include <QSpinBox>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace zav {
namespace {

constexpr int kTextTitle = 32810;
constexpr int kTextDevices = 32811;
constexpr int kTextColumnDevice = 32812;
constexpr int kTextColumnDescription = 32813;
constexpr int kTextColumnSerial = 32814;
constexpr int kTextAddDevice = 32815;
constexpr int kTextAddPlaceholder = 32816;
constexpr int kTextAllowOtherBand = 32817;
constexpr int kTextPassword = 32818;
constexpr int kTextRetries = 32819;
constexpr int kTextVerify = 32820;
constexpr int kTextStart = 32821;
constexpr int kTextRetry = 32822;
constexpr int kTextColumnRadio = 32823;
constexpr int kTextColumnProgress = 32824;
constexpr int kTextColumnIdentity = 32825;
constexpr int kTextColumnResult = 32826;
constexpr int kTextWaiting = 32827;
constexpr int kTextWriting = 32828;
constexpr int kTextVerifying = 32829;
constexpr int kTextWritten = 32830;
constexpr int kTextVerified = 32831;
constexpr int kTextFailed = 32832;       ///< %1 the reason
constexpr int kTextCloseWhileBusy = 32833;
constexpr int kTextNothingTicked = 32834;
constexpr int kTextLogFailed = 32853;    ///< %1 the log file
constexpr int kTextSummary = 32854;      ///< %1 radios, %2 written, %3 failed, %4 writing
constexpr int kTextSettings = 32855;
constexpr int kTextRadios = 32856;
constexpr int kTextIdentity = 33606;     ///< %1 model, %2 band, %3 version
constexpr int kTextUnknownBand = 33506;  ///< %1 the band code
constexpr int kTextClose = 32861;
constexpr int kTextCheckErrors = 32808;  ///< %1 how many errors

// A password is four characters in the radio.
constexpr int kPasswordLength = 4;
constexpr int kDefaultRetries = 1;
constexpr int kMaxRetries = 9;
constexpr int kPollMs = 1000;

enum ResultColumn { ColRadio, ColProgress, ColIdentity, ColResult };

} // namespace

std::vector<FleetDevice> systemFleetDevices()
{
    std::vector<FleetDevice> devices;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
        devices.push_back({info.systemLocation(), info.description(), info.serialNumber()});
    return devices;
}

struct FleetWindow::Row {
    std::unique_ptr<FleetRadio> radio;
    QTreeWidgetItem* item = nullptr;
    QProgressBar* bar = nullptr;
    bool logged = true;
};

FleetWindow::FleetWindow(ui::AppContext& ctx, DeviceSource devices, QWidget* parent)
    : QWidget(parent, Qt::Window), ctx_(ctx), source_(std::move(devices))
{
    setObjectName("FrmFleet");
    setWindowTitle(ctx.text(kTextTitle));
    buildControls();
    refreshDevices();
    connect(&poll_, &QTimer::timeout, this, &FleetWindow::refreshDevices);
    poll_.start(kPollMs);
    updateButtons();
    updateSummary();
}

FleetWindow::~FleetWindow()
{
    poll_.stop();
    for (auto& row : radios_)
        row->radio->stop();
}

void FleetWindow::buildControls()
{
    devices_ = new QTreeWidget(this);
    devices_->setObjectName("lstDevices");
    devices_->setRootIsDecorated(false);
    devices_->setUniformRowHeights(true);
    devices_->setHeaderLabels(
        {ctx_.text(kTextColumnDevice), ctx_.text(kTextColumnDescription), ctx_.text(kTextColumnSerial)});
    devices_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    addField_ = new QLineEdit(this);
    addField_->setObjectName("txtAddDevice");
    addField_->setPlaceholderText(ctx_.text(kTextAddPlaceholder));
    addButton_ = new QPushButton(ctx_.text(kTextAddDevice), this);
    addButton_->setObjectName("cmdAddDevice");
    connect(addButton_, &QPushButton::clicked, this, [this] {
        addDevice(addField_->text().trimmed());
        addField_->clear();
    });
    connect(addField_, &QLineEdit::returnPressed, addButton_, &QPushButton::click);
    auto* deviceBox = new QGroupBox(ctx_.text(kTextDevices), this);
    auto* add = new QHBoxLayout;
    add->addWidget(addField_, 1);
    add->addWidget(addButton_);
    auto* deviceLayout = new QVBoxLayout(deviceBox);
    deviceLayout->addWidget(devices_);
    deviceLayout->addLayout(add);

    allowOtherBand_ = new QCheckBox(ctx_.text(kTextAllowOtherBand), this);
    allowOtherBand_->setObjectName("chkAllowOtherBand");
    password_ = new QLineEdit(this);
    password_->setObjectName("txtPassword");
    password_->setMaxLength(kPasswordLength);
    password_->setEchoMode(QLineEdit::Password);
    password_->setText(QString::fromStdString(ctx_.session.radioPassword));
    retries_ = new QSpinBox(this);
    retries_->setObjectName("spnRetries");
    retries_->setRange(0, kMaxRetries);
    retries_->setValue(kDefaultRetries);
    verify_ = new QCheckBox(ctx_.text(kTextVerify), this);
    verify_->setObjectName("chkVerify");
    verify_->setChecked(true);
    auto* settingsBox = new QGroupBox(ctx_.text(kTextSettings), this);
    auto* form = new QFormLayout(settingsBox);
    form->addRow(allowOtherBand_);
    form->addRow(ctx_.text(kTextPassword), password_);
    form->addRow(ctx_.text(kTextRetries), retries_);
    form->addRow(verify_);

    start_ = new QPushButton(ctx_.text(kTextStart), this);
    start_->setObjectName("cmdStart");
    connect(start_, &QPushButton::clicked, this, [this] { start(); });
    retry_ = new QPushButton(ctx_.text(kTextRetry), this);
    retry_->setObjectName("cmdRetry");
    connect(retry_, &QPushButton::clicked, this, [this] { retrySelected(); });

    results_ = new QTreeWidget(this);
    results_->setObjectName("lstRadios");
    results_->setRootIsDecorated(false);
    results_->setUniformRowHeights(true);
    results_->setHeaderLabels({ctx_.text(kTextColumnRadio), ctx_.text(kTextColumnProgress),
                               ctx_.text(kTextColumnIdentity), ctx_.text(kTextColumnResult)});
    results_->header()->setSectionResizeMode(ColRadio, QHeaderView::ResizeToContents);
    results_->header()->resizeSection(ColProgress, 160);
    results_->header()->resizeSection(ColIdentity, 250); // model, band label and version
    results_->header()->setStretchLastSection(true);
    connect(results_, &QTreeWidget::currentItemChanged, this, [this] { updateButtons(); });
    auto* radiosBox = new QGroupBox(ctx_.text(kTextRadios), this);
    auto* radiosLayout = new QVBoxLayout(radiosBox);
    radiosLayout->addWidget(results_);

    summary_ = new QLabel(this);
    summary_->setObjectName("lblSummary");
    summary_->setWordWrap(true);
    // Close as the title bar's button: it asks first while radios are written.
    auto* close = new QPushButton(ctx_.text(kTextClose), this);
    close->setObjectName("cmdClose");
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(summary_, 1);
    bottom->addWidget(close, 0, Qt::AlignBottom);

    auto* top = new QHBoxLayout;
    top->addWidget(deviceBox, 3);
    auto* side = new QVBoxLayout;
    side->addWidget(settingsBox);
    side->addWidget(start_);
    side->addWidget(retry_);
    side->addStretch(1);
    top->addLayout(side, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 2);
    layout->addWidget(radiosBox, 3);
    layout->addLayout(bottom);
    resize(900, 640);
}

// --- devices ----------------------------------------------------------------------

QTreeWidgetItem* FleetWindow::deviceItem(const QString& path) const
{
    for (int i = 0; i < devices_->topLevelItemCount(); ++i)
        if (devices_->topLevelItem(i)->text(0) == path)
            return devices_->topLevelItem(i);
    return nullptr;
}

void FleetWindow::refreshDevices()
{
    std::vector<FleetDevice> now = source_ ? source_() : std::vector<FleetDevice>{};
    for (const QString& path : addedPaths_)
        if (std::none_of(now.begin(), now.end(), [&](const FleetDevice& d) { return d.path == path; }))
            now.push_back({path, QString(), QString()});
    // Gone devices leave the list; the ticks of the others stay as they were.
    for (int i = devices_->topLevelItemCount() - 1; i >= 0; --i) {
        const QString path = devices_->topLevelItem(i)->text(0);
        if (std::none_of(now.begin(), now.end(), [&](const FleetDevice& d) { return d.path == path; }))
            delete devices_->takeTopLevelItem(i);
    }
    for (const FleetDevice& d : now) {
        QTreeWidgetItem* item = deviceItem(d.path);
        if (!item) {
            item = new QTreeWidgetItem(devices_, {d.path, d.description, d.serialNumber});
            item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
            item->setCheckState(0, Qt::Unchecked);
        } else {
            item->setText(1, d.description);
            item->setText(2, d.serialNumber);
        }
    }
}

void FleetWindow::addDevice(const QString& path)
{
    if (path.isEmpty())
        return;
    if (std::find(addedPaths_.begin(), addedPaths_.end(), path) == addedPaths_.end())
        addedPaths_.push_back(path);
    refreshDevices();
    // Added by hand means meant to be written.
    if (QTreeWidgetItem* item = deviceItem(path))
        item->setCheckState(0, Qt::Checked);
}

// --- writing ------------------------------------------------------------------------

bool FleetWindow::busy() const
{
    return std::any_of(radios_.begin(), radios_.end(), [](const auto& row) { return row->radio->busy(); });
}

bool FleetWindow::allFinished() const
{
    return std::all_of(radios_.begin(), radios_.end(),
                       [](const auto& row) { return row->radio->phase() == FleetRadio::Phase::Done; });
}

FleetRadio* FleetWindow::radio(int row) const
{
    return row >= 0 && row < radioCount() ? radios_[static_cast<std::size_t>(row)]->radio.get() : nullptr;
}

FleetWindow::Row* FleetWindow::rowFor(const QString& device)
{
    for (auto& row : radios_)
        if (row->radio->device() == device)
            return row.get();
    return nullptr;
}

bool FleetWindow::start()
{
    if (busy())
        return false;
    QStringList chosen;
    for (int i = 0; i < devices_->topLevelItemCount(); ++i)
        if (devices_->topLevelItem(i)->checkState(0) == Qt::Checked)
            chosen << devices_->topLevelItem(i)->text(0);
    // Every radio gets what the editors show, what is still typed included.
    ui::commitPendingEdits(ctx_);
    if (chosen.isEmpty()) {
        ui::inform(this, ctx_.text(kTextNothingTicked), ui::Icon::Information);
        return false;
    }
    // The same question as a single write: a file with errors would not
    // put into the radios what it says.
    const std::vector<ConfigFinding> findings = checkConfiguration(ctx_.doc());
    if (hasErrors(findings)) {
        const auto errors = std::count_if(findings.begin(), findings.end(),
                                          [](const ConfigFinding& f) { return f.level == FindingLevel::Error; });
        if (ui::ask(this, ctx_.text(kTextCheckErrors).arg(errors), ui::Buttons::YesNo, ui::Icon::Warning,
                    ui::Answer::No) != ui::Answer::Yes) {
            // Not written, but each radio meant still gets its line.
            logFailed_ = false;
            const WrittenDocument written = describeWritten(ctx_.doc());
            const std::string result = logResultNotWritten(logReasonWords(logword::CheckErrors));
            for (const QString& device : chosen)
                addLogLine(writeLogEntry(device, nullptr, written, result));
            updateSummary();
            return false;
        }
    }

    // Every radio gets the document as it is now, whatever is edited meanwhile.
    snapshot_ = ctx_.doc();
    passwordText_ = password_->text().toStdString();
    while (!passwordText_.empty() && passwordText_.back() == ' ')
        passwordText_.pop_back();
    results_->clear();
    radios_.clear();
    logFailed_ = false;
    for (const QString& device : chosen) {
        auto row = std::make_unique<Row>();
        row->radio = std::make_unique<FleetRadio>(device, snapshot_, passwordText_, ctx_.session.versions);
        row->item = new QTreeWidgetItem(results_, {device, QString(), QString(), QString()});
        row->bar = new QProgressBar(results_);
        row->bar->setRange(0, 100);
        row->bar->setValue(0);
        results_->setItemWidget(row->item, ColProgress, row->bar);
        Row* raw = row.get();
        connect(raw->radio.get(), &FleetRadio::changed, this, [this, raw] { showRow(*raw); });
        connect(raw->radio.get(), &FleetRadio::finished, this, [this, raw] { radioFinished(*raw); });
        radios_.push_back(std::move(row));
    }
    for (auto& row : radios_)
        startRow(*row);
    updateButtons();
    updateSummary();
    return true;
}

void FleetWindow::startRow(Row& row)
{
    FleetPolicy policy;
    policy.allowOtherBand = allowOtherBand_->isChecked();
    policy.retries = retries_->value();
    policy.verify = verify_->isChecked();
    row.logged = false;
    row.radio->start(policy);
    showRow(row);
}

bool FleetWindow::retrySelected()
{
    QTreeWidgetItem* current = results_->currentItem();
    if (!current)
        return false;
    Row* row = rowFor(current->text(ColRadio));
    if (!row || row->radio->busy() || row->radio->succeeded())
        return false;
    passwordText_ = password_->text().toStdString();
    startRow(*row);
    updateButtons();
    updateSummary();
    return true;
}

QString FleetWindow::identityText(const Row& row) const
{
    if (!row.radio->identityKnown())
        return {};
    const link::RadioIdentity& id = row.radio->identity();
    // The band as the model dialog names it; a code no band has, by number.
    const std::string label = bandLabelOf(id.bandByte);
    const QString band = label.empty() ? ctx_.text(kTextUnknownBand).arg(id.bandByte) : QString::fromStdString(label);
    return ctx_.text(kTextIdentity).arg(QString::fromStdString(id.modelName), band, QString::fromStdString(id.version));
}

QString FleetWindow::resultText(const Row& row) const
{
    const FleetRadio& radio = *row.radio;
    switch (radio.phase()) {
    case FleetRadio::Phase::Waiting:
        return ctx_.text(kTextWaiting);
    case FleetRadio::Phase::Writing:
        return ctx_.text(kTextWriting);
    case FleetRadio::Phase::Verifying:
        return ctx_.text(kTextVerifying);
    case FleetRadio::Phase::Done:
        break;
    }
    if (radio.succeeded())
        return ctx_.text(radio.outcome().verified ? kTextVerified : kTextWritten);
    QString reason = ctx_.text(radio.failure().textId);
    if (!radio.failure().argument.isEmpty())
        reason = reason.arg(radio.failure().argument);
    return ctx_.text(kTextFailed).arg(reason);
}

void FleetWindow::showRow(const Row& row)
{
    row.bar->setValue(row.radio->percent());
    row.item->setText(ColIdentity, identityText(row));
    row.item->setText(ColResult, resultText(row));
}

void FleetWindow::radioFinished(Row& row)
{
    showRow(row);
    if (!row.logged) {
        row.logged = true;
        const FleetRadio& radio = *row.radio;
        // The log's words are English whatever the language shown (other
        // programs read the log, and its window translates them).
        std::string result;
        if (radio.succeeded()) {
            result = logResultWritten(radio.outcome().verified);
        } else {
            std::string reason = logReasonWords(radio.failure().textId, radio.failure().argument.toStdString());
            if (reason.empty())
                reason = logReasonWords(logword::NoAnswer);
            result = logResultFailed(reason);
        }
        addLogLine(writeLogEntry(radio.device(), radio.identityKnown() ? &radio.identity() : nullptr, radio.written(),
                                 result));
    }
    updateButtons();
    updateSummary();
}

void FleetWindow::addLogLine(const ProgrammingLogEntry& entry)
{
    const std::string path = logPath_.empty() ? programmingLogPath() : logPath_;
    if (!appendProgrammingLog(path, entry))
        logFailed_ = true; // the summary says so; the radios' results stand
}

void FleetWindow::updateButtons()
{
    const bool running = busy();
    start_->setEnabled(!running);
    QTreeWidgetItem* current = results_->currentItem();
    Row* row = current ? rowFor(current->text(ColRadio)) : nullptr;
    retry_->setEnabled(row && !row->radio->busy() && row->radio->phase() == FleetRadio::Phase::Done &&
                       !row->radio->succeeded());
}

void FleetWindow::updateSummary()
{
    int written = 0;
    int failed = 0;
    int writing = 0;
    for (const auto& row : radios_) {
        if (row->radio->busy())
            ++writing;
        else if (row->radio->succeeded())
            ++written;
        else if (row->radio->phase() == FleetRadio::Phase::Done)
            ++failed;
    }
    QString text = ctx_.text(kTextSummary).arg(radioCount()).arg(written).arg(failed).arg(writing);
    if (logFailed_) {
        const std::string path = logPath_.empty() ? programmingLogPath() : logPath_;
        text += QStringLiteral("  ") + ctx_.text(kTextLogFailed).arg(QString::fromStdString(path));
    }
    summary_->setText(text);
}

void FleetWindow::closeEvent(QCloseEvent* event)
{
    if (busy()) {
        // Stopping halfway leaves those radios partly written.
        if (ui::ask(this, ctx_.text(kTextCloseWhileBusy), ui::Buttons::YesNo, ui::Icon::Warning, ui::Answer::No) !=
            ui::Answer::Yes) {
            event->ignore();
            return;
        }
        for (auto& row : radios_)
            row->radio->stop();
    }
    event->accept();
}

} // namespace zav
