// PasswordFile - one password, scrambled, in a file of its own, read and
// written through the file service the caller gives.
//
// The scrambling reverses the four hexadecimal digits of each UTF-16 unit
// (0x1234 becomes 0x4321). It is kept because existing password files use
// it; it is an obfuscation, not protection: anyone who can read the file can
// undo it.
//
// The file holds the scrambled units, 2 bytes each, low byte first, with no
// byte-order mark and no terminator. While a save or a check has the file
// open, the other fails: a check answers RC_FILE_ERROR, a save throws.
#ifndef FENNIMAR_SYSTEM_PASSWORDFILE_H_
#define FENNIMAR_SYSTEM_PASSWORDFILE_H_

#include "fennimar/FennimarDllInterface.h"
#include "src/platform/FileSystem.h"

namespace fennimar {

// The password as the file keeps it: each unit's four hex digits reversed,
// ending before the first zero unit of `text`.
CString ScramblePassword(const CString& text);

// Replaces the file's content with the scrambled password. A file that does
// not exist is created with permission bits 0600. The content is replaced in
// one step, so a failure or a crash leaves the previous password. Throws
// CFileException when the file cannot be written or another check or save
// has it open; an empty `file` is such a failure.
void SavePasswordFile(platform::FileSystem& files, const CString& file, const CString& password);

// RC_SUCCESS when the scrambled candidate equals the stored text (up to its
// first zero unit), RC_FAIL when it does not, RC_FILE_ERROR when the file
// cannot be opened (missing, held open by a save, or `file` empty). Throws
// CFileException when reading fails after the file was opened.
_Fennimar_ReturnCode_ ValidatePasswordFile(platform::FileSystem& files, const CString& file,
                                           const CString& candidate);

}  // namespace fennimar

#endif  // FENNIMAR_SYSTEM_PASSWORDFILE_H_
