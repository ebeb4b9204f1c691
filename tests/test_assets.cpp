// The generated assets: each file decodes the way the game loads it, the
// font sheet and the collision shapes measure right in the library, the
// generator repeats itself byte for byte, and the sounds neither clip nor
// click where the music loops.
#include "apoio.h"
#include "tovik2d2_interno.h"

#include <SDL_image.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

const std::string PASTA = TROVASCO_ARQUIVOS;

std::string Arquivo(const char *nome) {
  return PASTA + "/" + nome;
}

// -1 dBFS on a 16-bit scale.
const int PICO_MAXIMO = int(32767 * 0.8912509);

struct Figura {
  const char *nome;
  int largura, altura;
};
const Figura FIGURAS[] = {
    {"bala1.png", 56, 56},     {"bala2.png", 56, 56},
    {"bala3.png", 56, 56},     {"bala1g.png", 112, 110},
    {"bala2g.png", 112, 110},  {"bala3g.png", 112, 110},
    {"canhao2.png", 160, 160}, {"base.png", 56, 40},
    {"grama.png", 4096, 60},   {"fundo4.jpg", 4096, 600},
    {"splash.png", 800, 600},  {"boundingcircle.png", 160, 160},
    {"fonte.png", 512, 512}};

// A picture as SDL_image reads it, converted to RGBA bytes.
struct Pixels {
  int largura = 0, altura = 0;
  std::vector<Cor> v;
  const Cor &em(int x, int y) const { return v[size_t(y) * largura + x]; }
};

Pixels Le(const char *nome) {
  Pixels p;
  SDL_Surface *s = IMG_Load(Arquivo(nome).c_str());
  if (!s) return p;
  SDL_PixelFormat fmt{};
  fmt.BitsPerPixel = 32;
  fmt.BytesPerPixel = 4;
  fmt.Rmask = 0x000000ff;
  fmt.Gmask = 0x0000ff00;
  fmt.Bmask = 0x00ff0000;
  fmt.Amask = 0xff000000;
  fmt.Gshift = 8;
  fmt.Bshift = 16;
  fmt.Ashift = 24;
  SDL_Surface *c = SDL_ConvertSurface(s, &fmt, SDL_SWSURFACE);
  SDL_FreeSurface(s);
  if (!c) return p;
  p.largura = c->w;
  p.altura = c->h;
  for (int y = 0; y < c->h; y++)
    for (int x = 0; x < c->w; x++) p.v.push_back(LePixelSuperficie(c, x, y));
  SDL_FreeSurface(c);
  return p;
}

// The box around every pixel that is not fully transparent.
struct Caixa {
  int x0 = 1 << 30, y0 = 1 << 30, x1 = -1, y1 = -1;
};
Caixa Opacos(const Pixels &p) {
  Caixa c;
  for (int y = 0; y < p.altura; y++)
    for (int x = 0; x < p.largura; x++)
      if (p.em(x, y).a) {
        c.x0 = std::min(c.x0, x);
        c.y0 = std::min(c.y0, y);
        c.x1 = std::max(c.x1, x);
        c.y1 = std::max(c.y1, y);
      }
  return c;
}

std::vector<char> Bytes(const fs::path &p) {
  std::ifstream f(p, std::ios::binary);
  return std::vector<char>(std::istreambuf_iterator<char>(f), {});
}

// --------------------------------------------------------------------------

TEST(Assets, FigurasAbremNosTamanhosDoJogo) {
  for (const Figura &f : FIGURAS) {
    SDL_Surface *s = IMG_Load(Arquivo(f.nome).c_str());
    ASSERT_NE(s, nullptr) << f.nome << ": " << SDL_GetError();
    EXPECT_EQ(s->w, f.largura) << f.nome;
    EXPECT_EQ(s->h, f.altura) << f.nome;
    SDL_FreeSurface(s);
  }
}

