/// \file FennimarDllInterface.h
/// The one header a host program of the launcher bar includes. It declares
/// the library's whole public surface: the result codes, the records that
/// cross the boundary, the UTF-16 string CString, the file exception
/// CFileException and the interface class FennimarDllInterface.
///
/// Threading: an interface object is used from one thread at a time and must
/// be created and destroyed on the same thread. Separate objects are
/// independent.
#ifndef FENNIMAR_FENNIMARDLLINTERFACE_H_
#define FENNIMAR_FENNIMARDLLINTERFACE_H_

#include <cstdint>
#include <exception>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

/// \def FENNIMAR_API
/// Marks what the shared library exports (and, on Windows, what a host
/// imports from FennimarCommonDll64.dll).
#if defined(_WIN32)
#if defined(FENNIMAR_BUILDING_LIBRARY)
#define FENNIMAR_API __declspec(dllexport)
#else
#define FENNIMAR_API __declspec(dllimport)
#endif
#else
#define FENNIMAR_API __attribute__((visibility("default")))
#endif

/// The result of every method of FennimarDllInterface. No other value occurs.
enum _Fennimar_ReturnCode_ {
  RC_FAIL = 0,             ///< section missing (or no document loaded); password mismatch
  RC_SUCCESS = 1,          ///< done
  RC_NOT_IMPLEMENTED = 2,  ///< the operation has no effect (EditAppItem)
  RC_FILE_ERROR = 3,       ///< the password file cannot be opened; in shared mode also: a
                           ///< change whose save did not reach the disk (see GetLastSaveError)
  RC_LIST_FULL = 7,        ///< the application list already holds 8 items or more
  RC_SYSTEM_ERROR = 9,     ///< a registry or INI access failed
};

/// A string of UTF-16 code units with value semantics. Positions and lengths
/// count code units. Every string argument and every string field of the
/// records below is a CString.
class FENNIMAR_API CString {
 public:
  /// \name Construction, copy and assignment
  //@{
  /// An empty string, or a copy of `text` (a zero-terminated string or a view)
  /// or of another CString. Copies are independent; a moved-from string is
  /// empty or unchanged.
  CString() = default;
  CString(const char16_t* text);      // NOLINT: implicit like the framework's
  CString(std::u16string_view text);  // NOLINT
  CString(const CString&) = default;
  CString(CString&&) noexcept = default;
  CString& operator=(const CString&) = default;
  CString& operator=(CString&&) noexcept = default;
  CString& operator=(const char16_t* text);
  ~CString() = default;
  //@}

  /// \name UTF-8
  //@{
  /// Conversion for hosts that hold UTF-8. Ill-formed input (a bad byte
  /// sequence, an unpaired surrogate) becomes U+FFFD; nothing is dropped
  /// silently.
  static CString FromUtf8(std::string_view utf8);
  std::string ToUtf8() const;
  //@}

  /// The number of UTF-16 code units.
  int GetLength() const { return static_cast<int>(text_.size()); }
  /// True when the string has no unit.
  bool IsEmpty() const { return text_.empty(); }
  /// Makes the string empty.
  void Empty() { text_.clear(); }
  /// Zero-terminated; valid until the string next changes.
  const char16_t* GetString() const { return text_.c_str(); }
  /// A view of the units; valid until the string next changes.
  operator std::u16string_view() const { return text_; }  // NOLINT
  /// The units as a standard string.
  const std::u16string& str() const { return text_; }
  /// \name Units by position
  //@{
  /// The unit at `index`; throws std::out_of_range outside 0..GetLength()-1.
  char16_t GetAt(int index) const;
  char16_t operator[](int index) const { return GetAt(index); }
  //@}

  /// \name Appending
  //@{
  /// Appends another string, a zero-terminated string or one unit.
  CString& operator+=(const CString& other);
  CString& operator+=(const char16_t* text);
  CString& operator+=(char16_t unit);
  //@}

  /// \name Buffer access
  //@{
  /// GetBuffer gives a writable buffer of at least `minLength` units. After
  /// writing, call ReleaseBuffer with the new length, or -1 to cut at the
  /// first zero unit.
  char16_t* GetBuffer(int minLength = 0);
  void ReleaseBuffer(int newLength = -1);
  //@}

  /// \name Substrings
  //@{
  /// The first `count` units, the units from `first` on (`count` of them), or
  /// the last `count` units. A count below 0 gives an empty string; counts and
  /// positions beyond the end are clamped.
  CString Left(int count) const;
  CString Mid(int first) const;
  CString Mid(int first, int count) const;
  CString Right(int count) const;
  //@}

