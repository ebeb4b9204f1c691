// A light tune in G major, 24 bars at 112 beats a minute: a plucked
// arpeggio and a soft pad for harmony, a round bass, a flute-like lead with
// an echo, and a small drum kit.
#include "musica.h"

#include "acaso.h"

#include <lame/lame.h>
#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

const float PI = 3.14159265358979f;
const int BATIDA = TAXA * 60 / 112; // samples per beat: exactly 23625
const int OITAVA = BATIDA / 2;      // samples per eighth
const int COMPASSOS = 24;
const int DURACAO = COMPASSOS * 4 * BATIDA;

float Frequencia(int midi) {
  return 440 * std::pow(2.0f, (midi - 69) / 12.0f);
}

// One cycle of a waveform, read with linear interpolation.
class Tabela {
public:
  explicit Tabela(int harmonicos) : v_(TAMANHO + 1) {
    for (int i = 0; i <= TAMANHO; i++) {
      float s = 0;
      for (int h = 1; h <= harmonicos; h++)
        s += std::sin(2 * PI * h * i / TAMANHO) / h;
      v_[i] = s;
    }
  }
  float le(float fase) const {
    fase -= std::floor(fase);
    float p = fase * TAMANHO;
    int i = int(p);
    return v_[i] + (v_[i + 1] - v_[i]) * (p - i);
  }

private:
  static const int TAMANHO = 4096;
  std::vector<float> v_;
};

const Tabela SENO(1), SERRA(7);

// The mix, written around the loop.
class Mixagem {
public:
  Mixagem() : e_(DURACAO, 0), d_(DURACAO, 0) {}
  void soma(long i, float v, float pan) {
    size_t k = size_t(((i % DURACAO) + DURACAO) % DURACAO);
    e_[k] += v * std::sqrt(0.5f * (1 - pan));
    d_[k] += v * std::sqrt(0.5f * (1 + pan));
  }
  Estereo resultado() const { return Estereo{e_, d_}; }

private:
  Amostras e_, d_;
};

// Attack, then exponential decay towards `sustenta`, then release.
float Envelope(float t, float dur, float ataque, float queda, float sustenta,
               float solta) {
  float a = std::min(1.0f, t / ataque);
  float nivel = sustenta + (1 - sustenta) * std::exp(-t / queda);
  float fim = t > dur ? std::exp(-(t - dur) / solta) : 1;
  return a * nivel * fim;
}

// --------------------------------------------------------------------------
// Score

struct Nota {
  int midi;    // 0 is a rest
  int oitavas; // length in eighths
};

// Chord of each bar: root (MIDI, octave 2) and whether it is minor.
struct Acorde {
  int raiz;
  bool menor;
};
const Acorde ACORDES[COMPASSOS] = {
    {43, false}, {40, true},  {36, false}, {38, false}, {43, false},
    {40, true},  {45, true},  {38, false}, {43, false}, {40, true},
    {36, false}, {38, false}, {43, false}, {47, true},  {36, false},
    {38, false}, {40, true},  {36, false}, {43, false}, {38, false},
    {40, true},  {36, false}, {45, true},  {38, false}};

const int G4 = 67, A4 = 69, B4 = 71, C5 = 72, D5 = 74, E5 = 76, FS5 = 78,
          G5 = 79, A5 = 81, B5 = 83, FS4 = 66;

