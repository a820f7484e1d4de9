#pragma once

#include <cstddef>

namespace padrix {

/// Asks the system to back a large, not yet touched buffer with large pages: a million tape
/// lines then cost a few page faults instead of thousands. Does nothing where the system has
/// no such request.
void preferLargePages(void* data, std::size_t bytes);

} // namespace padrix
