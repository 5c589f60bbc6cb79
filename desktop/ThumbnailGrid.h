// ThumbnailGrid - the pictures of a folder as a grid of thumbnails. The
// names appear at once; the pictures are read and scaled on worker threads
// and each thumbnail is filled in as it is ready, so a large folder never
// holds up the window. Showing another folder cancels the work left.
#ifndef FENNIMAR_DESKTOP_THUMBNAILGRID_H_
#define FENNIMAR_DESKTOP_THUMBNAILGRID_H_

#include <QFutureWatcher>
#include <QImage>
#include <QListWidget>

namespace fennimar::desktop {

class ThumbnailGrid : public QListWidget {
  Q_OBJECT

 public:
  explicit ThumbnailGrid(QWidget* parent = nullptr);
  ~ThumbnailGrid() override;

  void ShowFolder(const QString& folder);
  const QString& folder() const { return folder_; }
  bool loading() const { return watcher_.isRunning(); }

 signals:
  // Every thumbnail of the folder is in place.
  void loaded();

 private:
  void Stop();

  QString folder_;
  QFutureWatcher<QImage> watcher_;
};

}  // namespace fennimar::desktop

#endif  // FENNIMAR_DESKTOP_THUMBNAILGRID_H_