const std::vector<Nota> &Melodia() {
  static const std::vector<Nota> m = {// A
                                      {D5, 2},
                                      {B4, 1},
                                      {D5, 1},
                                      {G5, 2},
                                      {FS5, 1},
                                      {E5, 1},
                                      {E5, 3},
                                      {D5, 1},
                                      {B4, 2},
                                      {G4, 2},
                                      {C5, 1},
                                      {D5, 1},
                                      {E5, 2},
                                      {G5, 2},
                                      {E5, 2},
                                      {D5, 6},
                                      {0, 2},
                                      {B4, 1},
                                      {C5, 1},
                                      {D5, 2},
                                      {G5, 3},
                                      {FS5, 1},
                                      {E5, 2},
                                      {G5, 2},
                                      {B5, 2},
                                      {G5, 2},
                                      {A5, 3},
                                      {G5, 1},
                                      {E5, 2},
                                      {C5, 2},
                                      {D5, 2},
                                      {FS5, 2},
                                      {A5, 2},
                                      {0, 2},
                                      // A'
                                      {D5, 2},
                                      {B4, 1},
                                      {D5, 1},
                                      {G5, 2},
                                      {FS5, 1},
                                      {E5, 1},
                                      {E5, 3},
                                      {D5, 1},
                                      {B4, 2},
                                      {G4, 2},
                                      {C5, 1},
                                      {D5, 1},
                                      {E5, 2},
                                      {G5, 2},
                                      {E5, 2},
                                      {D5, 6},
                                      {0, 2},
                                      {B4, 1},
                                      {C5, 1},
                                      {D5, 2},
                                      {G5, 2},
                                      {B5, 2},
                                      {A5, 2},
                                      {FS5, 2},
                                      {D5, 2},
                                      {FS5, 2},
                                      {G5, 3},
                                      {E5, 1},
                                      {C5, 2},
                                      {E5, 2},
                                      {D5, 8},
                                      // B
                                      {G4, 2},
                                      {B4, 2},
                                      {E5, 4},
                                      {E5, 2},
                                      {D5, 1},
                                      {C5, 1},
                                      {G4, 4},
                                      {B4, 2},
                                      {D5, 2},
                                      {G5, 3},
                                      {FS5, 1},
                                      {FS5, 2},
                                      {E5, 2},
                                      {D5, 4},
                                      {G5, 2},
                                      {FS5, 1},
                                      {E5, 1},
                                      {B4, 4},
                                      {C5, 2},
                                      {E5, 2},
                                      {G5, 4},
                                      {A5, 2},
                                      {G5, 2},
                                      {E5, 2},
                                      {C5, 2},
                                      {D5, 2},
                                      {A4, 2},
                                      {FS4, 2},
                                      {A4, 2}};
  return m;
}

std::vector<int> NotasDoAcorde(const Acorde &a) {
  return {a.raiz, a.raiz + (a.menor ? 3 : 4), a.raiz + 7};
}

// --------------------------------------------------------------------------
// Instruments

// Flute-like lead: a sine lightly frequency-modulated at the attack, with
// vibrato that grows in.
void Flauta(Mixagem &m, long inicio, int midi, float dur, float ganho,
            float pan) {
  float f = Frequencia(midi), fase = 0;
  long n = long((dur + 0.3f) * TAXA);
  for (long i = 0; i < n; i++) {
    float t = float(i) / TAXA;
    float vibrato = 1 + 0.004f * std::min(1.0f, t / 0.4f) * SENO.le(5.2f * t);
    float indice = 0.25f + 1.4f * std::exp(-t / 0.05f);
    fase += f * vibrato / TAXA;
    float v = SENO.le(fase + indice * 0.16f * SENO.le(fase));
    m.soma(inicio + i, ganho * v * Envelope(t, dur, 0.012f, 0.25f, 0.7f, 0.09f),
           pan);
  }
}

// Plucked string by Karplus-Strong: a noise burst circulating in a delay
// line as long as one period, softened at every pass.
void Dedilhado(Mixagem &m, long inicio, int midi, float ganho, float pan,
               uint32_t semente) {
  Sorteio s(semente);
  int periodo = std::max(2, int(std::lround(TAXA / Frequencia(midi))));
  std::vector<float> linha(static_cast<size_t>(periodo));
  PassaBaixa suave(3500);
  for (float &v : linha) v = suave.filtra(s.entre(-1, 1));
  long n = long(0.9f * TAXA);
  for (long i = 0; i < n; i++) {
    size_t k = size_t(i % periodo), prox = size_t((i + 1) % periodo);
    float v = linha[k];
    linha[k] = 0.496f * (v + linha[prox]);
    float fim = std::min(1.0f, float(n - i) / (0.05f * TAXA));
    m.soma(inicio + i, ganho * v * fim, pan);
  }
}

