#include "src/platform/standin/registry/Hive.h"

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "src/platform/standin/registry/HiveInternal.h"

namespace fennimar::platform {
namespace {

constexpr std::size_t kMaxKeyNameUnits = 255;
constexpr std::size_t kMaxKeyDepth = 512;
constexpr std::size_t kMaxValueNameUnits = 16383;

// Latin Extended-A pairs each capital with the small letter after it, except
// in two runs where the small letter comes first.
char16_t UpcaseLatinExtendedA(char16_t c) {
  const bool capital_first = (c <= 0x137 && c != 0x130 && c != 0x131) || (c >= 0x14A && c <= 0x177);
  const bool small_first = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
  if ((capital_first && (c & 1)) || (small_first && !(c & 1))) return c - 1;
  return c;
}

char16_t Upcase(char16_t c) {
  if (c < 0x80) return (c >= u'a' && c <= u'z') ? c - 0x20 : c;
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 0x20;
  if (c == 0xFF) return 0x178;
  if (c >= 0x100 && c <= 0x17F) return UpcaseLatinExtendedA(c);
  if (c >= 0x3B1 && c <= 0x3CB && c != 0x3C2) return c - 0x20;
  if (c >= 0x430 && c <= 0x44F) return c - 0x20;
  if (c >= 0x450 && c <= 0x45F) return c - 0x50;
  if (c >= 0xFF41 && c <= 0xFF5A) return c - 0x20;
  return c;
}

// Inserts `path` (whose parent exists, unless it is a root) after the last
// key of its parent's subtree, so that the hive stays in tree order.
void InsertKey(std::vector<HiveKey>& keys, std::u16string_view path) {
  const auto separator = path.rfind(u'\\');
  std::size_t position = keys.size();
  std::u16string full(path);
  if (separator != std::u16string_view::npos) {
    const std::u16string_view parent = path.substr(0, separator);
    for (std::size_t i = 0; i < keys.size(); ++i) {
      if (!IsSameOrBelow(keys[i].path(), parent)) continue;
      position = i + 1;
      if (NamesEqual(keys[i].path(), parent))
        full = keys[i].path() + std::u16string(path.substr(separator));
    }
  }
  keys.insert(keys.begin() + static_cast<std::ptrdiff_t>(position),
              HiveBuilder::MakeKey(std::move(full)));
}

}  // namespace

namespace hive_internal {

std::u16string FoldName(std::u16string_view name) {
  std::u16string folded(name);
  for (char16_t& c : folded) c = Upcase(c);
  return folded;
}

std::size_t FindUnpairedSurrogate(std::u16string_view text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    if (c < 0xD800 || c > 0xDFFF) continue;
    if (c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
      ++i;
      continue;
    }
    return i;
  }
  return std::u16string_view::npos;
}

bool IsLineSafe(std::u16string_view text) {
  return text.find_first_of(std::u16string_view(u"\0\r\n", 3)) == std::u16string_view::npos &&
         FindUnpairedSurrogate(text) == std::u16string_view::npos;
}

}  // namespace hive_internal

using hive_internal::IsLineSafe;

Status CheckKeyPath(std::u16string_view path) {
  if (!IsLineSafe(path)) {
    return Status::Invalid("a key path holds a NUL, a line break or a broken surrogate pair");
  }
  // "[-KEY]" would read back as deleting the key.
  if (!path.empty() && path[0] == u'-') return Status::Invalid("a key path starts with '-'");
  std::size_t start = 0;
  for (std::size_t depth = 1;; ++depth) {
    const std::size_t end = std::min(path.find(u'\\', start), path.size());
    if (end == start) return Status::Invalid("a key path holds an empty key name");
    if (end - start > kMaxKeyNameUnits) return Status::Invalid("a key name is over 255 characters");
    if (depth > kMaxKeyDepth) return Status::Invalid("a key path is over 512 levels deep");
    if (end == path.size()) return Status::Ok();
    start = end + 1;
  }
}

Status CheckValueName(std::u16string_view name) {
  if (name.size() > kMaxValueNameUnits) return Status::Invalid("a value name is too long");
  if (!IsLineSafe(name)) {
    return Status::Invalid("a value name holds a NUL, a line break or a broken surrogate pair");
  }
  return Status::Ok();
}

bool NamesEqual(std::u16string_view a, std::u16string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(),
                    [](char16_t x, char16_t y) { return Upcase(x) == Upcase(y); });
}

bool IsSameOrBelow(std::u16string_view path, std::u16string_view ancestor) {
  return path.size() >= ancestor.size() && NamesEqual(path.substr(0, ancestor.size()), ancestor) &&
         (path.size() == ancestor.size() || path[ancestor.size()] == u'\\');
}

const HiveValue* HiveKey::FindValue(std::u16string_view name) const {
  for (const HiveValue& value : values_) {
    if (NamesEqual(value.name, name)) return &value;
  }
  return nullptr;
}

Status HiveKey::SetValue(std::u16string_view name, std::uint32_t type, std::string_view data) {
  if (Status checked = CheckValueName(name); !checked.ok()) return checked;
  auto* value = const_cast<HiveValue*>(FindValue(name));
  if (value == nullptr) value = &values_.emplace_back(HiveValue{std::u16string(name), 0, {}});
  value->type = type;
  value->data.assign(data);
  return Status::Ok();
}

bool HiveKey::DeleteValue(std::u16string_view name) {
  const auto found = std::find_if(values_.begin(), values_.end(), [&](const HiveValue& value) {
    return NamesEqual(value.name, name);
  });
  if (found == values_.end()) return false;
  values_.erase(found);
  return true;
}

const HiveKey* Hive::FindKey(std::u16string_view path) const {
  for (const HiveKey& key : keys_) {
    if (NamesEqual(key.path(), path)) return &key;
  }
  return nullptr;
}

HiveKey* Hive::FindKey(std::u16string_view path) {
  return const_cast<HiveKey*>(std::as_const(*this).FindKey(path));
}

Status Hive::CreateKey(std::u16string_view path, HiveKey** key) {
  if (Status checked = CheckKeyPath(path); !checked.ok()) return checked;
  // The ends of the missing paths, from the deepest up to an existing key.
  std::vector<std::size_t> missing;
  for (std::size_t end = path.size(); FindKey(path.substr(0, end)) == nullptr;) {
    missing.push_back(end);
    const auto separator = path.rfind(u'\\', end - 1);
    if (separator == std::u16string_view::npos) break;
    end = separator;
  }
  for (auto end = missing.rbegin(); end != missing.rend(); ++end) {
    InsertKey(keys_, path.substr(0, *end));
  }
  if (key != nullptr) *key = FindKey(path);
  return Status::Ok();
}

bool Hive::DeleteKey(std::u16string_view path) {
  const auto removed = std::remove_if(keys_.begin(), keys_.end(), [&](const HiveKey& key) {
    return IsSameOrBelow(key.path(), path);
  });
  if (removed == keys_.end()) return false;
  keys_.erase(removed, keys_.end());
  return true;
}

std::vector<std::u16string> Hive::ListSubkeys(std::u16string_view path) const {
  std::vector<std::u16string> subkeys;
  for (const HiveKey& key : keys_) {
    const std::u16string& candidate = key.path();
    if (candidate.size() > path.size() && IsSameOrBelow(candidate, path) &&
        candidate.find(u'\\', path.size() + 1) == std::u16string::npos) {
      subkeys.push_back(candidate);
    }
  }
  return subkeys;
}

}  // namespace fennimar::platform
