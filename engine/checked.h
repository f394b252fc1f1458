// Skip-on-failure arithmetic.
//
// Every handler of the program runs as a sequence of small steps. A step whose
// arithmetic fails (a division by zero, 0/0 included, a result beyond the double
// range, a value beyond the single range when it is stored, an exponential out
// of range, a failed conversion) is abandoned: its target keeps the value it
// had and the sequence goes on with the next step.
//
// The mechanism is two pieces: operations on `Dbl` and `single()` throw
// `step_failure` when they fail, and `step()` runs one statement and swallows
// that exception. A formula therefore reads as it is written:
//
//     step([&] { npan = nb * uu / dv; });
//
// and `npan` is assigned only when the whole right-hand side could be formed.
#pragma once

#include <cfloat>
#include <cmath>
#include <exception>

namespace stk {

// Thrown by a failing operation; caught by step() and test().
struct step_failure : std::exception {
    const char* what() const noexcept override { return "step failed"; }
};

[[noreturn]] inline void fail() { throw step_failure{}; }

// A double whose every operation is checked: the result must be finite, and a
// divisor must not be zero.
class Dbl {
public:
    constexpr Dbl() = default;
    constexpr Dbl(double v) : v_(v) {}  // NOLINT: implicit, so constants mix in
    constexpr double value() const { return v_; }

    friend Dbl operator+(Dbl a, Dbl b) { return checked(a.v_ + b.v_); }
    friend Dbl operator-(Dbl a, Dbl b) { return checked(a.v_ - b.v_); }
    friend Dbl operator*(Dbl a, Dbl b) { return checked(a.v_ * b.v_); }
    friend Dbl operator/(Dbl a, Dbl b)
    {
        if (b.v_ == 0.0)
            fail();
        return checked(a.v_ / b.v_);
    }
    friend Dbl operator-(Dbl a) { return Dbl(-a.v_); }

    friend bool operator<(Dbl a, Dbl b) { return a.v_ < b.v_; }
    friend bool operator>(Dbl a, Dbl b) { return a.v_ > b.v_; }
    friend bool operator==(Dbl a, Dbl b) { return a.v_ == b.v_; }

    // e^x; fails when the result is beyond the double range.
    friend Dbl exp(Dbl x) { return checked(std::exp(x.v_)); }
    // x^n with a whole exponent.
    friend Dbl pow(Dbl x, int n)
    {
        if (x.v_ == 0.0 && n < 0)
            fail();
        return checked(std::pow(x.v_, n));
    }
    friend Dbl abs(Dbl x) { return Dbl(std::fabs(x.v_)); }

private:
    static Dbl checked(double r)
    {
        if (!std::isfinite(r))
            fail();
        return Dbl(r);
    }
    double v_ = 0.0;
};

// Store a double in single precision (nearest); fails beyond the single range.
inline float single(Dbl x)
{
    const float f = static_cast<float>(x.value());
    if (std::isinf(f))
        fail();
    return f;
}

// Runs one statement; a failing operation inside it abandons the statement.
template <class F>
void step(F&& statement)
{
    try {
        statement();
    } catch (const step_failure&) {
    }
}

// Evaluates the test of a two-way decision; a failing test counts as passed,
// so the guarded branch runs.
template <class F>
bool test(F&& condition)
{
    try {
        return condition();
    } catch (const step_failure&) {
        return true;
    }
}

}  // namespace stk
