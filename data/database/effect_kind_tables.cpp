#include "data/database/effect_kind_tables.h"

namespace {

constexpr EFFECTPARAM kNone{};

// Slot 0 of every kind: the running time.
constexpr EFFECTPARAM Time(std::int16_t def) { return EFFECTPARAM("実行時間(1/10s)", 1, 9999, def); }

}  // namespace

// A speed note: the remark with Direct3D, then the one without.
#define EFFECT_NOTE(with, without) "Direct3D有効時：" with "\nDirect3D無効時：" without

const EFFECTPARAM g_CharaEffectParam[CHARA_EFFECT_KINDS * EFFECT_PARAM_SLOTS] = {
    // 0: none
    kNone, kNone, kNone, kNone, kNone,
    // 1: burst
    Time(5), {"開始位置(dot)", 0, 999, 0}, {"終了位置(dot)", 0, 999, 32}, kNone, kNone,
    // 2: split across
    Time(5), {"開始位置(dot)", 0, 999, 0}, {"終了位置(dot)", 0, 999, 32}, {"分割数", 2, 16, 4}, kNone,
    // 3: split down
    Time(5), {"開始位置(dot)", 0, 999, 0}, {"終了位置(dot)", 0, 999, 32}, {"分割数", 2, 16, 4}, kNone,
    // 4: wave across
    Time(5), {"開始幅(dot)", 0, 999, 0}, {"終了幅(dot)", 0, 999, 32}, {"波の数", 2, 16, 2}, {"波の粗さ(dot)", 1, 4, 2},
    // 5: wave down
    Time(5), {"開始幅(dot)", 0, 999, 0}, {"終了幅(dot)", 0, 999, 32}, {"波の数", 2, 16, 2}, {"波の粗さ(dot)", 1, 4, 2},
    // 6: blink
    Time(10), {"点滅間隔(1/60s)", 1, 9999, 2}, kNone, kNone, kNone,
    // 7: rotation A
    Time(10), {"開始角度", 0, 9999, 0}, {"終了角度", 0, 9999, 1440}, kNone, kNone,
    // 8: rotation B
    Time(10), {"開始角度", 0, 9999, 0}, {"終了角度", 0, 9999, 1440}, kNone, kNone,
    // 9: rotation into the screen
    Time(10), {"開始位置(dot)", 0, 9999, 0}, {"終了位置(dot)", 0, 9999, 256}, kNone, kNone,
    // 10: circle
    Time(5), {"開始半径(dot)", 0, 32, 32}, {"終了半径(dot)", 0, 32, 0}, {"円の粗さ(dot)", 1, 4, 2}, kNone,
    // 11: zoom
    Time(10), {"開始幅(dot)", 0, 320, 32}, {"終了幅(dot)", 0, 320, 64}, kNone, kNone,
    // 12: lens
    Time(10), {"開始距離", 0, 100, 100}, {"終了距離", 0, 100, 5}, {"ズレX(dot)", -16, 16, 0}, {"ズレY(dot)", -16, 16, 0},
    // 13: colour change
    Time(10), {"開始合成度", 1, 4, 1}, {"終了合成度", 1, 4, 1}, {"色", 16, 207, 16}, kNone,
    // 14: translucent
    Time(10), {"点滅間隔(1/60s)", 1, 9999, 9999}, kNone, kNone, kNone,
    // 15: mosaic
    Time(10), {"開始強度", 1, 16, 1}, {"終了強度", 1, 16, 8}, kNone, kNone,
    // 16: blur
    Time(10), {"開始強度", 1, 4, 1}, {"終了強度", 1, 4, 4}, kNone, kNone,
};

