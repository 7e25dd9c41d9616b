// String-table ids of the Lesson Book's notices and menu texts (resources/strings/lessonbook.txt).
#pragma once

inline constexpr int kNoticeExtensionNameMissing = 8519;
inline constexpr int kNoticeExtensionOpenFailed = 8528;
inline constexpr int kNoticeExploreMissing = 8556;
inline constexpr int kNoticePageMissing = 8557;
inline constexpr int kNoticeBookmarksFull = 8503;
inline constexpr int kGoToCaption = 3005;
inline constexpr int kNoticeInvalidPage = 26400;
inline constexpr int kNoticeNoLauncher = 26401;
inline constexpr int kNoticeWindowMissing = 26402;
inline constexpr int kNoticeNoBookmarks = 26403;
inline constexpr int kNoticeCannotOpen = 26404;
inline constexpr int kNoticeToolMissing = 26405;
inline constexpr int kTextSetCompleted = 26406;
inline constexpr int kTextSetUncompleted = 26407;
inline constexpr int kTextShrink = 26408;
inline constexpr int kTextExpand = 26409;
inline constexpr int kTextBookmark = 26410;
inline constexpr int kTextExecute = 26411;
inline constexpr int kTextGoBackTo = 26412;
inline constexpr int kTextGoBack = 26413;
inline constexpr int kTextGo = 26414;
inline constexpr int kTextCancel = 26415;
inline constexpr int kTextPage = 26416;
inline constexpr int kNoticeNoGlossary = 26417;
inline constexpr int kNoticeExtensionOutside = 26418;

// Sounds of the Lesson Book's commands.
inline constexpr int kSoundShrink = 7014;
inline constexpr int kSoundExtension = 7016;
inline constexpr int kSoundHomework = 7020;
inline constexpr int kSoundProjects = 7029;
inline constexpr int kSoundExplore = 7033;
inline constexpr int kSoundWeb = 7040;
