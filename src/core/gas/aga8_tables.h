#pragma once

#include <array>

// The published constants of the AGA8-92DC equation (ISO 12213-2:2006, Annex B, Tables
// B.1 to B.3; the same numbers as AGA Report No. 8, 1994, Tables 4 to 6).
namespace gas::aga8 {

inline constexpr int TermCount = 58;
inline constexpr int ComponentTotal = 21;

// Molar gas constant of the method, MPa m3 kmol-1 K-1 (ISO 12213-2, B.1: 8,314 51 J/(mol K)).
inline constexpr double GasConstant = 8.31451e-3;

// One of the 58 terms of the equation: a_n, b_n, c_n, k_n, u_n, g_n, q_n, f_n, s_n, w_n.
struct Term {
    double a;
    int b;
    int c;
    int k;
    double u;
    int g;
    int q;
    int f;
    int s;
    int w;
};

// Characterization parameters of a component: E_i (K), K_i (m3/kmol)^(1/3), G_i, Q_i,
// F_i, S_i, W_i.
struct ComponentParameters {
    double e;
    double k;
    double g;
    double q;
    double f;
    double s;
    double w;
};

// Binary interaction parameters E*_ij, U_ij, K_ij, G*_ij; 1 for every pair not listed.
struct BinaryParameters {
    double eStar = 1;
    double u = 1;
    double k = 1;
    double gStar = 1;
};

extern const std::array<Term, TermCount> Terms;
extern const std::array<ComponentParameters, ComponentTotal> Components;
// Parameters of the pair (i, j), component indices 0..20 in either order.
const BinaryParameters &Binary(int i, int j);

} // namespace gas::aga8
