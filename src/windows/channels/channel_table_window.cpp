#include "channel_table_window.h"

#include "caption_rooms.h"
#include "channel_grid_model.h"
#include "channel_groups.h"
#include "channel_lists.h"
#include "channel_windows.h"
#include "channel_writes.h"
#include "channel_detail_editor.h"
#include "common_text_ids.h"
#include "gbk_qt.h"
#include "key_rules.h"
#include "list_helpers.h"
#include "numbers.h"
#include "routine_error.h"
#include "twips.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <set>

namespace zav::channels {
namespace {

constexpr int kTextDetails = 14023;           // "Details..."
constexpr int kTextGroupName = 14051;         // "Group Name"
constexpr int kTextEmergencyChannel0 = 14052; // "Emergency CH 0"
constexpr int kTextEmergencyChannel1 = 14053; // "Emergency CH 1"

// Sizes are given in twips, 15 to the pixel.

// The widths and header ids are shared with the check of translations,
// which measures each header against its column.
constexpr const std::array<int, kGridColumns>& kColumnTwips = kChannelGridColumnTwips;
constexpr const std::array<int, kGridColumns>& kHeaderIds = kChannelGridHeaderIds;
constexpr int kOffsetHeaderId = 14100;
constexpr int kGroupCaptionId = 14012;     ///< window caption once a group is shown
constexpr int kGroupListCaptionId = 14050; ///< group list caption, also the first window caption
constexpr int kHeaderTwips = 500;
constexpr int kHeaderSpacingPixels = 6;
constexpr int kWindowWidthTwips = 6800;
constexpr int kWindowHeightTwips = 6400;

constexpr int kFrequencyEditorLength = 9;
constexpr int kNameEditorLength = 5;
constexpr int kGroupNameLength = 3;
constexpr int kDoubleClickGuardMs = 1000;
constexpr int kScrollGuardMs = 500;
constexpr int kFirstFmOnlyPosition = 40; ///< groups 2 and 5: emergency list positions from here on are FM only
constexpr int kLastEditableColumn = kGridColumns - 2;

constexpr int kRxTxColumn = 2;
constexpr int kNameColumn = 3;
constexpr int kFirstListColumn = 4;
constexpr int kFirstOptionListColumn = 6;
constexpr int kLastListColumn = 9;

/// The channel grid: typed characters belong to the in-place editors, so
/// the view's own search by typed text, which would move the current row,
/// is switched off.
class ChannelGridView : public QTableView {
public:
    using QTableView::QTableView;
    void keyboardSearch(const QString&) override {}
};

/// Sets a flag for the lifetime of a scope and puts the old value back.
class FlagScope {
public:
    explicit FlagScope(bool& flag) : flag_(flag), old_(flag) { flag_ = true; }
    ~FlagScope() { flag_ = old_; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

private:
    bool& flag_;
    bool old_;
};

/// Replaces a list's entries and leaves it without a selection.
void fillWithoutSelection(QComboBox* list, const QStringList& entries)
{
    ui::fillList(list, entries);
    QSignalBlocker quiet(list);
    list->setCurrentIndex(-1);
}

void selectQuietly(QComboBox* list, int index)
{
    QSignalBlocker quiet(list);
    list->setCurrentIndex(index >= 0 && index < list->count() ? index : -1);
}

bool isEnterKey(const QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<const QKeyEvent*>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

/// Focus lost to a message box or another application is not the user
/// leaving the editor.
bool leavesEditor(const QFocusEvent* event)
{
    return event->reason() != Qt::PopupFocusReason && event->reason() != Qt::ActiveWindowFocusReason;
}

} // namespace

ChannelTableWindow::ChannelTableWindow(ui::AppContext& ctx, QWidget* parent) : ui::EditorWindow(parent), ctx_(ctx)
{
    setObjectName(kChannelTableName);
    doubleClickGuard_.setSingleShot(true);
    doubleClickGuard_.setInterval(kDoubleClickGuardMs);
    scrollGuard_.setSingleShot(true);
    scrollGuard_.setInterval(kScrollGuardMs);
    buildControls();
    edit().channelTableOpen = true;
    ui::runGuarded(this, "frmCommChInfo_Form_Load", [this] {
        refillGroupList();
        setUpColumns();
        retranslate();
        showStoredGroup();
        loaded_ = true;
        {
            FlagScope quiet(initialising_);
            setCurrentCell(1, 1);
        }
        listCommitEnabled_ = true;
        // The width is that of the columns; a taller window shows more rows.
        const QSize hint = sizeHint();
        const int width = std::max(ui::twipsToPixels(kWindowWidthTwips), hint.width());
        setMinimumSize(width, std::max(ui::twipsToPixels(kWindowHeightTwips), hint.height()));
        setMaximumWidth(width);
        resize(minimumSize());
    });
}

ChannelTableWindow::~ChannelTableWindow()
{
    if (!unloaded_)
        edit().channelTableOpen = false;
}

// --- construction -----------------------------------------------------------

void ChannelTableWindow::buildControls()
{
    model_ = new ChannelGridModel(this);
    grid_ = new ChannelGridView(this);
    grid_->setObjectName(QStringLiteral("MSFlexGrid1"));
    grid_->setModel(model_);
    grid_->verticalHeader()->hide();
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Several rows at once for Copy Channels (shift or control with the
    // mouse or the arrow keys); the current cell is always among them.
    grid_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    grid_->setSelectionBehavior(QAbstractItemView::SelectItems);
    grid_->setTabKeyNavigation(false);
    grid_->setWordWrap(false);
    grid_->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid_->horizontalHeader()->setHighlightSections(false);
    // Room for captions of two lines whatever the font.
    grid_->horizontalHeader()->setFixedHeight(
        std::max(ui::twipsToPixels(kHeaderTwips), kChannelGridHeaderLines * grid_->fontMetrics().lineSpacing() +
                                                  kHeaderSpacingPixels));
    grid_->horizontalHeader()->setMinimumSectionSize(0);
    grid_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid_->installEventFilter(this);
    grid_->viewport()->installEventFilter(this);

    QWidget* cells = grid_->viewport();
    frequencyEditor_ = new QLineEdit(cells);
    frequencyEditor_->setObjectName(QStringLiteral("Text1"));
    frequencyEditor_->setMaxLength(kFrequencyEditorLength);
    frequencyEditor_->setAlignment(Qt::AlignCenter);
    nameEditor_ = new QLineEdit(cells);
    nameEditor_->setObjectName(QStringLiteral("Text2"));
    nameEditor_->setMaxLength(kNameEditorLength);
    nameEditor_->setAlignment(Qt::AlignCenter);
    toneEditor_ = new QComboBox(cells);
    toneEditor_->setObjectName(QStringLiteral("Combo1"));
    for (std::size_t i = 0; i < optionLists_.size(); ++i) {
        optionLists_[i] = new QComboBox(cells);
        optionLists_[i]->setObjectName(QStringLiteral("Combo%1").arg(i + 2));
    }
    for (QWidget* editor : {static_cast<QWidget*>(frequencyEditor_), static_cast<QWidget*>(nameEditor_)})
        editor->installEventFilter(this);
    grid_->verticalHeader()->setDefaultSectionSize(std::max(frequencyEditor_->sizeHint().height(), toneEditor_->sizeHint().height()));

    // Frequency editor: digits and "."; a sign only while the transmit column
    // takes a signed offset.
    auto* frequencyKeys = ui::KeyRules::filterTextBox(
        frequencyEditor_,
        [this](QChar c) -> QChar {
            if (c.isDigit() || c == '.')
                return c;
            const bool signedOffset = edit().editColumn == kRxTxColumn && ctx_.session.settings.showTxAsOffset;
            return signedOffset && (c == '+' || c == '-') ? c : QChar();
        },
        false);
    frequencyKeys->onEnter = [this] { frequencyEnter(); };
    auto* nameKeys = ui::KeyRules::filterTextBox(
        nameEditor_,
        [](QChar c) -> QChar {
            const QChar upper = c.toUpper();
            const char16_t u = upper.unicode();
            return (u >= '0' && u <= '9') || (u >= 'A' && u <= 'Z') ? upper : QChar();
        },
        false);
    nameKeys->onEnter = [this] { nameEnter(); };
    connect(frequencyEditor_, &QLineEdit::textEdited, this, [this] { frequencyEdited_ = true; });
    connect(nameEditor_, &QLineEdit::textEdited, this, [this] { nameEdited_ = true; });

    auto wireList = [this](QComboBox* list, int column) {
        auto* keys = ui::KeyRules::enterMovesFocusOn(list);
        keys->onEnter = [this, column] { listEnter(column); };
        connect(list, &QComboBox::activated, this, [this, column] { listClicked(column); });
    };
    wireList(toneEditor_, kFirstListColumn);
    for (std::size_t i = 0; i < optionLists_.size(); ++i)
        wireList(optionLists_[i], kFirstOptionListColumn + static_cast<int>(i));

    connect(grid_->selectionModel(), &QItemSelectionModel::currentChanged, this, [this] {
        entryRanSincePress_ = true;
        enterCurrentCell();
    });
    // A click selects the pressed cell after the current cell has moved on
    // (an empty slot is edited from its frequency): the highlight is kept on
    // the current cell.
    connect(grid_->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        const QModelIndex current = grid_->currentIndex();
        if (current.isValid() && !grid_->selectionModel()->isSelected(current))
            grid_->selectionModel()->select(current, QItemSelectionModel::ClearAndSelect);
    });
    connect(grid_, &QAbstractItemView::clicked, this, [this] { gridClicked(); });
    connect(grid_, &QAbstractItemView::doubleClicked, this, [this] { gridDoubleClicked(); });
    // Only the user's own scrolling moves the current row; the view's
    // automatic scrolling to the current cell does not.
    connect(grid_->verticalScrollBar(), &QScrollBar::actionTriggered, this,
            [this] { QTimer::singleShot(0, this, [this] { userScrolled(); }); });

    groupCaption_ = new QLabel(this);
    groupList_ = new QComboBox(this);
    groupList_->setObjectName(QStringLiteral("cboGroup"));
    nameCaption_ = new QLabel(this);
    groupName_ = new QLineEdit(this);
    groupName_->setObjectName(QStringLiteral("txtGroupName"));
    groupName_->setMaxLength(kGroupNameLength);
    ui::KeyRules::filterTextBox(groupName_, [](QChar c) { return (c == '\\' || c == '~') ? QChar() : c; })
        ->allowGbkText(int(FixedText<3>::size()));
    connect(groupName_, &QLineEdit::textEdited, this, &ChannelTableWindow::groupNameEdited);
    ui::KeyRules::enterMovesFocusOn(groupList_);
    connect(groupList_, &QComboBox::activated, this, [this] {
        ui::runGuarded(this, "frmCommChInfo_SetGridData", [this] { showSelectedGroup(); });
    });
    for (int s = 0; s < 2; ++s) {
        emergencyCaptions_[s] = new QLabel(this);
        emergencyLists_[s] = new QComboBox(this);
        emergencyLists_[s]->setObjectName(QStringLiteral("cboEmergency%1").arg(s));
        amFmCaptions_[s] = new QLabel(QStringLiteral("AM/FM %1").arg(s), this);
        amFmLists_[s] = new QComboBox(this);
        amFmLists_[s]->setObjectName(QStringLiteral("cboAmFm%1").arg(s));
        ui::KeyRules::enterMovesFocusOn(emergencyLists_[s]);
        ui::KeyRules::enterMovesFocusOn(amFmLists_[s]);
        connect(emergencyLists_[s], &QComboBox::activated, this, [this, s] { emergencyChosen(s); });
        connect(amFmLists_[s], &QComboBox::activated, this, [this, s] { amFmChosen(s); });
    }
    editButton_ = new QPushButton(this);
    editButton_->setObjectName(QStringLiteral("CommandEdit"));
    connect(editButton_, &QPushButton::clicked, this, [this] {
        commitCellEdit();
        openDetailEditor();
    });
    closeButton_ = new QPushButton(this);
    closeButton_->setObjectName(QStringLiteral("CommandClose"));
    connect(closeButton_, &QPushButton::clicked, this, &ChannelTableWindow::closeWindow);

    auto* below = new QGridLayout;
    below->addWidget(groupCaption_, 0, 0, Qt::AlignRight);
    below->addWidget(groupList_, 0, 1);
    below->addWidget(nameCaption_, 0, 2, Qt::AlignRight);
    below->addWidget(groupName_, 0, 3);
    for (int s = 0; s < 2; ++s) {
        below->addWidget(emergencyCaptions_[s], 1 + s, 0, Qt::AlignRight);
        below->addWidget(emergencyLists_[s], 1 + s, 1);
        below->addWidget(amFmCaptions_[s], 1 + s, 2, Qt::AlignRight);
        below->addWidget(amFmLists_[s], 1 + s, 3);
    }
    below->setColumnStretch(1, 1);
    below->setColumnStretch(3, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(editButton_);
    buttons->addWidget(closeButton_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grid_, 1);
    layout->addLayout(below);
    layout->addLayout(buttons);
}

void ChannelTableWindow::refillGroupList()
{
    const int selected = groupList_->currentIndex();
    ui::fillList(groupList_, groupListEntries(image().ChannelMode));
    selectQuietly(groupList_, selected);
}

void ChannelTableWindow::setUpColumns()
{
    ui::runGuarded(this, "frmCommChInfo_InitShowGridError", [this] {
        FlagScope quiet(initialising_);
        hideEditors();
        for (int column = 0; column < kGridColumns; ++column) {
            const int width = ui::twipsToPixels(kColumnTwips[static_cast<std::size_t>(column)]);
            grid_->setColumnHidden(column, width == 0);
            if (width > 0)
                grid_->setColumnWidth(column, width);
        }
        numberRows();
    });
}

void ChannelTableWindow::numberRows()
{
    const Int16 mode = image().ChannelMode;
    int group = image().OptFeat.Common1[common1::CurrentGroup];
    if (group < 0 || group >= groupCount(mode))
        group = 0;
    model_->resetSlots(groupSize(group, mode));
    setCurrentCell(1, 1);
}

void ChannelTableWindow::retranslate()
{
    ui::runGuarded(this, "frmCommChInfo_ChangShowByLanguage", [this] {
        FlagScope quiet(initialising_);
        edit().captionRow = currentRow();
        groupCaption_->setText(ctx_.text(kGroupListCaptionId));
        nameCaption_->setText(ctx_.text(kTextGroupName));
        emergencyCaptions_[0]->setText(ctx_.text(kTextEmergencyChannel0));
        emergencyCaptions_[1]->setText(ctx_.text(kTextEmergencyChannel1));
        editButton_->setText(ctx_.text(kTextDetails));
        closeButton_->setText(ctx_.text(textid::kTextClose));
        groupCaptionText_ = ctx_.text(kGroupCaptionId);
        updateCaption(kGroupListCaptionId);

        QStringList headers;
        for (int column = 0; column < kGridColumns; ++column) {
            const bool offset = column == kRxTxColumn && ctx_.session.settings.showTxAsOffset;
            headers << ctx_.text(offset ? kOffsetHeaderId : kHeaderIds[static_cast<std::size_t>(column)]);
        }
        model_->setHeaders(headers);

        toneTexts_ = toneListEntries(ctx_.text(textid::kTextCodeOff));
        ui::fillList(toneEditor_, toneTexts_);
        for (std::size_t i = 0; i < optionLists_.size(); ++i) {
            optionTexts_[i] = optionListEntries(ctx_, kFirstOptionListColumn + static_cast<int>(i));
            ui::fillList(optionLists_[i], optionTexts_[i]);
        }
        for (QComboBox* list : amFmLists_)
            fillWithoutSelection(list, {QStringLiteral("AM"), QStringLiteral("FM")});
    });
}

void ChannelTableWindow::showStoredGroup()
{
    ui::runGuarded(this, "frmCommChInfo_SetGridData", [this] {
        int group = image().OptFeat.Common1[common1::CurrentGroup];
        if (group < 0 || group >= groupList_->count())
            group = 0;
        selectQuietly(groupList_, group);
        showSelectedGroup();
        if (ctx_.shell)
            ctx_.shell->rebuildTree();
    });
}

void ChannelTableWindow::showEditGroup()
{
    ui::runGuarded(this, "frmCommChInfo_SetGridData", [this] {
        const int group = edit().editGroup;
        selectQuietly(groupList_, group >= 0 && group < groupList_->count() ? group : 0);
        showSelectedGroup();
    });
}

// --- showing a group ------------------------------------------------------------

void ChannelTableWindow::showSelectedGroup()
{
    flushTextEditors();
    const int group = selectedGroup();
    const Int16 mode = image().ChannelMode;
    shownGroup_ = group;
    image().OptFeat.Common1[common1::CurrentGroup] = static_cast<Int16>(group);
    edit().editGroup = group;
    {
        FlagScope quiet(initialising_);
        hideEditors();
        numberRows();
    }
    // The group opens on its first row; the caption names it, not the row
    // of the group shown before.
    edit().captionRow = currentRow();
    updateCaption(kGroupCaptionId);

    const bool lastEntry = isVfoGroupSelected();
    groupName_->setText(group < kGroupNames ? ui::fromGbk(image().GroupNames[static_cast<std::size_t>(group)].clean())
                                            : QString());
    groupName_->setEnabled(extendedMode() && !lastEntry);
    refreshEmergencyLists();

    const Document& doc = ctx_.session.doc;
    const int base = groupBase(group, mode);
    for (int i = 0; i < doc.activeCount(); ++i) {
        const ChannelRecord& record = doc.active()[static_cast<std::size_t>(i)];
        const int row = record.Number - base;
        if (row >= 1 && row <= slotRows())
            fillRow(row, record);
    }
    model_->announceAll();
    loadEditorText();
    if (edit().detailEditorOpen)
        if (ChannelDetailEditor* detail = findDetailEditor(ctx_))
            detail->followTableSlot();
    reportNotNumericFound();
}

void ChannelTableWindow::fillRow(int row, const ChannelRecord& record)
{
    const ChannelFrequencyTexts texts =
        frequencyTexts(record, documentBand(ctx_.session.doc), ctx_.session.settings.showTxAsOffset);
    if (texts.notNumeric)
        ++notNumericSeen_;
    model_->setTextQuietly(row, 1, QString::fromStdString(texts.receive));
    model_->setTextQuietly(row, kRxTxColumn, QString::fromStdString(texts.transmit));
    model_->setTextQuietly(row, 4, listEntryText(4, record.RxTone));
    model_->setTextQuietly(row, 5, listEntryText(5, record.TxTone));
    // An option's column is numbered by the option's field id.
    for (ChannelOption option : {ChannelOption::ScanSkip, ChannelOption::OptionalSignalling, ChannelOption::Spacing}) {
        const int column = optionFieldId(option);
        model_->setTextQuietly(row, column, listEntryText(column, record.option(option)));
    }
}

void ChannelTableWindow::refreshRows()
{
    const Document& doc = ctx_.session.doc;
    const int base = groupBase(shownGroup_, image().ChannelMode);
    std::vector<bool> filled(static_cast<std::size_t>(slotRows()) + 1, false);
    for (int i = 0; i < doc.activeCount(); ++i) {
        const ChannelRecord& record = doc.active()[static_cast<std::size_t>(i)];
        const int row = record.Number - base;
        if (row >= 1 && row <= slotRows()) {
            fillRow(row, record);
            filled[static_cast<std::size_t>(row)] = true;
        }
    }
    for (int row = 1; row <= slotRows(); ++row)
        if (!filled[static_cast<std::size_t>(row)] && !cellText(row, 1).isEmpty())
            for (int column = 1; column <= kLastListColumn; ++column)
                model_->setTextQuietly(row, column, QString());
    model_->announceAll();
    reportNotNumericFound();
}

void ChannelTableWindow::refreshChannel(int number)
{
    ui::runGuarded(this, "frmCommChInfo_reShowGrid", [this, number] {
        const Document& doc = ctx_.session.doc;
        const int row = number - groupBase(shownGroup_, image().ChannelMode);
        const bool shown = row >= 1 && row <= slotRows();
        const int index = doc.findChannelByNumber(static_cast<Int16>(number));
        if (index < 0) {
            if (shown)
                model_->blankRow(row);
            return;
        }
        if (shown) {
            fillRow(row, doc.active()[static_cast<std::size_t>(index)]);
            model_->announceAll();
        }
        if (edit().detailEditorOpen)
            if (ChannelDetailEditor* detail = findDetailEditor(ctx_))
                detail->refreshBusyLockout(number);
        reportNotNumericFound();
    });
}

QString ChannelTableWindow::listEntryText(int column, int index) const
{
    const QStringList* entries = nullptr;
    if (column == 4 || column == 5)
        entries = &toneTexts_;
    else if (column >= kFirstOptionListColumn && column <= kLastListColumn)
        entries = &optionTexts_[static_cast<std::size_t>(column - kFirstOptionListColumn)];
    if (!entries)
        return {};
    if (index >= 0 && index < entries->size())
        return entries->at(index);
    const QComboBox* list = listForColumn(column);
    return list ? list->currentText() : QString();
}

// --- emergency channels and group name --------------------------------------------

void ChannelTableWindow::refreshEmergencyLists()
{
    FlagScope refreshing(refreshingGroupLists_);
    const int group = selectedGroup();
    QStringList entries;
    for (int n : channelNumbersInGroup(ctx_.session.doc.working, group))
        entries << QString::number(n);
    for (QComboBox* list : emergencyLists_)
        fillWithoutSelection(list, entries);
    if (extendedMode() && isVfoGroupSelected()) {
        for (QComboBox* list : amFmLists_)
            selectQuietly(list, -1);
        return;
    }
    // The emergency channels are selected before the AM/FM rules run, as
    // those rules depend on the position of the selected channel.
    for (int s = 0; s < 2; ++s) {
        const Int16* channel = emergencyChannel(image(), group, s);
        selectQuietly(emergencyLists_[s], channel ? emergencyLists_[s]->findText(QString::number(*channel)) : -1);
    }
    updateAmFmLists(group, image().ChannelMode);
    for (int s = 0; s < 2; ++s) {
        const Int16* amFm = emergencyAmFm(image(), group, s);
        selectQuietly(amFmLists_[s], amFm ? *amFm : -1);
    }
}

void ChannelTableWindow::updateAmFmLists(int group, int channelMode)
{
    if (isExtendedMode(static_cast<Int16>(channelMode)))
        return;
    FlagScope refreshing(refreshingGroupLists_);
    if (group == 1) {
        for (int s = 0; s < 2; ++s) {
            amFmLists_[s]->setEnabled(false);
            if (Int16* amFm = emergencyAmFm(image(), group, s))
                *amFm = 1;
        }
    } else if (group == 2 || group == 5) {
        for (int s = 0; s < 2; ++s) {
            const bool amAllowed = emergencyLists_[s]->currentIndex() < kFirstFmOnlyPosition;
            amFmLists_[s]->setEnabled(amAllowed);
            if (!amAllowed)
                if (Int16* amFm = emergencyAmFm(image(), group, s))
                    *amFm = 1;
        }
    } else {
        for (QComboBox* list : amFmLists_)
            list->setEnabled(true);
    }
    for (int s = 0; s < 2; ++s) {
        const Int16* amFm = emergencyAmFm(image(), group, s);
        selectQuietly(amFmLists_[s], amFm ? *amFm : -1);
    }
}

void ChannelTableWindow::emergencyChosen(int s)
{
    if (refreshingGroupLists_)
        return;
    const int group = selectedGroup();
    Int16* channel = emergencyChannel(image(), group, s);
    if (!channel || emergencyLists_[s]->currentIndex() < 0)
        return;
    *channel = static_cast<Int16>(emergencyLists_[s]->currentText().toInt());
    updateAmFmLists(group, image().ChannelMode);
}

void ChannelTableWindow::amFmChosen(int s)
{
    if (refreshingGroupLists_)
        return;
    Int16* amFm = emergencyAmFm(image(), selectedGroup(), s);
    const int index = amFmLists_[s]->currentIndex();
    if (amFm && index >= 0)
        *amFm = static_cast<Int16>(index);
}

void ChannelTableWindow::groupNameEdited(const QString& text)
{
    const int group = selectedGroup();
    if (isVfoGroupSelected() || group >= kGroupNames)
        return;
    // The box takes only what GBK has and what fits the field; bytes shown
    // as U+FFFD have no GBK form and go once the name is edited.
    if (const auto bytes = ui::toGbk(ui::editedText(text)))
        storeGroupName(image().GroupNames[static_cast<std::size_t>(group)], *bytes);
}

// --- cell entry and in-place editing ------------------------------------------

void ChannelTableWindow::enterCurrentCell()
{
    lastTopRow_ = topRow();
    if (initialising_ || !loaded_)
        return;
    ChannelEditState& e = edit();
    if (e.skipNextEnterCell) {
        e.skipNextEnterCell = false;
        return;
    }
    flushTextEditors(); // the editor being left stores its value first
    const int row = currentRow();
    const int column = currentColumn();
    if (row < 1)
        return;
    e.captionRow = row;
    image().OptFeat.Common1[common1::CurrentGroup] = static_cast<Int16>(selectedGroup());
    updateCaption(kGroupCaptionId);
    grid_->setFocus();
    previousEditCell_ = {e.editColumn, e.editRow};
    if (e.skipRxCheck) {
        e.skipRxCheck = false;
    } else {
        if (column > 1 && column < kDetailColumn && !requireReceiveFrequency())
            return;
        if (column == 5 && cellText(row, kRxTxColumn).isEmpty()) {
            e.editColumn = kRxTxColumn;
            e.editRow = row;
            e.skipRxCheck = true;
            setCurrentCell(row, kRxTxColumn);
            return;
        }
    }
    hideEditors();
    openCellEditor();
}

bool ChannelTableWindow::requireReceiveFrequency()
{
    bool result = false;
    ui::runGuarded(this, "frmCommChInfo_FlexConcludeRx", [this, &result] {
        const int row = currentRow();
        if (!cellText(row, 1).isEmpty()) {
            result = true;
            return;
        }
        // An empty slot is edited from its receive frequency on.
        ChannelEditState& e = edit();
        e.editColumn = 1;
        e.editRow = row;
        e.skipRxCheck = true;
        setCurrentCell(row, 1);
    });
    return result;
}

void ChannelTableWindow::openCellEditor()
{
    ui::runGuarded(this, "frmCommChInfo_EnterGridEdit", [this] {
        const int row = currentRow();
        const int column = currentColumn();
        if (row < 1)
            return;
        ChannelEditState& e = edit();
        e.editColumn = column;
        e.editRow = row;
        lastTopRow_ = topRow();
        if (e.detailEditorOpen)
            if (ChannelDetailEditor* detail = findDetailEditor(ctx_))
                detail->followTableSlot();
        if (column == 1 || column == kRxTxColumn) {
            if (!extendedMode())
                return; // country channels have fixed frequencies
            placeEditor(frequencyEditor_, row, column);
            if (column == kRxTxColumn && cellText(row, column).isEmpty() && previousEditCell_ == Cell{1, row})
                model_->setText(row, column, cellText(row, 1)); // transmit starts at the receive frequency
            frequencyEditor_->setText(cellText(row, column));
            frequencyEdited_ = false;
            frequencyEditor_->show();
            frequencyEditor_->setFocus();
            if (!frequencyEditor_->text().isEmpty())
                frequencyEditor_->selectAll();
        } else if (column == kNameColumn) {
            placeEditor(nameEditor_, row, column);
            nameEditor_->setText(ui::fromBytes(cleanText(ui::toBytes(cellText(row, column)))));
            nameEdited_ = false;
            nameEditor_->show();
            nameEditor_->setFocus();
            nameEditor_->selectAll();
        } else if (QComboBox* list = listForColumn(column)) {
            placeEditor(list, row, column);
            list->show();
            listCommitEnabled_ = false;
            ui::showListText(list, cellText(row, column));
            listCommitEnabled_ = true; // the table's own selection raised no user click
            list->setEnabled(true);
            list->setFocus();
        }
    });
}

void ChannelTableWindow::hideEditors()
{
    flushTextEditors();
    frequencyEditor_->hide();
    nameEditor_->hide();
    toneEditor_->hide();
    for (QComboBox* list : optionLists_)
        list->hide();
}

void ChannelTableWindow::loadEditorText()
{
    ui::runGuarded(this, "frmCommChInfo_SetShowEditData", [this] {
        ChannelEditState& e = edit();
        const int rows = slotRows();
        if (rows > 0 && e.editRow > rows)
            e.editRow = std::max(1, e.editRow % rows);
        const QString text = cellText(e.editRow, e.editColumn);
        if (e.editColumn == 1 || e.editColumn == kRxTxColumn) {
            frequencyEditor_->setText(text);
            frequencyEdited_ = false;
        } else if (e.editColumn == kNameColumn) {
            nameEditor_->setText(text);
            nameEdited_ = false;
        } else if (QComboBox* list = listForColumn(e.editColumn)) {
            QSignalBlocker quiet(list);
            ui::showListText(list, text);
        }
    });
}

void ChannelTableWindow::commitCellEdit()
{
    const int column = edit().editColumn;
    const int row = edit().editRow;
    if (column == 1) {
        if (frequencyEditor_->isHidden())
            return;
        const QString formatted = QString::fromStdString(formatEntry(frequencyEditor_->text().toStdString()));
        frequencyEdited_ = false;
        model_->setText(row, column, formatted);
        writeCell(column, formatted);
        showStoredFrequency();
    } else if (column == kRxTxColumn) {
        const std::string typed = frequencyEditor_->text().toStdString();
        const auto value = parseNumber(typed);
        if (frequencyEditor_->isHidden() || !value)
            return;
        frequencyEdited_ = false;
        const bool signedEntry = typed.front() == '+' || typed.front() == '-';
        const std::string shown =
            signedEntry ? std::string(1, typed.front()) + formatMHz(std::fabs(*value)) : formatMHz(*value);
        model_->setText(row, column, QString::fromStdString(shown));
        writeCell(column, frequencyEditor_->text());
        showStoredFrequency();
    } else if (column == kNameColumn) {
        if (nameEditor_->isHidden())
            return;
        nameEdited_ = false;
        model_->setText(row, column, nameEditor_->text());
        writeCell(column, nameEditor_->text());
    } else if (QComboBox* list = listForColumn(column)) {
        if (list->isHidden() || list->currentIndex() < 0)
            return;
        model_->setText(row, column, list->currentText());
        writeCell(column, list->currentIndex());
    }
}

void ChannelTableWindow::showStoredFrequency()
{
    // An editor that stays open shows what was stored, not what was typed.
    const int column = edit().editColumn;
    if ((column == 1 || column == kRxTxColumn) && !frequencyEditor_->isHidden()) {
        frequencyEditor_->setText(cellText(edit().editRow, column));
        frequencyEdited_ = false;
    }
}

void ChannelTableWindow::flushTextEditors()
{
    const int column = edit().editColumn;
    if (frequencyEdited_) {
        frequencyEdited_ = false;
        if (column == 1 || column == kRxTxColumn) {
            writeCell(column, frequencyEditor_->text());
            showStoredFrequency();
        }
    }
    if (nameEdited_ && column == kNameColumn && !nameEditor_->isHidden())
        commitCellEdit();
    nameEdited_ = false;
}

void ChannelTableWindow::writeCell(int column, const QString& text)
{
    writeChannelCell(ctx_, this, edit().editGroup, edit().editRow, column, CellValue(ui::toBytes(text)));
}

void ChannelTableWindow::writeCell(int column, int index)
{
    writeChannelCell(ctx_, this, edit().editGroup, edit().editRow, column, CellValue(index));
}

void ChannelTableWindow::commitPendingEdit()
{
    if (frequencyEdited_ || nameEdited_)
        commitCellEdit();
}

bool ChannelTableWindow::reloadDocument()
{
    // Another channel mode has other groups and rows: the window is opened anew.
    if (groupList_->count() != groupListEntries(image().ChannelMode).size())
        return false;
    const int group = shownGroup_;
    const int row = currentRow();
    const int column = currentColumn();
    const int scrolled = grid_->verticalScrollBar()->value();
    const auto shown = [](const QWidget* editor) { return !editor->isHidden(); };
    const bool editing = shown(frequencyEditor_) || shown(nameEditor_) || shown(toneEditor_) ||
                         std::any_of(optionLists_.begin(), optionLists_.end(), shown);
    showStoredGroup();
    // The user stays where they were: same group (unless the step changed
    // it), same cell, the cell's editor open again when one was.
    if (shownGroup_ == group) {
        FlagScope quiet(initialising_);
        // Showing the group again scrolled it to its first row.
        grid_->verticalScrollBar()->setValue(scrolled);
        setCurrentCell(row, column);
        // A slot the step emptied is edited from its receive frequency on.
        if (column > 1 && column < kDetailColumn && cellText(row, 1).isEmpty())
            setCurrentCell(row, 1);
    }
    ChannelEditState& e = edit();
    e.editRow = e.captionRow = currentRow();
    e.editColumn = currentColumn();
    updateCaption(kGroupCaptionId);
    if (editing)
        openCellEditor();
    else
        loadEditorText();
    return true;
}

// --- keys -----------------------------------------------------------------------

void ChannelTableWindow::frequencyEnter()
{
    ui::runGuarded(this, "rmCommChInfo_Text1_KeyPress", [this] {
        const int column = edit().editColumn;
        const bool typedNothing = frequencyEditor_->text().isEmpty();
        if (extendedMode() && column >= 1 && column <= kNameColumn)
            commitCellEdit();
        navigateAfterEnter(typedNothing);
    });
}

void ChannelTableWindow::nameEnter()
{
    ui::runGuarded(this, "rmCommChInfo_Text1_KeyPress", [this] {
        const int column = edit().editColumn;
        if (column >= 1 && column <= kNameColumn)
            commitCellEdit();
        navigateAfterEnter(false);
    });
}

void ChannelTableWindow::navigateAfterEnter(bool frequencyTypedEmpty)
{
    const int column = edit().editColumn;
    if (column == 1 && frequencyTypedEmpty)
        moveToNextRow();
    else if (column >= 1 && column <= kDetailColumn)
        moveToNextColumn();
}

void ChannelTableWindow::listEnter(int column)
{
    const QByteArray routine =
        column <= 5 ? QByteArrayLiteral("frmCommChInfo_Combo1_KeyPress")
                    : QByteArray("frmCommChInfo_Combo") + QByteArray::number(column - 4) + "_KeyPress";
    ui::runGuarded(this, routine.constData(), [this] {
        const int editColumn = edit().editColumn;
        if (editColumn == 1 && frequencyEditor_->text().isEmpty())
            moveToNextRow();
        else if (editColumn > 0 && editColumn < kDetailColumn)
            moveToNextColumn();
        else if (editColumn == kDetailColumn && !edit().detailEditorOpen)
            openDetailEditor();
    });
}

void ChannelTableWindow::listClicked(int)
{
    if (listCommitEnabled_)
        commitCellEdit();
    else
        listCommitEnabled_ = true;
}

void ChannelTableWindow::moveToNextRow()
{
    ui::runGuarded(this, "frmCommChInfo_GridNextLine", [this] {
        int row = currentRow() + 1;
        if (row > slotRows())
            row = 1;
        if (row == currentRow()) {
            // The only row of the group: the view sees no move, so the cell
            // is entered here.
            enterCurrentCell();
            return;
        }
        setCurrentCell(row, currentColumn());
    });
}

void ChannelTableWindow::moveToNextColumn()
{
    ui::runGuarded(this, "rmCommChInfo_GridNextCol", [this] {
        int column = currentColumn() + 1;
        while (column <= kLastEditableColumn && kColumnTwips[static_cast<std::size_t>(column)] == 0)
            ++column;
        if (column > kLastEditableColumn) {
            // Back to the first column of the next row: the move to column 1
            // is not an entry of its own.
            if (currentColumn() != 1) {
                edit().skipNextEnterCell = true;
                setCurrentCell(currentRow(), 1);
            }
            moveToNextRow();
        } else {
            setCurrentCell(currentRow(), column);
        }
    });
}

bool ChannelTableWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == grid_ && isEnterKey(event)) {
        if (currentColumn() == kDetailColumn)
            openDetailEditor();
        else
            openCellEditor();
        return true;
    }
    if (watched == grid_->viewport() && event->type() == QEvent::MouseButtonPress)
        entryRanSincePress_ = false;
    if ((watched == frequencyEditor_ || watched == nameEditor_) && event->type() == QEvent::FocusOut &&
        leavesEditor(static_cast<QFocusEvent*>(event)))
        ui::runGuarded(this, "rmCommChInfo_Text1_KeyPress", [this] { flushTextEditors(); });
    return ui::EditorWindow::eventFilter(watched, event);
}

// --- mouse, scrolling, window ---------------------------------------------------------

void ChannelTableWindow::gridClicked()
{
    if (doubleClickGuard_.isActive() || entryRanSincePress_)
        return;
    enterCurrentCell();
}

void ChannelTableWindow::gridDoubleClicked()
{
    doubleClickGuard_.start();
    if (currentColumn() == kDetailColumn)
        openDetailEditor();
}

void ChannelTableWindow::userScrolled()
{
    if (scrollGuard_.isActive())
        return;
    scrollGuard_.start();
    const int row = currentRow() + topRow() - lastTopRow_;
    if (row >= 1 && row <= slotRows() && row != currentRow())
        setCurrentCell(row, currentColumn());
    if (currentRow() != edit().editRow)
        enterCurrentCell();
}

void ChannelTableWindow::openDetailEditor() { showDetailEditor(ctx_); }

void ChannelTableWindow::closeWindow()
{
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget()))
        sub->close();
    else
        close();
}

