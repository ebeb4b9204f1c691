// Hostile input, side by side with ordinary input: sprite-set loads that are
// refused for their size (timed, and their peak resident memory measured in a
// fresh process per case), and primitives with end points across the whole
// int range and huge radii, beside an ordinary shape, on both back-ends.
// Run with SDL_VIDEODRIVER=offscreen (both back-ends) or =dummy (SDL only).
#include "t2d2/tovik2d2.h"
#include "t2d2/tovik2d2primitivas.h"

#include "../tests/png_cru.h"

#include <benchmark/benchmark.h>

#include <climits>
#include <cstdio>
#include <cstring>
#include <string>
#include <sys/resource.h>
#include <unistd.h>

namespace {

struct Caso {
  const char *nome;
  const char *arquivo;
};

const Caso CASOS[] = {
    {"comum_64x64", "hostil_64x64.png"},
    {"1x100000", "hostil_1x100000.png"},
    {"16384x1", "hostil_16384x1.png"},
    {"20000x20000", "hostil_20000x20000.png"},
    {"cabecalho_16385x16385", "hostil_16385.png"},
    {"cabecalho_65500x65500", "hostil_65500.png"},
};

void linhaCinza(Uint32, Bytes &l) {
  std::fill(l.begin(), l.end(), Uint8(180));
}

void escreveArquivos() {
  EscrevePng(CASOS[0].arquivo, 64, 64, PNG_CINZA, 64, linhaCinza);
  EscrevePng(CASOS[1].arquivo, 1, 100000, PNG_CINZA, 1, linhaCinza);
  EscrevePng(CASOS[2].arquivo, 16384, 1, PNG_CINZA, 16384, linhaCinza);
  EscrevePng(CASOS[3].arquivo, 20000, 20000, PNG_CINZA, 20000, linhaCinza);
  EscreveCabecalhoPng(CASOS[4].arquivo, 16385, 16385);
  EscreveCabecalhoPng(CASOS[5].arquivo, 65500, 65500);
}

bool inicia(int render) {
  FILE *salvo = stdout;
  stdout = fopen("/dev/null", "w");
  bool ok =
      T2D2_Inicia(640, 480, T2D2_JANELA, render, "bench") && T2D2P_Inicia();
  fclose(stdout);
  stdout = salvo;
  return ok;
}

void encerra() {
  FILE *salvo = stdout;
  stdout = fopen("/dev/null", "w");
  T2D2_Encerra();
  fclose(stdout);
  stdout = salvo;
}

unsigned int carregaCalado(const char *arquivo) {
  FILE *salvo = stdout;
  stdout = fopen("/dev/null", "w");
  unsigned int id = T2D2_CarregaSpriteSet(arquivo, 0, 0);
  fclose(stdout);
  stdout = salvo;
  return id;
}

long picoKiB() {
  rusage u;
  getrusage(RUSAGE_SELF, &u);
  return u.ru_maxrss;
}

// In a child process: the peak resident memory a single load adds, in KiB.
int medeMemoria(int render, const char *arquivo) {
  if (!inicia(render)) return 1;
  long antes = picoKiB();
  carregaCalado(arquivo);
  printf("%ld\n", picoKiB() - antes);
  encerra();
  return 0;
}

std::string programa;

double memoriaDoCaso(int render, const char *arquivo) {
  std::string cmd = "'" + programa + "' --memoria " + std::to_string(render) +
                    " '" + arquivo + "'";
  FILE *p = popen(cmd.c_str(), "r");
  long kib = -1;
  if (p && fscanf(p, "%ld", &kib) != 1) kib = -1;
  if (p) pclose(p);
  return double(kib) / 1024;
}

void BM_Carga(benchmark::State &st, int render, const Caso *c) {
  if (!inicia(render)) {
    st.SkipWithError("back-end unavailable");
    return;
  }
  for (auto _ : st) {
    unsigned int id = carregaCalado(c->arquivo);
    benchmark::DoNotOptimize(id);
    if (id) T2D2_RemoveSpriteSet(id);
  }
  encerra();
  st.counters["pico_MiB"] = memoriaDoCaso(render, c->arquivo);
}

// Each primitive at its extremes, then glFinish on OpenGL so the rasteriser's
// work is in the time.
typedef void (*Desenho)();

void BM_Primitiva(benchmark::State &st, int render, Desenho d) {
  if (!inicia(render)) {
    st.SkipWithError("back-end unavailable");
    return;
  }
  for (auto _ : st) {
    d();
    if (render == T2D2_DESENHO_OPENGL) glFinish();
  }
  encerra();
}

const long long R = 1000000000;
T2D2P_Ponto extremos[4] = {
    {INT_MIN, INT_MIN}, {INT_MAX, INT_MAX}, {INT_MIN, INT_MAX}, {320, 240}};

const struct {
  const char *nome;
  Desenho d;
} PRIMITIVAS[] = {
    {"circulo_r100", [] { T2D2P_Circulo(320, 240, 100, 9, 9, 9); }},
    {"circulo_pintado_r100",
     [] { T2D2P_CirculoPintado(320, 240, 100, 9, 9, 9); }},
    {"circulo_rINTMAX", [] { T2D2P_Circulo(320, 240, INT_MAX, 9, 9, 9); }},
    {"circulo_pintado_rINTMAX",
     [] { T2D2P_CirculoPintado(320, 240, INT_MAX, 9, 9, 9); }},
    {"circulo_borda_r1e9",
     [] { T2D2P_Circulo(320, int(240 + R), int(R), 9, 9, 9); }},
    {"circulo_pintado_borda_r1e9",
     [] { T2D2P_CirculoPintado(320, int(240 + R), int(R), 9, 9, 9); }},
    {"elipse_INTMAX",
     [] { T2D2P_Elipse(320, 240, INT_MAX, INT_MAX, 9, 9, 9); }},
    {"elipse_pintada_INTMAX",
     [] { T2D2P_ElipsePintada(320, 240, INT_MAX, INT_MAX, 9, 9, 9); }},
    {"elipse_achatada_INTMAXx100",
     [] { T2D2P_Elipse(320, 240, INT_MAX, 100, 9, 9, 9); }},
    {"elipse_pintada_alta_3xINTMAX",
     [] { T2D2P_ElipsePintada(320, 240, 3, INT_MAX, 9, 9, 9); }},
    {"elipse_centro_INTMIN",
     [] { T2D2P_Elipse(INT_MIN, INT_MIN, INT_MAX, INT_MAX, 9, 9, 9); }},
    {"linha_INTMIN_INTMAX",
     [] { T2D2P_Linha(INT_MIN, INT_MIN, INT_MAX, INT_MAX, 9, 9, 9); }},
    {"linha_rasa_INTMIN_INTMAX",
     [] { T2D2P_Linha(INT_MIN, 240, INT_MAX, 241, 9, 9, 9); }},
    {"retangulo_INTMIN_INTMAX",
     [] { T2D2P_Retangulo(INT_MIN, INT_MIN, INT_MAX, INT_MAX, 9, 9, 9); }},
    {"retangulo_pintado_INTMIN_INTMAX",
     [] {
       T2D2P_RetanguloPintado(INT_MIN, INT_MIN, INT_MAX, INT_MAX, 9, 9, 9);
     }},
    {"pontos_extremos", [] { T2D2P_Pontos(extremos, 4, 9, 9, 9); }},
};

} // namespace

int main(int argc, char **argv) {
  if (argc == 4 && strcmp(argv[1], "--memoria") == 0)
    return medeMemoria(atoi(argv[2]), argv[3]);
  char caminho[4096];
  ssize_t n = readlink("/proc/self/exe", caminho, sizeof caminho - 1);
  programa = n > 0 ? std::string(caminho, size_t(n)) : std::string(argv[0]);
  escreveArquivos();
  for (int render : {T2D2_DESENHO_OPENGL, T2D2_DESENHO_PADRAO}) {
    std::string fundo = render == T2D2_DESENHO_OPENGL ? "GL/" : "SDL/";
    for (const Caso &c : CASOS)
      benchmark::RegisterBenchmark(("Carga/" + fundo + c.nome).c_str(),
                                   BM_Carga, render, &c)
          ->Unit(benchmark::kMillisecond);
    for (auto &p : PRIMITIVAS)
      benchmark::RegisterBenchmark(("Primitiva/" + fundo + p.nome).c_str(),
                                   BM_Primitiva, render, p.d)
          ->Unit(benchmark::kMicrosecond);
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
