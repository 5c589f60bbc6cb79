/// \file Locations.h
/// Where the library keeps the files it finds by itself, for hosts that show
/// them to people: the template document and the hardware-information INI
/// file. Both are found afresh at each call, as the library finds them.
#ifndef FENNIMAR_LOCATIONS_H_
#define FENNIMAR_LOCATIONS_H_

#include "fennimar/FennimarDllInterface.h"

/// The places of the library's own files for the running program. Each
/// answer is a full path, or empty when the running program's path is
/// unknown. Thread-safe; no interface object is needed.
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

  FennimarLocations() = delete;
};

#endif  // FENNIMAR_LOCATIONS_H_
