#include "optional_features_editor.h"

#include "app_context.h"
#include "codecs.h"
#include "editor_parts.h"
#include "feature_rules.h"
#include "gbk_qt.h"
#include "gbk_text.h"
#include "key_rules.h"
#include "list_helpers.h"
#include "numbers.h"
#include "optional_feature_rules.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace zav::features {

namespace {

constexpr int kCommonDataBox = 7;
constexpr int kFirstSwitchBox = 8;  ///< RX expand .. Hi-CUT: boxes 8..12
constexpr int kLastSwitchBox = 12;
constexpr int kCheckIdBase = 100;

/// The number an entry of a code or roger-beep list shows (0 for the
/// none/off entry, whose text is not a number).
Int16 selectedEntryNumber(const QComboBox* list)
{
    if (list->currentIndex() <= 0)
        return 0;
    const auto value = parseNumber(list->currentText().toStdString());
    return value ? static_cast<Int16>(*value) : Int16{0};
}

/// The power-on text takes letters and digits: A..Z, a..z, 0..9 and the
/// Chinese characters.
QChar acceptPowerOnCharacter(QChar c)
{
    return (!ui::acceptLettersAndDigits(c).isNull() || c.script() == QChar::Script_Han) ? c : QChar();
}

/// One character of the power-on text: the bytes it takes.
struct PowerOnCell {
    int start = 0;
    int width = 1;
};

/// The power-on text's bytes as characters: a GBK double-byte character
/// takes two; any other byte, one (a byte that is not GBK stands alone).
std::vector<PowerOnCell> powerOnCells(std::string_view bytes)
{
    std::vector<PowerOnCell> cells;
    for (int i = 0; i < int(bytes.size()); i += cells.back().width) {
        const bool pair = static_cast<unsigned char>(bytes[std::size_t(i)]) >= 0x80 && i + 1 < int(bytes.size()) &&
                          isValidGbk(bytes.substr(std::size_t(i), 2));
        cells.push_back({i, pair ? 2 : 1});
    }
    return cells;
}

/// The box a character of the power-on text shows in: its first box, or
/// its second when the first one is hidden.
int shownBox(const PowerOnCell& cell)
{
    const bool straddles = cell.start < OptionalFeaturesEditor::kFirstShownPowerOnBox &&
                           cell.start + cell.width > OptionalFeaturesEditor::kFirstShownPowerOnBox;
    return straddles ? OptionalFeaturesEditor::kFirstShownPowerOnBox : cell.start;
}

QStringList numbersAsText(const std::vector<int>& numbers)
{
    QStringList out;
    for (int n : numbers)
        out << QString::number(n);
    return out;
}

} // namespace

OptionalFeaturesEditor::OptionalFeaturesEditor(ui::AppContext& ctx, QWidget* parent) : EditorWindow(parent), ctx_(ctx)
{
    setObjectName("FrmOptFeatures");
    setWindowTitle(ctx_.text(16000));
    buildControls();
    fillLists();
    showRecord();
}

QComboBox* OptionalFeaturesEditor::list(int id) const
{
    return (id >= 0 && id < static_cast<int>(lists_.size())) ? lists_[static_cast<std::size_t>(id)] : nullptr;
}

QCheckBox* OptionalFeaturesEditor::checkBox(int n) const
{
    return (n >= 0 && n < static_cast<int>(checkBoxes_.size())) ? checkBoxes_[static_cast<std::size_t>(n)] : nullptr;
}

QComboBox* OptionalFeaturesEditor::addList(int id)
{
    auto* list = new QComboBox(this);
    list->setObjectName(QString("Combo%1").arg(id));
    list->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    lists_[static_cast<std::size_t>(id)] = list;
    ui::KeyRules::enterMovesFocusOn(list);
    connect(list, &QComboBox::currentIndexChanged, this, [this, id] {
        if (!filling_)
            listChanged(id);
    });
    return list;
}

QCheckBox* OptionalFeaturesEditor::addCheckBox(int n, int captionId)
{
    auto* box = new QCheckBox(ctx_.text(captionId), this);
    box->setObjectName(QString("Check%1").arg(n));
    checkBoxes_[static_cast<std::size_t>(n)] = box;
    ui::KeyRules::enterMovesFocusOn(box);
    connect(box, &QCheckBox::toggled, this, [this, n] {
        if (!filling_)
            checkBoxChanged(n);
    });
    return box;
}

