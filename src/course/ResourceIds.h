// The numbers of the program's own pictures, cursors, sounds and texts, one table per kind:
// a number names the file resources/<kind>/<number>.* (ProgramResource, ProgramResourcePath).
// Each number appears once in its kind; the check in course/tests/IdTablesTest.cpp fails
// when two names share one, when a number falls inside another name's First..Last range,
// or when a name has no file. Toolbar and menu images are not here: a command's image is
// the bitmap numbered like the command (course/CommandIds.h).
#pragma once

// ---- bitmap/ ----
namespace bmp {
inline constexpr int kSetupDefault = 129;      // the launcher's picture when its settings name none
inline constexpr int kMarkerFirst = 1001;      // a page's source markers: kMarkerFirst + source % 8
inline constexpr int kMarkerLast = 1008;
inline constexpr int kCompleted = 1011;        // an activity's "completed" check
inline constexpr int kExtension = 1028;        // an entry of the teacher's extension file
inline constexpr int kGoal = 1047;             // the goal icon of an unshrunk entry
inline constexpr int kIncomplete = 1084;       // an activity's "not completed" box
inline constexpr int kMenuBoxOpen = 1085;      // a bar's menu box
inline constexpr int kMenuBoxClosed = 1086;
inline constexpr int kMenuBoxPressed = 1087;
inline constexpr int kToolFirst = 1137;        // the page's tools 1 to 15: kToolFirst + tool - 1
inline constexpr int kToolLast = 1151;
inline constexpr int kBoxOpen = 1152;          // an expanded row of the Table of Contents
inline constexpr int kBoxClosed = 1153;        // a collapsed row
inline constexpr int kClock = 1159;            // an activity's time
// Page formats: binding, bottom-left corner, bottom edge, bottom-right corner, right edge.
inline constexpr int kCreamBottomLeft = 1012;
inline constexpr int kCreamBottomRight = 1013;
inline constexpr int kCreamBottom = 1014;
inline constexpr int kCreamBinding = 1015;
inline constexpr int kCreamRightEdge = 1016;
inline constexpr int kHighTechBottomLeft = 1048;
inline constexpr int kHighTechBottomRight = 1049;
inline constexpr int kHighTechBottom = 1050;
inline constexpr int kHighTechBinding = 1051;
inline constexpr int kHighTechRightEdge = 1052;
inline constexpr int kLeatherBottomLeft = 1062;
inline constexpr int kLeatherBottomRight = 1063;
inline constexpr int kLeatherBottom = 1064;
inline constexpr int kLeatherBinding = 1065;
inline constexpr int kLeatherRightEdge = 1066;
inline constexpr int kNotebookBinding = 1073;
inline constexpr int kNotebookBottomLeft = 1074;
inline constexpr int kNotebookBottom = 1075;
inline constexpr int kNotebookBottomRight = 1076;
inline constexpr int kNotebookRightEdge = 1077;
inline constexpr int kSpiralBottomLeft = 1123;
inline constexpr int kSpiralBottomRight = 1124;
inline constexpr int kSpiralBottom = 1125;
inline constexpr int kSpiralBinding = 1126;
inline constexpr int kSpiralRightEdge = 1127;
inline constexpr int kStylishBottomLeft = 1129;
inline constexpr int kStylishBottomRight = 1130;
inline constexpr int kStylishBottom = 1131;
inline constexpr int kStylishBinding = 1132;
inline constexpr int kStylishRightEdge = 1133;
inline constexpr int kVanillaBottomLeft = 1154;
inline constexpr int kVanillaBottomRight = 1155;
inline constexpr int kVanillaBottom = 1156;
inline constexpr int kVanillaBinding = 1157;
inline constexpr int kVanillaRightEdge = 1158;
}  // namespace bmp

// ---- picture/ ----
namespace pic {
inline constexpr int kAbout = 1000;    // the start-up dialog
inline constexpr int kCredits = 1017;  // the About dialog's credits
inline constexpr int kWelcome = 1128;  // the splash window
inline constexpr int kSupport = 1134;  // the About dialog's support page
}  // namespace pic

