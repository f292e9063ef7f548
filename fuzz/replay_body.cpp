#include "fuzz/replay_body.h"

#include "data/record/data_writer.h"
#include "stage/replay.h"

std::vector<std::uint8_t> ReplayBytes(cStageData& stage, const cStageData& pristine, cProgress& progress) {
  cDataWriter out;
  out.WriteInt32(g_nDataVersion);
  stage.WriteForReplay(out, pristine);
  // A few recorded frames: a walk right, a jump held over it, then nothing.
  cReplay replay;
  replay.m_nSeed = 12345;
  for (int frame = 0; frame < 40; ++frame) {
    replay.Record(frame < 30 ? 2 : 0, frame >= 10 && frame < 20 ? 1 : 0);
  }
  replay.Write(out);
  progress.Write(out);
  return out.Bytes();
}
