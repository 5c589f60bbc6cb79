/// \file Locations.h
/// Where the library keeps the files it finds by itself, for hosts that show
/// them to people: the template document, the hardware-information INI file
/// and the registry file; and where a host keeps the user's settings document
/// unless told otherwise. Each is found afresh at each call, as the library
/// finds it.
#ifndef FENNIMAR_LOCATIONS_H_
#define FENNIMAR_LOCATIONS_H_

#include "fennimar/FennimarDllInterface.h"

/// The places of the library's own files for the running program. Each
/// answer is a full path, or empty when the running program's path (for the
/// template and HWinfo.ini) or the user's configuration folder (for the
/// others) is unknown. Thread-safe; no interface object is needed.
class FENNIMAR_API FennimarLocations {
 public:
  /// The template "Fennimar.xml" that a missing or first-use settings
  /// document is copied from: the one in the host's module folder when it
  /// exists; else, on Linux, the first `fennimar/Fennimar.xml` found in
  /// `$XDG_DATA_HOME` (default `~/.local/share`, for a program installed for
  /// one user) and then `$XDG_DATA_DIRS` (default
  /// `/usr/local/share:/usr/share`, where the packages install it); else the
  /// module folder's, which is then missing.
  static CString TemplateDocument();

  /// The "HWinfo.ini" that SetLightFlagStatus writes for this user: beside
  /// the host's executable, as always, while the user can write that
  /// folder. When the user cannot (a packaged program in `/usr/bin`), a
  /// per-user copy takes its place, as Windows redirects such writes to the
  /// user's VirtualStore: on Linux
  /// `$XDG_CONFIG_HOME/fennimar/VirtualStore/<the executable's folder>/HWinfo.ini`
  /// (`~/.config/...` without XDG_CONFIG_HOME), started from the folder's
  /// own file at the first write. GetLightFlagStatus reads the copy once it
  /// exists, and the file beside the executable until then. On Windows the
  /// path is always the one beside the executable; the system itself
  /// redirects writes there.
  static CString HardwareIni();

  /// The settings document a host opens when the user names none:
  /// `fennimar/Fennimar.xml` in the user's configuration folder. On Linux
  /// that folder is `$XDG_CONFIG_HOME` when it is an absolute path, else
  /// `$HOME/.config`, the folder of the registry file; empty when neither
  /// names a folder, where the library cannot keep the first-use flag
  /// either. On Windows it is `%APPDATA%`; empty when that is not an
  /// absolute path.
  static CString DefaultDocument();

  /// The file that holds `HKEY_CURRENT_USER` on Linux, where the library's
  /// stand-in keeps the registry: `fennimar/HKEY_CURRENT_USER.reg` in the
  /// same configuration folder as DefaultDocument(); empty when there is
  /// none. Always empty on Windows, whose registry is the system's.
  static CString RegistryFile();

  FennimarLocations() = delete;
};

#endif  // FENNIMAR_LOCATIONS_H_
