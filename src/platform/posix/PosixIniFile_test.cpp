#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>

#include "src/platform/posix/PosixBackends.h"
#include "tests/support/TestEnvironment.h"

namespace fennimar::platform {
namespace {

using fennimar::testing::ReadFileOrDie;
using fennimar::testing::U16;
using fennimar::testing::WriteFileOrDie;

constexpr std::uint32_t kDefault = 0xFFFFFFFF;

std::string Utf16LeWithBom(std::u16string_view chars) {
  std::string bytes = "\xFF\xFE";
  for (const char16_t unit : chars) {
    bytes.push_back(static_cast<char>(unit & 0xFF));
    bytes.push_back(static_cast<char>(unit >> 8));
  }
  return bytes;
}

class PosixIniFileTest : public fennimar::testing::IsolatedTest {
 protected:
  void SetUp() override {
    files_ = NewPosixFileSystem();
    ASSERT_NE(files_, nullptr);
    ini_ = NewPosixIniFile(*files_);
  }

  std::uint32_t Get(const std::string& name, const char16_t* section, const char16_t* key) {
    return ini_->GetInt(Path16(name), section, key, kDefault);
  }
  bool Write(const std::string& name, const char16_t* section, const char16_t* key,
             const char16_t* value) {
    return ini_->WriteString(Path16(name), section, key, value);
  }

