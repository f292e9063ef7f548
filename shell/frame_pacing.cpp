#include "shell/frame_pacing.h"

#include "app/frame_timing.h"
#include "media/draw/dd_display.h"

namespace {

bool IsDirect3DRunning() { return lpDTCon != nullptr; }

}  // namespace

void ConnectFramePacing() {
  SetFrameTimingDirect3DQuery(IsDirect3DRunning);
  DDSetFrameLimiter(FrameLimitD3D);
}
