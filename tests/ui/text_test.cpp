// Fonts and text drawing on the recording device. The test font is 256 x 256
// pixels; at Options.width 800 an interface unit is 400 pixels.
#include <cmath>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/engine.h"
#include "support/png.h"
#include "render/quad_buffers.h"
#include "support/recording.h"
#include "ui/fps_display.h"
#include "ui/text_drawing.h"

namespace {

using rendertest::RenderTest;

struct Row {
  float u, v, tw, th;
};

// Pictures 32 pixels high: 'A' 16 wide (width = half the height), 'B' 32 wide
// (width = height), '^' and byte 200 like 'A', byte 255 like 'B'.
const std::map<int, Row> kTestRows = {{'A', {0, 0, 0.0625f, 0.125f}},
                                      {'B', {0.25f, 0, 0.125f, 0.125f}},
                                      {'^', {0.5f, 0, 0.0625f, 0.125f}},
                                      {200, {0.75f, 0.5f, 0.0625f, 0.125f}},
                                      {255, {0.875f, 0.875f, 0.125f, 0.125f}}};

std::string Number(float value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.6f", value);
  return text;
}

std::string FontFile(const std::string& sheet, const std::map<int, Row>& rows, int tableRows = 256) {
  std::string text = "font {\n  texture " + sheet + "\n  sizex 256\n  sizey 256\n";
  text += "  data coords " + std::to_string(tableRows) + " 4 {\n";
  for (int c = 0; c < tableRows; ++c) {
    auto row = rows.find(c);
    Row r = row == rows.end() ? Row{0, 0, 0, 0} : row->second;
    text += "  " + Number(r.u) + " " + Number(r.v) + " " + Number(r.tw) + " " + Number(r.th) + "\n";
  }
  return text + "  }\n}\n";
}

// Every printable character half as wide as high.
std::map<int, Row> PrintableRows() {
  std::map<int, Row> rows;
  for (int c = 33; c < 127; ++c) rows[c] = {(c % 16) / 16.0f, (c / 16) / 16.0f, 0.0625f, 0.125f};
  return rows;
}

// One drawn glyph: its rectangle (c60) and texture region (c61).
struct Quad {
  std::vector<float> place, region;
};

class TextTest : public RenderTest {
 protected:
  void SetUp() override {
    RenderTest::SetUp();
    savedWidth = Options.width;
    Options.width = 800;
    std::vector<uint32_t> pixels(16, 0xFFFFFFFF);
    for (const char* png : {"bin/black.png", "bin/error.png", "bin/defaultfont.png", "data/test.png"}) {
      std::filesystem::create_directories(std::filesystem::path(png).parent_path());
      support::WritePng(png, 4, 4, pixels);
    }
    Write("bin/defaultfont.s", FontFile("bin\\nothing.png", PrintableRows()));
    Write("data/test.s", FontFile("data\\test.png", kTestRows));
    Textures.loadBuiltInTextures();
    LoadDefaultFont();
    test = LoadFont("test", "test");
    // As the interface pass leaves it.
    CreateUnitQuadBuffer();
    device->SetStreamSource(0, QuadBuffers.UnitQuadBuffer, 0, sizeof(Vertex));
    device->ClearLog();
  }
  void TearDown() override {
    ReleaseFonts();
    ReleaseUnitQuadBuffer();
    Options.width = savedWidth;
    RenderTest::TearDown();
  }

  std::vector<Quad> Quads() const {
    std::vector<Quad> quads;
    for (const auto& draw : device->Draws()) {
      const auto& c = draw.state.vertexConstants;
      quads.push_back({{c[60][0], c[60][1], c[60][2], c[60][3]}, {c[61][0], c[61][1], c[61][2], c[61][3]}});
    }
    return quads;
  }

  // Top-left corners of the drawn glyphs in interface units.
  std::vector<std::pair<float, float>> Corners() const {
    std::vector<std::pair<float, float>> corners;
    for (const Quad& q : Quads()) corners.push_back({q.place[0] + 1.0f, 0.75f - q.place[1]});
    return corners;
  }

  void ExpectCorners(const std::vector<std::pair<float, float>>& expected) const {
    auto corners = Corners();
    ASSERT_EQ(corners.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
      EXPECT_NEAR(corners[i].first, expected[i].first, 1e-5) << "glyph " << i;
      EXPECT_NEAR(corners[i].second, expected[i].second, 1e-5) << "glyph " << i;
    }
  }

