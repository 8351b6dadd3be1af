#include "channel_detail_editor.h"

#include "channel_groups.h"
#include "channel_lists.h"
#include "channel_windows.h"
#include "channel_writes.h"
#include "common_text_ids.h"
#include "feature_rules.h"
#include "channel_table_window.h"
#include "key_rules.h"
#include "list_helpers.h"
#include "routine_error.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <utility>
#include <vector>

namespace zav::channels {
namespace {

constexpr int kTextTitle = 15000;              // "Channel Details"
constexpr int kTextChannel = 15001;            // "Channel"
constexpr int kTextRxFrequency = 15002;        // "RX Freq (MHz)"
constexpr int kTextGroup = 15029;              // "Group"
constexpr int kTextBusyCarrier = 15031;        // "Carrier"
constexpr int kTextBusyTone = 15032;           // "CTCSS/DCS"
constexpr int kTextBusyOptionalSignal = 15033; // "Opt. Signal"
constexpr int kTextSwitchOff = 15052;          // "Off"
constexpr int kTextSwitchOn = 15053;           // "On"

/// Error text of a failure while showing a slot.
constexpr const char* kShowSlotRoutine = "FrmCHInfoEdit_SetGridEditData";

constexpr int kFrequencyBoxLength = 9;
constexpr int kOffTextId = 15030;
constexpr int kBusyByToneEntries = 3; ///< off, carrier, tone: the tone entry needs a governing tone
constexpr int kCaptionGapPixels = 7;  ///< captions sit 100 twips left of their controls
constexpr int kRogerBeepTips = 8;

struct ListSpec {
    const char* name;
    int captionId;
    int fieldId; ///< what the list stores: FieldRxTone, FieldTxTone or an option's field id
};
constexpr std::array<ListSpec, ChannelDetailEditor::ListCount> kLists{{
    {"cboDecode", 15005, FieldRxTone},
    {"cboEncode", 15006, FieldTxTone},
    {"cboBusyLockout", 15011, optionFieldId(ChannelOption::BusyLockout)},
    {"cboBotCode", 15037, optionFieldId(ChannelOption::BotCode)},
    {"cboEotCode", 15038, optionFieldId(ChannelOption::EotCode)},
    {"cboRogerBeep", 15200, optionFieldId(ChannelOption::RogerBeep)},
    {"cboCallCode", 15013, optionFieldId(ChannelOption::CallCode)},
    {"cboRepeaterShift", 15205, optionFieldId(ChannelOption::RepeaterShift)},
    {"cboTsq", 15023, optionFieldId(ChannelOption::TsqMode)},
}};

struct CheckSpec {
    const char* name;
    int captionId;
    ChannelOption option;
};
constexpr std::array<CheckSpec, ChannelDetailEditor::CheckCount> kChecks{{
    {"chkScanSkip", 15014, ChannelOption::ScanSkip},
    {"chkExpander", 15300, ChannelOption::RxExpander},
    {"chkCompressor", 15301, ChannelOption::TxCompressor},
    {"chkNoiseBlanker", 15302, ChannelOption::NoiseBlanker},
    {"chkAttenuator", 15303, ChannelOption::Attenuator},
    {"chkHighCut", 15304, ChannelOption::HighCut},
}};

using Entries = std::vector<std::pair<QString, int>>;

/// Entries with the value each one stores; no selection afterwards.
void fillEntries(QComboBox* list, const Entries& entries)
{
    QSignalBlocker quiet(list);
    list->clear();
    for (const auto& [text, value] : entries)
        list->addItem(text, value);
    list->setCurrentIndex(-1);
}

/// Selects the entry storing value; no selection when none does.
void selectValue(QComboBox* list, int value)
{
    QSignalBlocker quiet(list);
    list->setCurrentIndex(list->findData(value));
}

Entries indexedEntries(const QStringList& texts)
{
    Entries entries;
    for (int i = 0; i < texts.size(); ++i)
        entries.emplace_back(texts.at(i), i);
    return entries;
}

/// The first entry (value 0) followed by the given numbers.
Entries numberedEntries(const QString& first, const std::vector<int>& numbers)
{
    Entries entries{{first, 0}};
    for (int n : numbers)
        entries.emplace_back(QString::number(n), n);
    return entries;
}

} // namespace

ChannelDetailEditor::ChannelDetailEditor(ui::AppContext& ctx, QWidget* parent) : ui::EditorWindow(parent), ctx_(ctx)
{
    setObjectName(kDetailEditorName);
    storesUserChanges_ = true;
    buildControls();
    refillGroupList();
    retranslate();
    edit().detailEditorOpen = true;
    followTableSlot();
}

ChannelDetailEditor::~ChannelDetailEditor()
{
    if (!unloaded_)
        edit().detailEditorOpen = false;
}

void ChannelDetailEditor::buildControls()
{
    groupCaption_ = new QLabel(this);
    groupList_ = new QComboBox(this);
    groupList_->setObjectName(QStringLiteral("cboGroup"));
    channelCaption_ = new QLabel(this);
    channelList_ = new QComboBox(this);
    channelList_->setObjectName(QStringLiteral("cboChannel"));
    frequencyCaption_ = new QLabel(this);
    frequencyBox_ = new QLineEdit(this);
    frequencyBox_->setObjectName(QStringLiteral("txtRxFrequency"));
    frequencyBox_->setMaxLength(kFrequencyBoxLength);
    frequencyBox_->installEventFilter(this);
    auto* frequencyKeys = ui::KeyRules::filterTextBox(frequencyBox_, ui::acceptDigitsAndDot, false);
    frequencyKeys->onEnter = [this] {
        ui::runGuarded(this, "FrmCHInfoEdit_Text1_KeyPress", [this] { writeFrequency(); });
        focusNextChild();
    };
    connect(frequencyBox_, &QLineEdit::textEdited, this, [this] { frequencyDirty_ = true; });

    for (QComboBox* slotList : {groupList_, channelList_}) {
        ui::KeyRules::enterMovesFocusOn(slotList);
        connect(slotList, &QComboBox::activated, this, [this] {
            ui::runGuarded(this, kShowSlotRoutine, [this] { slotChosen(); });
        });
    }
    for (int id = 0; id < ListCount; ++id) {
        listCaptions_[id] = new QLabel(this);
        lists_[id] = new QComboBox(this);
        lists_[id]->setObjectName(QString::fromLatin1(kLists[static_cast<std::size_t>(id)].name));
        ui::KeyRules::enterMovesFocusOn(lists_[id]);
        connect(lists_[id], &QComboBox::activated, this, [this, id] {
            ui::runGuarded(this, "FrmCHInfoEdit_Combo_Click", [this, id] { listChosen(static_cast<ListId>(id)); });
        });
    }
    for (int id = 0; id < CheckCount; ++id) {
        checks_[id] = new QCheckBox(this);
        checks_[id]->setObjectName(QString::fromLatin1(kChecks[static_cast<std::size_t>(id)].name));
        ui::KeyRules::enterMovesFocusOn(checks_[id]);
        connect(checks_[id], &QCheckBox::clicked, this, [this, id] {
            ui::runGuarded(this, "FrmCHInfoEdit_Check_Click", [this, id] { checkClicked(static_cast<CheckId>(id)); });
        });
    }
    closeButton_ = new QPushButton(this);
    closeButton_->setObjectName(QStringLiteral("CommandClose"));
    connect(closeButton_, &QPushButton::clicked, this, &ChannelDetailEditor::closeWindow);

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(kCaptionGapPixels);
    auto addPair = [grid](QLabel* caption, QWidget* control, int row, int pair) {
        grid->addWidget(caption, row, 2 * pair, Qt::AlignRight);
        grid->addWidget(control, row, 2 * pair + 1);
    };
    addPair(groupCaption_, groupList_, 0, 0);
    addPair(channelCaption_, channelList_, 0, 1);
    addPair(frequencyCaption_, frequencyBox_, 1, 0);
    const std::array<std::pair<ListId, ListId>, 5> rows{{
        {DecodeTone, EncodeTone},
        {BusyLockout, RogerBeep},
        {BotCode, EotCode},
        {CallCode, TsqMode},
        {RepeaterShift, ListCount},
    }};
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const int row = 2 + static_cast<int>(r);
        addPair(listCaptions_[rows[r].first], lists_[rows[r].first], row, 0);
        if (rows[r].second != ListCount)
            addPair(listCaptions_[rows[r].second], lists_[rows[r].second], row, 1);
    }
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);

    auto* checks = new QGridLayout;
    for (int id = 0; id < CheckCount; ++id)
        checks->addWidget(checks_[id], id / 3, id % 3);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(closeButton_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(checks);
    layout->addStretch(1);
    layout->addLayout(buttons);
}

