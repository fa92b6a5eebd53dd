// The program's fixed texts.
#pragma once

inline constexpr const char* AppTitle = "Tesmo";
