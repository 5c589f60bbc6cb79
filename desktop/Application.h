// Application - what every program that shows the window sets up first: the
// translation for the user's language, its names, the icon theme (a default
// where the platform names none) and the window icon.
#ifndef FENNIMAR_DESKTOP_APPLICATION_H_
#define FENNIMAR_DESKTOP_APPLICATION_H_

#include <QIcon>
#include <QLocale>

class QApplication;

namespace fennimar::desktop {

void PrepareApplication(QApplication& application);

// Installs the window's translation for `locale` (compiled into the program)
// and Qt's own where the system has it; false when the window has none for
// that language, which leaves it in English.
bool InstallTranslations(QApplication& application, const QLocale& locale);

// The program's icon: the icon theme's when installed, else the copy
// compiled into the program, so that a window run from the build has it too.
QIcon ProgramIcon();

}  // namespace fennimar::desktop

#endif  // FENNIMAR_DESKTOP_APPLICATION_H_
