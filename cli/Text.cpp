#include "cli/Text.h"

#include <cerrno>
#include <climits>
#include <cstdlib>

#include "cli/Errors.h"

namespace fennimar::cli {

std::optional<int> ParseInt(std::string_view text) {
  std::size_t digits_at = 0;
  if (!text.empty() && (text[0] == '-' || text[0] == '+')) digits_at = 1;
  if (digits_at == text.size()) return std::nullopt;
  for (std::size_t i = digits_at; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9') return std::nullopt;
  }
  const std::string copy(text);
  errno = 0;
  const long long value = std::strtoll(copy.c_str(), nullptr, 10);
  if (errno == ERANGE || value < INT_MIN || value > INT_MAX) return std::nullopt;
  return static_cast<int>(value);
}

int ParseIntOrFail(std::string_view text, const std::string& what) {
  const auto value = ParseInt(text);
  if (!value) Fail(Exit::kUsage, what + ": '" + std::string(text) + "' is not an integer");
  return *value;
}

std::pair<std::string, std::string> SplitAssignment(const std::string& argument) {
  const auto equals = argument.find('=');
  if (equals == std::string::npos || equals == 0) {
    Fail(Exit::kUsage, "'" + argument + "' is not NAME=VALUE");
  }
  return {argument.substr(0, equals), argument.substr(equals + 1)};
}

std::string JoinNames(const std::vector<std::string>& names) {
  std::string joined;
  for (const auto& name : names) {
    if (!joined.empty()) joined += ", ";
    joined += name;
  }
  return joined;
}

}  // namespace fennimar::cli