void ChannelDetailEditor::retranslate()
{
    setWindowTitle(ctx_.text(kTextTitle));
    groupCaption_->setText(ctx_.text(kTextGroup));
    channelCaption_->setText(ctx_.text(kTextChannel));
    frequencyCaption_->setText(ctx_.text(kTextRxFrequency));
    for (int id = 0; id < ListCount; ++id)
        listCaptions_[id]->setText(ctx_.text(kLists[static_cast<std::size_t>(id)].captionId));
    for (int id = 0; id < CheckCount; ++id)
        checks_[id]->setText(ctx_.text(kChecks[static_cast<std::size_t>(id)].captionId));
    closeButton_->setText(ctx_.text(textid::kTextClose));
    toneTexts_ = toneListEntries(ctx_.text(kOffTextId));
    busyTexts_ = QStringList{ctx_.text(kOffTextId), ctx_.text(kTextBusyCarrier), ctx_.text(kTextBusyTone),
                             ctx_.text(kTextBusyOptionalSignal)};
}

void ChannelDetailEditor::refillGroupList()
{
    const int selected = groupList_->currentIndex();
    ui::fillList(groupList_, groupListEntries(ctx_.session.doc.image().ChannelMode));
    QSignalBlocker quiet(groupList_);
    groupList_->setCurrentIndex(selected < groupList_->count() ? selected : -1);
}

