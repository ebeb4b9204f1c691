// A square that turns from red to green, and back, each time Space is let
// go: on a phone, each time its on-screen control is tapped.
#include <t2d2/tovik2d2.h>
#include <t2d2/tovik2d2primitivas.h>

int main() {
  if (!T2D2_Inicia(320, 240, T2D2_JANELA, T2D2_DESENHO_OPENGL,
                   "Jogo pequeno")) {
    return 1;
  }
  T2D2P_Inicia();
  T2D2_Botao *teclas = T2D2_PegaTeclas();
  bool verde = false;
  while (!teclas[T2D2_ENCERRA].ativo) {
    if (teclas[T2D2_ESPACO].liberado) verde = !verde;
    T2D2_LimpaTela();
    T2D2P_RetanguloPintado(80, 60, 239, 179, verde ? 0 : 220, verde ? 200 : 0,
                           0);
    T2D2_Sincroniza(60);
  }
  T2D2_Encerra();
  return 0;
}
