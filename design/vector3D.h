// A vector of three doubles with the dot and cross products and normalisation that the
// diffraction-order geometry needs.
#pragma once

#include <cmath>

struct vector3D
{
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;

    void set(double newX, double newY, double newZ)
    {
        x = newX;
        y = newY;
        z = newZ;
    }
    double dot(const vector3D& other) const { return x * other.x + y * other.y + z * other.z; }
    // result = this x other; result may be this or other.
    void cross(const vector3D& other, vector3D& result) const
    {
        const double cx = y * other.z - z * other.y;
        const double cy = z * other.x - x * other.z;
        const double cz = x * other.y - y * other.x;
        result.set(cx, cy, cz);
    }
    double length() const { return std::sqrt(x * x + y * y + z * z); }
    // Scales to unit length and returns the old length. A zero vector becomes NaN.
    double normalize()
    {
        const double oldLength = length();
        const double scale = 1.0 / oldLength;
        x *= scale;
        y *= scale;
        z *= scale;
        return oldLength;
    }
};

inline vector3D operator+(const vector3D& a, const vector3D& b)
{
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}

inline vector3D operator*(double s, const vector3D& v)
{
    return {s * v.x, s * v.y, s * v.z};
}
