#include <gtest/gtest.h>

#include <cerrno>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

#include "src/common/Numbers.h"
#include "src/platform/posix/PosixBackends.h"
#include "tests/support/FaultInjectingFileSystem.h"
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

class PugiXmlDomTest : public testing::IsolatedTest {
 protected:
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

  std::unique_ptr<FileSystem> files_ = NewPosixFileSystem();
  std::unique_ptr<XmlDom> dom_ = NewPugiXmlDom(*files_);
  std::unique_ptr<XmlDocument> doc_ = dom_->CreateDocument();
};

TEST_F(PugiXmlDomTest, DropsWhiteSpaceOnlyTextUnlessNearestXmlSpacePreserves) {
  ASSERT_TRUE(Load("<r>\n  <a>  </a>\n  <b> x </b>\n</r>\n"));
  const XmlNode a = doc_->FirstChild(Root());
  EXPECT_EQ(a, Child(Root(), "a"));
  EXPECT_EQ(doc_->NextSibling(a), Child(Root(), "b"));
  EXPECT_FALSE(doc_->NextSibling(doc_->NextSibling(a)));
  EXPECT_FALSE(doc_->FirstChild(a));
  EXPECT_EQ(Text(Child(Root(), "b")), "x");
  ASSERT_TRUE(Load("<r xml:space='preserve'><a>  </a><b xml:space='default'><c> </c></b></r>"));
  EXPECT_TRUE(doc_->FirstChild(Child(Root(), "a")));
  EXPECT_EQ(Text(Child(Root(), "a")), "");
  EXPECT_FALSE(doc_->FirstChild(Child(Child(Root(), "b"), "c")));
}

TEST_F(PugiXmlDomTest, ChildrenIncludeCommentsAndInstructionsButSelectFindsElements) {
  ASSERT_TRUE(Load("<!-- top --><r><!-- c --><?a data?><x><a/></x><A/><a k='1'/><a k='2'/></r>"));
  const XmlNode comment = doc_->FirstChild(Root());
  EXPECT_EQ(Text(comment), "c");
  EXPECT_FALSE(doc_->IsElement(doc_->NextSibling(comment)));
  EXPECT_EQ(doc_->NextSibling(doc_->NextSibling(comment)), Child(Root(), "x"));
  EXPECT_EQ(Attribute(Child(Root(), "a"), "k"), "1");  // a direct child of that exact name
}

TEST_F(PugiXmlDomTest, TextIsJoinedAndTrimmedAndSetTextReplacesAll) {
  ASSERT_TRUE(Load("<r><a> \t one  two \n</a><b>x<![CDATA[ <y> ]]><c>z</c><!--no--> </b></r>"));
  EXPECT_EQ(Text(Child(Root(), "a")), "one  two");
  const XmlNode b = Child(Root(), "b");
  EXPECT_EQ(Text(b), "x <y> z");
  doc_->SetText(b, u"new");
  EXPECT_EQ(Text(b), "new");
  EXPECT_FALSE(doc_->NextSibling(doc_->FirstChild(b)));
  doc_->SetText(b, u"");
  EXPECT_FALSE(doc_->FirstChild(b));
}

// A number is read from any node as from its text, whatever the shape.
TEST_F(PugiXmlDomTest, TextAsDecimalReadsAsTheTextReads) {
  ASSERT_TRUE(Load("<r><a> \t-12x </a><b><![CDATA[ 7]]></b><c>3<d>4</d></c><e/><!-- 5 -->"
                   "<f>\xC3\xA9</f><g>99999999999</g></r>"));
  for (XmlNode node = doc_->FirstChild(Root()); node; node = doc_->NextSibling(node)) {
    std::u16string text;
    doc_->GetText(node, &text);
    EXPECT_EQ(doc_->GetTextAsDecimal(node), ParseDecimal(text)) << U8(text);
  }
  EXPECT_EQ(doc_->GetTextAsDecimal(Child(Root(), "a")), -12);
  EXPECT_EQ(doc_->GetTextAsDecimal(Child(Root(), "c")), 34);
}

TEST_F(PugiXmlDomTest, ReplaceAttributeChangesOnlyWhatIsThere) {
  ASSERT_TRUE(Load("<r a='1' b='2'/>"));
  EXPECT_TRUE(doc_->ReplaceAttribute(Root(), u"a", u"x"));
  EXPECT_FALSE(doc_->ReplaceAttribute(Root(), u"c", u"y"));
  EXPECT_FALSE(doc_->ReplaceAttribute(doc_->ParentNode(Root()), u"a", u"z"));
  EXPECT_EQ(Save(), "<r a=\"x\" b=\"2\" />\n");
}

TEST_F(PugiXmlDomTest, EditsAreSavedInPlace) {
  ASSERT_TRUE(Load("<r a='1' b='2' c='3'><x/></r>"));
  doc_->SetAttribute(Root(), u"b", U16("\xC3\xA9\xF0\x9F\x98\x80"));
  doc_->SetAttribute(Root(), u"d", u"4");
  std::u16string read = u"kept";
  EXPECT_FALSE(doc_->GetAttribute(Root(), u"B", &read));
  EXPECT_EQ(read, u"kept");
  EXPECT_FALSE(doc_->AppendElement(Root(), u"bad name"));
  doc_->SetText(doc_->AppendElement(Root(), u"t"), u"a & <b>");
  doc_->RemoveChild(Root(), Child(Root(), "x"));
  EXPECT_EQ(Save(), "<r a=\"1\" b=\"\xC3\xA9\xF0\x9F\x98\x80\" c=\"3\" d=\"4\">\n"
                    "  <t>a &amp; &lt;b&gt;</t>\n</r>\n");
}

