// Shared mode within one process.
#include "src/store/SharedDocument.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <future>
#include <memory>
#include <string>

#include "src/platform/ProcessLocks.h"
#include "src/platform/wiring/Wiring.h"
#include "tests/support/LibraryTest.h"

namespace fennimar {
namespace {

constexpr char kDocument[] =
    "<?xml version=\"1.0\"?>\n<Settings><GlobalSetting><A>1</A><B>1</B><C>1</C><D>1</D>"
    "</GlobalSetting></Settings>\n";

class SharedDocumentTest : public testing::SectionTest {
 protected:
  std::unique_ptr<FennimarDllInterface> OpenIn(bool shared) {
    return std::make_unique<FennimarDllInterface>(CString(testing::U16(DocumentPath().string())),
                                                  FennimarOptions{shared});
  }
  platform::FileIdentity Identity() const {
    platform::FileIdentity identity;
    EXPECT_TRUE(services_.files->Identify(testing::U16(DocumentPath().string()), &identity).ok());
    return identity;
  }
  std::u16string Path() const { return testing::U16(DocumentPath().string()); }
  static int Sound(FennimarDllInterface& settings) {
    int value = -1;
    EXPECT_EQ(settings.IsSoundEffectEnabled(value), RC_SUCCESS);
    return value;
  }
  static _Fennimar_ReturnCode_ SetSound(FennimarDllInterface& settings, int value) {
    _Fennimar_Config_ config{1, 1, value, 1};
    return settings.SetConfig(config);
  }
};

TEST_F(SharedDocumentTest, NeitherModeRewritesADocumentItOnlyRead) {
  for (const bool shared : {false, true}) {
    { Open(kDocument); }  // the document as the library writes it
    const platform::FileIdentity before = Identity();
    const std::string bytes = DocumentBytes();
    { EXPECT_EQ(Sound(*OpenIn(shared)), 1); }
    EXPECT_EQ(Identity(), before) << (shared ? "shared" : "default");
    EXPECT_EQ(DocumentBytes(), bytes);
  }
}

TEST_F(SharedDocumentTest, ASharedReaderLeavesAForeignDocumentAsItIs) {
  const std::string foreign =
      "<?xml version='1.0'?>\r\n<Settings>\r\n\t<GlobalSetting><A>1</A><B>1</B><C>1</C>"
      "<D>1</D><E/></GlobalSetting>\r\n</Settings>\r\n";
  testing::WriteFileOrDie(DocumentPath(), foreign);
  const platform::FileIdentity before = Identity();
  { EXPECT_EQ(Sound(*OpenIn(true)), 1); }
  EXPECT_EQ(Identity(), before);
  EXPECT_EQ(DocumentBytes(), foreign);
}

// A hold answers for its own document, not for another one beside it.
TEST_F(SharedDocumentTest, OtherCopiesOpenAnswersForTheDocumentOfTheHold) {
  Open(kDocument);
  auto shared = OpenIn(true);
  testing::WriteFileOrDie(PathOf("other.xml"), kDocument);
  FennimarDllInterface beside(CString(testing::U16(PathOf("other.xml").string())));
  EXPECT_FALSE(FennimarDocumentHold(*shared).OtherCopiesOpen());
}

// A private copy that made its document's folder (installing the template)
// is present as any other.
TEST_F(SharedDocumentTest, APrivateCopyThatInstalledItsDocumentIsSeen) {
  const CString path(testing::U16((PathOf("new") / "settings.xml").string()));
  FennimarDllInterface private_copy(path);
  FennimarDllInterface shared(path, FennimarOptions{true});
  EXPECT_TRUE(FennimarDocumentHold(shared).OtherCopiesOpen());
}

// The lock is the process's: a hold lets another object of its thread change
// the document at once, while another thread is kept out.
TEST_F(SharedDocumentTest, AHoldLetsAnotherObjectOfItsThreadChange) {
  Open(kDocument);
  auto first = OpenIn(true);
  FennimarDocumentHold hold(*first);
  auto second = OpenIn(true);
  EXPECT_EQ(SetSound(*second, 0), RC_SUCCESS);
  EXPECT_EQ(Sound(*first), 0);
  const platform::Services& services = services_;
  const std::u16string lock_path = LockPathOf(services, Path());
  const auto other_thread = [&] {
    std::unique_ptr<platform::FileLock> lock;
    return platform::LockChangeForProcess(*services.files, *services.locks, lock_path, false, &lock).code();
  };
  EXPECT_EQ(std::async(std::launch::async, other_thread).get(), Status::Code::kBusy);
}

// A hold sees private copies only while one is open.
TEST_F(SharedDocumentTest, AnUnloadableFileKeepsTheCopyAndIsNeverOverwritten) {
  Open(kDocument);
  auto shared = OpenIn(true);
  { EXPECT_FALSE(FennimarDocumentHold(*shared).OtherCopiesOpen()); }
  auto private_copy = OpenIn(false);
  { EXPECT_TRUE(FennimarDocumentHold(*shared).OtherCopiesOpen()); }
  { EXPECT_FALSE(FennimarDocumentHold(*private_copy).OtherCopiesOpen()); }
  private_copy.reset();
  testing::WriteFileOrDie(DocumentPath(), "<Settings><GlobalSetting>");  // cut short
  EXPECT_EQ(Sound(*shared), 1);
  EXPECT_EQ(SetSound(*shared, 0), RC_FAIL);
  EXPECT_EQ(DocumentBytes(), "<Settings><GlobalSetting>");
  std::string changed = kDocument;
  changed.replace(changed.find("<C>1"), 4, "<C>5");
  testing::WriteFileOrDie(DocumentPath(), changed);
  EXPECT_EQ(Sound(*shared), 5);
  EXPECT_EQ(SetSound(*shared, 7), RC_SUCCESS);
  shared.reset();
  EXPECT_EQ(Sound(*OpenIn(false)), 7);
}

// A lock service that refuses every lock.
class RefusingLocks : public platform::DocumentLocks {
 public:
  Status Lock(std::u16string_view, platform::LockSlot, platform::LockKind, bool,
              std::unique_ptr<platform::FileLock>*) override {
    return Status::IoError("refused");
  }
  bool SharingRequested() override { return true; }
};

TEST_F(SharedDocumentTest, AWriterThatCannotLockChangesNothing) {
  Open(kDocument);
  const std::string before = DocumentBytes();
  RefusingLocks locks;
  platform::Services services;
  services.locks = &locks;
  const platform::ScopedServices scoped(services);
  auto requested = Reopen();  // shared through the user's choice
  EXPECT_EQ(SetSound(*requested, 0), RC_FILE_ERROR);
  EXPECT_EQ(requested->GetLastSaveError(), CString(u"cannot save " + Path() + u": refused"));
  EXPECT_EQ(Sound(*requested), 1);
  EXPECT_EQ(DocumentBytes(), before);
}

// A save that does not reach the disk is told in shared mode, and the copy
// stays the file's; default mode stays silent.
TEST_F(SharedDocumentTest, AFailedSaveIsToldInSharedModeOnly) {
  for (const bool shared : {false, true}) {
    Open(kDocument);
    auto settings = OpenIn(shared);
    std::filesystem::permissions(DocumentPath(), std::filesystem::perms::owner_read);
    EXPECT_EQ(SetSound(*settings, 0), shared ? RC_FILE_ERROR : RC_SUCCESS);
    EXPECT_EQ(settings->GetLastSaveError(),
              CString(shared ? u"cannot save " + Path() + u": read-only file" : u""));
    EXPECT_EQ(Sound(*settings), shared ? 1 : 0);
    std::filesystem::permissions(DocumentPath(), std::filesystem::perms::owner_all);
    EXPECT_EQ(SetSound(*settings, 0), RC_SUCCESS);
    EXPECT_TRUE(settings->GetLastSaveError().IsEmpty());
    EXPECT_EQ(Sound(*OpenIn(false)), 0);
  }
}

}  // namespace
}  // namespace fennimar
