#include "dtmf_editor.h"

#include "app_context.h"
#include "dtmf_rules.h"
#include "editor_parts.h"
#include "feature_rules.h"
#include "key_rules.h"
#include "list_helpers.h"
#include "window_names.h"
#include "window_registry.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QVBoxLayout>

namespace zav::features {

namespace {

constexpr int kTextPttIdPause = 16502;      // "PTT-ID Pause (s)"
constexpr int kTextTitle = 18000;           // "DTMF"
constexpr int kTextSettingsPage = 18002;    // "DTMF Settings"
constexpr int kTextCodesPage = 18003;       // "Signalling Codes"
constexpr int kTextMemoryPage = 18004;      // "Code Memories"
constexpr int kTextDigitDuration = 18005;   // "Digit Duration (ms)"
constexpr int kTextFirstDigitTime = 18006;  // "First Digit Time (ms)"
constexpr int kTextFirstDigitDelay = 18007; // "First Digit Delay (ms)"
constexpr int kTextStarHashTone = 18008;    // "* and # Tone (ms)"
constexpr int kTextDKeySetting = 18009;     // "D-Key Setting"
constexpr int kTextCallAlert = 18011;       // "Call Alert / Auto Answer"
constexpr int kTextGroupCode = 18014;       // "Group Code"
constexpr int kTextAutoResetTime = 18015;   // "Auto Reset Time"
constexpr int kTextStunCode = 18018;        // "Stun Code"
constexpr int kTextKillCode = 18019;        // "Kill Code"
constexpr int kTextIdCode = 18022;          // "ID Code"
constexpr int kTextSidetone = 18030;        // "Sidetone"
constexpr int kTextDKeyOff = 18040;         // "Off"
constexpr int kTextNone = 18043;            // "Off"
constexpr int kTextAlert = 18044;           // "Alert"
constexpr int kTextAlertAndAnswer = 18045;  // "Alert and Answer"

constexpr int kCodeCharacters = 16;
constexpr int kIdCodeCharacters = 10;
constexpr int kCodesPage = 1; ///< the page that cannot be selected

QStringList timingListTexts(const DtmfTimingList& list)
{
    QStringList out;
    for (int ms : list.entriesMs)
        out << QString::number(ms);
    return out;
}

QChar codeBoxCharacter(QChar c) { return QChar(codeCharacter(static_cast<char>(c.unicode()))); }

QChar idCodeCharacter(QChar c) { return (c >= '0' && c <= '9') ? c : QChar(); }

/// Stores the ID code when its box loses the focus.
class FocusOutHook : public QObject {
public:
    FocusOutHook(QWidget* box, std::function<void()> onLeave) : QObject(box), onLeave_(std::move(onLeave))
    {
        box->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::FocusOut)
            onLeave_();
        return false;
    }

private:
    std::function<void()> onLeave_;
};

} // namespace

DtmfEditor::DtmfEditor(ui::AppContext& ctx, QWidget* parent) : EditorWindow(parent), ctx_(ctx)
{
    setObjectName(kDtmfEditorName);
    setWindowTitle(ctx_.text(kTextTitle));

    pages_ = new QTabWidget(this);
    pages_->addTab(buildTimingPage(), ctx_.text(kTextSettingsPage));
    pages_->addTab(buildCodesPage(), ctx_.text(kTextCodesPage));
    pages_->addTab(buildMemoryPage(), ctx_.text(kTextMemoryPage));
    pages_->setTabEnabled(kCodesPage, false);
    ui::KeyRules::enterMovesFocusOn(pages_->tabBar());

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(newCloseButton(ctx_, this));
    auto* outer = new QVBoxLayout(this);
    outer->addWidget(pages_);
    outer->addLayout(buttons);

    showRecord();
    pages_->setCurrentIndex(0);
}

QComboBox* DtmfEditor::addList(const QStringList& entries, std::function<int()> shownEntry,
                            std::function<void(int)> store)
{
    auto* list = new QComboBox(this);
    list->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    ui::fillList(list, entries);
    ui::KeyRules::enterMovesFocusOn(list);
    bindings_.push_back({list, std::move(shownEntry), store});
    connect(list, &QComboBox::currentIndexChanged, this, [this, store](int index) {
        if (!filling_ && index >= 0)
            store(index);
    });
    return list;
}

