// Draws every texture of the game, the built-in images, the font sheets and
// the medal particle set into the game folder.
//   texgen <game folder> [<contact sheet png>]
//   texgen --app-icon <folder> <size>...
//   texgen --windows-icon <icon folder> <file.ico> <size>...
// Beside the contact sheet it writes <name>_board.png, a patch of board as
// the round shows it, and <name>_text.png, sample lines in both fonts.
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "app_icon.h"
#include "contact_sheet.h"
#include "font_sheets.h"
#include "particles.h"
#include "png_file.h"
#include "surface.h"
#include "text.h"
#include "texture_job.h"
#include "windows_icon.h"
#include "text_preview.h"

namespace {

bool WriteText(const std::filesystem::path& path, const std::string& text) {
  FILE* file = std::fopen(path.string().c_str(), "wb");
  if (!file) return false;
  bool ok = std::fwrite(text.data(), 1, text.size(), file) == text.size();
  return std::fclose(file) == 0 && ok;
}

std::vector<TextureJob> AllJobs() {
  std::vector<TextureJob> jobs;
  AddScreenJobs(jobs);
  AddTileJobs(jobs);
  AddInterfaceJobs(jobs);
  AddHudJobs(jobs);
  AddWorldMapJobs(jobs);
  AddParticleJobs(jobs);
  AddSkinJobs(jobs);
  AddBuiltInJobs(jobs);
  return jobs;
}

// The icon is drawn without fonts and goes beside the game folder: desktops
// read it, the game does not.
int WriteAppIcon(const std::filesystem::path& folder, const std::vector<std::string>& sizes) {
  bool ok = true;
  for (const std::string& size : sizes) {
    TextureJob job = AppIconJob(std::stoi(size));
    std::error_code error;
    std::filesystem::create_directories((folder / job.path).parent_path(), error);
    if (!WritePng((folder / job.path).string(), job.width, job.height, RenderJob(job))) {
      std::fprintf(stderr, "texgen: cannot write %s\n", (folder / job.path).string().c_str());
      ok = false;
    }
  }
  return ok ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 3 && std::string(argv[1]) == "--app-icon")
    return WriteAppIcon(argv[2], std::vector<std::string>(argv + 3, argv + argc));
  if (argc >= 4 && std::string(argv[1]) == "--windows-icon") {
    std::vector<int> sizes;
    for (int i = 4; i < argc; ++i) sizes.push_back(std::stoi(argv[i]));
    if (WriteWindowsIcon(argv[2], argv[3], sizes)) return 0;
    std::fprintf(stderr, "texgen: cannot write %s\n", argv[3]);
    return 1;
  }
  if (argc < 2) {
    std::fprintf(stderr, "usage: texgen <game folder> [<contact sheet png>] | --app-icon <folder> <size>...\n");
    return 2;
  }
  std::filesystem::path game = argv[1];
  std::string fontFolder = TEXGEN_FONT_DIR;
  std::string contactPath = argc > 2 ? argv[2] : "";
  if (!OpenFaces(fontFolder)) {
    std::fprintf(stderr, "texgen: cannot open DejaVuSans.ttf and DejaVuSans-Bold.ttf in %s\n", fontFolder.c_str());
    return 1;
  }
  std::error_code error;
  for (const char* folder : {"textures", "bin", "data"}) std::filesystem::create_directories(game / folder, error);

  bool ok = true;
  std::vector<SheetEntry> sheet;
  for (const TextureJob& job : AllJobs()) {
    std::vector<uint8_t> rgba = RenderJob(job);
    if (!WritePng((game / job.path).string(), job.width, job.height, rgba)) {
      std::fprintf(stderr, "texgen: cannot write %s\n", (game / job.path).string().c_str());
      ok = false;
    }
    if (!contactPath.empty()) sheet.push_back({job.name, job.width, job.height, std::move(rgba)});
  }

  std::vector<FontSheet> fonts = BuildFontSheets();
  for (const FontSheet& font : fonts) {
    if (!WritePng((game / font.imagePath).string(), font.width, font.height, font.rgba) ||
        !WriteText(game / font.descriptionPath, font.description)) {
      std::fprintf(stderr, "texgen: cannot write the font %s\n", font.descriptionPath.c_str());
      ok = false;
    }
    if (!contactPath.empty()) sheet.push_back({font.descriptionPath, font.width, font.height, font.rgba});
  }

  if (!WriteText(game / "data" / "pSet1.s", MedalParticleSet())) {
    std::fprintf(stderr, "texgen: cannot write data/pSet1.s\n");
    ok = false;
  }
  if (!contactPath.empty()) {
    std::string base = contactPath;
    if (base.size() > 4 && base.compare(base.size() - 4, 4, ".png") == 0) base.resize(base.size() - 4);
    std::string boardPath = base + "_board.png";
    std::string textPath = base + "_text.png";
    if (!WriteContactSheet(contactPath, sheet) || !WriteBoardPreview(boardPath, sheet) ||
        !WriteTextPreview(textPath, fonts)) {
      std::fprintf(stderr, "texgen: cannot write %s\n", contactPath.c_str());
      ok = false;
    }
  }
  CloseFaces();
  return ok ? 0 : 1;
}
