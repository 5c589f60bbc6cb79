// Fuzzes the registry file's reader and writer. Whatever ParseHive accepts must
// be written by SerializeHive into a file that parses back to the same keys
// and values (exact paths, names, types and bytes) and is written again
// unchanged; a change made the way the registry makes one must survive the
// same round trip.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz/FuzzCheck.h"
#include "src/platform/Registry.h"
#include "src/platform/standin/registry/HiveFormat.h"

namespace {

using fennimar::fuzz::Check;
using fennimar::platform::Hive;
using fennimar::platform::HiveKey;

bool SameHive(const Hive& a, const Hive& b) {
  const auto same_value = [](const auto& x, const auto& y) {
    return x.name == y.name && x.type == y.type && x.data == y.data;
  };
  return std::equal(a.keys().begin(), a.keys().end(), b.keys().begin(), b.keys().end(),
                    [&](const HiveKey& x, const HiveKey& y) {
                      return x.path() == y.path() &&
                             std::equal(x.values().begin(), x.values().end(),
                                        y.values().begin(), y.values().end(), same_value);
                    });
}

// Serializes `hive` and checks that the text reads back as the same hive.
void CheckRoundTrip(const Hive& hive) {
  const std::string text = fennimar::platform::SerializeHive(hive);
  if (text.size() > fennimar::platform::kMaxHiveBytes) return;  // refused before writing
  Hive again;
  Check(fennimar::platform::ParseHive(text, &again).ok(), "a written hive parses");
  Check(SameHive(hive, again), "a written hive reads back the same");
  Check(fennimar::platform::SerializeHive(again) == text, "a hive is written the same twice");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Hive hive;
  if (!fennimar::platform::ParseHive(
           std::string_view(reinterpret_cast<const char*>(data), size), &hive).ok()) {
    return 0;
  }
  CheckRoundTrip(hive);
  for (const HiveKey& key : hive.keys()) {
    Check(hive.FindKey(key.path()) == &key, "every key is found by its own path");
  }
  // What the library does on a first start: create its key and set the flag.
  HiveKey* product = nullptr;
  const auto created = hive.CreateKey(u"HKEY_CURRENT_USER\\Software\\Tarsel\\Tarsel Kestrova2",
                                      &product);
  Check(created.ok() && product != nullptr, "the product's key can be created");
  Check(product->SetValue(u"IsFirstUse", fennimar::platform::kRegDword,
                          std::string_view("\1\0\0\0", 4)).ok(),
        "the flag can be set");
  CheckRoundTrip(hive);
  return 0;
}
