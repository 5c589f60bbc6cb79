#include "desktop/SettingsWatcher.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace fennimar::desktop {
namespace {

constexpr int kSettleMilliseconds = 150;

QByteArray Content(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return QByteArrayLiteral("missing");
  return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}

}  // namespace

SettingsWatcher::SettingsWatcher(const QStringList& files, QObject* parent)
    : QObject(parent), files_(files) {
  settle_.setSingleShot(true);
  settle_.setInterval(kSettleMilliseconds);
  connect(&settle_, &QTimer::timeout, this, &SettingsWatcher::Look);
  connect(&watcher_, &QFileSystemWatcher::directoryChanged, &settle_,
          qOverload<>(&QTimer::start));
  WatchFolders();
  Acknowledge();
}

// A folder that does not exist yet is watched from its nearest existing
// parent, and the watch moves down once it appears.
void SettingsWatcher::WatchFolders() {
  QStringList folders;
  for (const QString& file : files_) {
    QString folder = QFileInfo(file).absolutePath();
    while (!QFileInfo::exists(folder) && folder != QDir::rootPath()) {
      folder = QFileInfo(folder).absolutePath();
    }
    if (!folders.contains(folder)) folders << folder;
  }
  const QStringList watched = watcher_.directories();
  for (const QString& folder : watched) {
    if (!folders.contains(folder)) watcher_.removePath(folder);
  }
  for (const QString& folder : folders) {
    if (!watched.contains(folder)) watcher_.addPath(folder);
  }
}

void SettingsWatcher::Acknowledge() {
  for (const QString& file : files_) seen_[file] = Content(file);
}

void SettingsWatcher::Look() {
  WatchFolders();
  bool differs = false;
  for (const QString& file : files_) {
    const QByteArray now = Content(file);
    if (now != seen_.value(file)) differs = true;
    seen_[file] = now;
  }
  if (differs) emit changed();
}

}  // namespace fennimar::desktop
