#include "data/flow/flow_command_kinds.h"

namespace {

struct CmdKindEntry {
  const char* lpLabel;
  int nParamCount;
  CMDBLOCK nBlock;
};

constexpr CmdKindEntry kFlowCmdKinds[kFlowCmdKindCount] = {
    {"", 0, CMDBLOCK_NONE},
    {"ウエイト", 0, CMDBLOCK_NONE},
    {"直線移動", 0, CMDBLOCK_MOVE},
    {"地上折り返し移動", 0, CMDBLOCK_MOVE},
    {"円移動", 0, CMDBLOCK_MOVE},
    {"突撃移動", 0, CMDBLOCK_MOVE},
    {"誘導移動", 0, CMDBLOCK_MOVE},
    {"画面外回避移動", 0, CMDBLOCK_MOVE},
    {"移動の無効化", 0, CMDBLOCK_NONE},
    {"向き変更", 1, CMDBLOCK_NONE},
    {"ジャンプ", 5, CMDBLOCK_NONE},
    {"ショット", 0, CMDBLOCK_SHOT},
    {"ソード", 0, CMDBLOCK_SHOT},
    {"ブロック召喚", 0, CMDBLOCK_SHOT},
    {"キャラ召喚", 0, CMDBLOCK_SHOT},
    {"アイテム召喚", 0, CMDBLOCK_SHOT},
    {"フローの操作", 4, CMDBLOCK_COND},
    {"ステージクリア", 9, CMDBLOCK_NONE},
    {"ゲームウエイト", 1, CMDBLOCK_NONE},
    {"メッセージ", 18, CMDBLOCK_NONE},
    {"ワープ", 0, CMDBLOCK_MOVE},
    {"ターゲットの設定", 16, CMDBLOCK_NONE},
    {"ステータスの操作", 18, CMDBLOCK_NONE},
    {"ステータスの操作2", 3, CMDBLOCK_NONE},
    {"消滅", 3, CMDBLOCK_NONE},
    {"アイテムの取得", 2, CMDBLOCK_NONE},
    {"グラフィックの変更", 3, CMDBLOCK_NONE},
    {"基本アニメセットの変更", 1, CMDBLOCK_NONE},
    {"アニメの実行", 1, CMDBLOCK_NONE},
    {"エフェクトの実行", 8, CMDBLOCK_NONE},
    {"キャラエフェクトの実行", 3, CMDBLOCK_NONE},
    {"画面エフェクトの実行", 3, CMDBLOCK_NONE},
    {"ピクチャーの表示", 15, CMDBLOCK_NONE},
    {"画面の色を変更", 8, CMDBLOCK_NONE},
    {"背景の変更", 2, CMDBLOCK_NONE},
    {"効果音の再生", 1, CMDBLOCK_NONE},
    {"BGMの再生", 2, CMDBLOCK_NONE},
    {"コードの実行", 0, CMDBLOCK_NONE},
    {"アレンジ", 5, CMDBLOCK_NONE},
    {"ループ", 2, CMDBLOCK_NONE},
};

constexpr CmdKindEntry kItemCmdKinds[kItemCmdKindCount] = {
    {"", 0, CMDBLOCK_NONE},
    {"フローの変更", 2, CMDBLOCK_NONE},
    {"ステージクリア", 9, CMDBLOCK_NONE},
    {"ゲームウエイト", 1, CMDBLOCK_NONE},
    {"メッセージ", 18, CMDBLOCK_NONE},
    {"ワープ", 0, CMDBLOCK_MOVE},
    {"ターゲットの設定", 16, CMDBLOCK_NONE},
    {"ステータスの操作", 18, CMDBLOCK_NONE},
    {"ステータスの操作2", 3, CMDBLOCK_NONE},
    {"消滅", 3, CMDBLOCK_NONE},
    {"アイテムの取得", 2, CMDBLOCK_NONE},
    {"グラフィックの変更", 3, CMDBLOCK_NONE},
    {"基本アニメセットの変更", 1, CMDBLOCK_NONE},
    {"アニメの実行", 1, CMDBLOCK_NONE},
    {"エフェクトの実行", 8, CMDBLOCK_NONE},
    {"キャラエフェクトの実行", 3, CMDBLOCK_NONE},
    {"画面エフェクトの実行", 3, CMDBLOCK_NONE},
    {"ピクチャーの表示", 15, CMDBLOCK_NONE},
    {"画面の色を変更", 8, CMDBLOCK_NONE},
    {"背景の変更", 2, CMDBLOCK_NONE},
    {"効果音の再生", 1, CMDBLOCK_NONE},
    {"BGMの再生", 2, CMDBLOCK_NONE},
    {"コードの実行", 0, CMDBLOCK_NONE},
    {"アレンジ", 5, CMDBLOCK_NONE},
    {"ループ", 2, CMDBLOCK_NONE},
};

constexpr CmdKindEntry kNoKind = {"", 0, CMDBLOCK_NONE};

template <int N>
constexpr const CmdKindEntry& KindEntry(const CmdKindEntry (&table)[N], int nKind) {
  return (nKind >= 0 && nKind < N) ? table[nKind] : kNoKind;
}

}  // namespace

int GetFlowCmdParamCount(int nKind) { return KindEntry(kFlowCmdKinds, nKind).nParamCount; }
int GetItemCmdParamCount(int nKind) { return KindEntry(kItemCmdKinds, nKind).nParamCount; }

const char* GetFlowCmdLabel(int nKind) { return KindEntry(kFlowCmdKinds, nKind).lpLabel; }
const char* GetItemCmdLabel(int nKind) { return KindEntry(kItemCmdKinds, nKind).lpLabel; }

CMDBLOCK GetFlowCmdBlock(int nKind) { return KindEntry(kFlowCmdKinds, nKind).nBlock; }
CMDBLOCK GetItemCmdBlock(int nKind) { return KindEntry(kItemCmdKinds, nKind).nBlock; }
