// LibraryTest - a fixture for tests of the library as a host sees it: the
// real file system, registry stand-in and DOM, a module folder of the test's
// own holding the template document, waits that are only counted, and a DOM
// that counts the documents it creates (one per load attempt).
#ifndef FENNIMAR_TESTS_SUPPORT_LIBRARYTEST_H_
#define FENNIMAR_TESTS_SUPPORT_LIBRARYTEST_H_

#include <filesystem>
#include <memory>
#include <string>

#include "fennimar/FennimarDllInterface.h"
#include "src/platform/wiring/Wiring.h"
#include "tests/support/FakeServices.h"
#include "tests/support/TestEnvironment.h"

namespace fennimar::testing {

class LibraryTest : public IsolatedTest {
 protected:
  LibraryTest()
      : module_(U16((root() / "module" / "host").string())),
        dom_(*platform::DefaultServices().dom),
        services_(platform::Substituted({nullptr, nullptr, &dom_, &module_, &sleeper_})),
        scoped_(services_) {
    std::filesystem::create_directories(root() / "module");
    std::filesystem::copy_file(TemplateDocumentPath(), TemplatePath());
  }

  std::filesystem::path TemplatePath() const { return root() / "module" / "Fennimar.xml"; }

  // Clears the first-use flag, as a host does after its first start, so that
  // an existing document is kept when an interface object is constructed.
  static void MarkProductUsed();

  CountingSleeper sleeper_;
  FixedModulePath module_;
  CountingXmlDom dom_;
  // The real services with the fixture's DOM, module and waits: handed to the
  // parts a test builds itself, and wired for the interface objects it builds.
  platform::Services services_;
  platform::ScopedServices scoped_;
};

// For tests of the document's sections: a document written from a literal,
// opened with the first-use flag cleared, and read back as bytes.
class SectionTest : public LibraryTest {
 protected:
  SectionTest() { MarkProductUsed(); }

  std::filesystem::path DocumentPath() const { return PathOf("settings.xml"); }
  // Writes `xml` as the document and opens an interface object on it.
  std::unique_ptr<FennimarDllInterface> Open(const std::string& xml);
  // Opens the document as it is on disk now.
  std::unique_ptr<FennimarDllInterface> Reopen();
  std::string DocumentBytes() const { return ReadFileOrDie(DocumentPath()); }
};

}  // namespace fennimar::testing

#endif  // FENNIMAR_TESTS_SUPPORT_LIBRARYTEST_H_
