#pragma once
// Building blocks for the models: every shape appends smooth-shaded geometry
// to a node, placed by a matrix (points are moved first, normals are then
// derived from the moved triangles).
#include <vector>

#include "model_node.h"

using UvFunction = std::function<Vec2(double s, double t)>;

// A profile point for turned shapes: distance from the axis and height.
struct Profile {
  double radius, height;
};
using ProfileFunction = std::function<Profile(double t)>;

// Turns the profile about the local y axis. Around the axis s runs from
// startAngle (degrees, 0 = local +x, 90 = local -z) through a full turn;
// t runs along the profile, which should climb from t = 0 to t = 1 for the
// normals to face outwards.
int AddLathe(ModelNode& node, int segments, int rows, double startAngle, const ProfileFunction& profile,
             const Mat4& placement, const UvFunction& uv);

// An ellipsoid about the local origin, turned like AddLathe (t from the
// bottom pole to the top pole).
int AddEllipsoid(ModelNode& node, Vec3 radii, int segments, int rings, double startAngle, const Mat4& placement,
                 const UvFunction& uv);

// A round tube along a path; radius per path point (0 closes an end).
// s runs around, t along the path.
int AddTube(ModelNode& node, const std::vector<Vec3>& path, const std::vector<double>& radii, int segments,
            const UvFunction& uv);

// An axis-aligned box from min to max with flat faces; each face maps the
// uv rectangle given for it (s along the face's longer side).
struct UvRect {
  double u0, v0, u1, v1;
};
void AddBox(ModelNode& node, Vec3 min, Vec3 max, const Mat4& placement, UvRect uvs);

// Maps s, t into a rectangle of the texture.
UvFunction UvInRect(UvRect rect);
// Samples one texture point everywhere (a part painted in one colour).
UvFunction UvAt(double u, double v);

// Points along a quadratic or cubic curve, count + 1 of them.
std::vector<Vec3> CubicCurve(Vec3 p0, Vec3 p1, Vec3 p2, Vec3 p3, int count);
