// Collision and fonts measured: pixel-exact sprite queries against two
// per-pixel loops over the same frames, the load of a 512 x 512 font sheet
// split into its sprite set and its measuring, and text against plain sprite
// drawing per glyph. Run with SDL_VIDEODRIVER=offscreen for llvmpipe.
#include "tovik2d2_interno.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>

namespace {

const int LADO = 160;
const int CELULA = 32;
std::map<std::string, double> segundosPorIteracao;

// Writes a w x h RGBA image whose pixel is opaque where tinta says so.
template <class F> void escreve(const char *nome, int w, int h, F tinta) {
  std::vector<unsigned char> px(size_t(w) * h * 4);
  for (int y = 0; y < h; y++)
    for (int x = 0; x < w; x++) {
      unsigned char *p = &px[(size_t(y) * w + x) * 4];
      p[0] = Uint8(x * 5);
      p[1] = Uint8(y * 3);
      p[2] = 200;
      p[3] = tinta(x, y) ? 255 : 0;
    }
  stbi_write_png(nome, w, h, 4, px.data(), w * 4);
}

bool xadrez(int x, int y) {
  return (x + y) % 2 == 0;
}

// Frames for the queries: a checkerboard, its complement (no pixel in common
// at the same position), the complement with the last pixel shared, and the
// checkerboard with one pixel more that meets the checkerboard placed one
// pixel to the right, in the last row.
struct Quadros {
  unsigned int xadrez = 0, complemento = 0, umEmComum = 0, xadrezComUm = 0;
};
Quadros quadros;

// The same frame as one byte (0 or 1) per pixel, for the plain reference.
struct QuadroBool {
  std::vector<unsigned char> px;
  int largura, altura;
};
QuadroBool quadroBool(unsigned int id) {
  T2D2_BitMask *m = sprites[id - 1].bmask[0];
  QuadroBool q{std::vector<unsigned char>(size_t(m->largura) * m->altura),
               m->largura, m->altura};
  for (int y = 0; y < m->altura; y++)
    for (int x = 0; x < m->largura; x++)
      q.px[size_t(y) * m->largura + x] = T2D2_GetBit(m, x, y);
  return q;
}

// The overlap of b placed at (offx, offy) in a, in a's coordinates.
struct Area {
  int x0, y0, x1, y1;
};
Area sobreposicao(int la, int aa, int lb, int ab, int offx, int offy) {
  Area r{offx > 0 ? offx : 0, offy > 0 ? offy : 0, 0, 0};
  r.x1 = offx + lb < la ? offx + lb : la;
  r.y1 = offy + ab < aa ? offy + ab : aa;
  return r;
}

__attribute__((noinline)) bool
colideBools(const QuadroBool &a, const QuadroBool &b, int offx, int offy) {
  Area r = sobreposicao(a.largura, a.altura, b.largura, b.altura, offx, offy);
  for (int y = r.y0; y < r.y1; y++) {
    const unsigned char *la = &a.px[size_t(y) * a.largura];
    const unsigned char *lb = &b.px[size_t(y - offy) * b.largura];
    for (int x = r.x0; x < r.x1; x++)
      if (la[x] & lb[x - offx]) return true;
  }
  return false;
}

__attribute__((noinline)) bool colideGetBit(T2D2_BitMask *a, T2D2_BitMask *b,
                                            int offx, int offy) {
  Area r =
      sobreposicao(a->largura, a->altura, b->largura, b->altura, offx, offy);
  for (int y = r.y0; y < r.y1; y++)
    for (int x = r.x0; x < r.x1; x++)
      if (T2D2_GetBit(a, x, y) && T2D2_GetBit(b, x - offx, y - offy))
        return true;
  return false;
}

// Offsets: 0 keeps both masks word-aligned, 1 makes every run straddle two
// words; one pixel to the right the checkerboard misses itself.
unsigned int parceiro(int offx, bool comum) {
  if (offx % 2) return comum ? quadros.xadrezComUm : quadros.xadrez;
  return comum ? quadros.umEmComum : quadros.complemento;
}

void BM_ColidiuSprites(benchmark::State &st) {
  int offx = int(st.range(0));
  bool comum = st.range(1);
  unsigned int b = parceiro(offx, comum);
  for (auto _ : st) {
    bool r =
        T2D2_ColidiuSprites(quadros.xadrez, 0, 100, 100, b, 0, 100 + offx, 100);
    benchmark::DoNotOptimize(r);
  }
  st.SetItemsProcessed(st.iterations());
}

void BM_ReferenciaBools(benchmark::State &st) {
  int offx = int(st.range(0));
  bool comum = st.range(1);
  QuadroBool a = quadroBool(quadros.xadrez),
             b = quadroBool(parceiro(offx, comum));
  for (auto _ : st) {
    bool r = colideBools(a, b, offx, 0);
    benchmark::DoNotOptimize(r);
  }
  st.SetItemsProcessed(st.iterations());
}

void BM_ReferenciaGetBit(benchmark::State &st) {
  int offx = int(st.range(0));
  bool comum = st.range(1);
  T2D2_BitMask *a = sprites[quadros.xadrez - 1].bmask[0];
  T2D2_BitMask *b = sprites[parceiro(offx, comum) - 1].bmask[0];
  for (auto _ : st) {
    bool r = colideGetBit(a, b, offx, 0);
    benchmark::DoNotOptimize(r);
  }
  st.SetItemsProcessed(st.iterations());
}

// Arguments: horizontal offset, whether one pixel is shared.
void casos(benchmark::internal::Benchmark *b) {
  b->ArgNames({"offx", "comum"});
  for (int offx : {0, 1})
    for (int comum : {0, 1}) b->Args({offx, comum});
}
BENCHMARK(BM_ColidiuSprites)->Apply(casos);
BENCHMARK(BM_ReferenciaBools)->Apply(casos);
BENCHMARK(BM_ReferenciaGetBit)->Apply(casos);

// Font sheet load: the whole load, the sprite set alone, and the measuring
// alone (the sheet already held, so the load only looks it up and measures).
const char FOLHA[] = "bench_fonte512.png";

void BM_CarregaFonte(benchmark::State &st) {
  for (auto _ : st) T2D2_RemoveFonte(T2D2_CarregaFonte(FOLHA, CELULA));
}
void BM_CarregaConjuntoDaFonte(benchmark::State &st) {
  for (auto _ : st)
    T2D2_RemoveSpriteSet(T2D2_CarregaSpriteSet(FOLHA, CELULA, CELULA));
}
void BM_MedeFonte(benchmark::State &st) {
  unsigned int conjunto = T2D2_CarregaSpriteSet(FOLHA, CELULA, CELULA);
  for (auto _ : st) T2D2_RemoveFonte(T2D2_CarregaFonte(FOLHA, CELULA));
  T2D2_RemoveSpriteSet(conjunto);
}
BENCHMARK(BM_CarregaFonte)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CarregaConjuntoDaFonte)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MedeFonte)->Unit(benchmark::kMillisecond);

