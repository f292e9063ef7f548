#include "stage/play_trace.h"

#include <cmath>
#include <cstdlib>

#include "objects/chara.h"
#include "objects/item.h"
#include "objects/player.h"
#include "objects/shot.h"
#include "stage/scene_game.h"
#include "stage/stage_world.h"

namespace {

std::FILE* g_lpTraceFile = nullptr;
int g_nTraceFrame = 0;

// 17 significant digits read back to the same double. JSON has no NaN or infinity:
// those are written as null.
void WriteDouble(std::FILE* file, double d) {
  if (std::isfinite(d))
    std::fprintf(file, "%.17g", d);
  else
    std::fputs("null", file);
}

void WriteObject(std::FILE* file, bool& bFirst, const char* kind, const cGameObj& obj, const std::int32_t* pHp) {
  std::fputs(bFirst ? "" : ", ", file);
  bFirst = false;
  std::fprintf(file, "{\"kind\": \"%s\", \"id\": %d, \"x\": ", kind, obj.m_nObjId);
  WriteDouble(file, obj.m_dX);
  std::fputs(", \"y\": ", file);
  WriteDouble(file, obj.m_dY);
  std::fputs(", \"vx\": ", file);
  WriteDouble(file, obj.m_dVx);
  std::fputs(", \"vy\": ", file);
  WriteDouble(file, obj.m_dVy);
  std::fputs(", \"cvx\": ", file);
  WriteDouble(file, obj.m_dCmdVx);
  std::fputs(", \"cvy\": ", file);
  WriteDouble(file, obj.m_dCmdVy);
  if (pHp != nullptr)
    std::fprintf(file, ", \"hp\": %d", *pHp);
  else
    std::fputs(", \"hp\": null", file);
  std::fprintf(file, ", \"facing\": %d, \"active\": %d}", obj.m_nFacing, obj.m_bActive);
}

}  // namespace

bool OpenPlayTraceFromEnv(std::string& error) {
  const char* path = std::getenv("TOVREL_TRACE");
  if (path == nullptr || path[0] == '\0') return true;
  g_lpTraceFile = std::fopen(path, "wb");
  if (g_lpTraceFile == nullptr) {
    error = std::string(path) + ": the trace file cannot be created";
    return false;
  }
  return true;
}

void WritePlayTraceFrame(const cSceneGame& scene) {
  if (g_lpTraceFile == nullptr) return;
  WritePlayTraceLine(g_lpTraceFile, g_nTraceFrame++, scene);
  // A run may end by its frame limit at any frame: every line is on disk when written.
  std::fflush(g_lpTraceFile);
}

void WritePlayTraceLine(std::FILE* file, int nFrame, const cSceneGame& scene) {
  std::fprintf(file, "{\"frame\": %d, \"state\": %d, \"scroll\": [", nFrame, scene.m_nState);
  WriteDouble(file, scene.m_ScrollX.m_dPos);
  std::fputs(", ", file);
  WriteDouble(file, scene.m_ScrollY.m_dPos);
  std::fputs("], \"objects\": [", file);
  bool bFirst = true;
  for (const cPlayer& player : g_vPlayer) WriteObject(file, bFirst, "player", player, &player.m_nHp);
  for (const cChara& chara : g_listChara) WriteObject(file, bFirst, "chara", chara, &chara.m_nHp);
  for (const cItem& item : g_listItem) WriteObject(file, bFirst, "item", item, nullptr);
  for (const cShot& shot : scene.m_lstShot) WriteObject(file, bFirst, "shot", shot, nullptr);
  std::fputs("]}\n", file);
}
