// Lists of texts kept in one line: the fields joined by commas, each quoted
// when it holds a blank, a control character, a quote or a comma. The settings
// value and the recent-file list are stored this way.
#pragma once

#include <string>
#include <string_view>
#include <vector>

using TStringList = std::vector<std::string>;

// The fields as one comma text. A list of one empty field is written as two
// quotes, so that it reads back as that field and not as no field at all.
std::string JoinCommaText(const TStringList& fields);

// The fields of a comma text. Blanks and control characters around fields are
// skipped, and a blank ends an unquoted field just as a comma does. A comma at
// the very end adds an empty last field. A quoted field whose closing quote is
// missing runs to the end of the text. The text ends at its first NUL byte.
TStringList SplitCommaText(std::string_view text);
