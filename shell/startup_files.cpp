#include "shell/startup_files.h"

#include <algorithm>
#include <cstring>

#include "data/database/database.h"
#include "data/palette/palette.h"
#include "data/worldmap/world_map.h"
#include "media/draw/dd_surface.h"

std::vector<std::string> MandatoryGameFiles() {
  std::vector<std::string> files;
  const auto add = [&files](const std::string& path) {
    if (std::find(files.begin(), files.end(), path) == files.end()) files.push_back(path);
  };
  for (int kind = 0; kind < DBKIND_COUNT; ++kind) add(cDatabase::FilePath(kind));
  add("data\\System.dat");
  for (const DDSURFACEDEF& def : g_FixedSurfaceDef) {
    if (def.bQuiet || def.szFile[0] == '\0' || std::strcmp(def.szFile, "E") == 0) continue;
    add(def.szFile);
  }
  add(kWorldMapPath);
  add(kCommonPalettePath);
  return files;
}
