#include "desktop/ThumbnailGrid.h"

#include <QDir>
#include <QImageReader>
#include <QPixmap>
#include <QtConcurrent/QtConcurrentMap>
#include <functional>

namespace fennimar::desktop {
namespace {

constexpr int kSide = 128;

// Read at the screen's pixel density (kSide points are 2 * kSide pixels at
// 2x), so that thumbnails stay sharp on a high-density screen.
QImage LoadThumbnail(const QString& path, qreal ratio) {
  QImageReader reader(path);
  reader.setAutoTransform(true);
  const QSize size = reader.size();
  const int side = qRound(kSide * ratio);
  if (size.isValid()) reader.setScaledSize(size.scaled(side, side, Qt::KeepAspectRatio));
  QImage image = reader.read();
  image.setDevicePixelRatio(ratio);
  return image;
}

QStringList PictureFiles(const QString& folder) {
  QStringList patterns;
  for (const QByteArray& format : QImageReader::supportedImageFormats()) {
    patterns << QStringLiteral("*.") + QString::fromLatin1(format);
  }
  QStringList files;
  const auto found = QDir(folder).entryInfoList(patterns, QDir::Files | QDir::Readable, QDir::Name);
  for (const QFileInfo& info : found) files << info.filePath();
  return files;
}

}  // namespace

ThumbnailGrid::ThumbnailGrid(QWidget* parent) : QListWidget(parent) {
  setViewMode(QListView::IconMode);
  setIconSize(QSize(kSide, kSide));
  setGridSize(QSize(kSide + 24, kSide + 36));
  setResizeMode(QListView::Adjust);
  setMovement(QListView::Static);
  setUniformItemSizes(true);
  setWordWrap(true);
  connect(&watcher_, &QFutureWatcher<QImage>::resultReadyAt, this, [this](int index) {
    if (index >= count()) return;
    const QImage image = watcher_.resultAt(index);
    if (!image.isNull()) item(index)->setIcon(QIcon(QPixmap::fromImage(image)));
  });
  connect(&watcher_, &QFutureWatcher<QImage>::finished, this, [this] {
    if (!watcher_.isCanceled()) emit loaded();
  });
}

ThumbnailGrid::~ThumbnailGrid() { Stop(); }

void ThumbnailGrid::Stop() {
  watcher_.cancel();
  watcher_.waitForFinished();
}

void ThumbnailGrid::ShowFolder(const QString& folder) {
  if (folder == folder_ && (loading() || count() > 0)) return;
  Stop();
  clear();
  folder_ = folder;
  const QStringList files = folder.isEmpty() ? QStringList() : PictureFiles(folder);
  const QIcon waiting = style()->standardIcon(QStyle::SP_FileIcon);
  for (const QString& file : files) {
    auto* entry = new QListWidgetItem(waiting, QFileInfo(file).fileName(), this);
    entry->setToolTip(file);
  }
  const qreal ratio = devicePixelRatioF();
  watcher_.setFuture(QtConcurrent::mapped(
      files, std::function<QImage(const QString&)>(
                 [ratio](const QString& file) { return LoadThumbnail(file, ratio); })));
}

}  // namespace fennimar::desktop
