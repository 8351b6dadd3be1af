#include "optional_features_editor.h"

#include "app_context.h"
#include "codecs.h"
#include "common_text_ids.h"
#include "editor_parts.h"
#include "feature_rules.h"
#include "gbk_qt.h"
#include "gbk_text.h"
#include "key_rules.h"
#include "list_helpers.h"
#include "numbers.h"
#include "optional_feature_rules.h"
#include "window_names.h"

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

constexpr int kTextBusyOff = 15030;         // "Off"
constexpr int kTextCarrier = 15031;         // "Carrier"
constexpr int kTextCtcssDcs = 15032;        // "CTCSS/DCS"
constexpr int kTextTsqOff = 15052;          // "Off"
constexpr int kTextTsqOn = 15053;           // "On"
constexpr int kTextTitle = 16000;           // "Optional Features"
constexpr int kTextOn = 16041;              // "On"
constexpr int kTextAuto = 16049;            // "Auto"
constexpr int kTextBacklightRed = 16050;    // the colours follow in the list's order
constexpr int kTextBacklightOrange = 16057; // the last colour
constexpr int kTextTimeOperated = 16058;    // "Time Operated (TO)"
constexpr int kTextCarrierOperated = 16059; // "Carrier Operated (CO)"
constexpr int kTextPowerOnText = 16100;     // "Power-on Text"

using enum OptionalFeature;

/// The lists of the code memories: they show the defined ones.
constexpr std::array kCodeLists{BotCode, EotCode, CallCode};
/// The switches inside the common-data group, in the order they are laid out.
constexpr std::array kCommonSwitches{RxExpander, TxCompressor, NoiseBlanker, Attenuator, HighCut};

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
    setObjectName(kOptionalFeaturesName);
    setWindowTitle(ctx_.text(kTextTitle));
    buildControls();
    fillLists();
    showRecord();
}

QComboBox* OptionalFeaturesEditor::list(OptionalFeature feature) const
{
    const auto found = lists_.find(feature);
    return found != lists_.end() ? found->second : nullptr;
}

QCheckBox* OptionalFeaturesEditor::checkBox(OptionalFeature feature) const
{
    const auto found = checkBoxes_.find(feature);
    return found != checkBoxes_.end() ? found->second : nullptr;
}

QComboBox* OptionalFeaturesEditor::addList(OptionalFeature feature)
{
    auto* list = new QComboBox(this);
    list->setObjectName(QString("Combo%1").arg(featureRule(feature).number));
    list->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    lists_[feature] = list;
    ui::KeyRules::enterMovesFocusOn(list);
    connect(list, &QComboBox::currentIndexChanged, this, [this, feature] {
        if (!filling_)
            listChanged(feature);
    });
    return list;
}

QCheckBox* OptionalFeaturesEditor::addCheckBox(OptionalFeature feature)
{
    const FeatureRule& rule = featureRule(feature);
    auto* box = new QCheckBox(ctx_.text(rule.captionId), this);
    box->setObjectName(QString("Check%1").arg(rule.number));
    checkBoxes_[feature] = box;
    ui::KeyRules::enterMovesFocusOn(box);
    connect(box, &QCheckBox::toggled, this, [this, feature] {
        if (!filling_)
            checkBoxChanged(feature);
    });
    return box;
}

void OptionalFeaturesEditor::buildControls()
{
    // General settings, in the order the focus walks through them.
    auto* general = new QGridLayout;
    int row = 0;
    for (OptionalFeature feature : {TotTime, DisplayMode, BacklightColour, ScanMode, ScanResumeTime, KeyBeep}) {
        general->addWidget(newCaptionLabel(ctx_, featureRule(feature).captionId, this), row, 0);
        general->addWidget(addList(feature), row, 1);
        ++row;
    }

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
    general->addWidget(newCaptionLabel(ctx_, kTextPowerOnText, this), row, 0);
    general->addLayout(powerOnRow, row, 1);
    ++row;
    general->setRowStretch(row, 1);

    // Common data: the switch, then the group it governs.
    QCheckBox* commonData = addCheckBox(CommonData);
    commonGroup_ = new QGroupBox(this);
    auto* common = new QGridLayout(commonGroup_);
    row = 0;
    for (OptionalFeature feature :
         {DecodeTone, EncodeTone, BusyLockout, BotCode, EotCode, CallCode, RogerBeep, SquelchMode, TsqMode}) {
        auto* label = newCaptionLabel(ctx_, featureRule(feature).captionId, commonGroup_);
        common->addWidget(label, row, 0);
        QComboBox* list = addList(feature);
        list->setParent(commonGroup_);
        common->addWidget(list, row, 1);
        ++row;
    }
    auto* switches = new QGridLayout;
    for (std::size_t i = 0; i < kCommonSwitches.size(); ++i) {
        QCheckBox* box = addCheckBox(kCommonSwitches[i]);
        box->setParent(commonGroup_);
        switches->addWidget(box, int(i / 2), int(i % 2));
    }
    common->addLayout(switches, row, 0, 1, 2);

    auto* right = new QVBoxLayout;
    right->addWidget(commonData);
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
    QWidget* previous = list(KeyBeep);
    for (int i = kFirstShownPowerOnBox; i < kPowerOnBoxes; ++i) {
        setTabOrder(previous, powerOnBoxes_[static_cast<std::size_t>(i)]);
        previous = powerOnBoxes_[static_cast<std::size_t>(i)];
    }
    setTabOrder(previous, commonData);
}

