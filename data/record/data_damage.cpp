#include "data/record/data_damage.h"

namespace {

// In the order of DATADAMAGE.
constexpr const char* kDamageTexts[] = {
    "",
    "negative count",
    "count larger than the data",
    "text length impossible",
    "more members than the record has",
    "more texts than the record has",
    "records nested too deep",
    "more palette entries than indices can name",
    "stage size out of range",
    "stage end mark missing",
    "stage data cut short",
    "more entries than a stage can hold",
    "file ends inside its entries",
    "data cut short",
    "world map grid does not match its size",
    "file ends before its first member",
    "records too large in memory for the size of the file",
};
static_assert(sizeof kDamageTexts / sizeof kDamageTexts[0] == DATADAMAGE_COUNT);

}  // namespace

const char* DamageText(DATADAMAGE damage) {
  return damage >= 0 && damage < DATADAMAGE_COUNT ? kDamageTexts[damage] : "";
}
