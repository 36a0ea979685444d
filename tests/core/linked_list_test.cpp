#include "core/LinkedList.h"

#include <gtest/gtest.h>
#include <vector>

using namespace nox::audio;

namespace {
std::vector<int> contents(const LinkedList<int>& list) {
    std::vector<int> out;
    for (int v : list)
        out.push_back(v);
    return out;
}
} // namespace

TEST(LinkedList, EraseAtHeadMiddleAndTailKeepsLinks) {
    LinkedList<int> list;
    for (int i = 0; i < 5; ++i)
        list.push_back(i);
    auto it = list.begin();
    it = list.erase(it); // head
    EXPECT_EQ(*it, 1);
    ++it;
    it = list.erase(it); // middle (2)
    EXPECT_EQ(*it, 3);
    ++it;
    it = list.erase(it); // tail (4)
    EXPECT_TRUE(it == list.end());
    EXPECT_EQ(contents(list), (std::vector<int>{1, 3}));
    EXPECT_EQ(list.size(), 2);
    list.push_back(9);
    EXPECT_EQ(contents(list), (std::vector<int>{1, 3, 9}));
}

TEST(LinkedList, EraseEverythingThenReuse) {
    LinkedList<int> list;
    list.push_back(1);
    list.erase(list.begin());
    EXPECT_TRUE(list.empty());
    EXPECT_TRUE(list.begin() == list.end());
    list.push_back(2);
    EXPECT_EQ(contents(list), (std::vector<int>{2}));
    list.clear();
    EXPECT_EQ(list.size(), 0);
}
