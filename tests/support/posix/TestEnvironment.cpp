#include "tests/support/TestEnvironment.h"

#include <cstdlib>
#include <iterator>

namespace fennimar::testing {
namespace {

namespace fs = std::filesystem;

// The variables a test replaces, and their values before it (null: unset).
// The desktop's are removed, so that no test reaches the session's desktop.
const char* const kVariables[] = {"XDG_CONFIG_HOME",     "HOME",
                                  "XDG_CURRENT_DESKTOP", "DESKTOP_SESSION",
                                  "GSETTINGS_BACKEND",   "FENNIMAR_NO_DESKTOP"};

}  // namespace

IsolatedTest::IsolatedTest() {
  std::string pattern = (fs::temp_directory_path() / "fennimar-test-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) std::abort();
  root_ = pattern;
  for (const char* name : kVariables) {
    const char* value = std::getenv(name);
    saved_.emplace_back(value != nullptr, value ? value : "");
  }
  fs::create_directories(root_ / "config");
  setenv("XDG_CONFIG_HOME", (root_ / "config").c_str(), 1);
  setenv("HOME", root_.c_str(), 1);
  for (std::size_t i = 2; i < std::size(kVariables); ++i) unsetenv(kVariables[i]);
}

IsolatedTest::~IsolatedTest() {
  for (std::size_t i = 0; i < saved_.size(); ++i) {
    if (saved_[i].first) setenv(kVariables[i], saved_[i].second.c_str(), 1);
    if (!saved_[i].first) unsetenv(kVariables[i]);
  }
  std::error_code ignored;
  // Give back write permission that a test took away, so removal succeeds.
  for (auto it = fs::recursive_directory_iterator(root_, ignored);
       it != fs::recursive_directory_iterator(); it.increment(ignored)) {
    if (it->is_directory(ignored) && !it->is_symlink(ignored))
      fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ignored);
  }
  fs::permissions(root_, fs::perms::owner_all, fs::perm_options::add, ignored);
  fs::remove_all(root_, ignored);
}

std::u16string IsolatedTest::Path16(const std::string& name) const {
  return U16((root_ / name).string());
}

void IsolatedTest::UseRegistryWithoutProfileKeys() const {
  std::filesystem::create_directories(root_ / "config" / "fennimar");
  WriteFileOrDie(root_ / "config" / "fennimar" / "HKEY_CURRENT_USER.reg",
                 "Windows Registry Editor Version 5.00\r\n");
}

std::filesystem::path TemplateDocumentPath() { return FENNIMAR_TEST_TEMPLATE; }

}  // namespace fennimar::testing
