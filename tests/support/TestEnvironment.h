// TestEnvironment - a fixture that gives every test its own temporary folder
// and its own XDG_CONFIG_HOME and HOME, so that no test touches the real home
// or another test's files. Helpers read and write whole files.
#ifndef FENNIMAR_TESTS_SUPPORT_TESTENVIRONMENT_H_
#define FENNIMAR_TESTS_SUPPORT_TESTENVIRONMENT_H_

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace fennimar::testing {

class IsolatedTest : public ::testing::Test {
 protected:
  IsolatedTest();
  ~IsolatedTest() override;

  // The test's own folder; removed when the test ends.
  const std::filesystem::path& root() const { return root_; }
  // Gives the test a registry that exists but lacks the keys a new
  // profile has (a new registry file on Linux holds them; the test's own
  // key on Windows is empty anyway).
  void UseRegistryWithoutProfileKeys() const;
  // `name` below root(), as UTF-16 for the library.
  std::u16string Path16(const std::string& name) const;
  std::filesystem::path PathOf(const std::string& name) const { return root_ / name; }

 private:
  std::filesystem::path root_;
  std::vector<std::pair<bool, std::string>> saved_;  // POSIX: variables replaced
};

std::string ReadFileOrDie(const std::filesystem::path& path);
void WriteFileOrDie(const std::filesystem::path& path, const std::string& bytes);
std::u16string U16(const std::string& utf8);
std::string U8(std::u16string_view utf16);
// Where the build put the template document.
std::filesystem::path TemplateDocumentPath();

}  // namespace fennimar::testing

#endif  // FENNIMAR_TESTS_SUPPORT_TESTENVIRONMENT_H_
