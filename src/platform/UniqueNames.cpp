#include "src/platform/UniqueNames.h"

#include <atomic>
#include <cstdint>
#include <cstdio>

namespace fennimar::platform {
namespace {

constexpr std::size_t kMaxIdDigits = 10;  // 4294967295
constexpr std::size_t kRandomDigits = 16;

template <typename Char>
bool IsDigit(Char c) {
  return c >= '0' && c <= '9';
}

template <typename Char>
bool IsLowerHexDigit(Char c) {
  return IsDigit(c) || (c >= 'a' && c <= 'f');
}

// Moves `at` past a run of the characters `accepts` takes and gives the
// run's length.
template <typename Char, typename Accepts>
std::size_t Skip(std::basic_string_view<Char> text, std::size_t& at, Accepts accepts) {
  const std::size_t start = at;
  while (at < text.size() && accepts(text[at])) ++at;
  return at - start;
}

template <typename Char>
bool SkipChar(std::basic_string_view<Char> text, std::size_t& at, char expected) {
  if (at >= text.size() || text[at] != static_cast<Char>(expected)) return false;
  ++at;
  return true;
}

// The id of ".<id>-<counter>-<random>", exactly as UniqueSuffix writes it
// (an id without leading zeros), or 0.
template <typename Char>
std::uint32_t CreatorOfSuffix(std::basic_string_view<Char> suffix) {
  std::size_t at = 0;
  if (!SkipChar(suffix, at, '.')) return 0;
  const std::size_t id_at = at;
  const std::size_t id_digits = Skip(suffix, at, IsDigit<Char>);
  if (id_digits == 0 || id_digits > kMaxIdDigits || suffix[id_at] == '0') return 0;
  if (!SkipChar(suffix, at, '-') || Skip(suffix, at, IsDigit<Char>) == 0) return 0;
  if (!SkipChar(suffix, at, '-') || Skip(suffix, at, IsLowerHexDigit<Char>) != kRandomDigits ||
      at != suffix.size()) {
    return 0;
  }
  std::uint64_t id = 0;
  for (std::size_t i = id_at; i < id_at + id_digits; ++i) id = id * 10 + (suffix[i] - '0');
  return id <= UINT32_MAX ? static_cast<std::uint32_t>(id) : 0;
}

template <typename Char>
std::uint32_t CreatorOf(std::basic_string_view<Char> name, std::basic_string_view<Char> prefix) {
  if (name.substr(0, prefix.size()) != prefix) return 0;
  return CreatorOfSuffix(name.substr(prefix.size()));
}

}  // namespace

std::string UniqueSuffix(std::uint32_t process_id, std::uint64_t random_bits) {
  static std::atomic<std::uint64_t> counter{0};
  char suffix[64];
  std::snprintf(suffix, sizeof suffix, ".%lu-%llu-%016llx", static_cast<unsigned long>(process_id),
                static_cast<unsigned long long>(++counter),
                static_cast<unsigned long long>(random_bits));
  return suffix;
}

std::uint32_t CreatorOfUniqueName(std::string_view name, std::string_view prefix) {
  return CreatorOf(name, prefix);
}

std::uint32_t CreatorOfUniqueName(std::u16string_view name, std::u16string_view prefix) {
  return CreatorOf(name, prefix);
}

}  // namespace fennimar::platform
