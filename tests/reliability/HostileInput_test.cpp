// HostileInput_test - the catalogue of hostile and damaged input. Every file
// the library reads (the settings document, the registry file, the INI file)
// and odd kinds of document path go to the library through its interface
// object, one table per kind. Each input has the library's defined answer, and
// a file the library cannot read is left as it was (same inode, size, time and
// bytes). A crash fails the run, a hang runs into ctest's timeout, and huge
// files must be refused without being read into memory. Each test prints how
// many inputs it tried.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "src/platform/posix/HiveFormat.h"
#include "tests/support/LibraryTest.h"

namespace fennimar {
namespace {

namespace fs = std::filesystem;
using testing::ReadFileOrDie;
using testing::U16;
using testing::WriteFileOrDie;

constexpr std::uintmax_t kHugeFileBytes = std::uintmax_t{100} << 20;
// Reading a huge file whole would raise the peak by its size at least.
constexpr long kMaxPeakGrowthKb = 16 * 1024;
constexpr std::size_t kMegabyte = std::size_t{1} << 20;
constexpr char kSecret[] = "fennimar-secret-7d41c0";
constexpr std::uint32_t kUntouched = 0xDEADu;
constexpr std::uint32_t kNoFlag = 0xFFFFFFFFu;

// One input and the library's answer to it.
struct Input {
  std::string name;
  std::string bytes;
  bool readable = false;  // the library reads the file (else it refuses it)
  // Registry and INI files: what reading the flag answers.
  _Fennimar_ReturnCode_ answer = RC_SYSTEM_ERROR;
  std::uint32_t flag = kUntouched;
  std::uintmax_t pad_to = 0;  // extended to this size with a hole of zero bytes
};

std::string Repeat(const std::string& unit, std::size_t count) {
  std::string out;
  for (std::size_t i = 0; i < count; ++i) out += unit;
  return out;
}

std::string Noise(std::size_t size, unsigned seed) {
  std::mt19937 generator(seed);
  std::string bytes(size, '\0');
  for (char& c : bytes) c = static_cast<char>(generator() & 0xFF);
  return bytes;
}

std::string Replace(std::string text, const std::string& from, const std::string& to) {
  for (auto at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
    text.replace(at, from.size(), to);
  return text;
}

// UTF-16LE with its byte order mark.
std::string Utf16Le(const std::string& utf8) {
  std::string bytes = "\xFF\xFE";
  for (const char16_t unit : U16(utf8)) bytes += {char(unit & 0xFF), char(unit >> 8)};
  return bytes;
}

void WriteInput(const fs::path& path, const Input& input) {
  WriteFileOrDie(path, input.bytes);
  if (input.pad_to > 0) fs::resize_file(path, input.pad_to);
}

// What shows that a file was replaced (always by a new inode) or changed;
// bytes are compared for files that are not huge.
std::string StateOf(const fs::path& path) {
  struct stat info {};
  if (::lstat(path.c_str(), &info) != 0) return "missing";
  std::ostringstream state;
  state << info.st_ino << ' ' << info.st_size << ' ' << info.st_mtim.tv_sec << '.'
        << info.st_mtim.tv_nsec << '\n';
  if (S_ISREG(info.st_mode) && info.st_size < off_t{kMegabyte} * 4) state << ReadFileOrDie(path);
  return state.str();
}

// Every path below `folder`, relative to it.
std::set<std::string> Listing(const fs::path& folder) {
  std::set<std::string> names;
  for (fs::recursive_directory_iterator it(folder), end; it != end; ++it)
    names.insert(it->path().lexically_relative(folder).string());
  return names;
}

// The entries that appeared ("+name") or went ("-name") since `before`, but
// for new ones below `allowed`.
std::string Changes(const std::set<std::string>& before, const std::set<std::string>& after,
                    const std::string& allowed) {
  std::string changes;
  for (const auto& name : after)
    if (before.count(name) == 0 && (allowed.empty() || name.rfind(allowed, 0) != 0))
      changes += " +" + name;
  for (const auto& name : before)
    if (after.count(name) == 0) changes += " -" + name;
  return changes;
}

long StatusKb(const std::string& field) {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);)
    if (line.rfind(field, 0) == 0) return std::stol(line.substr(field.size()));
  return 0;
}

// Runs `run` and gives how far the process's peak resident size rose above
// its size before, in KiB, for a huge input (0 for others, and where the peak
// cannot be reset: Linux before 4.0). Only the huge inputs are measured: under
// AddressSanitizer freed memory is held back, so the peak of an ordinary
// input's dozen load attempts adds up.
long PeakGrowthKb(const Input& input, const std::function<void()>& run) {
  if (input.pad_to == 0) return run(), 0;
  const long before = StatusKb("VmRSS:");
  std::ofstream reset("/proc/self/clear_refs");
  reset << "5" << std::flush;
  run();
  return reset ? StatusKb("VmHWM:") - before : 0;
}

// ---- The settings document --------------------------------------------------

// Everything the readers give; outputs are pre-filled so that untouched ones show.
std::string Answers(FennimarDllInterface& lib) {
  std::ostringstream out;
  std::vector<_Fennimar_AppItem_> apps;
  out << "apps " << lib.GetApplicationsList(apps);
  for (const auto& a : apps)
    out << " [" << a.key.ToUtf8() << '|' << a.path.ToUtf8() << '|' << a.parameter.ToUtf8() << '|'
        << a.descriptionName.ToUtf8() << ']';
  _Fennimar_Config_ c{-1, -1, -1, -1};
  out << "\nconfig " << lib.GetConfig(c) << ' ' << c.launchcode << ' ' << c.mouseHook << ' '
      << c.soundEffect << ' ' << c.lightEffect;
  using Lib = FennimarDllInterface;
  for (const auto get : {&Lib::IsLaunchcodeEnabled, &Lib::IsMouseHookEnabled,
                         &Lib::IsSoundEffectEnabled, &Lib::IsLightEffectEnabled}) {
    int value = -1;
    out << "\nswitch " << (lib.*get)(value) << ' ' << value;
  }
  _Background_Config_ b{u"-", -1};
  out << "\nbackground " << lib.GetBackgroundConfig(b) << ' ' << b.pictureFolder.ToUtf8() << ' '
      << b.displaySequence;
  std::vector<_VDESKTOPINFO_> ws;
  out << "\nworkspaces " << lib.GetWorkspcaeConfig(ws);
  for (const auto& w : ws)
    out << " [" << w.key << '|' << w.name.ToUtf8() << '|' << w.styleID << '|'
        << w.mouseStyle.ToUtf8() << '|' << w.emRecylePath.ToUtf8() << '|' << w.fuRecylePath.ToUtf8()
        << '|' << w.mouseNo << '|' << w.recyleNo << '|' << w.useTarsel << ']';
  return out.str();
}

// What an object without a document answers: RC_FAIL everywhere, no output.
constexpr char kEmptyAnswers[] =
    "apps 0\nconfig 0 -1 -1 -1 -1\nswitch 0 -1\nswitch 0 -1\nswitch 0 -1\nswitch 0 -1\n"
    "background 0 - -1\nworkspaces 0";

// The five writers' answers in a row: "00000" on an object without a document.
std::string WriterAnswers(FennimarDllInterface& lib) {
  _Fennimar_AppItem_ item{u"9", u"/x", u"", u""};
  CString path(u"/usr/bin/firefox");
  _Fennimar_Config_ config{1, 1, 1, 1};
  _Background_Config_ background{u"/b", 1};
  std::vector<_VDESKTOPINFO_> workspaces(4);
  std::ostringstream out;
  out << lib.AddAppItem(item) << lib.DeleteAppItem(path) << lib.SetConfig(config)
      << lib.SetBackgroundConfig(background) << lib.SetWorkspcaeConfig(workspaces);
  return out.str();
}

// Entities are never expanded and external ones never fetched: any document
// type declaration is refused.
void AddEntities(const std::string& secret_uri, std::vector<Input>& in) {
  std::string laughs = "<?xml version=\"1.0\"?>\n<!DOCTYPE FennimarSetting [<!ENTITY l0 \"lol\">";
  for (int i = 1; i <= 9; ++i)
    laughs += "<!ENTITY l" + std::to_string(i) + " \"" +
              Repeat("&l" + std::to_string(i - 1) + ";", 10) + "\">";
  const std::string body =
      "<FennimarSetting><AppList><AppItem key=\"&E;\" path=\"&E;\" parameter=\"&E;\" "
      "descriptionName=\"&E;\"/></AppList><GlobalSetting><a>&E;</a></GlobalSetting>"
      "<BackgroundSetting><f>&E;</f><s>1</s></BackgroundSetting><WorkspaceSetting><Workspace "
      "key=\"1\" name=\"&E;\" styleID=\"1\" mouseStyle=\"&E;\" emRecylePath=\"&E;\" "
      "fuRecylePath=\"\" mouseNo=\"0\" recyleNo=\"0\" useTarsel=\"0\"/></WorkspaceSetting>"
      "</FennimarSetting>";
  in.push_back({"billion laughs", laughs + "]>\n" + Replace(body, "&E;", "&l9;")});
  in.push_back({"external entity",
                "<!DOCTYPE FennimarSetting [<!ENTITY E SYSTEM \"" + secret_uri + "\">]>" + body});
  in.push_back({"external parameter entity", "<!DOCTYPE FennimarSetting [<!ENTITY % p SYSTEM \"" +
                                                 secret_uri + "\">%p;]>" + body});
  in.push_back({"external DTD", "<!DOCTYPE FennimarSetting SYSTEM \"" + secret_uri + "\">" + body});
}

std::vector<Input> DocumentInputs(const std::string& full, const std::string& secret_uri) {
  std::vector<Input> in;
  // Every prefix: those that hold the root's end tag are the whole document.
  constexpr std::string_view kEnd = "</FennimarSetting>";
  const std::size_t whole = full.find(kEnd) + kEnd.size();
  for (std::size_t size = 0; size < full.size(); ++size)
    in.push_back(
        {"cut to " + std::to_string(size) + " bytes", full.substr(0, size), size >= whole});
  for (const char* text :
       {"<FennimarSetting>", "<FennimarSetting><AppList></FennimarSetting>", "<a/><b/>", "<a/>text",
        "text<a/>", "<a b=1/>", "<a b=\"1\" b=\"2\"/>", "<!-- no root -->",
        "<?xml version=\"1.0\"?>", "<a><![CDATA[x</a>", "<a></b>", "</a>", "<a x='1\"/>", "<1a/>"})
    in.push_back({std::string("not well-formed: ") + text, text});
  for (const unsigned seed : {1u, 2u, 3u})
    for (const std::size_t size : {std::size_t{1}, std::size_t{64}, full.size(), kMegabyte / 16})
      in.push_back({"noise of " + std::to_string(size), Noise(size, seed)});
  in.push_back({"noise after a start tag", "<FennimarSetting>" + Noise(4096, 9)});
  in.push_back({"zero bytes, as many as the template's", std::string(full.size(), '\0')});
  in.push_back({"100,000-deep nesting", "<FennimarSetting>" + Repeat("<a>", 100000) +
                                            Repeat("</a>", 100000) + "</FennimarSetting>"});
  in.push_back({"100 MB (the template, then a hole)", full, false, RC_FAIL, 0, kHugeFileBytes});
  const std::string utf16 = Replace(full, "UTF-8", "UTF-16");
  in.push_back({"control: UTF-16LE as declared", Utf16Le(utf16), true});
  in.push_back({"control: UTF-8 with its byte order mark", "\xEF\xBB\xBF" + full, true});
  for (const char* bad : {"\xFF", "\xC0\xAF", "\xED\xA0\x80", "\xE2\x82", "\xF4\x90\x80\x80"})
    in.push_back({"invalid UTF-8", Replace(full, "Terminal", std::string("Term") + bad + "inal")});
  for (const char* reference : {"&#xD800;", "&#x110000;", "&#55296;"})
    in.push_back({std::string("reference to ") + reference, Replace(full, "Terminal", reference)});
  in.push_back({"UTF-8 mark, UTF-16 declared", "\xEF\xBB\xBF" + utf16});
  in.push_back({"UTF-16LE mark, UTF-8 declared", Utf16Le(full)});
  in.push_back({"UTF-8 mark, Latin-1 declared", "\xEF\xBB\xBF" + Replace(full, "UTF-8", "latin1")});
  in.push_back({"undeclared encoding", Replace(full, "UTF-8", "windows-1252")});
  in.push_back({"UTF-16LE, odd size", Utf16Le(utf16) + "<"});
  in.push_back(
      {"UTF-16LE, unpaired surrogate",
       Replace(Utf16Le(utf16), Utf16Le("Terminal").substr(2),
               Utf16Le("Term").substr(2) + std::string("\0\xD8", 2) + Utf16Le("inal").substr(2))});
  AddEntities(secret_uri, in);
  return in;
}

class HostileInputTest : public testing::SectionTest {
 protected:
  void Report(const char* family, std::size_t count) {
    std::cout << "[ catalogue] " << family << ": " << count << " inputs tried\n";
    RecordProperty(family, static_cast<int>(count));
  }

