#pragma once

#include <cstddef>

// Records the largest single operator-new request made while a watch is alive, to show that
// the readers size their allocations by the file and not by what a damaged file claims.
namespace qvtest {

class AllocationWatch final {
public:
    AllocationWatch();
    ~AllocationWatch();
    AllocationWatch(const AllocationWatch&) = delete;
    AllocationWatch& operator=(const AllocationWatch&) = delete;
    std::size_t largest() const;
};

} // namespace qvtest
