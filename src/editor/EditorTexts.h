#pragma once
// The texts the editor's windows and boxes show, the same in every front end.

#ifndef QUARVEL_HOMEPAGE
#error "QUARVEL_HOMEPAGE must be defined by the build"
#endif

namespace quarvel {

inline constexpr char kMainCaption[] = "Quarvel Levels Editor";

// The program title of QuarvelEdit, as the desktop editors make it from their file's name,
// which captions the error boxes; a page has no file of its own and takes this one.
inline constexpr char kProgramTitle[] = "Quarveledit";

// The main window's menu.
inline constexpr char kLevelsMenu[] = "Levels";
inline constexpr char kNewSetItem[] = "New Set";
inline constexpr char kOpenSetItem[] = "Open Set";
inline constexpr char kSaveSetItem[] = "Save Set";
inline constexpr char kCopyItem[] = "Copy";
inline constexpr char kExitItem[] = "Exit";
inline constexpr char kHelpMenu[] = "Help";
inline constexpr char kAboutItem[] = "About";

// The level grid's name for screen readers.
inline constexpr char kGridName[] = "Level grid";

// The main window's labels (Label1 to Label6) and Check Level.
inline constexpr const char* kNumberLabels[] = {"Rubies", "Emeralds", "Sapphires", "Bombs", "Time"};
inline constexpr char kLevelLabel[] = "Level";
inline constexpr char kCheckLevelCaption[] = "Check Level";

// Check Level's two answers and Save Set's warning, each with its caption.
inline constexpr char kPlayableText[] = "This level is good to go!";
inline constexpr char kPlayableCaption[] = "Confirmation!";
inline constexpr char kNotPlayableText[] = "This level can not be played!";
inline constexpr char kNotPlayableCaption[] = "Error!";
inline constexpr char kSaveWarningText[] = "All incorrect levels will be deleted from the set";
inline constexpr char kSaveWarningCaption[] = "Warning!";

// The file dialogs' one filter entry, and the save dialog's default extension (no dot).
inline constexpr char kLevelSetFilterName[] = ".dag files";
inline constexpr char kLevelSetFilterPattern[] = "*.dag";
inline constexpr char kLevelSetExtension[] = "dag";

// The Levels Copy dialog.
inline constexpr char kLevelsCopyCaption[] = "Levels Copy";
inline constexpr const char* kLevelsCopyLabels[] = {"Start from", "Quantity", "Insert after"};
inline constexpr char kOkCaption[] = "OK";
inline constexpr char kCancelCaption[] = "Cancel";

// The About box: its caption, the four lines of Memo1 and its button.
inline constexpr char kAboutCaption[] = "About";
inline constexpr const char* kAboutLines[] = {
    "Quarvel", "Levels Editor ", "(c) 2026 Quarvel editor authors",
    QUARVEL_HOMEPAGE,  // the project's home page, as the package and its AppStream metadata name it
};
inline constexpr char kCloseCaption[] = "Close";

}  // namespace quarvel
