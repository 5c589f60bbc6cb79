// Renders every page of the settings window into DIR/<page>.png, for the
// README. It shows the settings as they are (run it on a prepared settings
// folder: scripts/desktop-screenshots does so) plus a set of pictures it
// paints itself for the background and wallpaper pages.
#include <QApplication>
#include <QDir>
#include <QLinearGradient>
#include <QPainter>
#include <QTest>

#include "desktop/Application.h"
#include "desktop/MainWindow.h"
#include "desktop/SettingsPage.h"
#include "desktop/ThumbnailGrid.h"

namespace {

void PaintPictures(const QString& folder) {
  QDir().mkpath(folder);
  const QList<QPair<QColor, QColor>> colours = {
      {"#1d3557", "#a8dadc"}, {"#e76f51", "#f4a261"}, {"#2a9d8f", "#e9c46a"},
      {"#6d597a", "#eaac8b"}, {"#264653", "#8ab17d"}, {"#3a0ca3", "#4cc9f0"}};
  for (int i = 0; i < colours.size(); ++i) {
    QImage image(640, 400, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient sky(0, 0, 0, 400);
    sky.setColorAt(0, colours[i].first);
    sky.setColorAt(1, colours[i].second);
    painter.fillRect(image.rect(), sky);
    painter.setBrush(QColor(255, 255, 255, 70));
    painter.setPen(Qt::NoPen);
    painter.drawEllipse(QPoint(120 + 70 * i, 110), 50, 50);
    painter.setBrush(colours[i].first.darker(140));
    painter.drawPolygon(QPolygon({{0, 400}, {0, 300}, {200, 220 - 10 * i}, {420, 310}, {640, 240},
                                  {640, 400}}));
    painter.end();
    image.save(QStringLiteral("%1/picture-%2.jpg").arg(folder).arg(i + 1));
  }
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  fennimar::desktop::PrepareApplication(application);
  const QStringList arguments = application.arguments();
  if (arguments.size() != 3) {
    qWarning("usage: fennimar_settings_screenshots PICTURE_FOLDER OUTPUT_FOLDER");
    return 2;
  }
  PaintPictures(arguments[1]);
  QDir().mkpath(arguments[2]);
  fennimar::desktop::MainWindow window(fennimar::desktop::SettingsPaths::Resolve({}, {}));
  window.resize(960, 640);
  window.show();
  for (auto* page : window.pages()) {
    window.ShowPage(page->title());
    if (auto* grid = page->findChild<fennimar::desktop::ThumbnailGrid*>()) {
      if (!QTest::qWaitFor([grid] { return !grid->loading(); }, 30000)) return 1;
    }
    QTest::qWait(100);
    const QString file = arguments[2] + "/" + page->title().toLower() + ".png";
    if (!window.grab().save(file)) return 1;
  }
  return 0;
}
