// The clock is interposed in the test executable: the library's frame pacing
// and the end pause call SDL_Delay and SDL_GetTicks, which resolve here first.
// Frames then follow each other as fast as they are drawn, while the game
// sees the same 16 ms steps and the same 2000 ms pause as on a real clock.
#include "jogo_rapido.h"

#include "t2d2/tovik2d2.h"

std::function<void()> inicioDoJogo;
bool jogoNoSDL = false;
bool saiAoCarregarAFonte = false;
bool saiNaPausaFinal = false;

static Uint32 agora = 0;

static void EmpurraSaida() {
  SDL_Event e{};
  e.type = SDL_QUIT;
  SDL_PushEvent(&e);
}

extern "C" Uint32 SDL_GetTicks() {
  return agora;
}

extern "C" void SDL_Delay(Uint32 ms) {
  if (saiNaPausaFinal && ms >= 1000) {
    saiNaPausaFinal = false;
    EmpurraSaida();
  }
  agora += ms;
}

Uint32 RelogioFalso() {
  return agora;
}

// The wrapped names are the mangled ones; the wrappers themselves carry C
// names so that the linker finds them as it spells them.
extern "C" {
bool __real__Z11T2D2_IniciajjiiPKc(unsigned int, unsigned int, int, int,
                                   const char *);
unsigned int __real__Z17T2D2_CarregaFontePKci(const char *, int);

bool __wrap__Z11T2D2_IniciajjiiPKc(unsigned int largura, unsigned int altura,
                                   int modo, int tipo, const char *titulo) {
  if (inicioDoJogo) inicioDoJogo();
  if (jogoNoSDL) tipo = T2D2_DESENHO_PADRAO;
  return __real__Z11T2D2_IniciajjiiPKc(largura, altura, modo, tipo, titulo);
}

unsigned int __wrap__Z17T2D2_CarregaFontePKci(const char *arquivo,
                                              int dimensao) {
  if (saiAoCarregarAFonte) EmpurraSaida();
  return __real__Z17T2D2_CarregaFontePKci(arquivo, dimensao);
}
}

Roteiro Sai() {
  return {[](const Quadro &) {
    EmpurraSaida();
    return true;
  }};
}

Roteiro AteOQuadro(int numero) {
  return {[numero](const Quadro &q) { return q.numero >= numero; }};
}
