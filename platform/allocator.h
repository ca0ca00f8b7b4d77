#pragma once
// The C library's allocator hands a large freed block back to the system at
// once and maps the next one afresh, so every page of a site save, a log run
// or a search paid for page faults on buffers of a few hundred kilobytes.
// Both programs keep freed memory for reuse instead; the process stays at the
// size of its largest page. The heap they grow into is taken in huge pages
// where the system offers them, so that a fresh process's first operation
// pays a fault for every 2 MB of new memory rather than for every 4 KB.
namespace Allocator {

// Call first thing in main(), before any large allocation.
void keepFreedMemoryForReuse();

}  // namespace Allocator
