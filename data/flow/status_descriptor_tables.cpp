#include "data/flow/status_descriptor_tables.h"

namespace {

constexpr int kBig = 999999;

constexpr StatusDesc kCharaStatuses[kCharaStatusCount] = {
    {"キャラ変数", -kBig, kBig, -kBig, kBig, false, true},
    {"HP", 0, kBig, -kBig, kBig, true, true},
    {"SP", 0, kBig, -kBig, kBig, true, true},
    {"最大HP", 0, kBig, -kBig, kBig, false, true},
    {"最大SP", 0, kBig, -kBig, kBig, false, true},
    {"キャラID", 0, 99, -99, 99, false, false},
    {"Z座標", 0, 8, -8, 8, false, false},
    {"マーク番号", 0, 119, -121, 119, false, false},  // operand from -121, not -119
    {"視界範囲(hbl)", 0, 40, -40, 40, false, true},
    {"体当たりの威力", -kBig, kBig, -kBig, kBig, false, true},
    {"体当たりの衝撃", -20, 20, -20, 20, false, true},
    {"防御力", 0, kBig, -kBig, kBig, false, true},
    {"衝撃耐性", 0, 20, -20, 20, false, true},
    {"止まりやすさ", 0, 200, -200, 200, false, true},
    {"倒したら獲得するスコア", -kBig, kBig, -kBig, kBig, false, true},
};

constexpr StatusDesc kSystemStatuses[kSystemStatusCount] = {
    {"時間", 0, 999, -999, 999, false, true},
    {"横スクロール速度", -480, 480, -480, 480, false, true},
    {"縦スクロール速度", -480, 480, -480, 480, false, true},
    {"スコア", 0, kBig, -kBig, kBig, false, true},
    {"残り人数", 0, 99, -99, 99, false, true},
};

constexpr const char* kOn[] = {"ON", ""};
constexpr const char* kOffOn[] = {"OFF", "ON", ""};
constexpr const char* kFlying[] = {
    "OFF", "ON (ブロックをすり抜ける)", "ON (ブロックに当たる)", "ON (ブロックに当たると即死)", "",
};
constexpr const char* kInvincible[] = {"OFF", "ON (ショットが当たる)", "ON (ショットがすり抜ける)", ""};
constexpr const char* kGiant[] = {
    "しない", "×4", "×9", "×16", "×25", "×36", "×49", "×64", "×81", "×100", "",
};

constexpr StatusFlagDesc kStatusFlags[kStatusFlagCount] = {
    {"消滅", 0, 0, 0, MakeLabelList(kOn)},
    {"透明", 0, 1, 0, MakeLabelList(kOffOn)},
    {"向き固定", 0, 1, 0, MakeLabelList(kOffOn)},
    {"飛行", 0, 3, 0, MakeLabelList(kFlying)},
    {"無敵", 0, 2, 0, MakeLabelList(kInvincible)},
    {"巨大化", 1, 10, 1, MakeLabelList(kGiant)},
    {"オートスクロールとシンクロ", 0, 1, 0, MakeLabelList(kOffOn)},
};

constexpr StatusDesc kNoStatus{};
constexpr StatusFlagDesc kNoStatusFlag{};

}  // namespace

const StatusDesc& GetCharaStatusDesc(int nStatus) {
  return (nStatus >= 0 && nStatus < kCharaStatusCount) ? kCharaStatuses[nStatus] : kNoStatus;
}

const StatusDesc& GetSystemStatusDesc(int nStatus) {
  return (nStatus >= 0 && nStatus < kSystemStatusCount) ? kSystemStatuses[nStatus] : kNoStatus;
}

const StatusFlagDesc& GetStatusFlagDesc(int nFlag) {
  return (nFlag >= 0 && nFlag < kStatusFlagCount) ? kStatusFlags[nFlag] : kNoStatusFlag;
}
