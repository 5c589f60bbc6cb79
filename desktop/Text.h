// Text - conversions between Qt's strings and the library's CString, and the
// names of the library's result codes for messages.
#ifndef FENNIMAR_DESKTOP_TEXT_H_
#define FENNIMAR_DESKTOP_TEXT_H_

#include <QString>

#include "fennimar/FennimarDllInterface.h"

namespace fennimar::desktop {

inline CString ToCString(const QString& text) { return CString(text.toStdU16String()); }
inline QString ToQString(const CString& text) { return QString::fromStdU16String(text.str()); }

// "RC_LIST_FULL" and so on; the number for a value the library never answers.
QString CodeName(_Fennimar_ReturnCode_ code);

}  // namespace fennimar::desktop

#endif  // FENNIMAR_DESKTOP_TEXT_H_
