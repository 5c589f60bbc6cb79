#include "desktop/WholeValueTips.h"

#include <QHelpEvent>
#include <QToolTip>
#include <algorithm>

namespace fennimar::desktop {
namespace {

class Tips : public QObject {
 public:
  explicit Tips(QAbstractItemView& view) : QObject(&view), view_(view) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::ToolTip) return false;
    const auto* help = static_cast<QHelpEvent*>(event);
    const QModelIndex index = view_.indexAt(help->pos());
    const QString tip = WholeValueTip(view_, index);
    if (tip.isEmpty()) return false;  // the item's own tooltip, if any
    QToolTip::showText(help->globalPos(), tip, static_cast<QWidget*>(watched),
                       view_.visualRect(index));
    return true;
  }

 private:
  QAbstractItemView& view_;
};

}  // namespace

QString WholeValueTip(const QAbstractItemView& view, const QModelIndex& index) {
  if (!index.isValid() || !index.data(Qt::ToolTipRole).toString().isEmpty()) return {};
  const QString text = index.data(Qt::DisplayRole).toString();
  if (text.isEmpty()) return {};
  int room = view.visualRect(index).width() - 8;  // the style's margins
  if (!index.data(Qt::DecorationRole).isNull()) room -= std::max(view.iconSize().width(), 16) + 4;
  const QFontMetrics metrics(view.font());
  return metrics.horizontalAdvance(text) > room ? text : QString();
}

void ShowWholeValues(QAbstractItemView& view) {
  view.viewport()->installEventFilter(new Tips(view));
}

}  // namespace fennimar::desktop
