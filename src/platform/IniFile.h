// IniFile - the INI file service: reads a key of a section as an integer and
// writes a key's text, with the results of the Windows service.
#ifndef FENNIMAR_PLATFORM_INIFILE_H_
#define FENNIMAR_PLATFORM_INIFILE_H_

#include <cstdint>
#include <string_view>

namespace fennimar::platform {

class IniFile {
 public:
  virtual ~IniFile() = default;

  // The key's value converted to an unsigned 32-bit integer; `default_value`
  // when the file, the section or the key is missing, or the value is empty.
  // Section and key names match case-insensitively, ignoring surrounding
  // spaces.
  virtual std::uint32_t GetInt(std::u16string_view file, std::u16string_view section,
                               std::u16string_view key, std::uint32_t default_value) = 0;
  // Writes `value` as the key's text, creating the file, the section and the
  // key as needed and keeping every other line of the file; every line then
  // ends with CR LF, as the Windows service writes a file. False when the
  // file cannot be written or is in a form that cannot be kept.
  virtual bool WriteString(std::u16string_view file, std::u16string_view section,
                           std::u16string_view key, std::u16string_view value) = 0;
};

}  // namespace fennimar::platform

#endif  // FENNIMAR_PLATFORM_INIFILE_H_
