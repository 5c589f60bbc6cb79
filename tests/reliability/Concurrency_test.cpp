// Several processes change each file at once while the test reads it: no
// read finds a torn file or a lost value.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "tests/reliability/ReliabilitySupport.h"

namespace fennimar::reliability {
namespace {

using testing::ReadFileOrDie;

constexpr int kWriters = 3;
constexpr long kChanges = 300;
// Writer p saves the versions p * kStride + 1 onwards; the wallpaper writer
// of the registry kind is number kWriters.
constexpr long kStride = 100000;
// Bounds the reading loop should a writer never end.
constexpr int kMaxReadRounds = 100000;

// HWinfo.ini around the flag; the stress section grows one key per writer.
std::string IniHead(const std::string& flag) {
  return "; hardware information\r\n[SystemRequest]\r\nIsFirstFlag=" + flag +
         "\r\n[display]\r\nWidth=1920\r\n[" + kStressSection + "]\r\n";
}

std::string ValueName(int writer) { return "proc" + std::to_string(writer); }

// True for version 0 and for a version that writer `writer` may have saved.
bool SavedBy(long version, long writer) {
  return version == 0 || (version / kStride == writer && version % kStride >= 1 &&
                          version % kStride <= kChanges);
}
bool IsSaved(long version) {
  return version >= 0 && version / kStride < kWriters && SavedBy(version, version / kStride);
}

// `name`'s number in the hive's text ("name"=dword:0000000a) or in the INI
// file's stress section (name=10); -1 when it is not there.
long ValueIn(Kind kind, const std::string& text, const std::string& name) {
  const std::string spelled = kind == Kind::kIni ? name + "=" : "\"" + name + "\"=dword:";
  const std::size_t at = text.find(spelled);
  if (at == std::string::npos) return -1;
  return std::strtol(text.c_str() + at + spelled.size(), nullptr, kind == Kind::kIni ? 10 : 16);
}

class ConcurrencyTest : public ReliabilityTest {
 protected:
  // Three writers of the kind; for the registry and the INI file, three
  // processes setting values of their own, one writer of the library's value
  // and, on the INI file, a host reading the flag.
  void StartWriters() {
    const std::string name = NameOf(GetParam());
    testing::WriteFileOrDie(ini(), IniHead("1"));
    for (int p = 0; p < kWriters; ++p) {
      if (GetParam() == Kind::kDocument || GetParam() == Kind::kPassword) {
        Start(name, WriterArgs(name, p * kStride + 1, kChanges));
      } else {
        const std::string file = GetParam() == Kind::kIni ? ini().u8string() : "-";
        Start(name, {values(), name, file, ValueName(p), std::to_string(kChanges)});
      }
    }
    if (GetParam() == Kind::kRegistry) Start(name, WriterArgs(name, kWriters * kStride + 1, kChanges));
    if (GetParam() == Kind::kIni) {
      Start(name, WriterArgs(name, 1, kChanges));
      Start("ini.reads_in_a_host", WriterArgs("ini-read", 0, kChanges));
    }
  }

  void Start(const std::string& file, const std::vector<std::string>& argv) {
    writers_.push_back({file, std::make_unique<Child>(argv)});
  }

  bool AllExited() {
    return std::all_of(writers_.begin(), writers_.end(), [](Writer& w) { return w.child->Exited(); });
  }

  void Check() {
    switch (GetParam()) {
      case Kind::kDocument: CheckDocument(); break;
      case Kind::kPassword: CheckPassword(); break;
      default: CheckValues();
    }
    ++figures_[NameOf(GetParam()) + ".reads_checked"];
  }

  void CheckDocument() {
    const std::string now = ReadBack();
    ASSERT_TRUE(IsSaved(std::atol(now.c_str())) && now == SwitchesOf(std::atol(now.c_str())))
        << "switches from different saves: " << now;
  }

