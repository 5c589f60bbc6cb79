// WholeValueTips - a list, tree or table shortens a value too long for its
// column with "…"; this shows the whole value as the item's tooltip, in a
// view whose items have no tooltip of their own.
#ifndef FENNIMAR_DESKTOP_WHOLEVALUETIPS_H_
#define FENNIMAR_DESKTOP_WHOLEVALUETIPS_H_

#include <QAbstractItemView>
#include <QModelIndex>

namespace fennimar::desktop {

// Shortened values of `view` show whole in their tooltip from now on.
void ShowWholeValues(QAbstractItemView& view);

// The whole text of the item at `index` when the view shortens it; empty
// when it shows whole (or has a tooltip of its own).
QString WholeValueTip(const QAbstractItemView& view, const QModelIndex& index);

}  // namespace fennimar::desktop

#endif  // FENNIMAR_DESKTOP_WHOLEVALUETIPS_H_
