#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <iterator>
#include <memory>
#include <string>

#include "src/platform/posix/PosixBackends.h"
#include "tests/support/TestEnvironment.h"

namespace fennimar::platform {
namespace {

using fennimar::testing::ReadFileOrDie;
using fennimar::testing::U16;
using fennimar::testing::U8;
using fennimar::testing::WriteFileOrDie;

// Forwards to the real file system but fails every rename, so that no write
// can complete.
class RenameFailingFileSystem : public FileSystem {
 public:
  explicit RenameFailingFileSystem(FileSystem& real) : real_(real) {}
  bool PathExists(std::u16string_view p) override { return real_.PathExists(p); }
  Status CreateDirectory(std::u16string_view p) override { return real_.CreateDirectory(p); }
  Status ReadFile(std::u16string_view p, std::size_t max, std::string* bytes) override {
    return real_.ReadFile(p, max, bytes);
  }
  Status CreateUniqueFile(std::u16string_view prefix, unsigned mode, std::u16string* created,
                          std::unique_ptr<WritableFile>* file) override {
    return real_.CreateUniqueFile(prefix, mode, created, file);
  }
  Status RenameFile(std::u16string_view, std::u16string_view) override {
    return Status::IoError("rename refused by the test");
  }
  Status RemoveFile(std::u16string_view p) override { return real_.RemoveFile(p); }
  Status SyncDirectory(std::u16string_view p) override { return real_.SyncDirectory(p); }
  Status GetPermissions(std::u16string_view p, unsigned* mode) override {
    return real_.GetPermissions(p, mode);
  }
  Status ResolveLinks(std::u16string_view p, std::u16string* resolved) override {
    return real_.ResolveLinks(p, resolved);
  }
  Status LockFile(std::u16string_view p, std::unique_ptr<FileLock>* lock) override {
    return real_.LockFile(p, lock);
  }
  Status LockExistingFile(std::u16string_view p, std::unique_ptr<FileLock>* lock) override {
    return real_.LockExistingFile(p, lock);
  }