TEST(Assets, BalasCrescemEEscurecemComOTipo) {
  int area = 0;
  float brilho = 1e9f;
  for (const char *nome : {"bala1.png", "bala2.png", "bala3.png"}) {
    Pixels p = Le(nome);
    ASSERT_EQ(p.largura, 56) << nome;
    int n = 0;
    float soma = 0;
    for (const Cor &c : p.v)
      if (c.a == 255) {
        n++;
        soma += c.r + c.g + c.b;
      }
    EXPECT_GT(n, area) << nome;
    EXPECT_LT(soma / n, brilho) << nome;
    EXPECT_EQ(p.em(0, 0).a, 0) << nome;
    EXPECT_EQ(p.em(55, 55).a, 0) << nome;
    area = n;
    brilho = soma / n;
  }
}

TEST(Assets, InventarioCabeNoPretoDaCasa) {
  // The slot's black inside, in the picture's own coordinates.
  for (const char *nome : {"bala1g.png", "bala2g.png", "bala3g.png"}) {
    Pixels p = Le(nome);
    ASSERT_EQ(p.largura, 112) << nome;
    Caixa c = Opacos(p);
    EXPECT_GE(c.x0, 8) << nome;
    EXPECT_LE(c.x1, 104) << nome;
    EXPECT_GE(c.y0, 12) << nome;
    EXPECT_LE(c.y1, 98) << nome;
    EXPECT_LE(std::abs(c.x0 + c.x1 - 112), 3) << nome;
  }
}

TEST(Assets, CanhaoPartePertoDoPivoParaADireita) {
  Pixels c = Le("canhao2.png");
  ASSERT_EQ(c.largura, 160);
  EXPECT_EQ(c.em(150, 80).a, 255); // barrel towards the edge on the right
  EXPECT_EQ(c.em(85, 80).a, 255);  // starting near the pivot
  EXPECT_EQ(c.em(20, 80).a, 0);    // nothing behind it
  EXPECT_EQ(c.em(120, 20).a, 0);
  EXPECT_EQ(c.em(120, 140).a, 0);
  Pixels b = Le("base.png");
  ASSERT_EQ(b.largura, 56);
  EXPECT_EQ(b.em(28, 18).a, 255); // the barrel's root rests here
  EXPECT_EQ(b.em(0, 0).a, 0);
}

TEST(Assets, CamadasDoFundoCobremSeuLugar) {
  Pixels splash = Le("splash.png");
  ASSERT_EQ(splash.largura, 800);
  for (const Cor &c : splash.v) ASSERT_EQ(c.a, 255);
  Pixels grama = Le("grama.png");
  ASSERT_EQ(grama.largura, 4096);
  int ceuNoTopo = 0;
  for (int x = 0; x < grama.largura; x++) {
    ASSERT_EQ(grama.em(x, 59).a, 255) << x; // ground down to the bottom
    ceuNoTopo += grama.em(x, 0).a < 255;
  }
  // Blades stand against the far layer along the top edge.
  EXPECT_GT(ceuNoTopo, grama.largura * 9 / 10);
}

// Mean colour difference between two columns of the strip.
double Degrau(const Pixels &p, int a, int b) {
  double soma = 0;
  for (int y = 0; y < p.altura; y++) {
    const Cor &u = p.em(a, y), &v = p.em(b, y);
    soma += std::abs(u.r - v.r) + std::abs(u.g - v.g) + std::abs(u.b - v.b) +
            std::abs(u.a - v.a);
  }
  return soma / p.altura;
}

TEST(Assets, GramaEmendaSemCostura) {
  Pixels p = Le("grama.png");
  ASSERT_EQ(p.largura, 4096);
  std::vector<double> vizinhos;
  for (int x = 0; x + 1 < p.largura; x++)
    vizinhos.push_back(Degrau(p, x, x + 1));
  std::sort(vizinhos.begin(), vizinhos.end());
  double tipico = vizinhos[vizinhos.size() * 9 / 10];
  EXPECT_LE(Degrau(p, p.largura - 1, 0), tipico);
}

// --------------------------------------------------------------------------

class AssetsBiblioteca : public ::testing::Test {
protected:
  void SetUp() override { ASSERT_TRUE(IniciaGLSilencioso()); }
  void TearDown() override { EncerraSilencioso(); }

