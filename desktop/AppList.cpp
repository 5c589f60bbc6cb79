#include "desktop/AppList.h"

#include <QCoreApplication>
#include <algorithm>

#include "desktop/Text.h"

namespace fennimar::desktop {
namespace {

QString Tr(const char* text) { return QCoreApplication::translate("AppList", text); }

const _Fennimar_AppItem_* WithKey(const AppItems& items, const QString& key) {
  for (const auto& item : items) {
    if (ToQString(item.key).trimmed() == key) return &item;
  }
  return nullptr;
}

const _Fennimar_AppItem_* WithPath(const AppItems& items, const CString& path) {
  for (const auto& item : items) {
    if (item.path == path) return &item;
  }
  return nullptr;
}

std::size_t FirstWithPath(const AppItems& items, const CString& path) {
  std::size_t at = 0;
  while (at < items.size() && !(items[at].path == path)) ++at;
  return at;
}

}  // namespace

QString FreeKey(const AppItems& items, int limit) {
  for (int key = 1; key <= limit; ++key) {
    if (WithKey(items, QString::number(key)) == nullptr) return QString::number(key);
  }
  return {};
}

QString AddProblem(const AppItems& items, const _Fennimar_AppItem_& item, int limit) {
  bool number = false;
  const QString key = ToQString(item.key).trimmed();
  const int value = key.toInt(&number);
  if (limit > 0 && (!number || value < 1 || value > limit)) {
    return Tr("The key must be a whole number from 1 to %1.").arg(limit);
  }
  if (const auto* holder = WithKey(items, key)) {
    const QString free = FreeKey(items, limit);
    const QString used =
        Tr("Key %1 is already used by “%2”.").arg(key, ToQString(holder->descriptionName));
    return free.isEmpty() ? used : used + QLatin1Char(' ') + Tr("Key %1 is free.").arg(free);
  }
  if (const auto* holder = WithPath(items, item.path)) {
    return Tr("%1 is already on the bar as “%2”. The bar keeps one entry for each program; "
              "remove that one first to add it again with other settings.")
        .arg(ToQString(item.path), ToQString(holder->descriptionName));
  }
  if (ToQString(item.descriptionName).trimmed().isEmpty()) {
    return Tr("Give a description: the bar shows it as the application's name.");
  }
  return {};
}

bool SameItem(const _Fennimar_AppItem_& a, const _Fennimar_AppItem_& b) {
  return a.key == b.key && a.path == b.path && a.parameter == b.parameter &&
         a.descriptionName == b.descriptionName;
}

_Fennimar_ReturnCode_ RewriteList(FennimarDllInterface& library, const AppItems& now,
                                  const AppItems& want) {
  std::size_t keep = 0;
  while (keep < now.size() && keep < want.size() && SameItem(now[keep], want[keep])) ++keep;
  // Removing by path takes the first item with it: no item removed may
  // share its program with one kept.
  for (bool moved = true; moved;) {
    moved = false;
    for (std::size_t i = keep; i < now.size(); ++i) {
      const std::size_t first = FirstWithPath(now, now[i].path);
      if (first < keep) {
        keep = first;
        moved = true;
      }
    }
  }
  for (std::size_t i = keep; i < now.size(); ++i) {
    CString path = now[i].path;
    if (const auto code = library.DeleteAppItem(path); code != RC_SUCCESS) return code;
  }
  for (std::size_t i = keep; i < want.size(); ++i) {
    auto item = want[i];
    if (const auto code = library.AddAppItem(item); code != RC_SUCCESS) return code;
  }
  return RC_SUCCESS;
}

}  // namespace fennimar::desktop