// One line of 64 glyphs per iteration, as text and as the same sprites.
const char LINHA[] =
    "Vento: 12.5 <<< PLAYER 1 >>> Fim do jogo! abcdefghijklmnopqrstuv";
static_assert(sizeof LINHA - 1 == 64, "64 glyphs");

void BM_DesenhaTexto(benchmark::State &st) {
  unsigned int id = T2D2_CarregaFonte(FOLHA, CELULA);
  for (auto _ : st) {
    T2D2_DesenhaTexto(id, 400, 300, LINHA, T2D2_ALINHA_CENTRO);
    glFinish();
  }
  st.SetItemsProcessed(st.iterations() * 64);
  T2D2_RemoveFonte(id);
}
void BM_DesenhaSpritesDoTexto(benchmark::State &st) {
  unsigned int id = T2D2_CarregaFonte(FOLHA, CELULA);
  const T2D2_Fonte &f = fontes[id - 1];
  int largura = 0;
  T2D2_DimensoesTexto(id, LINHA, &largura, nullptr);
  // The positions the text would use, worked out once.
  std::vector<int> xs;
  int pena = 400 - largura / 2;
  for (const char *p = LINHA; *p; p++) {
    unsigned char c = Uint8(*p);
    xs.push_back(pena - f.deslocamentos[c]);
    pena += f.larguras[c];
  }
  for (auto _ : st) {
    for (int i = 0; i < 64; i++)
      T2D2_DesenhaSprite(f.idSpriteSet, Uint8(LINHA[i]), xs[i], 300);
    glFinish();
  }
  st.SetItemsProcessed(st.iterations() * 64);
  T2D2_RemoveFonte(id);
}
BENCHMARK(BM_DesenhaTexto)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DesenhaSpritesDoTexto)->Unit(benchmark::kMicrosecond);

