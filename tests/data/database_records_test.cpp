#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "data/database/database.h"
#include "data/record/data_reader.h"
#include "data/record/data_writer.h"
#include "tests/support/byte_builder.h"

namespace {

using DatabaseRecordsTestBytes = std::vector<std::uint8_t>;

template <typename T>
DatabaseRecordsTestBytes WriteRecord(T record) {
  cDataWriter out;
  record.Write(out);
  return out.Bytes();
}

// Reads one body of class T as a file of `version` would hold it, then writes it again at
// the current version: the upgrade path of one record.
template <typename T>
DatabaseRecordsTestBytes ReadAndWrite(int version, const DatabaseRecordsTestBytes& body) {
  g_nFileVersion = version;
  cDataReader in(body);
  T record;
  record.Read(in);
  EXPECT_FALSE(in.Damaged()) << in.DamageReason();
  EXPECT_TRUE(in.AtEnd());
  g_nFileVersion = g_nDataVersion;
  return WriteRecord(record);
}

using Rewrite = std::function<DatabaseRecordsTestBytes(int, const DatabaseRecordsTestBytes&)>;

// Bodies at 811 of the records nested in the database records.
cByteBuilder& AnimeFrame(cByteBuilder& b, int pattern, int time, int hold) {
  return b.Count(3).I32(pattern).I32(time).I32(hold).Count(0);
}
cByteBuilder& DefaultAnime(cByteBuilder& b, const std::string& name) {
  b.Count(3).I16(0).I8(1).I16(0).Count(1).Text(name).Count(1);
  return AnimeFrame(b, 0, 1, 0);
}

class DatabaseRecordsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g_nFileVersion = g_nDataVersion;
    g_bStripCR = 1;
  }
};

