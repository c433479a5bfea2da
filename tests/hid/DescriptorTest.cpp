#include "hid/ReportDescriptor.h"

#include "TestSupport.h"

#include <gtest/gtest.h>
#include <QFile>

#include <random>

using hid::ParseReportDescriptor;
using hid::ReportType;

namespace {

std::vector<uint8_t> Fixture(const QString& name) {
    QFile file(testsupport::FixturePath("hid/descriptors/" + name));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
    const QByteArray bytes = file.readAll();
    return {bytes.begin(), bytes.end()};
}

}  // namespace

TEST(ReportDescriptor, VendorInterfaceHasFourCollectionsInOrder) {
    const auto d = ParseReportDescriptor(Fixture("vendor-interface1.bin"));
    ASSERT_EQ(d.collections.size(), 4u);
    EXPECT_TRUE(d.usesReportIds);
    EXPECT_FALSE(d.truncated);
    struct Expect {
        uint16_t page, usage;
        uint8_t id;
        uint16_t inLen, outLen;
    };
    const Expect expect[] = {{0x01, 0x80, 1, 2, 0},
                             {0x01, 0x06, 2, 17, 0},
                             {0x0C, 0x01, 3, 3, 0},
                             {0xFF1C, 0x92, 4, 64, 64}};
    for (size_t i = 0; i < 4; ++i) {
        const auto& c = d.collections[i];
        SCOPED_TRACE(i);
        EXPECT_EQ(c.usagePage, expect[i].page);
        EXPECT_EQ(c.usage, expect[i].usage);
        EXPECT_TRUE(c.HasReportId(ReportType::Input, expect[i].id));
        EXPECT_EQ(c.ReportByteLength(ReportType::Input), expect[i].inLen);
        EXPECT_EQ(c.ReportByteLength(ReportType::Output), expect[i].outLen);
    }
    // Report ids stay with their collection.
    EXPECT_FALSE(d.collections[2].HasReportId(ReportType::Input, 4));
    EXPECT_FALSE(d.collections[3].HasReportId(ReportType::Input, 3));
    // The consumer collection is one array of 16-bit usages 1..0x3FFF.
    const auto& consumer = d.collections[2].fields;
    ASSERT_EQ(consumer.size(), 1u);
    EXPECT_TRUE(consumer[0].isButton);
    EXPECT_TRUE(consumer[0].isArray);
    EXPECT_EQ(consumer[0].usageMin, 1);
    EXPECT_EQ(consumer[0].usageMax, 0x3FFF);
    EXPECT_EQ(consumer[0].bitSize, 16u);
}

TEST(ReportDescriptor, HeadsetCollectionCarriesUsagesCommandsAndLeds) {
    const auto d = ParseReportDescriptor(Fixture("headset-interface3.bin"));
    ASSERT_EQ(d.collections.size(), 1u);
    const auto& c = d.collections[0];
    EXPECT_EQ(c.usagePage, 0x0C);
    EXPECT_EQ(c.usage, 0x01);
    EXPECT_EQ(c.ReportByteLength(ReportType::Input), 64);
    EXPECT_EQ(c.ReportByteLength(ReportType::Output), 64);
    EXPECT_TRUE(c.HasReportId(ReportType::Output, 0xFF));
    EXPECT_EQ(c.reportBits[int(ReportType::Output)].at(0xFF), 128u);  // 17-byte report
}

TEST(ReportDescriptor, CapturedMouseWithPushPopLongItemAndExtendedUsages) {
    const auto d = ParseReportDescriptor(Fixture("wireless-mouse.bin"));
    ASSERT_EQ(d.collections.size(), 2u);
    EXPECT_FALSE(d.usesReportIds);
    EXPECT_FALSE(d.truncated);
    const auto& mouse = d.collections[0];
    EXPECT_EQ(mouse.usagePage, 0x01);
    EXPECT_EQ(mouse.usage, 0x02);
    // 16 buttons + 2 x 12 bits + 8-bit wheel = 48 bits.
    EXPECT_EQ(mouse.ReportByteLength(ReportType::Input), 7);
    EXPECT_EQ(mouse.CountFields(ReportType::Input, true), 1u);
    EXPECT_EQ(mouse.CountFields(ReportType::Input, false), 3u);  // X, Y, wheel
    const auto& x = mouse.fields[1];
    EXPECT_EQ(x.usageMin, 0x30);
    EXPECT_EQ(x.logicalMin, -2047);
    EXPECT_EQ(x.logicalMax, 2047);
    const auto& wheel = mouse.fields[3];
    EXPECT_EQ(wheel.usageMin, 0x38);
    EXPECT_EQ(wheel.logicalMin, -127);
    EXPECT_EQ(wheel.bitOffset, 40u);
    // The usage page came with the 32-bit usage.
    const auto& vendor = d.collections[1];
    EXPECT_EQ(vendor.usagePage, 0xFF00);
    EXPECT_EQ(vendor.usage, 0x01);
    EXPECT_EQ(vendor.ReportByteLength(ReportType::Feature), 8);
}

TEST(ReportDescriptor, MalformedInputIsBounded) {
    // Truncated item data, a long item running past the end, huge counts.
    const std::vector<std::vector<uint8_t>> cases = {
        {0x05},
        {0x06, 0x1C},
        {0xA1, 0x01, 0xFE, 0x40, 0x00},
        {0xA1, 0x01, 0x75, 0x08, 0x97, 0xFF, 0xFF, 0xFF, 0xFF, 0x81, 0x02, 0xC0},
        {0xC0, 0xC0, 0xA1, 0x01, 0x81, 0x02},
        {0xA4, 0xA4, 0xB4, 0xB4, 0xB4, 0xB4},
    };
    for (const auto& bytes : cases) {
        const auto d = ParseReportDescriptor(bytes);
        for (const auto& c : d.collections)
            for (int t = 0; t < 3; ++t)
                EXPECT_LE(c.ReportByteLength(ReportType(t)), 4097);
    }
    EXPECT_TRUE(ParseReportDescriptor(cases[0]).truncated);
    EXPECT_TRUE(ParseReportDescriptor(cases[2]).truncated);
    EXPECT_TRUE(ParseReportDescriptor(cases[3]).truncated);
    EXPECT_EQ(ParseReportDescriptor(nullptr, 0).collections.size(), 0u);
}

TEST(ReportDescriptor, RandomBytesNeverBreakTheParser) {
    // Runs under the sanitizers in the fuzz build; here it guards the bounds
    // checks against plain crashes.
    std::mt19937 rng(1234);
    for (int round = 0; round < 3000; ++round) {
        std::vector<uint8_t> bytes(rng() % 200);
        for (auto& b : bytes)
            b = uint8_t(rng());
        const auto d = ParseReportDescriptor(bytes);
        for (const auto& c : d.collections)
            for (const auto& f : c.fields)
                ASSERT_LE(f.bitSize, 32u);
    }
}

TEST(ReportDescriptor, ExtractBitsReadsLittleEndianAndStopsAtTheEnd) {
    const uint8_t data[] = {0xB4, 0x0F, 0xFF};
    EXPECT_EQ(hid::ExtractBits(data, 3, 0, 16), 0x0FB4u);
    EXPECT_EQ(hid::ExtractBits(data, 3, 4, 8), 0xFBu);
    EXPECT_EQ(hid::ExtractBits(data, 3, 20, 12), 0xFu);  // bits past the end are 0
    EXPECT_EQ(hid::ExtractBits(data, 0, 0, 8), 0u);
}
