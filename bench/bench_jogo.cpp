// The whole game measured in one run on llvmpipe: the work of aiming,
// charging and flight frames beside the same frames' draw calls replayed as
// naive raw OpenGL, heap allocations during steady play, start-up by asset
// and resident memory. Run with SDL_VIDEODRIVER=offscreen
// SDL_AUDIODRIVER=dummy, from any folder.
#include "includes.h"
#include "partida.h"
#include "tovik2d2_interno.h"

#include "t2d2/tovik2d2.h"
#include "t2d2/tovik2d2primitivas.h"
#include "t2d2/tovikaudio2.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <dlfcn.h>
#include <map>
#include <new>
#include <string>
#include <unistd.h>
#include <vector>

using Relogio = std::chrono::steady_clock;

// ---------------------------------------------------------------------------
// Allocation counting: every malloc and operator new of the process, and
// those called from code linked into this executable (the game, the library)
// ---------------------------------------------------------------------------

extern "C" char __executable_start, etext;
extern "C" void *__libc_malloc(size_t);
extern "C" void *__libc_calloc(size_t, size_t);
extern "C" void *__libc_realloc(void *, size_t);
extern "C" void __libc_free(void *);

// The hook's read-back and script belong to the harness, not to the frame.
static bool contando = false, noGancho = false;
static long alocacoesTotais = 0, alocacoesProprias = 0;

static void conta(void *chamador) {
  if (!contando || noGancho) return;
  alocacoesTotais++;
  const char *c = static_cast<const char *>(chamador);
  if (c >= &__executable_start && c < &etext) alocacoesProprias++;
}

extern "C" void *malloc(size_t n) {
  conta(__builtin_return_address(0));
  return __libc_malloc(n);
}
extern "C" void *calloc(size_t a, size_t b) {
  conta(__builtin_return_address(0));
  return __libc_calloc(a, b);
}
extern "C" void *realloc(void *p, size_t n) {
  conta(__builtin_return_address(0));
  return __libc_realloc(p, n);
}
extern "C" void free(void *p) {
  __libc_free(p);
}
void *operator new(size_t n) {
  conta(__builtin_return_address(0));
  void *p = __libc_malloc(n ? n : 1);
  if (!p) throw std::bad_alloc();
  return p;
}
void operator delete(void *p) noexcept {
  __libc_free(p);
}
void operator delete(void *p, size_t) noexcept {
  __libc_free(p);
}

// Calm wind.
extern "C" int rand() noexcept {
  return 0;
}

// ---------------------------------------------------------------------------
// Start-up by asset: the loaders are wrapped at link time
// ---------------------------------------------------------------------------

static const Relogio::time_point inicioDoPrograma = Relogio::now();
static std::vector<std::pair<std::string, double>> carregamentos;
static double msIniciaBiblioteca = 0;

static double ms(Relogio::time_point a, Relogio::time_point b) {
  return std::chrono::duration<double, std::milli>(b - a).count();
}

template <typename F> static auto Cronometra(const char *nome, F f) {
  const auto a = Relogio::now();
  auto r = f();
  carregamentos.emplace_back(nome, ms(a, Relogio::now()));
  return r;
}

static unsigned int (*carregaSpriteSetReal)(const char *, int, int);
static unsigned int CarregaSpriteSetCronometrado(const char *a, int l, int h) {
  return Cronometra(a, [&] { return carregaSpriteSetReal(a, l, h); });
}

extern "C" bool __real__Z11T2D2_IniciajjiiPKc(unsigned int, unsigned int, int,
                                              int, const char *);
