// SPDX-License-Identifier: MIT
#include "srec/TableEntry.h"

#include "srec/S3Records.h"

#include <gtest/gtest.h>

namespace {

struct Layout {
    ManagerKind kind;
    tableentry::Fields fields;
    const char* text;
};

// One entry of each manager, its fields chosen so that every byte differs.
const Layout kLayouts[] = {
    {ManagerKind::Melodies, {0x01302A4B, 0x00C0FFEE, 0, 0}, "4B2A3001EEFFC000"},
    {ManagerKind::Java, {0x01201C5D, 0x0003B2A1, 0, 0}, "A1B203005D1C2001"},
    {ManagerKind::Pictures, {0x00646A96, 0, 0x01F4, 0x0A80}, "F401800A966A6400"},
};

} // namespace

TEST(TableEntry, EveryLayoutFromFieldsToBytesToTextAndBack) {
    for (const Layout& layout : kLayouts) {
        SCOPED_TRACE(int(layout.kind));
        const tableentry::Bytes bytes =
            tableentry::encode(managers::of(layout.kind), layout.fields);
        EXPECT_EQ(tableentry::text(bytes), layout.text);
        EXPECT_EQ(tableentry::fromText(layout.text), bytes);
        EXPECT_EQ(tableentry::fromText(QString(layout.text).toLower()), bytes);
        const tableentry::Fields back = tableentry::decode(managers::of(layout.kind), bytes.data());
        EXPECT_EQ(back.address, layout.fields.address);
        EXPECT_EQ(back.size, layout.fields.size);
        EXPECT_EQ(back.width, layout.fields.width);
        EXPECT_EQ(back.height, layout.fields.height);
    }
    // The builders' entries are the same text.
    EXPECT_EQ(srec::melodyEntry(0x01302A4B, 0x00C0FFEE), kLayouts[0].text);
    EXPECT_EQ(srec::javaEntry(0x01201C5D, 0x0003B2A1), kLayouts[1].text);
    EXPECT_EQ(srec::pictureEntry(0x00646A96, 0x01F4, 0x0A80), kLayouts[2].text);
}

TEST(TableEntry, TextOtherThanSixteenDigitsIsNoEntry) {
    for (const QString& text :
         {QString("4B2A3001EEFFC00"), QString("4B2A3001EEFFC0000"), QString("4B2A3001EEFFC0G0"),
          QString("4B2A3001EEFF C00"), QString("4B2A3001EEFFC0\u0660\u0660"), QString()}) {
        EXPECT_FALSE(tableentry::fromText(text).has_value()) << text.toStdString();
    }
}