void ChannelTableWindow::showEvent(QShowEvent* event)
{
    ui::EditorWindow::showEvent(event);
    if (firstActivation_ && loaded_) {
        firstActivation_ = false;
        enterCurrentCell();
    }
}

void ChannelTableWindow::closeEvent(QCloseEvent* event)
{
    ui::runGuarded(this, "frmCommChInfo_Form_Unload", [this] {
        doubleClickGuard_.stop();
        scrollGuard_.stop();
        unloaded_ = true;
        edit().channelTableOpen = false;
    });
    event->accept();
}

// --- small helpers ------------------------------------------------------------

void ChannelTableWindow::updateCaption(int textId)
{
    const QString prefix = textId == kGroupCaptionId ? groupCaptionText_ : ctx_.text(textId);
    const std::string label = groupLabel(image().OptFeat.Common1[common1::CurrentGroup], image());
    setWindowTitle(prefix + QStringLiteral(" ") + ui::fromGbk(label) + QStringLiteral(" --- ") + QStringLiteral(" ") +
                   QString::number(edit().captionRow) + QStringLiteral("]"));
}

void ChannelTableWindow::placeEditor(QWidget* editor, int row, int column)
{
    const QModelIndex index = model_->index(row - 1, column);
    grid_->scrollTo(index);
    editor->setGeometry(grid_->visualRect(index));
}

