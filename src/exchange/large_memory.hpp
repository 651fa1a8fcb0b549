// JwwGaibu: the large-block allocator under its former name, for the point
// tables of the sweep that still include it from here. The allocator itself
// lives in platform/large_memory.hpp; new code includes that.
#pragma once

#include "platform/large_memory.hpp"

namespace JwwGaibu {

using Platform::TLargeAllocator;

} // namespace JwwGaibu
