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
extern const std::string kSettingsFile;
