// The currency amount of the aggregation: a sign, a whole part and four
// decimal places, exchanged with the host as a count of ten-thousandths.
#pragma once

#include <cstdint>
#include <stdexcept>

// Raised by an operation whose result reaches the amounts' bound.
class AmountOutOfRange : public std::overflow_error {
  public:
    AmountOutOfRange() : std::overflow_error("amount out of range") {}
};

// The value is held as its count of ten-thousandths: every 64-bit count is
// exact, and every operation computes the exact result before testing it
// against the bound.
class ClAmount {
  public:
    // Ten-thousandths per currency unit.
    static constexpr std::int64_t kFractionUnits = 10000;
    // No result may reach 10^18 ten-thousandths (10^14 units): every
    // amount below it converts back to a 64-bit count.
    static constexpr std::int64_t kCountBound = 1000000000000000000;

    // Zero.
    ClAmount() = default;
    // Exact for every 64-bit count; the count itself is not bounded.
    static ClAmount FromCount(std::int64_t count) {
        ClAmount amount;
        amount.count_ = count;
        return amount;
    }
    std::int64_t ToCount() const { return count_; }

    // +1 or -1; +1 for zero.
    int Sign() const { return count_ < 0 ? -1 : 1; }
    std::uint64_t Whole() const { return Magnitude() / kFractionUnits; }
    // 0 to 9999.
    int Fraction() const { return static_cast<int>(Magnitude() % kFractionUnits); }
    bool IsZero() const { return count_ == 0; }

    // Exact, and checked: a result whose magnitude reaches the bound throws
    // AmountOutOfRange. Subtraction and the running sums are checked in the
    // same way, so that no figure is ever cut or wrapped.
    friend ClAmount operator+(const ClAmount& a, const ClAmount& b);
    friend ClAmount operator-(const ClAmount& a, const ClAmount& b);
    ClAmount& operator+=(const ClAmount& other) { return *this = *this + other; }
    ClAmount& operator-=(const ClAmount& other) { return *this = *this - other; }
    // Throws for the one count whose negation no 64-bit count holds.
    ClAmount operator-() const { return ClAmount() - *this; }

    friend bool operator==(const ClAmount& a, const ClAmount& b) { return a.count_ == b.count_; }
    friend bool operator!=(const ClAmount& a, const ClAmount& b) { return !(a == b); }

  private:
    // In unsigned arithmetic: the negation of the smallest count overflows.
    std::uint64_t Magnitude() const {
        return count_ < 0 ? 0 - static_cast<std::uint64_t>(count_)
                          : static_cast<std::uint64_t>(count_);
    }

    std::int64_t count_ = 0;
};
