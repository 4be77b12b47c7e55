# SPDX-License-Identifier: MIT
tarvex_add_test(test_bundled SOURCES BundledDataSetTest.cpp LIBS tarvex_core)
