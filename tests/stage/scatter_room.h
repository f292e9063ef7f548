#pragma once
// A room whose character scatters its volleys at random: what the seeded generator draws
// shows in where its shots fly.
#include <vector>

#include "data/flow/flow.h"
#include "data/flow/flow_command_kinds.h"
#include "data/flow/flow_enumerations.h"
#include "data/flow/shot_block.h"
#include "data/flow/shot_parameter_tables.h"
#include "objects/move_support.h"
#include "writers/stage_writer.h"

// The character scatters a fan of three shots by up to 40 degrees every tenth of a
// second, two copies a volley.
inline cStagePlan ScatterRoom() {
  cStagePlan plan;
  plan.nCollisionLevel = 2;
  plan.vMap[13][15] = 'C';
  cFlowCmd shot;
  shot.m_nKind = FLOWCMD_SHOT;
  shot.m_nTime = 20;
  CreateEdShot(shot.m_pShot);
  cEdShot& block = *shot.m_pShot;
  block.m_nFormation = SHOTFORM_SPREAD;
  block.m_nFormParam[0] = 20;
  block.m_nCount = 3;
  block.m_nCopies = 1;
  block.m_nDir = MOVEDIR_FORWARD;
  block.m_nAngle = 30;
  block.m_nSpread = 40;
  block.m_nSpeed = 15;
  block.m_bPassBlocks = 1;
  cFlow fire;
  fire.m_nTrigger = FLOWTRIG_ALWAYS;
  fire.m_vCmd = {shot};
  plan.Chara.m_vFlow = std::vector<cFlow>{fire};
  return plan;
}
