#include "app/CopyDataBuffers.h"

#include <gtest/gtest.h>

TEST(CopyDataBuffers, AcceptsRecordsThatFitAndRefusesTheRestWhole) {
    app::CopyDataBuffers buffers;
    QByteArray peaks(24, '\0');
    peaks[0] = 7;
    peaks[20] = 9;
    ASSERT_TRUE(buffers.Accept(2, peaks));
    EXPECT_EQ(buffers.PeakValue(0), 7);
    EXPECT_EQ(buffers.PeakValue(5), 9);

    struct Case {
        std::uint32_t kind;
        int size;
        bool accepted;
    } cases[] = {
        {1, 4280, true}, {1, 4281, false}, {2, 156, true}, {2, 157, false},
        {2, 0, false},   {3, 4, false},    {0, 4, false},  {1, 1, true},
    };
    for (const Case& c : cases) {
        app::CopyDataBuffers fresh;
        EXPECT_EQ(fresh.Accept(c.kind, QByteArray(c.size, '\x55')), c.accepted)
            << "kind " << c.kind << " size " << c.size;
    }
    // A refused record leaves the buffer as it was.
    EXPECT_FALSE(buffers.Accept(2, QByteArray(1000, '\x11')));
    EXPECT_EQ(buffers.PeakValue(0), 7);
    EXPECT_EQ(buffers.PeakValue(39), 0);  // past the buffer reads as 0
    EXPECT_EQ(buffers.PeakValue(-1), 0);
}