  T2D2_BitMask *mascara(const char *nome) {
    CapturaSaida c;
    unsigned int id = T2D2_CarregaSpriteSet(Arquivo(nome).c_str(), 0, 0);
    c.texto();
    if (!id || !sprites[id - 1].bmask) return nullptr;
    return sprites[id - 1].bmask[0];
  }
};

struct Forma {
  int area = 0;
  double cx = 0, cy = 0;
  int x0 = 1 << 30, y0 = 1 << 30, x1 = -1, y1 = -1;
};
Forma Mede(T2D2_BitMask *m) {
  Forma f;
  for (int y = 0; y < m->altura; y++)
    for (int x = 0; x < m->largura; x++)
      if (T2D2_GetBit(m, x, y)) {
        f.area++;
        f.cx += x;
        f.cy += y;
        f.x0 = std::min(f.x0, x);
        f.y0 = std::min(f.y0, y);
        f.x1 = std::max(f.x1, x);
        f.y1 = std::max(f.y1, y);
      }
  if (f.area) {
    f.cx /= f.area;
    f.cy /= f.area;
  }
  return f;
}

TEST_F(AssetsBiblioteca, FormaDeColisaoEhUmDiscoCheioNoCentro) {
  T2D2_BitMask *m = mascara("boundingcircle.png");
  ASSERT_NE(m, nullptr);
  ASSERT_EQ(m->largura, 160);
  for (int y = 0; y < 160; y++)
    for (int x = 0; x < 160; x++) {
      double d = std::hypot(x - 80.0, y - 80.0);
      if (d <= 46) {
        ASSERT_TRUE(T2D2_GetBit(m, x, y)) << x << "," << y;
      } else if (d >= 50) {
        ASSERT_FALSE(T2D2_GetBit(m, x, y)) << x << "," << y;
      }
    }
  Forma f = Mede(m);
  EXPECT_NEAR(f.cx, 80, 0.01);
  EXPECT_NEAR(f.cy, 80, 0.01);
  // Covers the carriage, drawn from 28 left to 28 right and 22 below.
  EXPECT_TRUE(T2D2_GetBit(m, 80 - 27, 80 + 21));
  EXPECT_TRUE(T2D2_GetBit(m, 80 + 27, 80 + 21));
}

TEST_F(AssetsBiblioteca, BalasCentradasNoPontoDaBoca) {
  int area = 0;
  for (const char *nome : {"bala1.png", "bala2.png", "bala3.png"}) {
    T2D2_BitMask *m = mascara(nome);
    ASSERT_NE(m, nullptr) << nome;
    Forma f = Mede(m);
    EXPECT_GT(f.area, area) << nome;
    EXPECT_NEAR(f.cx, 28, 0.05) << nome;
    EXPECT_NEAR(f.cy, 28, 0.05) << nome;
    EXPECT_EQ(f.x0 + f.x1, 56) << nome;
    EXPECT_EQ(f.y0 + f.y1, 56) << nome;
    area = f.area;
  }
}

TEST_F(AssetsBiblioteca, FonteMedeCadaLetraDentroDaCelula) {
  CapturaSaida c;
  unsigned int id = T2D2_CarregaFonte(Arquivo("fonte.png").c_str(), 32);
  c.texto();
  ASSERT_NE(id, 0u);
  const T2D2_Fonte &f = fontes[id - 1];
  // An empty cell measures the whole cell; every glyph has ink and spacing.
  for (int b = 33; b < 256; b++) {
    if (b >= 127 && b <= 160) continue;
    EXPECT_LT(f.larguras[b], 32) << "byte " << b;
    EXPECT_GT(f.larguras[b], 2) << "byte " << b;
  }
  EXPECT_GT(f.larguras['W'], f.larguras['i']);
  int largura = 0, altura = 0;
  ASSERT_TRUE(T2D2_DimensoesTexto(id, "Fim do jogo", &largura, &altura));
  EXPECT_GE(largura, 150);
  EXPECT_LE(largura, 300);
  // Strokes that stand apart are still measured as one glyph.
  EXPECT_GT(f.larguras['"'], 8);
  EXPECT_GT(f.larguras[0xe4], f.larguras['a'] - 3); // a with diaeresis
}

