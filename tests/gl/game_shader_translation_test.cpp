// Every shader program the game ships, and every program its materials
// compose from fragments, translates and links on the OpenGL device.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "support/gl.h"

namespace {

namespace fs = std::filesystem;

std::string ReadText(const fs::path& path) {
  std::ifstream file(path);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

class GameShaderTranslationTest : public GlDeviceTest {};

TEST_F(GameShaderTranslationTest, ProgramsAndComposedMaterialsTranslateAndLink) {
  const fs::path content = fs::path(KESTRIN_SOURCE_DIR) / "content" / "bin";
  if (!fs::exists(content / "shdr")) GTEST_SKIP() << "no shader content";
  OPEN_OR_SKIP(32, 32);

  std::vector<std::pair<std::string, std::string>> vertexTexts, pixelTexts;
  for (const auto& entry : fs::directory_iterator(content / "shdr")) {
    std::string ext = entry.path().extension().string();
    if (ext == ".vs") vertexTexts.push_back({entry.path().filename().string(), ReadText(entry.path())});
    if (ext == ".ps") pixelTexts.push_back({entry.path().filename().string(), ReadText(entry.path())});
  }
  std::sort(vertexTexts.begin(), vertexTexts.end());
  std::sort(pixelTexts.begin(), pixelTexts.end());
  const fs::path parts = content / "shdrpart";
  for (int flags : {0, 1, 3}) {
    for (const char* ext : {".vsp", ".psp"}) {
      std::string text = ReadText(parts / (std::string("head") + ext));
      if (flags & 1) text += ReadText(parts / (std::string("diffuse") + ext));
      if (flags & 2) text += ReadText(parts / (std::string("specular") + ext));
      text += ReadText(parts / (std::string("end") + ext));
      auto& list = std::string(ext) == ".vsp" ? vertexTexts : pixelTexts;
      list.push_back({"material " + std::to_string(flags) + ext, text});
    }
  }

  std::vector<d3d9::VertexShader*> vertexShaders{nullptr};
  std::vector<d3d9::PixelShader*> pixelShaders{nullptr};
  for (const auto& [name, text] : vertexTexts) {
    SCOPED_TRACE(name);
    vertexShaders.push_back(VertexShaderFrom(text));
    EXPECT_NE(nullptr, vertexShaders.back());
  }
  for (const auto& [name, text] : pixelTexts) {
    SCOPED_TRACE(name);
    pixelShaders.push_back(PixelShaderFrom(text));
    EXPECT_NE(nullptr, pixelShaders.back());
  }
  // Each with the fixed-function other half, and the pairs the game binds
  // together (the same name, the same material).
  std::vector<std::pair<size_t, size_t>> pairs;
  for (size_t v = 0; v < vertexShaders.size(); ++v) pairs.push_back({v, 0});
  for (size_t p = 1; p < pixelShaders.size(); ++p) pairs.push_back({0, p});
  for (size_t v = 0; v < vertexTexts.size(); ++v)
    for (size_t p = 0; p < pixelTexts.size(); ++p)
      if (fs::path(vertexTexts[v].first).stem() == fs::path(pixelTexts[p].first).stem()) pairs.push_back({v + 1, p + 1});
  auto quad = QuadStrip(-1, 1, 1, -1, 0.5f, 0xFFFFFFFF);
  for (auto [v, p] : pairs) {
    device->SetVertexShader(vertexShaders[v]);
    device->SetPixelShader(pixelShaders[p]);
    EXPECT_EQ(D3D_OK, device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, quad.data(), sizeof(TestVertex)))
        << "vertex program " << v << " with pixel program " << p;
  }
  EXPECT_GE(pairs.size(), vertexShaders.size() + pixelShaders.size() + 2);
  device->SetVertexShader(nullptr);
  device->SetPixelShader(nullptr);
  for (auto* s : vertexShaders)
    if (s) s->Release();
  for (auto* s : pixelShaders)
    if (s) s->Release();
}

}  // namespace
