#include "app/ui/dialog_resources.h"

#include <iterator>

namespace {

using K = eDialogItemKind;

// The ranking name entry: one line of up to three characters.
constexpr DialogItemTemplate kNameItems[] = {
    {1075, K::kIcon, "", 7, 7, 20, 21, 0},
    {1007, K::kStatic, "登録名(3文字まで)", 32, 8, 72, 10, 0},
    {1003, K::kEdit, "", 32, 22, 50, 12, 0},
    {1000, K::kDefPushButton, "OK", 32, 42, 50, 16, 0},
};

// The start-up dialog: drawing mode, "do not ask again", start and cancel.
constexpr DialogItemTemplate kBootItems[] = {
    {1075, K::kIcon, "", 7, 7, 20, 21, 0},
    {1000, K::kDefPushButton, "ゲーム開始", 80, 105, 50, 25, 0},
    {1001, K::kPushButton, "ゲーム中止", 80, 140, 50, 18, 0},
    {1006, K::kGroupBox, "描画モード", 15, 15, 190, 55, 0},
    {1002, K::kRadioButton, "Direct3D", 20, 30, 42, 10, WS_GROUP},
    {1003, K::kRadioButton, "DirectDraw", 80, 30, 45, 10, 0},
    {1005, K::kStatic, "詳細な設定は環境設定ファイル「System.ini」で行って下さい。", 20, 50, 177, 12, 0},
    {1004, K::kCheckBox, "次回からこのダイアログを表示しない", 50, 85, 120, 10, 0},
};

// Never shown: it only opens a file box and closes.
constexpr DialogItemTemplate kFileItems[] = {
    {1075, K::kIcon, "", 7, 7, 20, 21, 0},
};

const DialogTemplate kResources[] = {
    {IDD_NAME, "", 110, 65, true, kNameItems, static_cast<int>(std::size(kNameItems))},
    {IDD_BOOT, "", 222, 171, true, kBootItems, static_cast<int>(std::size(kBootItems))},
    {IDD_FILE, "ファイルの選択", 53, 35, false, kFileItems, static_cast<int>(std::size(kFileItems))},
};

}  // namespace

const DialogTemplate* FindDialogResource(WORD id) {
  for (const DialogTemplate& resource : kResources)
    if (resource.nResourceId == id) return &resource;
  return nullptr;
}
