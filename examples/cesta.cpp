// Cesta: catch the falling fruit in a basket steered by the arrow keys or by
// the mouse. Each fruit caught scores a point and rings; three missed end the
// round, and Enter or a click starts the next. Escape or closing the window
// ends it. "cesta sdl" draws on the SDL back-end instead of OpenGL. Run it
// from the folder that holds cesta_frutas.png, cesta_cesto.png, cesta.wav and
// ola_fonte.png.
#include <t2d2/tovik2d2.h>
#include <t2d2/tovik2d2primitivas.h>
#include <t2d2/tovikaudio2.h>

#include <cstdio>
#include <cstring>

namespace {

const int LARGURA = 640, ALTURA = 480, CHAO = 452;
const int CESTO_L = 64, CESTO_Y = CHAO - 32, FRUTA = 32;
const int MAX_FRUTAS = 6, VIDAS = 3, INTERVALO = 40; // frames between fruits

struct Fruta {
  bool caindo;
  int x, y, velocidade;
  unsigned int quadro; // 0 apple, 1 orange, 2 grapes
};

// A small fixed sequence, so every round falls the same way.
unsigned int sorteio = 12345;
int sorteia(int n) {
  sorteio = sorteio * 1103515245u + 12345u;
  return int((sorteio >> 16) % unsigned(n));
}

void soltaFruta(Fruta *frutas, int x) {
  for (int i = 0; i < MAX_FRUTAS; i++)
    if (!frutas[i].caindo) {
      frutas[i] = Fruta{true, x, -FRUTA, 3 + sorteia(3), unsigned(sorteia(3))};
      return;
    }
}

} // namespace

int main(int argc, char **argv) {
  // Initialization
  const bool sdl = argc > 1 && std::strcmp(argv[1], "sdl") == 0;
  if (!T2D2_Inicia(LARGURA, ALTURA, T2D2_JANELA,
                   sdl ? T2D2_DESENHO_PADRAO : T2D2_DESENHO_OPENGL, "Cesta")) {
    std::puts("Cesta: a janela nao abriu.");
    return 1;
  }
  T2D2P_Inicia();
  const bool comSom = TA2_Inicia(); // the game goes on silently without it
  const unsigned int frutas = T2D2_CarregaSpriteSet("cesta_frutas.png", 32, 32);
  const unsigned int cesto = T2D2_CarregaSpriteSet("cesta_cesto.png", 64, 32);
  const unsigned int fonte = T2D2_CarregaFonte("ola_fonte.png", 16);
  const unsigned int plim = comSom ? TA2_CarregaEfeito("cesta.wav") : 0;
  if (frutas == 0 || cesto == 0 || fonte == 0) {
    TA2_Encerra(); // each shut-down frees whatever its tables still hold
    T2D2_Encerra();
    return 1;
  }
  T2D2_TrocaCorLimpezaTela(40, 60, 110);
  T2D2_Botao *teclas = T2D2_PegaTeclas();
  T2D2_Mouse *mouse = T2D2_PegaMouse();
  std::puts("Cesta: pronto.");

  Fruta caindo[MAX_FRUTAS] = {};
  int cestoX = (LARGURA - CESTO_L) / 2, mouseX = mouse->x;
  int pontos = 0, vidas = VIDAS, quadros = 0, brilho = 0;
  soltaFruta(caindo, (LARGURA - FRUTA) / 2); // the first falls in the basket
  // Keys and clicks act on their release, which every press shows: a quick
  // tap, within one frame, shows nothing else.
  while (!teclas[T2D2_ESC].liberado && !teclas[T2D2_ENCERRA].ativo) {
    // Update: the basket follows the keys, or the mouse once it moves
    if (teclas[T2D2_ESQUERDA].ativo) cestoX -= 6;
    if (teclas[T2D2_DIREITA].ativo) cestoX += 6;
    if (mouse->x != mouseX) {
      mouseX = mouse->x;
      cestoX = mouseX - CESTO_L / 2;
    }
    if (cestoX < 0) cestoX = 0;
    if (cestoX > LARGURA - CESTO_L) cestoX = LARGURA - CESTO_L;
    if (vidas == 0) { // the round is over: the scene stands still
      if (teclas[T2D2_ENTER].liberado ||
          mouse->botoes[T2D2_MESQUERDO].liberado) {
        for (Fruta &f : caindo) f.caindo = false;
        pontos = 0;
        vidas = VIDAS;
      }
    } else if (++quadros % INTERVALO == 0) {
      soltaFruta(caindo, sorteia(LARGURA - FRUTA));
    }
    for (Fruta &f : caindo) {
      if (!f.caindo || vidas == 0) continue;
      f.y += f.velocidade;
      // Pixel collision: a fruit that only brushes the basket's transparent
      // corner falls on.
      if (T2D2_ColidiuSprites(cesto, 0, cestoX, CESTO_Y, frutas, f.quadro, f.x,
                              f.y)) {
        f.caindo = false;
        pontos++;
        brilho = 10;
        TA2_TocaEfeitoTela(plim, f.x + FRUTA / 2); // panned to where it fell
      } else if (f.y > CHAO) {
        f.caindo = false;
        vidas--;
      }
    }
    if (brilho > 0) brilho--;

    // Draw
    T2D2_LimpaTela();
    T2D2P_RetanguloPintado(0, CHAO, LARGURA, ALTURA, 60, 130, 50);
    for (const Fruta &f : caindo)
      if (f.caindo) T2D2_DesenhaSprite(frutas, f.quadro, f.x, f.y);
    T2D2_DesenhaSprite(cesto, brilho > 0 ? 1 : 0, cestoX, CESTO_Y);
    char texto[32];
    std::snprintf(texto, sizeof texto, "Pontos: %d", pontos);
    T2D2_DesenhaTexto(fonte, 10, 10, texto, T2D2_ALINHA_ESQUERDA);
    std::snprintf(texto, sizeof texto, "Vidas: %d", vidas);
    T2D2_DesenhaTexto(fonte, LARGURA - 10, 10, texto, T2D2_ALINHA_DIREITA);
    if (vidas == 0)
      T2D2_DesenhaTexto(fonte, LARGURA / 2, ALTURA / 2,
                        "Fim! Enter ou clique recomeca.", T2D2_ALINHA_CENTRO);
    T2D2_Sincroniza(60); // waits for the frame, shows it, reads the input
  }

  // De-Initialization: every load is given back before the shut-downs
  std::printf("Cesta: %d pontos.\n", pontos);
  TA2_RemoveEfeito(plim);
  T2D2_RemoveFonte(fonte);
  T2D2_RemoveSpriteSet(cesto);
  T2D2_RemoveSpriteSet(frutas);
  TA2_Encerra();
  T2D2_Encerra();
  std::puts("Cesta: fim.");
  return 0;
}
