// The whole game measured in one run on llvmpipe: the work of aiming,
// charging and flight frames beside the same frame's draw calls issued as
// raw OpenGL, heap allocations during steady play, and start-up by asset.
// Run with SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy.
#include "includes.h"
#include "partida.h"
#include "tovik2d2_interno.h"

#include "t2d2/tovik2d2.h"
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

static bool contando = false;
static long alocacoesTotais = 0, alocacoesProprias = 0;

static void conta(void *chamador) {
  if (!contando) return;
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

static std::map<Fase, std::vector<double>> trabalho;
static double msAtePrimeiroQuadro = 0;
static long residenteKb = 0;
static const int INICIO_CONTAGEM = 120, QUADROS_CONTADOS = 600;

static long MemoriaResidenteKb() {
  long paginas = 0, residentes = 0;
  FILE *f = fopen("/proc/self/statm", "r");
  if (!f) return 0;
  if (fscanf(f, "%ld %ld", &paginas, &residentes) != 2) residentes = 0;
  fclose(f);
  return residentes * (sysconf(_SC_PAGESIZE) / 1024);
}

static double Quantil(std::vector<double> v, double q) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  return v[std::min(v.size() - 1, size_t(q * double(v.size())))];
}

// ---------------------------------------------------------------------------
// The same frames as raw OpenGL: the same textures, quads and rectangles
// ---------------------------------------------------------------------------

struct Texturas {
  unsigned int fundo, fundoTras, canhao, base, bala, figuras[3], fonte;
};

static void Quad(unsigned int id, int x, int y) {
  const T2D2_SpriteSet &s = sprites[id - 1];
  glBindTexture(GL_TEXTURE_2D, s.textura);
  const float u = float(s.largura) / float(s.larguraTextura);
  const float v = float(s.altura) / float(s.alturaTextura);
  glBegin(GL_QUADS);
  glTexCoord2f(0, 0);
  glVertex2i(x, y);
  glTexCoord2f(u, 0);
  glVertex2i(x + s.largura, y);
  glTexCoord2f(u, v);
  glVertex2i(x + s.largura, y + s.altura);
  glTexCoord2f(0, v);
  glVertex2i(x, y + s.altura);
  glEnd();
}

static void Retangulo(int x1, int y1, int x2, int y2, Uint8 r, Uint8 g,
                      Uint8 b) {
  glDisable(GL_TEXTURE_2D);
  glColor3ub(r, g, b);
  glBegin(GL_QUADS);
  glVertex2i(x1, y1);
  glVertex2i(x2, y1);
  glVertex2i(x2, y2);
  glVertex2i(x1, y2);
  glEnd();
  glColor3ub(255, 255, 255);
  glEnable(GL_TEXTURE_2D);
}

// Ten glyph cells of 32 pixels, the length of the game's texts.
static void Texto(const Texturas &t, int y) {
  const T2D2_SpriteSet &s = sprites[fontes[t.fonte - 1].idSpriteSet - 1];
  glBindTexture(GL_TEXTURE_2D, s.textura);
  glBegin(GL_QUADS);
  for (int i = 0; i < 10; i++) {
    const int x = 240 + 32 * i;
    glTexCoord2f(0, 0);
    glVertex2i(x, y);
    glTexCoord2f(0.0625f, 0);
    glVertex2i(x + 32, y);
    glTexCoord2f(0.0625f, 0.0625f);
    glVertex2i(x + 32, y + 32);
    glTexCoord2f(0, 0.0625f);
    glVertex2i(x, y + 32);
  }
  glEnd();
}

static void Canhao(const Texturas &t, int x) {
  Quad(t.canhao, x - 80, 488);
  Quad(t.base, x - 28, 550);
  Retangulo(x - 30, 500, x + 70, 510, 0, 255, 0);
  Retangulo(x + 70, 500, x + 70, 510, 255, 0, 0);
}

static void QuadroCru(const Texturas &t, Fase fase) {
  glClear(GL_COLOR_BUFFER_BIT);
  glEnable(GL_TEXTURE_2D);
  Quad(t.fundoTras, 0, 0);
  Quad(t.fundo, 0, 540);
  Texto(t, 120);
  if (fase == Fase::MIRA) Texto(t, 400);
  if (fase != Fase::VOO)
    for (int k = 0; k < 3; k++) {
      Retangulo(200 + 150 * k, 10, 300 + 150 * k, 100, 255, 255, 255);
      Retangulo(202 + 150 * k, 12, 298 + 150 * k, 98, 0, 0, 0);
      Quad(t.figuras[k], 194 + 150 * k, 0);
    }
  if (fase == Fase::MIRA) {
    glDisable(GL_TEXTURE_2D);
    glColor3ub(255, 0, 0);
    for (int j = 1; j <= 5; j++) {
      glBegin(GL_LINE_LOOP);
      glVertex2i(200 - j, 10 - j);
      glVertex2i(300 + j, 10 - j);
      glVertex2i(300 + j, 100 + j);
      glVertex2i(200 - j, 100 + j);
      glEnd();
    }
    glColor3ub(255, 255, 255);
    glEnable(GL_TEXTURE_2D);
  }
  Canhao(t, 400);
  Canhao(t, 1970);
  if (fase != Fase::MIRA) {
    Retangulo(10, 10, 30, 590, 255, 255, 255);
    Retangulo(12, 12, 28, 588, 0, 0, 0);
    Retangulo(12, 588, 28, 300, 128, 128, 0);
  }
  if (fase == Fase::VOO) {
    Quad(t.bala, 450, 300);
    Quad(t.bala, 460, 290);
  }
  if (fase == Fase::MIRA) Canhao(t, 400);
}

