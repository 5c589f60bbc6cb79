// SettingsHolder - owns the settings document and carries the operations on
// its sections. It keeps no state besides the document.
#ifndef FENNIMAR_STORE_SETTINGSHOLDER_H_
#define FENNIMAR_STORE_SETTINGSHOLDER_H_

#include <cstdint>
#include <string_view>

#include "src/store/CXMLLogfile.h"

namespace fennimar {

class SettingsHolder {
 public:
  SettingsHolder(std::u16string_view document_path, std::uint32_t first_use)
      : logfile_(document_path, first_use) {}

  CXMLLogfile& logfile() { return logfile_; }

 private:
  CXMLLogfile logfile_;
};

}  // namespace fennimar

#endif  // FENNIMAR_STORE_SETTINGSHOLDER_H_
