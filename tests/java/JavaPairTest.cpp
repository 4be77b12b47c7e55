// SPDX-License-Identifier: MIT
#include "java/JavaPair.h"

#include <gtest/gtest.h>

TEST(JavaPair, TheJarSizeLineIsTheOneTheReaderTakesAndNothingElseChanges) {
    EXPECT_EQ(javapair::withJarSize("MIDlet-Name: A\nMIDlet-Jar-Size : 12\nX: 1\n", 670),
              "MIDlet-Name: A\nMIDlet-Jar-Size : 670\nX: 1\n");
    // A continuation line is not an attribute; the first of two lines counts.
    EXPECT_EQ(javapair::withJarSize("A: x\r\n MIDlet-Jar-Size: 1\r\nMIDlet-Jar-Size:2\r\n"
                                    "MIDlet-Jar-Size: 3",
                                    45),
              "A: x\r\n MIDlet-Jar-Size: 1\r\nMIDlet-Jar-Size: 45\r\nMIDlet-Jar-Size: 3");
    EXPECT_EQ(javapair::withJarSize("MIDlet-Name: A\n", 5), "MIDlet-Name: A\n");
}
