#include "fleet_window.h"

#include "common_text_ids.h"
#include "fleet_radio.h"
#include "window_names.h"
#include "write_log.h"

#include "programming_log_words.h"

#include "app_context.h"
#include "band.h"
#include "backup_store.h"
#include "config_check.h"
#include "defaults.h"
#include "memory_map.h"
#include "pending_edits.h"
#include "prompts.h"
#include "transfer_options.h"
#include "user_folders.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
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
#include <ctime>

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
constexpr int kTextRetrySelected = 32822;
constexpr int kTextColumnRadio = 32823;
constexpr int kTextColumnProgress = 32824;
constexpr int kTextColumnIdentity = 32825;
constexpr int kTextColumnResult = 32826;
constexpr int kTextWaiting = 32827;
constexpr int kTextWriting = 32828;
constexpr int kTextVerifying = 32829;
constexpr int kTextWritten = 32830;
constexpr int kTextCloseWhileBusy = 32833;
constexpr int kTextNothingTicked = 32834;
constexpr int kTextSummary = 32854;      ///< %1 radios, %2 written, %3 failed, %4 writing
constexpr int kTextSettings = 32855;
constexpr int kTextRadios = 32856;
constexpr int kTextIdentity = 33606;     ///< %1 model, %2 band, %3 version
constexpr int kTextCheckErrors = 32808;  ///< %1 how many errors
constexpr int kTextCompareOnly = 34240;
constexpr int kTextSource = 34241;
constexpr int kTextSourceDocument = 34242;
constexpr int kTextSourceRadio = 34243;
constexpr int kTextSourceDevice = 34244;
constexpr int kTextDifferent = 34246;    ///< %1 how many
constexpr int kTextLine = 34247;
constexpr int kTextOtherPorts = 34248;
constexpr int kTextPowerOnPattern = 34249;
constexpr int kTextFirstNumber = 34250;
constexpr int kTextTextsFile = 34251;
constexpr int kTextPatternExample = 34252;
constexpr int kTextPowerOnProblem = 34253; ///< %1 radio number, %2 why
constexpr int kTextBadPattern = 34254;
constexpr int kTextNotGbk = 34255;
constexpr int kTextTooLong = 34256;
constexpr int kTextControl = 34257;
constexpr int kTextListTooShort = 34258;
constexpr int kTextReading = 34259;
constexpr int kTextLineWaiting = 34261;
constexpr int kTextLineResult = 34262;   ///< %1 the radio, %2 its result
constexpr int kTextTextFiles = 34265;
constexpr int kTextSourceFailed = 34266;
constexpr int kTextChooseSource = 34267;
constexpr int kTextColumnPowerOn = 34268;
constexpr int kTextTextsLoaded = 34269;  ///< %1 how many
constexpr int kTextJob = 34270;
constexpr int kTextSourceRow = 34271;    ///< %1 the device
constexpr int kTextSourceReady = 34272;

// A password is four characters in the radio.
constexpr int kPasswordLength = 4;
constexpr int kDefaultRetries = 1;
constexpr int kMaxRetries = 9;
constexpr int kPollMs = 1000;

enum ResultColumn { ColRadio, ColProgress, ColIdentity, ColResult, ColPowerOn };

constexpr int kLineResultPointSize = 20;

} // namespace

std::vector<FleetDevice> systemFleetDevices()
{
    std::vector<FleetDevice> devices;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
        devices.push_back({info.systemLocation(), info.description(), info.serialNumber(), info.hasVendorIdentifier()});
    return devices;
}

struct FleetWindow::Row {
    std::unique_ptr<FleetRadio> radio;
    QTreeWidgetItem* item = nullptr;
    QProgressBar* bar = nullptr;
    bool logged = true;
    int number = 0;         ///< position in the order started: its power-on text
    bool lineRadio = false; ///< plugged into the production line
    bool source = false;    ///< the clone's source radio
};

