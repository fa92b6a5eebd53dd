// The program's fixed texts and the files beside the executable, built once
// before the main window exists.
#pragma once

#include <string>

inline constexpr const char* AppTitle = "Tesmo";
inline constexpr const char* SettingsSection = "Settings";
inline constexpr const char* SettingsKey = "Values";

// AppTitle, the version, and the line naming the maker.
extern const std::string AboutText;
// The folder of the running executable, ending with a backslash.
extern const std::string AppDir;
extern const std::string HelpFile;
extern const std::string SettingsFile;
