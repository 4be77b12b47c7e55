// SPDX-License-Identifier: MIT
#include "firmware/FirmwareMap.h"

#include <QXmlStreamReader>
#include <gtest/gtest.h>

using firmwaremap::Lane;

TEST(FirmwareMapTest, PiecesLieToScaleTinyOnesStayVisibleAndTheSvgHoldsThemAll) {
    // 1 MiB from 0x100000, then 4 KiB after a gap.
    const FirmwareImage image =
        FirmwareImage::fromRanges({{0x100000, std::vector<std::uint8_t>(0x100000, 0x11)},
                                   {0x300000 - 0x1000, std::vector<std::uint8_t>(0x1000, 0x22)}});
    firmwarescan::Result scan;
    firmwarescan::Resource tune;
    tune.address = 0x180000;
    tune.size = 0x40000;
    tune.title = "<A&B>";
    tune.entries = {0x100010};
    scan.resources.push_back(tune);
    scan.erased = {{0x2FF000, 0x1000}};
    const firmwaremap::Map map = firmwaremap::layout(image, scan, {{0x2FFFFF, 0x300000}}, 1000);

    ASSERT_EQ(map.pieces.size(), 6u);
    const firmwaremap::Piece& resource = map.pieces[3];
    ASSERT_EQ(resource.lane, Lane::Resources);
    EXPECT_DOUBLE_EQ(resource.x, 250.0); // 0x80000 of 0x200000
    EXPECT_DOUBLE_EQ(resource.width, 125.0);
    const firmwaremap::Piece& entry = map.pieces[4];
    EXPECT_EQ(entry.resource, 0);
    EXPECT_DOUBLE_EQ(entry.width, firmwaremap::kLeastWidth);
    // The last byte's piece ends at the strip's end, not past it.
    const firmwaremap::Piece& patch = map.pieces[5];
    EXPECT_EQ(patch.lane, Lane::Patch);
    EXPECT_DOUBLE_EQ(patch.x + patch.width, 1000.0);
    EXPECT_EQ(firmwaremap::pieceAt(map, Lane::Resources, 300.0), &resource);
    EXPECT_EQ(firmwaremap::pieceAt(map, Lane::Resources, 100.0), nullptr);

    QXmlStreamReader svg(firmwaremap::svg(map, 16));
    int rects = 0;
    QStringList titles;
    while (svg.readNext() != QXmlStreamReader::Invalid && !svg.atEnd()) {
        if (svg.isStartElement() && svg.name() == QLatin1String("rect")) {
            ++rects;
        } else if (svg.isStartElement() && svg.name() == QLatin1String("title")) {
            titles << svg.readElementText();
        }
    }
    EXPECT_FALSE(svg.hasError()) << svg.errorString().toStdString();
    EXPECT_EQ(rects, 7); // the background too
    EXPECT_TRUE(titles.value(3).endsWith("\n<A&B>")) << titles.value(3).toStdString();
}
