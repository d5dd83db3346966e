#include "geometry.h"

Mat4 operator*(const Mat4& a, const Mat4& b) {
  Mat4 r;
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j) {
      double sum = 0;
      for (int k = 0; k < 4; ++k) sum += a.m[i][k] * b.m[k][j];
      r.m[i][j] = sum;
    }
  return r;
}

Mat4 Translation(Vec3 offset) {
  Mat4 r;
  r.m[3][0] = offset.x;
  r.m[3][1] = offset.y;
  r.m[3][2] = offset.z;
  return r;
}

Mat4 Scaling(double x, double y, double z) {
  Mat4 r;
  r.m[0][0] = x;
  r.m[1][1] = y;
  r.m[2][2] = z;
  return r;
}

Mat4 RotationX(double degrees) {
  double c = std::cos(Radians(degrees)), s = std::sin(Radians(degrees));
  Mat4 r;
  r.m[1][1] = c;
  r.m[1][2] = s;
  r.m[2][1] = -s;
  r.m[2][2] = c;
  return r;
}

Mat4 RotationY(double degrees) {
  double c = std::cos(Radians(degrees)), s = std::sin(Radians(degrees));
  Mat4 r;
  r.m[0][0] = c;
  r.m[0][2] = -s;
  r.m[2][0] = s;
  r.m[2][2] = c;
  return r;
}

Mat4 RotationZ(double degrees) {
  double c = std::cos(Radians(degrees)), s = std::sin(Radians(degrees));
  Mat4 r;
  r.m[0][0] = c;
  r.m[0][1] = s;
  r.m[1][0] = -s;
  r.m[1][1] = c;
  return r;
}

Vec3 TransformPoint(Vec3 p, const Mat4& m) {
  return {p.x * m.m[0][0] + p.y * m.m[1][0] + p.z * m.m[2][0] + m.m[3][0],
          p.x * m.m[0][1] + p.y * m.m[1][1] + p.z * m.m[2][1] + m.m[3][1],
          p.x * m.m[0][2] + p.y * m.m[1][2] + p.z * m.m[2][2] + m.m[3][2]};
}

Vec3 TransformDirection(Vec3 d, const Mat4& m) {
  return {d.x * m.m[0][0] + d.y * m.m[1][0] + d.z * m.m[2][0],
          d.x * m.m[0][1] + d.y * m.m[1][1] + d.z * m.m[2][1],
          d.x * m.m[0][2] + d.y * m.m[1][2] + d.z * m.m[2][2]};
}
