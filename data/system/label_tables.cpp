#include "data/system/label_tables.h"

const char* const PictureColorLabels[3] = {
    "256色(8bit) カラーパレットあり",
    "1677万色(24bit) カラーパレットなし",
    "",
};

const char* const DepthLabelsDD[4] = {"32bit(1677万色)", "16bit(32768色)", "8bit(256色)", ""};

const char* const DepthLabelsD3D[3] = {"32bit(1677万色)", "16bit(32768色)", ""};

const char* const ColorNames[11] = {"なし", "白", "黒", "赤", "緑", "青", "黄", "赤紫", "青紫", "4色", ""};

const char* const SideNames[5] = {"前", "後", "上", "下", ""};