  /// \name Searching
  //@{
  /// Position of the first `unit` at or after `start`, or of the last one; -1
  /// when there is none.
  int Find(char16_t unit, int start = 0) const;
  int ReverseFind(char16_t unit) const;
  //@}
  /// \name Comparing
  //@{
  /// Ordinal, case-sensitive: <0, 0 or >0.
  int Compare(const char16_t* other) const;
  int Compare(const CString& other) const;
  //@}

  /// Formats with the conversions %s (a const char16_t*), %d (an int) and %%.
  /// Any other conversion throws std::invalid_argument.
  void Format(const char16_t* format, ...);

 private:
  std::u16string text_;
};

/// The concatenation of `a` and `b`.
FENNIMAR_API CString operator+(const CString& a, const CString& b);
/// \name Equality of CStrings
//@{
/// Unit by unit, case-sensitive.
FENNIMAR_API bool operator==(const CString& a, const CString& b);
FENNIMAR_API bool operator!=(const CString& a, const CString& b);
FENNIMAR_API bool operator==(const CString& a, const char16_t* b);
FENNIMAR_API bool operator!=(const CString& a, const char16_t* b);
//@}

/// Thrown, by value, when the password file cannot be written or read after
/// it was opened. Carries the file's path and the operating system's error
/// number.
class FENNIMAR_API CFileException : public std::exception {
 public:
  /// The file, the operating system's error number and a message for people.
  CFileException(CString path, int osError, std::string message);
  /// The message given at construction.
  const char* what() const noexcept override;
  /// The file that could not be written or read.
  const CString& GetFilePath() const { return m_strFileName; }
  /// The operating system's error number (errno, or GetLastError on Windows).
  int GetOsError() const { return m_lOsError; }

 private:
  CString m_strFileName;
  int m_lOsError;
  std::string m_message;
};

/// One application that the bar launches. Any field may be empty.
struct _Fennimar_AppItem_ {
  CString key;              ///< chosen by the caller, never interpreted
  CString path;             ///< the field by which DeleteAppItem finds an item
  CString parameter;        ///< the program's arguments
  CString descriptionName;  ///< the name the bar shows
};

/// The bar's four switches, stored as they are given.
struct _Fennimar_Config_ {
  int launchcode = 0;   ///< the launch code switch
  int mouseHook = 0;    ///< the mouse hook switch
  int soundEffect = 0;  ///< the sound effect switch
  int lightEffect = 0;  ///< the light effect switch
};

/// The bar's own background pictures (not the desktop wallpaper).
struct _Background_Config_ {
  CString pictureFolder;    ///< the folder of the pictures
  int displaySequence = 0;  ///< the order in which they are shown
};

/// One workspace (virtual desktop). The names are spelled as stored.
struct _VDESKTOPINFO_ {
  int key = 0;           ///< the workspace's number, counted from 1
  CString name;          ///< the name the bar shows
  int styleID = 0;       ///< the workspace's style
  CString mouseStyle;    ///< the mouse style
  CString emRecylePath;  ///< the "em" recycle path
  CString fuRecylePath;  ///< the "fu" recycle path
  int mouseNo = 0;       ///< the mouse number
  int recyleNo = 0;      ///< the recycle number
  int useTarsel = 0;     ///< the "use tarsel" flag
};

/// How an interface object shares its settings document with other programs.
///
/// Default (shared = false): the object keeps a private copy of the document,
/// loaded once, and writes the whole copy back at every change and when it is
/// destroyed (unless the file already holds exactly those bytes); what another
/// program saved meanwhile is overwritten. A failed save is not reported: the
/// file stays as it was, the writer answers as if it had saved, and
/// GetLastSaveError stays empty.
///
/// Shared (shared = true):
/// - every reader first notices whether the document file changed since the
///   object last loaded or saved it and, if so, loads it again (a file that
///   cannot be loaded leaves the last good copy);
/// - every writer takes the document's lock, applies its change to the latest
///   document, saves it and releases the lock; it answers RC_FAIL, writing
///   nothing, when the latest document cannot be loaded, and RC_FILE_ERROR when
///   the lock cannot be taken or its save did not reach the disk. The object's
///   copy then goes back to what the file holds, so no later read shows a
///   change that is not on disk; GetLastSaveError says why;
/// - the object writes only in its writers: one that only reads never rewrites
///   the file, and the destructor writes nothing;
/// - construction (installing the template and loading) happens under the same
///   lock.
///
/// The lock is flock(2) on "<document>.lock" on Linux and a LockFileEx lock on
/// its first byte on Windows, so that other programs and scripts can take part
/// (see the README). It belongs to the process, once for each document, and
/// dies with it: the thread that holds it takes it again at once (so a change
/// through a second object of the same thread goes through while a hold
/// lives), other threads and processes wait for it.
///
/// Hosts that do not choose get shared mode when the environment holds
/// FENNIMAR_SHARED=1 at construction.
struct FennimarOptions {
  /// True for shared mode; false (the default) for a private copy.
  bool shared = false;
};