extern "C" bool __wrap__Z11T2D2_IniciajjiiPKc(unsigned int l, unsigned int a,
                                              int m, int r, const char *t) {
  const auto antes = Relogio::now();
  const bool ok = __real__Z11T2D2_IniciajjiiPKc(l, a, m, r, t);
  msIniciaBiblioteca = ms(antes, Relogio::now());
  carregaSpriteSetReal = T2D2_CarregaSpriteSet;
  T2D2_CarregaSpriteSet = CarregaSpriteSetCronometrado;
  return ok;
}
extern "C" unsigned int __real__Z17T2D2_CarregaFontePKci(const char *, int);
extern "C" unsigned int __wrap__Z17T2D2_CarregaFontePKci(const char *a, int d) {
  return Cronometra(a, [&] { return __real__Z17T2D2_CarregaFontePKci(a, d); });
}
extern "C" unsigned int __real__Z17TA2_CarregaEfeitoPKc(const char *);
extern "C" unsigned int __wrap__Z17TA2_CarregaEfeitoPKc(const char *a) {
  return Cronometra(a, [&] { return __real__Z17TA2_CarregaEfeitoPKc(a); });
}
extern "C" unsigned int __real__Z17TA2_CarregaMusicaPKc(const char *);
extern "C" unsigned int __wrap__Z17TA2_CarregaMusicaPKc(const char *a) {
  return Cronometra(a, [&] { return __real__Z17TA2_CarregaMusicaPKc(a); });
}

// ---------------------------------------------------------------------------
// Frame work: from the end of one frame's present to the next T2D2_Sincroniza
// ---------------------------------------------------------------------------

static Relogio::time_point fimDaApresentacao;
static bool apresentou = false;

extern "C" void SDL_GL_SwapBuffers() {
  static auto real =
      reinterpret_cast<void (*)()>(dlsym(RTLD_NEXT, "SDL_GL_SwapBuffers"));
  real();
  fimDaApresentacao = Relogio::now();
  apresentou = true;
}

static std::map<Fase, std::vector<double>> trabalho, cru;
static double msAtePrimeiroQuadro = 0;
static double residenteMB = 0, anonimoMB = 0, arquivosMB = 0;
static const int INICIO_CONTAGEM = 120, QUADROS_CONTADOS = 600;

// Resident memory from the kernel's own accounting: in all, anonymous (the
// heap, textures, buffers) and file-backed (the libraries' pages).
static void LeMemoriaResidente() {
  FILE *f = fopen("/proc/self/status", "r");
  if (!f) return;
  char linha[256];
  long kb;
  while (fgets(linha, sizeof linha, f)) {
    if (sscanf(linha, "VmRSS: %ld", &kb) == 1) residenteMB = kb / 1024.0;
    if (sscanf(linha, "RssAnon: %ld", &kb) == 1) anonimoMB = kb / 1024.0;
    if (sscanf(linha, "RssFile: %ld", &kb) == 1) arquivosMB = kb / 1024.0;
  }
  fclose(f);
}

static double Quantil(std::vector<double> v, double q) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  return v[std::min(v.size() - 1, size_t(q * double(v.size())))];
}

// ---------------------------------------------------------------------------
// The game's draw calls, recorded frame by frame through the operation table
// ---------------------------------------------------------------------------

enum class Op : Uint8 { LIMPA, SPRITE, EFEITO, RETANGULO, PINTADO };

struct Chamada {
  Op op;
  unsigned int conjunto, indice;
  int x[4], y[4];
  Uint8 r, g, b, a;
};

// Room for every call and frame of the run, taken before it starts, so that
// recording allocates nothing while frames are counted.
static std::vector<Chamada> chamadas;

struct QuadroGravado {
  Fase fase;
  size_t inicio, fim;
  uint64_t pixels; // hash of the frame the game presented
  // Whether it begins with a clear. At each change of turn the game presents
  // one frame drawn over the last picture without clearing it, which a
  // replay on its own cannot reproduce.
  bool inteiro() const {
    return fim > inicio && chamadas[inicio].op == Op::LIMPA;
  }
};

static std::vector<QuadroGravado> gravados;
static size_t inicioDoQuadro = 0;
static bool seguro[T2D2_MAXSPRITESETS];

static void Grava(const Chamada &c) {
  if (chamadas.size() < chamadas.capacity()) chamadas.push_back(c);
}

// The game releases its sets before it returns; one more holder keeps each
// texture for the replay.
static void Segura(unsigned int id) {
  const T2D2_SpriteSet *s = T2D2_SpriteSetDe(id);
  if (!s || !s->imagem || seguro[id - 1]) return;
  seguro[id - 1] = true;
  carregaSpriteSetReal(s->apelido, 0, 0);
}

static void (*limpaTelaReal)();
static bool (*desenhaSpriteReal)(unsigned int, unsigned int, int, int);
static bool (*desenhaEfeitoReal)(unsigned int, unsigned int, int *, int *,
                                 Uint8, Uint8, Uint8, Uint8);
