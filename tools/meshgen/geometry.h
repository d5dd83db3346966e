#pragma once
// Small vector and matrix types for building models. Matrices follow the
// game's row-vector convention: a point is transformed as p x M, the
// translation sits in the fourth row.
#include <cmath>

struct Vec2 {
  double u = 0, v = 0;
};

struct Vec3 {
  double x = 0, y = 0, z = 0;
};

inline Vec3 operator+(Vec3 a, Vec3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline Vec3 operator-(Vec3 a, Vec3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline Vec3 operator-(Vec3 a) { return {-a.x, -a.y, -a.z}; }
inline Vec3 operator*(Vec3 a, double s) { return {a.x * s, a.y * s, a.z * s}; }
inline Vec3 operator*(double s, Vec3 a) { return a * s; }
inline double Dot(Vec3 a, Vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline Vec3 Cross(Vec3 a, Vec3 b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
inline double Length(Vec3 a) { return std::sqrt(Dot(a, a)); }
inline Vec3 Normalized(Vec3 a) {
  double length = Length(a);
  return length > 1e-12 ? a * (1.0 / length) : Vec3{0, 1, 0};
}
inline Vec3 Lerp(Vec3 a, Vec3 b, double t) { return a + (b - a) * t; }

constexpr double kPi = 3.14159265358979323846;
inline double Radians(double degrees) { return degrees * kPi / 180.0; }
inline double Clamp01(double t) { return t < 0 ? 0 : (t > 1 ? 1 : t); }
inline double SmoothStep(double a, double b, double t) {
  double s = Clamp01((t - a) / (b - a));
  return s * s * (3 - 2 * s);
}

struct Mat4 {
  double m[4][4] = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}};
};

Mat4 operator*(const Mat4& a, const Mat4& b);
Mat4 Translation(Vec3 offset);
Mat4 Scaling(double x, double y, double z);
// Rotations with the same sense as the game's rotation matrices.
Mat4 RotationX(double degrees);
Mat4 RotationY(double degrees);
Mat4 RotationZ(double degrees);
Vec3 TransformPoint(Vec3 p, const Mat4& m);
Vec3 TransformDirection(Vec3 d, const Mat4& m);
