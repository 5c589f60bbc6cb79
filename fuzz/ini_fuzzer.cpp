// Fuzzes the INI text functions. A file that decodes is encoded back to
// exactly its bytes; reading an integer never fails; setting a value succeeds
// exactly on a readable file, reads back as set, and setting it once more
// changes nothing.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz/FuzzCheck.h"
#include "src/platform/standin/ini/IniText.h"

namespace {

namespace ini = fennimar::platform::ini;
using fennimar::fuzz::Check;

struct Edit {
  std::u16string_view section;
  std::u16string_view key;
  std::u16string_view value;
};

// The library's own edit, and ones with blanks, markup-like text, non-ASCII
// names and an empty value.
constexpr Edit kEdits[] = {
    {u"systemrequest", u"IsFirstFlag", u"0"},
    {u" Device\t", u"model ", u"FX=1 ; [x] \"q\""},
    {u"\u65B0\u3057\u3044", u"\u30AD\u30FC", u"\u5024 \U0001F600"},
    {u"s", u"k", u""},
};

void CheckEdit(std::string_view bytes, bool readable, const Edit& edit) {
  std::string updated;
  const bool written = ini::WriteValue(bytes, edit.section, edit.key, edit.value, &updated);
  Check(written == readable, "a value is set exactly in a readable file");
  if (!written) return;
  const auto text = ini::Decode(updated);
  Check(text.has_value(), "an edited file is readable");
  // An 8-bit file that is not UTF-8 holds only what its code page can: as with
  // the system's profile service, a character beyond it is stored as '?'.
  const auto in_code_page = [](std::u16string_view s) {
    return std::all_of(s.begin(), s.end(), [](char16_t unit) { return unit <= 0xFF; });
  };
  if (text->encoding == ini::Encoding::kAnsi &&
      !(in_code_page(edit.section) && in_code_page(edit.key) && in_code_page(edit.value))) {
    return;
  }
  const auto found = ini::FindValue(text->chars, edit.section, edit.key);
  Check(found.has_value() && *found == edit.value, "a value set reads back as set");
  std::string twice;
  Check(ini::WriteValue(updated, edit.section, edit.key, edit.value, &twice) && twice == updated,
        "setting the same value again changes nothing");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const auto text = ini::Decode(bytes);
  if (text) Check(ini::Encode(*text) == bytes, "a readable file encodes back to its bytes");
  (void)ini::ReadInt(bytes, u"systemrequest", u"IsFirstFlag", 0xFFFFFFFFu);
  for (const Edit& edit : kEdits) CheckEdit(bytes, text.has_value(), edit);
  return 0;
}
