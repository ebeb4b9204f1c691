// Keyboard and mouse tables, driven by real events on SDL's queue.
#include "apoio.h"
#include "tovik2d2_interno.h"

#include <gtest/gtest.h>
#include <vector>

class Entrada : public ::testing::Test {
protected:
  void SetUp() override { ASSERT_TRUE(IniciaGLSilencioso()); }
  void TearDown() override { EncerraSilencioso(); }

  static void tecla(Uint8 tipo, SDLKey sym) {
    SDL_Event e{};
    e.type = tipo;
    e.key.keysym.sym = sym;
    ASSERT_EQ(SDL_PushEvent(&e), 0);
  }
  static void botao(Uint8 tipo, Uint8 numero, Uint16 x, Uint16 y) {
    SDL_Event e{};
    e.type = tipo;
    e.button.button = numero;
    e.button.x = x;
    e.button.y = y;
    ASSERT_EQ(SDL_PushEvent(&e), 0);
  }
  // Indices of every key whose record is not all false.
  static std::vector<int> teclasTocadas() {
    std::vector<int> v;
    for (int i = 0; i < T2D2_MAXTECLAS; i++)
      if (teclas[i].pressionado || teclas[i].ativo || teclas[i].liberado)
        v.push_back(i);
    return v;
  }
};

static void esperaEstado(const T2D2_Botao &b, bool p, bool a, bool l) {
  EXPECT_EQ(b.pressionado, p);
  EXPECT_EQ(b.ativo, a);
  EXPECT_EQ(b.liberado, l);
}

TEST_F(Entrada, TudoZeradoAntesDaPrimeiraLeitura) {
  EXPECT_TRUE(teclasTocadas().empty());
  EXPECT_EQ(mouse.x, 0);
  EXPECT_EQ(mouse.y, 0);
  EXPECT_EQ(T2D2_PegaTeclas(), teclas);
  EXPECT_EQ(T2D2_PegaMouse(), &mouse);
}

TEST_F(Entrada, BordasDePressaoManutencaoESoltura) {
  tecla(SDL_KEYDOWN, SDLK_a);
  T2D2_Entrada();
  esperaEstado(teclas[T2D2_A], true, true, false);
  T2D2_Entrada();
  esperaEstado(teclas[T2D2_A], false, true, false);
  T2D2_Entrada();
  esperaEstado(teclas[T2D2_A], false, true, false);
  tecla(SDL_KEYUP, SDLK_a);
  T2D2_Entrada();
  esperaEstado(teclas[T2D2_A], false, false, true);
  T2D2_Entrada();
  esperaEstado(teclas[T2D2_A], false, false, false);
}

TEST_F(Entrada, ToqueDentroDeUmaLeituraMostraSoASoltura) {
  tecla(SDL_KEYDOWN, SDLK_RETURN);
  tecla(SDL_KEYUP, SDLK_RETURN);
  T2D2_Entrada();
  esperaEstado(teclas[T2D2_ENTER], false, false, true);
}

TEST_F(Entrada, PedidoDeFecharFicaPressionadoParaSempre) {
  SDL_Event e{};
  e.type = SDL_QUIT;
  ASSERT_EQ(SDL_PushEvent(&e), 0);
  T2D2_Entrada();
  esperaEstado(teclas[T2D2_ENCERRA], true, true, false);
  for (int i = 0; i < 3; i++) T2D2_Entrada();
  esperaEstado(teclas[T2D2_ENCERRA], false, true, false);
}

