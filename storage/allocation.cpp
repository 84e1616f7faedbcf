#include "storage/allocation.h"

namespace {
int toleranceDepth = 0;  // only the user-interface thread allocates under a scope
}

TolerateAllocationFailure::TolerateAllocationFailure() { ++toleranceDepth; }
TolerateAllocationFailure::~TolerateAllocationFailure() { --toleranceDepth; }
bool AllocationFailureTolerated() { return toleranceDepth > 0; }