QLineEdit* DtmfEditor::addCodeBox(std::function<DtmfCode&()> code)
{
    auto* box = new QLineEdit(this);
    box->setMaxLength(kCodeCharacters);
    box->setMinimumWidth(box->fontMetrics().horizontalAdvance(QString(kCodeCharacters + 1, 'D')));
    ui::KeyRules::filterTextBox(box, codeBoxCharacter);
    codeBoxes_.emplace_back(box, code);
    connect(box, &QLineEdit::textChanged, this, [this, code](const QString& text) {
        if (!filling_)
            storeCode(code(), ui::toBytes(text));
    });
    return box;
}

QComboBox* DtmfEditor::addIndexRow(QFormLayout* form, int labelId, const QStringList& entries, Int16& field)
{
    QComboBox* list = addList(
        entries, [&field] { return static_cast<int>(field); },
        [&field](int entry) { field = static_cast<Int16>(entry); });
    form->addRow(newCaptionLabel(ctx_, labelId, this), list);
    return list;
}

QWidget* DtmfEditor::buildTimingPage()
{
    auto* page = new QWidget;
    auto* form = new QFormLayout(page);
    DtmfSettings& d = ctx_.doc().image().DtmfSettings;
    auto timing = [this, form](int labelId, const DtmfTimingList& values, Int16& field) {
        QComboBox* list = addList(
            timingListTexts(values), [&values, &field] { return timingEntry(values, field); },
            [&values, &field](int entry) { field = timingValue(values, entry); });
        form->addRow(newCaptionLabel(ctx_, labelId, this), list);
        return list;
    };
    digitRateList_ = timing(kTextDigitDuration, digitRateTimings(), d.DigitRate);
    firstDigitTimeList_ = timing(kTextFirstDigitTime, firstDigitTimeTimings(), d.FirstDigitTime);
    firstDigitDelayList_ = timing(kTextFirstDigitDelay, firstDigitDelayTimings(), d.FirstDigitDelay);
    starHashList_ = timing(kTextStarHashTone, starHashTimings(), d.StarHashTime);

    dKeyList_ = addIndexRow(form, kTextDKeySetting,
                            QStringList{ctx_.text(kTextDKeyOff)} + ui::numberEntries(1, 16, 1, "s"), d.DKeySetting);

    sidetoneBox_ = new QCheckBox(ctx_.text(kTextSidetone), this);
    ui::KeyRules::enterMovesFocusOn(sidetoneBox_);
    connect(sidetoneBox_, &QCheckBox::toggled, this, [this](bool on) {
        if (!filling_)
            ctx_.doc().image().DtmfSettings.Sidetone = on ? 1 : 0;
    });
    form->addRow(sidetoneBox_);

    Int16& pause = ctx_.doc().image().OptFeat.Common1[common1::PttIdPause];
    pttIdPauseList_ = addIndexRow(form, kTextPttIdPause,
                                  QStringList{ctx_.text(kTextFeatureOff)} + ui::numberEntries(5, 75, 5), pause);

    // The start- and end-of-transmission codes have no boxes; they are kept
    // in shape with the other codes when the window loads.
    return page;
}

QWidget* DtmfEditor::buildCodesPage()
{
    auto* page = new QWidget;
    auto* form = new QFormLayout(page);
    DtmfSettings& d = ctx_.doc().image().DtmfSettings;
    const QString none = ctx_.text(kTextNone);
    callAlertList_ =
        addIndexRow(form, kTextCallAlert, {none, ctx_.text(kTextAlert), ctx_.text(kTextAlertAndAnswer)}, d.CallAlert);
    groupCodeList_ = addIndexRow(form, kTextGroupCode, {none, "A", "B", "C", "D", "*", "#"}, d.GroupCode);
    autoResetList_ =
        addIndexRow(form, kTextAutoResetTime, QStringList{none} + ui::numberEntries(1, 15, 1, "s"), d.AutoResetTime);

    ui::AppContext& ctx = ctx_;
    stunCodeBox_ = addCodeBox([&ctx]() -> DtmfCode& { return ctx.doc().image().DtmfSettings.StunCode; });
    form->addRow(newCaptionLabel(ctx_, kTextStunCode, this), stunCodeBox_);
    killCodeBox_ = addCodeBox([&ctx]() -> DtmfCode& { return ctx.doc().image().DtmfSettings.KillCode; });
    form->addRow(newCaptionLabel(ctx_, kTextKillCode, this), killCodeBox_);

    idCodeBox_ = new QLineEdit(this);
    idCodeBox_->setMaxLength(kIdCodeCharacters);
    selectAllOnFocus(idCodeBox_);
    auto* keys = ui::KeyRules::filterTextBox(idCodeBox_, idCodeCharacter);
    keys->onEnter = [this] {
        storeIdCode();
        focusNext(idCodeBox_);
    };
    idCodeFocusOutHook_ = new FocusOutHook(idCodeBox_, [this] { storeIdCode(); });
    form->addRow(newCaptionLabel(ctx_, kTextIdCode, this), idCodeBox_);
    return page;
}