TEST_F(DatabaseRecordsTest, RecordsWriteTheirLayoutAndReadBackToTheSameBytes) {
  cAnimeData anime;
  anime.m_nSetting1 = -2;
  anime.m_nSetting2 = 5;
  anime.m_nSetting3 = 300;
  anime.m_strName = "歩き";
  anime.m_vFrame.resize(2);
  anime.m_vFrame[1].m_nPattern = 7;
  anime.m_vFrame[1].m_nTime = 3;
  anime.m_vFrame[1].m_bHoldFrom = 1;

  cBmpCharaExcData bmp;
  bmp.m_nSetting = 9;
  bmp.m_bLarge = 1;
  bmp.m_nLargeFactor = 3;
  bmp.m_strName = "巨人";
  bmp.m_strFile = "big.bmp";

  cSwordTypeData sword;
  sword.m_nSetting = 4;
  sword.m_strName = "剣";
  sword.m_strFile2 = "b.bmp";
  for (int i = 0; i < 10; ++i) {  // every member of the frame distinct, in file order
    std::int32_t* members[] = {&sword.m_vFrame[0].m_nOffsetX, &sword.m_vFrame[0].m_nOffsetY,
                               &sword.m_vFrame[0].m_bMirrorX, &sword.m_vFrame[0].m_bMirrorY,
                               &sword.m_vFrame[0].m_nSide,    &sword.m_vFrame[0].m_nSrcX,
                               &sword.m_vFrame[0].m_nSrcY,    &sword.m_vFrame[0].m_nWidth,
                               &sword.m_vFrame[0].m_nHeight,  &sword.m_vFrame[0].m_nTime};
    *members[i] = 100 + i;
  }

  cEffectData effect;
  effect.m_nSetting = 2;
  effect.m_bCharaScale = 1;
  effect.m_strFile = "fx.bmp";
  effect.m_vFrame[0].m_nPattern = 6;

  cCharaEffectData charaEffect;
  charaEffect.m_nKind = 12;
  for (int i = 0; i < 5; ++i) charaEffect.m_nParam[i] = i - 2;
  charaEffect.m_strName = "レンズ";
  cScrEffectData scrEffect;
  scrEffect.m_nKind = 13;
  scrEffect.m_nParam[4] = 77;

  cPictureData picture;
  picture.m_nSetting = 1;
  picture.m_strName = "絵";
  picture.m_strFile = "p.bmp";
  cSoundData sound;
  sound.m_strFile = "se.wav";
  cBgmData bgm;
  bgm.m_nSetting = -1;
  bgm.m_strFile = "m.ogg";

  cByteBuilder animeBytes;
  animeBytes.Count(3).I16(-2).I8(5).I16(300).Count(1).Text("歩き").Count(2);
  AnimeFrame(animeBytes, 0, 1, 0);
  AnimeFrame(animeBytes, 7, 3, 1);

  cByteBuilder animeSetBytes;  // a new set: offsets 4, 8, 0 and the four named states
  animeSetBytes.Count(3).I32(4).I32(8).I32(0).Count(1).Text("").Count(4);
  for (const char* name : {"立ち", "立ち移動", "飛行", "飛行移動"}) DefaultAnime(animeSetBytes, name);

  cByteBuilder swordBytes;
  swordBytes.Count(1).I32(4).Count(3).Text("剣").Text("").Text("b.bmp").Count(1).Count(10);
  for (int i = 0; i < 10; ++i) swordBytes.I32(100 + i);
  swordBytes.Count(0);

  struct Case {
    const char* what;
    DatabaseRecordsTestBytes written;
    DatabaseRecordsTestBytes expected;
    Rewrite reread;
  };
  const Case cases[] = {
      {"anime", WriteRecord(anime), animeBytes.Get(), ReadAndWrite<cAnimeData>},
      {"new anime set", WriteRecord(cAnimeSetData()), animeSetBytes.Get(), ReadAndWrite<cAnimeSetData>},
      {"bitmap", WriteRecord(bmp),
       cByteBuilder().Count(3).I32(9).I32(1).I32(3).Count(2).Text("巨人").Text("big.bmp").Get(),
       ReadAndWrite<cBmpCharaExcData>},
      {"new sword frame", WriteRecord(cSwordFrame()),
       cByteBuilder().Count(10).I32(0).I32(0).I32(1).Fill(28).Count(0).Get(), ReadAndWrite<cSwordFrame>},
      {"new sword type", WriteRecord(cSwordTypeData()),
       cByteBuilder().Count(1).I32(0).Count(3).Text("").Text("").Text("").Count(1).Count(10).I32(0).I32(0).I32(1)
           .Fill(24).I32(1).Count(0).Get(),
       ReadAndWrite<cSwordTypeData>},
      {"sword type", WriteRecord(sword), swordBytes.Get(), ReadAndWrite<cSwordTypeData>},
      {"new effect", WriteRecord(cEffectData()),
       cByteBuilder().Count(4).I32(0).I32(32).I32(32).I32(0).Count(2).Text("").Text("").Count(1).Count(2).I32(0)
           .I32(1).Count(0).Get(),
       ReadAndWrite<cEffectData>},
      {"effect", WriteRecord(effect),
       cByteBuilder().Count(4).I32(2).I32(32).I32(32).I32(1).Count(2).Text("").Text("fx.bmp").Count(1).Count(2)
           .I32(6).I32(1).Count(0).Get(),
       ReadAndWrite<cEffectData>},
      {"character effect", WriteRecord(charaEffect),
       cByteBuilder().Count(2).I32(12).I32(-2).I32(-1).I32(0).I32(1).I32(2).Count(1).Text("レンズ").Get(),
       ReadAndWrite<cCharaEffectData>},
      {"screen effect", WriteRecord(scrEffect),
       cByteBuilder().Count(2).I32(13).Fill(16).I32(77).Count(1).Text("").Get(), ReadAndWrite<cScrEffectData>},
      {"picture", WriteRecord(picture), cByteBuilder().Count(1).I32(1).Count(2).Text("絵").Text("p.bmp").Get(),
       ReadAndWrite<cPictureData>},
      {"sound", WriteRecord(sound), cByteBuilder().Count(1).I32(0).Count(2).Text("").Text("se.wav").Get(),
       ReadAndWrite<cSoundData>},
      {"music", WriteRecord(bgm), cByteBuilder().Count(1).I32(-1).Count(2).Text("").Text("m.ogg").Get(),
       ReadAndWrite<cBgmData>},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(c.written, c.expected);
    EXPECT_EQ(c.reread(811, c.written), c.written);
  }
}