void OptionalFeaturesEditor::buildControls()
{
    // General settings, in the order the focus walks through them.
    auto* general = new QGridLayout;
    int row = 0;
    auto addRow = [&](int labelId, int listId) {
        general->addWidget(newCaptionLabel(ctx_, labelId, this), row, 0);
        general->addWidget(addList(listId), row, 1);
        ++row;
    };
    addRow(16005, 4);
    addRow(16013, 12);
    addRow(16014, 13);
    addRow(16500, 14);
    addRow(16501, 15);
    addRow(16026, 38);

    auto* powerOnRow = new QHBoxLayout;
    powerOnRow->setSpacing(2);
    for (int i = 0; i < kPowerOnBoxes; ++i) {
        auto* box = new QLineEdit(this);
        box->setObjectName(QString("Text%1").arg(i));
        box->setMaxLength(1);
        box->setAlignment(Qt::AlignCenter);
        box->setFixedWidth(box->fontMetrics().horizontalAdvance('W') * 2 + 8);
        box->setVisible(i >= kFirstShownPowerOnBox);
        selectAllOnFocus(box);
        // A double-byte character fits into any box but the last.
        ui::KeyRules::filterTextBox(box, acceptPowerOnCharacter)->allowGbkText(std::min(2, kPowerOnBoxes - i));
        connect(box, &QLineEdit::textEdited, this, [this, i] { powerOnEdited(i); });
        powerOnBoxes_[static_cast<std::size_t>(i)] = box;
        if (i >= kFirstShownPowerOnBox)
            powerOnRow->addWidget(box);
    }
    powerOnRow->addStretch();
    general->addWidget(newCaptionLabel(ctx_, 16100, this), row, 0);
    general->addLayout(powerOnRow, row, 1);
    ++row;
    general->setRowStretch(row, 1);

    // Common data: the switch, then the group it governs.
    addCheckBox(kCommonDataBox, 16027);
    commonGroup_ = new QGroupBox(this);
    auto* common = new QGridLayout(commonGroup_);
    row = 0;
    auto addCommonRow = [&](int labelId, int listId) {
        auto* label = newCaptionLabel(ctx_, labelId, commonGroup_);
        common->addWidget(label, row, 0);
        common->addWidget(addList(listId), row, 1);
        ++row;
    };
    addCommonRow(15005, 29);
    addCommonRow(15006, 30);
    addCommonRow(15011, 31);
    addCommonRow(15037, 32);
    addCommonRow(15038, 33);
    addCommonRow(15013, 34);
    addCommonRow(15200, 35);
    addCommonRow(15201, 36);
    addCommonRow(15023, 40);
    auto* switches = new QGridLayout;
    for (int n = kFirstSwitchBox; n <= kLastSwitchBox; ++n)
        switches->addWidget(addCheckBox(n, 15300 + n - kFirstSwitchBox), (n - kFirstSwitchBox) / 2,
                            (n - kFirstSwitchBox) % 2);
    common->addLayout(switches, row, 0, 1, 2);
    for (int id : {29, 30, 31, 32, 33, 34, 35, 36, 40})
        lists_[static_cast<std::size_t>(id)]->setParent(commonGroup_);
    for (int n = kFirstSwitchBox; n <= kLastSwitchBox; ++n)
        checkBoxes_[static_cast<std::size_t>(n)]->setParent(commonGroup_);

    auto* right = new QVBoxLayout;
    right->addWidget(checkBoxes_[kCommonDataBox]);
    right->addWidget(commonGroup_);
    right->addStretch();

    auto* columns = new QHBoxLayout;
    columns->addLayout(general);
    columns->addSpacing(12);
    columns->addLayout(right);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(newCloseButton(ctx_, this));

    auto* outer = new QVBoxLayout(this);
    outer->addLayout(columns);
    outer->addLayout(buttons);

    // Focus order: general lists, power-on text, then the common data.
    QWidget* previous = lists_[38];
    for (int i = kFirstShownPowerOnBox; i < kPowerOnBoxes; ++i) {
        setTabOrder(previous, powerOnBoxes_[static_cast<std::size_t>(i)]);
        previous = powerOnBoxes_[static_cast<std::size_t>(i)];
    }
    setTabOrder(previous, checkBoxes_[kCommonDataBox]);
}

void OptionalFeaturesEditor::fillLists()
{
    const QString none = ctx_.text(15030);
    ui::fillList(lists_[4], QStringList{ctx_.text(16040)} + ui::numberEntries(15, 600, 15));
    ui::fillList(lists_[12], {ctx_.text(16040), ctx_.text(16041), ctx_.text(16049)});
    QStringList colours;
    for (int id = 16050; id <= 16057; ++id)
        colours << ctx_.text(id);
    ui::fillList(lists_[13], colours);
    ui::fillList(lists_[14], {ctx_.text(16058), ctx_.text(16059)});
    ui::fillList(lists_[15], ui::numberEntries(5, 60, 5));
    ui::fillList(lists_[38], {ctx_.text(16040), ctx_.text(16041)});

    QStringList tones{none};
    for (const std::string& t : commonToneTexts())
        tones << QString::fromStdString(t);
    ui::fillList(lists_[29], tones);
    ui::fillList(lists_[30], tones);
    ui::fillList(lists_[31], {none, ctx_.text(15031), ctx_.text(15032)});
    for (int id : {32, 33, 34})
        rebuildCodeList(id);
    ui::fillList(lists_[36], {ctx_.text(15031), ctx_.text(15032)});
    ui::fillList(lists_[40], {ctx_.text(15052), ctx_.text(15053)});
}

