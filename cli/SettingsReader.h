// SettingsReader - reads every setting that `fennimar watch` shows, through
// the library as a host does, without writing anything that is watched.
//
// An interface object writes its document when it is destroyed, and the
// first one on a machine creates the product's registry key. So the reader
// never opens the watched document itself: each read copies it into a
// private folder and opens the copy. And it opens nothing while the
// product's key is missing (the object would create it), nor reads the copy
// while the first-use flag is set (the object would put the template in its
// place): what cannot be read then is taken over from the previous read.
#ifndef FENNIMAR_CLI_SETTINGSREADER_H_
#define FENNIMAR_CLI_SETTINGSREADER_H_

#include <filesystem>
#include <string>

#include "cli/Snapshot.h"

namespace fennimar::cli {

class SettingsReader {
 public:
  // Makes the private folder; fails (write) when it cannot.
  explicit SettingsReader(std::string document);
  ~SettingsReader();  // removes the private folder
  SettingsReader(const SettingsReader&) = delete;
  SettingsReader& operator=(const SettingsReader&) = delete;

  // The settings now; see above for what comes from `previous`.
  Snapshot Read(const Snapshot& previous);

 private:
  std::string document_;
  std::filesystem::path folder_;
};

}  // namespace fennimar::cli

#endif  // FENNIMAR_CLI_SETTINGSREADER_H_