  void SetUp() override { loaded_ = Answers(*Open(ReadFileOrDie(TemplatePath()))); }

  // Opens an interface object on `path` and reads every section, and where no
  // document loads runs every writer too. Checks the answers (the template's,
  // or RC_FAIL everywhere), that no read shows the secret, that `path` is as
  // it was when `kept`, and that nothing came or went in the test's folder
  // but new entries below `may_create`.
  void CheckDocument(const fs::path& path, const Input& input, bool kept,
                     const std::string& may_create = "") {
    const std::set<std::string> listing = Listing(root());
    const std::string before = StateOf(path);
    std::string answers, writers = "00000";
    const long growth = PeakGrowthKb(input, [&] {
      FennimarDllInterface lib{CString(U16(path.string()))};
      answers = Answers(lib);
      if (!input.readable) writers = WriterAnswers(lib);
    });
    EXPECT_LT(growth, kMaxPeakGrowthKb);
    EXPECT_EQ(answers, input.readable ? loaded_ : kEmptyAnswers);
    EXPECT_EQ(writers, "00000");
    EXPECT_EQ(answers.find(kSecret), std::string::npos);
    if (kept) {
      EXPECT_EQ(StateOf(path), before) << "the file was changed";
    }
    EXPECT_EQ(Changes(listing, Listing(root()), may_create), "");
  }

