#pragma once
// The condition kinds that look at a character: its definition's statuses (COND_STATUS2),
// its state (COND_STATUS3) and its distance to player 1 or a target (COND_DISTANCE). The
// receiver is the character whose flow or list is tested.
class cCharaBase;
class cCond;

int CheckStatusCond(cCharaBase& chara, const cCond& cond);
int CheckStateCond(cCharaBase& chara, const cCond& cond);
int CheckDistanceCond(cCharaBase& chara, const cCond& cond);
