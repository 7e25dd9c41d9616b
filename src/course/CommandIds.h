// The program's command numbers, one table for every subsystem. A menu item, toolbar button,
// context-menu entry and shortcut carry one of these; windows handle them through
// CommandTarget (shell/CommandTarget.h). Each number appears here once: the check in
// course/tests/IdTablesTest.cpp fails when two names share a number or a number falls
// inside a First..Last range that belongs to another name. A command's status-bar prompt
// or tool tip, where it has one, is the string of the same number (str::, StringIds.h);
// its toolbar image the bitmap of the same number (resources/bitmap/<id>.svg).
#pragma once

namespace cmd {

// ---- files and the application (File, Edit, Window and Help menus) ----
inline constexpr int kNew = 57600;            // &New Student
inline constexpr int kOpen = 57601;           // &Open Student File...
inline constexpr int kClose = 57602;          // &Close
inline constexpr int kSave = 57603;           // &Save Student File
inline constexpr int kSaveAs = 57604;         // Save Student File &As...
inline constexpr int kPrintSetup = 57606;     // P&rint Setup...
inline constexpr int kPrint = 57607;          // &Print...
inline constexpr int kPrintDirect = 57608;    // print to the default printer, no dialog
inline constexpr int kPrintPreview = 57609;   // Print Pre&view
inline constexpr int kRecentFirst = 57616;    // recent files: kRecentFirst + index
inline constexpr int kRecentLast = 57631;
inline constexpr int kCopy = 57634;           // &Copy
inline constexpr int kCut = 57635;            // Cu&t
inline constexpr int kPaste = 57637;          // &Paste
inline constexpr int kFind = 57636;           // &Find... (the course search)
inline constexpr int kFindNext = 57640;       // Find &Next
inline constexpr int kUndo = 57643;           // Can't Undo / &Undo
inline constexpr int kCreateNewView = 57648;  // &Create New View (always disabled)
inline constexpr int kArrangeIcons = 57649;   // &Arrange Icons
inline constexpr int kCascade = 57650;        // &Cascade
inline constexpr int kTile = 57651;           // &Tile
inline constexpr int kAbout = 57664;          // About <application>...
inline constexpr int kExit = 57665;           // E&xit <application>
inline constexpr int kHelpContents = 57667;   // Help Topics / <application> Help
inline constexpr int kContextHelp = 57669;    // context help (toolbar button)
inline constexpr int kHelp = 57670;           // F1 help

// ---- bars: the View menu's items, and each bar's window id ----
inline constexpr int kMainToolBar = 59392;    // &Main Toolbar
inline constexpr int kStatusBar = 59393;      // &Status Bar
inline constexpr int kNavigationBar = 9096;   // &Navigation Bar
inline constexpr int kAccessoriesBar = 9086;  // &Accessories Bar
inline constexpr int kContentsBar = 9088;     // Table of &Contents
inline constexpr int kIndexBar = 9095;        // &Index
inline constexpr int kGlossaryBar = 9093;     // &Glossary
inline constexpr int kBookmarksBar = 9087;    // &Bookmarks

// ---- application and course commands (Edit, Activities and Help menus) ----
inline constexpr int kPreferences = 9022;      // P&references...
inline constexpr int kAssistant = 9032;        // &Assistant
inline constexpr int kExploreDocs = 9033;      // <explore> Documentation
inline constexpr int kExploreHelp = 9036;      // <explore> Help
inline constexpr int kHelpGuide = 9039;        // Help &Guide
inline constexpr int kTips = 9040;             // Hints && &Tips
inline constexpr int kExploreTutorial = 9041;  // Explore &Tutorial
inline constexpr int kListDatasets = 9089;     // List <datasets>
inline constexpr int kLaunchExplore = 9092;    // &Launch <explore>
inline constexpr int kHomework = 9094;         // &Homework
inline constexpr int kProjects = 9097;         // &Projects
inline constexpr int kTool1 = 9098;            // Tool &1
inline constexpr int kTool2 = 9099;            // Tool &2
inline constexpr int kWeb = 9100;              // &Web

// ---- Lesson Book navigation (Go menu, Navigation Bar) ----
inline constexpr int kFirstPage = 9101;       // &First Page
inline constexpr int kGoTo = 9102;            // &Go To Page...
inline constexpr int kNextPage = 9103;        // &Next Page
inline constexpr int kNextLesson = 9104;      // Next L&esson
inline constexpr int kPreviousLesson = 9105;  // Previous &Lesson
inline constexpr int kPreviousPage = 9106;    // &Previous Page

// ---- Lesson Book page: the context menu of an activity entry ----
inline constexpr int kBookmarkActivity = 9069;  // Copy this activity location to the Bookmark list
inline constexpr int kStartActivity = 9070;     // Start this activity
inline constexpr int kShrinkActivity = 9071;    // Shrink / Expand the explanation
inline constexpr int kToggleCompleted = 9072;   // Set activity completed / uncompleted
inline constexpr int kPreviousShown = 9073;     // Go back to the page shown before

// ---- Bookmarks bar: its context menu ----
inline constexpr int kLoadBookmarks = 9005;       // L&oad Bookmark File...
inline constexpr int kMergeBookmarks = 9006;      // &Merge Bookmark File...
inline constexpr int kPrintBookmarks = 9007;      // &Print Bookmarks...
inline constexpr int kRemoveAllBookmarks = 9008;  // Remo&ve all Bookmarks
inline constexpr int kSaveBookmarks = 9009;       // Save &Bookmark  File...
inline constexpr int kAnnotateBookmark = 9056;    // &Annotate Bookmark...
inline constexpr int kCopyBookmark = 9057;        // &Copy Bookmark to Clipboard
inline constexpr int kCustomIcon = 9058;          // Customize &icon...
inline constexpr int kDeleteBookmark = 9059;      // &Delete Bookmark
inline constexpr int kExecuteBookmark = 9060;     // &Execute this Activity
inline constexpr int kHideBookmarks = 9061;       // &Hide Bookmarks
inline constexpr int kLocateBookmark = 9062;      // &Locate within Lesson
inline constexpr int kPasteBookmark = 9063;       // Pas&te Bookmark from Clipboard
inline constexpr int kRevertBookmark = 9064;      // &Revert Bookmark
inline constexpr int kSortBookmarks = 9065;       // &Sort Bookmarks...

// ---- Table of Contents bar: its context menu ----
inline constexpr int kContentsCloseAll = 9010;         // &Close All
inline constexpr int kContentsCopy = 9011;             // Copy to Clip&board
inline constexpr int kContentsOpenCurrentPage = 9012;  // &Open Current Page
inline constexpr int kContentsHide = 9013;             // &Hide Table of Contents
inline constexpr int kContentsOpenAll = 9014;          // Open &All
inline constexpr int kContentsOpenLessons = 9015;      // Open &Lessons
inline constexpr int kContentsPrint = 9016;            // &Print Table of Contents...

// ---- Glossary bar: its context menu ----
inline constexpr int kGlossaryBack = 9027;   // &Back up
inline constexpr int kGlossaryCopy = 9028;   // &Copy to Clipboard
inline constexpr int kGlossaryHide = 9029;   // &Hide Glossary
inline constexpr int kGlossaryIndex = 9030;  // &Index
inline constexpr int kGlossaryPrint = 9031;  // &Print Definition...

// ---- Index bar: its context menu ----
inline constexpr int kIndexToBookmarks = 9048;  // &Copy to Bookmarks
inline constexpr int kIndexGlossary = 9049;     // &Glossary definition
inline constexpr int kIndexHide = 9050;         // &Hide Index
inline constexpr int kIndexPrint = 9051;        // &Print Index...

// ---- hypertext windows ----
inline constexpr int kAddBookmark = 9042;       // add this window to the bookmarks
inline constexpr int kSourceFirst = 9043;       // the asterisk source buttons: kSourceFirst + index
inline constexpr int kSourceLast = 9046;
inline constexpr int kShowInLessonBook = 9047;  // show this window's page in the Lesson Book

// ---- movie window ----
inline constexpr int kViewMovieText = 9025;  // &View Movie Text
inline constexpr int kHalfSize = 9066;       // &Half Size
inline constexpr int kDoubleSize = 9067;     // &Double Size
inline constexpr int kNormalSize = 9068;     // &Original Size

// ---- exercise window: its buttons and context menu ----
inline constexpr int kQuizBack = 9074;           // &Back
inline constexpr int kQuizCheck = 9075;          // &Check
inline constexpr int kQuizDroppedAnswer = 9076;  // Dropped Answer (what Undo undoes)
inline constexpr int kQuizHint = 9077;           // &Hint
inline constexpr int kQuizNext = 9078;           // &Next

// ---- exposition window: the Volume menu ----
inline constexpr int kVolumeFirst = 9107;  // Volume level 0 - silent: kVolumeFirst + user level
inline constexpr int kVolumeLast = 9115;   // Volume level 8 - highest possible

// ---- the disc start-up launcher (setup) ----
inline constexpr int kSetupButtonFirst = 1500;  // the launcher's 16 buttons: kSetupButtonFirst + index
inline constexpr int kSetupButtonLast = 1515;

}  // namespace cmd
