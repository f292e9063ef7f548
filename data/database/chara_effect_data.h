#pragma once
// A character effect (an entry of CharaEffect.dat): a kind (0 none, 1 to 16) and its five
// parameters, laid out as every kind-and-parameters effect (kind_effect_data.h).
#include "data/database/kind_effect_data.h"

class cCharaEffectData : public cKindEffectData {
 public:
  cCharaEffectData();

  // Base part; entries of files below 511 get the defaults of the parameters that 511
  // added (the roughness of the waves, kinds 4 and 5, and of the circle).
  void Read(cDataReader& in) override;
};
