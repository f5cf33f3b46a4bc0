// BasicVector: the small value vectors of the whole engine (Int3, Float3, Int2, Float2).
//
// World conventions: Y points up; a cube's faces come in the order top (+Y), bottom (-Y),
// front (+Z), back (-Z), left (-X), right (+X); a box is its centre and its size.
// Comparisons hold only when they hold for every component, so !(a >= b) is not a < b.
#pragma once

#include <cmath>
#include <ostream>

template <int N, typename T>
class BasicVector {
public:
    BasicVector() = default;
    BasicVector(T x, T y)
    {
        static_assert(N == 2, "two components for a 2-vector");
        values[0] = x;
        values[1] = y;
    }
    BasicVector(T x, T y, T z)
    {
        static_assert(N == 3, "three components for a 3-vector");
        values[0] = x;
        values[1] = y;
        values[2] = z;
    }

    T& x() { return values[0]; }
    T& y() { return values[1]; }
    T& z()
    {
        static_assert(N == 3, "z only for 3-vectors");
        return values[2];
    }
    const T& x() const { return values[0]; }
    const T& y() const { return values[1]; }
    const T& z() const
    {
        static_assert(N == 3, "z only for 3-vectors");
        return values[2];
    }
    T& operator[](int i) { return values[i]; }
    const T& operator[](int i) const { return values[i]; }

    BasicVector operator+(const BasicVector& o) const { return combine(o, [](T a, T b) { return a + b; }); }
    BasicVector operator-(const BasicVector& o) const { return combine(o, [](T a, T b) { return a - b; }); }
    BasicVector operator*(T s) const { return combine(*this, [s](T a, T) { return a * s; }); }
    BasicVector operator/(T s) const { return combine(*this, [s](T a, T) { return a / s; }); }
    BasicVector& operator+=(const BasicVector& o) { return *this = *this + o; }
    BasicVector& operator-=(const BasicVector& o) { return *this = *this - o; }
    BasicVector& operator*=(T s) { return *this = *this * s; }
    BasicVector& operator/=(T s) { return *this = *this / s; }

    bool operator==(const BasicVector& o) const { return all(o, [](T a, T b) { return a == b; }); }
    bool operator!=(const BasicVector& o) const { return !(*this == o); }
    bool operator<(const BasicVector& o) const { return all(o, [](T a, T b) { return a < b; }); }
    bool operator<=(const BasicVector& o) const { return all(o, [](T a, T b) { return a <= b; }); }
    bool operator>(const BasicVector& o) const { return all(o, [](T a, T b) { return a > b; }); }
    bool operator>=(const BasicVector& o) const { return all(o, [](T a, T b) { return a >= b; }); }

    // Euclidean length in single precision.
    float length() const
    {
        float sum = 0.f;
        for (int i = 0; i < N; i++)
            sum += (float)values[i] * (float)values[i];
        return std::sqrt(sum);
    }
    // Divides by the length; a zero vector gives non-finite components.
    void normalize() { *this = *this / (T)length(); }

private:
    template <typename F>
    BasicVector combine(const BasicVector& o, F f) const
    {
        BasicVector r;
        for (int i = 0; i < N; i++)
            r.values[i] = f(values[i], o.values[i]);
        return r;
    }
    template <typename F>
    bool all(const BasicVector& o, F f) const
    {
        for (int i = 0; i < N; i++)
            if (!f(values[i], o.values[i]))
                return false;
        return true;
    }

    T values[N];
};

// Log format: BasicVector<3,?(sizeof=4)> (1;-2;3;)
template <int N, typename T>
std::ostream& operator<<(std::ostream& out, const BasicVector<N, T>& v)
{
    out << "BasicVector<" << N << ",?(sizeof=" << sizeof(T) << ")> (";
    for (int i = 0; i < N; i++)
        out << v[i] << ";";
    return out << ")";
}

typedef BasicVector<3, int> Int3;
typedef BasicVector<3, float> Float3;
typedef BasicVector<2, int> Int2;
typedef BasicVector<2, float> Float2;

// (r sin(theta) cos(phi), r cos(theta), r sin(theta) sin(phi)); theta from +Y, phi in the
// XZ plane from +X toward +Z, radians.
inline Float3 sphericalToCartesian(float r, float theta, float phi)
{
    float horizontal = r * std::sin(theta);
    return Float3(horizontal * std::cos(phi), r * std::cos(theta), horizontal * std::sin(phi));
}
