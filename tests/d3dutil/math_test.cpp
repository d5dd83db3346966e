#include "d3dutil/math.h"

#include <gtest/gtest.h>

namespace {

void ExpectMatrixNear(const D3DXMATRIX& expected, const D3DXMATRIX& actual, float tolerance = 1e-5f) {
  for (int row = 0; row < 4; ++row)
    for (int column = 0; column < 4; ++column)
      EXPECT_NEAR(expected.m[row][column], actual.m[row][column], tolerance)
          << "element " << row + 1 << column + 1;
}

void ExpectVectorNear(const D3DXVECTOR3& expected, const D3DXVECTOR3& actual, float tolerance = 1e-5f) {
  EXPECT_NEAR(expected.x, actual.x, tolerance);
  EXPECT_NEAR(expected.y, actual.y, tolerance);
  EXPECT_NEAR(expected.z, actual.z, tolerance);
}

D3DXVECTOR3 TransformPoint(const D3DXVECTOR3& v, const D3DXMATRIX& m) {
  D3DXVECTOR3 out;
  D3DXVec3TransformCoord(&out, &v, &m);
  return out;
}

D3DXMATRIX Identity() {
  D3DXMATRIX m;
  D3DXMatrixIdentity(&m);
  return m;
}

TEST(Matrix, MultiplyIsRowVectorOrderAndMayAlias) {
  D3DXMATRIX scale, move;
  D3DXMatrixScaling(&scale, 2, 3, 4);
  D3DXMatrixTranslation(&move, 10, 20, 30);
  // Scale first, then move: (1, 1, 1) -> (2, 3, 4) -> (12, 23, 34).
  D3DXMATRIX both;
  EXPECT_EQ(&both, D3DXMatrixMultiply(&both, &scale, &move));
  ExpectVectorNear({12, 23, 34}, TransformPoint({1, 1, 1}, both));
  ExpectMatrixNear(both, scale * move);

  D3DXMATRIX aliased = scale;
  D3DXMatrixMultiply(&aliased, &aliased, &move);
  ExpectMatrixNear(both, aliased);
  D3DXMATRIX aliasedRight = move;
  D3DXMatrixMultiply(&aliasedRight, &scale, &aliasedRight);
  ExpectMatrixNear(both, aliasedRight);
}

TEST(Matrix, TransposeSwapsRowsAndColumnsInPlace) {
  D3DXMATRIX m(1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16);
  D3DXMatrixTranspose(&m, &m);
  ExpectMatrixNear(D3DXMATRIX(1, 5, 9, 13, 2, 6, 10, 14, 3, 7, 11, 15, 4, 8, 12, 16), m, 0);
}

TEST(Matrix, RotationsAreLeftHanded) {
  const float quarter = D3DX_PI / 2;
  D3DXMATRIX r;
  D3DXMatrixRotationX(&r, quarter);
  ExpectVectorNear({0, 0, 1}, TransformPoint({0, 1, 0}, r));
  D3DXMatrixRotationY(&r, quarter);
  ExpectVectorNear({1, 0, 0}, TransformPoint({0, 0, 1}, r));
  D3DXMatrixRotationZ(&r, quarter);
  ExpectVectorNear({0, 1, 0}, TransformPoint({1, 0, 0}, r));

  // A camera turned by -90 degrees about y looks along +x with right = +z.
  D3DXMatrixRotationY(&r, -90 * 0.017453292f);
  ExpectVectorNear({1, 0, 0}, TransformPoint({0, 0, -1}, r));
  ExpectVectorNear({0, 0, 1}, TransformPoint({1, 0, 0}, r));
}

TEST(Matrix, LookAtLHOfTheInitialView) {
  D3DXVECTOR3 eye(0, 0, 0), at(0, 0, -1), up(0, 1, 0);
  D3DXMATRIX view;
  EXPECT_EQ(&view, D3DXMatrixLookAtLH(&view, &eye, &at, &up));
  ExpectMatrixNear(D3DXMATRIX(-1, 0, 0, 0, 0, 1, 0, 0, 0, 0, -1, 0, 0, 0, 0, 1), view);
}

TEST(Matrix, LookAtLHMovesTheEyeToTheOriginLookingDownZ) {
  D3DXVECTOR3 eye(3, 4, -2), at(3, 4, 8), up(0, 1, 0);
  D3DXMATRIX view;
  D3DXMatrixLookAtLH(&view, &eye, &at, &up);
  ExpectMatrixNear(D3DXMATRIX(1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, -3, -4, 2, 1), view);

  D3DXVECTOR3 eye2(10, 0, 0), at2(0, 0, 0);
  D3DXMatrixLookAtLH(&view, &eye2, &at2, &up);
  ExpectVectorNear({0, 0, 0}, TransformPoint(eye2, view));
  ExpectVectorNear({0, 0, 10}, TransformPoint(at2, view));
  // Looking along -x with y up, +z of the world is to the right.
  ExpectVectorNear({1, 0, 10}, TransformPoint({0, 0, 1}, view));
}

TEST(Matrix, PerspectiveFovLHOfTheScene) {
  // 67.5 degrees vertical at 4:3, near 0.01, far 800.
  D3DXMATRIX projection;
  float fov = 0.75f * 1.5707964f;
  D3DXMatrixPerspectiveFovLH(&projection, fov, 1.0f / 0.75f, 0.01f, 800.0f);
  const float yScale = 1.4966058f;  // cot(33.75 degrees)
  const float xScale = 1.1224544f;  // yScale * 3 / 4
  const float q = 800.0f / 799.99f;
  ExpectMatrixNear(D3DXMATRIX(xScale, 0, 0, 0, 0, yScale, 0, 0, 0, 0, q, 1, 0, 0, -0.01f * q, 0),
                   projection);
  EXPECT_NEAR(0.0f, TransformPoint({0, 0, 0.01f}, projection).z, 1e-5f);
  EXPECT_NEAR(1.0f, TransformPoint({0, 0, 800}, projection).z, 1e-5f);
  // The top edge of the view at distance 1 lies at y = tan(33.75 degrees).
  EXPECT_NEAR(1.0f, TransformPoint({0, 0.6681786f, 1}, projection).y, 1e-5f);
}

TEST(Matrix, OrthoLHOfTheInterface) {
  D3DXMATRIX projection;
  D3DXMatrixOrthoLH(&projection, 2.0f, 1.5f, 0.01f, 800.0f);
  ExpectMatrixNear(D3DXMATRIX(1, 0, 0, 0, 0, 1.0f / 0.75f, 0, 0, 0, 0, 1 / 799.99f, 0,
                              0, 0, -0.01f / 799.99f, 1),
                   projection, 1e-7f);
  ExpectVectorNear({1, -1, 0}, TransformPoint({1, -0.75f, 0.01f}, projection));
}

TEST(Vector, TransformsOfPointsDirectionsAndFourVectors) {
  D3DXMATRIX move, turn;
  D3DXMatrixTranslation(&move, 5, 6, 7);
  D3DXMatrixRotationZ(&turn, D3DX_PI / 2);
  D3DXMATRIX m = turn * move;
  D3DXVECTOR3 v(1, 0, 0), out;
  ExpectVectorNear({5, 7, 7}, *D3DXVec3TransformCoord(&out, &v, &m));
  ExpectVectorNear({0, 1, 0}, *D3DXVec3TransformNormal(&out, &v, &m));

  D3DXVECTOR4 corner(1, 0, 0, 1), r;
  D3DXVec4Transform(&r, &corner, &m);
  EXPECT_NEAR(5, r.x, 1e-5f);
  EXPECT_NEAR(7, r.y, 1e-5f);
  EXPECT_NEAR(7, r.z, 1e-5f);
  EXPECT_NEAR(1, r.w, 1e-5f);

  D3DXVec3TransformCoord(&v, &v, &m);
  ExpectVectorNear({5, 7, 7}, v);
}

TEST(Vector, TransformCoordDividesByW) {
  D3DXMATRIX m = Identity();
  m._44 = 2;
  D3DXVECTOR3 v(2, 4, 6), out;
  ExpectVectorNear({1, 2, 3}, *D3DXVec3TransformCoord(&out, &v, &m));
}

TEST(Vector, NormalizeCrossDotLength) {
  D3DXVECTOR3 v(3, 0, 4), n;
  EXPECT_FLOAT_EQ(5, D3DXVec3Length(&v));
  EXPECT_FLOAT_EQ(25, D3DXVec3LengthSq(&v));
  ExpectVectorNear({0.6f, 0, 0.8f}, *D3DXVec3Normalize(&n, &v));
  D3DXVECTOR3 zero;
  ExpectVectorNear({0, 0, 0}, *D3DXVec3Normalize(&n, &zero), 0);

  D3DXVECTOR3 x(1, 0, 0), y(0, 1, 0), c;
  ExpectVectorNear({0, 0, 1}, *D3DXVec3Cross(&c, &x, &y));
  D3DXVec3Cross(&x, &x, &y);  // aliased output
  ExpectVectorNear({0, 0, 1}, x);
  D3DXVECTOR3 a(1, 2, 3), b(-2, 0.5f, 4);
  EXPECT_FLOAT_EQ(11, D3DXVec3Dot(&a, &b));
}

TEST(Vector, MinimizeMaximizeAndDegrees) {
  D3DXVECTOR3 a(1, 2, 3), b(5, -2, 7), out;
  ExpectVectorNear({1, -2, 3}, *D3DXVec3Minimize(&out, &a, &b), 0);
  ExpectVectorNear({5, 2, 7}, *D3DXVec3Maximize(&out, &a, &b), 0);
  EXPECT_FLOAT_EQ(180.0f, D3DXToDegree(D3DX_PI));
}

}  // namespace
