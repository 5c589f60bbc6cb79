// The pugixml backend beyond what XmlDom_test.cpp holds every platform to.
#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <memory>
#include <string>

#include "src/platform/standin/StandIns.h"
#include "src/platform/wiring/Wiring.h"
#include "tests/support/DocumentTest.h"
#include "tests/support/FaultInjectingFileSystem.h"

namespace fennimar::platform {
namespace {

using testing::ReadFileOrDie;
using testing::U16;

class PugiXmlDomTest : public testing::DocumentTest {
 protected:
  void SetUp() override { Open(*dom_); }

  FileSystem* files_ = DefaultServices().files;
  std::unique_ptr<XmlDom> dom_ = NewPugiXmlDom(*files_);
};

TEST_F(PugiXmlDomTest, EditsAreSavedInPlace) {
  ASSERT_TRUE(Load("<r a='1' b='2' c='3'><x/></r>"));
  doc_->SetAttribute(Root(), u"b", U16("\xC3\xA9\xF0\x9F\x98\x80"));
  doc_->SetAttribute(Root(), u"d", u"4");
  doc_->SetText(doc_->AppendElement(Root(), u"t"), u"a & <b>");
  doc_->RemoveChild(Root(), Child(Root(), "x"));
  EXPECT_EQ(Save(),
            "<r a=\"1\" b=\"\xC3\xA9\xF0\x9F\x98\x80\" c=\"3\" d=\"4\">\n"
            "  <t>a &amp; &lt;b&gt;</t>\n</r>\n");
}

TEST_F(PugiXmlDomTest, RefusesWhatIsNotAPlainWellFormedDocument) {
  const auto nested = [](int depth) {
    std::string open, close;
    for (int i = 0; i < depth; ++i) open += "<a> ", close += "</a> ";
    return open + close;
  };
  // (Damaged, hostile and oversized documents are in the hostile-input catalogue.)
  const std::string refused[] = {
      "   ",
      " <?xml version='1.0'?><r/>",
      "<!--c--><?xml version='1.0'?><r/>",
      "<?xml version='1.0' encoding='Shift_JIS'?><r>\x82</r>",
      "<?xml version='1.0' encoding='UTF8'?><r/>",
      "<?xml version='1.0' encoding='IS&O-8859-1'?><r/>",
      "<?xml version='1&0'?><r/>",
      "<?xml version='1.0<a>'?><r/>",
      "<?xml version='1.0' standalone='maybe'?><r/>",
      "<?xml version='1.0' standalone='no' encoding='UTF-8'?><r/>",
      "<?xml encoding='UTF-8'?><r/>",
      nested(100000),
      std::string("\xFF\xFE\0\0<\0\0\0r\0\0\0/\0\0\0>\0\0\0", 20)};  // UTF-32
  for (const std::string& bytes : refused) {
    ASSERT_TRUE(Load("<loaded/>"));
    EXPECT_FALSE(Load(bytes)) << bytes.substr(0, 80);
  }
  ASSERT_TRUE(Load("<?xml version='1.1' encoding='UTF-8' standalone='yes'?><r/>"));
  ASSERT_TRUE(Load(nested(200)));  // within the limit, and saved
  Save();
}

TEST_F(PugiXmlDomTest, SavesInTheEncodingItRead) {
  // Any encoding iconv knows; what it cannot hold is written as a reference,
  // and a carriage return in text always is.
  ASSERT_TRUE(Load("<?xml version='1.0' encoding='windows-1252'?><r a='\x80'>\xE9</r>"));
  EXPECT_EQ(Attribute(Root(), "a"), "\xE2\x82\xAC");
  doc_->SetText(Root(), U16("\xE2\x82\xAC\r\xE6\x97\xA5\xF0\x9F\x98\x80"));
  EXPECT_EQ(Save(),
            "<?xml version=\"1.0\" encoding=\"windows-1252\"?>\n"
            "<r a=\"\x80\">\x80&#13;&#26085;&#128512;</r>\n");
  ASSERT_TRUE(Load(Save()));
  EXPECT_EQ(Text(Root()), "\xE2\x82\xAC\r\xE6\x97\xA5\xF0\x9F\x98\x80");
  ASSERT_TRUE(Load("<?xml version='1.0' encoding='GBK'?><r>\xC8\xD5</r>"));
  EXPECT_EQ(Text(Root()), "\xE6\x97\xA5");
  EXPECT_EQ(Save(), "<?xml version=\"1.0\" encoding=\"GBK\"?>\n<r>\xC8\xD5</r>\n");
}

// The destructor's "would a save write these very bytes?" is answered
// without writing for a document in the saved form; any byte more, less or
// else must still answer no.
TEST_F(PugiXmlDomTest, SavedFormIsRecognisedToTheByte) {
  const std::string documents[] = {
      "<?xml version=\"1.0\"?>\n<!-- c -->\n<?pi v?>\n<r a=\"&amp;&lt;&quot;'>&#09;&#13;\">\n"
      "  <t>x &amp;&#13; &lt;y&gt; \"'</t>\n  <e />\n  <n>\n    <e b=\"\" />\n  </n>\n</r>\n",
      "<r a=\"x > y\">\n  <t>1</t>\n  <e b=\"\" c=\"/p q\" />\n</r>\n"};  // nothing escaped
  for (const std::string& saved : documents) {
    ASSERT_TRUE(Load(saved));
    ASSERT_EQ(Save(), saved);
    EXPECT_TRUE(doc_->SerializesTo(saved));
    for (std::size_t i = 0; i <= saved.size(); ++i) {
      std::string other = saved;
      other.insert(i, 1, i % 2 ? ' ' : '\t');
      EXPECT_FALSE(doc_->SerializesTo(other)) << other;
      if (i == saved.size()) break;
      EXPECT_FALSE(doc_->SerializesTo(saved.substr(0, i) + saved.substr(i + 1))) << i;
    }
  }
}

// The save is written in chunks: a write that fails after some of them went
// out fails the save as a whole.
TEST_F(PugiXmlDomTest, FailedSaveLeavesTheFileAsItWas) {
  using Op = testing::FaultInjectingFileSystem::Op;
  std::string large = "<r>\n";
  for (int i = 0; i < 5000; ++i) large += "  <a k=\"" + std::to_string(i) + "\">old</a>\n";
  large += "</r>\n";
  testing::FaultInjectingFileSystem failing(*files_);
  failing.FailOperation(Op::kAppend, 2, EIO);
  doc_.reset();
  dom_ = NewPugiXmlDom(failing);
  Open(*dom_);
  ASSERT_TRUE(Load(large));
  doc_->SetText(Child(Root(), "a"), u"new");
  EXPECT_FALSE(doc_->Save(Path16("doc.xml")));
  EXPECT_EQ(ReadFileOrDie(PathOf("doc.xml")), large);
  for (const auto& entry : std::filesystem::directory_iterator(root())) {
    EXPECT_EQ(entry.path().filename().string().find("tmp"), std::string::npos) << entry.path();
  }
}

}  // namespace
}  // namespace fennimar::platform
