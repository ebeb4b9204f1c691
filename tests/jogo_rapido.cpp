// The clock is interposed in the test executable: the library's frame pacing
// and the end pause call SDL_Delay and SDL_GetTicks, which resolve here first.
// Frames then follow each other as fast as they are drawn, while the game
// sees the same 16 ms steps and the same 2000 ms pause as on a real clock.
#include "jogo_rapido.h"
#include "includes.h"
#include "Objeto.h"

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

int CargasParaAcertar(float massa) {
  int melhor = 0;
  double menor = 1e9;
  for (int n = 20; n <= 120; n++) {
    double forca = 0, delta = 0.10833333333333334;
    for (int i = 0; i < n; i++) forca = forcaRecalcula(forca + delta, &delta);
    obj::Canhao armas[2] = {obj::Canhao(100, 540, 0, 0, 0, 100),
                            obj::Canhao(1670, 540, 0, 0, 0, 100)};
    obj::Bala balas[2] = {obj::Bala(100, 540, 0, massa),
                          obj::Bala(1670, 540, 0, massa)};
    for (int i = 0; i < 2; i++) {
      armas[i].aplicaOffset(math::Vector2D(300, 28));
      balas[i].aplicaOffset(math::Vector2D(300, 28));
    }
    armas[0].CalculaRotacao(500, 468);
    balas[0].resultante = PosicaoNaBoca(armas[0]);
    const math::Vector2D f0 =
        ImpulsoInicial(forca, AnguloDoTiro(0, 500, 468, armas[0].resultante));
    math::Vector2D v, a;
    Lancamento(f0, massa, math::Vector2D(0, 9.787603f), &v, &a);
    const math::Vector2D passo = PassoDaCamera(f0, massa);
    while (balas[0].resultante.y <= 600) {
      MoveBala(&balas[0].resultante, &v, a);
      if (!CameraParou(0, balas))
        for (int i = 0; i < 2; i++) {
          armas[i].aplicaOffset(-passo);
          balas[i].aplicaOffset(-passo);
        }
      const math::Vector2D d =
          balas[0].resultante + math::Vector2D(28, 28) - armas[1].resultante;
      if (d.size() < menor) {
        menor = d.size();
        melhor = n;
      }
    }
  }
  return melhor;
}
