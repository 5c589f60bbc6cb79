// Application - what every program that shows the window sets up first: its
// names, the icon theme (a default where the platform names none) and the
// window icon.
#ifndef FENNIMAR_DESKTOP_APPLICATION_H_
#define FENNIMAR_DESKTOP_APPLICATION_H_

class QApplication;

namespace fennimar::desktop {

void PrepareApplication(QApplication& application);

}  // namespace fennimar::desktop

#endif  // FENNIMAR_DESKTOP_APPLICATION_H_
