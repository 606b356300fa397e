#include "db/index/BigArray.h"

#include <QtGlobal>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// Growing past the huge-page size moves the filled pages into an aligned
// range: every value must survive each move, and new room must read as zero.
TEST(BigArray, KeepsValuesAcrossGrowthAndZeroFillsNewRoom) {
    const auto value = [](quint32 i) { return i * 2654435761u; };
    BigArray<quint32> values;
    const quint32 count = 3 * 1024 * 1024; // 12 MB: several moves, the last ones aligned
    for (quint32 i = 0; i < count; ++i)
        values.push_back(value(i));
    ASSERT_EQ(values.size(), count);
    for (quint32 i = 0; i < count; i += 4099)
        ASSERT_EQ(values[i], value(i)) << i;
    EXPECT_EQ(values[count - 1], value(count - 1));

    const quint32* more = values.extend(1000);
    EXPECT_EQ(std::count(more, more + 1000, 0u), 1000);
    values.resize(10);
    values.resize(20); // shrunk and regrown room must be zero too
    EXPECT_EQ(std::count(&values[10], &values[10] + 10, 0u), 10);
    EXPECT_EQ(values[9], value(9));
}

} // namespace
