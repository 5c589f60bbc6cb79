#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "src/platform/standin/StandIns.h"
#include "src/platform/wiring/Wiring.h"
#include "tests/support/TestEnvironment.h"

namespace fennimar::platform {
namespace {

using testing::ReadFileOrDie;
using testing::WriteFileOrDie;

constexpr std::u16string_view kProduct = u"Software\\Tarsel\\Tarsel Kestrova2";

std::filesystem::path HiveIn(const std::filesystem::path& config) {
  return config / "fennimar" / "HKEY_CURRENT_USER.reg";
}

class HiveRegistryTest : public testing::IsolatedTest {
 protected:
  std::filesystem::path HiveFile() const { return HiveIn(root() / "config"); }

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

  FileSystem* files_ = DefaultServices().files;
  std::unique_ptr<Registry> registry_ = NewHiveRegistry(*files_);
};

TEST_F(HiveRegistryTest, CreateKeyMakesParentsInAPrivateFileOpenFindsThemAnyCase) {
  RegKey parent = kNullKey, same = kNullKey, missing = kNullKey;
  EXPECT_TRUE(Open(kProduct, &missing).IsNotFound());
  EXPECT_FALSE(std::filesystem::exists(HiveFile().parent_path()));
  const RegKey key = Create(kProduct);
  ASSERT_TRUE(Set(key, u"IsFirstUse", "\1").ok());
  struct stat info {};
  ASSERT_EQ(::stat(HiveFile().c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0600u);
  const std::string file = ReadFileOrDie(HiveFile());
  EXPECT_NE(file.find("\r\n[HKEY_CURRENT_USER\\Software\\Tarsel]\r\n"), std::string::npos);

  ASSERT_TRUE(Open(u"software\\TARSEL", &parent).ok());
  ASSERT_TRUE(registry_->OpenKey(parent, u"tarsel kestrova2\\", kKeyAllAccess, &same).ok());
  char read[8];
  std::uint32_t type = 0, size = sizeof read;
  ASSERT_TRUE(registry_->QueryValue(same, u"ISFIRSTUSE", &type, read, &size).ok());
  EXPECT_EQ(std::string(read, size), "\1");
  EXPECT_EQ(Open(u"\\Software", &missing).code(), Status::Code::kInvalid);
  EXPECT_EQ(ReadFileOrDie(HiveFile()), file);
  for (const RegKey open : {key, parent, same}) EXPECT_TRUE(registry_->CloseKey(open).ok());
  EXPECT_EQ(registry_->CloseKey(key).code(), Status::Code::kInvalid);
}

// A new account's registry file holds the desktop's key with no wallpaper
// yet; a file that exists is taken as it is.
TEST_F(HiveRegistryTest, ANewFileIsAFreshProfileAnExistingOneIsKeptAsItIs) {
  RegKey desktop = kNullKey;
  ASSERT_TRUE(Open(u"Control Panel\\Desktop", &desktop).ok());
  char read[8];
  std::uint32_t type = 0, size = sizeof read;
  ASSERT_TRUE(registry_->QueryValue(desktop, u"WallPaper", &type, read, &size).ok());
  EXPECT_EQ(type, kRegSz);
  EXPECT_EQ(std::string(read, size), std::string(2, '\0'));
  Create(kProduct);
  EXPECT_NE(ReadFileOrDie(HiveFile())
                .find("[HKEY_CURRENT_USER\\Control Panel\\Desktop]\r\n"
                      "\"WallPaper\"=\"\"\r\n"),
            std::string::npos);

  WriteFileOrDie(HiveFile(), "Windows Registry Editor Version 5.00\r\n");
  EXPECT_TRUE(Open(u"Control Panel\\Desktop", &desktop).IsNotFound());
}

TEST_F(HiveRegistryTest, FindsTheHiveAfreshAtEachOpen) {
  const RegKey first = Create(kProduct);
  setenv("XDG_CONFIG_HOME", "", 1);  // empty: $HOME/.config
  RegKey key = kNullKey;
  EXPECT_TRUE(Open(kProduct, &key).IsNotFound());
  ASSERT_TRUE(Set(first, u"Old", "o").ok());  // a key opened before stays in its own file
  ASSERT_TRUE(Set(Create(u"New"), u"Value", "n").ok());
  EXPECT_TRUE(std::filesystem::exists(HiveIn(root() / ".config")));
  EXPECT_NE(ReadFileOrDie(HiveFile()).find("\"Old\"=hex:6f"), std::string::npos);
  EXPECT_EQ(ReadFileOrDie(HiveFile()).find("New"), std::string::npos);
}

// Another program rewrites the file between two reads, to the same size and
// with the old modification time put back: the second read still sees it.
TEST_F(HiveRegistryTest, GetValueReadsTheFileAsItIsAtEachCall) {
  ASSERT_TRUE(Set(Create(kProduct), u"Flag", "a").ok());
  const auto get = [&](std::u16string_view subkey) {
    char read[8];
    std::uint32_t type = 0, size = sizeof read;
    const Status got = registry_->GetValue(kHkeyCurrentUser, subkey, u"flag", &type, read, &size);
    return got.ok() ? std::string(read, size) : got.message();
  };
  EXPECT_EQ(get(kProduct), "a");
  struct stat before {};
  ASSERT_EQ(::stat(HiveFile().c_str(), &before), 0);
  std::string file = ReadFileOrDie(HiveFile());
  file.replace(file.find("hex:61"), 6, "hex:62");
  WriteFileOrDie(HiveFile(), file);
  const struct timespec times[2] = {before.st_atim, before.st_mtim};
  ASSERT_EQ(::utimensat(AT_FDCWD, HiveFile().c_str(), times, 0), 0);
  EXPECT_EQ(get(kProduct), "b");
  EXPECT_EQ(get(u"Software\\Nothing"), "no registry key HKEY_CURRENT_USER\\Software\\Nothing");
}

}  // namespace
}  // namespace fennimar::platform