FleetWindow::FleetWindow(ui::AppContext& ctx, DeviceSource devices, QWidget* parent)
    : QWidget(parent, Qt::Window), ctx_(ctx), source_(std::move(devices))
{
    setObjectName(kFleetWindowName);
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
    lineOn_ = false;
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
    QWidget* jobBox = buildJobBox();

    start_ = new QPushButton(ctx_.text(kTextStart), this);
    start_->setObjectName("cmdStart");
    connect(start_, &QPushButton::clicked, this, [this] { start(); });
    retry_ = new QPushButton(ctx_.text(kTextRetrySelected), this);
    retry_->setObjectName("cmdRetry");
    connect(retry_, &QPushButton::clicked, this, [this] { retrySelected(); });

    results_ = new QTreeWidget(this);
    results_->setObjectName("lstRadios");
    results_->setRootIsDecorated(false);
    results_->setUniformRowHeights(true);
    results_->setHeaderLabels({ctx_.text(kTextColumnRadio), ctx_.text(kTextColumnProgress),
                               ctx_.text(kTextColumnIdentity), ctx_.text(kTextColumnResult),
                               ctx_.text(kTextColumnPowerOn)});
    results_->header()->setSectionResizeMode(ColRadio, QHeaderView::ResizeToContents);
    results_->header()->resizeSection(ColProgress, 160);
    results_->header()->resizeSection(ColIdentity, 250); // model, band label and version
    results_->header()->resizeSection(ColResult, 260);
    results_->header()->setStretchLastSection(true);
    connect(results_, &QTreeWidget::currentItemChanged, this, [this] { updateButtons(); });
    auto* radiosBox = new QGroupBox(ctx_.text(kTextRadios), this);
    auto* radiosLayout = new QVBoxLayout(radiosBox);
    radiosLayout->addWidget(results_);

    summary_ = new QLabel(this);
    summary_->setObjectName("lblSummary");
    summary_->setWordWrap(true);
    lineResult_ = new QLabel(this);
    lineResult_->setObjectName("lblLineResult");
    lineResult_->setAlignment(Qt::AlignCenter);
    QFont big = lineResult_->font();
    big.setPointSize(kLineResultPointSize);
    big.setBold(true);
    lineResult_->setFont(big);
    lineResult_->setMargin(8);
    lineResult_->hide();
    // Close as the title bar's button: it asks first while radios are written.
    auto* close = new QPushButton(ctx_.text(textid::kTextCloseToolWindow), this);
    close->setObjectName("cmdClose");
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(summary_, 1);
    bottom->addWidget(close, 0, Qt::AlignBottom);

    auto* top = new QHBoxLayout;
    top->addWidget(deviceBox, 3);
    auto* side = new QVBoxLayout;
    side->addWidget(settingsBox);
    side->addWidget(jobBox);
    side->addWidget(start_);
    side->addWidget(retry_);
    side->addStretch(1);
    top->addLayout(side, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 2);
    layout->addWidget(radiosBox, 3);
    layout->addWidget(lineResult_);
    layout->addLayout(bottom);
    resize(1000, 760);
}