  // Writes each input to `file` and reads the flag, sets it and reads it
  // again with an interface object: "answer 1 1 0" where the set took (and
  // the flag reads 0), "9 9 9 -" where the file is left alone.
  using Get = _Fennimar_ReturnCode_ (FennimarDllInterface::*)(std::uint32_t&);
  using Set = _Fennimar_ReturnCode_ (FennimarDllInterface::*)();
  void CheckFlagFile(const fs::path& file, const std::vector<Input>& inputs, Get get, Set set) {
    auto lib = Reopen();
    for (const Input& input : inputs) {
      SCOPED_TRACE(input.name);
      WriteInput(file, input);
      const std::string before = StateOf(file);
      std::uint32_t flag = kUntouched, after = kUntouched;
      std::ostringstream answers;
      const long growth = PeakGrowthKb(input, [&] {
        answers << ((*lib).*get)(flag) << ' ' << ((*lib).*set)() << ' ' << ((*lib).*get)(after);
      });
      EXPECT_LT(growth, kMaxPeakGrowthKb);
      answers << (after == 0 ? " 0" : " -");
      EXPECT_EQ(answers.str(),
                std::to_string(input.answer) + (input.readable ? " 1 1 0" : " 9 9 -"));
      EXPECT_EQ(flag, input.flag);
      if (!input.readable) {
        EXPECT_EQ(StateOf(file), before) << "the file was changed";
      }
    }
    EXPECT_GT(std::count_if(inputs.begin(), inputs.end(), [](auto& i) { return i.readable; }), 10);
  }

