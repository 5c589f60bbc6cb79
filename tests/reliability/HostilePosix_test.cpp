// The hostile-input catalogue (HostileInput.h) on the Linux stand-ins' files
// and on POSIX document paths.
#include <unistd.h>

#include <climits>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "src/platform/standin/registry/HiveFormat.h"
#include "tests/reliability/HostileInput.h"

namespace fennimar::hostile {
namespace {

constexpr char kProductKey[] = "[HKEY_CURRENT_USER\\Software\\Tarsel\\Tarsel Kestrova2]";

// A readable hive gives its flag, or 1 where the library had to create the
// product's key, or nothing from a key without the value.
Input HiveInput(std::string name, std::string bytes, bool readable) {
  Input input{std::move(name), std::move(bytes), readable};
  if (!readable) return input;
  const bool has_key = input.bytes.find(kProductKey) != std::string::npos;
  const bool has_value = input.bytes.find("\"IsFirstUse\"=dword:0") != std::string::npos;
  input.answer = has_key && !has_value ? RC_SYSTEM_ERROR : RC_SUCCESS;
  input.flag = has_value ? 0 : has_key ? kUntouched : 1;
  return input;
}

std::vector<Input> HiveInputs() {
  const std::string full =
      "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER]\r\n\r\n"
      "[HKEY_CURRENT_USER\\Control Panel\\Desktop]\r\n"
      "\"WallPaper\"=\"C:\\\\Users\\\\ana\\\\K\xC3\xB6ln.jpg\"\r\n\r\n"
      "[HKEY_CURRENT_USER\\Software\\Tarsel\\Tarsel Kestrova2]\r\n\"IsFirstUse\"=dword:00000000\r\n"
      "@=\"default\"\r\n\"Blob\"=hex:00,01,fe,ff\r\n\"Lines\"=hex(7):41,00,00,00,00,\\\r\n  00\r\n";
  std::vector<Input> in;
  platform::Hive hive;  // truncations: readable where the parser reads them
  for (std::size_t n = 0; n < full.size(); ++n)
    in.push_back(HiveInput("cut to " + std::to_string(n) + " bytes", full.substr(0, n),
                           platform::ParseHive(full.substr(0, n), &hive).ok()));
  for (const unsigned seed : {1u, 2u, 3u}) in.push_back({"noise", Noise(full.size(), seed)});
  in.push_back({"noise after the header", full.substr(0, 38) + Noise(4096, 4)});
  in.push_back({"invalid UTF-8", Replace(full, "\xC3\xB6", "\xF6")});
  in.push_back({"NUL byte", Replace(full, "default", std::string("def\0ault", 8))});
  in.push_back({"CR-only line ends", Replace(full, "\r\n", "\r")});
  in.push_back({"UTF-16LE, odd size", Utf16LeWithBom(full) + "x"});
  in.push_back({"UTF-16BE mark", "\xFE\xFF" + full});
  in.push_back({"deleting a key", full + "[-HKEY_CURRENT_USER\\Software]\r\n"});
  in.push_back({"a megabyte value name", full + "\"" + std::string(kMegabyte, 'n') + "\"=-\r\n"});
  in.push_back({"a megabyte key name", full + "[" + std::string(kMegabyte, 'k') + "]\r\n"});
  in.push_back({"100 MB", full, false, RC_SYSTEM_ERROR, kUntouched, kHugeFileBytes});
  in.push_back(HiveInput("UTF-16LE", full, true));
  in.back().bytes = Utf16LeWithBom(full);
  in.push_back(HiveInput("LF line ends", Replace(full, "\r\n", "\n"), true));
  in.push_back(HiveInput("a megabyte comment", full + ";" + std::string(kMegabyte, 'c'), true));
  in.push_back(
      HiveInput("a megabyte text", full + "@=\"" + std::string(kMegabyte, 't') + "\"", true));
  return in;
}

TEST_F(HostileInputTest, RegistryFilesThatCannotBeParsedAreRefusedAndKeptAsTheyWere) {
  const std::vector<Input> inputs = HiveInputs();
  CheckFlagFile(root() / "config/fennimar/HKEY_CURRENT_USER.reg", inputs,
                &FennimarDllInterface::GetUsedStatus, &FennimarDllInterface::SetUsedStatus);
  Report("registry files", inputs.size());
}

// Every prefix of an INI file: one that ends inside a UTF-16 unit (`unit` 2)
// is unreadable (8-bit text that is not UTF-8 reads in the ANSI code page),
// one that holds `key` gives 1.
void AddTruncatedIni(const std::string& bytes, const std::string& key, std::size_t unit,
                     std::vector<Input>& in) {
  const std::size_t has_key = bytes.find(key) + key.size();
  for (std::size_t n = 0; n < bytes.size(); ++n) {
    const bool cut = unit == 2 && n % 2 != 0 && n > 1;  // one byte is no mark
    const bool found = !cut && n >= has_key;
    in.push_back({"cut to " + std::to_string(n) + " of " + std::to_string(bytes.size()),
                  bytes.substr(0, n), !cut, found ? RC_SUCCESS : RC_SYSTEM_ERROR,
                  found ? 1 : kNoFlag});
  }
}

std::vector<Input> IniInputs() {
  const std::string full =
      "; Hardware information \xE2\x80\x94 written by the installer\r\n[device]\r\nmodel=FX-200\r\n"
      "\r\n[systemrequest]\r\nReboot=0\r\nIsFirstFlag=1\r\nVendor=K\xC3\xB6nig\r\n";
  std::vector<Input> in;
  AddTruncatedIni(full, "IsFirstFlag=1", 1, in);
  AddTruncatedIni(Utf16LeWithBom(full), Utf16LeWithBom("IsFirstFlag=1").substr(2), 2, in);
  const auto add = [&](std::string name, std::string bytes, bool readable, std::uintmax_t pad = 0) {
    in.push_back({std::move(name), std::move(bytes), readable,
                  readable ? RC_SUCCESS : RC_SYSTEM_ERROR, readable ? 1 : kNoFlag, pad});
  };
  for (const unsigned seed : {1u, 2u, 3u})
    add("noise with a NUL", Noise(full.size(), seed) + std::string(1, '\0'), false);
  for (const char* bad : {"\xF6", "\xC0\xAD", "\xED\xB0\x80"})
    add("not UTF-8: the ANSI code page", Replace(full, "\xC3\xB6", bad), true);
  add("NUL byte", Replace(full, "FX-200", std::string(1, '\0')), false);
  add("UTF-16LE, odd size", Utf16LeWithBom(full) + "x", false);
  add("UTF-16LE with a NUL", Utf16LeWithBom(full) + std::string(2, '\0'), false);
  std::string big_endian = Utf16LeWithBom(full);
  for (std::size_t i = 0; i + 1 < big_endian.size(); i += 2) std::swap(big_endian[i], big_endian[i + 1]);
  add("UTF-16BE", big_endian, true);
  add("100 MB", full, false, kHugeFileBytes);
  add("UTF-8 mark", "\xEF\xBB\xBF" + full, true);
  add("CR-only line ends", Replace(full, "\r\n", "\r"), true);
  add("LF line ends", Replace(full, "\r\n", "\n"), true);
  add("a megabyte comment", ";" + std::string(kMegabyte, 'c') + "\r\n" + full, true);
  add("a megabyte key", std::string(kMegabyte, 'k') + "=2\r\n" + full, true);
  add("a megabyte value", Replace(full, "=1", "=" + std::string(kMegabyte, '0') + "1"), true);
  return in;
}

TEST_F(HostileInputTest, IniFilesThatCannotBeReadGiveNoFlagAndAreKeptAsTheyWere) {
  const std::vector<Input> inputs = IniInputs();
  CheckFlagFile(root() / "module/HWinfo.ini", inputs, &FennimarDllInterface::GetLightFlagStatus,
                &FennimarDllInterface::SetLightFlagStatus);
  Report("INI files", inputs.size());
}

struct PathCase {
  std::string name;
  std::function<fs::path()> prepare;  // makes what the case needs and gives the path
  bool loads = false;
  std::string may_create = {};  // below root(): where new entries are expected
};

TEST_F(HostileInputTest, OddDocumentPathsGiveTheirDefinedAnswerAndCreateNothingElsewhere) {
  const auto locked = [&](const std::string& folder, bool with_document) {
    fs::create_directory(PathOf(folder));
    if (with_document) fs::copy_file(TemplatePath(), PathOf(folder + "/s.xml"));
    fs::permissions(PathOf(folder), fs::perms::owner_read | fs::perms::owner_exec);
    return PathOf(folder + "/s.xml");
  };
  const std::vector<PathCase> cases = {
      {"one name longer than PATH_MAX", [&] { return PathOf(std::string(PATH_MAX, 'n') + "/s"); }},
      {"longer than PATH_MAX in short names: folders are made up to the limit",
       [&] { return PathOf("long/" + Repeat(std::string(200, 'd') + "/", 22) + "s"); }, false,
       "long"},
      {"a folder", [&] { return fs::create_directory(PathOf("dir")), PathOf("dir"); }},
      {"a dangling link into a missing folder",
       [&] { return fs::create_symlink(PathOf("no/s"), PathOf("dead")), PathOf("dead"); }},
      {"a dangling link: the template goes where it points",
       [&] { return fs::create_symlink(PathOf("target"), PathOf("link")), PathOf("link"); }, true,
       "target"},
      {"a missing document in a folder without write permission", [&] { return locked("a", 0); }},
      {"a document in a folder without write permission", [&] { return locked("b", 1); }, true},
  };
  for (const PathCase& c : cases) {
    SCOPED_TRACE(c.name);
    if (::geteuid() == 0 && c.name.find("permission") != std::string::npos) continue;
    CheckDocument(c.prepare(), Input{c.name, "", c.loads}, true, c.may_create);
  }
  Report("document paths", cases.size());
}

}  // namespace
}  // namespace fennimar::hostile
