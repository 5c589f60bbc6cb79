// DesktopEntries - the applications the desktop knows, from the .desktop
// entries in the XDG data folders, and the icon to show for a program: its
// entry's icon, else the icon theme's icon of its name, else a generic one.
#ifndef FENNIMAR_DESKTOP_DESKTOPENTRIES_H_
#define FENNIMAR_DESKTOP_DESKTOPENTRIES_H_

#include <QIcon>
#include <QString>
#include <vector>

namespace fennimar::desktop {

struct DesktopEntry {
  QString name;        // Name=
  QString program;     // the executable of Exec=, made absolute through PATH
  QString parameters;  // the rest of Exec=, without the field codes (%U...)
  QString icon;        // Icon=: a theme name or a file
};

// Visible applications, sorted by name; the first entry of a file name wins,
// as the desktop does for $XDG_DATA_HOME over $XDG_DATA_DIRS.
std::vector<DesktopEntry> InstalledApplications();

// The entry's file (for tests and the screenshots): [Desktop Entry] lines.
DesktopEntry ParseDesktopEntry(const QString& text);

QIcon IconFor(const DesktopEntry& entry);
// For a program of the bar's list: the icon of the entry that starts it, else
// the theme's icon of the program's file name, else a generic program icon.
QIcon IconForProgram(const QString& program, const std::vector<DesktopEntry>& entries);

}  // namespace fennimar::desktop

#endif  // FENNIMAR_DESKTOP_DESKTOPENTRIES_H_