QWidget* FleetWindow::buildJobBox()
{
    auto* box = new QGroupBox(ctx_.text(kTextJob), this);
    compareOnly_ = new QCheckBox(ctx_.text(kTextCompareOnly), box);
    compareOnly_->setObjectName("chkCompareOnly");
    sourceKind_ = new QComboBox(box);
    sourceKind_->setObjectName("cmbSource");
    sourceKind_->addItems({ctx_.text(kTextSourceDocument), ctx_.text(kTextSourceRadio)});
    sourceDevice_ = new QComboBox(box);
    sourceDevice_->setObjectName("cmbSourceDevice");
    sourceDevice_->setEnabled(false);
    connect(sourceKind_, &QComboBox::currentIndexChanged, this, [this] {
        sourceDevice_->setEnabled(fromRadio());
        refreshSourceDevices();
    });
    pattern_ = new QLineEdit(box);
    pattern_->setObjectName("txtPowerOnPattern");
    pattern_->setPlaceholderText(ctx_.text(kTextPatternExample));
    firstNumber_ = new QSpinBox(box);
    firstNumber_->setObjectName("spnFirstNumber");
    firstNumber_->setRange(0, 99999);
    firstNumber_->setValue(1);
    textsButton_ = new QPushButton(ctx_.text(kTextTextsFile), box);
    textsButton_->setObjectName("cmdPowerOnTexts");
    textsLabel_ = new QLabel(box);
    textsLabel_->setObjectName("lblPowerOnTexts");
    connect(textsButton_, &QPushButton::clicked, this, [this] {
        const QString file =
            ui::getOpenFile(this, ui::dialogTitle(ctx_.text(kTextTextsFile)), QString(), ctx_.text(kTextTextFiles));
        if (file.isEmpty())
            return;
        QFile in(file);
        if (in.open(QIODevice::ReadOnly))
            setPowerOnTexts(powerOnTextLines(in.readAll().toStdString()));
    });
    line_ = new QCheckBox(ctx_.text(kTextLine), box);
    line_->setObjectName("chkProductionLine");
    connect(line_, &QCheckBox::toggled, this, [this](bool on) {
        if (on != lineOn_ && !setProductionLine(on)) {
            const QSignalBlocker quiet(line_);
            line_->setChecked(lineOn_);
        }
    });
    otherPorts_ = new QCheckBox(ctx_.text(kTextOtherPorts), box);
    otherPorts_->setObjectName("chkOtherPorts");

    auto* form = new QFormLayout(box);
    form->addRow(compareOnly_);
    form->addRow(ctx_.text(kTextSource), sourceKind_);
    form->addRow(ctx_.text(kTextSourceDevice), sourceDevice_);
    form->addRow(ctx_.text(kTextPowerOnPattern), pattern_);
    form->addRow(ctx_.text(kTextFirstNumber), firstNumber_);
    auto* texts = new QHBoxLayout;
    texts->addWidget(textsButton_);
    texts->addWidget(textsLabel_, 1);
    form->addRow(texts);
    form->addRow(line_);
    form->addRow(otherPorts_);
    return box;
}

void FleetWindow::setPowerOnTexts(std::vector<std::string> texts)
{
    powerOnList_ = std::move(texts);
    textsLabel_->setText(powerOnList_.empty() ? QString() : ctx_.text(kTextTextsLoaded).arg(powerOnList_.size()));
    // A list takes the place of the pattern.
    pattern_->setEnabled(powerOnList_.empty());
    firstNumber_->setEnabled(powerOnList_.empty());
}

bool FleetWindow::fromRadio() const { return sourceKind_->currentIndex() == 1; }

void FleetWindow::refreshSourceDevices()
{
    QStringList paths;
    for (int i = 0; i < devices_->topLevelItemCount(); ++i)
        paths << devices_->topLevelItem(i)->text(0);
    QStringList shown;
    for (int i = 0; i < sourceDevice_->count(); ++i)
        shown << sourceDevice_->itemText(i);
    if (paths == shown)
        return; // an open list is not pulled from under the user every second
    const QString chosen = sourceDevice_->currentText();
    const QSignalBlocker quiet(sourceDevice_);
    sourceDevice_->clear();
    sourceDevice_->addItems(paths);
    const int again = sourceDevice_->findText(chosen);
    if (again >= 0)
        sourceDevice_->setCurrentIndex(again);
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
    refreshSourceDevices();
    // New since the last look: a radio plugged into the line. One that went
    // away is forgotten, so that it is a new radio when it comes back.
    std::set<QString> present;
    for (const FleetDevice& d : now) {
        present.insert(d.path);
        if (lineOn_ && !known_.count(d.path) && lineTakes(d))
            lineDeviceArrived(d.path);
    }
    known_ = std::move(present);
}

