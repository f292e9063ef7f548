#pragma once
// The scene's implicit flow context (the character, run and command run being executed)
// across a flow activity that may begin inside another: a trigger fired from inside an
// executor, or a before-start flow run while another flow executes.
#include <cstdint>

#include "stage/scene_game.h"

// Counts the flow steps in progress, so that a context can tell whether it is nested in
// one.
class cFlowStepScope {
 public:
  cFlowStepScope() { ++s_nDepth; }
  ~cFlowStepScope() { --s_nDepth; }
  cFlowStepScope(const cFlowStepScope&) = delete;
  cFlowStepScope& operator=(const cFlowStepScope&) = delete;
  static bool InStep() { return s_nDepth > 0; }

 private:
  static inline std::int32_t s_nDepth = 0;
};

// Keeps the context on entry and, on every way out, either puts it back (inside a flow
// step, whose executor goes on with it; or always, with `bAlwaysRestore`) or clears it
// (at the top level, where nothing runs and a pointer kept could outlive its character).
class cFlowContextSave {
 public:
  explicit cFlowContextSave(cSceneGame& scene, bool bAlwaysRestore = false)
      : m_Scene(scene),
        m_pChara(scene.m_pFlowChara),
        m_pRun(scene.m_pFlowRun),
        m_pCmdRun(scene.m_pFlowCmdRun),
        m_bAlwaysRestore(bAlwaysRestore) {}
  ~cFlowContextSave() {
    const bool restore = m_bAlwaysRestore || cFlowStepScope::InStep();
    m_Scene.m_pFlowChara = restore ? m_pChara : nullptr;
    m_Scene.m_pFlowRun = restore ? m_pRun : nullptr;
    m_Scene.m_pFlowCmdRun = restore ? m_pCmdRun : nullptr;
  }
  cFlowContextSave(const cFlowContextSave&) = delete;
  cFlowContextSave& operator=(const cFlowContextSave&) = delete;

 private:
  cSceneGame& m_Scene;
  cCharaBase* m_pChara;
  cFlowRun* m_pRun;
  cFlowCmdRun* m_pCmdRun;
  bool m_bAlwaysRestore;
};