double tempo(const std::string &nome) {
  auto i = segundosPorIteracao.find(nome);
  return i == segundosPorIteracao.end() ? 0 : i->second;
}

void razao(const char *rotulo, const std::string &lento,
           const std::string &rapido) {
  double l = tempo(lento), r = tempo(rapido);
  if (l > 0 && r > 0) printf("%-52s %8.2fx\n", rotulo, l / r);
}

class RazaoReporter : public benchmark::ConsoleReporter {
public:
  void ReportRuns(const std::vector<Run> &runs) override {
    for (const Run &r : runs)
      segundosPorIteracao[r.benchmark_name()] = r.GetAdjustedRealTime();
    ConsoleReporter::ReportRuns(runs);
  }
  void Finalize() override {
    ConsoleReporter::Finalize();
    for (const char *caso : {"offx:0/comum:0", "offx:1/comum:0",
                             "offx:0/comum:1", "offx:1/comum:1"}) {
      std::string c = caso, lib = "BM_ColidiuSprites/" + c;
      razao(("bools / biblioteca " + c).c_str(), "BM_ReferenciaBools/" + c,
            lib);
      razao(("GetBit / biblioteca " + c).c_str(), "BM_ReferenciaGetBit/" + c,
            lib);
    }
    razao("texto / sprites, por glifo", "BM_DesenhaTexto",
          "BM_DesenhaSpritesDoTexto");
    double inteiro = tempo("BM_CarregaFonte"),
           conjunto = tempo("BM_CarregaConjuntoDaFonte"),
           medida = tempo("BM_MedeFonte");
    if (inteiro > 0)
      printf(
          "Fonte 512x512: conjunto %.0f%% e medida %.0f%% da carga inteira\n",
          100 * conjunto / inteiro, 100 * medida / inteiro);
  }
};

} // namespace

int main(int argc, char **argv) {
  benchmark::Initialize(&argc, argv);
  escreve("bench_xadrez.png", LADO, LADO, xadrez);
  escreve("bench_complemento.png", LADO, LADO,
          [](int x, int y) { return !xadrez(x, y); });
  escreve("bench_um_em_comum.png", LADO, LADO, [](int x, int y) {
    return !xadrez(x, y) || (x == LADO - 1 && y == LADO - 1);
  });
  // Glyphs of varied width, so the measuring scans partly filled cells.
  escreve(FOLHA, 16 * CELULA, 16 * CELULA, [](int x, int y) {
    int k = (y / CELULA) * 16 + x / CELULA, cx = x % CELULA;
    return k > 32 && cx >= k % 7 && cx < 8 + k % 20 && (y % CELULA) > 4;
  });
  escreve("bench_xadrez_com_um.png", LADO, LADO, [](int x, int y) {
    return xadrez(x, y) || (x == LADO - 2 && y == LADO - 1);
  });
  if (!T2D2_Inicia(800, 600, T2D2_JANELA, T2D2_DESENHO_OPENGL, "bench"))
    return 1;
  quadros.xadrez = T2D2_CarregaSpriteSet("bench_xadrez.png", 0, 0);
  quadros.complemento = T2D2_CarregaSpriteSet("bench_complemento.png", 0, 0);
  quadros.umEmComum = T2D2_CarregaSpriteSet("bench_um_em_comum.png", 0, 0);
  quadros.xadrezComUm = T2D2_CarregaSpriteSet("bench_xadrez_com_um.png", 0, 0);
  if (!quadros.xadrez || !quadros.complemento || !quadros.umEmComum ||
      !quadros.xadrezComUm)
    return 1;
  // The queries must give the answers the cases are named after.
  if (T2D2_ColidiuSprites(quadros.xadrez, 0, 0, 0, quadros.complemento, 0, 0,
                          0) ||
      T2D2_ColidiuSprites(quadros.xadrez, 0, 0, 0, quadros.xadrez, 0, 1, 0) ||
      !T2D2_ColidiuSprites(quadros.xadrez, 0, 0, 0, quadros.umEmComum, 0, 0,
                           0) ||
      !T2D2_ColidiuSprites(quadros.xadrez, 0, 0, 0, quadros.xadrezComUm, 0, 1,
                           0))
    return 1;
  RazaoReporter relatorio;
  benchmark::RunSpecifiedBenchmarks(&relatorio);
  T2D2_Encerra();
  benchmark::Shutdown();
  return 0;
}
