// The launcher's texts in the program string table (resources/strings/setup.txt).
#pragma once

namespace setup_strings {
constexpr int kAboutMenuItem = 101;       // "&About Setup..."; the menu item is left out when empty
constexpr int kCaption = 12100;           // "Setup ", followed by the settings' title
constexpr int kAboutCaption = 12101;
constexpr int kAboutVersion = 12102;
constexpr int kAboutOk = 12103;
constexpr int kCannotLoadConfig = 12110;
constexpr int kMovieLibraryMissing = 12111;
constexpr int kMovieLibraryNoStart = 12112;
constexpr int kLaunchFailed = 12113;      // %s: the file or command that did not open
}  // namespace setup_strings
