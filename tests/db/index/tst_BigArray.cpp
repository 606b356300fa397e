#include "db/index/BigArray.h"

#include <QtGlobal>

#include <gtest/gtest.h>

namespace {

// Growing past the huge-page size moves the filled pages into an aligned
// range: every value must survive each move, and new room must read as zero.
TEST(BigArray, KeepsValuesAcrossGrowthAndZeroFillsNewRoom) {
    BigArray<quint32> values;
    const quint32 count = 3 * 1024 * 1024; // 12 MB: several moves, the last ones aligned
    for (quint32 i = 0; i < count; ++i)
        values.push_back(i * 2654435761u);
    ASSERT_EQ(values.size(), count);
    for (quint32 i = 0; i < count; i += 4099)
        ASSERT_EQ(values[i], i * 2654435761u) << i;
    EXPECT_EQ(values[count - 1], (count - 1) * 2654435761u);

    quint32* more = values.extend(1000);
    for (int i = 0; i < 1000; ++i)
        ASSERT_EQ(more[i], 0u);
    values.resize(10);
    values.resize(20);
    for (size_t i = 10; i < 20; ++i)
        EXPECT_EQ(values[i], 0u) << "shrunk and regrown room must be zero";
    EXPECT_EQ(values[9], 9 * 2654435761u);
}

} // namespace
