#include "tone_tips_editor.h"

#include "app_context.h"
#include "editor_parts.h"
#include "feature_rules.h"
#include "key_rules.h"
#include "list_helpers.h"
#include "tone_diagram.h"
#include "tone_player.h"
#include "tone_tip_rules.h"
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

QStringList FrequencyEntries(const QString& pause)
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
    setObjectName("FrmToneTips");
    setWindowTitle(ctx_.text(29000));
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
        tabs_->addTab(ctx_.text(29001) + ' ' + QString::number(t));
    ui::KeyRules::EnterMovesOn(tabs_);
    connect(tabs_, &QTabBar::currentChanged, this, [this] { showToneTip(); });

    auto newList = [this](const QStringList& entries) {
        auto* list = new QComboBox(this);
        list->setSizeAdjustPolicy(QComboBox::AdjustToContents);
        list->setMaxVisibleItems(20);
        ui::FillList(list, entries);
        ui::KeyRules::EnterMovesOn(list);
        return list;
    };
    const QStringList times = ui::NumberEntries(0, 2550, 10);

    repeat_ = newList(QStringList{ctx_.text(29200)} + ui::NumberEntries(1, 10));
    connect(repeat_, &QComboBox::currentIndexChanged, this, [this] {
        if (!filling_)
            storeRepeat();
    });
    interval_ = newList(times);
    connect(interval_, &QComboBox::currentIndexChanged, this, [this] {
        if (!filling_)
            storeInterval();
    });
    auto* header = new QHBoxLayout;
    header->addWidget(CaptionLabel(ctx_, 29002, this));
    header->addWidget(repeat_);
    header->addSpacing(16);
    header->addWidget(CaptionLabel(ctx_, 29003, this));
    header->addWidget(interval_);
    header->addStretch();

    auto* notes = new QGridLayout;
    notes->addWidget(CaptionLabel(ctx_, 29004, this), 0, 1);
    notes->addWidget(CaptionLabel(ctx_, 29005, this), 0, 2);
    const QStringList frequencies = FrequencyEntries(ctx_.text(29201));
    for (int note = 1; note <= kToneTipNotes; ++note) {
        auto* frequency = newList(frequencies);
        auto* length = newList(times);
        frequency_[static_cast<std::size_t>(note - 1)] = frequency;
        length_[static_cast<std::size_t>(note - 1)] = length;
        connect(frequency, &QComboBox::currentIndexChanged, this, [this, note] {
            if (!filling_)
                storeFrequency(note);
        });
        connect(length, &QComboBox::currentIndexChanged, this, [this, note] {
            if (!filling_)
                storeLength(note);
        });
        notes->addWidget(CaptionLabel(ctx_, 29100 + note - 1, this), note, 0);
        notes->addWidget(frequency, note, 1);
        notes->addWidget(length, note, 2);
    }

    diagram_ = new ToneDiagram(this);
    play_ = new QPushButton(ctx_.text(29006), this);
    stop_ = new QPushButton(ctx_.text(29007), this);
    connect(play_, &QPushButton::clicked, this, &ToneTipsEditor::play);
    connect(stop_, &QPushButton::clicked, player_, &ToneTipPlayer::stop);

    auto* right = new QVBoxLayout;
    right->addWidget(diagram_, 1);
    auto* playRow = new QHBoxLayout;
    playRow->addWidget(play_);
    playRow->addWidget(stop_);
    playRow->addStretch();
    right->addLayout(playRow);

    auto* body = new QHBoxLayout;
    body->addLayout(notes);
    body->addSpacing(12);
    body->addLayout(right, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(CloseButton(ctx_, this));

    auto* outer = new QVBoxLayout(this);
    outer->addWidget(tabs_);
    outer->addLayout(header);
    outer->addLayout(body, 1);
    outer->addLayout(buttons);
}

int ToneTipsEditor::selectedToneTip() const { return tabs_->currentIndex() + 1; }

ToneTip& ToneTipsEditor::tip()
{
    const int t = std::clamp(selectedToneTip(), 1, kToneTips);
    return ctx_.doc().image().ToneTips[static_cast<std::size_t>(t - 1)];
}

void ToneTipsEditor::showToneTip()
{
    ToneTip& t = tip();
    diagram_->setToneTip(&t);
    // A list whose selection changes while it is shown stores itself, and so
    // does one whose field holds a value that has no entry.
    auto show = [](QComboBox* list, int entry, auto entryValue, int stored, auto store) {
        bool changed = false;
        {
            const QSignalBlocker quiet(list);
            changed = ui::ShowListIndex(list, entry);
        }
        if (changed || entryValue(list->currentIndex()) != stored)
            store();
    };
    auto index = [](int entry) { return entry; };

    filling_ = true;
    checkPending_ = false;
    show(repeat_, t.tipRepeatCount(), index, t.tipRepeatCount(), [this] { storeRepeat(); });
    show(interval_, t.tipInterval(), index, t.tipInterval(), [this] { storeInterval(); });
    for (int note = 1; note <= kToneTipNotes; ++note) {
        show(frequencyList(note), frequencyEntry(t.noteFrequency(note)), [](int e) { return frequencyValue(e); },
             t.noteFrequency(note), [this, note] { storeFrequency(note); });
        show(lengthList(note), t.noteDuration(note), index, t.noteDuration(note),
             [this, note] { storeLength(note); });
    }
    filling_ = false;
    if (checkPending_)
        checkReferences();
    diagram_->update();
}

void ToneTipsEditor::storeRepeat()
{
    ui::ReadListIndex(repeat_, tip().tipRepeatCount());
    checkReferences();
}

void ToneTipsEditor::storeInterval() { ui::ReadListIndex(interval_, tip().tipInterval()); }

void ToneTipsEditor::storeFrequency(int note)
{
    const int entry = frequencyList(note)->currentIndex();
    if (entry < 0)
        return;
    tip().noteFrequency(note) = frequencyValue(entry);
    diagram_->update();
}

void ToneTipsEditor::storeLength(int note)
{
    ui::ReadListIndex(lengthList(note), tip().noteDuration(note));
    diagram_->update();
    checkReferences();
}

void ToneTipsEditor::checkReferences()
{
    if (filling_) {
        checkPending_ = true;
        return;
    }
    clearUndefinedRogerBeeps(ctx_.doc());
    for (const char* name : {"FrmOptFeatures", "FrmCHInfoEdit"})
        if (ui::EditorWindow* editor = ui::FindEditor(ctx_.area, name))
            editor->refreshRogerBeep();
}

void ToneTipsEditor::play()
{
    if (player_->isPlaying())
        return;
    if (player_->play(playbackSteps(tip())))
        play_->setEnabled(false);
}

void ToneTipsEditor::playbackEnded() { play_->setEnabled(true); }

void ToneTipsEditor::closeEvent(QCloseEvent* event)
{
    player_->stop();
    EditorWindow::closeEvent(event);
}

} // namespace zav::features
