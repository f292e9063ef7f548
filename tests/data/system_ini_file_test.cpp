// System.ini read byte by byte over the defaults of the game's key table.
#include "data/system/system_ini_file.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "app/report_log.h"
#include "data/system/system_ini_keys.h"
#include "writers/system_ini_writer.h"
#include "tests/support/temp_dir.h"

namespace {

std::vector<cIniItem> NewKeyTable() {
  std::vector<cIniItem> keys;
  SetDefaultIniItems(keys);
  return keys;
}

cSystemIni Defaults() {
  cSystemIni ini;
  SetSystemIniDefaults(ini, NewKeyTable());
  return ini;
}

void ExpectSameIni(const cSystemIni& a, const cSystemIni& b) {
  EXPECT_EQ(a.m_nDirect3D, b.m_nDirect3D);
  EXPECT_EQ(a.m_nWindowMode, b.m_nWindowMode);
  EXPECT_EQ(a.m_nBpp, b.m_nBpp);
  EXPECT_EQ(a.m_nVSync, b.m_nVSync);
  EXPECT_EQ(a.m_nD3DFontCache, b.m_nD3DFontCache);
  EXPECT_EQ(a.m_nDDFontCache, b.m_nDDFontCache);
  EXPECT_EQ(a.m_nDDVideoStretch, b.m_nDDVideoStretch);
  EXPECT_EQ(a.m_nShowFps, b.m_nShowFps);
  EXPECT_EQ(a.m_bEnglish, b.m_bEnglish);
  EXPECT_EQ(a.m_strFreeStage, b.m_strFreeStage);
}

class SystemIniTest : public cTempDirTest {
 protected:
  void SetUp() override {
    cTempDirTest::SetUp();
    ASSERT_EQ(OpenReportLog("Report_Game.txt"), 1);
  }
  std::string Report() { return ReadBytes("Report_Game.txt"); }
};

TEST_F(SystemIniTest, DefaultsComeFromTheKeyTableButEnglishStartsOff) {
  std::vector<cIniItem> keys = NewKeyTable();
  keys[INIKEY_ENGLISH].m_nValue = 1;
  keys[INIKEY_BPP].m_nValue = 16;
  keys[INIKEY_FREE_STAGE].m_strValue = "data\\stg4\\a.stg4_811";
  cSystemIni ini;
  ini.m_bEnglish = 1;
  SetSystemIniDefaults(ini, keys);
  EXPECT_EQ(ini.m_nDirect3D, 2);
  EXPECT_EQ(ini.m_nWindowMode, 0);
  EXPECT_EQ(ini.m_nBpp, 16);
  EXPECT_EQ(ini.m_nVSync, 2);
  EXPECT_EQ(ini.m_nD3DFontCache, 0);
  EXPECT_EQ(ini.m_nDDFontCache, 1);
  EXPECT_EQ(ini.m_nDDVideoStretch, 0);
  EXPECT_EQ(ini.m_nShowFps, 1);
  EXPECT_EQ(ini.m_strFreeStage, "data\\stg4\\a.stg4_811");
  EXPECT_EQ(ini.m_bEnglish, 0);
  EXPECT_EQ(Report(), "");
}

// A damaged System.dat can hold a short key table or a FreeStage default longer than any
// path: the built-in values stand in, and the report says so.
TEST_F(SystemIniTest, DamagedKeyTableGivesBuiltInDefaultsWithAReportLine) {
  struct Case {
    const char* name;
    std::function<void(std::vector<cIniItem>&)> damage;
    std::function<void(cSystemIni&)> expect;
  } const cases[] = {
      {"no entries", [](auto& keys) { keys.clear(); }, [](cSystemIni&) {}},
      {"three entries",
       [](auto& keys) {
         keys.resize(3);
         keys[2].m_nValue = 32;
       },
       [](cSystemIni& ini) { ini.m_nBpp = 32; }},
      {"FreeStage default past a path", [](auto& keys) { keys[INIKEY_FREE_STAGE].m_strValue.assign(300, 'a'); },
       [](cSystemIni&) {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_EQ(OpenReportLog("Report_Game.txt"), 1);
    std::vector<cIniItem> keys = NewKeyTable();
    c.damage(keys);
    cSystemIni ini;
    SetSystemIniDefaults(ini, keys);
    cSystemIni expected = Defaults();
    c.expect(expected);
    ExpectSameIni(ini, expected);
    EXPECT_NE(Report(), "");
  }
}

TEST_F(SystemIniTest, FileIsReadByteByByte) {
  const std::string longPath(259, 'p');
  struct Case {
    const char* name;
    std::string file;
    bool ok;
    std::function<void(cSystemIni&)> expect;  // on the defaults
    bool reported = false;                    // a report line says what was ignored
  } const cases[] = {
      {"every key",
       SystemIniText({{"Direct3D", "1"}, {"WindowMode", "2"}, {"Bpp", "16"}, {"VSync", "0"},
                      {"D3D_FontCache", "3"}, {"DD_FontCache", "4"}, {"DD_VideoStretch", "1"},
                      {"ShowFps", "0"}, {"English", "1"}, {"FreeStage", "stage"}}),
       true,
       [](cSystemIni& i) {
         i.m_nDirect3D = 1, i.m_nWindowMode = 2, i.m_nBpp = 16, i.m_nVSync = 0, i.m_nD3DFontCache = 3;
         i.m_nDDFontCache = 4, i.m_nDDVideoStretch = 1, i.m_nShowFps = 0, i.m_bEnglish = 1;
         i.m_strFreeStage = "stage\r";  // CR LF line ends
       }},
      {"comment after a value", "VSync=1 comment\r\nExit\r\n", true, [](cSystemIni& i) { i.m_nVSync = 1; }},
      {"comment after a slash", "Bpp=16//comment\r\nExit\r\n", true, [](cSystemIni& i) { i.m_nBpp = 16; }},
      {"second pair on the line", "VSync=1 WindowMode=1\r\nExit\r\n", true,
       [](cSystemIni& i) { i.m_nVSync = 1, i.m_nWindowMode = 1; }},
      {"blanks and tabs in a key", "\t V Sync =1\r\nExit\r\n", true, [](cSystemIni& i) { i.m_nVSync = 1; }},
      {"blank before a value ends it", "VSync= 1\r\nExit\r\n", true, [](cSystemIni& i) { i.m_nVSync = 0; }},
      {"value without a number", "Bpp=x16\r\nExit\r\n", true, [](cSystemIni& i) { i.m_nBpp = 0; }},
      {"signed values", "Bpp=-8\r\nVSync=+1\r\nExit\r\n", true, [](cSystemIni& i) { i.m_nBpp = -8, i.m_nVSync = 1; }},
      {"numbers past int32 are held to it", "Bpp=99999999999\r\nVSync=-99999999999\r\nExit\r\n", true,
       [](cSystemIni& i) {
         i.m_nBpp = std::numeric_limits<std::int32_t>::max();
         i.m_nVSync = std::numeric_limits<std::int32_t>::min();
       }},
      {"key in other letter case", "direct3d=1\r\nExit\r\n", true, [](cSystemIni&) {}},
      {"unknown key and line without =", "Colour=3\r\njust text\r\nExit\r\n", true, [](cSystemIni&) {}},
      {"FreeStage keeps its CR", "FreeStage=data\\stg4\\a.stg4_811\r\nExit\r\n", true,
       [](cSystemIni& i) { i.m_strFreeStage = "data\\stg4\\a.stg4_811\r"; }},
      {"FreeStage of one byte", "FreeStage=a\nExit\n", true, [](cSystemIni&) {}},
      {"FreeStage of 259 bytes", "FreeStage=" + longPath + "\nExit\n", true,
       [&](cSystemIni& i) { i.m_strFreeStage = longPath; }},
      {"FreeStage of 260 bytes", "FreeStage=" + longPath + "p\nExit\n", true, [](cSystemIni&) {}, true},
      {"Exit ends the file", "Exit\r\nVSync=1\r\n", true, [](cSystemIni&) {}},
      {"NUL ends the file", std::string("VSync=1\n\0VSync=0\n", 17), true, [](cSystemIni& i) { i.m_nVSync = 1; }},
      {"a later line overrides", "Bpp=8\r\nBpp=24\r\nExit\r\n", true,
       [](cSystemIni& i) { i.m_nBpp = 24; }},
      {"key past its buffer", std::string(3000, 'k') + "=1\r\nVSync=1\r\nExit\r\n", true,
       [](cSystemIni& i) { i.m_nVSync = 1; }, true},
      {"value past its buffer", "Bpp=" + std::string(3000, '1') + "\r\nVSync=1\r\nExit\r\n", true,
       [](cSystemIni& i) { i.m_nVSync = 1; }, true},
      {"no Exit line", "VSync=1\r\n", false, [](cSystemIni&) {}, true},
      {"Exit without its line feed", "VSync=1\r\nExit", false, [](cSystemIni&) {}, true},
      {"ends inside a value", "VSync=1", false, [](cSystemIni&) {}, true},
      {"empty file", "", false, [](cSystemIni&) {}, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_EQ(OpenReportLog("Report_Game.txt"), 1);
    MakeFile("System.ini", c.file);
    cSystemIni ini = Defaults();
    EXPECT_EQ(LoadSystemIni("System.ini", ini, NewKeyTable()), c.ok);
    cSystemIni expected = Defaults();
    c.expect(expected);
    ExpectSameIni(ini, expected);
    EXPECT_EQ(Report() != "", c.reported) << Report();
  }
}

TEST_F(SystemIniTest, ReadingStopsAfterTenThousandEntries) {
  std::string file;
  for (int i = 0; i < kIniMaxEntries; ++i) file += "x\n";
  MakeFile("System.ini", file + "VSync=1\n");  // neither read nor missed as an Exit line
  cSystemIni ini = Defaults();
  EXPECT_TRUE(LoadSystemIni("System.ini", ini, NewKeyTable()));
  EXPECT_EQ(ini.m_nVSync, 2);
}

TEST_F(SystemIniTest, MissingFileOrAFolderFailsAndKeepsWhatWasThere) {
  cSystemIni ini = Defaults();
  EXPECT_FALSE(LoadSystemIni("System.ini", ini, NewKeyTable()));
  EXPECT_EQ(Report(), "");
  MakeFile("System.ini/inner", "x");
  EXPECT_FALSE(LoadSystemIni("System.ini", ini, NewKeyTable()));
  EXPECT_NE(Report(), "");
  ExpectSameIni(ini, Defaults());
}

}  // namespace
