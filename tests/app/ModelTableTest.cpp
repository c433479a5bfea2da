#include "app/ModelTable.h"

#include <gtest/gtest.h>

#include <QtEndian>

TEST(ModelQueryBlock, HoldsTheHeaderAndTheFourModelRows) {
    const QByteArray block = app::BuildModelQueryBlock();
    ASSERT_EQ(block.size(), 1024);
    auto value = [&](int i) { return qFromLittleEndian<std::uint32_t>(block.constData() + 4 * i); };
    const std::uint32_t expected[] = {2,      3, 0,      2,      4, 0x320F, 0x50EF, 2, 0x320F,
                                      0x50C2, 1, 0x320F, 0x1004, 3, 0x0C76, 0x1630, 7};
    for (int i = 0; i < 17; ++i)
        EXPECT_EQ(value(i), expected[i]) << "value " << i;
    for (int i = 17; i < 256; ++i)
        ASSERT_EQ(value(i), 0u) << "value " << i;
}
