// Benchmarks of the SDL software back-end: sprite blits per 16 ms frame beside
// the OpenGL back-end in the same run, and the pixel rates of the SDL lines
// and filled circles. Run with SDL_VIDEODRIVER=offscreen when headless.
#include "t2d2/tovik2d2primitivas.h"
#include "tovik2d2_interno.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <map>
#include <string>
#include <unistd.h>

namespace {

const int L = 800, A = 600;
const int SPRITES_POR_QUADRO = 500;
const char FOLHA[] = "bench_sdl_folha.bmp";

// Keeps the library's start and stop lines out of the benchmark table.
class Calado {
public:
  Calado() {
    fflush(stdout);
    salvo_ = dup(1);
    int nulo = open("/dev/null", O_WRONLY);
    dup2(nulo, 1);
    close(nulo);
  }
  ~Calado() {
    fflush(stdout);
    dup2(salvo_, 1);
    close(salvo_);
  }

private:
  int salvo_;
};

// 128x128 sheet of 4x4 frames of 32x32, each a coloured disc on magenta.
bool EscreveFolha() {
  SDL_Surface *s = SDL_CreateRGBSurface(SDL_SWSURFACE, 128, 128, 24, 0xFF,
                                        0xFF00, 0xFF0000, 0);
  if (!s) return false;
  SDL_LockSurface(s);
  for (int y = 0; y < 128; y++)
    for (int x = 0; x < 128; x++) {
      Uint8 *p = static_cast<Uint8 *>(s->pixels) + y * s->pitch + x * 3;
      int dx = x % 32 - 16, dy = y % 32 - 16, k = (y / 32) * 4 + x / 32;
      bool disco = dx * dx + dy * dy < 196;
      p[0] = disco ? Uint8(16 * k) : 255;
      p[1] = disco ? Uint8(255 - 12 * k) : 0;
      p[2] = disco ? Uint8(40 + 8 * k) : 255;
    }
  SDL_UnlockSurface(s);
  bool ok = SDL_SaveBMP(s, FOLHA) == 0;
  SDL_FreeSurface(s);
  return ok;
}

bool Inicia(int tipoRender) {
  Calado c;
  return T2D2_Inicia(L, A, T2D2_JANELA, tipoRender, "bench") && T2D2P_Inicia();
}

void Encerra() {
  Calado c;
  T2D2_Encerra();
}

// One frame per iteration: clear, then SPRITES_POR_QUADRO blits spread over
// the screen. OpenGL waits for the frame to be finished so that its work is
// counted too.
void BM_SpritesPorQuadro(benchmark::State &state) {
  const int tipo = int(state.range(0));
  if (!Inicia(tipo)) {
    state.SkipWithError("no video mode");
    return;
  }
  unsigned int id = T2D2_CarregaSpriteSet(FOLHA, 32, 32);
  if (!id) {
    Encerra();
    state.SkipWithError("sheet not loaded");
    return;
  }
  for (auto _ : state) {
    T2D2_LimpaTela();
    for (int i = 0; i < SPRITES_POR_QUADRO; i++)
      T2D2_DesenhaSprite(id, unsigned(i % 16), (i * 37) % (L - 32),
                         (i * 91) % (A - 32));
    if (tipo == T2D2_DESENHO_OPENGL) glFinish();
  }
  state.counters["blits_por_16ms"] = benchmark::Counter(
      double(state.iterations()) * SPRITES_POR_QUADRO * 0.016,
      benchmark::Counter::kIsRate);
  Encerra();
}
BENCHMARK(BM_SpritesPorQuadro)
    ->Arg(T2D2_DESENHO_OPENGL)
    ->Arg(T2D2_DESENHO_PADRAO)
    ->UseRealTime()
    ->Unit(benchmark::kMicrosecond);

// Lines across the screen in every direction; each writes max(dx, dy) + 1.
void BM_LinhasSDL(benchmark::State &state) {
  if (!Inicia(T2D2_DESENHO_PADRAO)) {
    state.SkipWithError("no video mode");
    return;
  }
  const int n = 64;
  long long pixels = 0;
  for (int i = 0; i < n; i++) {
    int x1 = (i * 53) % L, y1 = (i * 29) % A;
    int x2 = L - 1 - (i * 71) % L, y2 = A - 1 - (i * 17) % A;
    int dx = std::abs(x2 - x1), dy = std::abs(y2 - y1);
    pixels += (dx > dy ? dx : dy) + 1;
  }
  for (auto _ : state)
    for (int i = 0; i < n; i++)
      T2D2P_Linha((i * 53) % L, (i * 29) % A, L - 1 - (i * 71) % L,
                  A - 1 - (i * 17) % A, 255, 255, Uint8(i));
  state.counters["pixels_por_s"] = benchmark::Counter(
      double(state.iterations()) * double(pixels), benchmark::Counter::kIsRate);
  Encerra();
}
BENCHMARK(BM_LinhasSDL)->UseRealTime();

// How many pixels one filled circle of this radius covers on the screen.
long long PixelsDoCirculo(int raio) {
  SDL_FillRect(screen, nullptr, 0);
  T2D2P_CirculoPintado(L / 2, A / 2, raio, 255, 255, 255);
  long long n = 0;
  SDL_LockSurface(screen);
  for (int y = 0; y < A; y++) {
    const Uint32 *linha = reinterpret_cast<const Uint32 *>(
        static_cast<const Uint8 *>(screen->pixels) + y * screen->pitch);
    for (int x = 0; x < L; x++) n += linha[x] != 0;
  }
  SDL_UnlockSurface(screen);
  return n;
}

void BM_CirculosPintadosSDL(benchmark::State &state) {
  if (!Inicia(T2D2_DESENHO_PADRAO)) {
    state.SkipWithError("no video mode");
    return;
  }
  const int raio = int(state.range(0));
  const long long pixels = PixelsDoCirculo(raio);
  for (auto _ : state) T2D2P_CirculoPintado(L / 2, A / 2, raio, 200, 100, 50);
  state.counters["pixels_por_s"] = benchmark::Counter(
      double(state.iterations()) * double(pixels), benchmark::Counter::kIsRate);
  Encerra();
}
BENCHMARK(BM_CirculosPintadosSDL)->Arg(10)->Arg(50)->Arg(250)->UseRealTime();

// Prints the table, then the SDL to OpenGL ratio of blits per frame.
class Razoes : public benchmark::ConsoleReporter {
public:
  Razoes() : ConsoleReporter(OO_Tabular) {}
  void ReportRuns(const std::vector<Run> &runs) override {
    for (const Run &r : runs) {
      auto it = r.counters.find("blits_por_16ms");
      if (it != r.counters.end() && !r.error_occurred)
        blits_[r.benchmark_name()] = it->second;
    }
    ConsoleReporter::ReportRuns(runs);
  }
  void Finalize() override {
    ConsoleReporter::Finalize();
    auto gl = blits_.find(nome(T2D2_DESENHO_OPENGL));
    auto sdl = blits_.find(nome(T2D2_DESENHO_PADRAO));
    if (gl == blits_.end() || sdl == blits_.end() || gl->second == 0) return;
    printf("blits per 16 ms: OpenGL %.0f, SDL %.0f, SDL/OpenGL %.2f\n",
           double(gl->second), double(sdl->second),
           double(sdl->second) / double(gl->second));
  }

private:
  static std::string nome(int tipo) {
    return "BM_SpritesPorQuadro/" + std::to_string(tipo) + "/real_time";
  }
  std::map<std::string, double> blits_;
};

} // namespace

int main(int argc, char **argv) {
  if (!EscreveFolha()) {
    fprintf(stderr, "could not write %s\n", FOLHA);
    return 1;
  }
  benchmark::Initialize(&argc, argv);
  Razoes relatorio;
  benchmark::RunSpecifiedBenchmarks(&relatorio);
  benchmark::Shutdown();
  remove(FOLHA);
  return 0;
}
