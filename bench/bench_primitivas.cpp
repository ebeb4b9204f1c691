// Cost of submitting the OpenGL primitives, per call, on the offscreen
// context: a filled rectangle against filled circles of growing vertex count
// and the outline circle. glFinish at the end of each batch keeps the
// rasterisation inside the measurement.
// Run headless with SDL_VIDEODRIVER=offscreen.
#include "t2d2/tovik2d2.h"
#include "t2d2/tovik2d2primitivas.h"

#include <benchmark/benchmark.h>
#include <cstdio>

namespace {

const int LOTE = 256;

template <typename F> void Mede(benchmark::State &state, F desenha) {
  for (auto _ : state) {
    for (int i = 0; i < LOTE; i++) desenha(i);
    glFinish();
  }
  state.SetItemsProcessed(state.iterations() * LOTE);
}

void RetanguloPintado(benchmark::State &state) {
  Mede(state,
       [](int i) { T2D2P_RetanguloPintado(i, 100, i + 20, 120, 255, 0, 0); });
}

void CirculoPintado(benchmark::State &state) {
  int raio = int(state.range(0));
  Mede(state,
       [raio](int i) { T2D2P_CirculoPintado(400, 300, raio, Uint8(i), 0, 0); });
}

void Circulo(benchmark::State &state) {
  int raio = int(state.range(0));
  Mede(state, [raio](int i) { T2D2P_Circulo(400, 300, raio, Uint8(i), 0, 0); });
}

} // namespace

BENCHMARK(RetanguloPintado);
BENCHMARK(CirculoPintado)->Arg(1)->Arg(20)->Arg(100)->Arg(200);
BENCHMARK(Circulo)->Arg(20)->Arg(200);

int main(int argc, char **argv) {
  if (!T2D2_Inicia(800, 600, T2D2_JANELA, T2D2_DESENHO_OPENGL, "Bench") ||
      !T2D2P_Inicia())
    return 1;
  fflush(stdout);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  T2D2_Encerra();
  return 0;
}
