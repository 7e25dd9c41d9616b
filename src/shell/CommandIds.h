// The program's command numbers. A menu item, toolbar button and shortcut carry one of
// these; windows handle them through CommandTarget (shell/CommandTarget.h).
#pragma once

namespace cmd {

// ---- files and the application ----
inline constexpr int kNew = 57600;
inline constexpr int kOpen = 57601;
inline constexpr int kClose = 57602;
inline constexpr int kSave = 57603;
inline constexpr int kSaveAs = 57604;
inline constexpr int kPrintSetup = 57606;
inline constexpr int kPrint = 57607;
inline constexpr int kPrintDirect = 57608;
inline constexpr int kPrintPreview = 57609;
inline constexpr int kRecentFirst = 57616;  // recent files: 57616 + index
inline constexpr int kRecentLast = 57631;
inline constexpr int kCopy = 57634;
inline constexpr int kCut = 57635;
inline constexpr int kPaste = 57637;
inline constexpr int kUndo = 57643;
inline constexpr int kCreateNewView = 57648;  // always disabled
inline constexpr int kArrangeIcons = 57649;
inline constexpr int kCascade = 57650;
inline constexpr int kTile = 57651;
inline constexpr int kAbout = 57664;
inline constexpr int kExit = 57665;
inline constexpr int kHelpContents = 57667;
inline constexpr int kContextHelp = 57669;
inline constexpr int kHelp = 57670;

// ---- bars ----
inline constexpr int kMainToolBar = 59392;
inline constexpr int kStatusBar = 59393;
inline constexpr int kNavigationBar = 9096;
inline constexpr int kAccessoriesBar = 9086;
inline constexpr int kContentsBar = 9088;
inline constexpr int kIndexBar = 9095;
inline constexpr int kGlossaryBar = 9093;
inline constexpr int kBookmarksBar = 9087;

// ---- application and course commands ----
inline constexpr int kPreferences = 9022;
inline constexpr int kAssistant = 9032;
inline constexpr int kExploreDocs = 9033;
inline constexpr int kExploreHelp = 9036;
inline constexpr int kHelpGuide = 9039;
inline constexpr int kTips = 9040;
inline constexpr int kExploreTutorial = 9041;
inline constexpr int kListDatasets = 9089;
inline constexpr int kLaunchExplore = 9092;
inline constexpr int kHomework = 9094;
inline constexpr int kProjects = 9097;
inline constexpr int kTool1 = 9098;
inline constexpr int kTool2 = 9099;
inline constexpr int kWeb = 9100;

// ---- Lesson Book navigation ----
inline constexpr int kFirstPage = 9101;
inline constexpr int kGoTo = 9102;
inline constexpr int kNextPage = 9103;
inline constexpr int kNextLesson = 9104;
inline constexpr int kPreviousLesson = 9105;
inline constexpr int kPreviousPage = 9106;

}  // namespace cmd
