// Images at the edges of what the sprite-set loader takes, on one back-end
// (OpenGL here; test_imagens_sdl.cpp builds the same cases for the SDL
// back-end): hostile sizes refused from the file's header before any pixel is
// decoded, and every pixel layout the decoder hands over turned into a 32-bit
// working image whose masks match the decoded pixels.
#include "apoio.h"
#include "png_cru.h"
#include "tovik2d2_interno.h"

#include <SDL_image.h>
#include <gtest/gtest.h>
#include <cstring>
#include <string>

#ifndef T2D2_TESTE_RENDER
#define T2D2_TESTE_RENDER T2D2_DESENHO_OPENGL
#endif

// No anonymous namespace: test_imagens_sdl.cpp includes this file, and GCC
// warns about fixtures in an anonymous namespace of an included file.
static const bool NO_GL = T2D2_TESTE_RENDER == T2D2_DESENHO_OPENGL;

class Imagens : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(IniciaSilencioso(T2D2_TESTE_RENDER, 320, 240));
    if (NO_GL) glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maximo);
  }
  void TearDown() override { EncerraSilencioso(); }

  unsigned int carrega(const std::string &arquivo, int l = 0, int a = 0) {
    return CarregaCapturando(arquivo, l, a, saida);
  }
  // The back-end's own message for an image it cannot hold.
  std::string limite() const {
    if (NO_GL)
      return "A imagem excede o limite de " + std::to_string(maximo) + "x" +
             std::to_string(maximo) + " para uma textura OpenGL no sistema.\n";
    return "A imagem excede o limite de 16383x32767 para uma superf\xed"
           "cie SDL no sistema.\n";
  }
  // A refused load leaves the registry as it was: the next load is set 1.
  void confereRegistroLivre(const std::string &nome) {
    EXPECT_EQ(sprites[0].imagem, nullptr) << nome;
    EXPECT_EQ(sprites[0].apelido[0], '\0') << nome;
    EXPECT_EQ(sprites[0].usuarios, 0u) << nome;
    EXPECT_EQ(T2D2_ProcuraSpriteSet(nome.c_str()), 0u);
    std::string boa = EscreveImagem("imagens_boa.png", 4, 4, 4, [](int, int) {
      return Cor{1, 2, 3, 255};
    });
    EXPECT_EQ(carrega(boa), 1u) << "after " << nome;
    T2D2_RemoveSpriteSet(1);
  }
  std::string saida;
  GLint maximo = 0;
};

static std::string nome(const std::string &base) {
  return std::string(NO_GL ? "gl_" : "sdl_") + base;
}

// A grey PNG of w x h, all ink, compressed row by row.
static std::string PngCinza(const std::string &base, Uint32 w, Uint32 h) {
  std::string caminho = nome(base);
  EXPECT_TRUE(EscrevePng(caminho, w, h, PNG_CINZA, w, [](Uint32, Bytes &l) {
    std::fill(l.begin(), l.end(), 200);
  }));
  return caminho;
}

// A JPEG that is only its start: SOI, an APP0 segment, fill bytes, and a
// baseline start of frame for w x h.
static std::string CabecalhoJpeg(const std::string &base, int w, int h) {
  Bytes b = {0xff,
             0xd8,
             0xff,
             0xe0,
             0,
             16,
             'J',
             'F',
             'I',
             'F',
             0,
             1,
             1,
             0,
             0,
             1,
             0,
             1,
             0,
             0,
             0xff,
             0xff,
             0xc0,
             0,
             11,
             8,
             Uint8(h >> 8),
             Uint8(h),
             Uint8(w >> 8),
             Uint8(w),
             1,
             1,
             0x11,
             0,
             0xff,
             0xd9};
  std::string caminho = nome(base);
  EXPECT_TRUE(GravaBytes(caminho, b));
  return caminho;
}

// ---------------------------------------------------------------------------
// Sizes read from the header
// ---------------------------------------------------------------------------