TEST_F(PugiXmlDomTest, RefusesWhatIsNotAPlainWellFormedDocument) {
  const auto nested = [](int depth) {
    std::string text;
    for (int i = 0; i < depth; ++i) text += "<a> ";
    for (int i = 0; i < depth; ++i) text += "</a> ";
    return text;
  };
  const std::string refused[] = {
      "", "   ", "<r><a></r>", "<r><a>", "<r a='1></r>", "<!-- only -->", "<r/><s/>", "<r/>junk",
      "<r x='1' x='2'/>", " <?xml version='1.0'?><r/>", "<!--c--><?xml version='1.0'?><r/>",
      "<!DOCTYPE r><r/>", "<r/><!DOCTYPE r>", "<r>\xC3\x28</r>", "<r>\xED\xA0\x80</r>",
      "<!DOCTYPE z [<!ENTITY a 'a'><!ENTITY b '&a;&a;'>]><z>&b;</z>", nested(100000),
      "<?xml version='1.0' encoding='windows-1252'?><r/>",
      "<?xml version='1.0' encoding='UTF8'?><r/>",
      std::string("\xFF\xFE\0\0<\0\0\0r\0\0\0/\0\0\0>\0\0\0", 20)};  // UTF-32
  for (const std::string& bytes : refused) {
    ASSERT_TRUE(Load("<loaded/>"));
    EXPECT_FALSE(Load(bytes)) << bytes.substr(0, 80);
    EXPECT_FALSE(doc_->Save(Path16("other.xml")));
  }
  EXPECT_FALSE(std::filesystem::exists(PathOf("other.xml")));
  EXPECT_FALSE(doc_->Load(Path16("missing.xml")));
  WriteFileOrDie(PathOf("big.xml"), "<r/>");
  std::filesystem::resize_file(PathOf("big.xml"), (std::uintmax_t{64} << 20) + 1);
  EXPECT_FALSE(doc_->Load(Path16("big.xml")));
  ASSERT_TRUE(Load(nested(200)));
  Save();
}

TEST_F(PugiXmlDomTest, SavesInTheEncodingItRead) {
  ASSERT_TRUE(Load(Utf16LeWithBom("<?xml version=\"1.0\" encoding=\"UTF-16\"?>"
                                  "<r a=\"\xC3\xA9\xF0\x9F\x98\x80\"><b> x </b></r>")));
  EXPECT_EQ(Attribute(Root(), "a"), "\xC3\xA9\xF0\x9F\x98\x80");
  EXPECT_EQ(Text(Child(Root(), "b")), "x");
  doc_->SetAttribute(Root(), u"n", u"1");
  EXPECT_EQ(Save(), Utf16LeWithBom("<?xml version=\"1.0\" encoding=\"UTF-16\"?>\n<r a=\"\xC3\xA9"
                                   "\xF0\x9F\x98\x80\" n=\"1\">\n  <b> x </b>\n</r>\n"));
  ASSERT_TRUE(Load("\xEF\xBB\xBF<r>\xC3\xA9</r>"));
  EXPECT_EQ(Save(), "\xEF\xBB\xBF<r>\xC3\xA9</r>\n");  // and no declaration added
  ASSERT_TRUE(Load("<?xml version='1.0' encoding='ISO-8859-1'?><r>\xE9</r>"));
  EXPECT_EQ(Text(Root()), "\xC3\xA9");
  EXPECT_EQ(Save(), "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<r>\xE9</r>\n");
}

// The save is written in chunks: a write that fails after some of them went
// out fails the save as a whole, like a failed rename.
TEST_F(PugiXmlDomTest, FailedSaveLeavesTheFileAsItWas) {
  using Op = testing::FaultInjectingFileSystem::Op;
  std::string large = "<r>\n";
  for (int i = 0; i < 5000; ++i) large += "  <a k=\"" + std::to_string(i) + "\">old</a>\n";
  large += "</r>\n";
  for (const Op op : {Op::kRename, Op::kAppend}) {
    testing::FaultInjectingFileSystem failing(*files_);
    failing.FailOperation(op, op == Op::kAppend ? 2 : 1, EIO);
    dom_ = NewPugiXmlDom(failing);
    doc_ = dom_->CreateDocument();
    ASSERT_TRUE(Load(large));
    doc_->SetText(Child(Root(), "a"), u"new");
    EXPECT_FALSE(doc_->Save(Path16("doc.xml")));
    EXPECT_EQ(ReadFileOrDie(PathOf("doc.xml")), large);
    for (const auto& entry : std::filesystem::directory_iterator(root())) {
      EXPECT_EQ(entry.path().filename().string().find("tmp"), std::string::npos) << entry.path();
    }
  }
}

}  // namespace
}  // namespace fennimar::platform
