// The frame read back with T2D2_LeTela: the same picture drawn on OpenGL and
// on the SDL back-end must come back as the same bytes, the right way up and
// in RGBA order, and stay what was shown while the next frame is drawn; bad
// requests are refused with their message and leave the caller's memory
// alone.
#include "apoio.h"
#include "tovik2d2_interno.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

// Wider than high, and the sprite off-centre, so a transposed, mirrored or
// upside-down copy cannot match.
const int L = 96, A = 64, X = 40, Y = 16, LADO = 32;
const Cor FUNDO{20, 30, 40, 255};

// Four quadrants of distinct colours: any swap of channels or rows shows.
Cor Quadrante(int x, int y) {
  if (y < LADO / 2)
    return x < LADO / 2 ? Cor{250, 20, 20, 255} : Cor{20, 240, 30, 255};
  return x < LADO / 2 ? Cor{10, 40, 230, 255} : Cor{200, 180, 60, 255};
}

Cor Esperado(int x, int y) {
  bool noSprite = x >= X && x < X + LADO && y >= Y && y < Y + LADO;
  return noSprite ? Quadrante(x - X, y - Y) : FUNDO;
}

const char GUARDANDO[] =
    "T2D2_LeTela ainda n\xe3o tem quadro: a Tovik2D 2 passa a guardar cada "
    "quadro mostrado, e o primeiro fica pronto no pr\xf3ximo "
    "T2D2_Sincroniza.\n";

std::string LeCapturando(Uint8 *pixels, size_t tamanho, bool *leu) {
  CapturaSaida c;
  *leu = T2D2_LeTela(pixels, tamanho);
  return c.texto();
}

// Asks for frames, draws the picture, shows it, starts drawing over it and
// reads it back; an empty vector when the read failed.
std::vector<Uint8> MostraELe(int tipoRender) {
  if (!IniciaSilencioso(tipoRender, L, A)) return {};
  std::vector<Uint8> rgba(size_t(L) * A * 4);
  bool leu = true;
  EXPECT_EQ(LeCapturando(rgba.data(), rgba.size(), &leu), GUARDANDO);
  EXPECT_FALSE(leu);
  std::string saida;
  unsigned int id = CarregaCapturando(
      EscreveImagem("tela_quadrantes.png", LADO, LADO, 4, Quadrante), 0, 0,
      saida);
  T2D2_TrocaCorLimpezaTela(FUNDO.r, FUNDO.g, FUNDO.b);
  T2D2_LimpaTela();
  T2D2_DesenhaSprite(id, 0, X, Y);
  T2D2_Sincroniza(200);
  T2D2_TrocaCorLimpezaTela(255, 255, 255);
  T2D2_LimpaTela();
  leu = T2D2_LeTela(rgba.data(), rgba.size());
  EncerraSilencioso();
  return leu ? rgba : std::vector<Uint8>();
}

void ConfereQuadro(const std::vector<Uint8> &rgba, const char *backEnd) {
  SCOPED_TRACE(backEnd);
  ASSERT_EQ(rgba.size(), size_t(L) * A * 4);
  int erradas = 0;
  for (int y = 0; y < A; y++)
    for (int x = 0; x < L; x++) {
      const Uint8 *p = &rgba[(size_t(y) * L + x) * 4];
      Cor e = Esperado(x, y);
      bool perto = std::abs(p[0] - e.r) <= 2 && std::abs(p[1] - e.g) <= 2 &&
                   std::abs(p[2] - e.b) <= 2 && p[3] == 255;
      if (!perto && erradas++ < 5)
        ADD_FAILURE() << "(" << x << ", " << y << ") is "
                      << Cor{p[0], p[1], p[2], p[3]} << ", expected " << e;
    }
  EXPECT_EQ(erradas, 0);
}

} // namespace

TEST(LeTela, OMesmoQuadroNosDoisBackEnds) {
  ConfereQuadro(MostraELe(T2D2_DESENHO_OPENGL), "OpenGL");
  // The SDL back-end on the driver a headless game on it would use.
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  ConfereQuadro(MostraELe(T2D2_DESENHO_PADRAO), "SDL");
}

TEST(LeTela, RecusaPedidosRuinsSemTocarNaMemoria) {
  std::vector<Uint8> rgba(size_t(L) * A * 4, 0xAB);
  const std::vector<Uint8> intacta = rgba;
  bool leu = true;
  EXPECT_EQ(LeCapturando(rgba.data(), rgba.size(), &leu),
            "T2D2_LeTela n\xe3o tem quadro para ler: a Tovik2D 2 n\xe3o "
            "est\xe1 iniciada. Chame T2D2_Inicia antes.\n");
  EXPECT_FALSE(leu);

  ASSERT_TRUE(IniciaGLSilencioso(L, A));
  EXPECT_EQ(LeCapturando(nullptr, rgba.size(), &leu),
            "T2D2_LeTela recebeu um ponteiro nulo e foi recusada.\n");
  EXPECT_FALSE(leu);
  EXPECT_EQ(LeCapturando(rgba.data(), rgba.size() - 1, &leu),
            "T2D2_LeTela recebeu 24575 bytes, mas a tela de 96x64 precisa de "
            "24576 (largura x altura x 4); nada foi copiado.\n");
  EXPECT_FALSE(leu);
  EXPECT_TRUE(rgba == intacta);
  EncerraSilencioso();
}