// Warm pad: two slightly detuned band-limited saws under a slow swell.
void Tapete(Mixagem &m, long inicio, int midi, float dur, float ganho,
            float pan) {
  float f = Frequencia(midi);
  long n = long((dur + 0.6f) * TAXA);
  for (long i = 0; i < n; i++) {
    float t = float(i) / TAXA;
    float v = SERRA.le(f * 1.003f * t) + SERRA.le(f * 0.997f * t + 0.31f);
    m.soma(inicio + i, ganho * v * Envelope(t, dur, 0.35f, 1.0f, 0.8f, 0.4f),
           pan);
  }
}

// Round bass: a sine with a touch of its octave.
void Baixo(Mixagem &m, long inicio, int midi, float dur, float ganho) {
  float f = Frequencia(midi);
  long n = long((dur + 0.15f) * TAXA);
  for (long i = 0; i < n; i++) {
    float t = float(i) / TAXA;
    float v =
        SENO.le(f * t) + 0.3f * SENO.le(2 * f * t) + 0.12f * SENO.le(3 * f * t);
    m.soma(inicio + i, ganho * v * Envelope(t, dur, 0.006f, 0.3f, 0.6f, 0.05f),
           0);
  }
}

void Bumbo(Mixagem &m, long inicio, float ganho) {
  float fase = 0;
  for (long i = 0; i < long(0.35f * TAXA); i++) {
    float t = float(i) / TAXA;
    fase += (48 + 110 * std::exp(-t / 0.03f)) / TAXA;
    m.soma(inicio + i,
           ganho * SENO.le(fase) * std::exp(-t / 0.11f) *
               std::min(1.0f, t / 0.001f),
           0);
  }
}

void Caixa(Mixagem &m, long inicio, float ganho, uint32_t semente) {
  Sorteio s(semente);
  PassaBaixa cor(5000);
  for (long i = 0; i < long(0.25f * TAXA); i++) {
    float t = float(i) / TAXA;
    float tom = SENO.le(185 * t) * std::exp(-t / 0.04f);
    float chiado = cor.filtra(s.entre(-1, 1)) * std::exp(-t / 0.07f);
    m.soma(inicio + i,
           ganho * (0.5f * tom + 1.1f * chiado) * std::min(1.0f, t / 0.001f),
           0.1f);
  }
}

void Chimbal(Mixagem &m, long inicio, float ganho, uint32_t semente) {
  Sorteio s(semente);
  PassaBaixa grave(6000);
  for (long i = 0; i < long(0.06f * TAXA); i++) {
    float t = float(i) / TAXA, r = s.entre(-1, 1);
    m.soma(inicio + i, ganho * (r - grave.filtra(r)) * std::exp(-t / 0.018f),
           -0.3f);
  }
}

// --------------------------------------------------------------------------
// Parts

void TocaMelodia(Mixagem &m) {
  long pos = 0;
  float oitava = float(OITAVA) / TAXA;
  for (const Nota &n : Melodia()) {
    if (n.midi) {
      float dur = n.oitavas * oitava * 0.92f;
      Flauta(m, pos, n.midi, dur, 0.18f, 0.1f);
      // An echo three eighths later on the other side widens the lead.
      Flauta(m, pos + 3 * OITAVA, n.midi, dur, 0.05f, -0.6f);
    }
    pos += n.oitavas * OITAVA;
  }
}

void TocaHarmonia(Mixagem &m) {
  static const int arpejo[8] = {0, 1, 2, 3, 4, 3, 2, 1};
  for (int c = 0; c < COMPASSOS; c++) {
    std::vector<int> notas = NotasDoAcorde(ACORDES[c]);
    long inicio = long(c) * 4 * BATIDA;
    for (int v : notas)
      Tapete(m, inicio, v + 24, 4.0f * BATIDA / TAXA, 0.014f, 0.3f);
    std::vector<int> subida = {notas[0] + 12, notas[2] + 12, notas[0] + 24,
                               notas[1] + 24, notas[2] + 24};
    for (int k = 0; k < 8; k++)
      Dedilhado(m, inicio + k * OITAVA, subida[arpejo[k]], 0.08f, -0.35f,
                uint32_t(1000 + c * 8 + k));
  }
}

