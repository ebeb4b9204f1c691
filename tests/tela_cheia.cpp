// Full screen on the OpenGL back-end: a green corner and a red left half over
// a blue clear, frame after frame, until Escape or the close request.
// tela_cheia.sh runs it on a screen larger than the frame.
#include "t2d2/tovik2d2.h"
#include "t2d2/tovik2d2primitivas.h"

int main() {
  if (!T2D2_Inicia(800, 600, T2D2_TELA_CHEIA, T2D2_DESENHO_OPENGL,
                   "Tela cheia"))
    return 1;
  T2D2P_Inicia();
  const T2D2_Botao *teclas = T2D2_PegaTeclas();
  T2D2_TrocaCorLimpezaTela(0, 0, 255);
  while (!teclas[T2D2_ESC].pressionado && !teclas[T2D2_ENCERRA].pressionado) {
    T2D2_LimpaTela();
    T2D2P_RetanguloPintado(0, 0, 400, 600, 255, 0, 0);
    T2D2P_RetanguloPintado(0, 0, 100, 100, 0, 255, 0);
    T2D2_Sincroniza(60);
  }
  T2D2_Encerra();
  return 0;
}
