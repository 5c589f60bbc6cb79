// The written form is recognised only where skipping the load's checks and
// the close's comparison changes nothing.
#include "src/platform/standin/xml/PugiXmlWrittenForm.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "src/platform/standin/StandIns.h"
#include "src/platform/standin/xml/PugiXmlLoad.h"
#include "src/platform/wiring/Wiring.h"
#include "tests/support/DocumentTest.h"

namespace fennimar::platform {
namespace {

using pugixml_load::IsWrittenForm;

class PugiXmlWrittenFormTest : public testing::DocumentTest {
 protected:
  void SetUp() override { Open(*dom_); }
  std::unique_ptr<XmlDom> dom_ = NewPugiXmlDom(*DefaultServices().files);
};

// Each loads with every check made, and is written back byte for byte.
TEST_F(PugiXmlWrittenFormTest, RecognisesWhatTheWriterWrites) {
  const std::string written[] = {
      "<r />\n",
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!-- a - comment -->\n"
      "<r a=\"1\" b=\"it's > 0\">\n  <s>t\xC3\xA9xt\tand more</s>\n  <e />\n"
      "  <!---->\n  <f x=\"\" />\n</r>\n<!-- after -->\n",
      "<r>a<b />c</r>\n",
      "<r>\n  x\n</r>\n",
  };
  for (const std::string& bytes : written) {
    EXPECT_TRUE(IsWrittenForm(bytes)) << bytes;
    std::string copy = bytes;
    pugi::xml_document checked;
    pugixml_load::SourceEncoding source;
    EXPECT_TRUE(pugixml_load::LoadDocumentChecked(copy, checked, &source)) << bytes;
    ASSERT_TRUE(Load(bytes));
    EXPECT_TRUE(doc_->SavesAsLoaded());
    std::string saved;
    ASSERT_TRUE(doc_->Serialize(&saved));
    EXPECT_EQ(saved, bytes);
  }
}

TEST(PugiXmlWrittenForm, LeavesEverythingElseToTheFullLoad) {
  const std::string others[] = {
      "<r/>\n",  // the writer puts " />"
      "<r />",   // and a last line feed
      "<r></r>\n",
      "<r>\n</r>\n",    // an empty element
      "<r a='1' />\n",  // single quotes
      "<r a=\"&amp;\" />\n",
      "<r>&#13;</r>\n",  // references
      "<r>\n\t<s />\n</r>\n",
      "<r>\n  <s />\n  </r>\n",          // other layout
      "<r>\r\n  <s />\r\n</r>\r\n",      // CR LF
      "\xEF\xBB\xBF<r />\n",             // a byte order mark
      "<r a=\"1\" a=\"2\" />\n",         // refused by the load
      "<r xml:space=\"preserve\" />\n",  // keeps white space
      "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<r />\n",
      "<?xml version=\"1.0\" encoding=\"UTF8\"?>\n<r />\n",
      "<r />\n<s />\n",  // two roots
      "<!-- a -- b -->\n<r />\n",
      "<!--a--->\n<r />\n",
      "<r>\xC3</r>\n",
      "<r>\xEF\xBF\xBF</r>\n",  // not UTF-8, not a character
      std::string("<r>\0</r>\n", 9),
      "<r><![CDATA[x]]></r>\n",
      "<?pi x?>\n<r />\n",
      "<!DOCTYPE r>\n<r />\n",
      "<r>\n  <s>t</s >\n</r>\n",
      "<r>\n  <s>t</S>\n</r>\n",
      "<1 />\n",
  };
  for (const std::string& bytes : others) EXPECT_FALSE(IsWrittenForm(bytes)) << bytes;
}

TEST_F(PugiXmlWrittenFormTest, AChangeEndsTheSameBytes) {
  ASSERT_TRUE(Load("<r a=\"1\">\n  <s />\n</r>\n"));
  doc_->RemoveChild(Root(), Child(Root(), "s"));
  EXPECT_FALSE(doc_->SavesAsLoaded());
  ASSERT_TRUE(Load("<r a=\"1\" />\n"));
  doc_->SetAttribute(Root(), u"a", u"1");
  EXPECT_FALSE(doc_->SavesAsLoaded());
  ASSERT_TRUE(Load("<r a='1' />"));
  EXPECT_FALSE(doc_->SavesAsLoaded());
}

}  // namespace
}  // namespace fennimar::platform