TEST_F(DatabaseRecordsTest, OldVersionsAreUpgradedStepByStep) {
  auto anime = [](const std::string& name, int pattern) {
    cByteBuilder b;
    b.Count(3).I16(0).I8(1).I16(0).Count(1).Text(name).Count(1);
    return AnimeFrame(b, pattern, 1, 0).Get();
  };
  auto animeSet = [&](int version, int flying, const std::vector<std::string>& states) {
    cByteBuilder b;
    b.Count(version >= 119 ? 3 : 2).I32(5).I32(9);
    if (version >= 119) b.I32(flying);
    b.Count(1).Text("set").Count(static_cast<std::int32_t>(states.size()));
    for (std::size_t i = 0; i < states.size(); ++i) b.Bytes(anime(states[i], static_cast<int>(i)));
    return b.Get();
  };
  auto animeSet811 = [&](int flying, const std::vector<std::string>& states) { return animeSet(811, flying, states); };
  auto frameOfDefaultState = [&](const std::string& name) {  // an appended state: a new animation
    cByteBuilder b;
    return DefaultAnime(b, name).Get();
  };
  auto fileEntry = [](bool withSetting, int setting, const char* name) {
    cByteBuilder b;
    if (withSetting) b.Count(1).I32(setting); else b.Count(0);
    return b.Count(2).Text(name).Text("f").Get();
  };
  auto effectEntry = [](int kind, std::int32_t p3, std::int32_t p4) {
    return cByteBuilder().Count(2).I32(kind).I32(1).I32(2).I32(3).I32(p3).I32(p4).Count(1).Text("").Get();
  };

  // Two states of a version-110 set become four; the two appended ones are named.
  DatabaseRecordsTestBytes fourFrom2 = cByteBuilder().Count(3).I32(5).I32(9).I32(0).Count(1).Text("set").Count(4).Get();
  for (DatabaseRecordsTestBytes part : {anime("a", 0), anime("b", 1), frameOfDefaultState("飛行"), frameOfDefaultState("飛行移動")})
    fourFrom2.insert(fourFrom2.end(), part.begin(), part.end());

  struct Case {
    const char* what;
    int version;
    DatabaseRecordsTestBytes body;
    DatabaseRecordsTestBytes expected;  // the record written again at 811
    Rewrite reread;
  };
  const Case cases[] = {
      // Animations: the three kept values came with 55.
      {"anime below 55", 54, cByteBuilder().Count(0).Count(1).Text("x").Count(1).Count(3).I32(2).I32(3).I32(0).Count(0).Get(),
       cByteBuilder().Count(3).I16(0).I8(1).I16(0).Count(1).Text("x").Count(1).Count(3).I32(2).I32(3).I32(0).Count(0).Get(),
       ReadAndWrite<cAnimeData>},
      {"anime at 55", 55, anime("x", 4), anime("x", 4), ReadAndWrite<cAnimeData>},
      // Animation sets: flying offset from 119; four states below 119 and below 128,
      // the flying states named below 128.
      {"set below 119, two states", 110, animeSet(110, 0, {"a", "b"}), fourFrom2, ReadAndWrite<cAnimeSetData>},
      {"set below 119, six states", 118, animeSet(118, 0, {"a", "b", "c", "d", "e", "f"}),
       animeSet811(0, {"a", "b", "飛行", "飛行移動"}), ReadAndWrite<cAnimeSetData>},
      {"set below 128", 127, animeSet(127, 6, {"a", "b", "c", "d", "e"}),
       animeSet811(6, {"a", "b", "飛行", "飛行移動"}), ReadAndWrite<cAnimeSetData>},
      {"set at 128", 128, animeSet(128, 6, {"a", "b", "c", "d", "e"}), animeSet811(6, {"a", "b", "c", "d", "e"}),
       ReadAndWrite<cAnimeSetData>},
      // Sword frames: the mirror flags came with 138 (defaults 1 and 0).
      {"sword frame below 138", 137, cByteBuilder().Count(8).I32(1).I32(2).I32(3).I32(4).I32(5).I32(6).I32(7).I32(8).Count(0).Get(),
       cByteBuilder().Count(10).I32(1).I32(2).I32(1).I32(0).I32(3).I32(4).I32(5).I32(6).I32(7).I32(8).Count(0).Get(),
       ReadAndWrite<cSwordFrame>},
      // The kept setting: absent below 151 (152 for bitmaps), read as 0 below 153.
      {"sword type below 151", 150, cByteBuilder().Count(0).Count(3).Text("s").Text("").Text("").Count(0).Get(),
       cByteBuilder().Count(1).I32(0).Count(3).Text("s").Text("").Text("").Count(0).Get(), ReadAndWrite<cSwordTypeData>},
      {"sword type below 153", 152, cByteBuilder().Count(1).I32(7).Count(3).Text("s").Text("").Text("").Count(0).Get(),
       cByteBuilder().Count(1).I32(0).Count(3).Text("s").Text("").Text("").Count(0).Get(), ReadAndWrite<cSwordTypeData>},
      {"effect below 151", 150, cByteBuilder().Count(3).I32(16).I32(8).I32(1).Count(2).Text("e").Text("").Count(0).Get(),
       cByteBuilder().Count(4).I32(0).I32(16).I32(8).I32(1).Count(2).Text("e").Text("").Count(0).Get(),
       ReadAndWrite<cEffectData>},
      {"effect below 153", 152, cByteBuilder().Count(4).I32(5).I32(16).I32(8).I32(1).Count(2).Text("e").Text("").Count(0).Get(),
       cByteBuilder().Count(4).I32(0).I32(16).I32(8).I32(1).Count(2).Text("e").Text("").Count(0).Get(),
       ReadAndWrite<cEffectData>},
      {"effect at 153", 153, cByteBuilder().Count(4).I32(5).I32(16).I32(8).I32(1).Count(2).Text("e").Text("").Count(0).Get(),
       cByteBuilder().Count(4).I32(5).I32(16).I32(8).I32(1).Count(2).Text("e").Text("").Count(0).Get(),
       ReadAndWrite<cEffectData>},
      {"picture below 151", 150, fileEntry(false, 0, "p"), fileEntry(true, 0, "p"), ReadAndWrite<cPictureData>},
      {"picture below 153", 152, fileEntry(true, 3, "p"), fileEntry(true, 0, "p"), ReadAndWrite<cPictureData>},
      {"sound below 153", 152, fileEntry(true, 3, "s"), fileEntry(true, 0, "s"), ReadAndWrite<cSoundData>},
      {"sound at 153", 153, fileEntry(true, 3, "s"), fileEntry(true, 3, "s"), ReadAndWrite<cSoundData>},
      {"music below 153", 152, fileEntry(true, 3, "m"), fileEntry(true, 0, "m"), ReadAndWrite<cBgmData>},
      {"bitmap below 152", 151, cByteBuilder().Count(0).Count(2).Text("b").Text("f").Get(),
       cByteBuilder().Count(3).I32(0).I32(0).I32(0).Count(2).Text("b").Text("f").Get(), ReadAndWrite<cBmpCharaExcData>},
      {"bitmap below 153", 152, cByteBuilder().Count(1).I32(4).Count(2).Text("b").Text("f").Get(),
       cByteBuilder().Count(3).I32(0).I32(0).I32(0).Count(2).Text("b").Text("f").Get(), ReadAndWrite<cBmpCharaExcData>},
      {"bitmap below 172", 171, cByteBuilder().Count(1).I32(4).Count(2).Text("b").Text("f").Get(),
       cByteBuilder().Count(3).I32(4).I32(0).I32(0).Count(2).Text("b").Text("f").Get(), ReadAndWrite<cBmpCharaExcData>},
      {"bitmap at 172", 172, cByteBuilder().Count(3).I32(4).I32(1).I32(2).Count(2).Text("b").Text("f").Get(),
       cByteBuilder().Count(3).I32(4).I32(1).I32(2).Count(2).Text("b").Text("f").Get(), ReadAndWrite<cBmpCharaExcData>},
      // Effects below 511: the roughness parameters that 511 added take their defaults.
      {"character wave across below 511", 500, effectEntry(4, 9, 9), effectEntry(4, 9, 2), ReadAndWrite<cCharaEffectData>},
      {"character wave down below 511", 500, effectEntry(5, 9, 9), effectEntry(5, 9, 2), ReadAndWrite<cCharaEffectData>},
      {"character circle below 511", 500, effectEntry(10, 9, 9), effectEntry(10, 2, 9), ReadAndWrite<cCharaEffectData>},
      {"character other kind below 511", 500, effectEntry(6, 9, 9), effectEntry(6, 9, 9), ReadAndWrite<cCharaEffectData>},
      {"character wave at 511", 511, effectEntry(4, 9, 9), effectEntry(4, 9, 9), ReadAndWrite<cCharaEffectData>},
      {"screen wave across below 511", 500, effectEntry(6, 9, 9), effectEntry(6, 9, 8), ReadAndWrite<cScrEffectData>},
      {"screen wave down below 511", 500, effectEntry(7, 9, 9), effectEntry(7, 9, 10), ReadAndWrite<cScrEffectData>},
      {"screen circle below 511", 500, effectEntry(10, 9, 9), effectEntry(10, 8, 9), ReadAndWrite<cScrEffectData>},
      {"screen other kind below 511", 500, effectEntry(4, 9, 9), effectEntry(4, 9, 9), ReadAndWrite<cScrEffectData>},
      {"screen circle at 511", 511, effectEntry(10, 9, 9), effectEntry(10, 9, 9), ReadAndWrite<cScrEffectData>},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(c.reread(c.version, c.body), c.expected);
  }
}

