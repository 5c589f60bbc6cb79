// The DOM on the system's component, where it goes beyond the results every
// platform shares (XmlDom_test.cpp): the layout and encoding of what it saves,
// and what it refuses to load.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "src/platform/win32/Win32Backends.h"
#include "tests/support/DocumentTest.h"
#include "tests/support/win32/Wine.h"

namespace fennimar::platform {
namespace {

using testing::ReadFileOrDie;
using testing::U16;
using testing::U8;
using testing::WriteFileOrDie;

using testing::Utf16LeWithBom;

class MsxmlDomTest : public testing::DocumentTest {
 protected:
  void SetUp() override { Open(*dom_); }

  std::unique_ptr<XmlDom> dom_ = NewMsxmlDom();
};

TEST_F(MsxmlDomTest, SavesIndentedAsTheOtherBackendDoes) {
  ASSERT_TRUE(Load("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<r>\n  <a>x</a>\n</r>\n"));
  EXPECT_EQ(Save(), "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<r>\n  <a>x</a>\n</r>\n");
}

TEST_F(MsxmlDomTest, SerializeGivesTheBytesSaveWrites) {
  ASSERT_TRUE(Load("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!-- c --><r><a>x</a><b/></r>"));
  std::string bytes;
  ASSERT_TRUE(doc_->Serialize(&bytes));
  EXPECT_EQ(bytes, Save());
  EXPECT_FALSE(Load("not xml"));
  EXPECT_FALSE(doc_->Serialize(&bytes)) << "an empty document has nothing to give";
}

// Windows' component writes the encoding the declaration names; Wine's does
// not (see the next test).
TEST_F(MsxmlDomTest, SavesInTheEncodingItRead) {
  if (testing::RunningUnderWine()) GTEST_SKIP() << "Wine's component always writes UTF-8";
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

// Wine's component writes UTF-8 without a byte-order mark whatever the
// document declared, and keeps the declaration's text as it was. So a
// document declared UTF-16 no longer loads once saved, and one declared in
// a single-byte encoding loads its non-ASCII text differently. Documents
// declared UTF-8 (the template is one) are not affected.
TEST_F(MsxmlDomTest, UnderWineSavesUtf8WhateverTheDeclaration) {
  if (!testing::RunningUnderWine()) GTEST_SKIP() << "Windows' component honours the declaration";
  ASSERT_TRUE(Load(Utf16LeWithBom("<?xml version=\"1.0\" encoding=\"UTF-16\"?>"
                                  "<r a=\"\xC3\xA9\xF0\x9F\x98\x80\"/>")));
  EXPECT_EQ(Save(), "<?xml version=\"1.0\" encoding=\"UTF-16\"?>\n"
                    "<r a=\"\xC3\xA9\xF0\x9F\x98\x80\"/>\n");
  EXPECT_FALSE(doc_->Load(Path16("doc.xml"))) << "a declaration that the bytes contradict";

  ASSERT_TRUE(Load("\xEF\xBB\xBF<r>\xC3\xA9</r>"));
  EXPECT_EQ(Save(), "<r>\xC3\xA9</r>\n");
  ASSERT_TRUE(Load("<?xml version='1.0' encoding='ISO-8859-1'?><r>\xE9</r>"));
  EXPECT_EQ(Save(), "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<r>\xC3\xA9</r>\n");
  ASSERT_TRUE(doc_->Load(Path16("doc.xml")));
  EXPECT_EQ(Text(Root()), "\xC3\x83\xC2\xA9") << "the UTF-8 bytes read as ISO-8859-1";
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
