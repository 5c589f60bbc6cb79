// HelpMenu - the window's Help menu: the help text shipped inside the
// program (F1), shown without a network or a browser, and the About box
// with the version and the licence.
#ifndef FENNIMAR_DESKTOP_HELPMENU_H_
#define FENNIMAR_DESKTOP_HELPMENU_H_

#include <QDialog>
#include <QMainWindow>
#include <QString>

namespace fennimar::desktop {

// Adds the Help menu to the window's menu bar.
void AddHelpMenu(QMainWindow& window);

// The resource of the help text for the current language (":/help/help.html"
// unless a translated page exists).
QString HelpPage();

// The help text in a window of its own, opened by F1.
class HelpDialog : public QDialog {
  Q_OBJECT

 public:
  explicit HelpDialog(QWidget* parent = nullptr);
};

}  // namespace fennimar::desktop

#endif  // FENNIMAR_DESKTOP_HELPMENU_H_
