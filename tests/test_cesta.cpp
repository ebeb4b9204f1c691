// The basket example played headless on both back-ends through the real SDL
// event queue: its main runs in this process, and the library's frame hook,
// which runs at the end of every frame before it is shown, reads the frame's
// pixels and pushes the next input events.
#include "apoio.h"
#include "tovik2d2_interno.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <set>
#include <sstream>
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
// score's white text in the box at the top left. Fruits never hold white.
const int LINHA_CESTO = 440, MEIO = 320;
const SDL_Rect PLACAR = {10, 10, 200, 16};
const Cor CORES_DO_CESTO[] = {
    {150, 90, 40, 255}, {120, 70, 30, 255}, {250, 220, 90, 255}};
const int PRAZO = 600; // frames, 10 s at the example's 60 per second

Cor Pixel(int x, int y) {
  return render == T2D2_DESENHO_OPENGL ? LePixelGL(x, y)
                                       : LePixelSuperficie(screen, x, y);
}

bool Parecidas(const Cor &a, const Cor &b) {
  return std::abs(a.r - b.r) <= 3 && std::abs(a.g - b.g) <= 3 &&
         std::abs(a.b - b.b) <= 3;
}

bool CestoEm(int x) {
  Cor c = Pixel(x, LINHA_CESTO);
  for (const Cor &k : CORES_DO_CESTO)
    if (Parecidas(c, k)) return true;
  return false;
}

// The white pixels of the score, as offsets into its box.
std::set<int> Placar() {
  std::vector<Uint8> px(size_t(PLACAR.w) * PLACAR.h * 4);
  if (render == T2D2_DESENHO_OPENGL) {
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(PLACAR.x, screen->h - PLACAR.y - PLACAR.h, PLACAR.w, PLACAR.h,
                 GL_RGBA, GL_UNSIGNED_BYTE, px.data());
  }
  std::set<int> brancos;
  for (int y = 0; y < PLACAR.h; y++)
    for (int x = 0; x < PLACAR.w; x++) {
      // OpenGL rows come bottom first.
      Cor c =
          render == T2D2_DESENHO_OPENGL
              ? Cor{px[(size_t(PLACAR.h - 1 - y) * PLACAR.w + x) * 4], 0, 0, 0}
              : LePixelSuperficie(screen, PLACAR.x + x, PLACAR.y + y);
      if (c.r == 255) brancos.insert(y * PLACAR.w + x);
    }
  return brancos;
}

void Empurra(const SDL_Event &e) {
  SDL_Event copia = e;
  ASSERT_EQ(SDL_PushEvent(&copia), 0) << SDL_GetError();
}

void Tecla(Uint8 tipo, SDLKey tecla) {
  SDL_Event e{};
  e.type = tipo;
  e.key.state = tipo == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
  e.key.keysym.sym = tecla;
  Empurra(e);
}

// The steps of one play, each waited for frame by frame up to PRAZO.
enum Etapa { INICIO, PONTUA, MOUSE, TECLADO, FIM };

struct Partida {
  Etapa etapa = INICIO;
  int quadros = 0, quadrosNaEtapa = 0;
  std::set<int> placarInicial;
  std::string visto; // the last state seen, for a failure's report
} partida;

void Avanca(Etapa proxima) {
  partida.etapa = proxima;
  partida.quadrosNaEtapa = 0;
}

void Desiste(const std::string &motivo) {
  ADD_FAILURE() << motivo << " within " << PRAZO
                << " frames; last seen: " << partida.visto;
  SDL_Event e{};
  e.type = SDL_QUIT;
  Empurra(e);
  Avanca(FIM);
}

// Runs once per frame, with the frame drawn and not yet shown.
void Joga() {
  partida.quadros++;
  if (partida.etapa == FIM) return;
  if (++partida.quadrosNaEtapa > PRAZO) return Desiste("step not reached");
  std::ostringstream visto;
  visto << "frame " << partida.quadros << ", basket pixels at 100/" << MEIO
        << "/220: " << Pixel(100, LINHA_CESTO) << " "
        << Pixel(MEIO, LINHA_CESTO) << " " << Pixel(220, LINHA_CESTO);
  partida.visto = visto.str();
  switch (partida.etapa) {
  case INICIO: // the basket starts in the middle, under the first fruit
    EXPECT_TRUE(CestoEm(MEIO)) << partida.visto;
    partida.placarInicial = Placar();
    EXPECT_FALSE(partida.placarInicial.empty()) << "no score drawn";
    return Avanca(PONTUA);
  case PONTUA: { // the first fruit lands in it and the score changes
    if (Placar() == partida.placarInicial) return;
    SDL_Event e{};
    e.type = SDL_MOUSEMOTION;
    e.motion.x = 100;
    e.motion.y = 300;
    Empurra(e);
    return Avanca(MOUSE);
  }
  case MOUSE: // the basket jumps under the pointer
    if (!CestoEm(100) || CestoEm(MEIO)) return;
    Tecla(SDL_KEYDOWN, SDLK_RIGHT);
    return Avanca(TECLADO);
  case TECLADO: // and walks right while the key is held
    if (!CestoEm(220) || CestoEm(100)) return;
    Tecla(SDL_KEYUP, SDLK_RIGHT);
    Tecla(SDL_KEYDOWN, SDLK_ESCAPE);
    return Avanca(FIM);
  case FIM:
    return;
  }
}

void JogaNoBackEnd(const char *nome, std::vector<char *> argumentos) {
  SCOPED_TRACE(nome);
  partida = Partida{};
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
  EXPECT_EQ(partida.etapa, FIM);
  if (::testing::Test::HasFailure()) std::fputs(texto.c_str(), stderr);
  EXPECT_NE(texto.find("Cesta: pronto.\n"), std::string::npos) << texto;
  EXPECT_EQ(texto.find("Cesta: 0 pontos."), std::string::npos) << texto;
  EXPECT_NE(texto.find("Cesta: fim.\n"), std::string::npos) << texto;
}

} // namespace

TEST(Cesta, PontuaESegueOMouseEAsTeclasNosDoisBackEnds) {
  ASSERT_EQ(chdir(CESTA_ARQUIVOS), 0) << CESTA_ARQUIVOS;
  char programa[] = "cesta", sdl[] = "sdl";
  JogaNoBackEnd("OpenGL", {programa});
  JogaNoBackEnd("SDL", {programa, sdl});
}
