#include "tests/support/TestEnvironment.h"

#include <cstdlib>

namespace fennimar::testing {
namespace {

void SaveVariable(const char* name, std::string* saved, bool* had) {
  const char* value = std::getenv(name);
  *had = value != nullptr;
  if (value) *saved = value;
}

void RestoreVariable(const char* name, const std::string& saved, bool had) {
  if (had) {
    setenv(name, saved.c_str(), 1);
  } else {
    unsetenv(name);
  }
}

}  // namespace

IsolatedTest::IsolatedTest() {
  std::string pattern =
      (std::filesystem::temp_directory_path() / "fennimar-test-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) std::abort();
  root_ = pattern;
  SaveVariable("XDG_CONFIG_HOME", &saved_xdg_, &had_xdg_);
  SaveVariable("HOME", &saved_home_, &had_home_);
  std::filesystem::create_directories(root_ / "config");
  setenv("XDG_CONFIG_HOME", (root_ / "config").c_str(), 1);
  setenv("HOME", root_.c_str(), 1);
}

IsolatedTest::~IsolatedTest() {
  RestoreVariable("XDG_CONFIG_HOME", saved_xdg_, had_xdg_);
  RestoreVariable("HOME", saved_home_, had_home_);
  std::error_code ignored;
  // Give back write permission that a test took away, so removal succeeds.
  for (auto it = std::filesystem::recursive_directory_iterator(root_, ignored);
       it != std::filesystem::recursive_directory_iterator(); it.increment(ignored)) {
    if (it->is_directory(ignored) && !it->is_symlink(ignored)) {
      std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                   std::filesystem::perm_options::add, ignored);
    }
  }
  std::filesystem::permissions(root_, std::filesystem::perms::owner_all,
                               std::filesystem::perm_options::add, ignored);
  std::filesystem::remove_all(root_, ignored);
}

std::u16string IsolatedTest::Path16(const std::string& name) const {
  return U16((root_ / name).string());
}

std::filesystem::path TemplateDocumentPath() {
  return std::filesystem::path(FENNIMAR_TEST_TEMPLATE);
}

}  // namespace fennimar::testing
