#pragma once
// The scene's implicit flow context (the character, run and command run being executed)
// kept across a nested flow activity: a trigger fired from inside an executor, or a
// before-start flow run while another flow executes. The destructor puts the outer
// context back on every way out.
#include "stage/scene_game.h"

class cFlowContextSave {
 public:
  explicit cFlowContextSave(cSceneGame& scene)
      : m_Scene(scene), m_pChara(scene.m_pFlowChara), m_pRun(scene.m_pFlowRun), m_pCmdRun(scene.m_pFlowCmdRun) {}
  ~cFlowContextSave() {
    m_Scene.m_pFlowChara = m_pChara;
    m_Scene.m_pFlowRun = m_pRun;
    m_Scene.m_pFlowCmdRun = m_pCmdRun;
  }
  cFlowContextSave(const cFlowContextSave&) = delete;
  cFlowContextSave& operator=(const cFlowContextSave&) = delete;

 private:
  cSceneGame& m_Scene;
  cCharaBase* m_pChara;
  cFlowRun* m_pRun;
  cFlowCmdRun* m_pCmdRun;
};