  int32_t savedWidth = 0;
  Font* test = nullptr;
};

// Widths at height 0.1: 'A' 0.05, 'B' 0.1; spacing 0.001, space 0.01.
constexpr float kH = 0.1f;

TEST_F(TextTest, LineShowsTheLongestTailThatFits) {
  // From the end: B 0.101, A 0.152, A 0.203, A 0.254.
  EXPECT_EQ(FitLineStart(*test, "AAAB", 4, 1.0f, kH), 0u);
  EXPECT_EQ(FitLineStart(*test, "AAAB", 4, 0.2541f, kH), 0u);  // all of it, just below the limit
  EXPECT_EQ(FitLineStart(*test, "AAAB", 4, 0.2539f, kH), 1u);
  EXPECT_EQ(FitLineStart(*test, "AAAB", 4, 0.2f, kH), 2u);
  EXPECT_EQ(FitLineStart(*test, "AAAB", 4, 0.1f, kH), 4u);  // the last character alone reaches it
  EXPECT_EQ(FitLineStart(*test, "", 0, 0.1f, kH), 0u);
  // '^' is measured like any glyph, a space by its own width.
  EXPECT_EQ(FitLineStart(*test, "^B", 2, 0.12f, kH), 1u);
  EXPECT_EQ(FitLineStart(*test, "A B", 3, 0.12f, kH), 1u);

  DrawTextLine("AAAB", 0.5f, 0.25f, 0.2f, kH, "test");
  auto quads = Quads();
  ASSERT_EQ(quads.size(), 2u);
  EXPECT_EQ(quads[0].place, (std::vector<float>{-0.5f, 0.5f, 0.05f, -kH}));
  EXPECT_EQ(quads[0].region, (std::vector<float>{0, 0, 0.0625f, 0.125f}));
  EXPECT_NEAR(quads[1].place[0], -0.5f + 0.051f, 1e-6);
  EXPECT_FLOAT_EQ(quads[1].place[2], 0.1f);
  EXPECT_EQ(quads[1].region, (std::vector<float>{0.25f, 0, 0.125f, 0.125f}));
}

TEST_F(TextTest, SpacesAdvanceAndCaretAndMissingGlyphsDoNot) {
  DrawTextLine("A B", 0, 0, 1, kH, "test");
  ExpectCorners({{0, 0}, {0.051f + 0.011f, 0}});  // a space: its width plus the spacing
  device->ClearLog();
  DrawTextLine("^A^ZB", 0, 0, 1, kH, "test");  // 'Z' has no picture in the test font
  ExpectCorners({{0, 0}, {0.051f, 0}});
  device->ClearLog();
  DrawTextWrapped("^A^ZB", 0, 0, 1, "test", kH);
  ExpectCorners({{0, 0}, {0.051f, 0}});
  device->ClearLog();
  DrawTextLine(nullptr, 0, 0, 1, kH, "test");
  DrawTextWrapped(nullptr, 0, 0, 1, "test", kH);
  DrawTextOverlay(nullptr, 0, 0, 1, kH, "test");
  EXPECT_TRUE(device->Calls().empty());
}

TEST_F(TextTest, EveryByteIsSafeWithATableThatStopsEarly) {
  Write("data/short.s", FontFile("data\\test.png", kTestRows, 100));  // rows 100..255 missing
  LoadFont("short", "short");
  std::string all;
  for (int c = 1; c < 256; ++c) all += static_cast<char>(c);
  DrawTextLine(all.c_str(), 0, 0, 100, kH, "short");
  DrawTextWrapped(all.c_str(), 0, 0, 0.3f, "short", kH);
  auto quads = Quads();
  ASSERT_EQ(quads.size(), 4u);  // 'A' and 'B' twice; '^' is hidden and 200, 255 have no row
  for (const Quad& q : quads) EXPECT_TRUE(std::isfinite(q.place[0]) && std::isfinite(q.place[2]));
}

TEST_F(TextTest, WrappedTextBreaksBeforeTheWordThatDoesNotFit) {
  // Words: "AA" 0.1 wide, "BB" 0.2 (no spacing counted when measuring).
  DrawTextWrapped("AA BB AA", 0.2f, 0.3f, 0.3f, "test", kH);
  ExpectCorners({{0.2f, 0.3f},
                 {0.251f, 0.3f},
                 {0.2f, 0.4f},
                 {0.301f, 0.4f},
                 {0.2f, 0.5f},
                 {0.251f, 0.5f}});
  for (const Quad& q : Quads()) EXPECT_FLOAT_EQ(q.place[3], -kH);
}

}  // namespace