static void (*retanguloReal)(int, int, int, int, Uint8, Uint8, Uint8);
static void (*pintadoReal)(int, int, int, int, Uint8, Uint8, Uint8);

static void GravaLimpa() {
  Grava({Op::LIMPA, 0, 0, {}, {}, 0, 0, 0, 255});
  limpaTelaReal();
}
static bool GravaSprite(unsigned int id, unsigned int i, int x, int y) {
  Segura(id);
  Grava({Op::SPRITE, id, i, {x}, {y}, 255, 255, 255, 255});
  return desenhaSpriteReal(id, i, x, y);
}
static bool GravaEfeito(unsigned int id, unsigned int i, int *x, int *y,
                        Uint8 r, Uint8 g, Uint8 b, Uint8 a) {
  Segura(id);
  if (x && y)
    Grava({Op::EFEITO,
           id,
           i,
           {x[0], x[1], x[2], x[3]},
           {y[0], y[1], y[2], y[3]},
           r,
           g,
           b,
           a});
  return desenhaEfeitoReal(id, i, x, y, r, g, b, a);
}
static void GravaRetangulo(int x1, int y1, int x2, int y2, Uint8 r, Uint8 g,
                           Uint8 b) {
  Grava({Op::RETANGULO, 0, 0, {x1, x2}, {y1, y2}, r, g, b, 255});
  retanguloReal(x1, y1, x2, y2, r, g, b);
}
static void GravaPintado(int x1, int y1, int x2, int y2, Uint8 r, Uint8 g,
                         Uint8 b) {
  Grava({Op::PINTADO, 0, 0, {x1, x2}, {y1, y2}, r, g, b, 255});
  pintadoReal(x1, y1, x2, y2, r, g, b);
}

// Once the library and its primitives are up, at the first frame's end.
static void PassaAGravar() {
  limpaTelaReal = T2D2_LimpaTela;
  desenhaSpriteReal = T2D2_DesenhaSprite;
  desenhaEfeitoReal = T2D2_DesenhaSpriteEfeito;
  retanguloReal = T2D2P_Retangulo;
  pintadoReal = T2D2P_RetanguloPintado;
  T2D2_LimpaTela = GravaLimpa;
  T2D2_DesenhaSprite = GravaSprite;
  T2D2_DesenhaSpriteEfeito = GravaEfeito;
  T2D2P_Retangulo = GravaRetangulo;
  T2D2P_RetanguloPintado = GravaPintado;
}

static uint64_t Hash(const Uint8 *p, size_t n) {
  uint64_t h = 1469598103934665603ull;
  for (size_t i = 0; i < n; i++) h = (h ^ p[i]) * 1099511628211ull;
  return h;
}

// ---------------------------------------------------------------------------
// The same frames as naive raw OpenGL: each call issues every piece of state
// it needs, as the library's algorithm states them, with no cache, the clear
// paints its quad, and every sprite blends
// ---------------------------------------------------------------------------

static void CruLimpa() {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
  glDisable(GL_BLEND);
  glDisable(GL_TEXTURE_2D);
  glLoadIdentity();
  glColor4ub(0, 0, 0, 255);
  glBegin(GL_QUADS);
  glVertex2d(0, 0);
  glVertex2d(screen->w, 0);
  glVertex2d(screen->w, screen->h);
  glVertex2d(0, screen->h);
  glEnd();
}

static void CruQuadroTexturizado(const Chamada &c, const double *x,
                                 const double *y) {
  const T2D2_SpriteSet &s = sprites[c.conjunto - 1];
  const int x0 = int(c.indice % unsigned(s.matrizX)) * s.spLargura;
  const int y0 = int(c.indice / unsigned(s.matrizX)) * s.spAltura;
  const float s0 = float(double(x0) / s.larguraTextura);
  const float t0 = float(double(y0) / s.alturaTextura);
  const float ds = float(double(s.spLargura) / s.larguraTextura);
  const float dt = float(double(s.spAltura) / s.alturaTextura);
  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, s.textura);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glColor4ub(c.r, c.g, c.b, c.a);
  glBegin(GL_QUADS);
  glTexCoord2f(s0, t0);
  glVertex2d(x[0], y[0]);
  glTexCoord2f(s0 + ds, t0);
  glVertex2d(x[1], y[1]);
  glTexCoord2f(s0 + ds, t0 + dt);
  glVertex2d(x[2], y[2]);
  glTexCoord2f(s0, t0 + dt);
  glVertex2d(x[3], y[3]);
  glEnd();
}

