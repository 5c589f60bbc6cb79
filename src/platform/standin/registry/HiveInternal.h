// HiveInternal - what the hive's operations (Hive.cpp) and its file format
// (HiveReader.cpp, HiveWriter.cpp) share. Not for use elsewhere.
#ifndef FENNIMAR_PLATFORM_STANDIN_REGISTRY_HIVEINTERNAL_H_
#define FENNIMAR_PLATFORM_STANDIN_REGISTRY_HIVEINTERNAL_H_

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "src/platform/standin/registry/Hive.h"

namespace fennimar::platform {

// The parser and the key insertion build keys directly; everything else goes
// through the checked operations.
class HiveBuilder {
 public:
  static HiveKey MakeKey(std::u16string path) { return HiveKey(std::move(path)); }
  static std::vector<HiveValue>& ValuesOf(HiveKey& key) { return key.values_; }
  static std::vector<HiveKey>& KeysOf(Hive& hive) { return hive.keys_; }
};

namespace hive_internal {

// The name with every letter in the form NamesEqual compares.
std::u16string FoldName(std::u16string_view name);
// Index of the first surrogate without its partner, or npos.
std::size_t FindUnpairedSurrogate(std::u16string_view text);
// True when the text can stand on one line of the file as it is.
bool IsLineSafe(std::u16string_view text);

// The first line of a hive file.
inline constexpr std::string_view kHiveHeader = "Windows Registry Editor Version 5.00";

}  // namespace hive_internal
}  // namespace fennimar::platform

#endif  // FENNIMAR_PLATFORM_STANDIN_REGISTRY_HIVEINTERNAL_H_
