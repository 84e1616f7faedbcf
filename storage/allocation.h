#pragma once
// Running out of memory ends the program with the fatal report, except inside a
// TolerateAllocationFailure scope: there a failed allocation throws std::bad_alloc, which the
// scope's owner catches itself (reading a file too large for memory just gives no bytes).
#include <cstddef>

class TolerateAllocationFailure {
 public:
  TolerateAllocationFailure();
  ~TolerateAllocationFailure();
  TolerateAllocationFailure(const TolerateAllocationFailure&) = delete;
  TolerateAllocationFailure& operator=(const TolerateAllocationFailure&) = delete;
};

bool AllocationFailureTolerated();
