#include "shell/sound_table.h"

#include <algorithm>
#include <cstring>

#include "app/report_log.h"

namespace {

void FillSource(SOUNDSRC& source, const std::string& file) {
  source = SOUNDSRC{};
  if (file.size() >= sizeof source.szFile) {
    WriteReport("効果音のファイル名が長すぎるため使いません (%zu バイト)", file.size());
    return;
  }
  std::memcpy(source.szFile, file.c_str(), file.size() + 1);
  source.nNum = 1;
  source.nVolume = 0;
  source.bFlag = 1;
}

}  // namespace

void BuildSoundTables(std::vector<cSound>& sounds, std::vector<SOUNDSRC>& sources,
                      const std::vector<std::string>& systemSounds, const std::vector<cSoundData>& database) {
  const std::size_t count = kSystemSoundCount - 1 + database.size();
  sounds.resize(count);
  sources.resize(count, SOUNDSRC{});
  const std::size_t system = std::min({systemSounds.size(), static_cast<std::size_t>(kSystemSoundCount), count});
  for (std::size_t i = 0; i < system; ++i) FillSource(sources[i], systemSounds[i]);
  for (std::size_t k = 1; k < database.size(); ++k) FillSource(sources[kSystemSoundCount - 1 + k], database[k].m_strFile);
}

LONG SoundEffectVolume(int nLevel) {
  const int last = static_cast<int>(SE_VOLUME_STEPS.size()) - 1;
  if (nLevel < 0 || nLevel > last) {
    WriteReport("効果音の音量 %d は範囲外のため %d として扱います", nLevel, std::clamp(nLevel, 0, last));
    nLevel = std::clamp(nLevel, 0, last);
  }
  return SE_VOLUME_STEPS[static_cast<std::size_t>(nLevel)];
}
