#include "sweep/block_vector.hpp"

#include <cstdint>

#include <gtest/gtest.h>

namespace {

// Every entry must survive the first block's doubling and the full blocks
// after it, whatever the block size.
template <std::size_t Shift> void ExpectKeepsEveryEntry(std::size_t count) {
    Unit1::TBlockVector<uint64_t, Shift> values;
    for (std::size_t i = 0; i < count; ++i) {
        values.push_back(i * 2654435761u);
        ASSERT_EQ(values[i / 2], (i / 2) * 2654435761u) << "after " << i;
    }
    ASSERT_EQ(values.size(), count);
    for (std::size_t i = 0; i < count; ++i)
        ASSERT_EQ(values[i], i * 2654435761u) << i;
}

TEST(BlockVector, KeepsEveryEntryAcrossGrowthAndBlocks) {
    ExpectKeepsEveryEntry<0>(5);   // blocks of one entry
    ExpectKeepsEveryEntry<3>(100); // first block smaller than the usual start
    ExpectKeepsEveryEntry<7>(1000);
    ExpectKeepsEveryEntry<17>(300000);
}

} // namespace
