#include "allocwatch.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {
std::atomic<bool> g_watching{false};
std::atomic<std::size_t> g_largest{0};

void* allocate(std::size_t size) {
    if (g_watching.load(std::memory_order_relaxed)) {
        std::size_t seen = g_largest.load(std::memory_order_relaxed);
        while (size > seen && !g_largest.compare_exchange_weak(seen, size))
            ;
    }
    if (void* p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}
} // namespace

void* operator new(std::size_t size) {
    return allocate(size);
}
void* operator new[](std::size_t size) {
    return allocate(size);
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete[](void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    std::free(p);
}

namespace qvtest {

AllocationWatch::AllocationWatch() {
    g_largest = 0;
    g_watching = true;
}
AllocationWatch::~AllocationWatch() {
    g_watching = false;
}
std::size_t AllocationWatch::largest() const {
    return g_largest.load();
}

} // namespace qvtest
