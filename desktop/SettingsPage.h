// SettingsPage - what every page of the window shares: a title, a notice
// line above the page's controls for what went wrong and what to do, and
// Load(), which shows the settings as the library reads them now.
#ifndef FENNIMAR_DESKTOP_SETTINGSPAGE_H_
#define FENNIMAR_DESKTOP_SETTINGSPAGE_H_

#include <QLabel>
#include <QVBoxLayout>
#include <QWidget>

#include "desktop/Settings.h"

namespace fennimar::desktop {

class SettingsPage : public QWidget {
  Q_OBJECT

 public:
  SettingsPage(Settings& settings, const QString& title, const QString& summary,
               QWidget* parent = nullptr);

  virtual void Load() = 0;
  QString title() const { return title_; }
  // The notice's text; empty while all is well.
  QString notice() const;

 protected:
  Settings& settings() { return settings_; }
  // The layout below the notice for the page's own controls.
  QVBoxLayout* body() { return body_; }

  // Where a notice comes from: Load() replaces only its own notices, so the
  // outcome of the user's last action stays in view across a reload.
  enum class From { kAction, kLoad };

  void ShowProblem(const QString& text, From from = From::kAction);
  void ShowInfo(const QString& text);
  void ClearNotice();
  // For Load(): all is well, hides a notice that an earlier Load() showed.
  void LoadOk();
  // Shows why a section method answered `code`: an unreadable document or a
  // missing section, each with what to do. `what` names the setting
  // ("the applications").
  void ShowSectionProblem(const QString& section, const QString& what,
                          _Fennimar_ReturnCode_ code, From from = From::kAction);

 private:
  Settings& settings_;
  QString title_;
  QLabel* notice_;
  From from_ = From::kLoad;
  QVBoxLayout* body_;
};

}  // namespace fennimar::desktop

#endif  // FENNIMAR_DESKTOP_SETTINGSPAGE_H_
