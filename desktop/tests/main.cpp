// Runs the test class named by the first argument (all of them without one)
// on the offscreen platform; the remaining arguments go to Qt Test.
#include <QApplication>
#include <QTest>
#include <map>
#include <string>
#include <vector>

#include "desktop/Application.h"
#include "desktop/tests/DesktopTests.h"

namespace fennimar::desktop::test {

std::map<std::string, std::function<std::unique_ptr<QObject>()>>& Tests() {
  static std::map<std::string, std::function<std::unique_ptr<QObject>()>> tests;
  return tests;
}

int RegisterTest(const char* name, std::function<std::unique_ptr<QObject>()> make) {
  Tests()[name] = std::move(make);
  return 0;
}

}  // namespace fennimar::desktop::test

int main(int argc, char* argv[]) {
  using fennimar::desktop::test::Tests;
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  fennimar::desktop::PrepareApplication(application);
  std::vector<char*> arguments(argv, argv + argc);
  std::string only;
  if (arguments.size() > 1 && Tests().count(arguments[1]) != 0) {
    only = arguments[1];
    arguments.erase(arguments.begin() + 1);
  }
  int failed = 0;
  for (const auto& [name, make] : Tests()) {
    if (!only.empty() && name != only) continue;
    const auto test = make();
    failed += QTest::qExec(test.get(), static_cast<int>(arguments.size()), arguments.data());
  }
  return failed == 0 ? 0 : 1;
}
