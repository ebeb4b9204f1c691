// The OpenGL back-end measured: sprite draw throughput against raw immediate
// mode drawing the same quads, sprite-set load time by stage, and frame
// pacing at 60. Run with SDL_VIDEODRIVER=offscreen for llvmpipe.
#include "tovik2d2_interno.h"

#include <SDL_image.h>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>

namespace {

const int SPRITES_POR_QUADRO = 200;
std::map<std::string, double> segundosPorIteracao;

void escreveImagem(const char *nome, int w, int h, int canais, bool jpeg) {
  std::vector<unsigned char> px(size_t(w) * h * canais);
  for (int y = 0; y < h; y++)
    for (int x = 0; x < w; x++) {
      unsigned char *p = &px[(size_t(y) * w + x) * canais];
      p[0] = Uint8(x * 7);
      p[1] = Uint8(y * 3);
      p[2] = Uint8(x ^ y);
      if (canais == 4)
        p[3] = (x - 32) * (x - 32) + (y - 32) * (y - 32) < 900 ? 255 : 0;
    }
  if (jpeg)
    stbi_write_jpg(nome, w, h, canais, px.data(), 90);
  else
    stbi_write_png(nome, w, h, canais, px.data(), w * canais);
}

// Spreads the sprites over the frame so fill rate matches a real scene.
void posicao(int i, int *x, int *y) {
  *x = (i * 53) % (800 - 64);
  *y = (i * 97) % (600 - 64);
}

void contaSprites(benchmark::State &st) {
  st.SetItemsProcessed(st.iterations() * SPRITES_POR_QUADRO);
}

void BM_DesenhaSprite(benchmark::State &st) {
  unsigned int id = T2D2_CarregaSpriteSet("bench64.png", 0, 0);
  for (auto _ : st) {
    T2D2_LimpaTela();
    for (int i = 0; i < SPRITES_POR_QUADRO; i++) {
      int x, y;
      posicao(i, &x, &y);
      T2D2_DesenhaSprite(id, 0, x, y);
    }
    glFinish();
  }
  contaSprites(st);
  T2D2_RemoveSpriteSet(id);
}
BENCHMARK(BM_DesenhaSprite)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The same frame with the state set once and the same quads in immediate mode.
void BM_OpenGLCru(benchmark::State &st) {
  unsigned int id = T2D2_CarregaSpriteSet("bench64.png", 0, 0);
  GLuint tex = sprites[id - 1].textura;
  for (auto _ : st) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
    glColor4ub(0, 0, 0, 255);
    glBegin(GL_QUADS);
    glVertex2i(0, 0);
    glVertex2i(800, 0);
    glVertex2i(800, 600);
    glVertex2i(0, 600);
    glEnd();
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, tex);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glColor4ub(255, 255, 255, 255);
    for (int i = 0; i < SPRITES_POR_QUADRO; i++) {
      int x, y;
      posicao(i, &x, &y);
      glBegin(GL_QUADS);
      glTexCoord2f(0, 0);
      glVertex2i(x, y);
      glTexCoord2f(1, 0);
      glVertex2i(x + 64, y);
      glTexCoord2f(1, 1);
      glVertex2i(x + 64, y + 64);
      glTexCoord2f(0, 1);
      glVertex2i(x, y + 64);
      glEnd();
    }
    glFinish();
  }
  contaSprites(st);
  resetaGL();
  T2D2_RemoveSpriteSet(id);
}
BENCHMARK(BM_OpenGLCru)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// Load stages. The whole load is measured, and then the stages that can be
// run on their own: decoding, the masks of the working image, the upload.
void BM_CarregaInteiro(benchmark::State &st, const char *arquivo) {
  for (auto _ : st) {
    unsigned int id = T2D2_CarregaSpriteSet(arquivo, 0, 0);
    T2D2_RemoveSpriteSet(id);
  }
}
void BM_Decodifica(benchmark::State &st, const char *arquivo) {
  for (auto _ : st) SDL_FreeSurface(IMG_Load(arquivo));
}
void BM_Mascaras(benchmark::State &st, const char *arquivo) {
  unsigned int id = T2D2_CarregaSpriteSet(arquivo, 0, 0);
  const T2D2_SpriteSet &s = sprites[id - 1];
  for (auto _ : st) {
    T2D2_BitMask **v = T2D2_CriaVetorBitMasks(s.imagem, s.largura, s.altura,
                                              s.largura, s.altura);
    T2D2_PreencheVetorBitMasks(s.imagem, s.largura, s.altura, s.largura,
                               s.altura, v);
    T2D2_RemoveBitMask(v[0]);
    free(v);
  }
  T2D2_RemoveSpriteSet(id);
}
void BM_Envia(benchmark::State &st, const char *arquivo) {
  unsigned int id = T2D2_CarregaSpriteSet(arquivo, 0, 0);
  const T2D2_SpriteSet &s = sprites[id - 1];
  for (auto _ : st) {
    GLuint t;
    glGenTextures(1, &t);
    glBindTexture(GL_TEXTURE_2D, t);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, s.imagem->w, s.imagem->h, 0,
                 GL_RGBA, GL_UNSIGNED_BYTE, s.imagem->pixels);
    glFinish();
    glDeleteTextures(1, &t);
  }
  resetaGL();
  T2D2_RemoveSpriteSet(id);
}
BENCHMARK_CAPTURE(BM_CarregaInteiro, png512, "bench512.png")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Decodifica, png512, "bench512.png")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Mascaras, png512, "bench512.png")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Envia, png512, "bench512.png")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_CarregaInteiro, jpg2500, "bench2500.jpg")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Decodifica, jpg2500, "bench2500.jpg")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Mascaras, jpg2500, "bench2500.jpg")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Envia, jpg2500, "bench2500.jpg")
    ->Unit(benchmark::kMillisecond);