// ---- icon/ ----
namespace ico {
inline constexpr int kSetup = 128;            // the launcher's window icon
inline constexpr int kProgram = 4000;         // the player's window icon
inline constexpr int kAsterisk = 5000;        // activity kinds (ActivityKindIcon)
inline constexpr int kLessonGroup = 5001;      // also the exposition text window's frame
inline constexpr int kCheckMark = 5002;       // a completed row of the Table of Contents
inline constexpr int kBookmarkFirst = 5003;   // the bookmarks' own icons, marks 1 to 12
inline constexpr int kBookmarkLast = 5014;
inline constexpr int kDocumentation = 5015;
inline constexpr int kDogEar = 5016;          // the page's dog ear
inline constexpr int kDogEarPressed = 5017;
inline constexpr int kExcel = 5018;
inline constexpr int kExposition = 5019;
inline constexpr int kNoLesson = 5020;        // an index reference row without a lesson
inline constexpr int kHomework = 5021;
inline constexpr int kJmp = 5022;
inline constexpr int kLab = 5023;
inline constexpr int kLesson = 5024;
inline constexpr int kMinitab = 5025;
inline constexpr int kHeadingOpen = 5026;     // an expanded heading of a hypertext tree
inline constexpr int kMovie = 5027;           // also the movie window's frame
inline constexpr int kPage = 5028;
inline constexpr int kHeadingClosed = 5029;   // a collapsed heading
inline constexpr int kProject = 5030;
inline constexpr int kExercise = 5031;
inline constexpr int kSpss = 5032;
inline constexpr int kExploration = 5033;
inline constexpr int kSysStat = 5034;
inline constexpr int kHandsOn = 5035;
}  // namespace ico

// ---- cursor/ ----
namespace cur {
inline constexpr int kPress = 1507;            // pressing a Lesson Book entry or an exposition object
inline constexpr int kPointingHand = 1508;     // over a clickable exposition object
inline constexpr int kDrag = 1510;             // dragging an activity, a bookmark or an exercise answer
inline constexpr int kAnswer = 1511;           // over an exercise answer that can be picked up
inline constexpr int kAutoScrollDown = 1515;
inline constexpr int kAutoScrollUp = 1519;
inline constexpr int kAutoScrollStill = 1520;
inline constexpr int kText = 1521;             // over a bookmark's text
inline constexpr int kHand = 1522;             // over a link
inline constexpr int kMoviePlaying = 1524;     // over a playing movie; no picture: the arrow
}  // namespace cur

// ---- sound/ ----
namespace snd {
inline constexpr int kAbout = 7001;
// The exercise window: an answer picked up, dropped, the last blank filled, a check that
// changed a mark or none, wrong answers falling, and the praise for a question answered
// right (kRight and the ten below, drawn at random).
inline constexpr int kAnswerPicked = 7012;
inline constexpr int kAnswerDropped = 7013;
inline constexpr int kBlanksFilled = 7035;
inline constexpr int kCheckChanged = 7005;
inline constexpr int kCheckUnchanged = 7010;
inline constexpr int kAnswersWrong = 7032;
inline constexpr int kPraise1 = 7000;
inline constexpr int kPraise2 = 7003;
inline constexpr int kPraise3 = 7004;
inline constexpr int kPraise4 = 7006;
inline constexpr int kPraise5 = 7009;
inline constexpr int kPraise6 = 7027;
inline constexpr int kPraise7 = 7041;
inline constexpr int kPraise8 = 7043;
inline constexpr int kPraise9 = 7022;
inline constexpr int kPraise10 = 7018;
inline constexpr int kAsterisk = 7002;         // activity kinds (LaunchSoundOfKind)
inline constexpr int kChop = 7007;             // the exposition engine's "chop"
inline constexpr int kDocumentation = 7011;
inline constexpr int kShrink = 7014;
inline constexpr int kExposition = 7015;
inline constexpr int kExtension = 7016;
inline constexpr int kGlossaryLookup = 7017;  // a term looked up in the glossary
inline constexpr int kHomework = 7020;
inline constexpr int kMovie = 7021;
inline constexpr int kOutsideApplication = 7023;  // Excel, JMP, Minitab, SPSS, SysStat
inline constexpr int kPageTurn = 7024;         // the animated turn
inline constexpr int kQuietPageTurn = 7025;    // a turn without animation
inline constexpr int kProjects = 7029;
inline constexpr int kExercise = 7030;
inline constexpr int kRight = 7031;            // the exposition engine's "right"
inline constexpr int kExplore = 7033;          // explorations and labs
inline constexpr int kHandsOn = 7038;
inline constexpr int kDefaultEffect = 7039;    // the exposition engine's default effect
inline constexpr int kWeb = 7040;
inline constexpr int kWrong = 7042;            // the exposition engine's "wrong"
}  // namespace snd

// ---- text/ ----
namespace txt {
inline constexpr int kLicense = 25000;
inline constexpr int kCredits = 25001;
}  // namespace txt
