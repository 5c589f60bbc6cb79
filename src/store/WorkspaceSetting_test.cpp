#include <gtest/gtest.h>

#include "tests/support/LibraryTest.h"

namespace fennimar {
namespace {

using testing::SectionTest;
using WorkspaceSettingTest = SectionTest;

std::string Workspace(int key, const std::string& name, const std::string& tail = "") {
  return "<Workspace key=\"" + std::to_string(key) + "\" name=\"" + name +
         "\" styleID=\"007\" mouseStyle=\"m\" emRecylePath=\"/e\" fuRecylePath=\"/f\" "
         "mouseNo=\"12ab\" recyleNo=\"-3\"" +
         tail + "/>";
}

std::string Full(int key, const std::string& name) {
  return Workspace(key, name, " useTarsel=\"1\"");
}

std::string Document(const std::string& workspaces) {
  return "<FennimarSetting><WorkspaceSetting>" + workspaces +
         "</WorkspaceSetting></FennimarSetting>";
}

// Every field of a record, '|' between them.
std::string Fields(const _VDESKTOPINFO_& w) {
  return std::to_string(w.key) + '|' + w.name.ToUtf8() + '|' + std::to_string(w.styleID) + '|' +
         w.mouseStyle.ToUtf8() + '|' + w.emRecylePath.ToUtf8() + '|' + w.fuRecylePath.ToUtf8() +
         '|' + std::to_string(w.mouseNo) + '|' + std::to_string(w.recyleNo) + '|' +
         std::to_string(w.useTarsel);
}

std::vector<_VDESKTOPINFO_> Read(FennimarDllInterface& library) {
  std::vector<_VDESKTOPINFO_> workspaces;
  EXPECT_EQ(library.GetWorkspcaeConfig(workspaces), RC_SUCCESS);
  return workspaces;
}

TEST_F(WorkspaceSettingTest, ReaderConvertsAppendsAndStopsAtAnIncompleteElement) {
  auto library = Open(Document(Full(1, "one") + "<!-- x -->" + Full(2, "two") +
                               Workspace(3, "three") + Full(4, "four")));
  std::vector<_VDESKTOPINFO_> workspaces(1);
  EXPECT_EQ(library->GetWorkspcaeConfig(workspaces), RC_SUCCESS);
  EXPECT_EQ(library->GetWorkspcaeConfig(workspaces), RC_SUCCESS);
  ASSERT_EQ(workspaces.size(), 5u) << "the list is never cleared";
  EXPECT_EQ(Fields(workspaces[1]), "1|one|7|m|/e|/f|12|-3|1");
  EXPECT_EQ(workspaces[4].name, u"two");
}

// Keys below 1 or beyond the list select no record and are skipped.
TEST_F(WorkspaceSettingTest, WriterGoesByKeyAsPositionAndNeverWritesTheKey) {
  auto library = Open(Document(Full(0, "zero") + Full(3, "c") + Full(1, "a") + Full(2, "b") +
                               Full(9, "nine")));
  std::vector<_VDESKTOPINFO_> workspaces;
  EXPECT_EQ(library->SetWorkspcaeConfig(workspaces), RC_SUCCESS);
  workspaces = Read(*library);
  ASSERT_EQ(workspaces.size(), 5u);
  workspaces = {workspaces[1], workspaces[2], workspaces[3]};  // c, a, b
  workspaces[0].key = 99;  // the record's own key is not looked at
  EXPECT_EQ(library->SetWorkspcaeConfig(workspaces), RC_SUCCESS);
  library = Reopen();
  std::string keys_and_names;
  for (const auto& w : Read(*library)) keys_and_names += std::to_string(w.key) + w.name.ToUtf8() + " ";
  EXPECT_EQ(keys_and_names, "0zero 3b 1c 2a 9nine ") << "key 3 takes the third record";
  const std::string saved = DocumentBytes();
  EXPECT_NE(saved.find("styleID=\"7\""), std::string::npos) << "numbers rewritten as %d";
  EXPECT_NE(saved.find("mouseNo=\"12\""), std::string::npos);
  EXPECT_EQ(saved.find("99"), std::string::npos);
}

TEST_F(WorkspaceSettingTest, WriterStopsAtAMissingAttributeAfterWritingThoseBefore) {
  const std::string no_mouse_no =
      "<Workspace key=\"2\" name=\"old\" styleID=\"1\" mouseStyle=\"old\" emRecylePath=\"old\" "
      "fuRecylePath=\"old\" recyleNo=\"1\" useTarsel=\"1\"/>";
  auto library = Open(Document(Full(1, "first") + no_mouse_no + Full(3, "third")));
  _VDESKTOPINFO_ record{0, u"new", 5, u"new", u"new", u"new", 6, 7, 8};
  std::vector<_VDESKTOPINFO_> workspaces = {record, record, record};
  EXPECT_EQ(library->SetWorkspcaeConfig(workspaces), RC_SUCCESS);
  // Read straight after the call: the early stop was saved at once.
  const std::string saved = DocumentBytes();
  EXPECT_EQ(saved.find("first"), std::string::npos);
  EXPECT_NE(saved.find("key=\"2\" name=\"new\" styleID=\"5\" mouseStyle=\"new\" emRecylePath=\"new\" "
                       "fuRecylePath=\"new\" recyleNo=\"1\" useTarsel=\"1\""),
            std::string::npos);
  EXPECT_NE(saved.find("name=\"third\""), std::string::npos) << "later elements untouched";
}

}  // namespace
}  // namespace fennimar
