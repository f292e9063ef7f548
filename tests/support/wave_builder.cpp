#include "tests/support/wave_builder.h"

std::vector<std::uint8_t> BuildWave(const cWaveSpec& spec) {
  cByteBuilder body;
  body.Tag("WAVE");
  body.Tag("fmt ").U32(spec.nFmtSize);
  const std::uint16_t blockAlign = static_cast<std::uint16_t>(spec.nChannels * (spec.nBits / 8));
  cByteBuilder fmt;
  fmt.U16(spec.nFormatTag).U16(spec.nChannels).U32(spec.nRate).U32(spec.nRate * blockAlign).U16(blockAlign).U16(spec.nBits);
  std::vector<std::uint8_t> fmtBytes = fmt.Get();
  fmtBytes.resize(spec.nFmtSize, 0);
  body.Bytes(fmtBytes);
  if (spec.nFmtSize & 1) body.U8(0);
  if (spec.bExtraChunk) body.Tag("LIST").U32(5).Raw("INFOx", 5).U8(0);
  const std::uint32_t claim =
      spec.nDataSizeClaim >= 0 ? static_cast<std::uint32_t>(spec.nDataSizeClaim) : static_cast<std::uint32_t>(spec.vSamples.size());
  body.Tag("data").U32(claim).Bytes(spec.vSamples);
  cByteBuilder file;
  file.Tag("RIFF").U32(static_cast<std::uint32_t>(body.Size())).Bytes(body.Get());
  return file.Get();
}

std::vector<std::uint8_t> Pcm16Bytes(const std::vector<std::int16_t>& samples) {
  cByteBuilder b;
  for (std::int16_t s : samples) b.I16(s);
  return b.Get();
}
