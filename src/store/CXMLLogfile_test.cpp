#include "src/store/CXMLLogfile.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <memory>

#include "tests/support/FaultInjectingFileSystem.h"
#include "tests/support/LibraryTest.h"

namespace fennimar {
namespace {

namespace fs = std::filesystem;
using testing::ReadFileOrDie;
using testing::U16;
using testing::WriteFileOrDie;

constexpr char kUserDocument[] =
    "<?xml version=\"1.0\"?>\n<!-- mine -->\n<FennimarSetting><AppList/></FennimarSetting>\n";

// Where permission bits exist, a private document gets a private backup.
#ifdef _WIN32
constexpr bool kKeepsPermissionBits = false;
#else
constexpr bool kKeepsPermissionBits = true;
#endif

class CXMLLogfileTest : public testing::LibraryTest {
 protected:
  // Whether the document at `path` loads on the fixture's services, or on
  // `services` when given; the object is gone on return.
  bool Loads(const fs::path& path, int first_use = 0,
             const platform::Services* services = nullptr) const {
    CXMLLogfile logfile(services ? *services : services_, U16(path.string()), first_use);
    return logfile.IsLoaded();
  }
};

TEST_F(CXMLLogfileTest, FirstUseReplacesAnExistingDocumentOtherwiseItIsKept) {
  const fs::path document = PathOf("settings.xml");
  WriteFileOrDie(document, kUserDocument);
  EXPECT_TRUE(Loads(document));
  EXPECT_TRUE(sleeper_.waits.empty());
  EXPECT_NE(ReadFileOrDie(document).find("<!-- mine -->"), std::string::npos);

  const std::string users_bytes = ReadFileOrDie(document);
  fs::permissions(document, fs::perms(0600));
  Loads(document, /*first_use=*/1);
  EXPECT_EQ(ReadFileOrDie(document).find("<!-- mine -->"), std::string::npos);
  EXPECT_NE(ReadFileOrDie(document).find("GlobalSetting"), std::string::npos);
  const fs::path backup = document.string() + ".bak";
  EXPECT_EQ(ReadFileOrDie(backup), users_bytes);
  if (kKeepsPermissionBits) {
    EXPECT_EQ(fs::status(backup).permissions(), fs::perms(0600)) << "a private backup";
  }

  // Replacing a document that is the template keeps the user's backup.
  WriteFileOrDie(document, ReadFileOrDie(TemplatePath()));
  Loads(document, /*first_use=*/1);
  EXPECT_EQ(ReadFileOrDie(backup), users_bytes);
  // So does replacing the template as the library saved it on the way out.
  ASSERT_NE(ReadFileOrDie(document), ReadFileOrDie(TemplatePath()));
  Loads(document, /*first_use=*/1);
  EXPECT_EQ(ReadFileOrDie(backup), users_bytes);
}

// A close that changed nothing skips the save only while the file is the one
// it loaded; over another program's file it writes what it holds, as always.
TEST_F(CXMLLogfileTest, ACloseWithoutChangesWritesOnlyOverAnotherFile) {
  const fs::path document = PathOf("settings.xml");
  WriteFileOrDie(document, "<FennimarSetting>\n  <AppList />\n</FennimarSetting>\n");
  EXPECT_TRUE(Loads(document));  // now as this platform writes it
  const std::string loaded = ReadFileOrDie(document);
  const auto before = fs::last_write_time(document);
  EXPECT_TRUE(Loads(document));
  EXPECT_EQ(fs::last_write_time(document), before) << "not written again";
  {
    CXMLLogfile logfile(services_, U16(document.string()), 0);
    WriteFileOrDie(document, "<FennimarSetting><GlobalSetting/></FennimarSetting>");
  }
  EXPECT_EQ(ReadFileOrDie(document), loaded);
}

// A document that cannot be loaded, a missing one without a template to copy,
// or a DOM that cannot start or make a document: 12 rounds with a wait before
// each retry (and one after copying the template), the file left as it was,
// and the DOM's uninitialize only after a start.
TEST_F(CXMLLogfileTest, DocumentThatCannotBeLoadedIsRetriedAndLeftAlone) {
  const fs::path document = PathOf("settings.xml");
  enum Dom { kWorks, kCannotStart, kMakesNoDocument };
  const struct {
    const char* content;  // nullptr: no document and no template
    Dom dom;
    int documents;
    std::size_t waits;
  } cases[] = {{"", kWorks, 12, 11},
               {"<FennimarSetting><AppList>", kWorks, 12, 11},
               {"not xml at all", kWorks, 12, 11},
               {kUserDocument, kCannotStart, 0, 11},
               {kUserDocument, kMakesNoDocument, 1, 11},
               {nullptr, kWorks, 12, 12}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.content ? c.content : "no document, no template");
    if (!c.content) fs::remove(TemplatePath()), fs::remove(document);
    if (c.content) WriteFileOrDie(document, c.content);
    dom_.fail_initialize = c.dom == kCannotStart;
    dom_.fail_create = c.dom == kMakesNoDocument;
    dom_.documents_created = dom_.uninitializations = 0;
    sleeper_.waits.clear();
    EXPECT_FALSE(Loads(document));
    EXPECT_EQ(dom_.documents_created, c.documents);
    EXPECT_EQ(sleeper_.waits, std::vector<unsigned>(c.waits, 30));
    EXPECT_EQ(dom_.uninitializations, c.dom == kCannotStart ? 0 : 1);
    EXPECT_EQ(c.content ? ReadFileOrDie(document) : "", c.content ? c.content : "");
    EXPECT_EQ(fs::exists(document), c.content != nullptr) << "no copy, and nothing saved";
  }
}

// A host folder without the template takes the packaged one, from the first
// shared data folder that has it; the host's own comes first.
TEST_F(CXMLLogfileTest, WithoutATemplateBesideTheHostThePackagedOneIsUsed) {
  fs::remove(TemplatePath());
  fs::create_directories(PathOf("b/fennimar"));
  WriteFileOrDie(PathOf("b/fennimar/Fennimar.xml"), kUserDocument);
  module_.shared_data = {Path16("a"), Path16("b")};
  EXPECT_TRUE(Loads(PathOf("settings.xml"), /*first_use=*/1));
  EXPECT_NE(ReadFileOrDie(PathOf("settings.xml")).find("mine"), std::string::npos);
  fs::copy_file(testing::TemplateDocumentPath(), TemplatePath());
  EXPECT_TRUE(Loads(PathOf("settings.xml"), /*first_use=*/1));
  EXPECT_NE(ReadFileOrDie(PathOf("settings.xml")).find("Web browser"), std::string::npos);
}

// A missing document gets the template and its folders, made one at a time
// from the top; the first that cannot be made ends the chain, and the
// document is then not loaded.
TEST_F(CXMLLogfileTest, AFolderThatCannotBeMadeEndsTheChain) {
  using Op = testing::FaultInjectingFileSystem::Op;
  const fs::path document = root() / "a" / "b" / "settings.xml";
  {
    testing::FaultInjectingFileSystem files(*platform::DefaultServices().files);
    files.FailOperation(Op::kCreateDirectory, 1, EACCES);
    const platform::Services failing = platform::Substituted({&files}, services_);
    EXPECT_FALSE(Loads(document, /*first_use=*/0, &failing));
    EXPECT_EQ(files.Count(Op::kCreateDirectory), 1);
    EXPECT_FALSE(fs::exists(root() / "a"));
  }
  dom_.documents_created = dom_.initializations = dom_.uninitializations = 0;
  sleeper_.waits.clear();
  EXPECT_TRUE(Loads(document));
  EXPECT_EQ(dom_.documents_created, 1);
  EXPECT_EQ(sleeper_.waits, std::vector<unsigned>{30});
  EXPECT_TRUE(fs::is_regular_file(document));
  EXPECT_FALSE(fs::exists(document.string() + ".bak"));
  EXPECT_EQ(dom_.initializations, 1);
  EXPECT_EQ(dom_.uninitializations, 1);
}

}  // namespace
}  // namespace fennimar
