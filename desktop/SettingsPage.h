// SettingsPage - what every page of the window shares: a title, a notice
// line above the page's controls for what went wrong and what to do, and
// Load(), which shows the settings as the library reads them now.
#ifndef FENNIMAR_DESKTOP_SETTINGSPAGE_H_
#define FENNIMAR_DESKTOP_SETTINGSPAGE_H_

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWidget>
#include <functional>

#include "desktop/Settings.h"

namespace fennimar::desktop {

class SettingsPage : public QWidget {
  Q_OBJECT

 public:
  SettingsPage(Settings& settings, const QString& title, const QString& summary,
               QWidget* parent = nullptr);

  virtual void Load() = 0;
  QString title() const { return title_; }
  // The notice's text with its details line; empty while all is well.
  QString notice() const;
  // An outcome of the window's own (such as reading again) on this page.
  void Announce(const QString& text) { ShowInfo(text); }

 protected:
  Settings& settings() { return settings_; }
  // The layout below the notice for the page's own controls.
  QVBoxLayout* body() { return body_; }

  // Where a notice comes from: Load() replaces only its own notices, so the
  // outcome of the user's last action stays in view across a reload.
  enum class From { kAction, kLoad };

  // A notice says in plain words what happened and what to do; `details`
  // (the library's result code and the like) goes on a smaller line below.
  void ShowProblem(const QString& text, From from = From::kAction);
  void ShowProblem(const QString& text, const QString& details, From from = From::kAction);
  // `action` (such as Undo) gets a button labelled `actionText` in the notice;
  // the button goes with the notice.
  void ShowInfo(const QString& text, const QString& actionText = QString(),
                std::function<void()> action = {});
  // A change that did not reach the disk (RC_FILE_ERROR): says why, then
  // shows again what the document holds. False for any other code.
  bool ShowFailedSave(_Fennimar_ReturnCode_ code);
  void ClearNotice();
  // For Load(): all is well, hides a notice that an earlier Load() showed.
  void LoadOk();
  // Shows why a section method answered `code`: an unreadable document or a
  // missing section, each with what to do. `what` names the setting
  // ("the applications").
  void ShowSectionProblem(const QString& section, const QString& what, _Fennimar_ReturnCode_ code,
                          From from = From::kAction);

 private:
  Settings& settings_;
  QString title_;
  void SetNotice(const QString& text, const QString& details);

  QLabel* notice_;
  QPushButton* action_;
  std::function<void()> onAction_;
  QString plain_;
  From from_ = From::kLoad;
  QVBoxLayout* body_;
};

}  // namespace fennimar::desktop

#endif  // FENNIMAR_DESKTOP_SETTINGSPAGE_H_