void OptionalFeaturesEditor::fillLists()
{
    const QString none = ctx_.text(kTextBusyOff);
    ui::fillList(list(TotTime), QStringList{ctx_.text(kTextFeatureOff)} + ui::numberEntries(15, 600, 15));
    ui::fillList(list(DisplayMode), {ctx_.text(kTextFeatureOff), ctx_.text(kTextOn), ctx_.text(kTextAuto)});
    QStringList colours;
    for (int id = kTextBacklightRed; id <= kTextBacklightOrange; ++id)
        colours << ctx_.text(id);
    ui::fillList(list(BacklightColour), colours);
    ui::fillList(list(ScanMode), {ctx_.text(kTextTimeOperated), ctx_.text(kTextCarrierOperated)});
    ui::fillList(list(ScanResumeTime), ui::numberEntries(5, 60, 5));
    ui::fillList(list(KeyBeep), {ctx_.text(kTextFeatureOff), ctx_.text(kTextOn)});

    QStringList tones{none};
    for (const std::string& t : commonToneTexts())
        tones << QString::fromStdString(t);
    ui::fillList(list(DecodeTone), tones);
    ui::fillList(list(EncodeTone), tones);
    ui::fillList(list(BusyLockout), {none, ctx_.text(kTextCarrier), ctx_.text(kTextCtcssDcs)});
    for (OptionalFeature code : kCodeLists)
        rebuildCodeList(code);
    ui::fillList(list(SquelchMode), {ctx_.text(kTextCarrier), ctx_.text(kTextCtcssDcs)});
    ui::fillList(list(TsqMode), {ctx_.text(kTextTsqOff), ctx_.text(kTextTsqOn)});
}

void OptionalFeaturesEditor::rebuildCodeList(OptionalFeature feature)
{
    ui::fillList(list(feature),
                 QStringList{ctx_.text(textid::kTextCodeOff)} + numbersAsText(definedCodeMemories(ctx_.doc().image())));
}

void OptionalFeaturesEditor::showAndStore(OptionalFeature feature, int entry)
{
    {
        const QSignalBlocker quiet(list(feature));
        ui::showListIndex(list(feature), entry);
    }
    listChanged(feature);
}

