#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "src/platform/posix/PosixBackends.h"
#include "tests/support/TestEnvironment.h"

namespace fennimar::platform {
namespace {

using testing::ReadFileOrDie;
using testing::U16;
using testing::WriteFileOrDie;

constexpr std::u16string_view kProduct = u"Software\\Tarsel\\Tarsel Kestrova2";

class HiveRegistryTest : public testing::IsolatedTest {
 protected:
  void SetUp() override {
    files_ = NewPosixFileSystem();
    ASSERT_NE(files_, nullptr);
    registry_ = NewHiveRegistry(*files_);
  }

  std::filesystem::path HiveFile() const {
    return root() / "config" / "fennimar" / "HKEY_CURRENT_USER.reg";
  }

  RegKey Create(std::u16string_view subkey) {
    RegKey key = kNullKey;
    const Status created = registry_->CreateKey(kHkeyCurrentUser, subkey, &key);
    EXPECT_TRUE(created.ok()) << created.message();
    return key;
  }

  Status Open(std::u16string_view subkey, RegKey* key) {
    return registry_->OpenKey(kHkeyCurrentUser, subkey, kKeyAllAccess, key);
  }

  Status Set(RegKey key, std::u16string_view name, std::string_view bytes) {
    return registry_->SetValue(key, name, kRegBinary, bytes.data(),
                               static_cast<std::uint32_t>(bytes.size()));
  }

  // The value's bytes, or "" when it cannot be read.
  std::string Get(RegKey key, std::u16string_view name) {
    char buffer[64];
    std::uint32_t type = 0, size = sizeof buffer;
    if (!registry_->QueryValue(key, name, &type, buffer, &size).ok()) return "";
    return std::string(buffer, size);
  }