 private:
  FileSystem& real_;
};

std::string Utf16LeWithBom(const std::string& utf8) {
  std::string bytes = "\xFF\xFE";
  for (const char16_t c : U16(utf8)) {
    bytes += static_cast<char>(c & 0xFF);
    bytes += static_cast<char>(c >> 8);
  }
  return bytes;
}

class PugiXmlDomTest : public fennimar::testing::IsolatedTest {
 protected:
  void SetUp() override {
    files_ = NewPosixFileSystem();
    ASSERT_NE(files_, nullptr);
    dom_ = NewPugiXmlDom(*files_);
    ASSERT_TRUE(dom_->InitializeThread());
    doc_ = dom_->CreateDocument();
    ASSERT_NE(doc_, nullptr);
  }
  void TearDown() override {
    if (dom_) dom_->UninitializeThread();
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

  std::unique_ptr<FileSystem> files_;
  std::unique_ptr<XmlDom> dom_;
  std::unique_ptr<XmlDocument> doc_;
};

TEST_F(PugiXmlDomTest, DropsLayoutWhiteSpaceEvenInAnOtherwiseEmptyElement) {
  ASSERT_TRUE(Load("<r>\n  <a>  </a>\n  <b> x </b>\n</r>\n"));
  const XmlNode a = doc_->FirstChild(Root());
  EXPECT_EQ(a, Child(Root(), "a"));
  EXPECT_EQ(doc_->NextSibling(a), Child(Root(), "b"));
  EXPECT_FALSE(doc_->NextSibling(doc_->NextSibling(a)));
  EXPECT_FALSE(doc_->FirstChild(a));
  EXPECT_EQ(Text(Child(Root(), "b")), "x");
}

TEST_F(PugiXmlDomTest, KeepsWhiteSpaceUnderNearestPreserve) {
  ASSERT_TRUE(Load("<r xml:space='preserve'><a>  </a><b xml:space='default'><c> </c></b></r>"));
  EXPECT_TRUE(doc_->FirstChild(Child(Root(), "a")));
  EXPECT_EQ(Text(Child(Root(), "a")), "");
  EXPECT_FALSE(doc_->FirstChild(Child(Child(Root(), "b"), "c")));
}

TEST_F(PugiXmlDomTest, KeepsCommentsAndInstructionsAndWritesThemBack) {
  ASSERT_TRUE(
      Load("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!-- top -->\n"
           "<r><!-- c --><?a data?><a/></r>"));
  const XmlNode comment = doc_->FirstChild(Root());
  EXPECT_FALSE(doc_->IsElement(comment));
  EXPECT_EQ(Text(comment), "c");
  EXPECT_FALSE(doc_->IsElement(doc_->NextSibling(comment)));
  // The instruction is named "a" too; only the element counts.
  EXPECT_EQ(doc_->NextSibling(doc_->NextSibling(comment)), Child(Root(), "a"));
  const std::string saved = Save();
  EXPECT_EQ(saved.rfind("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!-- top -->\n", 0), 0u);
  EXPECT_NE(saved.find("<!-- c -->"), std::string::npos);
  EXPECT_NE(saved.find("<?a data?>"), std::string::npos);
}

TEST_F(PugiXmlDomTest, AddsNoDeclarationAndIndentsWithTwoSpaces) {
  ASSERT_TRUE(Load("<r><a/></r>"));
  EXPECT_EQ(Save(), "<r>\n  <a />\n</r>\n");
}

TEST_F(PugiXmlDomTest, NavigatesDirectChildrenByExactName) {
  ASSERT_TRUE(Load("<r><x><a/></x><A/><a k='1'/><a k='2'/></r>"));
  EXPECT_EQ(Attribute(Child(Root(), "a"), "k"), "1");
  EXPECT_FALSE(Child(Root(), "b"));
  EXPECT_EQ(doc_->ParentNode(Child(Root(), "a")), Root());
  EXPECT_FALSE(doc_->IsElement(doc_->ParentNode(Root())));
  EXPECT_FALSE(Child(XmlNode(), "a"));
  EXPECT_FALSE(doc_->FirstChild(XmlNode()));
}

TEST_F(PugiXmlDomTest, TextIsConcatenatedAndTrimmed) {
  ASSERT_TRUE(Load("<r><a> \t one  two \n</a><b>x<![CDATA[ <y> ]]><c>z</c><!--no--> </b></r>"));
  EXPECT_EQ(Text(Child(Root(), "a")), "one  two");
  EXPECT_EQ(Text(Child(Root(), "b")), "x <y> z");
  EXPECT_EQ(Text(XmlNode()), "");
}

TEST_F(PugiXmlDomTest, SetTextReplacesAllContent) {
  ASSERT_TRUE(Load("<r><b>x<c>z</c></b></r>"));
  const XmlNode b = Child(Root(), "b");
  doc_->SetText(b, u"new");
  EXPECT_EQ(Text(b), "new");
  EXPECT_FALSE(doc_->NextSibling(doc_->FirstChild(b)));
  doc_->SetText(b, u"");
  EXPECT_FALSE(doc_->FirstChild(b));
}

TEST_F(PugiXmlDomTest, AttributesKeepTheirOrderWhenReplaced) {
  ASSERT_TRUE(Load("<r a='1' b='2' c='3'/>"));
  doc_->SetAttribute(Root(), u"b", u"20");
  doc_->SetAttribute(Root(), u"d", u"4");
  std::u16string value = u"kept";
  EXPECT_FALSE(doc_->GetAttribute(Root(), u"B", &value));
  EXPECT_EQ(value, u"kept");
  EXPECT_TRUE(doc_->HasAttribute(Root(), u"d"));
  EXPECT_EQ(Save(), "<r a=\"1\" b=\"20\" c=\"3\" d=\"4\" />\n");
}

TEST_F(PugiXmlDomTest, TrickyValuesRoundTrip) {
  ASSERT_TRUE(Load("<r/>"));
  const std::u16string value = U16("<>&\"' \t tab\nline\r\nend \xF0\x9F\x98\x80 \xC3\xA9");
  const std::u16string text = U16("a\tb\nc & <d> \xF0\x9F\x98\x80");
  doc_->SetAttribute(Root(), u"v", value);
  doc_->SetText(doc_->AppendElement(Root(), u"t"), text);
  Save();
  auto reloaded = dom_->CreateDocument();
  ASSERT_TRUE(reloaded->Load(Path16("doc.xml")));
  std::u16string read;
  ASSERT_TRUE(reloaded->GetAttribute(reloaded->DocumentElement(), u"v", &read));
  EXPECT_EQ(read, value);
  reloaded->GetText(reloaded->SelectSingleNode(reloaded->DocumentElement(), u"t"), &read);
  EXPECT_EQ(read, text);
  // Like any XML writer, pugixml writes a CR in text as it is, and reading
  // turns line ends into LF; attribute values keep it (written as &#13;).
  doc_->SetText(Child(Root(), "t"), u"a\r\nb");
  Save();
  ASSERT_TRUE(reloaded->Load(Path16("doc.xml")));
  reloaded->GetText(reloaded->SelectSingleNode(reloaded->DocumentElement(), u"t"), &read);
  EXPECT_EQ(read, u"a\nb");
}

TEST_F(PugiXmlDomTest, EditsNodes) {
  ASSERT_TRUE(Load("<r><a/><x><b/></x></r>"));
  const XmlNode added = doc_->AppendElement(Root(), u"c");
  EXPECT_EQ(doc_->ParentNode(added), Root());
  EXPECT_FALSE(doc_->NextSibling(added));
  EXPECT_FALSE(doc_->AppendElement(Root(), u"bad name"));
  doc_->RemoveChild(Root(), Child(Child(Root(), "x"), "b"));  // not a child: ignored
  EXPECT_TRUE(Child(Child(Root(), "x"), "b"));
  doc_->RemoveChild(Root(), Child(Root(), "a"));
  EXPECT_EQ(doc_->FirstChild(Root()), Child(Root(), "x"));
}

class PugiXmlDomRefusedTest : public PugiXmlDomTest,
                              public ::testing::WithParamInterface<std::string> {};

TEST_P(PugiXmlDomRefusedTest, LeavesNoDocumentElement) {
  ASSERT_TRUE(Load("<loaded/>"));
  EXPECT_FALSE(Load(GetParam()));
  EXPECT_FALSE(doc_->Save(Path16("other.xml")));
}

INSTANTIATE_TEST_SUITE_P(
    PugiXmlDom, PugiXmlDomRefusedTest,
    ::testing::Values("", "   ", "<r><a></r>", "<r><a>", "<r a='1></r>", "<!-- only -->",
                      "<r/><s/>", "<r/>junk", "<r x='1' x='2'/>", " <?xml version='1.0'?><r/>",
                      "<!--c--><?xml version='1.0'?><r/>", "<!DOCTYPE r><r/>", "<r/><!DOCTYPE r>",
                      "<?xml version='1.0'?><!DOCTYPE lolz [<!ENTITY lol 'lol'>"
                      "<!ENTITY lol2 '&lol;&lol;&lol;&lol;'>]><lolz>&lol2;</lolz>",
                      "<?xml version='1.0' encoding='windows-1252'?><r/>",
                      "<?xml version='1.0' encoding='UTF8'?><r/>", "<r>\xC3\x28</r>",
                      "<r>\xED\xA0\x80</r>",
                      std::string("\xFF\xFE\0\0<\0\0\0r\0\0\0/\0\0\0>\0\0\0", 20)));  // UTF-32

TEST_F(PugiXmlDomTest, RefusesMissingAndOversizedFiles) {
  EXPECT_FALSE(doc_->Load(Path16("missing.xml")));
  WriteFileOrDie(PathOf("big.xml"), "<r/>");
  std::filesystem::resize_file(PathOf("big.xml"), (std::uintmax_t{64} << 20) + 1);
  EXPECT_FALSE(doc_->Load(Path16("big.xml")));
}

TEST_F(PugiXmlDomTest, DeepNestingIsRefusedWithoutCrashing) {
  const auto nested = [](int depth) {
    std::string text;
    for (int i = 0; i < depth; ++i) text += "<a> ";
    for (int i = 0; i < depth; ++i) text += "</a> ";
    return text;
  };
  EXPECT_FALSE(Load(nested(100000)));
  ASSERT_TRUE(Load(nested(200)));
  Save();
}

TEST_F(PugiXmlDomTest, Utf16LittleEndianIsSavedBackTheSameWay) {
  ASSERT_TRUE(
      Load(Utf16LeWithBom("<?xml version=\"1.0\" encoding=\"UTF-16\"?>"
                          "<r a=\"\xC3\xA9\xF0\x9F\x98\x80\"><b> x </b></r>")));
  EXPECT_EQ(Attribute(Root(), "a"), "\xC3\xA9\xF0\x9F\x98\x80");
  EXPECT_EQ(Text(Child(Root(), "b")), "x");
  doc_->SetAttribute(Root(), u"n", u"1");
  EXPECT_EQ(Save(), Utf16LeWithBom("<?xml version=\"1.0\" encoding=\"UTF-16\"?>\n"
                                   "<r a=\"\xC3\xA9\xF0\x9F\x98\x80\" n=\"1\">\n"
                                   "  <b> x </b>\n</r>\n"));
}

TEST_F(PugiXmlDomTest, Utf8BomAndLatin1AreKept) {
  ASSERT_TRUE(Load("\xEF\xBB\xBF<r>\xC3\xA9</r>"));
  EXPECT_EQ(Save(), "\xEF\xBB\xBF<r>\xC3\xA9</r>\n");
  ASSERT_TRUE(Load("<?xml version='1.0' encoding='ISO-8859-1'?><r>\xE9</r>"));
  EXPECT_EQ(Text(Root()), "\xC3\xA9");
  EXPECT_EQ(Save(), "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<r>\xE9</r>\n");
}

TEST_F(PugiXmlDomTest, FailedSaveLeavesTheFileAsItWas) {
  const std::string original = "<r>\n  <a>old</a>\n</r>\n";
  WriteFileOrDie(PathOf("doc.xml"), original);
  RenameFailingFileSystem failing(*files_);
  auto failing_dom = NewPugiXmlDom(failing);
  auto failing_doc = failing_dom->CreateDocument();
  ASSERT_TRUE(failing_doc->Load(Path16("doc.xml")));
  failing_doc->SetText(failing_doc->SelectSingleNode(failing_doc->DocumentElement(), u"a"), u"new");
  EXPECT_FALSE(failing_doc->Save(Path16("doc.xml")));
  EXPECT_EQ(ReadFileOrDie(PathOf("doc.xml")), original);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(root()),
                          std::filesystem::directory_iterator()),
            2);  // doc.xml and the fixture's config folder: no temporary left
}

TEST_F(PugiXmlDomTest, EmptyDocumentSavesNothing) {
  EXPECT_FALSE(doc_->DocumentElement());
  EXPECT_FALSE(doc_->Save(Path16("new.xml")));
  EXPECT_FALSE(std::filesystem::exists(PathOf("new.xml")));
}

}  // namespace
}  // namespace fennimar::platform
