// Olá, Tovik2D 2: a window with a ball that the arrow keys move, a line of
// text, a ring that follows the mouse and a bell on every click or on Space.
// Escape or closing the window ends it. Run it from the folder that holds
// ola.png, ola_fonte.png and ola.wav.
#include <t2d2/tovik2d2.h>
#include <t2d2/tovik2d2primitivas.h>
#include <t2d2/tovikaudio2.h>

#include <cstdio>

int main() {
  // Initialization
  if (!T2D2_Inicia(640, 480, T2D2_JANELA, T2D2_DESENHO_OPENGL,
                   "Ol\xc3\xa1, Tovik2D 2")) {
    std::puts("Ola: a janela nao abriu.");
    return 1;
  }
  T2D2P_Inicia();
  const bool comSom = TA2_Inicia(); // the example goes on silently without it
  const unsigned int bola = T2D2_CarregaSpriteSet("ola.png", 32, 32);
  const unsigned int fonte = T2D2_CarregaFonte("ola_fonte.png", 16);
  const unsigned int sino = comSom ? TA2_CarregaEfeito("ola.wav") : 0;
  if (bola == 0 || fonte == 0) {
    TA2_Encerra(); // each shut-down frees whatever its tables still hold
    T2D2_Encerra();
    return 1;
  }
  T2D2_Botao *teclas = T2D2_PegaTeclas();
  T2D2_Mouse *mouse = T2D2_PegaMouse();
  std::puts("Ola: pronto.");

  int x = 304, y = 300;
  unsigned int quadro = 0;
  // Keys and clicks act on their release, which every press shows: a quick
  // tap, within one frame, shows nothing else.
  while (!teclas[T2D2_ESC].liberado && !teclas[T2D2_ENCERRA].ativo) {
    // Update
    if (teclas[T2D2_ESQUERDA].ativo) x -= 4;
    if (teclas[T2D2_DIREITA].ativo) x += 4;
    if (teclas[T2D2_CIMA].ativo) y -= 4;
    if (teclas[T2D2_BAIXO].ativo) y += 4;
    if (mouse->botoes[T2D2_MESQUERDO].liberado) {
      quadro = 1 - quadro;
      TA2_TocaEfeitoTela(sino, mouse->x); // panned to where the click was
    }
    if (teclas[T2D2_ESPACO].liberado) TA2_TocaEfeito(sino, 0);

    // Draw
    T2D2_LimpaTela();
    T2D2P_RetanguloPintado(0, 400, 639, 479, 40, 120, 60);
    T2D2_DesenhaTexto(fonte, 320, 40, "Ola, Tovik2D 2!", T2D2_ALINHA_CENTRO);
    T2D2_DesenhaTexto(fonte, 320, 80, "Setas movem, clique toca, Esc sai.",
                      T2D2_ALINHA_CENTRO);
    T2D2_DesenhaSprite(bola, quadro, x, y);
    T2D2P_Circulo(mouse->x, mouse->y, 10, 255, 255, 255);
    T2D2_Sincroniza(60); // waits for the frame, shows it, reads the input
  }

  // De-Initialization: every load is given back before the shut-downs
  TA2_RemoveEfeito(sino);
  T2D2_RemoveFonte(fonte);
  T2D2_RemoveSpriteSet(bola);
  TA2_Encerra();
  T2D2_Encerra();
  std::puts("Ola: fim.");
  return 0;
}