void ChannelDetailEditor::fillChannelList(int group)
{
    ui::fillList(channelList_, ui::numberEntries(1, groupSize(group, ctx_.session.doc.image().ChannelMode)));
    QSignalBlocker quiet(channelList_);
    channelList_->setCurrentIndex(-1);
}

// --- showing a slot -------------------------------------------------------------

void ChannelDetailEditor::followTableSlot() { showSlot(SlotSource::Table); }

void ChannelDetailEditor::showChosenSlot() { showSlot(SlotSource::OwnLists); }

void ChannelDetailEditor::showSlot(SlotSource source)
{
    ui::runGuarded(this, kShowSlotRoutine, [this, source] {
        storesUserChanges_ = false;
        ChannelEditState& e = edit();
        if (source == SlotSource::Table) {
            const int group = e.editGroup >= 0 && e.editGroup < groupList_->count() ? e.editGroup : 0;
            {
                QSignalBlocker quiet(groupList_);
                groupList_->setCurrentIndex(group);
            }
            fillChannelList(group);
            QSignalBlocker quiet(channelList_);
            channelList_->setCurrentIndex(channelList_->findText(QString::number(e.editRow)));
        } else {
            const int selected = std::max(0, groupList_->currentIndex());
            if (selected != e.editGroup) {
                e.editGroup = selected;
                if (e.channelTableOpen)
                    if (ChannelTableWindow* table = findChannelTable(ctx_))
                        table->showEditGroup();
                fillChannelList(e.editGroup);
            }
            if (channelList_->currentIndex() < 0 && channelList_->count() > 0) {
                QSignalBlocker quiet(channelList_);
                channelList_->setCurrentIndex(0);
            }
            e.editRow = channelList_->currentIndex() + 1;
        }

        const bool extended = extendedMode();
        lists_[RepeaterShift]->setVisible(extended);
        listCaptions_[RepeaterShift]->setVisible(extended);

        if (ChannelRecord* record = slotRecord())
            showRecord(*record);
        else
            showEmptySlot();
        updateFrequencyBox();
        shownGroup_ = slotGroup();
        shownRow_ = slotRow();
        storesUserChanges_ = true;
    });
    storesUserChanges_ = true;
}

void ChannelDetailEditor::showRecord(ChannelRecord& record)
{
    if (slotBlank_) {
        fillEntries(lists_[DecodeTone], indexedEntries(toneTexts_));
        fillEntries(lists_[EncodeTone], indexedEntries(toneTexts_));
        fillEntries(lists_[RepeaterShift],
                    indexedEntries({ctx_.text(kOffTextId), QStringLiteral("+100K"), QStringLiteral("-100K")}));
        fillEntries(lists_[TsqMode], indexedEntries({ctx_.text(kTextSwitchOff), ctx_.text(kTextSwitchOn)}));
        slotBlank_ = false;
    }
    for (QComboBox* list : lists_)
        list->setEnabled(true);
    for (QCheckBox* box : checks_)
        box->setEnabled(true);

    const ChannelFrequencyTexts texts =
        frequencyTexts(record, documentBand(ctx_.session.doc), ctx_.session.settings.showTxAsOffset);
    if (texts.notNumeric)
        reportNotNumeric(ctx_, this);
    frequencyBox_->setText(QString::fromStdString(texts.receive));
    frequencyDirty_ = false;
    // A stored tone outside the list selects nothing rather than "off".
    selectValue(lists_[DecodeTone], record.RxTone);
    selectValue(lists_[EncodeTone], record.TxTone);
    showBusyLockout(record);
    fillCodeList(lists_[BotCode], record.option(ChannelOption::BotCode));
    fillCodeList(lists_[EotCode], record.option(ChannelOption::EotCode));
    fillCodeList(lists_[CallCode], record.option(ChannelOption::CallCode));
    refillRogerBeep();
    ui::showListIndex(lists_[RepeaterShift], record.option(ChannelOption::RepeaterShift));
    ui::showListIndex(lists_[TsqMode], record.option(ChannelOption::TsqMode));
    for (int id = 0; id < CheckCount; ++id)
        ui::showCheck(checks_[id], record.option(kChecks[static_cast<std::size_t>(id)].option));
}

