#include "fuzz/replay_body.h"

#include "data/record/data_writer.h"

std::vector<std::uint8_t> ReplayBytes(cStageData& stage, const cStageData& pristine, cProgress& progress) {
  cDataWriter out;
  out.WriteInt32(g_nDataVersion);
  stage.WriteForReplay(out, pristine);
  // The recorded frames (a count and a few key states), then the progress at the start.
  out.WriteInt32(3);
  for (std::int32_t keys : {1, 2, 3}) out.WriteInt32(keys);
  progress.Write(out);
  return out.Bytes();
}
