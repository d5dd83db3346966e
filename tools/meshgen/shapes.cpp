#include "shapes.h"

#include <cmath>

int AddLathe(ModelNode& node, int segments, int rows, double startAngle, const ProfileFunction& profile,
             const Mat4& placement, const UvFunction& uv) {
  return AddSurface(node, segments, rows, [&](double s, double t) {
    double angle = Radians(startAngle + 360.0 * s);
    Profile p = profile(t);
    Vec3 local{p.radius * std::cos(angle), p.height, -p.radius * std::sin(angle)};
    return SurfacePoint{TransformPoint(local, placement), uv(s, t)};
  });
}

int AddEllipsoid(ModelNode& node, Vec3 radii, int segments, int rings, double startAngle, const Mat4& placement,
                 const UvFunction& uv) {
  return AddSurface(node, segments, rings, [&](double s, double t) {
    double angle = Radians(startAngle + 360.0 * s);
    double polar = kPi * t;
    Vec3 local{radii.x * std::sin(polar) * std::cos(angle), -radii.y * std::cos(polar),
               -radii.z * std::sin(polar) * std::sin(angle)};
    return SurfacePoint{TransformPoint(local, placement), uv(s, t)};
  });
}

int AddTube(ModelNode& node, const std::vector<Vec3>& path, const std::vector<double>& radii, int segments,
            const UvFunction& uv) {
  int count = static_cast<int>(path.size());
  std::vector<Vec3> tangents(count), normals(count), binormals(count);
  for (int i = 0; i < count; ++i) {
    Vec3 ahead = path[i < count - 1 ? i + 1 : i], behind = path[i > 0 ? i - 1 : i];
    tangents[i] = Normalized(ahead - behind);
  }
  // Parallel transport keeps the tube from twisting along the path.
  Vec3 seed = std::fabs(tangents[0].y) < 0.9 ? Vec3{0, 1, 0} : Vec3{1, 0, 0};
  normals[0] = Normalized(Cross(Cross(tangents[0], seed), tangents[0]));
  for (int i = 1; i < count; ++i) {
    Vec3 n = normals[i - 1] - tangents[i] * Dot(normals[i - 1], tangents[i]);
    normals[i] = Normalized(n);
  }
  for (int i = 0; i < count; ++i) binormals[i] = Cross(tangents[i], normals[i]);
  return AddSurface(node, segments, count - 1, [&](double s, double t) {
    int i = static_cast<int>(std::lround(t * (count - 1)));
    double angle = 2 * kPi * s;
    Vec3 offset = normals[i] * std::cos(angle) + binormals[i] * std::sin(angle);
    return SurfacePoint{path[i] + offset * radii[i], uv(s, t)};
  });
}

void AddBox(ModelNode& node, Vec3 min, Vec3 max, const Mat4& placement, UvRect uvs) {
  Vec3 size = max - min;
  struct Face {
    Vec3 origin, a, b;  // a x b points outwards
  };
  const Face faces[6] = {
      {{min.x, min.y, min.z}, {size.x, 0, 0}, {0, 0, size.z}},   // bottom
      {{min.x, max.y, max.z}, {size.x, 0, 0}, {0, 0, -size.z}},  // top
      {{max.x, min.y, min.z}, {-size.x, 0, 0}, {0, size.y, 0}},  // -z
      {{min.x, min.y, max.z}, {size.x, 0, 0}, {0, size.y, 0}},   // +z
      {{min.x, min.y, min.z}, {0, 0, size.z}, {0, size.y, 0}},   // -x
      {{max.x, min.y, max.z}, {0, 0, -size.z}, {0, size.y, 0}},  // +x
  };
  for (const Face& f : faces) {
    bool aLonger = Length(f.a) >= Length(f.b);
    AddSurface(node, 1, 1, [&](double s, double t) {
      Vec3 p = f.origin + f.a * s + f.b * t;
      double along = aLonger ? s : t, across = aLonger ? t : s;
      return SurfacePoint{TransformPoint(p, placement),
                          {uvs.u0 + (uvs.u1 - uvs.u0) * along, uvs.v0 + (uvs.v1 - uvs.v0) * across}};
    });
  }
}

UvFunction UvInRect(UvRect rect) {
  return [rect](double s, double t) {
    return Vec2{rect.u0 + (rect.u1 - rect.u0) * s, rect.v0 + (rect.v1 - rect.v0) * t};
  };
}

UvFunction UvAt(double u, double v) {
  return [u, v](double, double) { return Vec2{u, v}; };
}

std::vector<Vec3> CubicCurve(Vec3 p0, Vec3 p1, Vec3 p2, Vec3 p3, int count) {
  std::vector<Vec3> points;
  for (int i = 0; i <= count; ++i) {
    double t = static_cast<double>(i) / count, r = 1 - t;
    points.push_back(p0 * (r * r * r) + p1 * (3 * r * r * t) + p2 * (3 * r * t * t) + p3 * (t * t * t));
  }
  return points;
}
