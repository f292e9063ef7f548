// Which installed face stands in for a face name of the game data. Games choose among the
// faces of the systems they were made on; the Japanese gothic faces come out as IPA Gothic
// (fixed pitch) or IPA P Gothic (proportional), the mincho faces as IPA Mincho or IPA P
// Mincho, and every other face, Latin ones included, as IPA P Gothic, which has every
// character those games print.
#include <cstring>
#include <string_view>

#include "platform/glyph_source.h"

namespace {

struct cFaceRow {
  const char* lpName;  // CP932, as the game data holds it
  const char* lpFamily;
};

constexpr const char* kGothic = "IPAGothic";
constexpr const char* kPGothic = "IPAPGothic";
constexpr const char* kMincho = "IPAMincho";
constexpr const char* kPMincho = "IPAPMincho";

// "P" faces are proportional; "S" faces have proportional kana, so they go with them.
const cFaceRow kFaceRows[] = {
    {"ＭＳ ゴシック", kGothic},
    {"ＭＳ Ｐゴシック", kPGothic},
    {"MS UI Gothic", kPGothic},
    {"ＭＳ 明朝", kMincho},
    {"ＭＳ Ｐ明朝", kPMincho},
    {"HGｺﾞｼｯｸE", kGothic},
    {"HGPｺﾞｼｯｸE", kPGothic},
    {"HGSｺﾞｼｯｸE", kPGothic},
    {"HG丸ｺﾞｼｯｸM-PRO", kGothic},
    {"HG創英角ｺﾞｼｯｸUB", kGothic},
    {"HGP創英角ｺﾞｼｯｸUB", kPGothic},
    {"HGS創英角ｺﾞｼｯｸUB", kPGothic},
    {"メイリオ", kPGothic},
    {"HGｺﾞｼｯｸM", kGothic},
    {"HGPｺﾞｼｯｸM", kPGothic},
    {"HGSｺﾞｼｯｸM", kPGothic},
    {"HG明朝B", kMincho},
    {"HGP明朝B", kPMincho},
    {"HGS明朝B", kPMincho},
    {"HG明朝E", kMincho},
    {"HGP明朝E", kPMincho},
    {"HGS明朝E", kPMincho},
};

}  // namespace

const char* InstalledFamilyOfFace(std::string_view cp932Name) {
  for (const cFaceRow& row : kFaceRows)
    if (cp932Name == row.lpName) return row.lpFamily;
  return kPGothic;
}
