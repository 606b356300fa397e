#pragma once

#include <QVector>

// Widths for columns sized to their contents that must share a list's width.
// Columns that fit keep the width they want; when they do not all fit, the
// narrow ones still get theirs and the wide ones share what is left equally,
// none narrower than `minimum` (the list then scrolls sideways).
namespace ColumnFit {

QVector<int> fit(const QVector<int>& wanted, int available, int minimum);

} // namespace ColumnFit
