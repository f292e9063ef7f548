#pragma once
// The statuses that conditions and status operations select (character statuses, and
// the system statuses of subject CONDSUBJ_SYSTEM), and the status flags that
// FLOWCMD_STATUS2 sets. The status number comes from a file: a number outside a table
// gets the empty descriptor (label "", every range 0..0, no value labels).
#include "data/common/label_list.h"

struct StatusDesc {
  const char* lpLabel = "";
  int nMin = 0;  // range of the status value
  int nMax = 0;
  int nOperandMin = 0;  // range of an operand applied to the status
  int nOperandMax = 0;
  bool bPercentOfMax = false;  // a condition may take its operand as a percentage of the maximum
  bool bFlagB = false;         // 0 only for "キャラID", "Z座標" and "マーク番号"
};

constexpr int kCharaStatusCount = 15;
constexpr int kSystemStatusCount = 5;
const StatusDesc& GetCharaStatusDesc(int nStatus);
const StatusDesc& GetSystemStatusDesc(int nStatus);

// A status flag takes a value from nMin to nMax; the label of value v is
// ValueLabels.At(v - nMin).
struct StatusFlagDesc {
  const char* lpLabel = "";
  int nMin = 0;
  int nMax = 0;
  int nDefault = 0;
  LabelList ValueLabels = kNoLabels;
};

constexpr int kStatusFlagCount = 7;
const StatusFlagDesc& GetStatusFlagDesc(int nFlag);  // FLOWCMD_STATUS2 p[1]
