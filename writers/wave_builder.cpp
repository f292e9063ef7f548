#include "writers/wave_builder.h"

std::vector<std::uint8_t> BuildWave(const cWaveLayout& layout) {
  cByteBuilder body;
  body.Tag("WAVE");
  body.Tag("fmt ").U32(layout.nFmtSize);
  const std::uint16_t blockAlign = static_cast<std::uint16_t>(layout.nChannels * (layout.nBits / 8));
  cByteBuilder fmt;
  fmt.U16(layout.nFormatTag).U16(layout.nChannels).U32(layout.nRate).U32(layout.nRate * blockAlign).U16(blockAlign).U16(layout.nBits);
  std::vector<std::uint8_t> fmtBytes = fmt.Get();
  fmtBytes.resize(layout.nFmtSize, 0);
  body.Bytes(fmtBytes);
  if (layout.nFmtSize & 1) body.U8(0);
  if (layout.bExtraChunk) body.Tag("LIST").U32(5).Raw("INFOx", 5).U8(0);
  const std::uint32_t claim =
      layout.nDataSizeClaim >= 0 ? static_cast<std::uint32_t>(layout.nDataSizeClaim) : static_cast<std::uint32_t>(layout.vSamples.size());
  body.Tag("data").U32(claim).Bytes(layout.vSamples);
  cByteBuilder file;
  file.Tag("RIFF").U32(static_cast<std::uint32_t>(body.Size())).Bytes(body.Get());
  return file.Get();
}

std::vector<std::uint8_t> Pcm16Bytes(const std::vector<std::int16_t>& samples) {
  cByteBuilder b;
  for (std::int16_t s : samples) b.I16(s);
  return b.Get();
}