QComboBox* ChannelTableWindow::listForColumn(int column) const
{
    if (column == 4 || column == 5)
        return toneEditor_;
    if (column >= kFirstOptionListColumn && column <= kLastListColumn)
        return optionLists_[static_cast<std::size_t>(column - kFirstOptionListColumn)];
    return nullptr;
}

QString ChannelTableWindow::cellText(int row, int column) const { return model_->text(row, column); }

int ChannelTableWindow::slotRows() const { return model_->slotCount(); }

std::vector<int> ChannelTableWindow::selectedSlotNumbers() const
{
    std::set<int> rows;
    for (const QModelIndex& index : grid_->selectionModel()->selectedIndexes())
        rows.insert(index.row() + 1);
    if (rows.empty() && currentRow() > 0)
        rows.insert(currentRow());
    std::vector<int> numbers;
    const int base = groupBase(shownGroup_, image().ChannelMode);
    for (int row : rows)
        if (row >= 1 && row <= slotRows())
            numbers.push_back(base + row);
    return numbers;
}

void ChannelTableWindow::showChannel(int group, int row, int column)
{
    ui::runGuarded(this, "frmCommChInfo_SetGridData", [this, group, row, column] {
        flushTextEditors();
        if (group != shownGroup_ && group >= 0 && group < groupList_->count()) {
            selectQuietly(groupList_, group);
            showSelectedGroup();
        }
        if (column == 0)
            selectRows(row, row, 1);
        else
            setCurrentCell(row, column);
    });
}

