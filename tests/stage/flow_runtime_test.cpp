// The flow runtime: attaching, command stepping, trigger latches and switches, the
// restart and recursion guards, the animation timeline.
#include <gtest/gtest.h>

#include <vector>

#include "data/database/database.h"
#include "data/flow/command_loops.h"
#include "data/flow/flow_enumerations.h"
#include "flow/cmd_prepare.h"
#include "flow/flow_anime_timeline.h"
#include "flow/flow_context.h"
#include "tests/stage/flow_test_fixture.h"

namespace {

using FlowRuntimeTest = FlowWorldTest;

std::vector<std::int32_t> Remains(const cFlowRun& run) {
  std::vector<std::int32_t> v;
  for (const cFlowCmdRun& c : run.m_vCmdRun) v.push_back(c.m_nRemain);
  return v;
}

TEST_F(FlowRuntimeTest, NoWaitCommandsBeginWithTheWaitCommandThatEndsTheFlow) {
  cFlowTestChara chara;
  chara.Attach({Flow({Cmd(FLOWCMD_WAIT, 2, 1), Cmd(FLOWCMD_WAIT, 1, 1), Cmd(FLOWCMD_WAIT, 1)})});
  chara.SubStep();
  EXPECT_EQ(Remains(chara.RunAt(0)), (std::vector<std::int32_t>{11, 5, 5}));
  for (int i = 0; i < 4; ++i) chara.SubStep();
  EXPECT_EQ(chara.RunAt(0).m_bRunning, 1);
  chara.SubStep();  // the wait command's sixth step ends the flow, cutting off the first
  EXPECT_EQ(chara.RunAt(0).m_bRunning, 0);
  EXPECT_EQ(Remains(chara.RunAt(0)), (std::vector<std::int32_t>{0, 0, 0}));
}

TEST_F(FlowRuntimeTest, ZeroTimeWaitRunsOnceAndTheNextCommandBeginsInTheNextStep) {
  cFlowTestChara chara;
  chara.Attach({Flow({Cmd(FLOWCMD_WAIT, 0), Cmd(FLOWCMD_MOVE_DISABLE, 0)})});
  chara.SubStep();
  EXPECT_EQ(chara.m_bHeld, 0);
  EXPECT_EQ(chara.RunAt(0).m_nCurCmd, 1);
  chara.ResetTriggerLatches();
  chara.SubStep();
  EXPECT_EQ(chara.m_bHeld, 1);
  EXPECT_EQ(chara.RunAt(0).m_bRunning, 0);
}

TEST_F(FlowRuntimeTest, DurationsFollowCopyIndexAndSubSteps) {
  SetSubSteps(2);
  struct Case {
    std::int16_t copy;
    std::int32_t steps;
  };
  for (const Case& c : {Case{0, 36}, Case{1, 60}, Case{2, 84}}) {
    cFlowTestChara chara;
    chara.m_nCopyIndex = c.copy;
    cFlowCmd wait = Cmd(FLOWCMD_WAIT, 3);
    wait.m_nTimeStep = 2;
    chara.Attach({Flow({wait})});
    EXPECT_EQ(chara.RunAt(0).m_vCmdRun[0].m_nDuration, c.steps) << "copy " << c.copy;
  }
  EXPECT_EQ(CmdDurationSteps(32767, 32767, 32767), INT32_MAX);
}

TEST_F(FlowRuntimeTest, ExclusiveSwitchLetsOnlyTheFirstAlwaysFlowRun) {
  cFlowTestChara chara;
  chara.Attach({Flow({Cmd(FLOWCMD_WAIT, 1)}, FLOWTRIG_ALWAYS, 1), Flow({Cmd(FLOWCMD_WAIT, 1)}, FLOWTRIG_ALWAYS, 1)});
  for (int frame = 0; frame < 14; ++frame) {
    chara.ResetTriggerLatches();
    chara.SubStep();
    EXPECT_EQ(chara.RunAt(1).m_bRunning, 0) << "frame " << frame;
  }
  EXPECT_EQ(chara.RunAt(0).m_bRunning, 1);
}

TEST_F(FlowRuntimeTest, SwitchStartedThisFrameBlocksItsOtherFlowsForTheFrame) {
  cFlowTestChara chara;
  chara.Attach({Flow({Cmd(FLOWCMD_WAIT, 0)}, FLOWTRIG_ALWAYS, 2), Flow({Cmd(FLOWCMD_WAIT, 1)}, FLOWTRIG_ALWAYS, 2)});
  chara.SubStep();  // the first starts and ends at once; its switch is cleared again
  EXPECT_EQ(chara.m_vSwitch[2], 0);
  chara.SubStep();
  EXPECT_EQ(chara.RunAt(1).m_bRunning, 0);
  chara.ResetTriggerLatches();
  chara.SubStep();
  EXPECT_EQ(chara.RunAt(0).m_bRunning, 0);
  EXPECT_EQ(chara.RunAt(0).m_bStartedThisFrame, 1);
}

// A flow that has run for two steps ends in sub-step 1 of the next frame: which latch
// lets it start again in sub-step 2.
TEST_F(FlowRuntimeTest, LatchModeDecidesWhetherAFinishedFlowRestartsInTheSameFrame) {
  struct Case {
    const char* name;
    std::int32_t noLatch, earlyLatch, restarts;
  };
  for (const Case& c : {Case{"late", 0, 0, 1}, Case{"early", 0, 1, 0}, Case{"none", 1, 0, 1}}) {
    g_SystemData.m_bRuleTrigger525 = c.noLatch;
    g_SystemData.m_bRuleTrigger744 = c.earlyLatch;
    cFlowTestChara chara;
    chara.Attach({Flow({Cmd(FLOWCMD_WAIT, 1)})});
    chara.RunAt(0).m_vCmdRun[0].m_nDuration = 3;
    chara.ResetTriggerLatches();
    chara.SubStep();
    chara.SubStep();
    chara.ResetTriggerLatches();
    chara.SubStep();
    EXPECT_EQ(chara.RunAt(0).m_bRunning, 0) << c.name;
    chara.SubStep();
    EXPECT_EQ(chara.RunAt(0).m_bRunning, c.restarts) << c.name;
  }
}

TEST_F(FlowRuntimeTest, LateLatchTestsAFailingFlowOncePerFrameNoLatchEverySubStep) {
  for (const std::int32_t noLatch : {0, 1}) {
    g_SystemData.m_bRuleTrigger525 = noLatch;
    g_Progress.m_Vars[1] = 0;
    cFlow flow = Flow({Cmd(FLOWCMD_WAIT, 1)});
    cCond cond;
    cond.m_nKind = COND_COMMON_VAR;
    cond.m_nVarIndex = 1;
    cond.m_nValue = 1;
    flow.m_vCond = {cond};
    cFlowTestChara chara;
    chara.Attach({flow});
    chara.ResetTriggerLatches();
    chara.SubStep();
    g_Progress.m_Vars[1] = 1;
    chara.SubStep();
    EXPECT_EQ(chara.RunAt(0).m_bRunning, noLatch) << "no latch " << noLatch;
    chara.ResetTriggerLatches();
    chara.SubStep();
    EXPECT_EQ(chara.RunAt(0).m_bRunning, 1);
  }
}

// An attack of group 2 starts only flows of group 2; an attack of group 0 starts every
// flow of the trigger. With the early latch a flow passed over is latched all the same.
TEST_F(FlowRuntimeTest, GroupOfAnAttackSelectsFlowsAndEarlyLatchStillLatches) {
  g_SystemData.m_bRuleTrigger744 = 1;
  cFlowTestChara chara;
  chara.Attach({Flow({Cmd(FLOWCMD_WAIT, 1)}, FLOWTRIG_ATTACK_HIT, 0, 1),
                Flow({Cmd(FLOWCMD_WAIT, 1)}, FLOWTRIG_ATTACK_HIT, 0, 2)});
  chara.FireTriggerEx(FLOWTRIG_ATTACK_HIT, nullptr, 2);
  EXPECT_EQ(chara.RunAt(0).m_bRunning, 0);
  EXPECT_EQ(chara.RunAt(0).m_bFiredThisFrame, 1);
  EXPECT_EQ(chara.RunAt(1).m_bRunning, 1);
  chara.ResetTriggerLatches();
  chara.FireTriggerEx(FLOWTRIG_ATTACK_HIT, nullptr, 0);
  EXPECT_EQ(chara.RunAt(0).m_bRunning, 1);
}

TEST_F(FlowRuntimeTest, OtherAsTargetIsKeptOnlyWhenTheFlowStarts) {
  cFlowTestChara other;
  cFlowTestChara keep;
  for (const std::int32_t value : {0, 1}) {
    g_Progress.m_Vars[1] = value;
    cFlow flow = Flow({Cmd(FLOWCMD_WAIT, 1)}, FLOWTRIG_HIT_CHARA);
    flow.m_bTriggerTarget = 1;
    flow.m_nTriggerSlot = 1;
    cCond cond;
    cond.m_nKind = COND_COMMON_VAR;
    cond.m_nVarIndex = 1;
    cond.m_nValue = 1;
    flow.m_vCond = {cond};
    cFlowTestChara chara;
    chara.m_vTarget[1] = &keep;
    chara.Attach({flow});
    chara.FireTriggerEx(FLOWTRIG_HIT_CHARA, &other, 0);
    EXPECT_EQ(chara.m_vTarget[1], value == 1 ? &other : &keep);
    EXPECT_EQ(chara.RunAt(0).m_bRunning, value);
  }
}

// An operation that restarts its own flow puts the flow back at its first command; the
// step must neither end the flow nor mark the restarted commands.
TEST_F(FlowRuntimeTest, FlowThatRestartsItselfStaysRunningFromItsFirstCommand) {
  cFlowTestChara alone;
  alone.Attach({Flow({FlowOp(FLOWOP_START, FLOWSCOPE_THIS)})});
  for (int i = 0; i < 3; ++i) {
    alone.SubStep();
    EXPECT_EQ(alone.RunAt(0).m_bRunning, 1);
    EXPECT_EQ(alone.RunAt(0).m_nCurCmd, 0);
    EXPECT_EQ(alone.RunAt(0).m_vCmdRun[0].m_bDone, 0);
  }

  cFlowTestChara middle;
  middle.Attach({Flow({Cmd(FLOWCMD_WAIT, 0), FlowOp(FLOWOP_START, FLOWSCOPE_THIS), Cmd(FLOWCMD_MOVE_DISABLE, 1)})});
  middle.SubStep();
  EXPECT_EQ(middle.RunAt(0).m_nCurCmd, 1);
  middle.Run();
  EXPECT_EQ(middle.RunAt(0).m_bRunning, 1);
  EXPECT_EQ(middle.RunAt(0).m_nCurCmd, 0);
  for (const cFlowCmdRun& c : middle.RunAt(0).m_vCmdRun) EXPECT_EQ(c.m_bDone, 0);
  middle.Run();
  EXPECT_EQ(middle.RunAt(0).m_nCurCmd, 1);
  EXPECT_EQ(middle.m_bHeld, 0);  // the command after the restart is never reached
}

// A before-start flow that starts itself runs its instant commands once. Fired from
// inside a flow step the trigger gives the running flow its context back; fired between
// steps it leaves no context behind, not even one left over from an earlier run.
TEST_F(FlowRuntimeTest, BeforeStartFlowThatStartsItselfRunsOnceAndRestoresTheContext) {
  for (const bool nested : {true, false}) {
    cFlowTestChara chara;
    cFlowTestChara elsewhere;
    chara.Attach({Flow({FlowOp(FLOWOP_START, FLOWSCOPE_THIS, 0, 0, 1)}, FLOWTRIG_BEFORE_STAGE_START, 4)});
    cFlowRun outerRun;
    cFlowCmdRun outerCmd;
    m_pScene->m_pFlowChara = &elsewhere;
    m_pScene->m_pFlowRun = &outerRun;
    m_pScene->m_pFlowCmdRun = &outerCmd;
    if (nested) {
      cFlowStepScope inStep;
      chara.FireTrigger(FLOWTRIG_BEFORE_STAGE_START);
    } else {
      chara.FireTrigger(FLOWTRIG_BEFORE_STAGE_START);
    }
    EXPECT_EQ(chara.RunAt(0).m_bRunning, 0);
    EXPECT_EQ(chara.m_vSwitchClear[4], 1);
    EXPECT_EQ(m_pScene->m_pFlowChara, nested ? &elsewhere : nullptr);
    EXPECT_EQ(m_pScene->m_pFlowRun, nested ? &outerRun : nullptr);
    EXPECT_EQ(m_pScene->m_pFlowCmdRun, nested ? &outerCmd : nullptr);
  }
}

TEST_F(FlowRuntimeTest, BeforeStartFlowStartedFromAnotherCharacterQueuesItsSwitchOnItsOwner) {
  cFlowTestChara owner;
  cFlowCmd instant = Cmd(FLOWCMD_SE, 0, 1);
  owner.Attach({Flow({instant}, FLOWTRIG_BEFORE_STAGE_START, 3, 1)});
  cFlowTestChara starter;
  starter.m_vTarget[0] = &owner;
  starter.Attach({Flow({FlowOp(FLOWOP_START, FLOWSCOPE_BY_ID, 1, SUBJ_TARGET1)})});
  starter.SubStep();
  EXPECT_EQ(owner.RunAt(0).m_bRunning, 0);
  EXPECT_EQ(owner.m_vSwitchClear[3], 1);
  EXPECT_EQ(starter.m_vSwitchClear[3], 0);
  EXPECT_EQ(m_pScene->m_pFlowRun, nullptr);
}

TEST_F(FlowRuntimeTest, DamagedIndicesFromDataDoNothing) {
  cFlowTestChara chara;
  cFlowCmd unknown = Cmd(FLOWCMD_WAIT, 0);
  unknown.m_nKind = 100;
  cFlowCmd noBlock = Cmd(FLOWCMD_MOVE_STRAIGHT, 0);  // a movement command without its block
  cFlow badSwitch = Flow({unknown, noBlock}, FLOWTRIG_ALWAYS, 40);
  chara.Attach({badSwitch});
  chara.SubStep();
  chara.SubStep();
  EXPECT_EQ(chara.RunAt(0).m_bRunning, 0);
  EXPECT_EQ(chara.m_dVx, 0.0);
  EXPECT_EQ(PostedCloses(), 0);
}

TEST_F(FlowRuntimeTest, PausedFlowIsNeitherSteppedNorFired) {
  cFlowTestChara chara;
  chara.Attach({Flow({FlowOp(FLOWOP_PAUSE, FLOWSCOPE_THIS), Cmd(FLOWCMD_MOVE_DISABLE, 0)})});
  chara.SubStep();
  EXPECT_EQ(chara.RunAt(0).m_bPaused, 1);
  chara.ResetTriggerLatches();
  chara.SubStep();
  EXPECT_EQ(chara.m_bHeld, 0);
  EXPECT_EQ(chara.RunAt(0).m_bRunning, 1);
}

TEST_F(FlowRuntimeTest, DeletingByGroupRemovesAnotherCharactersFlowsAtOnceAndOwnFlowsAfterTheRun) {
  cFlowTestChara victim;
  victim.Attach({Flow({Cmd(FLOWCMD_WAIT, 1)}, FLOWTRIG_NONE, 0, 5), Flow({Cmd(FLOWCMD_WAIT, 1)}, FLOWTRIG_NONE, 0, 5),
                 Flow({Cmd(FLOWCMD_WAIT, 1)}, FLOWTRIG_NONE, 0, 6)});
  cFlowTestChara chara;
  chara.m_vTarget[1] = &victim;
  chara.Attach({Flow({FlowOp(FLOWOP_DELETE, FLOWSCOPE_BY_ID, 5, SUBJ_TARGET2)}),
                Flow({Cmd(FLOWCMD_WAIT, 1)}, FLOWTRIG_NONE, 0, 7)});
  chara.SubStep();
  ASSERT_EQ(victim.m_vFlowRun.size(), 1u);
  EXPECT_EQ(victim.RunAt(0).m_lpFlow->m_nID, 6);
  EXPECT_EQ(victim.RunAt(0).m_nFlowIndex, 0);

  cFlowTestChara self;
  self.Attach({Flow({FlowOp(FLOWOP_DELETE, FLOWSCOPE_BY_ID, 3)}, FLOWTRIG_ALWAYS, 0, 3)});
  self.SubStep();
  EXPECT_TRUE(self.m_vFlowRun.empty());
  EXPECT_TRUE(self.m_Def.m_vFlow.empty());
}

TEST_F(FlowRuntimeTest, RemovingByGroupZeroClearsEverythingAndAMissingGroupAnswersMinusOne) {
  cFlowTestChara chara;
  chara.Attach({Flow({Cmd(FLOWCMD_WAIT, 1)}, FLOWTRIG_ALWAYS, 0, 1), Flow({Cmd(FLOWCMD_WAIT, 1)}, FLOWTRIG_ALWAYS, 0, 2)});
  EXPECT_EQ(chara.RemoveFlowsByGroup(9), -1);
  EXPECT_EQ(chara.RemoveFlowsByGroup(2), 1);
  EXPECT_EQ(chara.m_vFlowRun.size(), 1u);
  chara.m_lstAnimeOverlay.emplace_back();
  EXPECT_EQ(chara.RemoveFlowsByGroup(0), 0);
  EXPECT_TRUE(chara.m_vFlowRun.empty());
  EXPECT_TRUE(chara.m_lstAnimeOverlay.empty());
}

TEST_F(FlowRuntimeTest, InsertedFlowsAreRelinkedAndWaitForHeldKeysToBeReleased) {
  cFlowTestChara chara;
  chara.Attach({Flow({Cmd(FLOWCMD_WAIT, 1)}, FLOWTRIG_NONE, 0, 1), Flow({Cmd(FLOWCMD_WAIT, 1)}, FLOWTRIG_NONE, 0, 2)});
  std::vector<cFlow> added = {Flow({Cmd(FLOWCMD_WAIT, 1), Cmd(FLOWCMD_WAIT, 2)}, FLOWTRIG_NONE, 0, 9)};
  EXPECT_EQ(chara.SetFlows(added, 1, 1), 1);
  ASSERT_EQ(chara.m_vFlowRun.size(), 3u);
  const std::vector<cFlow>& flows = chara.m_Def.m_vFlow.Get();
  for (std::size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(chara.RunAt(i).m_lpFlow, &flows[i]);
    EXPECT_EQ(chara.RunAt(i).m_nFlowIndex, static_cast<std::int32_t>(i));
  }
  EXPECT_EQ(chara.RunAt(1).m_lpFlow->m_nID, 9);
  EXPECT_EQ(chara.RunAt(1).m_vCmdRun[1].m_lpCmd, &flows[1].m_vCmd[1]);
  EXPECT_EQ(chara.RunAt(1).m_bKeyPrevTrue, 1);
  EXPECT_EQ(chara.RunAt(1).m_nFlowKey, 2);

  // A copy of the character runs its own copies of the flows.
  cFlowTestChara copy;
  copy.CopyCharaFrom(chara);
  EXPECT_EQ(copy.RunAt(2).m_lpFlow, &copy.m_Def.m_vFlow.Get()[2]);
  EXPECT_NE(copy.RunAt(2).m_lpFlow, chara.RunAt(2).m_lpFlow);
}

// n = 2: a wait of 5 tenths (60 steps) then one of 2 tenths whose animation lasts 2
// tenths up to its hold frame (12 frames, 24 steps).
TEST_F(FlowRuntimeTest, TimelineEndsAnAnimationWhenItsCommandBegins) {
  SetSubSteps(2);
  const std::vector<cAnimeData> savedAnime = g_Database.m_Anime;
  g_Database.m_Anime.assign(2, cAnimeData());
  g_Database.m_Anime[1].m_vFrame.assign(3, cAnimeFrame());
  g_Database.m_Anime[1].m_vFrame[0].m_nTime = 1;
  g_Database.m_Anime[1].m_vFrame[1].m_nTime = 1;
  g_Database.m_Anime[1].m_vFrame[2].m_bHoldFrom = 1;
  EXPECT_EQ(AnimeFramesBeforeHold(1), 12);

  struct Case {
    std::int16_t firstTime;
    std::int32_t start, skip, length;
  };
  for (const Case& c : {Case{5, 36, 0, 12}, Case{1, 0, 6, 6}}) {
    cFlowCmd withAnime = Cmd(FLOWCMD_WAIT, 2);
    withAnime.m_nAnime = 1;
    cFlowTestChara chara;
    chara.Attach({Flow({Cmd(FLOWCMD_WAIT, c.firstTime), withAnime})});
    ASSERT_EQ(chara.RunAt(0).m_vAnimeTimeline.size(), 1u);
    const cFlowAnimeEntry& e = chara.RunAt(0).m_vAnimeTimeline[0];
    EXPECT_EQ(e.m_nStartStep, c.start);
    EXPECT_EQ(e.m_nSkipFrames, c.skip);
    EXPECT_EQ(e.m_nLength, c.length);
    EXPECT_EQ(e.m_nCmdFrames, 12);
    EXPECT_EQ(e.m_bHold, 1);
  }
  cFlowCmd first = Cmd(FLOWCMD_JUMP, 0);
  first.m_nAnime = 1;
  first.m_vParam[2] = 2;
  cFlowTestChara chara;
  chara.Attach({Flow({first})});
  const cFlowAnimeEntry& e = chara.RunAt(0).m_vAnimeTimeline.at(0);
  EXPECT_EQ(e.m_nStartStep, 0);
  EXPECT_EQ(e.m_nSkipFrames, 12);
  EXPECT_EQ(e.m_nLength, 0);
  EXPECT_EQ(e.m_bHold, 0);
  g_Database.m_Anime = savedAnime;
}

// Operations on a running flow of group 2, issued by an always-flow of the same
// character, and the guards that make the command do nothing.
TEST_F(FlowRuntimeTest, FlowOperationsOnAnotherFlow) {
  struct Case {
    const char* name;
    cFlowCmd op;
    bool failingCond;
    std::int32_t running, paused, forever;
  };
  const std::vector<Case> cases = {
      {"end by group", FlowOp(FLOWOP_END, FLOWSCOPE_BY_ID, 2), false, 0, 0, 0},
      {"pause by group", FlowOp(FLOWOP_PAUSE, FLOWSCOPE_BY_ID, 2), false, 1, 1, 0},
      {"stop for good", FlowOp(FLOWOP_STOP_FOREVER, FLOWSCOPE_BY_ID, 2), false, 1, 0, 1},
      {"end the others", FlowOp(FLOWOP_END, FLOWSCOPE_OTHERS), false, 0, 0, 0},
      {"unknown operation", FlowOp(9, FLOWSCOPE_BY_ID, 2), false, 1, 0, 0},
      {"unknown scope", FlowOp(FLOWOP_END, 7, 2), false, 1, 0, 0},
      {"empty subject slot, even for this flow", FlowOp(FLOWOP_END, FLOWSCOPE_BY_ID, 2, SUBJ_TARGET3), false, 1, 0, 0},
      {"condition block fails", FlowOp(FLOWOP_END, FLOWSCOPE_BY_ID, 2), true, 1, 0, 0},
  };
  for (const Case& c : cases) {
    cFlowCmd op = c.op;
    if (c.failingCond) {
      CreateCondList(op.m_pCond);
      op.m_pCond->m_bEnabled = 1;
      cCond never;
      never.m_nKind = COND_NONE;
      op.m_pCond->m_vCond = {never};
    }
    cFlowTestChara chara;
    chara.Attach({Flow({op}), Flow({Cmd(FLOWCMD_WAIT, 2)}, FLOWTRIG_NONE, 0, 2)});
    m_pScene->m_pFlowChara = &chara;
    chara.RunAt(1).Start();
    m_pScene->m_pFlowChara = nullptr;
    chara.SubStep();
    const cFlowRun& target = chara.RunAt(1);
    EXPECT_EQ(target.m_bRunning, c.running) << c.name;
    EXPECT_EQ(target.m_bPaused, c.paused) << c.name;
    EXPECT_EQ(target.m_bStopForever, c.forever) << c.name;
  }

  cFlowTestChara resumed;
  resumed.Attach({Flow({FlowOp(FLOWOP_RESUME, FLOWSCOPE_BY_ID, 2)}), Flow({Cmd(FLOWCMD_WAIT, 2)}, FLOWTRIG_NONE, 0, 2)});
  resumed.RunAt(1).Start();
  resumed.RunAt(1).Pause();
  resumed.SubStep();
  EXPECT_EQ(resumed.RunAt(1).m_bPaused, 0);
  EXPECT_EQ(resumed.RunAt(1).m_vCmdRun[0].m_nRemain, 11);  // resumed and stepped in the same run
}

// Loop commands unroll when a flow is attached; counts that multiply through nested loops
// stop at the expansion's limit instead of growing without end.
TEST_F(FlowRuntimeTest, LoopsUnrollAtAttachAndNestedCountsAreCapped) {
  auto loop = [](int count, int body) {
    cFlowCmd cmd = Cmd(FLOWCMD_LOOP, 0);
    cmd.m_vParam = {count, body};
    return cmd;
  };
  cFlowTestChara chara;
  chara.Attach({Flow({loop(3, 2), Cmd(FLOWCMD_WAIT, 1), Cmd(FLOWCMD_MOVE_DISABLE, 1), Cmd(FLOWCMD_TURN, 1)})});
  std::vector<int> kinds;
  for (const cFlowCmdRun& c : chara.RunAt(0).m_vCmdRun) kinds.push_back(c.m_lpCmd->m_nKind);
  EXPECT_EQ(kinds, (std::vector<int>{1, 8, 1, 8, 1, 8, 9}));

  cFlowTestChara hostile;
  hostile.Attach({Flow({loop(30000, 3), loop(30000, 2), loop(30000, 1), Cmd(FLOWCMD_WAIT, 0)})});
  EXPECT_LE(hostile.RunAt(0).m_vCmdRun.size(), kMaxExpandedCmds);
  EXPECT_EQ(hostile.RunAt(0).m_vCmdRun.size(), hostile.m_Def.m_vFlow.Get()[0].m_vCmd.size());
}

}  // namespace