namespace fennimar {
class SettingsHolder;
class SystemParts;
}  // namespace fennimar

/// The library's interface object. Construct it with the full path of the
/// settings document; every method answers with a _Fennimar_ReturnCode_.
///
/// Construction reads the first-use flag from the registry (creating it with
/// the value 1 on a machine that has never seen the product), installs the
/// template document "Fennimar.xml" from the host's executable folder when the
/// document is missing or the flag is not 0, and loads the document. A document
/// that cannot be loaded leaves an object on which every section method answers
/// RC_FAIL. Every change is saved to the document at once; the destructor saves
/// it once more, unless the file already holds exactly the bytes that save
/// would write (shared mode: never). See FennimarOptions for sharing the
/// document with other programs.
///
/// Output arguments are written only on success unless a method says otherwise;
/// list readers append to the caller's vector without clearing it.
class FENNIMAR_API FennimarDllInterface {
 public:
  /// Opens the settings document at `documentPath` (a full path), as
  /// described above.
  explicit FennimarDllInterface(CString documentPath);
  /// The same with a choice of mode; `options.shared` or FENNIMAR_SHARED=1
  /// gives shared mode.
  FennimarDllInterface(CString documentPath, const FennimarOptions& options);
  /// Saves the document once more (default mode, unless the file already holds
  /// those bytes; shared mode writes nothing) and releases the object's parts.
  ~FennimarDllInterface();
  /// Afterwards both objects share the source's parts (document, password-file
  /// path, registry controller); the target's previous parts are released when
  /// no other object shares them. Both objects may then be used and destroyed.
  FennimarDllInterface& operator=(const FennimarDllInterface& other);
  /// Not copyable; assignment shares instead.
  FennimarDllInterface(const FennimarDllInterface&) = delete;

  /// \name Application list
  //@{
  /// Application list. The reader appends the items (RC_FAIL without an AppList
  /// section) and stops, still succeeding, at the first item that lacks one of
  /// its four attributes. AddAppItem appends the item last and answers
  /// RC_LIST_FULL, changing nothing, when the list already yields 8 items.
  /// DeleteAppItem removes the first item whose path equals `path` exactly
  /// (case-sensitive); RC_SUCCESS also when none matched. EditAppItem has no
  /// effect and answers RC_NOT_IMPLEMENTED.
  _Fennimar_ReturnCode_ GetApplicationsList(std::vector<_Fennimar_AppItem_>& items);
  _Fennimar_ReturnCode_ AddAppItem(_Fennimar_AppItem_& item);
  _Fennimar_ReturnCode_ EditAppItem(CString& unused);
  _Fennimar_ReturnCode_ DeleteAppItem(CString& path);
  //@}

  /// \name Switches
  //@{
  /// The four switches: the first four entries of the GlobalSetting section,
  /// by position. A field whose entry is missing keeps the caller's value and
  /// is not written. UpdateBrowserDir keeps nothing and GetBrowserDir leaves
  /// its argument as it is; both answer RC_SUCCESS.
  _Fennimar_ReturnCode_ GetConfig(_Fennimar_Config_& config);
  _Fennimar_ReturnCode_ IsLaunchcodeEnabled(int& value);
  _Fennimar_ReturnCode_ IsMouseHookEnabled(int& value);
  _Fennimar_ReturnCode_ IsSoundEffectEnabled(int& value);
  _Fennimar_ReturnCode_ IsLightEffectEnabled(int& value);
  _Fennimar_ReturnCode_ SetConfig(_Fennimar_Config_& config);
  _Fennimar_ReturnCode_ UpdateBrowserDir(CString& unused);
  _Fennimar_ReturnCode_ GetBrowserDir(CString& untouched);
  //@}

  /// \name Password
  //@{
  /// Password file (see SetPasswordFilePath).
  _Fennimar_ReturnCode_ SavePassword(CString& password);
  _Fennimar_ReturnCode_ ValidatePassword(CString& candidate);
  //@}

  /// \name First-use flag
  //@{
  /// First-use flag in the registry: 1 until SetUsedStatus clears it.
  _Fennimar_ReturnCode_ GetUsedStatus(std::uint32_t& status);
  _Fennimar_ReturnCode_ SetUsedStatus();
  //@}

