#include "tests/support/stage_builder.h"

#include "data/flow/flow_command_kinds.h"
#include "data/flow/movement_block.h"
#include "data/record/data_writer.h"

namespace {

constexpr int kCharaFlowsGroup = 36;  // inherit flag of the flow list

cFlowCmd MakeCommand(int index) {
  cFlowCmd cmd;
  if (index % 2 == 0) {
    cmd.m_nKind = FLOWCMD_WAIT;
  } else {
    cmd.m_nKind = FLOWCMD_MOVE_STRAIGHT;
    CreateEdMove(cmd.m_pMove);
  }
  cmd.m_nTime = static_cast<std::int16_t>(10 + index);
  cmd.Normalize();
  return cmd;
}

cFlow MakeFlow(int index, int commands) {
  cFlow flow;
  flow.m_nID = static_cast<std::int8_t>(1 + index % 26);
  flow.m_vCmd.reserve(static_cast<std::size_t>(commands));
  for (int i = 0; i < commands; ++i) flow.m_vCmd.push_back(MakeCommand(i));
  return flow;
}

}  // namespace

void BuildStage(cStageData& stage, const cStageShape& shape) {
  stage.Reset();
  stage.m_vText.clear();
  stage.m_nWidth = shape.nWidth;
  stage.m_nHeight = shape.nHeight;
  stage.m_nPixelWidth = shape.nWidth * 32;
  stage.m_nPixelHeight = shape.nHeight * 32;
  stage.m_nLimitRight = shape.nWidth - 1;
  stage.m_nLimitBottom = shape.nHeight - 1;

  cPaletteBlock blockDef;
  blockDef.m_nGraphic = 1;
  blockDef.m_strName = "ground";
  stage.m_vBlockDef.push_back(blockDef);

  cPaletteChara charaDef;
  charaDef.m_nGraphic = 1;
  charaDef.m_strName = "walker";
  charaDef.m_vFlow.reserve(static_cast<std::size_t>(shape.nFlowsPerChara));
  for (int i = 0; i < shape.nFlowsPerChara; ++i) charaDef.m_vFlow.push_back(MakeFlow(i, shape.nCommandsPerFlow));
  stage.m_vCharaDef.push_back(charaDef);

  cPaletteItem itemDef;
  itemDef.m_nGraphic = 1;
  stage.m_vItemDef.push_back(itemDef);

  if (shape.bFillBlocks) {
    stage.m_vBlockPlace.reserve(static_cast<std::size_t>(shape.nWidth) * static_cast<std::size_t>(shape.nHeight));
    for (std::int32_t y = 0; y < shape.nHeight; ++y) {
      for (std::int32_t x = 0; x < shape.nWidth; ++x) {
        cPaletteBlock& block = stage.m_vBlockPlace.emplace_back(blockDef);
        block.m_nCellX = static_cast<std::int16_t>(x);
        block.m_nCellY = static_cast<std::int16_t>(y);
      }
    }
  }

  stage.m_vCharaPlace.reserve(static_cast<std::size_t>(shape.nCharaPlacements));
  for (std::int32_t i = 0; i < shape.nCharaPlacements; ++i) {
    cPaletteChara& chara = stage.m_vCharaPlace.emplace_back();
    chara.m_nPaletteKind = PALETTE_STAGE;
    chara.m_nPaletteIndex = 1;
    chara.m_vInherit[kCharaFlowsGroup] = 1;
    chara.m_nGraphic = 1;
    chara.m_nController = i == 0 ? CHARACTRL_PLAYER : CHARACTRL_COMPUTER;
    chara.m_nCarryItem = -1;
    chara.m_nCellX = static_cast<std::int16_t>(shape.nWidth > 0 ? i % shape.nWidth : 0);
    chara.m_nCellY = 0;
    if (shape.bPlacementsHoldFlows) chara.m_vFlow = charaDef.m_vFlow;
  }

  for (std::int32_t i = 0; i < shape.nItemPlacements; ++i) {
    cPaletteItem& item = stage.m_vItemPlace.emplace_back(itemDef);
    item.m_nCellX = static_cast<std::int16_t>(shape.nWidth > 0 ? i % shape.nWidth : 0);
  }
}

std::vector<std::uint8_t> BuildStageFile(const cStageShape& shape) {
  BuildStage(g_StageData, shape);
  cDataWriter out;
  out.WriteInt32(g_nDataVersion);
  g_StageData.Write(out);
  return std::move(out.Bytes());
}
