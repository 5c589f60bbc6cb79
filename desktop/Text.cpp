#include "desktop/Text.h"

namespace fennimar::desktop {

QString CodeName(_Fennimar_ReturnCode_ code) {
  struct Name {
    _Fennimar_ReturnCode_ code;
    const char* name;
  };
  static constexpr Name kNames[] = {
      {RC_FAIL, "RC_FAIL"},           {RC_SUCCESS, "RC_SUCCESS"},
      {RC_NOT_IMPLEMENTED, "RC_NOT_IMPLEMENTED"}, {RC_FILE_ERROR, "RC_FILE_ERROR"},
      {RC_LIST_FULL, "RC_LIST_FULL"}, {RC_SYSTEM_ERROR, "RC_SYSTEM_ERROR"},
  };
  for (const auto& name : kNames) {
    if (name.code == code) return QString::fromLatin1(name.name);
  }
  return QString::number(static_cast<int>(code));
}

}  // namespace fennimar::desktop