  // A check of the stored password succeeds, or finds the file held by a save,
  // or fails because the file changed during the check; a password never
  // saved is never accepted.
  void CheckPassword() {
    std::string now = ReadBack();
    if (now.rfind("held:", 0) == 0) ++figures_["password.checks_finding_the_file_held"];
    for (const char* accepted : {"held:", "changed:"})
      if (now.rfind(accepted, 0) == 0) now.erase(0, std::strlen(accepted));
    ASSERT_TRUE(IsSaved(NumberAfter(now, "pw")) && now == PasswordOf(NumberAfter(now, "pw")))
        << now;
    CString never_saved = u"never saved";
    ASSERT_NE(verifier_->ValidatePassword(never_saved), RC_SUCCESS);
  }

  // The registry reads through the library with a saved wallpaper, and the
  // INI file's text around the stress section is as written but for the
  // flag; no process's value ever goes back.
  void CheckValues() {
    const bool is_ini = GetParam() == Kind::kIni;
    const std::string text = ReadFileOrDie(is_ini ? ini() : hive());
    const std::string now = is_ini ? text.substr(0, IniHead("0").size()) : ReadBack();
    const long version = NumberAfter(now, "/wallpapers/");
    ASSERT_TRUE(is_ini ? now == IniHead("0") || now == IniHead("1")
                       : SavedBy(version, kWriters) && now == WallpaperOf(version))
        << now;
    for (int p = 0; p < kWriters; ++p) {
      const long value = ValueIn(GetParam(), text, ValueName(p));
      long& seen = seen_.emplace(ValueName(p), -1).first->second;
      EXPECT_GE(value, seen) << "a change of " << ValueName(p) << " was lost";
      seen = std::max(seen, value);
    }
  }

  // Every writer ended normally; counts their changes, the host's reads and
  // the password saves refused while another process held the file.
  void Finish() {
    for (const Writer& w : writers_) {
      EXPECT_EQ(w.child->Finish(), 0) << w.file << " writer";
      const bool reads = w.file.find('.') != std::string::npos;
      figures_[reads ? w.file : w.file + ".changes"] += static_cast<long>(w.child->Versions().size());
      const long busy = NumberAfter(w.child->lines().empty() ? "" : w.child->lines().back(), "done ");
      if (busy > 0) figures_[w.file + ".saves_refused_while_held"] += busy;
    }
  }

  // Every writer's last change is there; the document's last save won whole.
  void CheckFinalState() {
    if (GetParam() == Kind::kDocument) return CheckDocument();
    if (GetParam() == Kind::kPassword) {
      const long last = NumberAfter(ReadBack(), "pw");
      EXPECT_TRUE(IsSaved(last) && last % kStride == kChanges) << "the last password: " << last;
      return;
    }
    const bool is_ini = GetParam() == Kind::kIni;
    const std::string text = ReadFileOrDie(is_ini ? ini() : hive());
    for (int p = 0; p < kWriters; ++p)
      EXPECT_EQ(ValueIn(GetParam(), text, ValueName(p)), kChanges) << ValueName(p);
    EXPECT_EQ(is_ini ? text.substr(0, IniHead("0").size()) : ReadBack(),
              is_ini ? IniHead("0") : WallpaperOf(kWriters * kStride + kChanges));
  }

  struct Writer {
    std::string file;
    std::unique_ptr<Child> child;
  };
  std::vector<Writer> writers_;
  std::map<std::string, long> seen_;
  std::map<std::string, long> figures_;
};

TEST_P(ConcurrencyTest, ConcurrentWritersKeepTheFileWholeAndLoseNoChange) {
  StartWriters();
  for (int round = 0; round < kMaxReadRounds && !HasFailure() && !AllExited(); ++round) Check();
  ASSERT_FALSE(HasFailure());
  Finish();
  CheckFinalState();
  for (const auto& [name, count] : figures_) Report(name, count);
}

INSTANTIATE_TEST_SUITE_P(Kinds, ConcurrencyTest,
                         ::testing::Values(Kind::kDocument, Kind::kPassword, Kind::kRegistry,
                                           Kind::kIni),
                         KindTestName);

}  // namespace
}  // namespace fennimar::reliability