// The starter sheet library users get, on each back-end: "H" drawn on blue
// has its ink, dark rim included, on rows 3 to 12 of its cell, so letters
// stand on row 12 as the guide says.
TEST(Assets, FonteInicialTemLinhaDeBaseNaLinha12NosDoisDesenhos) {
  for (int desenho : {T2D2_DESENHO_OPENGL, T2D2_DESENHO_PADRAO}) {
    ASSERT_TRUE(IniciaSilencioso(desenho, 64, 64)) << desenho;
    CapturaSaida c;
    unsigned int id = T2D2_CarregaFonte(T2D2_FONTE_INICIAL, 16);
    c.texto();
    ASSERT_NE(id, 0u) << "desenho " << desenho;
    T2D2_TrocaCorLimpezaTela(0, 0, 255);
    T2D2_LimpaTela();
    T2D2_DesenhaTexto(id, 0, 0, "H", T2D2_ALINHA_ESQUERDA);
    int primeira = -1, ultima = -1;
    for (int y = 0; y < 16; y++)
      for (int x = 0; x < 16; x++) {
        Cor p = desenho == T2D2_DESENHO_OPENGL
                    ? LePixelGL(x, y)
                    : LePixelSuperficie(SDL_GetVideoSurface(), x, y);
        if (p.r + p.g + 255 - p.b <= 8) continue; // the clear colour
        if (primeira < 0) primeira = y;
        ultima = y;
      }
    EXPECT_EQ(primeira, 3) << "desenho " << desenho;
    EXPECT_EQ(ultima, 12) << "desenho " << desenho;
    EncerraSilencioso();
  }
}

// --------------------------------------------------------------------------

TEST(Assets, GeradorRepeteOsMesmosBytes) {
  fs::path base = fs::path(::testing::TempDir()) / "gera_assets_repeticao";
  fs::remove_all(base);
  for (const char *vez : {"a", "b"}) {
    fs::path d = base / vez;
    std::string cmd =
        std::string("\"") + GERA_ASSETS + "\" \"" + (d / "files").string() +
        "\" \"" + (d / "previa.png").string() + "\" \"" +
        (d / "icons").string() + "\" \"" + (d / "fonte16.png").string() +
        "\" \"" + (d / "pagina").string() + "\" > /dev/null";
    ASSERT_EQ(std::system(cmd.c_str()), 0) << cmd;
  }
  int comparados = 0;
  for (const auto &e : fs::recursive_directory_iterator(base / "a")) {
    if (!e.is_regular_file()) continue;
    fs::path rel = fs::relative(e.path(), base / "a");
    std::vector<char> a = Bytes(e.path()), b = Bytes(base / "b" / rel);
    EXPECT_FALSE(a.empty()) << rel;
    EXPECT_TRUE(a == b) << rel;
    if (rel.parent_path() == "files") {
      EXPECT_TRUE(a == Bytes(fs::path(PASTA) / rel.filename())) << rel;
    }
    comparados++;
  }
  // The game's files, the contact sheet, three desktop icons, the starter
  // font sheet, the page's four icons, its touch splash and the music's
  // MP3, and the library's own page icon.
  EXPECT_EQ(comparados, 17 + 1 + 3 + 1 + 6 + 1);
  fs::remove_all(base);
}

// --------------------------------------------------------------------------