static void CruSprite(const Chamada &c) {
  const T2D2_SpriteSet &s = sprites[c.conjunto - 1];
  const double x0 = c.x[0], y0 = c.y[0];
  const double x1 = x0 + s.spLargura, y1 = y0 + s.spAltura;
  const double xs[4] = {x0, x1, x1, x0}, ys[4] = {y0, y0, y1, y1};
  CruQuadroTexturizado(c, xs, ys);
}

static void CruEfeito(const Chamada &c) {
  const double xs[4] = {double(c.x[0]), double(c.x[1]), double(c.x[2]),
                        double(c.x[3])};
  const double ys[4] = {double(c.y[0]), double(c.y[1]), double(c.y[2]),
                        double(c.y[3])};
  CruQuadroTexturizado(c, xs, ys);
}

static void CruRetangulo(const Chamada &c, GLenum modo) {
  glDisable(GL_TEXTURE_2D);
  glColor3ub(c.r, c.g, c.b);
  glBegin(modo);
  glVertex2i(c.x[0], c.y[0]);
  glVertex2i(c.x[1], c.y[0]);
  glVertex2i(c.x[1], c.y[1]);
  glVertex2i(c.x[0], c.y[1]);
  glEnd();
}

static void Cru(const Chamada &c) {
  switch (c.op) {
  case Op::LIMPA:
    CruLimpa();
    break;
  case Op::SPRITE:
    CruSprite(c);
    break;
  case Op::EFEITO:
    CruEfeito(c);
    break;
  case Op::RETANGULO:
    CruRetangulo(c, GL_LINE_LOOP);
    break;
  case Op::PINTADO:
    CruRetangulo(c, GL_QUADS);
    break;
  }
}

// The recorded calls again, through the library's own operations.
static void PelaBiblioteca(const Chamada &c) {
  int x[4] = {c.x[0], c.x[1], c.x[2], c.x[3]};
  int y[4] = {c.y[0], c.y[1], c.y[2], c.y[3]};
  switch (c.op) {
  case Op::LIMPA:
    limpaTelaReal();
    break;
  case Op::SPRITE:
    desenhaSpriteReal(c.conjunto, c.indice, x[0], y[0]);
    break;
  case Op::EFEITO:
    desenhaEfeitoReal(c.conjunto, c.indice, x, y, c.r, c.g, c.b, c.a);
    break;
  case Op::RETANGULO:
    retanguloReal(x[0], y[0], x[1], y[1], c.r, c.g, c.b);
    break;
  case Op::PINTADO:
    pintadoReal(x[0], y[0], x[1], y[1], c.r, c.g, c.b);
    break;
  }
}

static std::map<Fase, std::vector<double>> replay;
static int quadrosDiferentes = 0;
static Uint32 anterior = 0;

// One recorded frame after the library's own frame step (pacing, present,
// input refresh), as the game's frames run; its work is timed, and its
// picture compared with the one the game presented.
static double Reproduz(const QuadroGravado &q,
                       void (*desenha)(const Chamada &)) {
  T2D2_SincronizaVideo(60, &anterior, SDL_GL_SwapBuffers);
  for (size_t i = q.inicio; i < q.fim; i++) desenha(chamadas[i]);
  glFinish();
  const double trabalhoMs = ms(fimDaApresentacao, Relogio::now());
  const Tela t = LeTelaGL();
  if (Hash(t.rgba.data(), t.rgba.size()) != q.pixels) quadrosDiferentes++;
  return trabalhoMs;
}

// Every recorded frame twice, naive raw OpenGL and the library, one after
// the other in alternating order, so that both meet the machine alike, and
// with the game's music playing, as it plays under the game's frames.
static void ReproduzPareado() {
  const std::string arquivo = PastaDosArquivos() + "/WhatYouWantv2.ogg";
  const unsigned int musica = TA2_CarregaMusica(arquivo.c_str());
  TA2_TocaMusica(musica, -1);
  anterior = SDL_GetTicks();
  bool cruPrimeiro = true;
  for (const QuadroGravado &q : gravados) {
    if (q.fase == Fase::OUTRA || !q.inteiro()) continue;
    if (cruPrimeiro) cru[q.fase].push_back(Reproduz(q, Cru));
    replay[q.fase].push_back(Reproduz(q, PelaBiblioteca));
    if (!cruPrimeiro) cru[q.fase].push_back(Reproduz(q, Cru));
    cruPrimeiro = !cruPrimeiro;
  }
  TA2_RemoveMusica(musica);
}