void ChannelDetailEditor::showEmptySlot()
{
    // Only a receive frequency can be given to an empty slot.
    frequencyBox_->clear();
    frequencyDirty_ = false;
    frequencyBox_->setEnabled(true);
    for (QComboBox* list : lists_) {
        fillEntries(list, {{QStringLiteral(" "), 0}});
        QSignalBlocker quiet(list);
        list->setCurrentIndex(0);
        list->setItemData(0, QVariant()); // stores nothing
        list->setEnabled(false);
    }
    for (QCheckBox* box : checks_) {
        box->setChecked(false);
        box->setEnabled(false);
    }
    slotBlank_ = true;
}

void ChannelDetailEditor::showBusyLockout(ChannelRecord& record)
{
    // The governing tone is the transmit tone on reverse channels.
    const Int16 governing = record.option(ChannelOption::Reverse) != 0 ? record.TxTone : record.RxTone;
    const bool toneOn = governing != 0;
    Int16& busyLockout = record.option(ChannelOption::BusyLockout);
    if (!toneOn && busyLockout == 2)
        busyLockout = 1;
    const int shown = toneOn ? kBusyByToneEntries : kBusyByToneEntries - 1;
    fillEntries(lists_[BusyLockout], indexedEntries(busyTexts_.mid(0, shown)));
    selectValue(lists_[BusyLockout], busyLockout);
}

void ChannelDetailEditor::refreshBusyLockout(int number)
{
    ChannelRecord* record = slotRecord();
    if (!record || slotBlank_ || record->Number != number)
        return;
    showBusyLockout(*record);
}

void ChannelDetailEditor::fillCodeList(QComboBox* list, int stored)
{
    fillEntries(list,
                numberedEntries(ctx_.text(textid::kTextCodeOff), definedCodeMemories(ctx_.session.doc.image())));
    selectValue(list, stored);
}

void ChannelDetailEditor::refillRogerBeep()
{
    QComboBox* list = lists_[RogerBeep];
    const ChannelRecord* record = slotRecord();
    if (!list->isEnabled() || !record || slotBlank_)
        return;
    const int stored = record->option(ChannelOption::RogerBeep);
    fillEntries(list, numberedEntries(ctx_.text(kOffTextId), definedToneTips(ctx_.session.doc.image())));
    if (stored >= 0 && stored <= kRogerBeepTips)
        selectValue(list, stored);
}

void ChannelDetailEditor::refreshCodeLists()
{
    const std::array<ListId, 3> codeLists{BotCode, EotCode, CallCode};
    for (ListId id : codeLists) {
        if (!slotRecord() || slotBlank_)
            return;
        QComboBox* list = lists_[id];
        const QVariant before = list->currentIndex() >= 0 ? list->currentData() : QVariant();
        fillEntries(list,
                numberedEntries(ctx_.text(textid::kTextCodeOff), definedCodeMemories(ctx_.session.doc.image())));
        const int kept = before.isValid() ? list->findData(before) : -1;
        if (kept >= 0) {
            selectValue(list, before.toInt());
            continue;
        }
        // The code shown is no longer defined: the first entry, which stores.
        selectValue(list, 0);
        write(kLists[static_cast<std::size_t>(id)].fieldId, 0);
    }
}

void ChannelDetailEditor::updateFrequencyBox()
{
    const bool extended = extendedMode();
    frequencyBox_->setEnabled(extended);
    // Country channels have fixed frequencies: the box looks like the window.
    frequencyBox_->setFrame(extended);
}

// --- user changes ------------------------------------------------------------------

void ChannelDetailEditor::listChosen(ListId id)
{
    if (!storesUserChanges_)
        return;
    QComboBox* list = lists_[id];
    const int index = list->currentIndex();
    const QString text = list->currentText();
    const QVariant value = index >= 0 ? list->itemData(index) : QVariant();
    if (index < 0 || text.isEmpty() || text == QStringLiteral(" ") || !value.isValid())
        return;
    if (id == DecodeTone) {
        // The tone entry of the busy lockout is offered as soon as a decode tone is chosen.
        const QVariant busy = lists_[BusyLockout]->currentIndex() >= 0 ? lists_[BusyLockout]->currentData() : QVariant();
        fillEntries(lists_[BusyLockout],
                    indexedEntries(busyTexts_.mid(0, index != 0 ? kBusyByToneEntries : kBusyByToneEntries - 1)));
        if (busy.isValid())
            selectValue(lists_[BusyLockout], busy.toInt());
    }
    write(kLists[static_cast<std::size_t>(id)].fieldId, value.toInt());
}