void ChannelTableWindow::selectRows(int first, int last, int column)
{
    if (first < 1 || last > slotRows() || first > last)
        return;
    setCurrentCell(first, column);
    const QItemSelection rows(model_->index(first - 1, 0), model_->index(last - 1, kGridColumns - 1));
    grid_->selectionModel()->select(rows, QItemSelectionModel::ClearAndSelect);
}

std::vector<int> ChannelTableWindow::selectedChannelNumbers() const
{
    std::set<int> rows;
    for (const QModelIndex& index : grid_->selectionModel()->selectedIndexes())
        rows.insert(index.row() + 1);
    if (rows.empty() && currentRow() > 0)
        rows.insert(currentRow());
    std::vector<int> numbers;
    const int base = groupBase(shownGroup_, image().ChannelMode);
    for (int row : rows)
        if (row >= 1 && row <= slotRows() && !cellText(row, 1).isEmpty())
            numbers.push_back(base + row);
    return numbers;
}

int ChannelTableWindow::currentRow() const
{
    const QModelIndex current = grid_->currentIndex();
    return current.isValid() ? current.row() + 1 : 0;
}

int ChannelTableWindow::currentColumn() const
{
    const QModelIndex current = grid_->currentIndex();
    return current.isValid() ? current.column() : 0;
}