void TocaBaixo(Mixagem &m) {
  float batida = float(BATIDA) / TAXA;
  for (int c = 0; c < COMPASSOS; c++) {
    int r = ACORDES[c].raiz;
    long inicio = long(c) * 4 * BATIDA;
    Baixo(m, inicio, r, 1.4f * batida, 0.24f);
    Baixo(m, inicio + 3 * OITAVA, r, 0.4f * batida, 0.18f);
    Baixo(m, inicio + 2 * BATIDA, r + 7, 0.9f * batida, 0.22f);
    Baixo(m, inicio + 3 * BATIDA, r + 12, 0.9f * batida, 0.2f);
  }
}

void TocaBateria(Mixagem &m) {
  for (int c = 0; c < COMPASSOS; c++) {
    long inicio = long(c) * 4 * BATIDA;
    bool calmo = c >= 16 && c < 20;
    Bumbo(m, inicio, 0.5f);
    Bumbo(m, inicio + 2 * BATIDA, 0.42f);
    if (!calmo) Bumbo(m, inicio + 5 * OITAVA, 0.25f);
    Caixa(m, inicio + BATIDA, calmo ? 0.12f : 0.2f, uint32_t(3000 + c));
    Caixa(m, inicio + 3 * BATIDA, calmo ? 0.12f : 0.2f, uint32_t(3100 + c));
    for (int k = 0; k < 8; k++)
      Chimbal(m, inicio + k * OITAVA, k % 2 ? 0.09f : 0.05f,
              uint32_t(4000 + c * 8 + k));
    if (c == COMPASSOS - 1)
      for (int k = 1; k < 4; k++)
        Caixa(m, inicio + 3 * BATIDA + k * OITAVA / 2, 0.08f + 0.03f * k,
              uint32_t(5000 + k));
  }
}

// --------------------------------------------------------------------------
// Encoding

struct Codificador {
  vorbis_info vi;
  vorbis_comment vc;
  vorbis_dsp_state vd;
  vorbis_block vb;
  ogg_stream_state os;
  FILE *saida;
  bool ok = true;

  void escrevePagina(const ogg_page &pg) {
    ok &= std::fwrite(pg.header, 1, size_t(pg.header_len), saida) ==
          size_t(pg.header_len);
    ok &= std::fwrite(pg.body, 1, size_t(pg.body_len), saida) ==
          size_t(pg.body_len);
  }
  void escoaBlocos() {
    ogg_packet pk;
    ogg_page pg;
    while (vorbis_analysis_blockout(&vd, &vb) == 1) {
      vorbis_analysis(&vb, nullptr);
      vorbis_bitrate_addblock(&vb);
      while (vorbis_bitrate_flushpacket(&vd, &pk)) {
        ogg_stream_packetin(&os, &pk);
        while (ogg_stream_pageout(&os, &pg)) escrevePagina(pg);
      }
    }
  }
};

void IniciaCodificador(Codificador &c) {
  vorbis_info_init(&c.vi);
  vorbis_encode_init_vbr(&c.vi, 2, TAXA, 0.3f);
  vorbis_comment_init(&c.vc);
  vorbis_comment_add_tag(&c.vc, "TITLE", "Trovasco");
  vorbis_analysis_init(&c.vd, &c.vi);
  vorbis_block_init(&c.vd, &c.vb);
  ogg_stream_init(&c.os, 0x54524f56); // fixed serial: the same bytes each run
  ogg_packet p1, p2, p3;
  vorbis_analysis_headerout(&c.vd, &c.vc, &p1, &p2, &p3);
  ogg_stream_packetin(&c.os, &p1);
  ogg_stream_packetin(&c.os, &p2);
  ogg_stream_packetin(&c.os, &p3);
  ogg_page pg;
  while (ogg_stream_flush(&c.os, &pg)) c.escrevePagina(pg);
}

