// Writes the ten effect sounds into <game folder>/snd.
#include <cstdio>
#include <filesystem>

#include "effects.h"
#include "synth.h"
#include "wav_file.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <game folder>\n", argv[0]);
    return 2;
  }
  std::filesystem::path folder = std::filesystem::path(argv[1]) / "snd";
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  bool ok = true;
  for (const Effect& effect : MakeEffects()) ok = WriteWav((folder / effect.file).string(), effect.samples, kSampleRate) && ok;
  return ok ? 0 : 1;
}
