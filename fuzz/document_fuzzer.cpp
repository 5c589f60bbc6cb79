// Fuzzes the settings document: the input is written to a file and opened as
// the settings document (the platform's own DOM and files; waits are only
// counted), and every section reader runs on what loaded.
//  - A file that does not load is left byte for byte as it was.
//  - A document that loads is saved when it is closed, and the saved file
//    loads again with the same answers from every reader (except where white
//    space beside a '>' in text is dropped, as the component drops it).
//  - After every writer has run on it, the document still loads.
//  - Whether a save would write the very bytes of the file is answered as
//    the writer's own output answers it, for the input and for that output.
//  - Bytes taken as the written form (the input, and what the close wrote)
//    load with every check too, and the tree loaded either way is written
//    back as exactly those bytes.
#include <stdlib.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>

#include "fuzz/FuzzCheck.h"
#include "src/common/Utf.h"
#include "src/platform/standin/xml/PugiXmlLoad.h"
#include "src/platform/standin/xml/PugiXmlSame.h"
#include "src/platform/standin/xml/PugiXmlWrittenForm.h"
#include "src/platform/wiring/Wiring.h"
#include "src/store/SettingsHolder.h"
#include "tests/support/FakeServices.h"
#include "tests/support/SectionAnswers.h"

namespace {

using fennimar::SettingsHolder;
using fennimar::fuzz::Check;

// The document's folder, of this process's own and on tmpfs where there is
// one (every run saves, and flushing each save to a disk slows the fuzzer
// many times over), removed at exit; and the services the library runs on.
struct Workspace {
  Workspace() {
    folder = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : P_tmpdir;
    folder += "/fennimar-fuzz-XXXXXX";
    Check(mkdtemp(folder.data()) != nullptr, "a folder of our own can be made");
    document = folder + "/Fennimar.xml";
  }
  ~Workspace() {
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
  }

  std::string folder, document;
  fennimar::testing::CountingSleeper sleeper;
  // No template beside the "host": none is ever installed over the input.
  fennimar::testing::FixedModulePath module{u"/nonexistent/fennimar-fuzz/host"};
  fennimar::platform::Services services =
      fennimar::platform::Substituted({nullptr, nullptr, nullptr, &module, &sleeper});
};

std::string Answers(SettingsHolder& settings) {
  return fennimar::testing::SectionAnswers(
      settings, [&](int position, int& value) { return settings.GetSwitch(position, value); });
}

// Every writer, with values read from the document where there are some.
void RunWriters(SettingsHolder& settings) {
  std::vector<_Fennimar_AppItem_> apps;
  (void)settings.GetApplicationsList(apps);
  (void)settings.AddAppItem({u"9", u"/usr/bin/x <&\"'>", u"\t\r\n", u"\U0001F600"});
  (void)settings.DeleteAppItem(apps.empty() ? CString(u"/none") : apps.front().path);
  (void)settings.SetConfig({1, 0, 1, 0});
  (void)settings.SetBackgroundConfig({u"/pictures", 2});
  std::vector<_VDESKTOPINFO_> workspaces(3);
  workspaces[1].name = u"\u00C9t\u00E9";
  (void)settings.SetWorkspcaeConfig(workspaces);
}

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// The writer puts '>' in text as "&gt;", and the parser takes white space
// beside a reference as a piece of its own, dropped at either end of a text
// (as the platform's component does). A text with '>' that starts or ends in
// white space may therefore read differently once saved; it matters only
// where the text stands beside other content of the same element.
bool SaveMayDropSpaceBesideGt(std::string_view bytes) {
  pugi::xml_document document;
  fennimar::platform::pugixml_load::SourceEncoding source;
  std::string copy(bytes);  // the document may point into the bytes it was parsed from
  if (!fennimar::platform::pugixml_load::LoadDocument(copy, document, &source)) return false;
  struct Finder : pugi::xml_tree_walker {
    bool for_each(pugi::xml_node& node) override {
      const std::string_view text = node.value();
      found = node.type() == pugi::node_pcdata && text.find('>') != std::string_view::npos &&
              (IsSpace(text.front()) || IsSpace(text.back()));
      return !found;
    }
    bool found = false;
  } finder;
  document.traverse(finder);
  return finder.found;
}

// The close's quick answer (does the file already hold the saved form?)
// against the written form itself.
void CheckSavedFormAnswer(const std::u16string& path, std::string_view bytes) {
  const auto document = fennimar::platform::DefaultServices().dom->CreateDocument();
  std::string written;
  if (!document->Load(path) || !document->Serialize(&written)) return;
  Check(document->SerializesTo(bytes) == (written == bytes), "a file is the saved form or not");
  Check(document->SerializesTo(written), "the saved form is recognised");
}

// The load's quick way (no checks for bytes in the written form) against
// the checked one, and the close's quick answer against the writer.
void CheckWrittenForm(const std::u16string& path, std::string_view bytes) {
  namespace load = fennimar::platform::pugixml_load;
  const std::string given(bytes);
  if (!load::IsWrittenForm(given)) return;
  std::string copy = given;  // the document may point into the bytes it was parsed from
  pugi::xml_document checked;
  load::SourceEncoding source;
  Check(load::LoadDocumentChecked(copy, checked, &source), "the written form loads with checks");
  Check(load::HoldsSavedForm(checked, given), "the checked load gives the same tree");
  const auto document = fennimar::platform::DefaultServices().dom->CreateDocument();
  std::string written;
  Check(document->Load(path) && document->SavesAsLoaded(), "the written form is recognised");
  Check(document->Serialize(&written) && written == given, "it is written back as it is");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static Workspace work;
  work.sleeper.waits.clear();
  const std::u16string document16 = fennimar::Utf8ToUtf16(work.document);
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  std::ofstream(work.document, std::ios::binary | std::ios::trunc) << bytes;
  CheckSavedFormAnswer(document16, bytes);
  CheckWrittenForm(document16, bytes);
  std::string answers;
  bool loaded = false;
  {
    SettingsHolder settings(work.services, document16, 0);
    loaded = settings.logfile().IsLoaded();
    answers = Answers(settings);
  }
  std::ostringstream now;
  now << std::ifstream(work.document, std::ios::binary).rdbuf();
  if (!loaded) {
    Check(now.str() == bytes, "a file that does not load is left as it was");
    return 0;
  }
  CheckWrittenForm(document16, now.str());  // what the writer wrote
  {
    SettingsHolder saved(work.services, document16, 0);
    Check(saved.logfile().IsLoaded(), "a saved document loads again");
    Check(SaveMayDropSpaceBesideGt(bytes) || Answers(saved) == answers, "a save keeps every answer");
    RunWriters(saved);
  }
  SettingsHolder written(work.services, document16, 0);
  Check(written.logfile().IsLoaded(), "a document still loads after every writer ran");
  return 0;
}