QWidget* DtmfEditor::buildMemoryPage()
{
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    constexpr int kRows = kCodeMemories / 2;
    for (int n = 1; n <= kCodeMemories; ++n) {
        ui::AppContext& ctx = ctx_;
        QLineEdit* box = addCodeBox([&ctx, n]() -> DtmfCode& {
            return ctx.doc().image().DtmfSettings.CodeMemories[static_cast<std::size_t>(n - 1)];
        });
        box->setObjectName(QString("Text%1").arg(n - 1));
        // Emptying a memory also resets every reference to it.
        connect(box, &QLineEdit::textChanged, this, [this, n] {
            if (!filling_)
                memoryChanged(n);
        });
        memoryBoxes_[static_cast<std::size_t>(n - 1)] = box;
        const int row = (n - 1) % kRows;
        const int column = (n - 1) / kRows * 2;
        grid->addWidget(new QLabel(QString("M%1").arg(n), page), row, column);
        grid->addWidget(box, row, column + 1);
    }
    return page;
}

void DtmfEditor::showRecord()
{
    filling_ = true;
    for (const ListBinding& b : bindings_) {
        ui::showListIndex(b.list, b.shownEntry());
        if (b.list->currentIndex() >= 0)
            b.store(b.list->currentIndex());
    }
    DtmfSettings& d = ctx_.doc().image().DtmfSettings;
    if (ui::showCheck(sidetoneBox_, d.Sidetone))
        d.Sidetone = sidetoneBox_->isChecked() ? 1 : 0;
    showIdCode(ui::fromBytes(shownIdCode(d)));

    // A code that shows something is stored back in its cleaned form; one
    // that shows nothing (length 0, or a length beyond 16) is kept as it is.
    // The boxes leave out what their keys would refuse (spaces, NULs), but
    // what is stored back is the code itself: it changes only when edited.
    for (DtmfCode* hidden : {&d.PttIdBot, &d.PttIdEot}) {
        const std::string shown = shownCode(*hidden);
        if (!shown.empty())
            storeCode(*hidden, shown);
    }
    std::array<bool, kCodeMemories> memoryStoredBack{};
    for (auto& [box, code] : codeBoxes_) {
        const std::string shown = shownCode(code());
        ui::KeyRules::showStoredText(box, ui::fromBytes(shown));
        if (!shown.empty()) {
            storeCode(code(), shown);
            for (int n = 1; n <= kCodeMemories; ++n)
                if (box == memoryBox(n))
                    memoryStoredBack[static_cast<std::size_t>(n - 1)] = true;
        }
    }
    filling_ = false;
    // A memory that held only spaces is empty once stored back.
    for (int n = 1; n <= kCodeMemories; ++n)
        if (memoryStoredBack[static_cast<std::size_t>(n - 1)] && !isCodeMemoryDefined(ctx_.doc().image(), n))
            memoryChanged(n);
}

void DtmfEditor::memoryChanged(int n)
{
    if (!isCodeMemoryDefined(ctx_.doc().image(), n))
        clearCodeMemoryReferences(ctx_.doc(), n);
    for (const QString& name : {kDetailEditorName, kOptionalFeaturesName})
        if (ui::EditorWindow* editor = ui::findEditor(ctx_.area, name))
            editor->refreshCodeLists();
}

void DtmfEditor::showIdCode(const QString& stored)
{
    if (idCodeBox_->text() != stored)
        ui::KeyRules::showStoredText(idCodeBox_, stored);
    idCodeShown_ = idCodeBox_->text();
}

void DtmfEditor::storeIdCode()
{
    // A box nobody typed into stores nothing: an ID code of NULs, shown
    // empty, stays as the radio has it instead of becoming "000".
    if (idCodeBox_->text() == idCodeShown_)
        return;
    storeTypedIdCode(ctx_.doc().image().DtmfSettings, ui::toBytes(idCodeBox_->text()));
    showIdCode(ui::fromBytes(shownIdCode(ctx_.doc().image().DtmfSettings)));
}

void DtmfEditor::commitPendingEdit() { storeIdCode(); }

DtmfEditor::~DtmfEditor()
{
    // Focus leaves the ID box while the window's widgets are torn down; the
    // window can no longer store anything then.
    delete idCodeFocusOutHook_;
}

} // namespace zav::features
