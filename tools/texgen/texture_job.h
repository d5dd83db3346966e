#pragma once
// One picture to draw: its file in the game folder, its size and the function
// that paints it. Each kind of content adds its jobs to one list.
#include <cairo.h>

#include <functional>
#include <string>
#include <vector>

using DrawFunction = std::function<void(cairo_t* cr, double width, double height)>;

struct TextureJob {
  std::string name;  // as the game names it; also the contact sheet label
  std::string path;  // relative to the game folder, with forward slashes
  int width = 0;
  int height = 0;
  DrawFunction draw;
};

// A texture of the registry: "textures/<name>.png".
void AddTexture(std::vector<TextureJob>& jobs, const std::string& name, int width, int height, DrawFunction draw);

void AddTileJobs(std::vector<TextureJob>& jobs);
void AddInterfaceJobs(std::vector<TextureJob>& jobs);
void AddHudJobs(std::vector<TextureJob>& jobs);
void AddWorldMapJobs(std::vector<TextureJob>& jobs);
void AddSkinJobs(std::vector<TextureJob>& jobs);
void AddScreenJobs(std::vector<TextureJob>& jobs);
void AddParticleJobs(std::vector<TextureJob>& jobs);
void AddBuiltInJobs(std::vector<TextureJob>& jobs);