void EncerraCodificador(Codificador &c) {
  ogg_page pg;
  while (ogg_stream_flush(&c.os, &pg)) c.escrevePagina(pg);
  ogg_stream_clear(&c.os);
  vorbis_block_clear(&c.vb);
  vorbis_dsp_clear(&c.vd);
  vorbis_comment_clear(&c.vc);
  vorbis_info_clear(&c.vi);
}

} // namespace

Estereo ComporMusica() {
  Mixagem m;
  TocaHarmonia(m);
  TocaBaixo(m);
  TocaBateria(m);
  TocaMelodia(m);
  Estereo s = m.resultado();
  float maior = 0;
  for (const Amostras *a : {&s.esquerda, &s.direita})
    for (float v : *a) maior = std::max(maior, std::fabs(v));
  // Headroom below -1 dBFS for what the lossy coding adds to the peaks.
  float ganho = maior > 0 ? 0.7f / maior : 1;
  for (Amostras *a : {&s.esquerda, &s.direita})
    for (float &v : *a) v *= ganho;
  return s;
}

bool GravaOgg(const Estereo &som, const std::string &arquivo) {
  Codificador c;
  c.saida = std::fopen(arquivo.c_str(), "wb");
  if (!c.saida) return false;
  IniciaCodificador(c);
  const size_t bloco = 4096, total = som.esquerda.size();
  for (size_t feito = 0; feito < total; feito += bloco) {
    size_t n = std::min(bloco, total - feito);
    float **buf = vorbis_analysis_buffer(&c.vd, int(n));
    std::copy_n(som.esquerda.begin() + long(feito), n, buf[0]);
    std::copy_n(som.direita.begin() + long(feito), n, buf[1]);
    vorbis_analysis_wrote(&c.vd, int(n));
    c.escoaBlocos();
  }
  vorbis_analysis_wrote(&c.vd, 0);
  c.escoaBlocos();
  EncerraCodificador(c);
  return std::fclose(c.saida) == 0 && c.ok;
}

namespace {

// The whole file in memory: the LAME tag, known only at the end, takes the
// place of the first frame.
bool CodificaMp3(lame_t l, const Estereo &som,
                 std::vector<unsigned char> &mp3) {
  const int bloco = 4096;
  const size_t total = som.esquerda.size();
  std::vector<unsigned char> saida(size_t(1.25 * bloco + 7200));
  for (size_t feito = 0; feito < total; feito += bloco) {
    int n = int(std::min(size_t(bloco), total - feito));
    int k = lame_encode_buffer_ieee_float(l, &som.esquerda[feito],
                                          &som.direita[feito], n, saida.data(),
                                          int(saida.size()));
    if (k < 0) return false;
    mp3.insert(mp3.end(), saida.begin(), saida.begin() + k);
  }
  int k = lame_encode_flush(l, saida.data(), int(saida.size()));
  if (k < 0) return false;
  mp3.insert(mp3.end(), saida.begin(), saida.begin() + k);
  size_t etiqueta = lame_get_lametag_frame(l, saida.data(), saida.size());
  if (etiqueta == 0 || etiqueta > mp3.size()) return false;
  std::copy_n(saida.begin(), etiqueta, mp3.begin());
  return true;
}

} // namespace

bool GravaMp3(const Estereo &som, const std::string &arquivo) {
  lame_t l = lame_init();
  if (!l) return false;
  lame_set_in_samplerate(l, TAXA);
  lame_set_out_samplerate(l, TAXA);
  lame_set_num_channels(l, 2);
  lame_set_mode(l, JOINT_STEREO);
  lame_set_VBR(l, vbr_default);
  lame_set_VBR_quality(l, 6);
  lame_set_bWriteVbrTag(l, 1);
  std::vector<unsigned char> mp3;
  bool ok = lame_init_params(l) >= 0 && CodificaMp3(l, som, mp3);
  lame_close(l);
  FILE *f = ok ? std::fopen(arquivo.c_str(), "wb") : nullptr;
  if (!f) return false;
  ok = std::fwrite(mp3.data(), 1, mp3.size(), f) == mp3.size();
  return std::fclose(f) == 0 && ok;
}
