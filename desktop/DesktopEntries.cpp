#include "desktop/DesktopEntries.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QStandardPaths>
#include <QStyle>
#include <QTextStream>
#include <algorithm>

namespace fennimar::desktop {
namespace {

// Exec= split on blanks, with double quotes grouping; field codes dropped.
QStringList ExecWords(const QString& exec) {
  QStringList words;
  QString word;
  bool quoted = false;
  bool any = false;
  for (const QChar c : exec) {
    if (c == '"') {
      quoted = !quoted;
      any = true;
    } else if (c.isSpace() && !quoted) {
      if (any) words << word;
      word.clear();
      any = false;
    } else {
      word += c;
      any = true;
    }
  }
  if (any) words << word;
  words.erase(std::remove_if(words.begin(), words.end(),
                             [](const QString& w) { return w.size() == 2 && w[0] == '%'; }),
              words.end());
  return words;
}

QIcon GenericIcon() {
  const QIcon themed = QIcon::fromTheme(QStringLiteral("application-x-executable"));
  return themed.isNull() ? QApplication::style()->standardIcon(QStyle::SP_FileIcon) : themed;
}

}  // namespace

DesktopEntry ParseDesktopEntry(const QString& text) {
  DesktopEntry entry;
  bool inMain = false;
  bool show = true;
  const auto lines = text.split('\n');
  for (QString line : lines) {
    line = line.trimmed();
    if (line.startsWith('[')) {
      inMain = line == QLatin1String("[Desktop Entry]");
      continue;
    }
    const int equals = line.indexOf('=');
    if (!inMain || equals < 1) continue;
    const QString key = line.left(equals).trimmed();
    const QString value = line.mid(equals + 1).trimmed();
    if (key == QLatin1String("Name")) entry.name = value;
    if (key == QLatin1String("Icon")) entry.icon = value;
    if (key == QLatin1String("Type") && value != QLatin1String("Application")) show = false;
    if ((key == QLatin1String("NoDisplay") || key == QLatin1String("Hidden")) &&
        value == QLatin1String("true")) {
      show = false;
    }
    if (key == QLatin1String("Exec")) {
      QStringList words = ExecWords(value);
      if (words.isEmpty()) continue;
      const QString found = QStandardPaths::findExecutable(words.first());
      entry.program = found.isEmpty() ? words.first() : found;
      words.removeFirst();
      entry.parameters = words.join(' ');
    }
  }
  if (!show || entry.program.isEmpty()) return {};
  return entry;
}

std::vector<DesktopEntry> InstalledApplications() {
  std::vector<DesktopEntry> entries;
  QSet<QString> seen;
  const auto folders = QStandardPaths::standardLocations(QStandardPaths::ApplicationsLocation);
  for (const QString& folder : folders) {
    const auto files = QDir(folder).entryInfoList({QStringLiteral("*.desktop")}, QDir::Files);
    for (const QFileInfo& info : files) {
      if (seen.contains(info.fileName())) continue;
      seen.insert(info.fileName());
      QFile file(info.filePath());
      if (!file.open(QIODevice::ReadOnly)) continue;
      DesktopEntry entry = ParseDesktopEntry(QString::fromUtf8(file.readAll()));
      if (!entry.program.isEmpty() && !entry.name.isEmpty()) entries.push_back(entry);
    }
  }
  std::sort(entries.begin(), entries.end(), [](const DesktopEntry& a, const DesktopEntry& b) {
    return a.name.compare(b.name, Qt::CaseInsensitive) < 0;
  });
  return entries;
}

QIcon IconFor(const DesktopEntry& entry) {
  if (QDir::isAbsolutePath(entry.icon) && QFileInfo::exists(entry.icon)) return QIcon(entry.icon);
  const QIcon themed = entry.icon.isEmpty() ? QIcon() : QIcon::fromTheme(entry.icon);
  return themed.isNull() ? GenericIcon() : themed;
}

QIcon IconForProgram(const QString& program, const std::vector<DesktopEntry>& entries) {
  const QString name = QFileInfo(program).fileName();
  for (const auto& entry : entries) {
    if (entry.program == program || QFileInfo(entry.program).fileName() == name) {
      return IconFor(entry);
    }
  }
  const QIcon themed = QIcon::fromTheme(name);
  return themed.isNull() || name.isEmpty() ? GenericIcon() : themed;
}

}  // namespace fennimar::desktop
