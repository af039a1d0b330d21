#include "core/gas/aga8_equation.h"

#include "core/gas/aga8_tables.h"

#include <cmath>
#include <limits>

namespace gas::aga8 {

namespace {

// r^k for every k in [Lo, Hi] by repeated products; the equation's exponents are all
// multiples of 1/2, so r is the square root of the base (or its inverse).
template <int Lo, int Hi>
class Powers {
public:
    explicit Powers(double r)
    {
        values_[-Lo] = 1;
        for (int k = 1; k <= Hi; ++k)
            values_[static_cast<std::size_t>(k - Lo)] = values_[static_cast<std::size_t>(k - 1 - Lo)] * r;
        const double inverse = 1 / r;
        for (int k = -1; k >= Lo; --k)
            values_[static_cast<std::size_t>(k - Lo)] = values_[static_cast<std::size_t>(k + 1 - Lo)] * inverse;
    }
    double operator()(int k) const { return values_[static_cast<std::size_t>(k - Lo)]; }

private:
    std::array<double, Hi - Lo + 1> values_{};
};

// Twice u_n, the exponent of T^(-1/2) (and of U^(1/2), E_ij^(1/2)) of term n.
constexpr int TwiceU(const Term &t) { return static_cast<int>(2 * t.u); }

constexpr int FirstC = 12; // index of n = 13

} // namespace

Aga8Equation::Aga8Equation(const std::array<double, 21> &x)
{
    std::array<int, ComponentTotal> present{};
    int count = 0;
    for (int i = 0; i < ComponentTotal; ++i)
        if (x[static_cast<std::size_t>(i)] > 0)
            present[static_cast<std::size_t>(count++)] = i;

    // Mixture size K, energy U, orientation G, quadrupole Q and high-temperature F
    // parameters (ISO 12213-2, B.2, equations B.4 to B.8 in the order of that clause).
    double k25 = 0;
    double u25 = 0;
    double g = 0;
    double q = 0;
    double f = 0;
    for (int a = 0; a < count; ++a) {
        const int i = present[static_cast<std::size_t>(a)];
        const double xi = x[static_cast<std::size_t>(i)];
        const ComponentParameters &ci = Components[static_cast<std::size_t>(i)];
        k25 += xi * std::pow(ci.k, 2.5);
        u25 += xi * std::pow(ci.e, 2.5);
        g += xi * ci.g;
        q += xi * ci.q;
        f += xi * xi * ci.f;
    }
    double k5 = k25 * k25;
    double u5 = u25 * u25;

    for (int a = 0; a < count; ++a) {
        const int i = present[static_cast<std::size_t>(a)];
        const ComponentParameters &ci = Components[static_cast<std::size_t>(i)];
        for (int b = a; b < count; ++b) {
            const int j = present[static_cast<std::size_t>(b)];
            const ComponentParameters &cj = Components[static_cast<std::size_t>(j)];
            const BinaryParameters &bp = Binary(i, j);
            // Each unordered pair stands for (i, j) and (j, i).
            const double xij = (i == j ? 1.0 : 2.0) * x[static_cast<std::size_t>(i)] * x[static_cast<std::size_t>(j)];
            if (i != j) {
                k5 += xij * (std::pow(bp.k, 5) - 1) * std::pow(ci.k * cj.k, 2.5);
                u5 += xij * (std::pow(bp.u, 5) - 1) * std::pow(ci.e * cj.e, 2.5);
                g += xij * (bp.gStar - 1) * (ci.g + cj.g) / 2;
            }
            // Second virial coefficient terms n = 1..18 (B.2, equation B.2).
            const double eij = bp.eStar * std::sqrt(ci.e * cj.e);
            const double gij = bp.gStar * (ci.g + cj.g) / 2;
            const double kij3 = std::pow(ci.k * cj.k, 1.5);
            const Powers<-12, 25> ePowers(std::sqrt(eij));
            for (int n = 0; n < 18; ++n) {
                const Term &t = Terms[static_cast<std::size_t>(n)];
                double bStar = 1;
                if (t.g)
                    bStar *= gij;
                if (t.q)
                    bStar *= ci.q * cj.q;
                if (t.f)
                    bStar *= std::sqrt(ci.f * cj.f);
                if (t.s)
                    bStar *= ci.s * cj.s;
                if (t.w)
                    bStar *= ci.w * cj.w;
                bTerms_[static_cast<std::size_t>(n)] += xij * t.a * ePowers(TwiceU(t)) * kij3 * bStar;
            }
        }
    }

    k3_ = std::pow(k5, 0.6);
    const Powers<-26, 46> uPowers(std::sqrt(std::pow(u5, 0.2)));
    for (int n = FirstC; n < TermCount; ++n) {
        const Term &t = Terms[static_cast<std::size_t>(n)];
        double c = t.a * uPowers(TwiceU(t));
        if (t.g)
            c *= g;
        if (t.q)
            c *= q * q;
        if (t.f)
            c *= f;
        cTerms_[static_cast<std::size_t>(n - FirstC)] = c;
    }
}

Aga8Equation::AtTemperature Aga8Equation::Coefficients(double temperatureK) const
{
    const Powers<-26, 46> tPowers(1 / std::sqrt(temperatureK)); // T^(-u) = (T^-1/2)^(2u)
    AtTemperature at{};
    for (int n = 0; n < 18; ++n)
        at.b += bTerms_[static_cast<std::size_t>(n)] * tPowers(TwiceU(Terms[static_cast<std::size_t>(n)]));
    for (int n = FirstC; n < TermCount; ++n) {
        const double c = cTerms_[static_cast<std::size_t>(n - FirstC)] * tPowers(TwiceU(Terms[static_cast<std::size_t>(n)]));
        at.c[static_cast<std::size_t>(n - FirstC)] = c;
        if (n < 18)
            at.sumC13to18 += c;
    }
    return at;
}

Aga8Equation::ZAndSlope Aga8Equation::Evaluate(const AtTemperature &at, double rho) const
{
    // Z = 1 + B rho - rho_r sum(C*_n, 13..18) + sum(C*_n D*_n, 13..58) (ISO 12213-2,
    // equation B.1), D*_n = (b_n - c_n k_n rho_r^k_n) rho_r^b_n exp(-c_n rho_r^k_n).
    const double r = k3_ * rho;
    std::array<double, 10> rPow{};
    rPow[0] = 1;
    for (std::size_t m = 1; m < rPow.size(); ++m)
        rPow[m] = rPow[m - 1] * r;
    std::array<double, 5> expK{1, std::exp(-rPow[1]), std::exp(-rPow[2]), std::exp(-rPow[3]), std::exp(-rPow[4])};

    double sum = 0;
    double slopeSum = 0; // d/d(rho_r) of the sum
    for (int n = FirstC; n < TermCount; ++n) {
        const Term &t = Terms[static_cast<std::size_t>(n)];
        const double c = at.c[static_cast<std::size_t>(n - FirstC)];
        const double ck = t.c * t.k;
        const double rk = rPow[static_cast<std::size_t>(t.k)];
        const double e = t.c ? expK[static_cast<std::size_t>(t.k)] : 1.0;
        const double front = t.b - ck * rk;
        sum += c * front * rPow[static_cast<std::size_t>(t.b)] * e;
        slopeSum += c * e * rPow[static_cast<std::size_t>(t.b - 1)] * (t.b * front - ck * rk * (t.k + front));
    }
    const double z = 1 + at.b * rho - r * at.sumC13to18 + sum;
    const double slope = at.b - k3_ * at.sumC13to18 + k3_ * slopeSum;
    return {z, slope};
}

std::optional<double> Aga8Equation::Z(double pressureMPa, double temperatureK) const
{
    if (pressureMPa == 0)
        return 1.0;
    const AtTemperature at = Coefficients(temperatureK);
    const double rt = GasConstant * temperatureK;

    // Newton's method on p(rho) = rho R T Z(rho) from the ideal-gas density, kept inside
    // the bracket [lo, hi] of densities known to give too low and too high a pressure;
    // a step that leaves the bracket, or a non-rising pressure, falls back to bisection
    // (or to doubling while no upper bound is known).
    double rho = pressureMPa / rt;
    double lo = 0;
    double hi = std::numeric_limits<double>::infinity();
    for (int iteration = 0; iteration < 200; ++iteration) {
        const ZAndSlope zs = Evaluate(at, rho);
        const double excess = rho * rt * zs.z - pressureMPa;
        if (excess == 0)
            return zs.z;
        if (excess < 0)
            lo = rho;
        else
            hi = rho;
        const double rise = rt * (zs.z + rho * zs.slope); // dp/d(rho)
        double next = rise > 0 ? rho - excess / rise : std::numeric_limits<double>::quiet_NaN();
        if (!(next > lo && next < hi))
            next = std::isfinite(hi) ? (lo + hi) / 2 : 2 * rho;
        if (std::abs(next - rho) <= 1e-13 * rho)
            return Evaluate(at, next).z;
        rho = next;
        if (k3_ * rho > 10) // far beyond any gas state
            break;
    }
    return std::nullopt;
}

} // namespace gas::aga8
