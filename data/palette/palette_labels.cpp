#include "data/palette/palette_labels.h"

namespace {

constexpr const char* kPaletteKind[] = {"継承しない", "コモンパレット", "ステージパレット", ""};
constexpr const char* kPartGraphic[] = {"ブロック", "キャラ", "アイテム", "ショット", "専用bmp", ""};
constexpr const char* kEmblemShow[] = {"表示しない", "表示する", ""};

constexpr const char* kBlockHit[] = {"当たらない", "当たる", "主人公が当たると即死", ""};
constexpr const char* kBlockPassSide[] = {"なし", "0", "1", "2", "3", "4", "5", "6", "7", ""};
constexpr const char* kBlockFootKind[] = {
    "なし", "ジャンプ X=高さ(hbl)", "ジャンプ禁止", "移動速度変更 X=％", "左移動 X=移動速度", "右移動 X=移動速度", "",
};
constexpr const char* kBlockItemPalette[] = {"なし", "コモンパレット", "ステージパレット", ""};

constexpr const char* kCharaController[] = {"プレイヤー", "コンピューター", ""};
constexpr const char* kCharaPlayerNo[] = {"1", ""};
constexpr const char* kCharaFlying[] = {
    "OFF", "ON (ブロックをすり抜ける)", "ON (ブロックに当たる)", "ON (ブロックに当たると即死)", "",
};
constexpr const char* kCharaInvincible[] = {"OFF", "ON (ショットが当たる)", "ON (ショットがすり抜ける)", ""};
constexpr const char* kCharaSize[] = {"しない", "×4", "×9", "×16", "×25", "×36", "×49", "×64", "×81", "×100", ""};
constexpr const char* kCharaSightShape[] = {
    "画面内全て", "キャラを中心とした円形", "キャラの前方に円形", "キャラを中心とした正方形", "キャラの前方に正方形", "",
};
constexpr const char* kCharaHitBox[] = {
    "キャラ対キャラの当たり判定範囲（推奨）", "キャラ対ショットの当たり判定範囲", "ショット対キャラの当たり判定範囲",
    "32×32", "",
};
constexpr const char* kCharaScreenRange[] = {"画面内", "X座標のみ画面内", "Y座標のみ画面内", "全範囲", ""};
constexpr const char* kCharaActiveRule[] = {
    "範囲かグループが真なら成立", "一度範囲かグループが真になると、以後無条件で成立", "範囲とグループが偽なら成立", "",
};

constexpr const char* kItemTakeMode[] = {"1回だけ取れる", "何回でも取れる", "取れない", ""};

}  // namespace

const LabelList g_PaletteKindLabels = MakeLabelList(kPaletteKind);
const LabelList g_PartGraphicLabels = MakeLabelList(kPartGraphic);
const LabelList g_EmblemShowLabels = MakeLabelList(kEmblemShow);
const LabelList g_BlockHitLabels = MakeLabelList(kBlockHit);
const LabelList g_BlockPassSideLabels = MakeLabelList(kBlockPassSide);
const LabelList g_BlockFootKindLabels = MakeLabelList(kBlockFootKind);
const LabelList g_BlockItemPaletteLabels = MakeLabelList(kBlockItemPalette);
const LabelList g_CharaControllerLabels = MakeLabelList(kCharaController);
const LabelList g_CharaPlayerNoLabels = MakeLabelList(kCharaPlayerNo);
const LabelList g_CharaFlyingLabels = MakeLabelList(kCharaFlying);
const LabelList g_CharaInvincibleLabels = MakeLabelList(kCharaInvincible);
const LabelList g_CharaSizeLabels = MakeLabelList(kCharaSize);
const LabelList g_CharaSightShapeLabels = MakeLabelList(kCharaSightShape);
const LabelList g_CharaHitBoxLabels = MakeLabelList(kCharaHitBox);
const LabelList g_CharaScreenRangeLabels = MakeLabelList(kCharaScreenRange);
const LabelList g_CharaActiveRuleLabels = MakeLabelList(kCharaActiveRule);
const LabelList g_ItemTakeModeLabels = MakeLabelList(kItemTakeMode);
