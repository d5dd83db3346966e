#pragma once
// The Windows icon file: the application icon's pictures in one .ico, each
// kept as its PNG file, as Windows reads them since Vista.
#include <filesystem>
#include <vector>

// Reads "<N>x<N>/apps/kestrin.png" from the icon theme folder for each size
// (at most 256); false when one is missing or the file cannot be written.
bool WriteWindowsIcon(const std::filesystem::path& iconFolder, const std::filesystem::path& icoPath,
                      const std::vector<int>& sizes);
