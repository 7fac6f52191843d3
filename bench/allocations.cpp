#include "bench/allocations.h"

#include <atomic>
#include <cstdlib>
#include <new>

// The counting wrappers hand every request on to the C library's own
// allocator, so memory from either side may be freed by the other.
extern "C" {
void* __libc_malloc(size_t size);
void* __libc_calloc(size_t count, size_t size);
void* __libc_realloc(void* p, size_t size);
}

namespace {
std::atomic<uint64_t> gNews{0};
std::atomic<uint64_t> gMallocs{0};

void* NewOrThrow(size_t size)
{
    gNews.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(size == 0 ? 1 : size))
        return p;
    throw std::bad_alloc();
}

void* AlignedNewOrThrow(size_t size, std::align_val_t align)
{
    gNews.fetch_add(1, std::memory_order_relaxed);
    void* p = nullptr;
    if (posix_memalign(&p, static_cast<size_t>(align), size == 0 ? 1 : size) == 0)
        return p;
    throw std::bad_alloc();
}
} // namespace

Allocations AllocationsSoFar()
{
    return {gNews.load(std::memory_order_relaxed), gMallocs.load(std::memory_order_relaxed)};
}

extern "C" void* malloc(size_t size)
{
    gMallocs.fetch_add(1, std::memory_order_relaxed);
    return __libc_malloc(size);
}

extern "C" void* calloc(size_t count, size_t size)
{
    gMallocs.fetch_add(1, std::memory_order_relaxed);
    return __libc_calloc(count, size);
}

extern "C" void* realloc(void* p, size_t size)
{
    gMallocs.fetch_add(1, std::memory_order_relaxed);
    return __libc_realloc(p, size);
}

void* operator new(size_t size) { return NewOrThrow(size); }
void* operator new[](size_t size) { return NewOrThrow(size); }
void* operator new(size_t size, std::align_val_t align) { return AlignedNewOrThrow(size, align); }
void* operator new[](size_t size, std::align_val_t align) { return AlignedNewOrThrow(size, align); }
void* operator new(size_t size, const std::nothrow_t&) noexcept
{
    gNews.fetch_add(1, std::memory_order_relaxed);
    return std::malloc(size == 0 ? 1 : size);
}
void* operator new[](size_t size, const std::nothrow_t& tag) noexcept { return operator new(size, tag); }

void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, size_t) noexcept { std::free(p); }
void operator delete[](void* p, size_t) noexcept { std::free(p); }
void operator delete(void* p, std::align_val_t) noexcept { std::free(p); }
void operator delete[](void* p, std::align_val_t) noexcept { std::free(p); }
void operator delete(void* p, size_t, std::align_val_t) noexcept { std::free(p); }
void operator delete[](void* p, size_t, std::align_val_t) noexcept { std::free(p); }
