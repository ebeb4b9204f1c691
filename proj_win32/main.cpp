// Trovasco's main routine: start-up, splash, the play loop with its nested
// charging and flight frames, the end screen and the clean-up. Every piece of
// game state is a local value here.
#include "Computador.h"
#include "includes.h"
#include "MathUtil.h"
#include "Objeto.h"
#include "Vector2D.h"

#include "t2d2/tovik2d2.h"
#include "t2d2/tovik2d2primitivas.h"
#include "t2d2/tovikaudio2.h"

#include <cstdlib>
#include <ctime>

using math::Vector2D;
using obj::Bala;
using obj::Canhao;

extern "C" int SDL_main(int, char *[]) {
  // -------------------------------------------------------------------------
  // Initialization
  // -------------------------------------------------------------------------
  srand(unsigned(time(nullptr)));
  if (!Tovik2D_Start()) return 0;

  unsigned int bala1 = T2D2_CarregaSpriteSet("./files/bala1.png", 0, 0);
  unsigned int bala2 = T2D2_CarregaSpriteSet("./files/bala2.png", 0, 0);
  unsigned int bala3 = T2D2_CarregaSpriteSet("./files/bala3.png", 0, 0);
  unsigned int bala1g = T2D2_CarregaSpriteSet("./files/bala1g.png", 0, 0);
  unsigned int bala2g = T2D2_CarregaSpriteSet("./files/bala2g.png", 0, 0);
  unsigned int bala3g = T2D2_CarregaSpriteSet("./files/bala3g.png", 0, 0);
  unsigned int canhao = T2D2_CarregaSpriteSet("./files/canhao2.png", 0, 0);
  unsigned int base = T2D2_CarregaSpriteSet("./files/base.png", 0, 0);
  unsigned int fundo = T2D2_CarregaSpriteSet("./files/grama.png", 0, 0);
  unsigned int fundoTras = T2D2_CarregaSpriteSet("./files/fundo4.jpg", 0, 0);
  unsigned int splash = T2D2_CarregaSpriteSet("./files/splash.png", 0, 0);
  unsigned int fonte = T2D2_CarregaFonte("./files/fonte.png", 32);
  unsigned int bCircle =
      T2D2_CarregaSpriteSet("./files/boundingcircle.png", 0, 0);
  unsigned int shoot = TA2_CarregaEfeito("./files/shoot.wav");
  unsigned int explosao = TA2_CarregaEfeito("./files/explosao.wav");
  unsigned int explosaoFinal = TA2_CarregaEfeito("./files/explosaoFinal.wav");
  unsigned int bgMusic = TA2_CarregaMusica("./files/WhatYouWantv2.ogg");

  TA2_TocaMusica(bgMusic, -1);
  TA2_AjustaVolume(20, 100);

  T2D2_Botao *teclas = T2D2_PegaTeclas();
  T2D2_Mouse *mouse = T2D2_PegaMouse();

  const Vector2D grvt(0, 9.787603f);
  Vector2D vento(0, 0);
  Vector2D aceleracao = grvt;
  Vector2D offset(0, 0);
  const Vector2D metadeDaTela(400, 568);
  int mx = 0, my = 0;
  int player = 0;
  int acabou = 0;
  double g = 255.0;
  double color_delta = -2.125;
  double forca = 0.0;
  double forca_delta = 0.10833333333333334;
  int offsetBarra = 0;
  int massaAtiva[2] = {1, 1};
  float offsetFundo = 0;
  float deltaFundo = 0;
  int fundoTravado = 0;
  const int bordaInventario = 2;
  char textoVento[20];
  char textoJogador[100];
  char jogador[3];
  const unsigned int figuras[3] = {bala1g, bala2g, bala3g};
  const unsigned int voando[4] = {0, bala1, bala2, bala3};

  Canhao armas[2] = {Canhao(100, 540, canhao, base, bCircle, 100),
                     Canhao(1670, 540, canhao, base, bCircle, 100)};
  armas[1].setAngulo(180);
  Bala balas[2] = {Bala(armas[0].origem.x, 540, bala1, 0.02f),
                   Bala(armas[1].origem.x, 540, bala1, 0.02f)};

  offset = CentraNoJogador(player, armas, balas, metadeDaTela);

  // -------------------------------------------------------------------------
  // Splash: Enter for two players, 1, 2 or 3 against the computer
  // -------------------------------------------------------------------------
  ia::Nivel nivel = ia::NINGUEM;
  T2D2_AnunciaEstado("splash");
  while (!teclas[T2D2_ENTER].pressionado && !teclas[T2D2_ENCERRA].pressionado &&
         !teclas[T2D2_ESC].pressionado && nivel == ia::NINGUEM) {
    T2D2_DesenhaSprite(splash, 0, 0, 0);
    T2D2_Sincroniza(60);
    nivel = ia::NivelDasTeclas(teclas);
  }
  ia::Computador computador(nivel, unsigned(time(nullptr)));

  // The turn's player's field as its aiming frames begin: backgrounds, the
  // wind, whose turn it is, the inventory and both cannons.
  auto desenhaCampo = [&] {
    T2D2_LimpaTela();
    DesenhaFundos(player, fundo, fundoTras);
    T2D2_DesenhaTexto(fonte, 400, 120, textoVento, T2D2_ALINHA_CENTRO);
    if (computador.Joga(player))
      MontaTextoComputador(textoJogador);
    else
      MontaTextoJogador(textoJogador, jogador, player);
    T2D2_DesenhaTexto(fonte, 400, 400, textoJogador, T2D2_ALINHA_CENTRO);
    DesenhaInventario(figuras, bordaInventario, massaAtiva[player]);
    armas[0].desenha();
    armas[1].desenha();
  };

  // -------------------------------------------------------------------------
  // Play
  // -------------------------------------------------------------------------
  while (!teclas[T2D2_ENCERRA].pressionado && !teclas[T2D2_ESC].pressionado &&
         acabou == 0) {
    if (vento.x == 666) vento = NovoVento();
    if (computador.Joga(player))
      computador.Observa(ia::Situacao(player, armas, balas, grvt + vento,
                                      forca_delta, massaAtiva[player], voando));
    // The computer's hands stand in for the mouse in its turns.
    const T2D2_Mouse *mao = computador.Maos(player, mouse);
    T2D2_AnunciaEstado(computador.Joga(player) ? "computador" : "pessoa");
    MontaTextoVento(textoVento, vento.x);
    desenhaCampo();

    if (mao->botoes[T2D2_MDIREITO].pressionado) {
      const int tipo = massaAtiva[player] % 3 + 1;
      CarregaBala(&balas[player], tipo, voando);
      massaAtiva[player] = tipo;
    }

    if (mao->botoes[T2D2_MESQUERDO].ativo) {
      const int p = player;
      const Vector2D pivo = armas[p].resultante;
      mx = mao->x;
      my = mao->y;
      if (p == 0 ? mao->x < pivo.x : mao->x > pivo.x)
        mx = math::truncateToInt(pivo.x);
      offsetBarra = 760 * p;

      // Charging: the force swings while the button is held.
      T2D2_AnunciaEstado(computador.Joga(p) ? "computador" : "carga");
      while (mao->botoes[T2D2_MESQUERDO].ativo) {
        T2D2_AnunciaValor(float(FracaoDaForca(forca)));
        draw(player, fundo, fundoTras, armas, balas, offsetBarra, forca, g, mx,
             my);
        T2D2_DesenhaTexto(fonte, 400, 120, textoVento, T2D2_ALINHA_CENTRO);
        DesenhaInventario(figuras, bordaInventario, massaAtiva[player]);
        g += color_delta;
        forca += forca_delta;
        g = gRecalcula(g, &color_delta);
        forca = forcaRecalcula(forca, &forca_delta);
        T2D2_Sincroniza(60);
        computador.Quadro();
      }

      // Firing.
      TA2_TocaEfeito(shoot, 0);
      aceleracao = grvt + vento;
      Voo voo = Dispara(p, forca, mx, my, aceleracao, armas, balas);
      offset = voo.passo;
      offsetBarra = 760 * p;
      offsetFundo = offset.x;
      deltaFundo = 0;
      fundoTravado = 0;

      // Flight: the camera follows until the ball is past the other cannon.
      T2D2_AnunciaEstado("voo");
      while (balas[p].resultante.y <= 600) {
        T2D2_LimpaTela();
        if (fundoTravado == 0) deltaFundo += offsetFundo;
        DesenhaFundosRolados(player, fundo, fundoTras, deltaFundo);
        T2D2_DesenhaTexto(fonte, 400, 120, textoVento, T2D2_ALINHA_CENTRO);
        DesenhaBarraForca(offsetBarra, forca, g);
        balas[p].desenha();
        if (!AvancaVoo(p, &voo, armas, balas)) fundoTravado = 1;
        armas[0].desenha();
        armas[1].desenha();
        balas[p].desenha();
        if (balas[p].colidiu(armas[1 - p])) {
          if (AplicaDano(&armas[1 - p], massaAtiva[p])) {
            TA2_TocaEfeito(explosaoFinal, 0);
            acabou = 1;
          } else {
            TA2_TocaEfeito(explosao, 0);
          }
          break;
        }
        T2D2_Sincroniza(60);
      }

      // Change of turn: every object back in the field, seen from the next
      // player's camera.
      offset = CentraNoJogador(1 - p, armas, balas, metadeDaTela);
      forca = 0;
      g = 255;
      player = 1 - player;
      // The rest of this iteration is the new turn's first frame: it shows
      // that player's field under the new wind, not the flight's last
      // picture. The shot that ends the game keeps the wind it flew in.
      if (!acabou) {
        vento = NovoVento();
        MontaTextoVento(textoVento, vento.x);
      }
      desenhaCampo();
    }

    const Vector2D pivo = armas[player].resultante;
    const T2D2_Mouse *mira = computador.Maos(player, mouse);
    if (player == 0 ? mira->x < pivo.x : mira->x > pivo.x)
      armas[player].setAngulo(90);
    else
      armas[player].CalculaRotacao(mira->x, mira->y);
    armas[player].desenha();
    T2D2_Sincroniza(60);
    computador.Quadro();
  }

  // -------------------------------------------------------------------------
  // End screen
  // -------------------------------------------------------------------------
  T2D2_AnunciaEstado("fim");
  T2D2_LimpaTela();
  DesenhaFundos(player, fundo, fundoTras);
  armas[0].desenha();
  armas[1].desenha();
  T2D2_DesenhaTexto(fonte, 400, 300, "Fim do jogo", T2D2_ALINHA_CENTRO);
  T2D2_Sincroniza(60);
  T2D2_Pausa(2000);

  // -------------------------------------------------------------------------
  // De-Initialization
  // -------------------------------------------------------------------------
  T2D2_RemoveSpriteSet(bala1);
  T2D2_RemoveSpriteSet(bala2);
  T2D2_RemoveSpriteSet(bala3);
  T2D2_RemoveSpriteSet(bala1g);
  T2D2_RemoveSpriteSet(bala2g);
  T2D2_RemoveSpriteSet(bala3g);
  T2D2_RemoveSpriteSet(canhao);
  T2D2_RemoveSpriteSet(base);
  T2D2_RemoveSpriteSet(fundo);
  T2D2_RemoveSpriteSet(fundoTras);
  T2D2_RemoveSpriteSet(splash);
  T2D2_RemoveSpriteSet(bCircle);
  T2D2_RemoveFonte(fonte);
  TA2_RemoveEfeito(shoot);
  TA2_RemoveEfeito(explosao);
  TA2_RemoveEfeito(explosaoFinal);
  TA2_RemoveMusica(bgMusic);
  return 0;
}