  std::unique_ptr<FileSystem> files_;
  std::unique_ptr<Registry> registry_;
};

TEST_F(HiveRegistryTest, CreateKeyMakesParentsInAPrivateFile) {
  const RegKey key = Create(kProduct);
  ASSERT_TRUE(Set(key, u"IsFirstUse", std::string("\1\0\0\0", 4)).ok());
  struct stat info {};
  ASSERT_EQ(::stat(HiveFile().c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0600u);
  EXPECT_NE(ReadFileOrDie(HiveFile()).find("\r\n[HKEY_CURRENT_USER\\Software\\Tarsel]\r\n"),
            std::string::npos);

  RegKey parent = kNullKey, same = kNullKey;
  ASSERT_TRUE(Open(u"software\\TARSEL", &parent).ok());
  ASSERT_TRUE(registry_->OpenKey(parent, u"tarsel kestrova2\\", kKeyAllAccess, &same).ok());
  EXPECT_EQ(Get(same, u"ISFIRSTUSE"), std::string("\1\0\0\0", 4));
  for (const RegKey open : {key, parent, same}) EXPECT_TRUE(registry_->CloseKey(open).ok());
  EXPECT_EQ(registry_->CloseKey(key).code(), Status::Code::kInvalid);
  EXPECT_EQ(registry_->CloseKey(0x1234).code(), Status::Code::kInvalid);
  EXPECT_TRUE(registry_->CloseKey(kHkeyCurrentUser).ok());
}

TEST_F(HiveRegistryTest, OpeningAMissingKeyFailsAndCreatesNothing) {
  RegKey key = kNullKey;
  EXPECT_TRUE(Open(kProduct, &key).IsNotFound());
  EXPECT_FALSE(std::filesystem::exists(root() / "config" / "fennimar"));

  Create(u"Software");
  const std::string before = ReadFileOrDie(HiveFile());
  EXPECT_TRUE(Open(kProduct, &key).IsNotFound());
  EXPECT_EQ(registry_->OpenKey(kHkeyCurrentUser, u"\\Software", kKeyAllAccess, &key).code(),
            Status::Code::kInvalid);
  EXPECT_EQ(ReadFileOrDie(HiveFile()), before);
}

TEST_F(HiveRegistryTest, QueryValueNeedsRoomForTheWholeValue) {
  const RegKey key = Create(kProduct);
  ASSERT_TRUE(Set(key, u"Eight", "12345678").ok());
  char data[8];
  std::uint32_t type = 0, size = 8;
  ASSERT_TRUE(registry_->QueryValue(key, u"Eight", &type, data, &size).ok());
  EXPECT_EQ(type, kRegBinary);
  EXPECT_EQ(std::string(data, size), "12345678");

  std::memset(data, 0x5a, sizeof data);
  size = 7;
  EXPECT_EQ(registry_->QueryValue(key, u"Eight", &type, data, &size).code(),
            Status::Code::kTooLarge);
  EXPECT_EQ(size, 8u);
  EXPECT_EQ(std::string(data, 8), std::string(8, '\x5a'));
  EXPECT_TRUE(registry_->QueryValue(key, u"Nine", &type, data, &size).IsNotFound());
}

TEST_F(HiveRegistryTest, FindsTheHiveAfreshAtEachOpen) {
  const RegKey first = Create(kProduct);
  std::filesystem::create_directories(root() / "other");
  setenv("XDG_CONFIG_HOME", (root() / "other").c_str(), 1);
  RegKey key = kNullKey;
  EXPECT_TRUE(Open(kProduct, &key).IsNotFound());
  // A key opened before stays in its own file.
  ASSERT_TRUE(Set(first, u"Old", "o").ok());
  ASSERT_TRUE(Set(Create(u"New"), u"Value", "n").ok());
  EXPECT_TRUE(std::filesystem::exists(root() / "other" / "fennimar" / "HKEY_CURRENT_USER.reg"));

  setenv("XDG_CONFIG_HOME", "", 1);
  std::filesystem::create_directories(root() / ".config" / "fennimar");
  std::filesystem::rename(HiveFile(), root() / ".config" / "fennimar" / "HKEY_CURRENT_USER.reg");
  ASSERT_TRUE(Open(kProduct, &key).ok());
  EXPECT_EQ(Get(key, u"old"), "o");
}

TEST_F(HiveRegistryTest, DamagedHiveIsReportedAndNeverOverwritten) {
  const std::string head = "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\A]\r\n";
  const std::string damaged[] = {
      head + "\"a\"=hex:01,02,\\\r\n",            // cut inside a value
      head + "\"a\"=hex:01,zz\r\n",               // bad hex
      "[HKEY_CURRENT_USER\\A]\r\n",               // no header
      head + std::string("\"a\"=\"\0\"\r\n", 9),  // a NUL byte
      head + std::string(1 << 20, 'x'),           // a 1 MB line
  };
  const RegKey key = Create(u"A");
  for (const std::string& bytes : damaged) {
    WriteFileOrDie(HiveFile(), bytes);
    RegKey opened = kNullKey;
    EXPECT_EQ(Open(u"A", &opened).code(), Status::Code::kCorrupt);
    EXPECT_EQ(Set(key, u"a", "x").code(), Status::Code::kCorrupt);
    EXPECT_EQ(registry_->CreateKey(kHkeyCurrentUser, u"B", &opened).code(), Status::Code::kCorrupt);
    EXPECT_EQ(ReadFileOrDie(HiveFile()), bytes);
  }
}

// Sets `count` values named after `process` through a registry of its own and
// reports through the exit status whether every one was written.
int SetValuesInChild(char process, int count) {
  auto files = NewPosixFileSystem();
  auto registry = NewHiveRegistry(*files);
  RegKey key = kNullKey;
  if (!registry->CreateKey(kHkeyCurrentUser, kProduct, &key).ok()) return 1;
  for (int i = 0; i < count; ++i) {
    const std::string data = process + std::to_string(i);
    const std::u16string name = U16(data);
    if (!registry
             ->SetValue(key, name, kRegBinary, data.data(), static_cast<std::uint32_t>(data.size()))
             .ok())
      return 1;
  }
  return 0;
}

TEST_F(HiveRegistryTest, TwoProcessesChangingDifferentValuesLoseNone) {
  constexpr int kCount = 100;
  pid_t children[2];
  for (int i = 0; i < 2; ++i) {
    children[i] = fork();
    ASSERT_GE(children[i], 0);
    if (children[i] == 0) _exit(SetValuesInChild(static_cast<char>('a' + i), kCount));
  }
  for (const pid_t child : children) {
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }
  RegKey key = kNullKey;
  ASSERT_TRUE(Open(kProduct, &key).ok());
  for (const char process : {'a', 'b'}) {
    for (int i = 0; i < kCount; ++i) {
      const std::string data = process + std::to_string(i);
      EXPECT_EQ(Get(key, U16(data)), data);
    }
  }
}

}  // namespace
}  // namespace fennimar::platform