const EFFECTPARAM g_ScrEffectParam[SCR_EFFECT_KINDS * EFFECT_PARAM_SLOTS] = {
    // 0: none
    kNone, kNone, kNone, kNone, kNone,
    // 1: move
    Time(10), {"開始座標X(dot)", -640, 640, 0}, {"開始座標Y(dot)", -480, 480, 0}, {"終了座標X(dot)", -640, 640, 640},
    {"終了座標Y(dot)", -480, 480, 0},
    // 2: shake across
    Time(10), {"振動幅(dot)", 1, 640, 4}, {"振動回数", 1, 9999, 4}, kNone, kNone,
    // 3: shake up and down
    Time(10), {"振動幅(dot)", 1, 480, 4}, {"振動回数", 1, 9999, 4}, kNone, kNone,
    // 4: split across
    Time(10), {"開始位置(dot)", 0, 640, 0}, {"終了位置(dot)", 0, 640, 640}, {"分割数", 2, 240, 15}, kNone,
    // 5: split down
    Time(10), {"開始位置(dot)", 0, 480, 0}, {"終了位置(dot)", 0, 480, 480}, {"分割数", 2, 320, 20}, kNone,
    // 6: wave across
    Time(10), {"開始幅(dot)", 0, 640, 0}, {"終了幅(dot)", 0, 640, 640}, {"波の数", 2, 240, 4}, {"波の粗さ(dot)", 1, 48, 8},
    // 7: wave down
    Time(10), {"開始幅(dot)", 0, 480, 0}, {"終了幅(dot)", 0, 480, 480}, {"波の数", 2, 320, 4},
    {"波の粗さ(dot)", 1, 64, 10},
    // 8: blink
    Time(10), {"点滅間隔(1/60s)", 1, 9999, 10}, kNone, kNone, kNone,
    // 9: rotation
    Time(10), {"開始角度", 0, 9999, 0}, {"終了角度", 0, 9999, 1440}, kNone, kNone,
    // 10: circle
    Time(10), {"開始半径(dot)", 0, 640, 640}, {"終了半径(dot)", 0, 640, 0}, {"円の粗さ(dot)", 1, 48, 8}, kNone,
    // 11: zoom
    Time(10), {"開始幅(dot)", 0, 6400, 640}, {"終了幅(dot)", 0, 6400, 1280}, kNone, kNone,
    // 12: lens
    Time(10), {"開始距離", 0, 1500, 1500}, {"終了距離", 0, 1500, 5}, {"ズレX(dot)", -320, 320, 0},
    {"ズレY(dot)", -240, 240, 0},
    // 13: mosaic
    Time(10), {"開始強度", 1, 240, 1}, {"終了強度", 1, 240, 60}, kNone, kNone,
};

const char* const g_CharaEffectName[CHARA_EFFECT_KINDS] = {
    "破裂", "分割（横）", "分割（縦）", "波（横）", "波（縦）", "点滅", "回転A", "回転B", "回転（奥）",
    "円", "拡大", "レンズ", "色変化", "半透明", "モザイク", "ぼかし", "",
};

const char* const g_CharaEffectNote[CHARA_EFFECT_KINDS] = {
    EFFECT_NOTE("", ""),
    EFFECT_NOTE("", ""),
    EFFECT_NOTE("", ""),
    EFFECT_NOTE("やや遅い", "やや遅い"),
    EFFECT_NOTE("やや遅い", "やや遅い"),
    EFFECT_NOTE("速い", "速い"),
    EFFECT_NOTE("回転Aと回転Bは同じ", "巨大キャラには実行速度重視"),
    EFFECT_NOTE("回転Aと回転Bは同じ", "やや遅い。巨大キャラには描画精度重視"),
    EFFECT_NOTE("", ""),
    EFFECT_NOTE("やや遅い", "やや遅い"),
    EFFECT_NOTE("", ""),
    EFFECT_NOTE("遅過ぎ", "遅い"),
    EFFECT_NOTE("", "画面が8bit色→精度悪い、16bit色以上→やや遅い"),
    EFFECT_NOTE("", "画面が8bit色→精度悪い、16bit色以上→遅過ぎ"),
    EFFECT_NOTE("遅い", "画面が16bit色以上だと遅い"),
    EFFECT_NOTE("遅い", "画面が16bit色以上でのみ有効。遅い"),
    "",
};

const char* const g_ScrEffectName[SCR_EFFECT_KINDS] = {
    "移動", "振動（横）", "振動（縦）", "分割（横）", "分割（縦）", "波（横）", "波（縦）",
    "点滅", "回転", "円", "拡大", "レンズ", "モザイク", "",
};

const char* const g_ScrEffectNote[SCR_EFFECT_KINDS] = {
    EFFECT_NOTE("", ""),
    EFFECT_NOTE("", ""),
    EFFECT_NOTE("", ""),
    EFFECT_NOTE("", ""),
    EFFECT_NOTE("", ""),
    EFFECT_NOTE("やや遅い", "やや遅い"),
    EFFECT_NOTE("やや遅い", "やや遅い"),
    EFFECT_NOTE("速い", "速い"),
    EFFECT_NOTE("", "遅い"),
    EFFECT_NOTE("やや遅い", "やや遅い"),
    EFFECT_NOTE("", "やや遅い"),
    EFFECT_NOTE("遅過ぎ", "遅過ぎ"),
    EFFECT_NOTE("遅過ぎ", "画面が16bit色以上だと遅過ぎ"),
    "",
};

#undef EFFECT_NOTE
