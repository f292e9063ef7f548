#include "data/stage/stage_load.h"

#include <cstring>
#include <memory>
#include <string>

#include "app/main_window_handle.h"
#include "app/message_boxes.h"
#include "app/path_helpers.h"
#include "app/path_table.h"
#include "app/release_vector.h"
#include "app/report_log.h"
#include "app/thread.h"
#include "data/record/data_file.h"
#include "platform/message_queue.h"

namespace {

// Files before this version may end without a valid sentinel.
constexpr int kStageLoadSentinelComparedFrom = 174;


// Serves the calling thread's messages until thLoad has ended. 0 when WM_QUIT came first.
int ServeMessagesWhileLoading() {
  for (;;) {
    if (thLoad.WaitForEndOrMessage(INFINITE) == WAIT_OBJECT_0) return 1;
    MSG msg{};
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) {
        WriteECf("msg.message == WM_QUIT");
        thLoad.Exit();
        // Put back for the caller's own loop: taken here, it would end no loop at all
        // and the thread (the main thread at shutdown) would run on.
        PostQuitMessage(static_cast<int>(msg.wParam));
        return 0;
      }
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }
}

}  // namespace

unsigned LoadStageProc(void* /*unused*/) {
  const int loaded = g_StageData.LoadFromFile(g_StageData.m_strPath.c_str());
  if (loaded) g_StageData.m_bLoaded = 1;
  return static_cast<unsigned>(loaded);
}

int CheckStageFile(const char* path) {
  std::unique_ptr<cDataReader> in = OpenDataFileForRead(path);
  if (!in) return 1;
  if (g_nFileVersion < kStageLoadSentinelComparedFrom) return 1;
  // The body after the version word.
  const std::size_t size = in->Remaining();
  const std::uint8_t* body = in->Take(size);
  std::int32_t last = 0;
  if (size >= sizeof last) std::memcpy(&last, body + size - sizeof last, sizeof last);
  bool sound = size >= sizeof last && last == kStageSentinel;
  if (!sound) {
    // Not at the end of the file: a replay carries its own records after the stage body.
    // The sentinel is then where the body ends; reading the body tests it.
    cDataReader bodyIn(body, size);
    cStageData stage;
    stage.Read(bodyIn);
    sound = !bodyIn.Damaged();
  }
  if (sound) return 1;
  ErrMesBoxf("ステージファイル %s が破損しています！", path);
  PostMessageA(g_hWnd, WM_CLOSE, 0, 0);
  return 0;
}

int LoadStageForPlay(const char* name, int bIsName, cStageData* out) {
  if (name == nullptr) name = "";
  g_StageData.m_bPathIsName = bIsName;
  if (bIsName == 1) {
    std::string found;
    if (!FindLatestFileStr(found, name, g_ExtTable[EXT_STAGE])) return 0;
    g_StageData.m_strPath = found;
  } else {
    g_StageData.m_strPath = name;
  }
  MakeRelativePathStr(g_StageData.m_strPath);

  if (!CheckStageFile(g_StageData.m_strPath.c_str())) return 0;

  // The path is read by the loader: a copy stays here for the messages below.
  const std::string path = g_StageData.m_strPath;
  g_StageData.m_bLoaded = 0;
  thLoad.Start(LoadStageProc, nullptr);  // a thread that did not start counts as ended
  if (!ServeMessagesWhileLoading()) return 0;
  thLoad.Exit();

  if (g_StageData.m_bLoaded == 0) {
    ErrMesBoxf("ステージファイル %s の読み込みに失敗しました！", path.c_str());
    return 0;
  }
  if (!g_StageData.HasHero()) {
    ErrMesBoxf("主人公が配置されていないのでプレイできません！");
    PostMessageA(g_hWnd, WM_CLOSE, 0, 0);
    return 0;
  }
  if (out == nullptr) return 1;
  CopyStageSettings(*out, g_StageData);
  return 1;
}

void CopyStageSettings(cStageData& out, const cStageData& stage) {
  out.CopyFrom(stage);
  AssignStageBackList(out.m_vBack, stage.m_vBack);
  AssignStageStringList(out.m_vText, stage.m_vText);
  out.m_OutRange = stage.m_OutRange;
  out.m_vResultKind = stage.m_vResultKind;
  ReleaseVector(out.m_vBlockPlace);
  ReleaseVector(out.m_vCharaPlace);
  ReleaseVector(out.m_vItemPlace);
  ReleaseVector(out.m_vBlockDef);
  ReleaseVector(out.m_vCharaDef);
  ReleaseVector(out.m_vItemDef);
}