// The 16-bit samples of one of our WAV files, read chunk by chunk.
std::vector<int16_t> AmostrasWav(const char *nome, int *taxa, int *bits) {
  std::vector<char> b = Bytes(Arquivo(nome));
  std::vector<int16_t> r;
  auto u32 = [&](size_t i) {
    return uint32_t(uint8_t(b[i])) | uint32_t(uint8_t(b[i + 1])) << 8 |
           uint32_t(uint8_t(b[i + 2])) << 16 |
           uint32_t(uint8_t(b[i + 3])) << 24;
  };
  for (size_t i = 12; i + 8 <= b.size();) {
    std::string id(b.begin() + long(i), b.begin() + long(i) + 4);
    size_t n = u32(i + 4);
    if (id == "fmt ") {
      *taxa = int(u32(i + 12));
      *bits = uint8_t(b[i + 22]) | uint8_t(b[i + 23]) << 8;
    }
    if (id == "data")
      for (size_t k = i + 8; k + 1 < i + 8 + n && k + 1 < b.size(); k += 2)
        r.push_back(int16_t(uint8_t(b[k]) | uint8_t(b[k + 1]) << 8));
    i += 8 + n + (n & 1);
  }
  return r;
}

int Pico(const std::vector<int16_t> &a) {
  int p = 0;
  for (int16_t v : a) p = std::max(p, std::abs(int(v)));
  return p;
}

TEST(Assets, EfeitosAbremNoMixerSemSaturar) {
  ASSERT_EQ(SDL_Init(SDL_INIT_AUDIO), 0);
  ASSERT_EQ(Mix_OpenAudio(44100, AUDIO_S16SYS, 2, 1024), 0) << Mix_GetError();
  for (const char *nome : {"shoot.wav", "explosao.wav", "explosaoFinal.wav"}) {
    Mix_Chunk *c =
        Mix_LoadWAV_RW(SDL_RWFromFile(Arquivo(nome).c_str(), "rb"), 1);
    ASSERT_NE(c, nullptr) << nome << ": " << Mix_GetError();
    EXPECT_GT(c->alen, 0u);
    Mix_FreeChunk(c);
    int taxa = 0, bits = 0;
    std::vector<int16_t> a = AmostrasWav(nome, &taxa, &bits);
    EXPECT_EQ(taxa, 44100) << nome;
    EXPECT_EQ(bits, 16) << nome;
    EXPECT_GT(a.size(), 44100u / 4) << nome;
    EXPECT_LE(Pico(a), PICO_MAXIMO) << nome;
    EXPECT_GT(Pico(a), PICO_MAXIMO / 2) << nome; // loud enough to be heard
  }
  Mix_Music *m = Mix_LoadMUS(Arquivo("WhatYouWantv2.ogg").c_str());
  EXPECT_NE(m, nullptr) << Mix_GetError();
  if (m) Mix_FreeMusic(m);
  Mix_CloseAudio();
  SDL_Quit();
}

TEST(Assets, MusicaVoltaAoInicioSemEstalo) {
  OggVorbis_File ov;
  ASSERT_EQ(ov_fopen(Arquivo("WhatYouWantv2.ogg").c_str(), &ov), 0);
  vorbis_info *vi = ov_info(&ov, -1);
  ASSERT_NE(vi, nullptr);
  EXPECT_EQ(vi->rate, 44100);
  ASSERT_EQ(vi->channels, 2);
  double segundos = ov_time_total(&ov, -1);
  EXPECT_GE(segundos, 30);
  EXPECT_LE(segundos, 90);
  std::vector<int16_t> a;
  char buf[8192];
  int secao = 0;
  for (long n; (n = ov_read(&ov, buf, sizeof buf, 0, 2, 1, &secao)) > 0;)
    a.insert(a.end(), reinterpret_cast<int16_t *>(buf),
             reinterpret_cast<int16_t *>(buf + n));
  ogg_int64_t total = ov_pcm_total(&ov, -1);
  ov_clear(&ov);
  ASSERT_EQ(a.size(), size_t(total) * 2);
  EXPECT_LE(Pico(a), PICO_MAXIMO);
  for (size_t canal = 0; canal < 2; canal++) {
    int maior = 0;
    for (size_t i = canal + 2; i < a.size(); i += 2)
      maior = std::max(maior, std::abs(a[i] - a[i - 2]));
    int emenda = std::abs(a[canal] - a[a.size() - 2 + canal]);
    EXPECT_LE(emenda, maior) << "canal " << canal;
    EXPECT_GT(maior, 0);
  }
}

} // namespace