void OptionalFeaturesEditor::rebuildCodeList(int id)
{
    ui::fillList(lists_[static_cast<std::size_t>(id)],
                 QStringList{ctx_.text(14013)} + numbersAsText(definedCodeMemories(ctx_.doc().image())));
}

void OptionalFeaturesEditor::showAndStore(int id, int entry)
{
    {
        const QSignalBlocker quiet(lists_[static_cast<std::size_t>(id)]);
        ui::showListIndex(lists_[static_cast<std::size_t>(id)], entry);
    }
    listChanged(id);
}

void OptionalFeaturesEditor::showRecord()
{
    filling_ = true;
    OptFeat& opt = ctx_.doc().image().OptFeat;
    auto entryOf = [&opt](int id) {
        const OptionList& option = *findOptionList(id);
        return entryForValue(option, option.field(opt));
    };

    normaliseHiddenOptions(opt);
    showAndStore(4, entryOf(4));
    for (int id : {12, 13, 14, 15})
        showAndStore(id, entryOf(id));
    // The decode rule runs when list 29 is stored and shapes list 31.
    for (int id : {29, 30, 31})
        showAndStore(id, entryOf(id));
    for (int id : {32, 33, 34}) {
        const Int16 stored = *numberedListField(opt, id);
        QComboBox* list = lists_[static_cast<std::size_t>(id)];
        {
            const QSignalBlocker quiet(list);
            ui::showListText(list, QString::number(stored));
            if (list->currentIndex() < 0)
                list->setCurrentIndex(0);
        }
        listChanged(id);
    }
    refreshRogerBeepList();
    {
        QComboBox* squelch = lists_[36];
        const bool decoding = opt.decodeTone() != 0;
        squelch->setEnabled(decoding);
        showAndStore(36, decoding ? entryOf(36) : 0);
    }
    showAndStore(40, entryOf(40));
    showAndStore(38, entryOf(38));
    for (int n = kCommonDataBox; n <= kLastSwitchBox; ++n) {
        const Int16* field = checkBoxField(opt, n);
        QCheckBox* box = checkBoxes_[static_cast<std::size_t>(n)];
        bool changed = false;
        {
            const QSignalBlocker quiet(box);
            changed = ui::showCheck(box, *field);
        }
        if (changed)
            checkBoxChanged(n);
    }
    enableCommonData(opt.Common1[common1::CommonData] == 1);

    powerOnShown_ = powerOnCharacters(opt.PowerOnText);
    showPowerOnText();
    filling_ = false;
}

void OptionalFeaturesEditor::showPowerOnText()
{
    for (const PowerOnCell& cell : powerOnCells(powerOnShown_)) {
        const int owner = shownBox(cell);
        for (int i = cell.start; i < cell.start + cell.width; ++i) {
            QLineEdit* box = powerOnBoxes_[static_cast<std::size_t>(i)];
            box->setEnabled(i == owner);
            box->clear();
        }
        const QString shown = ui::fromGbk(std::string_view(powerOnShown_).substr(std::size_t(cell.start),
                                                                                std::size_t(cell.width)));
        QLineEdit* box = powerOnBoxes_[static_cast<std::size_t>(owner)];
        // A byte that is not GBK shows as U+FFFD; a space, like any
        // character the box refuses, as an empty box.
        if (shown == QChar(QChar::ReplacementCharacter))
            box->setText(shown);
        else
            ui::KeyRules::showStoredText(box, shown);
    }
}

void OptionalFeaturesEditor::listChanged(int id)
{
    storeControl(id);
    if (id == 29)
        applyDecodeRule();
}

void OptionalFeaturesEditor::checkBoxChanged(int n)
{
    storeControl(kCheckIdBase + n);
    if (n == kCommonDataBox)
        enableCommonData(checkBoxes_[kCommonDataBox]->isChecked());
}

