#include "desktop/tests/Sandbox.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

#include "desktop/Text.h"
#include "tests/support/ChildProcess.h"

namespace fennimar::desktop::test {

Sandbox::Sandbox() {
  qputenv("HOME", home_.path().toUtf8());
  qputenv("XDG_CONFIG_HOME", path(QStringLiteral("config")).toUtf8());
  qputenv("XDG_DATA_HOME", path(QStringLiteral("data")).toUtf8());
  qunsetenv("FENNIMAR_DOCUMENT");
  QFile::remove(QCoreApplication::applicationDirPath() + "/HWinfo.ini");
  auto first = Library();
  first->SetUsedStatus();
}

Sandbox::~Sandbox() { window_.reset(); }

MainWindow& Sandbox::OpenWindow() {
  window_ = std::make_unique<MainWindow>(SettingsPaths::Resolve({}, {}));
  window_->show();
  window_->activateWindow();
  if (!QTest::qWaitForWindowActive(window_.get())) qWarning("the window did not become active");
  return *window_;
}

std::unique_ptr<FennimarDllInterface> Sandbox::Library() const {
  auto library = std::make_unique<FennimarDllInterface>(ToCString(document()));
  library->SetPasswordFilePath(ToCString(path(QStringLiteral("config/fennimar/password"))));
  return library;
}

// The command sees this process's environment, and so the sandbox's home.
int Sandbox::Fennimar(const QStringList& arguments) const {
  std::vector<std::string> argv = {FENNIMAR_CLI_PROGRAM};
  for (const QString& argument : arguments) argv.push_back(argument.toStdString());
  return fennimar::testing::ChildProcess::Run(argv, {}, kPatience * 2).status;
}

void Sandbox::Write(const QString& relative, const QByteArray& content) const {
  QDir().mkpath(QFileInfo(path(relative)).absolutePath());
  QFile file(path(relative));
  if (file.open(QIODevice::WriteOnly)) file.write(content);
}

}  // namespace fennimar::desktop::test
