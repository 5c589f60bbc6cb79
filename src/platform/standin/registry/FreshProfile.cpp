#include "src/platform/standin/registry/FreshProfile.h"

#include <string>
#include <string_view>

#include "src/common/Utf16Bytes.h"
#include "src/platform/Registry.h"

namespace fennimar::platform {
namespace {

struct ProfileKey {
  std::u16string_view path;
  std::u16string_view value;  // empty: a key without values
  std::u16string_view text;
};

// A new profile's desktop has no wallpaper chosen yet: an empty REG_SZ,
// stored with its terminating zero unit as Windows stores strings.
constexpr ProfileKey kProfileKeys[] = {
    {u"HKEY_CURRENT_USER\\Control Panel\\Desktop", u"WallPaper", u""},
    {u"HKEY_CURRENT_USER\\Environment", u"", u""},
    {u"HKEY_CURRENT_USER\\Software", u"", u""},
};

std::string TerminatedUnits(std::u16string_view text) {
  return LittleEndianBytes(std::u16string(text).append(1, u'\0'));
}

}  // namespace

Status AddFreshProfile(Hive* hive) {
  for (const ProfileKey& entry : kProfileKeys) {
    HiveKey* key = nullptr;
    if (Status made = hive->CreateKey(entry.path, &key); !made.ok()) return made;
    if (entry.value.empty() || key->FindValue(entry.value) != nullptr) continue;
    if (Status set = key->SetValue(entry.value, kRegSz, TerminatedUnits(entry.text)); !set.ok()) {
      return set;
    }
  }
  return Status::Ok();
}

}  // namespace fennimar::platform
