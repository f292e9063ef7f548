#include "tests/support/ogg_encoder.h"

#include <vorbis/vorbisenc.h>

#include <cmath>
#include <cstdio>

bool WriteOggTone(const std::string& hostPath, int rate, int channels, int frames, double hz, double amplitude) {
  FILE* out = std::fopen(hostPath.c_str(), "wb");
  if (out == nullptr) return false;
  vorbis_info info;
  vorbis_info_init(&info);
  if (vorbis_encode_init_vbr(&info, channels, rate, 0.5f) != 0) {
    std::fclose(out);
    return false;
  }
  vorbis_comment comment;
  vorbis_comment_init(&comment);
  vorbis_dsp_state dsp;
  vorbis_block block;
  vorbis_analysis_init(&dsp, &info);
  vorbis_block_init(&dsp, &block);
  ogg_stream_state stream;
  ogg_stream_init(&stream, 1);
  ogg_packet header, headerComment, headerCode;
  vorbis_analysis_headerout(&dsp, &comment, &header, &headerComment, &headerCode);
  ogg_stream_packetin(&stream, &header);
  ogg_stream_packetin(&stream, &headerComment);
  ogg_stream_packetin(&stream, &headerCode);
  ogg_page page;
  while (ogg_stream_flush(&stream, &page) != 0) {
    std::fwrite(page.header, 1, static_cast<std::size_t>(page.header_len), out);
    std::fwrite(page.body, 1, static_cast<std::size_t>(page.body_len), out);
  }
  const double pi = 3.14159265358979323846;
  int done = 0;
  bool eos = false;
  bool ended = false;
  while (!eos) {
    const int chunk = frames - done < 1024 ? frames - done : 1024;
    if (chunk > 0) {
      float** buffer = vorbis_analysis_buffer(&dsp, chunk);
      for (int i = 0; i < chunk; ++i) {
        const double v = amplitude * std::sin(2 * pi * hz * (done + i) / rate);
        buffer[0][i] = static_cast<float>(v);
        if (channels > 1) buffer[1][i] = static_cast<float>(v / 2);
      }
      vorbis_analysis_wrote(&dsp, chunk);
      done += chunk;
    } else if (!ended) {
      vorbis_analysis_wrote(&dsp, 0);
      ended = true;
    }
    while (vorbis_analysis_blockout(&dsp, &block) == 1) {
      vorbis_analysis(&block, nullptr);
      vorbis_bitrate_addblock(&block);
      ogg_packet packet;
      while (vorbis_bitrate_flushpacket(&dsp, &packet)) {
        ogg_stream_packetin(&stream, &packet);
        while (!eos && ogg_stream_pageout(&stream, &page) != 0) {
          std::fwrite(page.header, 1, static_cast<std::size_t>(page.header_len), out);
          std::fwrite(page.body, 1, static_cast<std::size_t>(page.body_len), out);
          if (ogg_page_eos(&page)) eos = true;
        }
      }
    }
  }
  ogg_stream_clear(&stream);
  vorbis_block_clear(&block);
  vorbis_dsp_clear(&dsp);
  vorbis_comment_clear(&comment);
  vorbis_info_clear(&info);
  std::fclose(out);
  return true;
}
