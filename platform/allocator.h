#pragma once
// The C library's allocator hands a large freed block back to the system at
// once and maps the next one afresh, so every page of a site save, a log run
// or a search paid for page faults on buffers of a few hundred kilobytes.
// Both programs keep freed memory for reuse instead; the process stays at the
// size of its largest page.
namespace Allocator {

// Call first thing in main(), before any large allocation.
void keepFreedMemoryForReuse();

}  // namespace Allocator
