#include "aggregate/amount.h"

#include <cstdint>
#include <limits>

namespace {

constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();

// A result that no 64-bit count holds lies far beyond the bound too.
std::int64_t Bounded(std::int64_t count) {
    if (count >= ClAmount::kCountBound || count <= -ClAmount::kCountBound) {
        throw AmountOutOfRange();
    }
    return count;
}

}  // namespace

ClAmount operator+(const ClAmount& a, const ClAmount& b) {
    const std::int64_t x = a.count_;
    const std::int64_t y = b.count_;
    if ((y > 0 && x > kMax - y) || (y < 0 && x < kMin - y)) throw AmountOutOfRange();
    return ClAmount::FromCount(Bounded(x + y));
}

ClAmount operator-(const ClAmount& a, const ClAmount& b) {
    const std::int64_t x = a.count_;
    const std::int64_t y = b.count_;
    if ((y < 0 && x > kMax + y) || (y > 0 && x < kMin + y)) throw AmountOutOfRange();
    return ClAmount::FromCount(Bounded(x - y));
}
