// The side-scrolling example played headless on both back-ends through the
// real SDL event queue, its main in this process: the frame hook reads back
// the frame last shown (T2D2_LeTela) and pushes the next input events. A jump
// rises and lands where it started; running right, the runner stops at the
// middle of the screen while the world scrolls under it, and the coins along
// the way, the third one past the first screen, score.
#include "apoio.h"
#include "tovik2d2_interno.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>
#include <vector>

int pulo_main(int argc, char **argv); // examples/pulo.cpp

// Linked with --wrap for T2D2_Inicia, as test_cesta: SDL's own records of the
// start stay out of the leak check.
extern "C" bool __real__Z11T2D2_IniciajjiiPKc(unsigned int, unsigned int, int,
                                              int, const char *);
extern "C" bool __wrap__Z11T2D2_IniciajjiiPKc(unsigned int largura,
                                              unsigned int altura, int modo,
                                              int tipo, const char *titulo) {
  return SemRegistrarVazamentos([&] {
    return __real__Z11T2D2_IniciajjiiPKc(largura, altura, modo, tipo, titulo);
  });
}

namespace {

const int LARGURA = 640, ALTURA = 480, PRAZO = 600; // frames: 10 s
// The runner's red shirt, the only red in Pulo's pictures, starts 10 pixels
// right of its frame's left edge; the camera holds the frame at 304.
const int CAMISA_X = 10, MEIO = LARGURA / 2 - 16 + CAMISA_X, MOEDAS = 3;
std::vector<Uint8> quadro(LARGURA *ALTURA * 4);

bool Camisa(int x, int y) {
  const Uint8 *p = &quadro[4 * (y * LARGURA + x)];
  return std::abs(p[0] - 200) <= 3 && std::abs(p[1] - 30) <= 3 &&
         std::abs(p[2] - 30) <= 3;
}

struct Corredor {
  bool visto;
  int x, y; // the shirt's top-left on the screen
};

Corredor Procura() {
  Corredor c{false, LARGURA, ALTURA};
  for (int y = 0; y < ALTURA; y++)
    for (int x = 0; x < LARGURA; x++)
      if (Camisa(x, y)) c = Corredor{true, std::min(c.x, x), std::min(c.y, y)};
  return c;
}

// The coin count's box, one character a pixel: '#' for white ink.
std::string Placar() {
  std::string s;
  for (int y = 10; y < 26; y++)
    for (int x = 10; x < 210; x++)
      s += quadro[4 * (y * LARGURA + x)] == 255 ? '#' : '.';
  return s;
}

void Empurra(Uint8 tipo, SDLKey tecla) {
  SDL_Event e{};
  e.type = tipo;
  e.key.keysym.sym = tecla;
  ASSERT_EQ(SDL_PushEvent(&e), 0) << SDL_GetError();
}

enum Etapa { INICIO, SOBE, POUSA, CORRE, SAIDA, FIM };
struct {
  Etapa etapa;
  int quadros, moedas;
  Corredor inicio, visto;
  std::string placar;
} partida;

void Avanca(Etapa proxima) {
  partida.etapa = proxima;
  partida.quadros = 0;
}

void Desiste(const std::string &motivo) {
  ADD_FAILURE() << "step " << partida.etapa << ": " << motivo
                << "; runner last seen " << partida.visto.visto << " at ("
                << partida.visto.x << ", " << partida.visto.y << "), "
                << partida.moedas << " coins counted";
  Empurra(SDL_QUIT, SDLK_UNKNOWN);
  Avanca(FIM);
}

// Runs once per frame, with the frame before it already shown.
void Joga() {
  if (partida.etapa >= SAIDA) return;
  if (++partida.quadros > PRAZO) return Desiste("not reached in time");
  if (!T2D2_LeTela(quadro.data(), quadro.size())) return; // the first frame
  const Corredor c = partida.visto = Procura();
  if (!c.visto) return Desiste("no runner on the screen");
  switch (partida.etapa) {
  case INICIO: // standing on the ground, left of the middle
    EXPECT_LT(c.x, MEIO);
    partida.inicio = c;
    Empurra(SDL_KEYDOWN, SDLK_SPACE);
    return Avanca(SOBE);
  case SOBE: // over a tile high
    if (c.y > partida.inicio.y - 40) return;
    Empurra(SDL_KEYUP, SDLK_SPACE);
    return Avanca(POUSA);
  case POUSA: // and back on the ground where it left it
    if (c.y != partida.inicio.y) return;
    EXPECT_EQ(c.x, partida.inicio.x);
    partida.placar = Placar();
    Empurra(SDL_KEYDOWN, SDLK_RIGHT);
    return Avanca(CORRE);
  case CORRE:
    if (c.x > MEIO + 4) return Desiste("the camera let the runner pass");
    if (Placar() != partida.placar) {
      partida.placar = Placar();
      partida.quadros = 0;
      if (++partida.moedas < MOEDAS) return;
      // The third coin lies at x = 832 of the world, past the first screen.
      EXPECT_GE(c.x, MEIO - 4);
      Empurra(SDL_KEYUP, SDLK_RIGHT);
      // A tap of Escape within one frame, which shows only its release.
      Empurra(SDL_KEYDOWN, SDLK_ESCAPE);
      Empurra(SDL_KEYUP, SDLK_ESCAPE);
      return Avanca(SAIDA);
    }
    return;
  case SAIDA:
  case FIM:
    return;
  }
}

void JogaNoBackEnd(const char *nome, std::vector<char *> argumentos) {
  SCOPED_TRACE(nome);
  partida.moedas = 0;
  Avanca(INICIO);
  // The key table outlives a shut-down: the Escape that ended the previous
  // play would end this one at once.
  std::fill_n(T2D2_PegaTeclas(), int(T2D2_MAXTECLAS), T2D2_Botao{});
  T2D2_DefineSincronizaUsuario(Joga);
  CapturaSaida saida;
  int status = pulo_main(int(argumentos.size()), argumentos.data());
  std::string texto = saida.texto();
  T2D2_DefineSincronizaUsuario(nullptr);
  // Failures inside the play were printed into the capture too.
  EXPECT_EQ(status, 0);
  EXPECT_EQ(partida.etapa, SAIDA);
  EXPECT_NE(texto.find("Pulo: pronto.\n"), std::string::npos);
  EXPECT_NE(texto.find("Pulo: 3 moedas.\n"), std::string::npos);
  EXPECT_NE(texto.find("Pulo: fim.\n"), std::string::npos);
  if (::testing::Test::HasFailure()) std::fputs(texto.c_str(), stderr);
}

} // namespace

TEST(Pulo, PulaEPousaEACameraSegueAteATerceiraMoedaNosDoisBackEnds) {
  ASSERT_EQ(chdir(PULO_ARQUIVOS), 0) << PULO_ARQUIVOS;
  char programa[] = "pulo", sdl[] = "sdl";
  JogaNoBackEnd("OpenGL", {programa});
  JogaNoBackEnd("SDL", {programa, sdl});
}
