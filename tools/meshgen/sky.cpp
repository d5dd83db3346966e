// The sky: a unit sphere seen from inside (the game scales it by 300 around
// a point far below the islands), so its front faces and normals point
// inwards.
//
// Texture layout of "newsky": a latitude-longitude panorama, u once around,
// the top row the zenith, the middle row the horizon, the bottom row the
// nadir. The round's camera looks down past the island's edge, so most of
// what is seen lies in the lower half: keep it soft (haze, low clouds) since
// its rows close in on the nadir.
#include <cmath>

#include "models.h"

ModelNode MakeSkybox() {
  ModelNode node;
  node.name = "skybox";
  node.texture = "newsky.png";
  AddSurface(node, 32, 16, [](double s, double t) {
    // From the zenith down, so that ds x dt points inwards while u still
    // reads left to right for a viewer inside.
    double angle = 2 * kPi * s, polar = kPi * (1 - t);
    Vec3 p{std::sin(polar) * std::cos(angle), -std::cos(polar), -std::sin(polar) * std::sin(angle)};
    return SurfacePoint{p, {s, 1 - t}};
  });
  return node;
}
