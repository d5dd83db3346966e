// Widget drawing on the recording device: which texture, which tint and
// alpha in c16, and where each quad goes.
#include <array>

#include "core/graphics_device.h"
#include "support/recording.h"
#include "render/quad_buffers.h"
#include "render/texture_cache.h"
#include "support/interface.h"

namespace uitest {
namespace {

class WidgetDrawTest : public UiTest {
 public:
  void SetUp() override {
    UiTest::SetUp();
    device = support::NewRecordingDevice();
    Device = device;
    Graphics.ShaderPath = 1;
    Graphics.VertexFormat = 0;
    // The interface pass binds the unit quad before the widgets draw.
    CreateUnitQuadBuffer();
    device->SetStreamSource(0, QuadBuffers.UnitQuadBuffer, 0, sizeof(Vertex));
  }

  void TearDown() override {
    Textures.release();
    Textures.releaseNames();
    ReleaseUnitQuadBuffer();
    Device = nullptr;
    device->Release();
    UiTest::TearDown();
  }

  // A texture registered under `name` without a file behind it.
  IDirect3DTexture9* Register(const char* name) {
    IDirect3DTexture9* texture = nullptr;
    device->CreateTexture(1, 1, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_DEFAULT, &texture, nullptr);
    Textures.names.addNames(name);
    Textures.textures.push_back(texture);
    return texture;
  }

  std::array<float, 4> C16(const d3d9::RecordedDraw& draw) const { return draw.state.pixelConstants[16]; }

  d3d9::RecordingDevice* device = nullptr;
};

TEST_F(WidgetDrawTest, AlphaFollowsTheFadeAndHiddenWidgetsAreNotDrawn) {
  Register("menu");
  Write("data/d.s",
        "image {\n  name in\n  texture1 menu\n  wait 0.5\n  time 1.0\n}\n"
        "image {\n  name out\n  texture1 menu\n  time 1.0\n}\n"
        "image {\n  name gone\n  texture1 menu\n}\n");
  LoadLayout("d");
  ImageWidget& out = FindImage("out");
  out.timer.wait = 0;
  FadeOut(out);
  HideAtOnce(FindImage("gone"));
  FindImage("in").colour[0] = 51;  // the tint's first byte, as a screen could set it
  Advance(750);
  DrawWidgetList();
  const auto& draws = device->Draws();
  ASSERT_EQ(draws.size(), 2u) << "a widget hidden at once draws nothing";
  EXPECT_FLOAT_EQ(C16(draws[0])[0], 0.2f);
  EXPECT_FLOAT_EQ(C16(draws[0])[1], 1.0f);
  EXPECT_FLOAT_EQ(C16(draws[0])[3], 0.25f) << "a quarter into its fade-in";
  EXPECT_FLOAT_EQ(C16(draws[1])[3], 0.25f) << "three quarters into its fade-out";

  Advance(1000);
  device->ClearLog();
  DrawWidgetList();
  ASSERT_EQ(device->Draws().size(), 1u) << "a finished fade-out is no longer drawn";
  EXPECT_FLOAT_EQ(C16(device->Draws()[0])[3], 1.0f);

  // Waiting for its fade-in a widget is drawn, fully transparent.
  LoadLayout("d");
  device->ClearLog();
  DrawWidgetList();
  EXPECT_FLOAT_EQ(C16(device->Draws()[1])[3], 0.0f);
}

}  // namespace
}  // namespace uitest
