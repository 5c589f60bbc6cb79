// Text - small conversions shared by the commands: integers given on the
// command line (negative ones included), NAME=VALUE arguments, and UTF-8
// spellings of the library's UTF-16 strings.
#ifndef FENNIMAR_CLI_TEXT_H_
#define FENNIMAR_CLI_TEXT_H_

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "fennimar/FennimarDllInterface.h"

namespace fennimar::cli {

// A whole decimal integer in the int range with an optional sign ("-3",
// "+7"); nullopt for anything else ("", "3x", "1e3", out of range).
std::optional<int> ParseInt(std::string_view text);

// ParseInt, failing (usage) with "`what`: 'text' is not an integer".
int ParseIntOrFail(std::string_view text, const std::string& what);

// Splits "NAME=VALUE" at its first '='; fails (usage) without one.
std::pair<std::string, std::string> SplitAssignment(const std::string& argument);

// The names joined with ", ", for "valid ones are ..." messages.
std::string JoinNames(const std::vector<std::string>& names);

inline std::string U8(const CString& text) { return text.ToUtf8(); }
inline CString U16(std::string_view text) { return CString::FromUtf8(text); }

}  // namespace fennimar::cli

#endif  // FENNIMAR_CLI_TEXT_H_