void OptionalFeaturesEditor::showRecord()
{
    filling_ = true;
    OptFeat& opt = ctx_.doc().image().OptFeat;
    auto entryOf = [&opt](OptionalFeature feature) {
        return entryForValue(featureRule(feature), opt.feature(feature));
    };

    normaliseHiddenOptions(opt);
    for (OptionalFeature feature : {TotTime, DisplayMode, BacklightColour, ScanMode, ScanResumeTime})
        showAndStore(feature, entryOf(feature));
    // The decode rule runs when the decode tone is stored and shapes the
    // busy-lockout list.
    for (OptionalFeature feature : {DecodeTone, EncodeTone, BusyLockout})
        showAndStore(feature, entryOf(feature));
    for (OptionalFeature code : kCodeLists) {
        QComboBox* codeList = list(code);
        {
            const QSignalBlocker quiet(codeList);
            ui::showListText(codeList, QString::number(opt.feature(code)));
            if (codeList->currentIndex() < 0)
                codeList->setCurrentIndex(0);
        }
        listChanged(code);
    }
    refreshRogerBeepList();
    {
        const bool decoding = opt.decodeTone() != 0;
        list(SquelchMode)->setEnabled(decoding);
        showAndStore(SquelchMode, decoding ? entryOf(SquelchMode) : 0);
    }
    showAndStore(TsqMode, entryOf(TsqMode));
    showAndStore(KeyBeep, entryOf(KeyBeep));
    for (OptionalFeature feature : {CommonData, RxExpander, TxCompressor, NoiseBlanker, Attenuator, HighCut}) {
        QCheckBox* box = checkBox(feature);
        bool changed = false;
        {
            const QSignalBlocker quiet(box);
            changed = ui::showCheck(box, opt.feature(feature));
        }
        if (changed)
            checkBoxChanged(feature);
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

void OptionalFeaturesEditor::listChanged(OptionalFeature feature)
{
    storeFeature(feature);
    if (feature == DecodeTone)
        applyDecodeRule();
}

void OptionalFeaturesEditor::checkBoxChanged(OptionalFeature feature)
{
    storeFeature(feature);
    if (feature == CommonData)
        enableCommonData(checkBox(CommonData)->isChecked());
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

    storePowerOnText();
    if (typed.empty())
        return;
    // One character per box (two for a double-byte one): go on to the box
    // after it, after the last one to the time-out timer.
    QWidget* next = end < kPowerOnBoxes ? static_cast<QWidget*>(powerOnBoxes_[static_cast<std::size_t>(end)])
                                        : static_cast<QWidget*>(list(TotTime));
    next->setFocus(Qt::TabFocusReason);
}

void OptionalFeaturesEditor::storePowerOnText()
{
    // Each character keeps the bytes it takes: a box that shows nothing
    // GBK has of that width stands for spaces there.
    std::string text;
    for (const PowerOnCell& cell : powerOnCells(powerOnShown_)) {
        const auto bytes = ui::toGbk(powerOnBoxes_[static_cast<std::size_t>(shownBox(cell))]->text());
        text += (bytes && int(bytes->size()) == cell.width) ? *bytes : std::string(std::size_t(cell.width), ' ');
    }
    ctx_.doc().image().OptFeat.PowerOnText.assign(text);
}

void OptionalFeaturesEditor::storeFeature(OptionalFeature feature)
{
    const FeatureRule& rule = featureRule(feature);
    Int16& field = ctx_.doc().image().OptFeat.feature(feature);
    if (rule.control == FeatureControl::CheckBox) {
        if (const QCheckBox* box = checkBox(feature))
            field = box->isChecked() ? 1 : 0;
        return;
    }
    const QComboBox* control = list(feature);
    if (!control || control->currentIndex() < 0)
        return;
    field = rule.control == FeatureControl::NumberedList ? selectedEntryNumber(control)
                                                         : valueForEntry(rule, control->currentIndex());
}

void OptionalFeaturesEditor::applyDecodeRule()
{
    QComboBox* decode = list(DecodeTone);
    QComboBox* squelch = list(SquelchMode);
    QComboBox* busy = list(BusyLockout);
    if (decode->currentIndex() == 0) {
        squelch->setEnabled(false);
        if (squelch->currentIndex() > 0)
            showAndStore(SquelchMode, 0);
        if (busy->count() > 2) {
            const bool wasThird = busy->currentIndex() == 2;
            {
                const QSignalBlocker quiet(busy);
                busy->removeItem(2);
            }
            if (wasThird)
                showAndStore(BusyLockout, 0);
        }
        return;
    }
    squelch->setEnabled(decode->isEnabled());
    const QSignalBlocker quiet(busy);
    if (busy->count() == 2)
        busy->addItem(ctx_.text(kTextCtcssDcs));
    else
        busy->setItemText(2, ctx_.text(kTextCtcssDcs));
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
    const QString off = ctx_.text(kTextBusyOff);
    const QString shown = (stored >= 1 && stored <= kToneTips) ? QString::number(stored) : off;
    QComboBox* beeps = list(RogerBeep);
    ui::fillList(beeps, QStringList{off} + numbersAsText(definedToneTips(ctx_.doc().image())));
    {
        const QSignalBlocker quiet(beeps);
        ui::showListText(beeps, shown);
        if (beeps->currentIndex() < 0)
            beeps->setCurrentIndex(0);
    }
    storeFeature(RogerBeep);
}

void OptionalFeaturesEditor::refreshCodeLists()
{
    for (OptionalFeature code : kCodeLists) {
        QComboBox* codeList = list(code);
        const QString before = codeList->currentText();
        rebuildCodeList(code);
        {
            const QSignalBlocker quiet(codeList);
            ui::showListText(codeList, before);
            if (codeList->currentIndex() < 0)
                codeList->setCurrentIndex(0);
        }
        storeFeature(code);
    }
}

} // namespace zav::features