// ---------------------------------------------------------------------------
// The run
// ---------------------------------------------------------------------------

// Four turns with over 100 frames of aiming and of charging each; the shots,
// long in calm wind, give several hundred flight frames.
static Roteiro Partida4Vezes() {
  Roteiro r = Tecla(SDLK_RETURN);
  for (int vez = 0; vez < 4; vez++)
    r = r + Ate(Fase::MIRA) + Proximo(110) +
        Atira(vez % 2 ? 300 : 500, 468, 110);
  return r + Ate(Fase::MIRA) + Proximo(1) + Tecla(SDLK_ESCAPE);
}

static void JogaMedindo() {
  chamadas.reserve(1 << 18);
  gravados.reserve(1 << 14);
  Partida p;
  double ultimo = -1;
  // llvmpipe rasterises when it is flushed: finishing here charges the
  // frame with its own drawing, as the raw frames are charged with theirs.
  p.antesDoQuadro = [&] {
    glFinish();
    ultimo = apresentou ? ms(fimDaApresentacao, Relogio::now()) : -1;
    noGancho = true;
  };
  p.depoisDoQuadro = [] { noGancho = false; };
  p.observa = [&](const Quadro &q, const Tela &t) {
    if (ultimo >= 0 && q.fase != Fase::OUTRA)
      trabalho[q.fase].push_back(ultimo);
    if (q.numero == 0) {
      msAtePrimeiroQuadro = ms(inicioDoPrograma, Relogio::now());
      LeMemoriaResidente();
      PassaAGravar();
    } else if (gravados.size() < gravados.capacity()) {
      gravados.push_back({q.fase, inicioDoQuadro, chamadas.size(),
                          Hash(t.rgba.data(), t.rgba.size())});
    }
    inicioDoQuadro = chamadas.size();
    contando = q.numero >= INICIO_CONTAGEM &&
               q.numero < INICIO_CONTAGEM + QUADROS_CONTADOS;
  };
  p.roteiro = Partida4Vezes();
  p.Joga();
  contando = false;
  ReproduzPareado();
}

// A game against the computer ("médio"): the person fires three long shots
// and the computer answers each. Every aiming and charging frame's work is
// put on the side whose turn it is, the computer's planning included.
static std::vector<double> trabalhoDaPessoa, trabalhoDoComputador;

static void JogaContraOComputador() {
  // The game leaves the library running at its end; the next one starts it
  // anew.
  TA2_Encerra();
  T2D2_Encerra();
  Partida p;
  double ultimo = -1;
  bool vezDoComputador = false;
  p.antesDoQuadro = [&] {
    glFinish();
    ultimo = apresentou ? ms(fimDaApresentacao, Relogio::now()) : -1;
  };
  p.observa = [&](const Quadro &q, const Tela &) {
    if (q.fase == Fase::VOO) vezDoComputador = q.barra == 0;
    if (ultimo < 0 || (q.fase != Fase::MIRA && q.fase != Fase::CARGA)) return;
    (vezDoComputador ? trabalhoDoComputador : trabalhoDaPessoa)
        .push_back(ultimo);
  };
  Roteiro r = Tecla(SDLK_2);
  for (int vez = 0; vez < 3; vez++)
    r = r + Ate(Fase::MIRA) + Proximo(110) + Atira(500, 468, 110) +
        Ate(Fase::VOO) + Ate(Fase::MIRA);
  p.roteiro = r + Ate(Fase::MIRA) + Proximo(1) + Tecla(SDLK_ESCAPE);
  p.Joga();
}

static void RelataVez(benchmark::State &estado, const std::vector<double> &v) {
  for (auto _ : estado) estado.SetIterationTime(Quantil(v, 0.5) / 1000);
  estado.counters["quadros"] = double(v.size());
  estado.counters["mediana_ms"] = Quantil(v, 0.5);
  estado.counters["p99_ms"] = Quantil(v, 0.99);
  estado.counters["maximo_ms"] = Quantil(v, 1);
}

