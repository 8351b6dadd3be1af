#pragma once

// The main window's menu actions, menus and tree nodes, named by enum: code
// reaches an action through its enum, so that a misspelt name cannot wait
// until run time. Each has one row in main_window_layout.cpp with the object
// name tests and the window tour find it by, its text id and what it runs.

#include <cstddef>

namespace zav {

enum class MenuAction {
    FileNew, FileOpen, FileOpenBackup, FileSave, FileSaveAs, FileExit,
    ModelInfo, ModeCountry, ModeExtended,
    ChannelTable, OptionalFeatures, ToneTips, Dtmf, EmbeddedMessages, RadioInfo,
    ReadFromRadio, WriteToRadio, CompareRadio, WriteMany, CheckConfig, ProgramLog, Password,
    Port, Language, BackupSettings, WireTrace, Initialize,
    TreeView, ViewToolbar, ViewStatusBar,
    WindowCascade, CloseAll,
    HelpManual, HelpShortcuts, HelpReport, HelpAbout,
};
inline constexpr std::size_t kMenuActionCount = static_cast<std::size_t>(MenuAction::HelpAbout) + 1;

enum class MainMenu { File, Model, Mode, Edit, Program, Settings, View, Window, Help };
inline constexpr std::size_t kMainMenuCount = static_cast<std::size_t>(MainMenu::Help) + 1;

/// The nodes below the tree's root, in the order they show.
enum class TreeNode { ChannelTable, OptionalFeatures, Dtmf, ToneTips, EmbeddedMessages, RadioInfo };

} // namespace zav
