// Sandbox - a home of its own for one desktop test: a fresh configuration
// folder (document, registry file), data folder (installed applications)
// and no HWinfo.ini beside the test program; the settings already opened
// once, so that the first use is behind them. It opens the window, reads the
// settings through a library object of its own, and runs the fennimar
// command on the same settings.
#ifndef FENNIMAR_DESKTOP_TESTS_SANDBOX_H_
#define FENNIMAR_DESKTOP_TESTS_SANDBOX_H_

#include <QStringList>
#include <QTemporaryDir>
#include <memory>

#include "desktop/MainWindow.h"
#include "fennimar/FennimarDllInterface.h"

namespace fennimar::desktop::test {

// How long a test waits for the window to catch up (milliseconds): generous,
// for a loaded machine; a passing test waits only as long as it needs.
constexpr int kPatience = 30000;

class Sandbox {
 public:
  Sandbox();
  ~Sandbox();

  QString path(const QString& relative) const { return home_.filePath(relative); }
  QString document() const { return path(QStringLiteral("config/fennimar/Fennimar.xml")); }

  // The window on the default document, shown.
  MainWindow& OpenWindow();
  MainWindow& window() { return *window_; }
  void CloseWindow() { window_.reset(); }
  // The page with this title, shown.
  template <typename Page>
  Page& Show(const QString& title) {
    window_->ShowPage(title);
    return *window_->findChild<Page*>();
  }

  // A fresh library object on the document: what another host reads now.
  std::unique_ptr<FennimarDllInterface> Library() const;
  // Runs the fennimar command on the same settings; its exit status.
  int Fennimar(const QStringList& arguments) const;
  // A file with this content (folders made on the way).
  void Write(const QString& relative, const QByteArray& content) const;

 private:
  QTemporaryDir home_;
  std::unique_ptr<MainWindow> window_;
};

}  // namespace fennimar::desktop::test

#endif  // FENNIMAR_DESKTOP_TESTS_SANDBOX_H_