static const char *NOMES[] = {"", "mira", "carga", "voo"};

// The game's own frames (mediana_ms, p99_ms) are what a player gets; the
// ratio compares the library with the naive raw frame on the same recorded
// calls, replayed in alternation under the same pacing and music, because a
// frame's cost on llvmpipe depends on how long the machine idled before it.
static void Relata(benchmark::State &estado, Fase f) {
  const std::vector<double> &j = trabalho[f], &b = replay[f], &c = cru[f];
  const double mediana = Quantil(j, 0.5), p99 = Quantil(j, 0.99);
  const double medianaBiblioteca = Quantil(b, 0.5),
               medianaCru = Quantil(c, 0.5);
  for (auto _ : estado) estado.SetIterationTime(mediana / 1000);
  estado.counters["quadros"] = double(j.size());
  estado.counters["quadros_reproduzidos"] = double(c.size());
  estado.counters["mediana_ms"] = mediana;
  estado.counters["p99_ms"] = p99;
  estado.counters["mediana_16ms_pct"] = 100 * mediana / 16;
  estado.counters["p99_16ms_pct"] = 100 * p99 / 16;
  estado.counters["biblioteca_mediana_ms"] = medianaBiblioteca;
  estado.counters["biblioteca_p99_ms"] = Quantil(b, 0.99);
  estado.counters["cru_mediana_ms"] = medianaCru;
  estado.counters["cru_p99_ms"] = Quantil(c, 0.99);
  estado.counters["razao_mediana"] =
      medianaCru > 0 ? medianaBiblioteca / medianaCru : 0;
}

int main(int argc, char **argv) {
  if (PastaDosArquivos().empty()) {
    fprintf(stderr,
            "bench_jogo: no generated files/ at %s; build the assets "
            "target first\n",
            TROVASCO_ARQUIVOS);
    return 1;
  }
  JogaMedindo();
  JogaContraOComputador();
  benchmark::RegisterBenchmark(
      "BM_TrabalhoDoQuadro/vez_da_pessoa",
      [](benchmark::State &s) { RelataVez(s, trabalhoDaPessoa); })
      ->UseManualTime()
      ->Iterations(1);
  benchmark::RegisterBenchmark(
      "BM_TrabalhoDoQuadro/vez_do_computador",
      [](benchmark::State &s) { RelataVez(s, trabalhoDoComputador); })
      ->UseManualTime()
      ->Iterations(1);
  for (Fase f : {Fase::MIRA, Fase::CARGA, Fase::VOO})
    benchmark::RegisterBenchmark(
        (std::string("BM_TrabalhoDoQuadro/") + NOMES[int(f)]).c_str(),
        [f](benchmark::State &s) { Relata(s, f); })
        ->UseManualTime()
        ->Iterations(1);
  benchmark::RegisterBenchmark("BM_QuadrosCrusIguaisAosDoJogo",
                               [](benchmark::State &s) {
                                 for (auto _ : s) {
                                 }
                                 s.counters["diferentes"] = quadrosDiferentes;
                               })
      ->Iterations(1);
  benchmark::RegisterBenchmark("BM_AlocacoesEm600Quadros", [](benchmark::State
                                                                  &s) {
    for (auto _ : s) {
    }
    s.counters["proprias"] = double(alocacoesProprias);
    s.counters["totais"] = double(alocacoesTotais);
  })->Iterations(1);
  benchmark::RegisterBenchmark(
      "BM_Inicio",
      [](benchmark::State &s) {
        for (auto _ : s) s.SetIterationTime(msAtePrimeiroQuadro / 1000);
        s.counters["ate_o_splash_ms"] = msAtePrimeiroQuadro;
        s.counters["biblioteca_ms"] = msIniciaBiblioteca;
        s.counters["residente_MB"] = residenteMB;
        s.counters["residente_anonimo_MB"] = anonimoMB;
        s.counters["residente_arquivos_MB"] = arquivosMB;
        for (const auto &c : carregamentos) {
          const std::string nome = c.first.substr(c.first.rfind('/') + 1);
          s.counters[nome + "_ms"] = c.second;
        }
      })
      ->UseManualTime()
      ->Iterations(1);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