TEST_F(Imagens, CabecalhoDizOTamanhoSemDecodificar) {
  int l = 0, a = 0;
  std::string png = EscreveImagem(nome("cab.png"), 37, 5, 4, [](int, int) {
    return Cor{1, 1, 1, 255};
  });
  ASSERT_TRUE(T2D2_DimensoesDoArquivo(png.c_str(), &l, &a));
  EXPECT_EQ(l, 37);
  EXPECT_EQ(a, 5);
  std::string jpg = EscreveImagem(
      nome("cab.jpg"), 19, 70, 3,
      [](int, int) {
        return Cor{1, 1, 1, 255};
      },
      Formato::JPEG);
  ASSERT_TRUE(T2D2_DimensoesDoArquivo(jpg.c_str(), &l, &a));
  EXPECT_EQ(l, 19);
  EXPECT_EQ(a, 70);
  ASSERT_TRUE(T2D2_DimensoesDoArquivo(CabecalhoJpeg("so.jpg", 30000, 2).c_str(),
                                      &l, &a));
  EXPECT_EQ(l, 30000);
  EXPECT_EQ(a, 2);
  // Cut inside the header, another format, no file: nothing is claimed.
  Bytes cab = CabecalhoPng(10, 10, PNG_RGBA);
  for (size_t n : {size_t(0), size_t(8), size_t(20), cab.size() - 10}) {
    std::string cortado = nome("cortado" + std::to_string(n) + ".png");
    GravaBytes(cortado, Bytes(cab.begin(), cab.begin() + long(n)));
    EXPECT_FALSE(T2D2_DimensoesDoArquivo(cortado.c_str(), &l, &a)) << n;
  }
  Bytes jpegCortado = {0xff, 0xd8, 0xff, 0xe0, 0, 16, 'J'};
  GravaBytes(nome("cortado.jpg"), jpegCortado);
  EXPECT_FALSE(T2D2_DimensoesDoArquivo(nome("cortado.jpg").c_str(), &l, &a));
  GravaBytes(nome("texto.png"), Bytes(40, 'x'));
  EXPECT_FALSE(T2D2_DimensoesDoArquivo(nome("texto.png").c_str(), &l, &a));
  EXPECT_FALSE(T2D2_DimensoesDoArquivo(nome("nao_ha.png").c_str(), &l, &a));
}

TEST_F(Imagens, TamanhosHostisSaoRecusadosComAMensagemDoLimite) {
  const std::string alta = PngCinza("1x100000.png", 1, 100000);
  const std::string larga = PngCinza("16384x1.png", 16384, 1);
  const std::string enorme = PngCinza("20000x20000.png", 20000, 20000);
  const std::string alem = nome("16385x16385.png");
  ASSERT_TRUE(EscreveCabecalhoPng(alem, 16385, 16385));
  const std::string absurda = nome("65500x65500.png");
  ASSERT_TRUE(EscreveCabecalhoPng(absurda, 65500, 65500));
  const std::string jpeg = CabecalhoJpeg("30000x30000.jpg", 30000, 30000);
  for (const std::string &arquivo : {alta, enorme, alem, absurda, jpeg}) {
    EXPECT_EQ(carrega(arquivo), 0u) << arquivo;
    EXPECT_EQ(saida, limite()) << arquivo;
    confereRegistroLivre(arquivo);
  }
  // 16384 pixels fit a texture, but sdl12-compat makes no surface that wide:
  // the decoder's refusal, reported as a failed load.
  EXPECT_EQ(carrega(larga), 0u);
  if (NO_GL)
    EXPECT_EQ(saida.rfind("A fun\xe7\xe3o T2D2_CarregaSPriteset falhou ao "
                          "carregar o arquivo " +
                              larga + ". Erro: ",
                          0),
              0u)
        << saida;
  else
    EXPECT_EQ(saida, limite());
  confereRegistroLivre(larga);
}

TEST_F(Imagens, ImagensDentroDoLimiteCarregamComoAntes) {
  // The largest sides the back-end holds still load, from their header on.
  const Uint32 lado = NO_GL ? 4096 : 16383;
  std::string larga = PngCinza("dentro_larga.png", lado, 2);
  ASSERT_EQ(carrega(larga, 0, 0), 1u) << saida;
  EXPECT_EQ(saida, "");
  EXPECT_EQ(sprites[0].largura, int(lado));
  EXPECT_TRUE(T2D2_GetBit(sprites[0].bmask[0], int(lado) - 1, 1));
  std::string alta = PngCinza("dentro_alta.png", 2, NO_GL ? 4096 : 32767);
  ASSERT_EQ(carrega(alta, 0, 0), 2u) << saida;
  EXPECT_EQ(sprites[1].altura, NO_GL ? 4096 : 32767);
}

// ---------------------------------------------------------------------------
// Pixel layouts
// ---------------------------------------------------------------------------

// Whether the decoder's pixel counts as background: the surface's own colour
// key, a zero alpha, or magenta. OpenGL clears only opaque magenta; SDL's
// colour key compares colour alone, so there magenta of any alpha goes.
// Read in the surface's own layout.
static bool FundoDecodificado(SDL_Surface *s, int x, int y) {
  const Uint8 *p = static_cast<const Uint8 *>(s->pixels) + y * s->pitch +
                   x * s->format->BytesPerPixel;
  Uint32 v = 0;
  memcpy(&v, p, s->format->BytesPerPixel);
  if (s->format->BytesPerPixel < 4)
    v &= (1u << (8 * s->format->BytesPerPixel)) - 1;
  if ((s->flags & SDL_SRCCOLORKEY) && v == s->format->colorkey) return true;
  Uint8 r, g, b, a;
  SDL_GetRGBA(v, s->format, &r, &g, &b, &a);
  return a == 0 || (r == 255 && g == 0 && b == 255 && (a == 255 || !NO_GL));
}

