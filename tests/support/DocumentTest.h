// DocumentTest - a fixture for tests of an XML DOM backend: it loads bytes
// through a document in the test's own folder and reads the result back as
// UTF-8 for comparison.
#ifndef FENNIMAR_TESTS_SUPPORT_DOCUMENTTEST_H_
#define FENNIMAR_TESTS_SUPPORT_DOCUMENTTEST_H_

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "src/platform/XmlDom.h"
#include "tests/support/TestEnvironment.h"

namespace fennimar::testing {

// The bytes of `utf8` as UTF-16LE after a byte-order mark.
inline std::string Utf16LeWithBom(const std::string& utf8) {
  std::string bytes = "\xFF\xFE";
  for (const char16_t c : U16(utf8)) bytes += {static_cast<char>(c), static_cast<char>(c >> 8)};
  return bytes;
}

class DocumentTest : public IsolatedTest {
 protected:
  using XmlNode = platform::XmlNode;

  // Before the fixture's members go: the document is released while its DOM
  // and the thread's preparation still stand.
  void TearDown() override {
    doc_.reset();
    if (initialized_) dom_->UninitializeThread();
    initialized_ = false;
  }

  // Prepares this thread for `dom` (COM on Windows) once, and makes a new
  // document of `dom` the one the test works on; `dom` must live until
  // TearDown or the next Open.
  void Open(platform::XmlDom& dom) {
    if (!initialized_) initialized_ = dom.InitializeThread();
    dom_ = &dom;
    ASSERT_TRUE(initialized_);
    doc_ = dom.CreateDocument();
    ASSERT_TRUE(doc_);
  }

  // Writes `bytes` as doc.xml and loads it: a document is loaded exactly when
  // it has a root element.
  bool Load(const std::string& bytes) {
    WriteFileOrDie(PathOf("doc.xml"), bytes);
    const bool loaded = doc_->Load(Path16("doc.xml"));
    EXPECT_EQ(loaded, static_cast<bool>(doc_->DocumentElement()));
    return loaded;
  }
  // Saves over doc.xml and gives back what was written.
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
  // The attribute's value, or "<missing>".
  std::string Attribute(XmlNode element, const char* name) {
    std::u16string value;
    return doc_->GetAttribute(element, U16(name), &value) ? U8(value) : "<missing>";
  }

  std::unique_ptr<platform::XmlDocument> doc_;

 private:
  platform::XmlDom* dom_ = nullptr;
  bool initialized_ = false;
};

}  // namespace fennimar::testing

#endif  // FENNIMAR_TESTS_SUPPORT_DOCUMENTTEST_H_
