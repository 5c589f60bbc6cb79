// Odd document paths in the hostile-input catalogue (see HostileInput.h):
// names beyond PATH_MAX, a folder, dangling symbolic links, folders without
// write permission. Each gives its defined answer and creates nothing
// elsewhere. They rest on POSIX paths, links and permission bits.
#include <unistd.h>

#include <climits>
#include <functional>
#include <string>
#include <vector>

#include "tests/reliability/HostileInput.h"

namespace fennimar::hostile {
namespace {

struct PathCase {
  std::string name;
  std::function<fs::path()> prepare;  // makes what the case needs and gives the path
  bool loads = false;
  std::string may_create = {};  // below root(): where new entries are expected
};

TEST_F(HostileInputTest, OddDocumentPathsGiveTheirDefinedAnswerAndCreateNothingElsewhere) {
  const auto locked = [&](const std::string& folder, bool with_document) {
    fs::create_directory(PathOf(folder));
    if (with_document) fs::copy_file(TemplatePath(), PathOf(folder + "/s.xml"));
    fs::permissions(PathOf(folder), fs::perms::owner_read | fs::perms::owner_exec);
    return PathOf(folder + "/s.xml");
  };
  const std::vector<PathCase> cases = {
      {"one name longer than PATH_MAX", [&] { return PathOf(std::string(PATH_MAX, 'n') + "/s"); }},
      {"longer than PATH_MAX in short names: folders are made up to the limit",
       [&] { return PathOf("long/" + Repeat(std::string(200, 'd') + "/", 22) + "s"); }, false,
       "long"},
      {"a folder", [&] { return fs::create_directory(PathOf("dir")), PathOf("dir"); }},
      {"a dangling link into a missing folder",
       [&] { return fs::create_symlink(PathOf("no/s"), PathOf("dead")), PathOf("dead"); }},
      {"a dangling link: the template goes where it points",
       [&] { return fs::create_symlink(PathOf("target"), PathOf("link")), PathOf("link"); }, true,
       "target"},
      {"a missing document in a folder without write permission", [&] { return locked("a", 0); }},
      {"a document in a folder without write permission", [&] { return locked("b", 1); }, true},
  };
  for (const PathCase& c : cases) {
    SCOPED_TRACE(c.name);
    if (::geteuid() == 0 && c.name.find("permission") != std::string::npos) continue;
    CheckDocument(c.prepare(), Input{c.name, "", c.loads}, true, c.may_create);
  }
  Report("document paths", cases.size());
}

}  // namespace
}  // namespace fennimar::hostile
