#pragma once

// Text ids of the words many windows share: the program's title, the
// question before unsaved data is dropped, the plain button words, the
// lists' "Off", and the button words with their keyboard accelerators
// ("&OK", "确定(&O)"). The message boxes, the dialogs and the programs all
// look them up by these names, so that one word keeps one id wherever it
// is shown.

namespace zav::textid {

inline constexpr int kTextProgramTitle = 12000; // "ZAV415 Programming Software"
/// "The data has been modified. Save the changes?"
inline constexpr int kTextSaveChanges = 9006;

inline constexpr int kTextOk = 9017;     // "OK"
inline constexpr int kTextCancel = 9018; // "Cancel"
inline constexpr int kTextClose = 9023;  // "Close": the editors' button
/// "Close" of the configuration check, fleet and programming log windows.
inline constexpr int kTextCloseToolWindow = 32861;
/// "Off": entry 0 of the tone lists and of the code memory lists.
inline constexpr int kTextCodeOff = 14013;

inline constexpr int kTextOkKey = 33401;     // "&OK"
inline constexpr int kTextCancelKey = 33402; // "&Cancel"
inline constexpr int kTextYesKey = 33403;    // "&Yes"
inline constexpr int kTextNoKey = 33404;     // "&No"
inline constexpr int kTextRetryKey = 33405;  // "&Retry"

} // namespace zav::textid
