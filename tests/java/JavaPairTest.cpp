// SPDX-License-Identifier: MIT
#include "java/JavaPair.h"

#include "content/ContentInfo.h"

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

// The edit lands where the JAD reader takes the value, so the corrected copy
// reads the new size; every other byte stays.
TEST(JavaPair, TheJarSizeIsEditedWhereTheJadReaderReadsIt) {
    const struct {
        QByteArray jad, edited;
    } cases[] = {
        {"MIDlet-Name: A\nMIDlet-Jar-Size : 12\nX: 1\n",
         "MIDlet-Name: A\nMIDlet-Jar-Size : 904\nX: 1\n"},
        // A byte order mark before the attribute's name.
        {"\xEF\xBB\xBFMIDlet-Jar-Size: 5\r\nMIDlet-Name: A\r\n",
         "\xEF\xBB\xBFMIDlet-Jar-Size: 904\r\nMIDlet-Name: A\r\n"},
        // A value continued on the next line goes with the old value.
        {"MIDlet-Name: A\r\nMIDlet-Jar-Size: 74\r\n 7842\r\nX: 1\r\n",
         "MIDlet-Name: A\r\nMIDlet-Jar-Size: 904\r\nX: 1\r\n"},
        // A name continued on the next line; LF line ends.
        {"MIDlet-Jar-\n Size: 5\nMIDlet-Name: A\n", "MIDlet-Jar-\n Size: 904\nMIDlet-Name: A\n"},
        // A continuation belongs to the line before; the first of two counts.
        {"A: x\r\n MIDlet-Jar-Size: 1\r\nMIDlet-Jar-Size:2\r\nMIDlet-Jar-Size: 3\0tail"_ba,
         "A: x\r\n MIDlet-Jar-Size: 1\r\nMIDlet-Jar-Size: 904\r\nMIDlet-Jar-Size: 3\0tail"_ba},
    };
    for (const auto& c : cases) {
        const std::optional<QByteArray> edited = javapair::withJarSize(c.jad, 904);
        ASSERT_TRUE(edited) << c.jad.toStdString();
        EXPECT_EQ(*edited, c.edited);
        EXPECT_EQ(content::describe(*edited).declaredJarSize, 904) << edited->toStdString();
    }
    EXPECT_FALSE(javapair::withJarSize("MIDlet-Name: A\n", 5));
}
