#include "core/DynArray.h"
#include "core/String.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace nox::audio;

TEST(DynArray, GrowsToTwiceUsedPlusOne) {
    DynArray<int> a;
    std::vector<int> capacities;
    for (int i = 0; i < 8; ++i) {
        a.push_back(i);
        capacities.push_back(a.allocated());
    }
    EXPECT_EQ(capacities, (std::vector<int>{1, 3, 3, 7, 7, 7, 7, 15}));
}

TEST(DynArray, AppendingOwnElementWhileFullCopiesItFirst) {
    DynArray<CharString> a;
    a.push_back(CharString("first"));
    ASSERT_EQ(a.allocated(), a.size());
    a.push_back(a[0]);
    a.push_back(a[1]);
    ASSERT_EQ(a.size(), 3);
    EXPECT_STREQ(a[1].c_str(), "first");
    EXPECT_STREQ(a[2].c_str(), "first");
}

TEST(DynArray, AppendClearsSortedEraseKeepsIt) {
    DynArray<int> a;
    EXPECT_TRUE(a.isSorted());
    a.push_back(3);
    EXPECT_FALSE(a.isSorted());
    a.push_back(1);
    a.push_back(2);
    a.sort();
    EXPECT_TRUE(a.isSorted());
    a.erase(0);
    EXPECT_TRUE(a.isSorted());
    EXPECT_EQ(a[0], 2);
    EXPECT_EQ(a[1], 3);
    a.clear();
    EXPECT_TRUE(a.isSorted());
    EXPECT_EQ(a.allocated(), 0);
}

TEST(DynArray, HeapSortOrdersAscending) {
    DynArray<int> a;
    for (int v : {5, 3, 9, 1, 1, 8, 2, 7, 0, 6, 4})
        a.push_back(v);
    a.sort();
    for (int i = 0; i + 1 < a.size(); ++i)
        EXPECT_LE(a[i], a[i + 1]);
    EXPECT_EQ(a[0], 0);
    EXPECT_EQ(a[10], 9);
}

TEST(DynArray, SearchSortsAnUnsortedArrayFirst) {
    DynArray<CharString> a;
    for (const char* name : {"c", "a", "b", "\xE9"})
        a.push_back(CharString(name));
    EXPECT_FALSE(a.isSorted());
    s32 found = a.binarySearch(CharString("b"));
    EXPECT_TRUE(a.isSorted());
    ASSERT_GE(found, 0);
    EXPECT_STREQ(a[found].c_str(), "b");
    EXPECT_STREQ(a[0].c_str(), "\xE9");
    EXPECT_EQ(a.binarySearch(CharString("d")), -1);
    EXPECT_EQ(a.binarySearch(CharString("")), -1);
}

TEST(DynArray, SearchFindsEveryElementAtEverySize) {
    for (int n = 0; n <= 33; ++n) {
        DynArray<int> a;
        for (int i = n - 1; i >= 0; --i)
            a.push_back(2 * i);
        for (int i = 0; i < n; ++i) {
            s32 at = a.binarySearch(2 * i);
            ASSERT_GE(at, 0) << "n=" << n << " i=" << i;
            EXPECT_EQ(a[at], 2 * i);
            EXPECT_EQ(a.binarySearch(2 * i + 1), -1);
        }
        EXPECT_EQ(a.binarySearch(-1), -1);
    }
}

TEST(DynArray, CopyIsDeep) {
    DynArray<CharString> a;
    a.push_back(CharString("x"));
    DynArray<CharString> b(a);
    b[0] = "y";
    EXPECT_STREQ(a[0].c_str(), "x");
    EXPECT_STREQ(b[0].c_str(), "y");
}
