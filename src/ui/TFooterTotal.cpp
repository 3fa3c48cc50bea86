#include "ui/TFooterTotal.h"

#include "support/Rounding.h"

#include <cmath>

namespace dbfquery::ui {

namespace {
// Below 2^63 with room for the rounding step.
constexpr double FixedLimit = 9.2e18;
} // namespace

void TFooterTotal::add(double value) {
    ++m_count;
    if (m_exact) {
        const double next = value * double(Scale) + double(m_fixed);
        if (std::isfinite(next) && std::abs(next) < FixedLimit) {
            m_fixed = support::roundHalfEven(next);
            return;
        }
        m_exact = false;
        m_approximate = double(m_fixed) / double(Scale);
    }
    m_approximate += value;
}

double TFooterTotal::value() const { return m_exact ? double(m_fixed) / double(Scale) : m_approximate; }

} // namespace dbfquery::ui
