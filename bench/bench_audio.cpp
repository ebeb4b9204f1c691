// Tovik Audio 2 costs: opening the device, loading a 1-second WAV effect and
// a 30-second Ogg track (each beside the bare mixer call it wraps), and one
// TA2_TocaEfeito beside the two mixer calls it makes, with the allocations
// each makes on the benchmark's thread.
#include "sons.h"
#include "t2d2/tovikaudio2.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <iostream>
#include <string>

// ---------------------------------------------------------------------------
// Allocation count: malloc, calloc and realloc on this thread while counting
// ---------------------------------------------------------------------------

extern "C" void *__libc_malloc(size_t n);
extern "C" void *__libc_calloc(size_t n, size_t t);
extern "C" void *__libc_realloc(void *p, size_t n);

static thread_local bool contando = false;
static thread_local long alocacoes = 0;

extern "C" void *malloc(size_t n) {
  if (contando) alocacoes++;
  return __libc_malloc(n);
}
extern "C" void *calloc(size_t n, size_t t) {
  if (contando) alocacoes++;
  return __libc_calloc(n, t);
}
extern "C" void *realloc(void *p, size_t n) {
  if (contando) alocacoes++;
  return __libc_realloc(p, n);
}

// ---------------------------------------------------------------------------
// Sounds and device
// ---------------------------------------------------------------------------

static const char WAV_1S[] = "bench_audio_1s.wav";
static const char OGG_30S[] = "bench_audio_30s.ogg";

static void escreve(const char *caminho, const SonsBytes &b) {
  FILE *f = fopen(caminho, "wb");
  fwrite(b.data(), 1, b.size(), f);
  fclose(f);
}

static bool abre(benchmark::State &st) {
  if (TA2_Inicia()) return true;
  st.SkipWithError("TA2_Inicia falhou (SDL_AUDIODRIVER=dummy?)");
  return false;
}

// ---------------------------------------------------------------------------
// Start-up and loading
// ---------------------------------------------------------------------------

static void BM_TA2_Inicia(benchmark::State &st) {
  for (auto _ : st) {
    if (!abre(st)) break;
    st.PauseTiming();
    TA2_Encerra();
    st.ResumeTiming();
  }
}
BENCHMARK(BM_TA2_Inicia)->Unit(benchmark::kMicrosecond);

static void BM_TA2_CarregaEfeito_Wav1s(benchmark::State &st) {
  if (!abre(st)) return;
  for (auto _ : st) {
    unsigned int id = TA2_CarregaEfeito(WAV_1S);
    if (!id) st.SkipWithError("carga falhou");
    st.PauseTiming();
    TA2_RemoveEfeito(id);
    st.ResumeTiming();
  }
  TA2_Encerra();
}
BENCHMARK(BM_TA2_CarregaEfeito_Wav1s)->Unit(benchmark::kMicrosecond);

static void BM_Mix_LoadWAV_Wav1s(benchmark::State &st) {
  if (!abre(st)) return;
  for (auto _ : st) {
    Mix_Chunk *c = Mix_LoadWAV_RW(SDL_RWFromFile(WAV_1S, "rb"), 1);
    st.PauseTiming();
    Mix_FreeChunk(c);
    st.ResumeTiming();
  }
  TA2_Encerra();
}
BENCHMARK(BM_Mix_LoadWAV_Wav1s)->Unit(benchmark::kMicrosecond);

static void BM_TA2_CarregaMusica_Ogg30s(benchmark::State &st) {
  if (!abre(st)) return;
  for (auto _ : st) {
    unsigned int id = TA2_CarregaMusica(OGG_30S);
    if (!id) st.SkipWithError("carga falhou");
    st.PauseTiming();
    TA2_RemoveMusica(id);
    st.ResumeTiming();
  }
  TA2_Encerra();
}
BENCHMARK(BM_TA2_CarregaMusica_Ogg30s)->Unit(benchmark::kMicrosecond);

static void BM_Mix_LoadMUS_Ogg30s(benchmark::State &st) {
  if (!abre(st)) return;
  for (auto _ : st) {
    Mix_Music *m = Mix_LoadMUS(OGG_30S);
    st.PauseTiming();
    Mix_FreeMusic(m);
    st.ResumeTiming();
  }
  TA2_Encerra();
}
BENCHMARK(BM_Mix_LoadMUS_Ogg30s)->Unit(benchmark::kMicrosecond);

// ---------------------------------------------------------------------------
// Playing one effect; the channel is halted after each play so that every
// call finds one free, as a game's occasional shot does.
// ---------------------------------------------------------------------------

static void contaPorToque(benchmark::State &st) {
  st.counters["alocacoes_por_toque"] =
      benchmark::Counter(double(alocacoes), benchmark::Counter::kAvgIterations);
}

static void BM_TA2_TocaEfeito(benchmark::State &st) {
  if (!abre(st)) return;
  unsigned int id = TA2_CarregaEfeito(WAV_1S);
  alocacoes = 0;
  for (auto _ : st) {
    contando = true;
    int canal = TA2_TocaEfeito(id, 30);
    contando = false;
    Mix_HaltChannel(canal);
  }
  contaPorToque(st);
  TA2_Encerra();
}
BENCHMARK(BM_TA2_TocaEfeito);

// The same two mixer calls made directly: what the library adds is the
// difference between this and BM_TA2_TocaEfeito.
static void BM_Mix_PlayChannel_SetPanning(benchmark::State &st) {
  if (!abre(st)) return;
  unsigned int id = TA2_CarregaEfeito(WAV_1S);
  Mix_Chunk *c = Mix_LoadWAV_RW(SDL_RWFromFile(WAV_1S, "rb"), 1);
  alocacoes = 0;
  for (auto _ : st) {
    contando = true;
    int canal = Mix_PlayChannelTimed(-1, c, 0, -1);
    Mix_SetPanning(canal, 88, 165);
    contando = false;
    Mix_HaltChannel(canal);
  }
  contaPorToque(st);
  Mix_FreeChunk(c);
  TA2_RemoveEfeito(id);
  TA2_Encerra();
}
BENCHMARK(BM_Mix_PlayChannel_SetPanning);

// The library's progress lines would mix with the table, so stdout is
// silenced and the results go to stderr.
int main(int argc, char **argv) {
  escreve(WAV_1S, SomWav(1));
  escreve(OGG_30S, SomOgg(30));
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  if (!freopen("/dev/null", "w", stdout)) return 1;
  benchmark::ConsoleReporter relatorio;
  relatorio.SetOutputStream(&std::cerr);
  relatorio.SetErrorStream(&std::cerr);
  benchmark::RunSpecifiedBenchmarks(&relatorio);
  benchmark::Shutdown();
  return 0;
}