  std::string loaded_;  // the readers' answers on the template
};

TEST_F(HostileInputTest, DocumentsThatCannotBeLoadedLeaveAnEmptyObjectAndTheFileAsItWas) {
  WriteFileOrDie(PathOf("secret.txt"), kSecret);
  const std::vector<Input> inputs =
      DocumentInputs(ReadFileOrDie(TemplatePath()), "file://" + PathOf("secret.txt").string());
  for (const Input& input : inputs) {
    SCOPED_TRACE(input.name);
    WriteInput(DocumentPath(), input);
    CheckDocument(DocumentPath(), input, !input.readable);
  }
  Report("documents", inputs.size());
}

TEST_F(HostileInputTest, AttributeValuesWithMarkupAndNonBmpCharactersRoundTripExactly) {
  const std::string emoji = "\xF0\x9F\x98\x80", planes = "\xF0\x90\x80\x80\xF4\x8F\xBF\xBF";
  const std::vector<std::string> values = {"<>&\"'",        "&amp;&lt;&#10;&#x1F600;",
                                           "tab\there",     "cr\rlf\ncrlf\r\n end",
                                           " lead, trail ", "]]> <!-- --> <?pi?> <![CDATA[x]]>",
                                           emoji + planes,  "\t<\r&\n\"'" + emoji + " "};
  auto lib = Open(ReadFileOrDie(TemplatePath()));
  for (CString path : {u"/usr/bin/firefox", u"/usr/bin/gnome-terminal"})  // room for eight
    ASSERT_EQ(lib->DeleteAppItem(path), RC_SUCCESS);
  for (const std::string& v : values) {
    _Fennimar_AppItem_ item{CString(U16(v)), CString(U16(v + "/p")), CString(U16(v + "/x")),
                            CString(U16(v + "/d"))};
    ASSERT_EQ(lib->AddAppItem(item), RC_SUCCESS) << v;
    if (v == values[3]) lib = Reopen();  // a reopen half-way through, too
  }
  lib = Reopen();
  std::vector<_Fennimar_AppItem_> items;
  ASSERT_EQ(lib->GetApplicationsList(items), RC_SUCCESS);
  ASSERT_EQ(items.size(), values.size());
  for (std::size_t i = 0; i < values.size(); ++i) {
    const auto& item = items[i];
    EXPECT_EQ(item.key.ToUtf8() + item.path.ToUtf8() + item.parameter.ToUtf8() +
                  item.descriptionName.ToUtf8(),
              values[i] + values[i] + "/p" + values[i] + "/x" + values[i] + "/d");
  }
  Report("attribute values", values.size());
}

// ---- The registry file and the INI file -------------------------------------

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
  in.push_back({"UTF-16LE, odd size", Utf16Le(full) + "x"});
  in.push_back({"UTF-16BE mark", "\xFE\xFF" + full});
  in.push_back({"deleting a key", full + "[-HKEY_CURRENT_USER\\Software]\r\n"});
  in.push_back({"a megabyte value name", full + "\"" + std::string(kMegabyte, 'n') + "\"=-\r\n"});
  in.push_back({"a megabyte key name", full + "[" + std::string(kMegabyte, 'k') + "]\r\n"});
  in.push_back({"100 MB", full, false, RC_SYSTEM_ERROR, kUntouched, kHugeFileBytes});
  in.push_back(HiveInput("UTF-16LE", full, true));
  in.back().bytes = Utf16Le(full);
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

// Every prefix of an INI file: one that ends inside a character is unreadable
// (`unit` bytes per UTF-16 unit, or UTF-8), one that holds `key` gives 1.
void AddTruncatedIni(const std::string& bytes, const std::string& key, std::size_t unit,
                     std::vector<Input>& in) {
  const std::size_t has_key = bytes.find(key) + key.size();
  for (std::size_t n = 0; n < bytes.size(); ++n) {
    const bool cut = unit == 2 ? n % 2 != 0 : (static_cast<unsigned char>(bytes[n]) >> 6) == 2;
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
  AddTruncatedIni(Utf16Le(full), Utf16Le("IsFirstFlag=1").substr(2), 2, in);
  const auto add = [&](std::string name, std::string bytes, bool readable, std::uintmax_t pad = 0) {
    in.push_back({std::move(name), std::move(bytes), readable,
                  readable ? RC_SUCCESS : RC_SYSTEM_ERROR, readable ? 1 : kNoFlag, pad});
  };
  for (const unsigned seed : {1u, 2u, 3u}) add("noise", Noise(full.size(), seed), false);
  for (const char* bad : {"\xF6", "\xC0\xAD", "\xED\xB0\x80"})
    add("invalid UTF-8", Replace(full, "\xC3\xB6", bad), false);
  add("NUL byte", Replace(full, "FX-200", std::string(1, '\0')), false);
  add("UTF-16LE, odd size", Utf16Le(full) + "x", false);
  add("UTF-16LE with a NUL", Utf16Le(full) + std::string(2, '\0'), false);
  add("UTF-16BE mark", "\xFE\xFF" + full, false);
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

// ---- Document paths -------------------------------------------------------------

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
}  // namespace fennimar