void ChannelTableWindow::setCurrentCell(int row, int column)
{
    if (row < 1 || row > slotRows() || column < 0 || column >= kGridColumns)
        return;
    grid_->setCurrentIndex(model_->index(row - 1, column));
}

void ChannelTableWindow::selectRows(int first, int last)
{
    first = std::max(first, 1);
    last = std::min(last, slotRows());
    if (first > last)
        return;
    const int column = std::max(currentColumn(), 1);
    setCurrentCell(first, column);
    grid_->selectionModel()->select(QItemSelection(model_->index(first - 1, 0), model_->index(last - 1, kGridColumns - 1)),
                                    QItemSelectionModel::ClearAndSelect);
    // The last row first, so that the first one is surely in view too.
    grid_->scrollTo(model_->index(last - 1, column));
    grid_->scrollTo(model_->index(first - 1, column));
}

int ChannelTableWindow::topRow() const { return grid_->verticalScrollBar()->value() + 1; }

bool ChannelTableWindow::extendedMode() const { return isExtendedMode(image().ChannelMode); }

bool ChannelTableWindow::isVfoGroupSelected() const
{
    return groupList_->count() > 0 && groupList_->currentIndex() == groupList_->count() - 1;
}

int ChannelTableWindow::selectedGroup() const { return std::max(0, groupList_->currentIndex()); }

void ChannelTableWindow::reportNotNumericFound()
{
    if (notNumericSeen_ == 0)
        return;
    notNumericSeen_ = 0;
    reportNotNumeric(ctx_, this);
}

} // namespace zav::channels