  /// \name Background pictures
  //@{
  /// The bar's background pictures: the first child of BackgroundSetting holds
  /// the folder, the second the display sequence.
  _Fennimar_ReturnCode_ GetBackgroundConfig(_Background_Config_& config);
  _Fennimar_ReturnCode_ SetBackgroundConfig(_Background_Config_& config);
  //@}

  /// \name Desktop wallpaper
  //@{
  /// The desktop wallpaper path in the registry. On Linux, while the session
  /// runs a desktop the library knows (GNOME and the desktops built on it,
  /// Cinnamon, MATE, Xfce, KDE Plasma), the setter also has that desktop show
  /// the picture at once and the getter answers the picture it shows; the
  /// environment variable FENNIMAR_NO_DESKTOP=1 keeps the library off the
  /// desktop.
  _Fennimar_ReturnCode_ GetCurrentBgImage(CString& path);
  _Fennimar_ReturnCode_ SetCurrentBgImage(CString& path);
  //@}

  /// \name Hardware flag
  //@{
  /// The flag in "HWinfo.ini" beside the host's executable.
  _Fennimar_ReturnCode_ GetLightFlagStatus(std::uint32_t& flag);
  _Fennimar_ReturnCode_ SetLightFlagStatus();
  //@}

  /// \name Workspaces
  //@{
  /// Workspaces. The reader appends one record per workspace element and stops,
  /// still succeeding, at the first element that lacks an attribute.
  /// The writer fills each workspace element from the record that the
  /// element's key selects as a position in `workspaces`, counted from 1 (key
  /// k takes workspaces[k-1]); it never changes a key, never adds or removes an
  /// element, and stops at the first element without a key or without one of
  /// the attributes it writes (what it wrote before stays written). An element
  /// whose key is below 1 or beyond the list's size is skipped, and the pass
  /// goes on with the next element. Either way the document is saved.
  _Fennimar_ReturnCode_ GetWorkspcaeConfig(std::vector<_VDESKTOPINFO_>& workspaces);
  _Fennimar_ReturnCode_ SetWorkspcaeConfig(std::vector<_VDESKTOPINFO_>& workspaces);
  //@}

  /// Shared mode only: why the last change's save did not reach the disk, in
  /// one line naming the document and the reason, e.g. "cannot save
  /// /home/u/.config/fennimar/Fennimar.xml: read-only file system" (reasons:
  /// read-only file, read-only file system, permission denied, no space left on
  /// device, or the system's own words). Empty after a save that reached the
  /// disk and before any failed; always empty in default mode, whose failed
  /// saves are not reported.
  CString GetLastSaveError() const;

  /// Names the file that SavePassword and ValidatePassword work on. Until it is
  /// called, ValidatePassword answers RC_FILE_ERROR and SavePassword throws
  /// CFileException. Always RC_SUCCESS.
  _Fennimar_ReturnCode_ SetPasswordFilePath(const CString& path);

 private:
  friend class FennimarDocumentHold;
  std::shared_ptr<fennimar::SettingsHolder> m_settings;
  std::shared_ptr<CString> m_passwordFilePath;
  std::shared_ptr<fennimar::SystemParts> m_system;
};

/// Makes a read, a change and a write one step on a shared-mode object: while
/// the hold lives, the object holds the document's lock, its calls work on the
/// latest document and each writer still saves at once; other programs' and
/// other threads' changes wait until the hold is destroyed, while changes made
/// on the holding thread, through this object or another one on the same
/// document, go through. Holds on one object may nest. On a default-mode
/// object a hold does nothing. Keep holds short: every other program's change
/// waits for it.
///
/// \code
///   FennimarDocumentHold hold(settings);
///   _Fennimar_Config_ config;
///   settings.GetConfig(config);
///   config.soundEffect = 1;
///   settings.SetConfig(config);  // no other program's change is undone
/// \endcode
class FENNIMAR_API FennimarDocumentHold {
 public:
  /// Takes the document's lock for `object` and brings its copy up to date.
  explicit FennimarDocumentHold(FennimarDllInterface& object);
  /// Releases the lock (after the last of nested holds).
  ~FennimarDocumentHold();
  FennimarDocumentHold(const FennimarDocumentHold&) = delete;
  FennimarDocumentHold& operator=(const FennimarDocumentHold&) = delete;

  /// True when a default-mode object, in this process or another, holds the
  /// same document, whichever path names it (symbolic links followed; another
  /// document in the same folder does not count): it will write its own copy
  /// back when it is destroyed, and may so undo changes made now. Always false
  /// on a default-mode object. On a network file system only this machine's
  /// programs are seen.
  bool OtherCopiesOpen() const;

 private:
  std::shared_ptr<fennimar::SettingsHolder> m_settings;
};

#endif  // FENNIMAR_FENNIMARDLLINTERFACE_H_
