#include "tests/reliability/HostileInput.h"

#include <algorithm>
#include <functional>
#include <iostream>
#include <random>
#include <set>
#include <sstream>

#include "tests/reliability/Platform.h"
#include "tests/support/SectionAnswers.h"

namespace fennimar::hostile {
namespace {

// Reading a huge file whole would raise the peak by its size at least.
constexpr long kMaxPeakGrowthKb = 16 * 1024;
// What an object without a document answers: RC_FAIL everywhere, no output.
constexpr char kEmptyAnswers[] =
    "apps 0\nconfig 0 -1 -1 -1 -1\nswitch 0 -1\nswitch 0 -1\nswitch 0 -1\nswitch 0 -1\n"
    "background 0 - -1\nworkspaces 0";

// Only huge inputs are measured: under AddressSanitizer freed memory is held
// back, so the peak of an ordinary input's dozen load attempts adds up.
long PeakGrowthKb(const Input& input, const std::function<void()>& run) {
  if (input.pad_to == 0) return run(), 0;
  return reliability::PeakGrowthKb(run);
}

// What shows that a file was replaced or changed: its identity on the file
// system, size and time, and its bytes when it is not huge.
std::string StateOf(const fs::path& path) {
  std::error_code error;
  const auto status = fs::symlink_status(path, error);
  if (error || !fs::exists(status)) return "missing";
  std::ostringstream state;
  state << reliability::FileIdentity(path);
  if (fs::is_regular_file(status)) {
    state << ' ' << fs::file_size(path) << ' '
          << fs::last_write_time(path).time_since_epoch().count() << '\n';
    if (fs::file_size(path) < kMegabyte * 4) state << ReadFileOrDie(path);
  }
  return state.str();
}

std::set<std::string> Listing(const fs::path& folder) {
  std::set<std::string> names;
  for (fs::recursive_directory_iterator it(folder), end; it != end; ++it)
    names.insert(it->path().lexically_relative(folder).string());
  return names;
}

// The entries that appeared ("+name") or went ("-name"), but for new ones
// below `allowed`.
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

std::string Answers(FennimarDllInterface& lib) {
  using Lib = FennimarDllInterface;
  static constexpr _Fennimar_ReturnCode_ (Lib::*kSwitches[])(int&) = {
      &Lib::IsLaunchcodeEnabled, &Lib::IsMouseHookEnabled, &Lib::IsSoundEffectEnabled,
      &Lib::IsLightEffectEnabled};
  return testing::SectionAnswers(lib, [&](int i, int& value) { return (lib.*kSwitches[i])(value); });
}

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

}  // namespace

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

void WriteInput(const fs::path& path, const Input& input) {
  WriteFileOrDie(path, input.bytes);
  if (input.pad_to > 0) fs::resize_file(path, input.pad_to);
}

void HostileInputTest::Report(const char* family, std::size_t count) {
  std::cout << "[ catalogue] " << family << ": " << count << " inputs tried\n";
  RecordProperty(family, static_cast<int>(count));
}

void HostileInputTest::SetUp() { loaded_ = Answers(*Open(ReadFileOrDie(TemplatePath()))); }

void HostileInputTest::CheckDocument(const fs::path& path, const Input& input, bool kept,
                                     const std::string& may_create) {
  const std::set<std::string> listing = Listing(root());
  const std::string before = StateOf(path);
  std::string answers, writers = "00000";
  EXPECT_LT(PeakGrowthKb(input,
                         [&] {
                           FennimarDllInterface lib{CString(U16(path.u8string()))};
                           answers = Answers(lib);
                           if (!input.readable) writers = WriterAnswers(lib);
                         }),
            kMaxPeakGrowthKb);
  EXPECT_EQ(answers, input.readable ? loaded_ : kEmptyAnswers);
  EXPECT_EQ(writers, "00000");
  EXPECT_EQ(answers.find(kSecret), std::string::npos);
  if (kept) {
    EXPECT_EQ(StateOf(path), before) << "the file was changed";
  }
  EXPECT_EQ(Changes(listing, Listing(root()), may_create), "");
}

void HostileInputTest::CheckFlagFile(const fs::path& file, const std::vector<Input>& inputs,
                                     Get get, Set set) {
  auto lib = Reopen();
  for (const Input& input : inputs) {
    SCOPED_TRACE(input.name);
    WriteInput(file, input);
    const std::string before = StateOf(file);
    std::uint32_t flag = kUntouched, after = kUntouched;
    std::ostringstream answers;
    EXPECT_LT(PeakGrowthKb(input,
                           [&] {
                             answers << ((*lib).*get)(flag) << ' ' << ((*lib).*set)() << ' '
                                     << ((*lib).*get)(after);
                           }),
              kMaxPeakGrowthKb);
    answers << (after == 0 ? " 0" : " -");
    EXPECT_EQ(answers.str(), std::to_string(input.answer) + (input.readable ? " 1 1 0" : " 9 9 -"));
    EXPECT_EQ(flag, input.flag);
    if (!input.readable) {
      EXPECT_EQ(StateOf(file), before) << "the file was changed";
    }
  }
  EXPECT_GT(std::count_if(inputs.begin(), inputs.end(), [](auto& i) { return i.readable; }), 10);
}

}  // namespace fennimar::hostile