void ChannelDetailEditor::checkClicked(CheckId id)
{
    if (!storesUserChanges_)
        return;
    write(optionFieldId(kChecks[static_cast<std::size_t>(id)].option), checks_[id]->isChecked() ? 1 : 0);
}

void ChannelDetailEditor::slotChosen()
{
    if (slotGroup() == shownGroup_ && slotRow() == shownRow_)
        return;
    // The table's open editor belongs to the slot shown so far: it stores
    // what it holds there and closes, so that nothing typed into the table
    // can reach the slot chosen here. Storing shows the table's slot again,
    // so the choice is put back afterwards.
    const int group = groupList_->currentIndex();
    const int channel = channelList_->currentIndex();
    if (ChannelTableWindow* table = findChannelTable(ctx_))
        table->hideEditors();
    {
        QSignalBlocker quiet(groupList_);
        groupList_->setCurrentIndex(group);
    }
    {
        QSignalBlocker quiet(channelList_);
        channelList_->setCurrentIndex(channel);
    }
    showChosenSlot();
}

void ChannelDetailEditor::writeFrequency()
{
    frequencyDirty_ = false;
    const std::string text = formatEntry(ui::toBytes(frequencyBox_->text()));
    writeChannelCell(ctx_, this, slotGroup(), channelList_->currentIndex() + 1, FieldRxFrequency, CellValue(text));
    showChosenSlot();
}

void ChannelDetailEditor::write(int fieldId, int value)
{
    writeChannelCell(ctx_, this, slotGroup(), channelList_->currentIndex() + 1, fieldId, CellValue(value));
}

void ChannelDetailEditor::commitPendingEdit()
{
    if (frequencyDirty_)
        writeFrequency();
}

bool ChannelDetailEditor::reloadDocument()
{
    // Another channel mode has other groups: the window is opened anew.
    if (groupList_->count() != groupListEntries(ctx_.session.doc.image().ChannelMode).size())
        return false;
    followTableSlot();
    return true;
}

bool ChannelDetailEditor::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == frequencyBox_) {
        if (event->type() == QEvent::FocusIn)
            QTimer::singleShot(0, frequencyBox_, &QLineEdit::selectAll);
        if (event->type() == QEvent::FocusOut && frequencyDirty_) {
            const auto reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason)
                ui::runGuarded(this, "FrmCHInfoEdit_Text1_Validate", [this] { writeFrequency(); });
        }
    }
    return ui::EditorWindow::eventFilter(watched, event);
}

void ChannelDetailEditor::mousePressEvent(QMouseEvent* event)
{
    // A click on the window itself ends the frequency entry.
    if (frequencyBox_->hasFocus() && frequencyDirty_)
        ui::runGuarded(this, "FrmCHInfoEdit_Text1_Validate", [this] { writeFrequency(); });
    ui::EditorWindow::mousePressEvent(event);
}

void ChannelDetailEditor::closeWindow()
{
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget()))
        sub->close();
    else
        close();
}

void ChannelDetailEditor::closeEvent(QCloseEvent* event)
{
    unloaded_ = true;
    edit().detailEditorOpen = false;
    event->accept();
}

// --- small helpers -------------------------------------------------------------------

int ChannelDetailEditor::slotGroup() const { return groupList_->currentIndex(); }

int ChannelDetailEditor::slotRow() const { return channelList_->currentIndex() >= 0 ? channelList_->currentText().toInt() : 0; }

ChannelRecord* ChannelDetailEditor::slotRecord() const
{
    const int group = slotGroup();
    const int row = slotRow();
    if (group < 0 || row < 1)
        return nullptr;
    Document& doc = ctx_.session.doc;
    const int index = findChannelInGroup(doc.working, group, row);
    return index >= 0 ? &doc.active()[static_cast<std::size_t>(index)] : nullptr;
}

int ChannelDetailEditor::shownRecord() const
{
    const int group = slotGroup();
    const int row = slotRow();
    return group < 0 || row < 1 ? -1 : findChannelInGroup(ctx_.session.doc.working, group, row);
}

bool ChannelDetailEditor::extendedMode() const { return isExtendedMode(ctx_.session.doc.image().ChannelMode); }

} // namespace zav::channels
