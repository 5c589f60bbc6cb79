#include <gtest/gtest.h>
#include <stdlib.h>

#include "fennimar/Locations.h"
#include "tests/support/TestEnvironment.h"

namespace fennimar {
namespace {

struct UserFolderCase {
  const char* title;
  const char* xdg;   // XDG_CONFIG_HOME, or null for unset
  const char* home;  // HOME, or null for unset
  const char* document;
  const char* registry;
};

class DefaultDocumentTest : public testing::IsolatedTest,
                            public ::testing::WithParamInterface<UserFolderCase> {};

void Put(const char* name, const char* value) {
  if (value == nullptr) {
    unsetenv(name);
  } else {
    setenv(name, value, 1);
  }
}

TEST_P(DefaultDocumentTest, LivesWithTheRegistryFileInTheConfigurationFolder) {
  Put("XDG_CONFIG_HOME", GetParam().xdg);
  Put("HOME", GetParam().home);
  EXPECT_EQ(FennimarLocations::DefaultDocument().ToUtf8(), GetParam().document);
  EXPECT_EQ(FennimarLocations::RegistryFile().ToUtf8(), GetParam().registry);
}

INSTANTIATE_TEST_SUITE_P(
    Environment, DefaultDocumentTest,
    ::testing::Values(UserFolderCase{"XdgConfigHome", "/x/", "/h", "/x/fennimar/Fennimar.xml",
                                     "/x/fennimar/HKEY_CURRENT_USER.reg"},
                      UserFolderCase{"RelativeXdgFallsBackToHome", "relative", "/h",
                                     "/h/.config/fennimar/Fennimar.xml",
                                     "/h/.config/fennimar/HKEY_CURRENT_USER.reg"},
                      UserFolderCase{"NeitherSet", nullptr, nullptr, "", ""},
                      UserFolderCase{"BothEmpty", "", "", "", ""}),
    [](const auto& info) { return std::string(info.param.title); });

}  // namespace
}  // namespace fennimar
