#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "fennimar/Rules.h"
#include "tests/support/LibraryTest.h"

namespace fennimar {
namespace {

using FennimarRulesTest = testing::SectionTest;

TEST_F(FennimarRulesTest, TheListTakesExactlyMaxApplications) {
  auto library = Open("<FennimarSetting><AppList/></FennimarSetting>");
  std::size_t added = 0;
  _Fennimar_AppItem_ item{u"1", u"/bin/true", u"", u"True"};
  while (added <= FennimarRules::MaxApplications() && library->AddAppItem(item) == RC_SUCCESS) {
    ++added;
  }
  EXPECT_EQ(added, FennimarRules::MaxApplications());
  EXPECT_EQ(library->AddAppItem(item), RC_LIST_FULL);
}

// Hosts name the fields by these names (the command's JSON and options).
TEST(FennimarRulesFieldsTest, NameEveryValueAsTheDocumentStoresItKeyFirst) {
  std::string fields;
  for (const auto& field : FennimarRules::WorkspaceFields()) {
    fields += CString(field.name).ToUtf8() + (field.number ? "#" : "$") + ' ';
  }
  EXPECT_EQ(fields,
            "key# name$ styleID# mouseStyle$ emRecylePath$ fuRecylePath$ mouseNo# recyleNo# "
            "useTarsel# ");
}

// A host reads the list, places it, renames the workspace with key `key` and
// writes the list back: exactly that element changes.
struct PlacingCase {
  const char* title;
  std::vector<int> keys;  // of the elements, named "a", "b", ... in order
  int key;
  std::string names;  // of the elements afterwards
};

// By its title: GoogleTest would otherwise print the struct's bytes, padding
// included, which valgrind reports as uninitialised.
void PrintTo(const PlacingCase& placing, std::ostream* out) { *out << placing.title; }

class PlacingTest : public testing::SectionTest,
                    public ::testing::WithParamInterface<PlacingCase> {};

TEST_P(PlacingTest, WritesTheRenamedWorkspaceBackIntoItsOwnElement) {
  std::string xml = "<FennimarSetting><WorkspaceSetting>";
  char name = 'a';
  for (const int key : GetParam().keys) {
    xml += "<W key=\"" + std::to_string(key) + "\" name=\"" + name++ +
           "\" styleID=\"0\" mouseStyle=\"\" emRecylePath=\"\" fuRecylePath=\"\" mouseNo=\"0\" "
           "recyleNo=\"0\" useTarsel=\"0\"/>";
  }
  auto library = Open(xml + "</WorkspaceSetting></FennimarSetting>");
  std::vector<_VDESKTOPINFO_> read;
  ASSERT_EQ(library->GetWorkspcaeConfig(read), RC_SUCCESS);
  auto placed = FennimarRules::PlaceWorkspacesByKey(read);
  const auto at = static_cast<std::size_t>(GetParam().key - 1);
  ASSERT_LT(at, placed.size());
  ASSERT_EQ(placed[at].key, GetParam().key);
  placed[at].name = u"X";
  ASSERT_EQ(library->SetWorkspcaeConfig(placed), RC_SUCCESS);
  std::string names;
  read.clear();
  ASSERT_EQ(library->GetWorkspcaeConfig(read), RC_SUCCESS);
  for (const auto& workspace : read) names += workspace.name.ToUtf8();
  EXPECT_EQ(names, GetParam().names);
}

INSTANTIATE_TEST_SUITE_P(Keys, PlacingTest,
                         ::testing::Values(PlacingCase{"InOrder", {1, 2, 3}, 2, "aXc"},
                                           PlacingCase{"Shuffled", {3, 1, 2}, 3, "Xbc"},
                                           PlacingCase{"WithGaps", {2, 5}, 5, "aX"},
                                           PlacingCase{"Repeated", {1, 1, 2}, 2, "aaX"},
                                           PlacingCase{"BelowOne", {0, -4, 1}, 1, "abX"}),
                         [](const auto& info) { return std::string(info.param.title); });

}  // namespace
}  // namespace fennimar