static std::map<Fase, std::vector<double>> cru;

static void MedeQuadrosCrus() {
  Texturas t;
  CapturaSaida silencio;
  t.fundo = T2D2_CarregaSpriteSet("./files/grama.png", 0, 0);
  t.fundoTras = T2D2_CarregaSpriteSet("./files/fundo4.jpg", 0, 0);
  t.canhao = T2D2_CarregaSpriteSet("./files/canhao2.png", 0, 0);
  t.base = T2D2_CarregaSpriteSet("./files/base.png", 0, 0);
  t.bala = T2D2_CarregaSpriteSet("./files/bala1.png", 0, 0);
  t.figuras[0] = T2D2_CarregaSpriteSet("./files/bala1g.png", 0, 0);
  t.figuras[1] = T2D2_CarregaSpriteSet("./files/bala2g.png", 0, 0);
  t.figuras[2] = T2D2_CarregaSpriteSet("./files/bala3g.png", 0, 0);
  t.fonte = T2D2_CarregaFonte("./files/fonte.png", 32);
  for (int i = 0; i < 300; i++)
    for (Fase f : {Fase::MIRA, Fase::CARGA, Fase::VOO}) {
      const auto a = Relogio::now();
      QuadroCru(t, f);
      cru[f].push_back(ms(a, Relogio::now()));
      SDL_GL_SwapBuffers();
    }
}

// ---------------------------------------------------------------------------
// The run
// ---------------------------------------------------------------------------

static void JogaMedindo() {
  Partida p;
  double ultimo = -1;
  p.antesDoQuadro = [&] {
    ultimo = apresentou ? ms(fimDaApresentacao, Relogio::now()) : -1;
  };
  p.observa = [&](const Quadro &q, const Tela &) {
    if (ultimo >= 0 && q.fase != Fase::OUTRA)
      trabalho[q.fase].push_back(ultimo);
    if (q.numero == 0) {
      msAtePrimeiroQuadro = ms(inicioDoPrograma, Relogio::now());
      residenteKb = MemoriaResidenteKb();
    }
    contando = q.numero >= INICIO_CONTAGEM &&
               q.numero < INICIO_CONTAGEM + QUADROS_CONTADOS;
  };
  const Roteiro vez = Atira(500, 468, 60) + Atira(300, 468, 60);
  Roteiro r = Tecla(SDLK_RETURN);
  for (int i = 0; i < 2; i++) r = r + vez;
  p.roteiro = r + Ate(Fase::MIRA) + Proximo(1) + Tecla(SDLK_ESCAPE);
  p.Joga();
  contando = false;
  MedeQuadrosCrus();
}

static const char *NOMES[] = {"", "mira", "carga", "voo"};

static void Relata(benchmark::State &estado, Fase f) {
  const std::vector<double> &j = trabalho[f], &c = cru[f];
  for (auto _ : estado) estado.SetIterationTime(Quantil(j, 0.5) / 1000);
  estado.counters["quadros"] = double(j.size());
  estado.counters["mediana_ms"] = Quantil(j, 0.5);
  estado.counters["p99_ms"] = Quantil(j, 0.99);
  estado.counters["mediana_16ms_pct"] = 100 * Quantil(j, 0.5) / 16;
  estado.counters["p99_16ms_pct"] = 100 * Quantil(j, 0.99) / 16;
  estado.counters["cru_mediana_ms"] = Quantil(c, 0.5);
  estado.counters["cru_p99_ms"] = Quantil(c, 0.99);
  estado.counters["razao_mediana"] =
      Quantil(c, 0.5) > 0 ? Quantil(j, 0.5) / Quantil(c, 0.5) : 0;
}

int main(int argc, char **argv) {
  JogaMedindo();
  for (Fase f : {Fase::MIRA, Fase::CARGA, Fase::VOO})
    benchmark::RegisterBenchmark(
        (std::string("BM_TrabalhoDoQuadro/") + NOMES[int(f)]).c_str(),
        [f](benchmark::State &s) { Relata(s, f); })
        ->UseManualTime()
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
        s.counters["residente_MB"] = double(residenteKb) / 1024;
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
