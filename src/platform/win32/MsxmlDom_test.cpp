// The DOM on the system's component, held to what the sections rely on
// (see XmlDom.h). Node handles are not compared: Wine's component returns a
// new object for each step to the same node.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "src/platform/win32/Win32Backends.h"
#include "tests/support/TestEnvironment.h"

namespace fennimar::platform {
namespace {

using testing::ReadFileOrDie;
using testing::U16;
using testing::U8;
using testing::WriteFileOrDie;

std::string Utf16LeWithBom(const std::string& utf8) {
  std::string bytes = "\xFF\xFE";
  for (const char16_t c : U16(utf8)) bytes += {static_cast<char>(c), static_cast<char>(c >> 8)};
  return bytes;
}

class MsxmlDomTest : public testing::IsolatedTest {
 protected:
  MsxmlDomTest() { initialized_ = dom_->InitializeThread(); }
  ~MsxmlDomTest() override {
    doc_.reset();
    if (initialized_) dom_->UninitializeThread();
  }

  void SetUp() override {
    ASSERT_TRUE(initialized_);
    doc_ = dom_->CreateDocument();
    ASSERT_TRUE(doc_);
  }

  bool Load(const std::string& bytes) {
    WriteFileOrDie(PathOf("doc.xml"), bytes);
    const bool loaded = doc_->Load(Path16("doc.xml"));
    EXPECT_EQ(loaded, static_cast<bool>(doc_->DocumentElement()));
    return loaded;
  }
  std::string Save() {
    EXPECT_TRUE(doc_->Save(Path16("doc.xml")));
    return ReadFileOrDie(PathOf("doc.xml"));
  }
  XmlNode Root() { return doc_->DocumentElement(); }
  XmlNode Child(XmlNode parent, const char* name) {
    return doc_->SelectSingleNode(parent, U16(name));
  }
  std::string Text(XmlNode node) {
    std::u16string text = u"stale";
    doc_->GetText(node, &text);
    return U8(text);
  }
  std::string Attribute(XmlNode element, const char* name) {
    std::u16string value;
    return doc_->GetAttribute(element, U16(name), &value) ? U8(value) : "<missing>";
  }