// 600 frames at 60: the distribution of the intervals between presents.
void BM_Ritmo60(benchmark::State &st) {
  std::vector<double> ms;
  ms.reserve(600);
  for (auto _ : st) {
    ms.clear();
    auto antes = std::chrono::steady_clock::now();
    for (int i = 0; i < 600; i++) {
      T2D2_LimpaTela();
      T2D2_Sincroniza(60);
      auto agora = std::chrono::steady_clock::now();
      ms.push_back(
          std::chrono::duration<double, std::milli>(agora - antes).count());
      antes = agora;
    }
  }
  std::sort(ms.begin(), ms.end());
  st.counters["min_ms"] = ms.front();
  st.counters["mediana_ms"] = ms[ms.size() / 2];
  st.counters["p99_ms"] = ms[ms.size() * 99 / 100];
  st.counters["max_ms"] = ms.back();
}
BENCHMARK(BM_Ritmo60)->Iterations(1)->Unit(benchmark::kSecond);

// Prints the library's draw rate as a share of raw OpenGL's.
class RazaoReporter : public benchmark::ConsoleReporter {
public:
  void ReportRuns(const std::vector<Run> &runs) override {
    for (const Run &r : runs)
      segundosPorIteracao[r.benchmark_name()] = r.GetAdjustedRealTime();
    ConsoleReporter::ReportRuns(runs);
  }
  void Finalize() override {
    ConsoleReporter::Finalize();
    double lib = segundosPorIteracao["BM_DesenhaSprite/min_time:2.000"];
    double cru = segundosPorIteracao["BM_OpenGLCru/min_time:2.000"];
    if (lib > 0 && cru > 0)
      printf("Desenho: a biblioteca faz %.3f da taxa do OpenGL cru\n",
             cru / lib);
  }
};

} // namespace

int main(int argc, char **argv) {
  benchmark::Initialize(&argc, argv);
  escreveImagem("bench64.png", 64, 64, 4, false);
  escreveImagem("bench512.png", 512, 512, 4, false);
  escreveImagem("bench2500.jpg", 2500, 600, 3, true);
  if (!T2D2_Inicia(800, 600, T2D2_JANELA, T2D2_DESENHO_OPENGL, "bench"))
    return 1;
  RazaoReporter relatorio;
  benchmark::RunSpecifiedBenchmarks(&relatorio);
  T2D2_Encerra();
  benchmark::Shutdown();
  return 0;
}
