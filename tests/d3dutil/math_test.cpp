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

}  // namespace