TEST_F(DatabaseRecordsTest, DamagedListsInsideRecordsStopSafely) {
  struct Case {
    const char* what;
    DatabaseRecordsTestBytes body;
    DATADAMAGE damage;
  };
  const Case cases[] = {
      {"negative state count", cByteBuilder().Count(0).Count(0).Count(-1).Get(), DATADAMAGE_NEGATIVE_COUNT},
      {"state count beyond the data", cByteBuilder().Count(0).Count(0).Count(1 << 28).Get(),
       DATADAMAGE_COUNT_PAST_END},
      {"frame count beyond the data",
       cByteBuilder().Count(0).Count(0).Count(1).Count(0).Count(0).Count(0x7FFFFFFF).Get(), DATADAMAGE_COUNT_PAST_END},
      {"negative frame count", cByteBuilder().Count(0).Count(0).Count(1).Count(0).Count(0).Count(-5).Get(),
       DATADAMAGE_NEGATIVE_COUNT},
      {"name longer than the data", cByteBuilder().Count(0).Count(1).I32(0x7FFFFFFF).Get(), DATADAMAGE_TEXT_LENGTH},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    g_nFileVersion = 811;
    cDataReader in(c.body);
    cAnimeSetData set;
    set.Read(in);
    EXPECT_EQ(in.Damage(), c.damage);
    EXPECT_LE(set.m_vState.size(), 1u);
  }
}

TEST_F(DatabaseRecordsTest, CopiesKeepEveryMemberAndList) {
  cAnimeSetData a;
  a.m_nFlyingOffset = 3;
  a.m_vState[1].m_vFrame[0].m_nPattern = 9;
  cAnimeSetData b;
  b = a;
  cAnimeSetData c(a);
  a.m_vState[1].m_vFrame[0].m_nPattern = 1;  // the copies are their own
  EXPECT_EQ(WriteRecord(b), WriteRecord(c));
  EXPECT_EQ(b.m_nFlyingOffset, 3);
  EXPECT_EQ(b.m_vState[1].m_vFrame[0].m_nPattern, 9);
}

}  // namespace