  std::unique_ptr<FileSystem> files_;
  std::unique_ptr<IniFile> ini_;
};

TEST_F(PosixIniFileTest, ReadsKeysAndGivesTheDefaultForWhatIsMissing) {
  WriteFileOrDie(PathOf("HWinfo.ini"),
                 "[Other]\r\nIsFirst=5\r\n[ systemREQUEST ]\r\n isfirst = '0x1F'\r\n");
  EXPECT_EQ(Get("HWinfo.ini", u"SystemRequest", u"IsFirst"), 31u);
  EXPECT_EQ(Get("HWinfo.ini", u"SystemRequest", u"Missing"), kDefault);
  EXPECT_EQ(Get("HWinfo.ini", u"Missing", u"IsFirst"), kDefault);
  EXPECT_EQ(Get("absent.ini", u"SystemRequest", u"IsFirst"), kDefault);
  EXPECT_EQ(Get("no/such/folder.ini", u"SystemRequest", u"IsFirst"), kDefault);
}

TEST_F(PosixIniFileTest, CreatesANewFileWithTheSectionAndKey) {
  ASSERT_TRUE(Write("HWinfo.ini", u"SystemRequest", u"IsFirst", u"0"));
  EXPECT_EQ(ReadFileOrDie(PathOf("HWinfo.ini")), "[SystemRequest]\r\nIsFirst=0\r\n");
  EXPECT_EQ(Get("HWinfo.ini", u"SystemRequest", u"IsFirst"), 0u);
  ASSERT_TRUE(Write("HWinfo.ini", u"SystemRequest", u"IsFirst", u"1"));
  EXPECT_EQ(Get("HWinfo.ini", u"systemrequest", u"ISFIRST"), 1u);
}

TEST_F(PosixIniFileTest, KeepsEveryOtherByteOfTheFile) {
  const std::string before =
      "\xEF\xBB\xBF; Hardware information\r\n\r\n[Display]\r\nWidth=1920\r\n\r\n"
      "[SystemRequest]\r\nIsFirst = 1 \r\n; keep me\r\nOrder=3\r\n\r\n[Tail]\r\nz=1";
  const std::string after =
      "\xEF\xBB\xBF; Hardware information\r\n\r\n[Display]\r\nWidth=1920\r\n\r\n"
      "[SystemRequest]\r\nIsFirst = 0 \r\n; keep me\r\nOrder=3\r\n\r\n[Tail]\r\nz=1";
  WriteFileOrDie(PathOf("HWinfo.ini"), before);
  ASSERT_TRUE(Write("HWinfo.ini", u"SystemRequest", u"IsFirst", u"0"));
  EXPECT_EQ(ReadFileOrDie(PathOf("HWinfo.ini")), after);
}

TEST_F(PosixIniFileTest, Utf16LeFilesRoundTrip) {
  const std::string before = Utf16LeWithBom(u"; \u00FCber\r\n[S]\r\nk=7\r\n");
  const std::string after = Utf16LeWithBom(u"; \u00FCber\r\n[S]\r\nk=0\r\n");
  WriteFileOrDie(PathOf("wide.ini"), before);
  EXPECT_EQ(Get("wide.ini", u"S", u"k"), 7u);
  ASSERT_TRUE(Write("wide.ini", u"S", u"k", u"0"));
  EXPECT_EQ(ReadFileOrDie(PathOf("wide.ini")), after);
  EXPECT_EQ(Get("wide.ini", u"S", u"k"), 0u);
}

TEST_F(PosixIniFileTest, UnreadableOrHugeFilesAreLeftAlone) {
  const std::string bad = "[S]\r\nk=1\r\n\xC3(\r\n";
  const std::string huge = "[S]\nk=1\n" + std::string((16u << 20) + 1, ';');
  for (const std::string& bytes : {bad, huge}) {
    WriteFileOrDie(PathOf("bad.ini"), bytes);
    EXPECT_EQ(Get("bad.ini", u"S", u"k"), kDefault);
    EXPECT_FALSE(Write("bad.ini", u"S", u"k", u"0"));
    EXPECT_TRUE(ReadFileOrDie(PathOf("bad.ini")) == bytes);
  }
}

TEST_F(PosixIniFileTest, WritesThatCannotHappenReturnFalse) {
  EXPECT_FALSE(Write("no/such/folder.ini", u"S", u"k", u"0"));
  if (geteuid() == 0) GTEST_SKIP() << "permissions do not bind root";
  std::filesystem::create_directory(PathOf("locked"));
  WriteFileOrDie(PathOf("locked/HWinfo.ini"), "[S]\nk=1\n");
  ASSERT_EQ(chmod(PathOf("locked").c_str(), 0555), 0);
  EXPECT_FALSE(Write("locked/HWinfo.ini", u"S", u"k", u"0"));
  EXPECT_EQ(ReadFileOrDie(PathOf("locked/HWinfo.ini")), "[S]\nk=1\n");
}

// Each child writes its own keys through its own services; the lock makes the
// read-change-replace steps of the two processes take turns.
int WriteKeysInChild(const std::u16string& path, char16_t prefix) {
  std::unique_ptr<FileSystem> files = NewPosixFileSystem();
  if (!files) return 1;
  std::unique_ptr<IniFile> ini = NewPosixIniFile(*files);
  int failures = 0;
  for (int i = 0; i < 100; ++i) {
    const std::u16string key = prefix + U16(std::to_string(i));
    if (!ini->WriteString(path, u"S", key, U16(std::to_string(i)))) ++failures;
  }
  return failures == 0 ? 0 : 1;
}

TEST_F(PosixIniFileTest, ConcurrentWritersInTwoProcessesLoseNothing) {
  const std::u16string path = Path16("HWinfo.ini");
  pid_t children[2];
  for (int child = 0; child < 2; ++child) {
    children[child] = fork();
    ASSERT_GE(children[child], 0);
    if (children[child] == 0) _exit(WriteKeysInChild(path, child == 0 ? u'a' : u'b'));
  }
  for (const pid_t child : children) {
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }
  for (int i = 0; i < 100; ++i) {
    for (const char16_t prefix : {u'a', u'b'}) {
      const std::u16string key = prefix + U16(std::to_string(i));
      EXPECT_EQ(ini_->GetInt(path, u"S", key, kDefault), static_cast<std::uint32_t>(i));
    }
  }
}

}  // namespace
}  // namespace fennimar::platform
