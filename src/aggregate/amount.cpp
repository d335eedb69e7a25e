#include "aggregate/amount.h"

#include <limits>

namespace {

// Compares magnitudes only.
bool MagnitudeBelow(std::uint64_t wholeA, int fractionA, std::uint64_t wholeB, int fractionB) {
    return wholeA < wholeB || (wholeA == wholeB && fractionA < fractionB);
}

}  // namespace

ClAmount::ClAmount(int sign, std::uint64_t whole, int fraction)
    : sign_(whole == 0 && fraction == 0 ? 1 : sign), whole_(whole), fraction_(fraction) {
    if (whole_ >= kWholeBound) throw AmountOutOfRange();
}

ClAmount ClAmount::FromCount(std::int64_t count) {
    // The magnitude in unsigned arithmetic: -count overflows for the
    // smallest count.
    const std::uint64_t magnitude =
        count < 0 ? 0 - static_cast<std::uint64_t>(count) : static_cast<std::uint64_t>(count);
    ClAmount amount;
    amount.sign_ = count < 0 ? -1 : 1;
    amount.whole_ = magnitude / kFractionUnits;
    amount.fraction_ = static_cast<int>(magnitude % kFractionUnits);
    return amount;
}

std::int64_t ClAmount::ToCount() const {
    constexpr std::uint64_t kMaxMagnitude =
        static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
    constexpr std::uint64_t kUnits = static_cast<std::uint64_t>(kFractionUnits);
    if (whole_ > (kMaxMagnitude + 1) / kUnits) throw AmountOutOfRange();
    const std::uint64_t magnitude = whole_ * kUnits + static_cast<std::uint64_t>(fraction_);
    if (sign_ < 0) {
        if (magnitude > kMaxMagnitude + 1) throw AmountOutOfRange();
        // Two's complement of the magnitude, defined for the smallest count.
        return magnitude == kMaxMagnitude + 1 ? std::numeric_limits<std::int64_t>::min()
                                              : -static_cast<std::int64_t>(magnitude);
    }
    if (magnitude > kMaxMagnitude) throw AmountOutOfRange();
    return static_cast<std::int64_t>(magnitude);
}

ClAmount ClAmount::operator-() const {
    ClAmount negated = *this;
    if (!IsZero()) negated.sign_ = -sign_;
    return negated;
}

ClAmount operator+(const ClAmount& a, const ClAmount& b) {
    // Whole parts of 64-bit counts stay below 10^15, so neither the sum nor
    // the borrow below can wrap before the bound is tested.
    if (a.sign_ == b.sign_) {
        std::uint64_t whole = a.whole_ + b.whole_;
        int fraction = a.fraction_ + b.fraction_;
        if (fraction >= ClAmount::kFractionUnits) {
            fraction -= static_cast<int>(ClAmount::kFractionUnits);
            ++whole;
        }
        return ClAmount(a.sign_, whole, fraction);
    }
    const bool aSmaller = MagnitudeBelow(a.whole_, a.fraction_, b.whole_, b.fraction_);
    const ClAmount& larger = aSmaller ? b : a;
    const ClAmount& smaller = aSmaller ? a : b;
    std::uint64_t whole = larger.whole_ - smaller.whole_;
    int fraction = larger.fraction_ - smaller.fraction_;
    if (fraction < 0) {
        fraction += static_cast<int>(ClAmount::kFractionUnits);
        --whole;
    }
    return ClAmount(larger.sign_, whole, fraction);
}

ClAmount operator-(const ClAmount& a, const ClAmount& b) {
    return a + -b;
}
