// Every allocation of the program, ours and the standard library's, goes through these. One that
// fails ends the program with the fatal report naming the bytes asked for, except where the
// caller has said it copes (TolerateAllocationFailure).
#include <cstdlib>
#include <new>

#include "app/fatal_error.h"
#include "app/fatal_report.h"
#include "storage/allocation.h"

namespace {
void* Allocate(std::size_t size) {
  if (void* block = std::malloc(size != 0 ? size : 1)) return block;
  if (AllocationFailureTolerated()) throw std::bad_alloc();
  FatalError(AllocationFailureMessage(size), 0, 0);
}
}  // namespace

void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  return std::malloc(size != 0 ? size : 1);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
  return std::malloc(size != 0 ? size : 1);
}
void operator delete(void* block) noexcept { std::free(block); }
void operator delete[](void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }
void operator delete[](void* block, std::size_t) noexcept { std::free(block); }
