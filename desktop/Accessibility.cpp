#include "desktop/Accessibility.h"

#include <QAbstractButton>
#include <QLabel>
#include <QRegularExpression>

namespace fennimar::desktop {

QString SpokenText(const QString& label) {
  QString text = label;
  // "&&" is a literal ampersand; a single one marks the Alt shortcut.
  text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
  text.remove(QLatin1Char('&'));
  text.replace(QLatin1Char('\x01'), QLatin1Char('&'));
  text.remove(QRegularExpression(QStringLiteral("<[^>]*>")));
  text = text.trimmed();
  while (text.endsWith(QLatin1Char(':')) || text.endsWith(QChar(0x2026))) text.chop(1);
  return text.trimmed();
}

void NameControls(QWidget& root) {
  for (auto* label : root.findChildren<QLabel*>()) {
    QWidget* buddy = label->buddy();
    if (buddy != nullptr && buddy->accessibleName().isEmpty()) {
      buddy->setAccessibleName(SpokenText(label->text()));
    }
  }
  for (auto* button : root.findChildren<QAbstractButton*>()) {
    if (button->accessibleName().isEmpty() && !button->text().isEmpty()) {
      button->setAccessibleName(SpokenText(button->text()));
    }
  }
  for (auto* widget : root.findChildren<QWidget*>()) {
    if (widget->accessibleDescription().isEmpty() && !widget->toolTip().isEmpty()) {
      widget->setAccessibleDescription(widget->toolTip());
    }
  }
}

}  // namespace fennimar::desktop
