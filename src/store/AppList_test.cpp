#include <gtest/gtest.h>

#include "tests/support/LibraryTest.h"

namespace fennimar {
namespace {

using testing::SectionTest;
using AppListTest = SectionTest;

std::string Item(const std::string& path, const std::string& extra = "") {
  return "<AppItem key=\"k\" path=\"" + path + "\" parameter=\"-p\" descriptionName=\"d\"" +
         extra + "/>";
}

std::string Document(const std::string& items) {
  return "<FennimarSetting><AppList>" + items + "</AppList><GlobalSetting/></FennimarSetting>";
}

TEST_F(AppListTest, ReaderAppendsAndStopsAtTheFirstIncompleteItem) {
  auto library = Open(Document(
      Item("/a") + "<!-- a note -->" +
      "<Launcher key=\"2\" path=\"/other\" parameter=\"\" descriptionName=\"\"/>" +
      "<AppItem key=\"3\" path=\"/b\" descriptionName=\"no parameter\"/>" + Item("/c")));
  std::vector<_Fennimar_AppItem_> items = {{u"0", u"/already", u"", u""}};
  EXPECT_EQ(library->GetApplicationsList(items), RC_SUCCESS);
  ASSERT_EQ(items.size(), 3u);
  EXPECT_EQ(items[0].path, u"/already") << "the caller's items stay in front";
  EXPECT_EQ(items[1].key, u"k");
  EXPECT_EQ(items[1].parameter, u"-p");
  EXPECT_EQ(items[1].descriptionName, u"d");
  EXPECT_EQ(items[2].path, u"/other") << "any element with the four attributes is an item";
}

// Comments and instructions are skipped and any complete element counts, as
// in the reader.
TEST_F(AppListTest, AddingStopsAtEightCountedAsTheReaderCounts) {
  std::string seven = "<!-- first -->";
  for (int i = 0; i < 6; ++i) seven += Item("/app" + std::to_string(i)) + "<?note ?>";
  seven += "<Launcher key=\"7\" path=\"/other\" parameter=\"\" descriptionName=\"\"/>";
  auto library = Open(Document(seven));
  _Fennimar_AppItem_ item = {u"8", u"/eighth", u"", u"Eighth <&\"'> 😀"};
  EXPECT_EQ(library->AddAppItem(item), RC_SUCCESS);
  const std::string saved = DocumentBytes();
  EXPECT_NE(saved.find("/eighth"), std::string::npos) << "saved at once";
  EXPECT_EQ(library->AddAppItem(item), RC_LIST_FULL);
  EXPECT_EQ(DocumentBytes(), saved) << "a full list is not written";

  library.reset();
  auto reopened = Reopen();
  std::vector<_Fennimar_AppItem_> items;
  EXPECT_EQ(reopened->GetApplicationsList(items), RC_SUCCESS);
  ASSERT_EQ(items.size(), 8u) << "the empty parameter is written as an empty attribute";
  EXPECT_EQ(items.back().key, u"8");
  EXPECT_EQ(items.back().descriptionName, u"Eighth <&\"'> 😀");

  // An incomplete third item cuts the count at two, so a ninth child goes in.
  std::string damaged = Item("/1") + Item("/2") + "<AppItem path=\"/3\"/>";
  for (int i = 4; i <= 8; ++i) damaged += Item("/" + std::to_string(i));
  reopened = Open(Document(damaged));
  EXPECT_EQ(reopened->AddAppItem(item), RC_SUCCESS);
  EXPECT_NE(DocumentBytes().find("/eighth"), std::string::npos);
}

TEST_F(AppListTest, DeleteRemovesOnlyTheFirstExactMatchAndAlwaysSaves) {
  const std::string original =
      Document("<AppItem key=\"x\"/>" + Item("/same", " id=\"1\"") + Item("/Other") +
               Item("/same", " id=\"2\""));
  auto library = Open(original);
  CString path(u"/same");
  EXPECT_EQ(library->DeleteAppItem(path), RC_SUCCESS);
  std::vector<_Fennimar_AppItem_> items;
  EXPECT_EQ(library->GetApplicationsList(items), RC_SUCCESS);
  EXPECT_TRUE(items.empty()) << "the item without a path ends the reader";
  EXPECT_EQ(DocumentBytes().find("id=\"1\""), std::string::npos);
  EXPECT_NE(DocumentBytes().find("id=\"2\""), std::string::npos);

  library = Open(original);
  CString other_case(u"/other");
  EXPECT_EQ(library->DeleteAppItem(other_case), RC_SUCCESS);
  EXPECT_NE(DocumentBytes(), original) << "saved even though nothing matched";
  EXPECT_NE(DocumentBytes().find("/Other"), std::string::npos);

  // Stored without its control character and with U+FFFD for its lone
  // surrogate, an item is still found by the caller's own path.
  library = Open(Document(""));
  _Fennimar_AppItem_ odd = {u"k", u"/a\x01" u"b\xD800", u"", u""};
  EXPECT_EQ(library->AddAppItem(odd), RC_SUCCESS);
  EXPECT_NE(DocumentBytes().find("path=\"/ab\xEF\xBF\xBD\""), std::string::npos);
  EXPECT_EQ(library->DeleteAppItem(odd.path), RC_SUCCESS);
  EXPECT_EQ(DocumentBytes().find("/ab"), std::string::npos);
}

}  // namespace
}  // namespace fennimar
