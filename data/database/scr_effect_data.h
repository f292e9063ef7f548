#pragma once
// A screen effect (an entry of ScrEffect.dat): a kind (0 none, 1 to 13) and its five
// parameters, laid out as every kind-and-parameters effect (kind_effect_data.h).
#include "data/database/kind_effect_data.h"

class cScrEffectData : public cKindEffectData {
 public:
  cScrEffectData();

  // Base part; entries of files below 511 get the defaults of the parameters that 511
  // added (the roughness of the waves, kinds 6 and 7, and of the circle).
  void Read(cDataReader& in) override;
};
