// Draws one fixed frame on the SDL software back-end, over and over, for the
// browser test to read: a cleared background, a filled rectangle, both frames
// of the example's ball (magenta around it must not show), the ball cut by a
// drawing area, a line of text and an orange square under the mouse, at 20
// frames a second.
#include <t2d2/tovik2d2.h>
#include <t2d2/tovik2d2primitivas.h>

#include <cstdio>

int main() {
  if (!T2D2_Inicia(320, 240, T2D2_JANELA, T2D2_DESENHO_PADRAO, "desenho"))
    return 1;
  T2D2P_Inicia();
  unsigned int bola = T2D2_CarregaSpriteSet("ola.png", 32, 32);
  unsigned int fonte = T2D2_CarregaFonte("ola_fonte.png", 16);
  if (!bola || !fonte) return 1;
  std::puts("Desenho SDL pronto.");
  T2D2_Botao *teclas = T2D2_PegaTeclas();
  T2D2_Mouse *mouse = T2D2_PegaMouse();
  while (!teclas[T2D2_ESC].pressionado) {
    T2D2_TrocaCorLimpezaTela(0, 0, 128);
    T2D2_LimpaTela();
    T2D2P_RetanguloPintado(10, 10, 60, 40, 0, 255, 0);
    T2D2_DesenhaSprite(bola, 0, 100, 100);
    T2D2_DesenhaSprite(bola, 1, 140, 100);
    T2D2_LimitaAreaDesenho(200, 100, 16, 32);
    T2D2_DesenhaSprite(bola, 0, 190, 100);
    T2D2_LiberaAreaDesenho();
    T2D2_DesenhaTexto(fonte, 10, 200, "OLA", T2D2_ALINHA_ESQUERDA);
    T2D2P_RetanguloPintado(mouse->x - 3, mouse->y - 3, mouse->x + 3,
                           mouse->y + 3, 255, 128, 0);
    T2D2_Sincroniza(20); // a frame every third refresh of a 60 Hz display
  }
  T2D2_Encerra();
  return 0;
}
