#include "search/ColumnFit.h"

#include <algorithm>
#include <numeric>

QVector<int> ColumnFit::fit(const QVector<int>& wanted, int available, int minimum) {
    const int count = static_cast<int>(wanted.size());
    QVector<int> order(count);
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return wanted[a] < wanted[b]; });

    QVector<int> widths(count);
    int remaining = available;
    int left = count;
    // Narrowest first: whatever a narrow column leaves goes to the wider ones.
    for (int column : order) {
        const int share = std::max(remaining, 0) / left;
        const int width = std::min(wanted[column], std::max(share, minimum));
        widths[column] = width;
        remaining -= width;
        --left;
    }
    return widths;
}