struct Layout {
  const char *nome;
  // Writes a w x 3 image of this layout and returns its path.
  std::string (*escreve)(const std::string &caminho, int w);
};

// Pixel (x, y) of the test pattern picks entry (x + 2y) % 4.
static int entrada(Uint32 x, Uint32 y) {
  return int((x + 2 * y) % 4);
}

static std::string escreveCinza(const std::string &c, int w) {
  EscrevePng(c, Uint32(w), 3, PNG_CINZA, size_t(w), [](Uint32 y, Bytes &l) {
    for (size_t x = 0; x < l.size(); x++)
      l[x] = Uint8(60 * entrada(Uint32(x), y));
  });
  return c;
}

static const Bytes PALETA = {255, 0, 255, 10, 200, 30, 0, 0, 0, 250, 250, 250};

static void linhaDaPaleta(Uint32 y, Bytes &l) {
  for (size_t x = 0; x < l.size(); x++) l[x] = Uint8(entrada(Uint32(x), y));
}

static std::string escrevePaleta(const std::string &c, int w) {
  EscrevePng(c, Uint32(w), 3, PNG_PALETA, size_t(w), linhaDaPaleta, PALETA);
  return c;
}

// One fully transparent entry: SDL_image hands over an 8-bit colour-keyed
// surface.
static std::string escrevePaletaComChave(const std::string &c, int w) {
  EscrevePng(c, Uint32(w), 3, PNG_PALETA, size_t(w), linhaDaPaleta, PALETA,
             Bytes{255, 0, 255, 255});
  return c;
}

// Translucent entries: SDL_image expands the palette to RGBA.
static std::string escrevePaletaTranslucida(const std::string &c, int w) {
  EscrevePng(c, Uint32(w), 3, PNG_PALETA, size_t(w), linhaDaPaleta, PALETA,
             Bytes{128, 0, 1, 255});
  return c;
}

static Cor corDoPadrao(int x, int y) {
  const Cor cores[4] = {{255, 0, 255, 255},
                        {10, 200, 30, 255},
                        {90, 90, 90, 0},
                        {255, 0, 255, 128}};
  return cores[entrada(Uint32(x), Uint32(y))];
}

static std::string escreveRGB(const std::string &c, int w) {
  return EscreveImagem(c, w, 3, 3, corDoPadrao);
}

static std::string escreveRGBA(const std::string &c, int w) {
  return EscreveImagem(c, w, 3, 4, corDoPadrao);
}

static std::string escreveJPEG(const std::string &c, int w) {
  return EscreveImagem(c, w, 3, 3, corDoPadrao, Formato::JPEG);
}

static const Layout LAYOUTS[] = {
    {"cinza", escreveCinza},
    {"paleta", escrevePaleta},
    {"paleta_chave", escrevePaletaComChave},
    {"paleta_translucida", escrevePaletaTranslucida},
    {"rgb", escreveRGB},
    {"rgba", escreveRGBA},
    {"jpeg", escreveJPEG},
};

static std::string escolheNome(const Layout &lay, int w) {
  return nome(std::string(lay.nome) + "_" + std::to_string(w) +
              (lay.escreve == escreveJPEG ? ".jpg" : ".png"));
}

TEST_F(Imagens, TodoLayoutViraImagemDe32BitsComAMascaraDosPixels) {
  for (const Layout &lay : LAYOUTS)
    for (int w : {1, 31, 32, 33}) {
      std::string caminho = escolheNome(lay, w);
      lay.escreve(caminho, w);
      SDL_Surface *ref = IMG_Load(caminho.c_str());
      ASSERT_NE(ref, nullptr) << caminho;
      unsigned int id = carrega(caminho);
      ASSERT_NE(id, 0u) << caminho << ": " << saida;
      const T2D2_SpriteSet &s = sprites[id - 1];
      ASSERT_EQ(s.imagem->format->BytesPerPixel, 4) << caminho;
      SDL_LockSurface(ref);
      for (int y = 0; y < 3; y++)
        for (int x = 0; x < w; x++) {
          bool fundo = FundoDecodificado(ref, x, y);
          EXPECT_EQ(T2D2_GetBit(s.bmask[0], x, y), !fundo)
              << caminho << " (" << x << "," << y << ")";
          EXPECT_EQ(LePixelSuperficie(s.imagem, x, y).a == 0, fundo)
              << caminho << " working image (" << x << "," << y << ")";
        }
      SDL_UnlockSurface(ref);
      SDL_FreeSurface(ref);
      T2D2_RemoveSpriteSet(id);
    }
}