bool FleetWindow::lineTakes(const FleetDevice& device) const
{
    // A GPS or a printer on another serial port gets no handshake unless
    // the user says so; a path added by hand is meant to be written.
    if (std::find(addedPaths_.begin(), addedPaths_.end(), device.path) != addedPaths_.end())
        return true;
    if (fromRadio() && device.path == sourceDevice_->currentText())
        return false;
    return device.usbAdapter || otherPorts_->isChecked();
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

FleetWindow::Row* FleetWindow::rowFor(const QTreeWidgetItem* item)
{
    // By the row, not the device: a radio plugged in again has a row of its own.
    for (auto& row : radios_)
        if (row->item == item)
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
    if (fromRadio()) {
        if (sourceDevice_->currentText().isEmpty()) {
            ui::inform(this, ctx_.text(kTextChooseSource), ui::Icon::Information);
            return false;
        }
        chosen.removeAll(sourceDevice_->currentText());
    }
    if (chosen.isEmpty()) {
        ui::inform(this, ctx_.text(kTextNothingTicked), ui::Icon::Information);
        return false;
    }
    if (!prepareJob(chosen, static_cast<int>(chosen.size())))
        return false;
    results_->clear();
    radios_.clear();
    nextNumber_ = 0;
    startTargets(chosen);
    updateButtons();
    updateSummary();
    return true;
}

bool FleetWindow::prepareJob(const QStringList& devices, int count)
{
    // The same question as a single write: a file with errors would not
    // put into the radios what it says. (A compare or a clone writes
    // nothing of the document.)
    const std::vector<ConfigFinding> findings = checkConfiguration(ctx_.doc());
    if (!compareOnly_->isChecked() && !fromRadio() && hasErrors(findings)) {
        const auto errors = std::count_if(findings.begin(), findings.end(),
                                          [](const ConfigFinding& f) { return f.level == FindingLevel::Error; });
        if (ui::ask(this, ctx_.text(kTextCheckErrors).arg(errors), ui::Buttons::YesNo, ui::Icon::Warning,
                    ui::Answer::No) != ui::Answer::Yes) {
            // Not written, but each radio meant still gets its line.
            logFailed_ = false;
            const WrittenDocument written = describeWritten(ctx_.doc());
            const std::string result = logResultNotWritten(logReasonWords(logword::CheckErrors));
            for (const QString& device : devices)
                addLogLine(writeLogEntry(device, nullptr, written, result));
            updateSummary();
            return false;
        }
    }
    // Each radio's text, checked as the editor checks it, before any starts.
    powerOnPlan_ = PowerOnTextPlan{};
    powerOnPlan_.list = powerOnList_;
    if (powerOnList_.empty()) {
        powerOnPlan_.pattern = pattern_->text().toStdString();
        powerOnPlan_.first = firstNumber_->value();
    }
    int position = 0;
    if (const PowerOnTextError error = powerOnPlan_.check(count, position); error != PowerOnTextError::None) {
        ui::inform(this, ctx_.text(kTextPowerOnProblem).arg(position + 1).arg(powerOnProblemText(error)),
                   ui::Icon::Warning);
        return false;
    }
    // Every radio gets the document as it is now, whatever is edited meanwhile.
    snapshot_ = ctx_.doc();
    passwordText_ = password_->text().toStdString();
    while (!passwordText_.empty() && passwordText_.back() == ' ')
        passwordText_.pop_back();
    logFailed_ = false;
    sourceMemory_.reset();
    waitingForSource_.clear();
    return true;
}

QString FleetWindow::powerOnProblemText(PowerOnTextError error) const
{
    switch (error) {
    case PowerOnTextError::None: break;
    case PowerOnTextError::BadPattern: return ctx_.text(kTextBadPattern);
    case PowerOnTextError::NotGbk: return ctx_.text(kTextNotGbk);
    case PowerOnTextError::TooLong: return ctx_.text(kTextTooLong);
    case PowerOnTextError::Control: return ctx_.text(kTextControl);
    case PowerOnTextError::ListTooShort: return ctx_.text(kTextListTooShort);
    }
    return {};
}

FleetJob FleetWindow::jobOfRows() const { return compareOnly_->isChecked() ? FleetJob::Compare : FleetJob::Write; }

FleetWindow::Row& FleetWindow::addRow(const QString& device, int number, bool lineRadio, FleetJob job)
{
    auto row = std::make_unique<Row>();
    const bool source = job == FleetJob::ReadSource;
    // A clone's radios are checked against the source's model and band, and
    // their log lines name what the source held.
    const Document& document = sourceMemory_ && !source ? sourceDocument_ : snapshot_;
    row->radio = std::make_unique<FleetRadio>(device, document, passwordText_, ctx_.session.versions);
    row->number = number;
    row->lineRadio = lineRadio;
    row->source = source;
    if (!source) {
        row->radio->setMemoryToWrite(sourceMemory_);
        if (powerOnPlan_.active()) {
            PowerOnTextError error = PowerOnTextError::None;
            row->radio->setPowerOnText(powerOnPlan_.textFor(number, error).value_or(std::string()));
        }
    }
    const QString shown = source ? ctx_.text(kTextSourceRow).arg(device) : device;
    row->item = new QTreeWidgetItem(results_, {shown, QString(), QString(), QString(),
                                               QString::fromStdString(row->radio->powerOnText())});
    row->bar = new QProgressBar(results_);
    row->bar->setRange(0, 100);
    row->bar->setValue(0);
    results_->setItemWidget(row->item, ColProgress, row->bar);
    Row* raw = row.get();
    connect(raw->radio.get(), &FleetRadio::changed, this, [this, raw] { showRow(*raw); });
    connect(raw->radio.get(), &FleetRadio::finished, this, [this, raw] { radioFinished(*raw); });
    connect(raw->radio.get(), &FleetRadio::heldBefore, this,
            [this, raw](const link::RadioMemory& memory) { keepHeldBefore(*raw->radio, memory); });
    radios_.push_back(std::move(row));
    return *raw;
}

void FleetWindow::startTargets(const QStringList& devices)
{
    if (fromRadio() && !sourceMemory_) {
        // The source is read once; the others wait for its memory.
        for (const QString& device : devices)
            waitingForSource_.emplace_back(device, nextNumber_++);
        const bool reading = std::any_of(radios_.begin(), radios_.end(),
                                         [](const auto& row) { return row->source && row->radio->busy(); });
        if (!reading)
            startRow(addRow(sourceDevice_->currentText(), 0, false, FleetJob::ReadSource));
        return;
    }
    for (const QString& device : devices)
        startRow(addRow(device, nextNumber_++, lineOn_, jobOfRows()));
}

void FleetWindow::sourceRead(Row& row)
{
    std::vector<std::pair<QString, int>> waiting;
    waiting.swap(waitingForSource_);
    if (!row.radio->succeeded()) {
        // Nothing to write: each radio meant still gets its line.
        const std::string result = logResultNotWritten(ctx_.text(kTextSourceFailed).toStdString());
        for (const auto& [device, number] : waiting) {
            ProgrammingLogEntry entry = writeLogEntry(device, nullptr, WrittenDocument{}, result);
            entry.job = kLogJobClone;
            addLogLine(entry);
        }
        return;
    }
    sourceMemory_ = std::make_shared<const link::RadioMemory>(row.radio->radioMemory());
    sourceDocument_ = row.radio->radioDocument();
    for (const auto& [device, number] : waiting)
        startRow(addRow(device, number, lineOn_, jobOfRows()));
}

bool FleetWindow::setProductionLine(bool on)
{
    if (!on) {
        // Radios being written finish; no new one is taken.
        lineOn_ = false;
        lineResult_->hide();
        line_->setChecked(false);
        updateButtons();
        return true;
    }
    if (lineOn_)
        return true;
    if (busy())
        return false;
    ui::commitPendingEdits(ctx_);
    if (fromRadio() && sourceDevice_->currentText().isEmpty()) {
        ui::inform(this, ctx_.text(kTextChooseSource), ui::Icon::Information);
        return false;
    }
    if (!prepareJob({}, 1))
        return false;
    results_->clear();
    radios_.clear();
    nextNumber_ = 0;
    // Only what is plugged in from now on is new.
    refreshDevices();
    lineOn_ = true;
    line_->setChecked(true);
    lineResult_->setText(ctx_.text(kTextLineWaiting));
    lineResult_->setStyleSheet(QString());
    lineResult_->show();
    if (fromRadio())
        startTargets({});
    updateButtons();
    updateSummary();
    return true;
}

void FleetWindow::lineDeviceArrived(const QString& path)
{
    const int number = nextNumber_;
    PowerOnTextError error = PowerOnTextError::None;
    if (powerOnPlan_.active() && !powerOnPlan_.textFor(number, error)) {
        // Told as the radio's result, and the line goes on.
        ++nextNumber_;
        ProgrammingLogEntry entry = writeLogEntry(path, nullptr, describeWritten(snapshot_),
                                                  logResultNotWritten(powerOnProblemText(error).toStdString()));
        addLogLine(entry);
        lineResult_->setText(ctx_.text(kTextLineResult).arg(path, powerOnProblemText(error)));
        QApplication::beep();
        return;
    }
    startTargets({path});
}

void FleetWindow::keepHeldBefore(const FleetRadio& radio, const link::RadioMemory& memory)
{
    Document held;
    buildNewDocument(held, ctx_.session.paths.initDir(), TemplateVariant::NewDocument);
    link::decodeDocument(memory, radio.identity().channelMode, held);
    (void)writeBackup(backupFolder(), held, BackupKind::BeforeWrite, radio.device().toStdString(), std::time(nullptr));
}

void FleetWindow::startRow(Row& row)
{
    FleetPolicy policy;
    policy.allowOtherBand = allowOtherBand_->isChecked();
    policy.retries = retries_->value();
    policy.verify = verify_->isChecked();
    policy.job = row.source ? FleetJob::ReadSource : jobOfRows();
    policy.readBefore = policy.job == FleetJob::Write && TransferOptions::load().backupBeforeWrite;
    policy.answerWithinMs = row.lineRadio ? lineAnswerMs_ : 0;
    row.logged = row.source; // a source is read, not programmed: no line of its own
    row.radio->start(policy);
    showRow(row);
}

bool FleetWindow::retrySelected()
{
    QTreeWidgetItem* current = results_->currentItem();
    if (!current)
        return false;
    Row* row = rowFor(current);
    if (!row || row->radio->busy() || row->radio->succeeded() || row->source)
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
    case FleetRadio::Phase::Reading:
        return ctx_.text(kTextReading);
    case FleetRadio::Phase::Done:
        break;
    }
    if (radio.succeeded() && radio.job() == FleetJob::Compare) {
        const std::size_t differences = radio.comparison().differences.size();
        return differences == 0 ? ctx_.text(logword::Same) : ctx_.text(kTextDifferent).arg(differences);
    }
    if (radio.succeeded() && radio.job() == FleetJob::ReadSource)
        return ctx_.text(kTextSourceReady);
    if (radio.succeeded())
        return ctx_.text(radio.outcome().verified ? logword::Verified : kTextWritten);
    QString reason = ctx_.text(radio.failure().textId);
    if (!radio.failure().argument.isEmpty())
        reason = reason.arg(radio.failure().argument);
    return ctx_.text(logword::Failed).arg(reason);
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
    if (row.source) {
        sourceRead(row);
    } else if (!row.logged) {
        row.logged = true;
        const FleetRadio& radio = *row.radio;
        // The log's words are English whatever the language shown (other
        // programs read the log, and its window translates them).
        std::string result;
        if (radio.succeeded() && radio.job() == FleetJob::Compare) {
            result = logResultCompared(radio.comparison().differences.size());
        } else if (radio.succeeded()) {
            result = logResultWritten(radio.outcome().verified);
        } else {
            std::string reason = logReasonWords(radio.failure().textId, radio.failure().argument.toStdString());
            if (reason.empty())
                reason = logReasonWords(logword::NoAnswer);
            result = logResultFailed(reason);
        }
        ProgrammingLogEntry entry = writeLogEntry(radio.device(), radio.identityKnown() ? &radio.identity() : nullptr,
                                                  radio.written(), result);
        entry.job = radio.job() == FleetJob::Compare ? kLogJobCompare : sourceMemory_ ? kLogJobClone : kLogJobWrite;
        entry.powerOnText = radio.powerOnText();
        addLogLine(entry);
        if (row.lineRadio)
            showLineResult(row);
    }
    updateButtons();
    updateSummary();
}

void FleetWindow::showLineResult(const Row& row)
{
    // Seen from across the bench, heard without looking: never blocks.
    const bool good = row.radio->succeeded() &&
                      (row.radio->job() != FleetJob::Compare || row.radio->comparison().same());
    const QString who = row.radio->powerOnText().empty()
                            ? row.radio->device()
                            : QString::fromStdString(row.radio->powerOnText()) + QStringLiteral(" (") +
                                  row.radio->device() + QLatin1Char(')');
    lineResult_->setText(ctx_.text(kTextLineResult).arg(who, resultText(row)));
    lineResult_->setStyleSheet(good ? QStringLiteral("background:#2e7d32;color:white;")
                                    : QStringLiteral("background:#c62828;color:white;"));
    lineResult_->show();
    QApplication::beep();
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
    start_->setEnabled(!running && !lineOn_);
    QTreeWidgetItem* current = results_->currentItem();
    Row* row = current ? rowFor(current) : nullptr;
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
    lineOn_ = false;
    event->accept();
}

} // namespace zav