void OptionalFeaturesEditor::powerOnEdited(int box)
{
    // The text as the other boxes show it: what they do not show (bytes
    // that are not GBK, characters the boxes refuse) becomes spaces.
    const std::vector<PowerOnCell> cells = powerOnCells(powerOnShown_);
    std::string bytes(std::size_t(kPowerOnBoxes), ' ');
    for (const PowerOnCell& cell : cells) {
        const QString shown = powerOnBoxes_[static_cast<std::size_t>(shownBox(cell))]->text();
        if (shownBox(cell) != box && !shown.isEmpty() && shown != QChar(QChar::ReplacementCharacter))
            bytes.replace(std::size_t(cell.start), std::size_t(cell.width), powerOnShown_, std::size_t(cell.start),
                          std::size_t(cell.width));
    }
    // The typed character's bytes replace every character they fall on.
    const std::string typed = ui::toGbk(powerOnBoxes_[static_cast<std::size_t>(box)]->text()).value_or(std::string());
    const int end = box + std::max(1, int(typed.size()));
    for (const PowerOnCell& cell : cells)
        if (cell.start < end && cell.start + cell.width > box)
            bytes.replace(std::size_t(cell.start), std::size_t(cell.width), std::size_t(cell.width), ' ');
    bytes.replace(std::size_t(box), typed.size(), typed);
    powerOnShown_ = bytes;
    showPowerOnText();

    storeControl(kPowerOnTextId);
    if (typed.empty())
        return;
    // One character per box (two for a double-byte one): go on to the box
    // after it, after the last one to the time-out timer.
    QWidget* next = end < kPowerOnBoxes ? static_cast<QWidget*>(powerOnBoxes_[static_cast<std::size_t>(end)])
                                        : static_cast<QWidget*>(lists_[4]);
    next->setFocus(Qt::TabFocusReason);
}

void OptionalFeaturesEditor::storeControl(int id)
{
    OptFeat opt = ctx_.doc().image().OptFeat;
    if (id == kPowerOnTextId) {
        // Each character keeps the bytes it takes: a box that shows nothing
        // GBK has of that width stands for spaces there.
        std::string text;
        for (const PowerOnCell& cell : powerOnCells(powerOnShown_)) {
            const auto bytes = ui::toGbk(powerOnBoxes_[static_cast<std::size_t>(shownBox(cell))]->text());
            text += (bytes && int(bytes->size()) == cell.width) ? *bytes : std::string(std::size_t(cell.width), ' ');
        }
        opt.PowerOnText.assign(text);
    } else if (id >= kCheckIdBase) {
        QCheckBox* box = checkBox(id - kCheckIdBase);
        Int16* field = checkBoxField(opt, id - kCheckIdBase);
        if (!box || !field)
            return;
        *field = box->isChecked() ? 1 : 0;
    } else {
        const QComboBox* control = list(id);
        if (!control || control->currentIndex() < 0)
            return;
        if (Int16* numbered = numberedListField(opt, id)) {
            *numbered = selectedEntryNumber(control);
        } else if (const OptionList* option = findOptionList(id)) {
            option->field(opt) = valueForEntry(*option, control->currentIndex());
        } else {
            return;
        }
    }
    ctx_.doc().image().OptFeat = opt;
}

void OptionalFeaturesEditor::applyDecodeRule()
{
    QComboBox* decode = lists_[29];
    QComboBox* squelch = lists_[36];
    QComboBox* busy = lists_[31];
    if (decode->currentIndex() == 0) {
        squelch->setEnabled(false);
        if (squelch->currentIndex() > 0)
            showAndStore(36, 0);
        if (busy->count() > 2) {
            const bool wasThird = busy->currentIndex() == 2;
            {
                const QSignalBlocker quiet(busy);
                busy->removeItem(2);
            }
            if (wasThird)
                showAndStore(31, 0);
        }
        return;
    }
    squelch->setEnabled(decode->isEnabled());
    const QSignalBlocker quiet(busy);
    if (busy->count() == 2)
        busy->addItem(ctx_.text(15032));
    else
        busy->setItemText(2, ctx_.text(15032));
}

void OptionalFeaturesEditor::enableCommonData(bool enabled)
{
    commonGroup_->setEnabled(enabled);
    for (QWidget* child : commonGroup_->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        child->setEnabled(enabled);
}

void OptionalFeaturesEditor::refreshRogerBeepList()
{
    const Int16 stored = ctx_.doc().image().OptFeat.rogerBeep();
    const QString off = ctx_.text(15030);
    const QString shown = (stored >= 1 && stored <= kToneTips) ? QString::number(stored) : off;
    QComboBox* list = lists_[35];
    ui::fillList(list, QStringList{off} + numbersAsText(definedToneTips(ctx_.doc().image())));
    {
        const QSignalBlocker quiet(list);
        ui::showListText(list, shown);
        if (list->currentIndex() < 0)
            list->setCurrentIndex(0);
    }
    storeControl(35);
}

void OptionalFeaturesEditor::refreshCodeLists()
{
    for (int id : {32, 33, 34}) {
        QComboBox* list = lists_[static_cast<std::size_t>(id)];
        const QString before = list->currentText();
        rebuildCodeList(id);
        {
            const QSignalBlocker quiet(list);
            ui::showListText(list, before);
            if (list->currentIndex() < 0)
                list->setCurrentIndex(0);
        }
        storeControl(id);
    }
}

} // namespace zav::features