TEST_F(Entrada, CadaTeclaDaPlataformaAcionaSoASuaEntrada) {
  struct Par {
    SDLKey sym;
    int indice;
  };
  std::vector<Par> mapa = {
      {SDLK_UP, T2D2_CIMA},       {SDLK_DOWN, T2D2_BAIXO},
      {SDLK_RIGHT, T2D2_DIREITA}, {SDLK_LEFT, T2D2_ESQUERDA},
      {SDLK_ESCAPE, T2D2_ESC},    {SDLK_F1, T2D2_F1},
      {SDLK_F2, T2D2_F2},         {SDLK_F3, T2D2_F3},
      {SDLK_F4, T2D2_F4},         {SDLK_RETURN, T2D2_ENTER},
      {SDLK_SPACE, T2D2_ESPACO},  {SDLK_LALT, T2D2_LALT},
      {SDLK_RALT, T2D2_RALT},     {SDLK_LCTRL, T2D2_LCTRL},
      {SDLK_RCTRL, T2D2_RCTRL},   {SDLK_LSHIFT, T2D2_LSHIFT},
      {SDLK_RSHIFT, T2D2_RSHIFT},
  };
  for (int i = 0; i < 26; i++) mapa.push_back({SDLKey(SDLK_a + i), 9 + i});
  for (int i = 0; i < 10; i++) mapa.push_back({SDLKey(SDLK_0 + i), 35 + i});
  EXPECT_EQ(T2D2_Z, 34);
  EXPECT_EQ(T2D2_9, 44);
  for (const Par &p : mapa) {
    tecla(SDL_KEYDOWN, p.sym);
    T2D2_Entrada();
    EXPECT_EQ(teclasTocadas(), std::vector<int>{p.indice}) << "sym " << p.sym;
    tecla(SDL_KEYUP, p.sym);
    T2D2_Entrada();
    T2D2_Entrada();
  }
}

TEST_F(Entrada, TeclasSemEntradaSaoIgnoradas) {
  const SDLKey outras[] = {SDLK_KP0,   SDLK_KP5,       SDLK_KP_ENTER,
                           SDLK_TAB,   SDLK_BACKSPACE, SDLK_F5,
                           SDLK_COMMA, SDLK_LSUPER,    SDLK_LMETA};
  for (SDLKey k : outras) tecla(SDL_KEYDOWN, k);
  T2D2_Entrada();
  EXPECT_TRUE(teclasTocadas().empty());
}

TEST_F(Entrada, OsDoisShiftsSaoSeparados) {
  tecla(SDL_KEYDOWN, SDLK_LSHIFT);
  tecla(SDL_KEYDOWN, SDLK_RSHIFT);
  T2D2_Entrada();
  EXPECT_TRUE(teclas[T2D2_LSHIFT].ativo);
  EXPECT_TRUE(teclas[T2D2_RSHIFT].ativo);
  tecla(SDL_KEYUP, SDLK_RSHIFT);
  T2D2_Entrada();
  EXPECT_TRUE(teclas[T2D2_LSHIFT].ativo);
  esperaEstado(teclas[T2D2_RSHIFT], false, false, true);
}

TEST_F(Entrada, BotoesUmTresEDoisSaoEsquerdoDireitoEMeio) {
  botao(SDL_MOUSEBUTTONDOWN, 1, 10, 20);
  T2D2_Entrada();
  esperaEstado(mouse.botoes[T2D2_MESQUERDO], true, true, false);
  botao(SDL_MOUSEBUTTONDOWN, 3, 30, 40);
  T2D2_Entrada();
  esperaEstado(mouse.botoes[T2D2_MDIREITO], true, true, false);
  esperaEstado(mouse.botoes[T2D2_MESQUERDO], false, true, false);
  botao(SDL_MOUSEBUTTONDOWN, 2, 50, 60);
  T2D2_Entrada();
  esperaEstado(mouse.botoes[T2D2_MMEIO], true, true, false);
  EXPECT_EQ(mouse.x, 50);
  EXPECT_EQ(mouse.y, 60);
  botao(SDL_MOUSEBUTTONUP, 3, 70, 80);
  T2D2_Entrada();
  esperaEstado(mouse.botoes[T2D2_MDIREITO], false, false, true);
  EXPECT_EQ(mouse.x, 70);
  EXPECT_EQ(mouse.y, 80);
}

TEST_F(Entrada, RodaMoveSoAPosicao) {
  botao(SDL_MOUSEBUTTONDOWN, 4, 123, 456);
  botao(SDL_MOUSEBUTTONUP, 5, 321, 654);
  T2D2_Entrada();
  EXPECT_EQ(mouse.x, 321);
  EXPECT_EQ(mouse.y, 654);
  for (const T2D2_Botao &b : mouse.botoes) esperaEstado(b, false, false, false);
}

TEST_F(Entrada, MovimentoAtualizaAPosicao) {
  SDL_Event e{};
  e.type = SDL_MOUSEMOTION;
  e.motion.x = 799;
  e.motion.y = 599;
  ASSERT_EQ(SDL_PushEvent(&e), 0);
  T2D2_Entrada();
  EXPECT_EQ(mouse.x, 799);
  EXPECT_EQ(mouse.y, 599);
}
