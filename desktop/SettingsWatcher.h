// SettingsWatcher - notices when any program changes the settings: the
// document, the registry file or HWinfo.ini. It watches their folders rather
// than the files, because every writer replaces a file by renaming a new one
// over it, and reports a change only when a file's content differs from what
// it saw last, so that the window's own temporaries and rewrites of the same
// content go unreported. Bursts of changes are reported once.
#ifndef FENNIMAR_DESKTOP_SETTINGSWATCHER_H_
#define FENNIMAR_DESKTOP_SETTINGSWATCHER_H_

#include <QByteArray>
#include <QFileSystemWatcher>
#include <QHash>
#include <QStringList>
#include <QTimer>

namespace fennimar::desktop {

class SettingsWatcher : public QObject {
  Q_OBJECT

 public:
  SettingsWatcher(const QStringList& files, QObject* parent = nullptr);

  // Takes the files' present content as seen, so that it is not reported.
  void Acknowledge();

 signals:
  void changed();

 private:
  void Look();
  void WatchFolders();

  QStringList files_;
  QHash<QString, QByteArray> seen_;
  QFileSystemWatcher watcher_;
  QTimer settle_;
};

}  // namespace fennimar::desktop

#endif  // FENNIMAR_DESKTOP_SETTINGSWATCHER_H_
