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

class ClAmount {
  public:
    // Ten-thousandths per currency unit.
    static constexpr std::int64_t kFractionUnits = 10000;
    // No result may reach 10^18 ten-thousandths (10^14 units): every
    // amount below it converts back to a 64-bit count.
    static constexpr std::uint64_t kWholeBound = 100000000000000;

    // Zero.
    ClAmount() = default;
    // Exact for every 64-bit count; the count itself is not bounded.
    static ClAmount FromCount(std::int64_t count);
    // Exact; throws AmountOutOfRange only for an amount that no 64-bit
    // count holds (none that an operation below returns).
    std::int64_t ToCount() const;

    // +1 or -1; +1 for zero.
    int Sign() const { return sign_; }
    std::uint64_t Whole() const { return whole_; }
    // 0 to 9999.
    int Fraction() const { return fraction_; }
    bool IsZero() const { return whole_ == 0 && fraction_ == 0; }

    // Exact, and checked: a result whose magnitude reaches the bound throws
    // AmountOutOfRange. Subtraction and the running sums are checked in the
    // same way, so that no figure is ever cut or wrapped.
    friend ClAmount operator+(const ClAmount& a, const ClAmount& b);
    friend ClAmount operator-(const ClAmount& a, const ClAmount& b);
    ClAmount& operator+=(const ClAmount& other) { return *this = *this + other; }
    ClAmount& operator-=(const ClAmount& other) { return *this = *this - other; }
    ClAmount operator-() const;

    friend bool operator==(const ClAmount& a, const ClAmount& b) {
        return a.sign_ == b.sign_ && a.whole_ == b.whole_ && a.fraction_ == b.fraction_;
    }
    friend bool operator!=(const ClAmount& a, const ClAmount& b) { return !(a == b); }

  private:
    ClAmount(int sign, std::uint64_t whole, int fraction);

    int sign_ = 1;
    std::uint64_t whole_ = 0;
    int fraction_ = 0;
};
