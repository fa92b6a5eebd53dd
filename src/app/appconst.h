// The program's fixed texts and the files beside the executable, built once
// before the main window exists.
#pragma once

#include <string>

inline constexpr const char* kAppTitle = "Tesmo";
inline constexpr const char* kSettingsSection = "Settings";
inline constexpr const char* kSettingsKey = "Values";

// kAppTitle, the version, and the line naming the maker.
extern const std::string kAboutText;
// The folder of the running executable, ending with a backslash.
extern const std::string kAppDir;
extern const std::string kHelpFile;
// The help file as Windows names it: it opens even where the code page cannot
// name the program's folder and the folder has no short form.
extern const std::wstring kWideHelpFile;
extern const std::string kSettingsFile;
