// The basket example played headless on both back-ends through the real SDL
// event queue: its main runs in this process, and the library's frame hook,
// which runs at the end of every frame before it is shown, reads the frame's
// pixels and pushes the next input events.
#include "apoio.h"
#include "tovik2d2_interno.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>
#include <vector>

int cesta_main(int argc, char **argv); // examples/cesta.cpp

// Linked with --wrap for T2D2_Inicia: the program's start lands here, and
// SDL's own records of it stay out of the leak check, as for every start in
// the suites.
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

// Where the example draws: the basket's woven body on row LINHA_CESTO, the
// score in white in the box at the top left; no fruit holds white.
const int LINHA_CESTO = 440, MEIO = 320, PRAZO = 600; // frames: 10 s
const Cor CORES_DO_CESTO[] = {
    {150, 90, 40, 255}, {120, 70, 30, 255}, {250, 220, 90, 255}};

Cor Pixel(int x, int y) {
  return render == T2D2_DESENHO_OPENGL ? LePixelGL(x, y)
                                       : LePixelSuperficie(screen, x, y);
}

bool CestoEm(int x) {
  Cor c = Pixel(x, LINHA_CESTO);
  for (const Cor &k : CORES_DO_CESTO)
    if (std::abs(c.r - k.r) <= 3 && std::abs(c.g - k.g) <= 3 &&
        std::abs(c.b - k.b) <= 3)
      return true;
  return false;
}

// The score's box, one character a pixel: '#' for white ink.
std::string Placar() {
  std::string s;
  for (int y = 10; y < 26; y++)
    for (int x = 10; x < 210; x++) s += Pixel(x, y).r == 255 ? '#' : '.';
  return s;
}

void Empurra(Uint8 tipo, SDLKey tecla = SDLK_UNKNOWN) {
  SDL_Event e{};
  e.type = tipo;
  if (tipo == SDL_MOUSEMOTION)
    e.motion.x = 100;
  else
    e.key.keysym.sym = tecla;
  ASSERT_EQ(SDL_PushEvent(&e), 0) << SDL_GetError();
}

// The steps of one play, each waited for frame by frame up to PRAZO; SAIDA
// waits for the program to end by itself, FIM for it to end once given up.
enum Etapa { INICIO, PONTUA, MOUSE, TECLADO, SAIDA, FIM };
struct {
  Etapa etapa;
  int quadros;
  std::string placar;
} partida;

void Avanca(Etapa proxima) {
  partida.etapa = proxima;
  partida.quadros = 0;
}

// Runs once per frame, with the frame drawn and not yet shown.
void Joga() {
  if (partida.etapa == FIM) return;
  if (++partida.quadros > PRAZO) {
    ADD_FAILURE() << "step " << partida.etapa << " not reached in " << PRAZO
                  << " frames; basket pixels at 100, 220, " << MEIO << ": "
                  << Pixel(100, LINHA_CESTO) << Pixel(220, LINHA_CESTO)
                  << Pixel(MEIO, LINHA_CESTO);
    Empurra(SDL_QUIT);
    return Avanca(FIM);
  }
  switch (partida.etapa) {
  case INICIO: // the basket starts in the middle, under the first fruit
    EXPECT_TRUE(CestoEm(MEIO));
    partida.placar = Placar();
    return Avanca(PONTUA);
  case PONTUA: // the first fruit lands in it and the score changes
    if (Placar() == partida.placar) return;
    Empurra(SDL_MOUSEMOTION); // to x = 100
    return Avanca(MOUSE);
  case MOUSE: // the basket jumps under the pointer
    if (!CestoEm(100) || CestoEm(MEIO)) return;
    Empurra(SDL_KEYDOWN, SDLK_RIGHT);
    return Avanca(TECLADO);
  case TECLADO: // and walks right while the key is held
    if (!CestoEm(220) || CestoEm(100)) return;
    Empurra(SDL_KEYUP, SDLK_RIGHT);
    // A tap of Escape within one frame, which shows only its release.
    Empurra(SDL_KEYDOWN, SDLK_ESCAPE);
    Empurra(SDL_KEYUP, SDLK_ESCAPE);
    return Avanca(SAIDA);
  case SAIDA:
  case FIM:
    return;
  }
}

void JogaNoBackEnd(const char *nome, std::vector<char *> argumentos) {
  SCOPED_TRACE(nome);
  Avanca(INICIO);
  // The key table and the mouse record outlive a shut-down: the Escape that
  // ended the previous play would end this one at once, and its pointer
  // would not move.
  T2D2_PegaTeclas()[T2D2_ESC] = T2D2_Botao{};
  *T2D2_PegaMouse() = T2D2_Mouse{};
  T2D2_DefineSincronizaUsuario(Joga);
  CapturaSaida saida;
  int status = cesta_main(int(argumentos.size()), argumentos.data());
  std::string texto = saida.texto();
  T2D2_DefineSincronizaUsuario(nullptr);
  // Failures inside the play were printed into the capture too.
  EXPECT_EQ(status, 0);
  EXPECT_EQ(partida.etapa, SAIDA);
  EXPECT_NE(texto.find("Cesta: pronto.\n"), std::string::npos);
  EXPECT_EQ(texto.find("Cesta: 0 pontos."), std::string::npos);
  EXPECT_NE(texto.find("Cesta: fim.\n"), std::string::npos);
  if (::testing::Test::HasFailure()) std::fputs(texto.c_str(), stderr);
}

} // namespace

TEST(Cesta, PontuaESegueOMouseEAsTeclasNosDoisBackEnds) {
  ASSERT_EQ(chdir(CESTA_ARQUIVOS), 0) << CESTA_ARQUIVOS;
  char programa[] = "cesta", sdl[] = "sdl";
  JogaNoBackEnd("OpenGL", {programa});
  JogaNoBackEnd("SDL", {programa, sdl});
}
