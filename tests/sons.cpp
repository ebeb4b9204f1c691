// Test sounds made by code: a WAV written byte by byte and an Ogg Vorbis
// tone encoded with libvorbisenc.
#include "sons.h"

#include <SDL.h>
#include <vorbis/vorbisenc.h>

#include <cmath>

static void poe(SonsBytes &b, Uint32 v, int n) {
  for (int i = 0; i < n; i++) b.push_back(Uint8(v >> (8 * i)));
}
static void poe(SonsBytes &b, const char *id) {
  for (int i = 0; i < 4; i++) b.push_back(Uint8(id[i]));
}

// 44100 Hz 16-bit stereo tone.
SonsBytes SomWav(double segundos) {
  Uint32 quadros = Uint32(44100 * segundos), dados = quadros * 4;
  SonsBytes b;
  poe(b, "RIFF");
  poe(b, 36 + dados, 4);
  poe(b, "WAVE");
  poe(b, "fmt ");
  poe(b, 16, 4);
  poe(b, 1, 2);
  poe(b, 2, 2);
  poe(b, 44100, 4);
  poe(b, 44100 * 4, 4);
  poe(b, 4, 2);
  poe(b, 16, 2);
  poe(b, "data");
  poe(b, dados, 4);
  for (Uint32 i = 0; i < quadros; i++) {
    Uint16 a = Uint16(Sint16(8000 * std::sin(i * 0.06)));
    poe(b, a, 2);
    poe(b, a, 2);
  }
  return b;
}

// 44100 Hz stereo Ogg Vorbis tone.
SonsBytes SomOgg(double segundos) {
  vorbis_info vi;
  vorbis_info_init(&vi);
  vorbis_encode_init_vbr(&vi, 2, 44100, 0.1f);
  vorbis_comment vc;
  vorbis_comment_init(&vc);
  vorbis_dsp_state vd;
  vorbis_analysis_init(&vd, &vi);
  vorbis_block vb;
  vorbis_block_init(&vd, &vb);
  ogg_stream_state os;
  ogg_stream_init(&os, 7);
  SonsBytes b;
  ogg_page pg;
  auto pagina = [&] {
    b.insert(b.end(), pg.header, pg.header + pg.header_len);
    b.insert(b.end(), pg.body, pg.body + pg.body_len);
  };
  ogg_packet p1, p2, p3, pk;
  vorbis_analysis_headerout(&vd, &vc, &p1, &p2, &p3);
  ogg_stream_packetin(&os, &p1);
  ogg_stream_packetin(&os, &p2);
  ogg_stream_packetin(&os, &p3);
  while (ogg_stream_flush(&os, &pg)) pagina();
  long total = long(44100 * segundos), feito = 0;
  for (;;) {
    long n = total - feito < 1024 ? total - feito : 1024;
    if (n > 0) {
      float **buf = vorbis_analysis_buffer(&vd, int(n));
      for (long j = 0; j < n; j++)
        buf[0][j] = buf[1][j] = 0.3f * std::sin((feito + j) * 0.06f);
    }
    vorbis_analysis_wrote(&vd, int(n));
    feito += n;
    while (vorbis_analysis_blockout(&vd, &vb) == 1) {
      vorbis_analysis(&vb, nullptr);
      vorbis_bitrate_addblock(&vb);
      while (vorbis_bitrate_flushpacket(&vd, &pk)) {
        ogg_stream_packetin(&os, &pk);
        while (ogg_stream_pageout(&os, &pg)) pagina();
      }
    }
    if (n == 0) break;
  }
  while (ogg_stream_flush(&os, &pg)) pagina();
  ogg_stream_clear(&os);
  vorbis_block_clear(&vb);
  vorbis_dsp_clear(&vd);
  vorbis_comment_clear(&vc);
  vorbis_info_clear(&vi);
  return b;
}
