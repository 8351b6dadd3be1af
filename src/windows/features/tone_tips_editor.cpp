#include "tone_tips_editor.h"

#include "app_context.h"
#include "editor_parts.h"
#include "feature_rules.h"
#include "key_rules.h"
#include "list_helpers.h"
#include "tone_diagram.h"
#include "tone_player.h"
#include "tone_tip_rules.h"
#include "window_names.h"
#include "window_registry.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabBar>
#include <QVBoxLayout>

#include <algorithm>

namespace zav::features {

namespace {

constexpr int kTextTitle = 29000;       // "Tone Tips"
constexpr int kTextTone = 29001;        // "Tone"
constexpr int kTextRepeatCount = 29002; // "Repeat Count"
constexpr int kTextInterval = 29003;    // "Interval (ms)"
constexpr int kTextFrequency = 29004;   // "Frequency (Hz)"
constexpr int kTextLength = 29005;      // "Length (ms)"
constexpr int kTextPlay = 29006;        // "Play"
constexpr int kTextStop = 29007;        // "Stop"
constexpr int kTextFirstNote = 29100;   // "Note 1"
constexpr int kTextRepeatOff = 29200;   // "Off"
constexpr int kTextPause = 29201;       // "Pause"

QStringList frequencyListTexts(const QString& pause)
{
    QStringList out{pause};
    for (int entry = 1; entry < kFrequencyEntries; ++entry)
        out << QString::number(frequencyEntryHz(entry));
    return out;
}

} // namespace

ToneTipsEditor::ToneTipsEditor(ui::AppContext& ctx, QWidget* parent)
    : EditorWindow(parent), ctx_(ctx), player_(new ToneTipPlayer(this))
{
    setObjectName(kToneTipsName);
    setWindowTitle(ctx_.text(kTextTitle));
    buildControls();
    connect(player_, &ToneTipPlayer::finished, this, &ToneTipsEditor::playbackEnded);
    showToneTip();
}

ToneTipsEditor::~ToneTipsEditor()
{
    // A note that is sounding ends on its own; the player goes after it.
    if (player_->isPlaying())
        player_->finishAndDelete();
}

void ToneTipsEditor::buildControls()
{
    tabs_ = new QTabBar(this);
    for (int t = 1; t <= kToneTips; ++t)
        tabs_->addTab(ctx_.text(kTextTone) + ' ' + QString::number(t));
    ui::KeyRules::enterMovesFocusOn(tabs_);
    connect(tabs_, &QTabBar::currentChanged, this, [this] { showToneTip(); });

    auto newList = [this](const QStringList& entries) {
        auto* list = new QComboBox(this);
        list->setSizeAdjustPolicy(QComboBox::AdjustToContents);
        list->setMaxVisibleItems(20);
        ui::fillList(list, entries);
        ui::KeyRules::enterMovesFocusOn(list);
        return list;
    };
    const QStringList times = ui::numberEntries(0, 2550, 10);

    repeatList_ = newList(QStringList{ctx_.text(kTextRepeatOff)} + ui::numberEntries(1, 10));
    connect(repeatList_, &QComboBox::currentIndexChanged, this, [this] {
        if (!filling_)
            storeRepeat();
    });
    intervalList_ = newList(times);
    connect(intervalList_, &QComboBox::currentIndexChanged, this, [this] {
        if (!filling_)
            storeInterval();
    });
    auto* header = new QHBoxLayout;
    header->addWidget(newCaptionLabel(ctx_, kTextRepeatCount, this));
    header->addWidget(repeatList_);
    header->addSpacing(16);
    header->addWidget(newCaptionLabel(ctx_, kTextInterval, this));
    header->addWidget(intervalList_);
    header->addStretch();

    auto* notes = new QGridLayout;
    notes->addWidget(newCaptionLabel(ctx_, kTextFrequency, this), 0, 1);
    notes->addWidget(newCaptionLabel(ctx_, kTextLength, this), 0, 2);
    const QStringList frequencies = frequencyListTexts(ctx_.text(kTextPause));
    for (int note = 1; note <= kToneTipNotes; ++note) {
        auto* frequency = newList(frequencies);
        auto* length = newList(times);
        frequencyLists_[static_cast<std::size_t>(note - 1)] = frequency;
        lengthLists_[static_cast<std::size_t>(note - 1)] = length;
        connect(frequency, &QComboBox::currentIndexChanged, this, [this, note] {
            if (!filling_)
                storeFrequency(note);
        });
        connect(length, &QComboBox::currentIndexChanged, this, [this, note] {
            if (!filling_)
                storeLength(note);
        });
        notes->addWidget(newCaptionLabel(ctx_, kTextFirstNote + note - 1, this), note, 0);
        notes->addWidget(frequency, note, 1);
        notes->addWidget(length, note, 2);
    }

    diagram_ = new ToneDiagram(this);
    playButton_ = new QPushButton(ctx_.text(kTextPlay), this);
    stopButton_ = new QPushButton(ctx_.text(kTextStop), this);
    connect(playButton_, &QPushButton::clicked, this, &ToneTipsEditor::playSelectedTip);
    connect(stopButton_, &QPushButton::clicked, player_, &ToneTipPlayer::stop);

    auto* right = new QVBoxLayout;
    right->addWidget(diagram_, 1);
    auto* playRow = new QHBoxLayout;
    playRow->addWidget(playButton_);
    playRow->addWidget(stopButton_);
    playRow->addStretch();
    right->addLayout(playRow);

    auto* body = new QHBoxLayout;
    body->addLayout(notes);
    body->addSpacing(12);
    body->addLayout(right, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(newCloseButton(ctx_, this));

    auto* outer = new QVBoxLayout(this);
    outer->addWidget(tabs_);
    outer->addLayout(header);
    outer->addLayout(body, 1);
    outer->addLayout(buttons);
}

int ToneTipsEditor::selectedToneTip() const { return tabs_->currentIndex() + 1; }

ToneTip& ToneTipsEditor::selectedTip()
{
    const int t = std::clamp(selectedToneTip(), 1, kToneTips);
    return ctx_.doc().image().ToneTips[static_cast<std::size_t>(t - 1)];
}

void ToneTipsEditor::showToneTip()
{
    ToneTip& t = selectedTip();
    diagram_->setToneTip(&t);
    // A list whose selection changes while it is shown stores itself, and so
    // does one whose field holds a value that has no entry.
    auto show = [](QComboBox* list, int entry, auto entryValue, int stored, auto store) {
        bool changed = false;
        {
            const QSignalBlocker quiet(list);
            changed = ui::showListIndex(list, entry);
        }
        if (changed || entryValue(list->currentIndex()) != stored)
            store();
    };
    auto index = [](int entry) { return entry; };

    filling_ = true;
    referenceCheckPending_ = false;
    show(repeatList_, t.tipRepeatCount(), index, t.tipRepeatCount(), [this] { storeRepeat(); });
    show(intervalList_, t.tipInterval(), index, t.tipInterval(), [this] { storeInterval(); });
    for (int note = 1; note <= kToneTipNotes; ++note) {
        show(frequencyList(note), frequencyEntry(t.noteFrequency(note)), [](int e) { return frequencyValue(e); },
             t.noteFrequency(note), [this, note] { storeFrequency(note); });
        show(lengthList(note), t.noteDuration(note), index, t.noteDuration(note),
             [this, note] { storeLength(note); });
    }
    filling_ = false;
    if (referenceCheckPending_)
        recheckRogerBeepReferences();
    diagram_->update();
}

void ToneTipsEditor::storeRepeat()
{
    ui::readListIndex(repeatList_, selectedTip().tipRepeatCount());
    recheckRogerBeepReferences();
}

void ToneTipsEditor::storeInterval() { ui::readListIndex(intervalList_, selectedTip().tipInterval()); }

void ToneTipsEditor::storeFrequency(int note)
{
    const int entry = frequencyList(note)->currentIndex();
    if (entry < 0)
        return;
    selectedTip().noteFrequency(note) = frequencyValue(entry);
    diagram_->update();
}

void ToneTipsEditor::storeLength(int note)
{
    ui::readListIndex(lengthList(note), selectedTip().noteDuration(note));
    diagram_->update();
    recheckRogerBeepReferences();
}

void ToneTipsEditor::recheckRogerBeepReferences()
{
    if (filling_) {
        referenceCheckPending_ = true;
        return;
    }
    clearUndefinedRogerBeeps(ctx_.doc());
    for (const QString& name : {kOptionalFeaturesName, kDetailEditorName})
        if (ui::EditorWindow* editor = ui::findEditor(ctx_.area, name))
            editor->refreshRogerBeep();
}

void ToneTipsEditor::playSelectedTip()
{
    if (player_->isPlaying())
        return;
    if (player_->play(playbackSteps(selectedTip())))
        playButton_->setEnabled(false);
}

void ToneTipsEditor::playbackEnded() { playButton_->setEnabled(true); }

void ToneTipsEditor::closeEvent(QCloseEvent* event)
{
    player_->stop();
    EditorWindow::closeEvent(event);
}

} // namespace zav::features
