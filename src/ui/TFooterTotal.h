#pragma once

#include <cstdint>

namespace dbfquery::ui {

// A running total kept in fixed point: a 64-bit count of ten-thousandths.
// Each addition rounds (value x 10000 + total so far) to the nearest
// integer, halves to even. A total that would leave the 64-bit range (or a
// value that is not finite) goes on in floating point instead, so it is
// shown approximately rather than wrapped.
class TFooterTotal {
public:
    static constexpr std::int64_t Scale = 10000;

    void add(double value);
    // The number of values added.
    std::int64_t count() const { return m_count; }
    bool exact() const { return m_exact; }
    // Ten-thousandths; meaningful while exact().
    std::int64_t fixed() const { return m_fixed; }
    double value() const;

private:
    std::int64_t m_fixed = 0;
    std::int64_t m_count = 0;
    double m_approximate = 0.0;
    bool m_exact = true;
};

} // namespace dbfquery::ui
