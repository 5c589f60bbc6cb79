// DesktopTests - the Qt Test classes of the settings window, each registered
// by name so that CTest runs them one by one: fennimar_desktop_tests CLASS.
#ifndef FENNIMAR_DESKTOP_TESTS_DESKTOPTESTS_H_
#define FENNIMAR_DESKTOP_TESTS_DESKTOPTESTS_H_

#include <QObject>
#include <functional>
#include <memory>

namespace fennimar::desktop::test {

int RegisterTest(const char* name, std::function<std::unique_ptr<QObject>()> make);

}  // namespace fennimar::desktop::test

#define DESKTOP_TEST(Class)                                      \
  static const int registered##Class = RegisterTest(#Class, [] { \
    return std::unique_ptr<QObject>(new Class);                  \
  });

#endif  // FENNIMAR_DESKTOP_TESTS_DESKTOPTESTS_H_