  std::unique_ptr<XmlDom> dom_ = NewMsxmlDom();
  bool initialized_ = false;
  std::unique_ptr<XmlDocument> doc_;
};

TEST_F(MsxmlDomTest, DropsWhiteSpaceOnlyText) {
  ASSERT_TRUE(Load("<r>\n  <a>  </a>\n  <b> x </b>\n</r>\n"));
  const XmlNode a = doc_->FirstChild(Root());
  EXPECT_TRUE(doc_->IsElement(a));
  EXPECT_TRUE(Child(Root(), "a"));
  EXPECT_FALSE(doc_->NextSibling(doc_->NextSibling(a)));
  EXPECT_FALSE(doc_->FirstChild(a));
  EXPECT_EQ(Text(Child(Root(), "b")), "x");
}

TEST_F(MsxmlDomTest, NavigatesChildrenKeepingCommentsAndInstructions) {
  ASSERT_TRUE(Load("<!-- top --><r><!-- c --><?a data?><x><a/></x><A/><a k='1'/><a k='2'/></r>"));
  const XmlNode comment = doc_->FirstChild(Root());
  EXPECT_FALSE(doc_->IsElement(comment));
  EXPECT_EQ(Text(comment), "c");
  EXPECT_FALSE(doc_->IsElement(doc_->NextSibling(comment)));
  EXPECT_TRUE(doc_->IsElement(doc_->NextSibling(doc_->NextSibling(comment))));
  EXPECT_EQ(Attribute(Child(Root(), "a"), "k"), "1");
  EXPECT_TRUE(doc_->IsElement(doc_->ParentNode(Child(Root(), "a"))));
  EXPECT_FALSE(doc_->IsElement(doc_->ParentNode(Root())));
}

TEST_F(MsxmlDomTest, TextIsJoinedAndTrimmedAndSetTextReplacesAll) {
  ASSERT_TRUE(Load("<r><a> \t one  two \n</a><b>x<![CDATA[ <y> ]]><c>z</c><!--no--> </b></r>"));
  EXPECT_EQ(Text(Child(Root(), "a")), "one  two");
  const XmlNode b = Child(Root(), "b");
  EXPECT_EQ(Text(b), "x <y> z");
  EXPECT_EQ(Text(XmlNode()), "");
  doc_->SetText(b, u"new");
  EXPECT_EQ(Text(b), "new");
  EXPECT_FALSE(doc_->NextSibling(doc_->FirstChild(b)));
  doc_->SetText(b, u"");
  EXPECT_FALSE(doc_->FirstChild(b));
}

TEST_F(MsxmlDomTest, EditsRoundTripThroughTheFile) {
  ASSERT_TRUE(Load("<r a='1' b='2' c='3'><x><b/></x><y/></r>"));
  const std::u16string value = U16("<>&\"' \t tab\nline\r\nend \xF0\x9F\x98\x80 \xC3\xA9");
  doc_->SetAttribute(Root(), u"b", u"20");
  doc_->SetAttribute(Root(), u"v", value);
  std::u16string read = u"kept";
  EXPECT_FALSE(doc_->GetAttribute(Root(), u"B", &read));
  EXPECT_EQ(read, u"kept");
  EXPECT_FALSE(doc_->AppendElement(Root(), u"bad name"));
  EXPECT_TRUE(doc_->AppendElement(Root(), u"t"));
  doc_->RemoveChild(Root(), Child(Child(Root(), "x"), "b"));  // not a child: ignored
  doc_->RemoveChild(Root(), Child(Root(), "y"));
  EXPECT_EQ(Save().rfind("<r a=\"1\" b=\"20\" c=\"3\" v=", 0), 0u);

  ASSERT_TRUE(doc_->Load(Path16("doc.xml")));
  ASSERT_TRUE(doc_->GetAttribute(Root(), u"v", &read));
  EXPECT_EQ(read, value);
  EXPECT_TRUE(Child(Child(Root(), "x"), "b"));
  EXPECT_TRUE(Child(Root(), "t"));
  EXPECT_FALSE(Child(Root(), "y"));
}

TEST_F(MsxmlDomTest, SavesIndentedAsTheOtherBackendDoes) {
  ASSERT_TRUE(Load("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<r>\n  <a>x</a>\n</r>\n"));
  EXPECT_EQ(Save(), "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<r>\n  <a>x</a>\n</r>\n");
}

TEST_F(MsxmlDomTest, SavesInTheEncodingItRead) {
  ASSERT_TRUE(Load(Utf16LeWithBom("<?xml version=\"1.0\" encoding=\"UTF-16\"?>"
                                  "<r a=\"\xC3\xA9\xF0\x9F\x98\x80\"><b> x </b></r>")));
  EXPECT_EQ(Attribute(Root(), "a"), "\xC3\xA9\xF0\x9F\x98\x80");
  EXPECT_EQ(Text(Child(Root(), "b")), "x");
  doc_->SetAttribute(Root(), u"n", u"1");
  EXPECT_EQ(Save(), Utf16LeWithBom("<?xml version=\"1.0\" encoding=\"UTF-16\"?>\n<r a=\"\xC3\xA9"
                                   "\xF0\x9F\x98\x80\" n=\"1\">\n  <b> x </b>\n</r>\n"));
  ASSERT_TRUE(Load("\xEF\xBB\xBF<r>\xC3\xA9</r>"));
  EXPECT_EQ(Save(), "\xEF\xBB\xBF<r>\xC3\xA9</r>\n");
  ASSERT_TRUE(Load("<?xml version='1.0' encoding='ISO-8859-1'?><r>\xE9</r>"));
  EXPECT_EQ(Text(Root()), "\xC3\xA9");
  EXPECT_EQ(Save(), "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<r>\xE9</r>\n");
}

TEST_F(MsxmlDomTest, RefusesWhatIsNotWellFormedAndSavesNothingEmpty) {
  for (const std::string bytes : {"", "<r>", "not xml", "<a/><b/>"}) {
    ASSERT_TRUE(Load("<loaded/>"));
    EXPECT_FALSE(Load(bytes)) << bytes;
    EXPECT_FALSE(doc_->Save(Path16("other.xml")));
  }
  EXPECT_FALSE(doc_->Load(Path16("missing.xml")));
}

}  // namespace
}  // namespace fennimar::platform
