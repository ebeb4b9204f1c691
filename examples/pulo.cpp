// Pulo: run and jump across a world three screens wide, which the camera
// scrolls to keep the runner in view. The arrow keys run, Space jumps; coins
// score, spikes and holes cost one of three lives, and the flag at the far
// end wins. Space, Enter or a click then starts again. Escape or closing the
// window ends it. "pulo sdl" draws on the SDL back-end instead of OpenGL. Run
// it from the folder that holds pulo_ladrilhos.png, pulo_heroi.png, pulo.wav,
// pulo_moeda.wav and ola_fonte.png.
#include <t2d2/tovik2d2.h>
#include <t2d2/tovik2d2primitivas.h>
#include <t2d2/tovikaudio2.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

const int LARGURA = 640, ALTURA = 480, LADO = 32, COLUNAS = 64, LINHAS = 15;
const int MUNDO = COLUNAS * LADO, VIDAS = 3, CORRIDA = 4, IMPULSO = 14;
const int QUEDA_MAXIMA = 12, INICIO_X = 2 * LADO, INICIO_Y = 12 * LADO;
// The runner's body inside its 32x32 frame: narrower than a tile, so that
// two corners of a side are enough to find what it touches.
const int CORPO_X = 6, CORPO_L = 20, CORPO_Y = 2, CORPO_A = 30;

// '#' ground, 'B' bricks, 'o' a coin, '^' spikes, 'F' the flag, 'c' a cloud.
const char MAPA[LINHAS][COLUNAS + 1] = {
    "................................................................",
    "................................................................",
    "......c..............c....................c...............c.....",
    "................................................................",
    "................................................................",
    "................................................................",
    "................................................................",
    ".................................................o.o.o..........",
    "....................ooo.........................................",
    "................................................................",
    "...................BBBBB.............oo........BBBBBBBBB........",
    "................................................................",
    "........o.....o...........o..........^.....................^..F.",
    "##############################..##########..####################",
    "##############################..##########..####################",
};

// Frames of pulo_ladrilhos.png.
enum { GRAMA, TERRA, TIJOLO, ESPINHOS, MOEDA, MOEDA_GIRA, BANDEIRA, NUVEM };

struct Corredor {
  int x, y, vy; // top-left of the frame in the world; vertical speed
  bool noChao, paraEsquerda;
};

enum Fase { JOGANDO, PERDEU, VENCEU };

struct Partida {
  char mapa[LINHAS][COLUNAS + 1]; // the coins taken leave the copy
  Corredor corredor;
  int moedas, vidas;
  Fase fase;
};

char Ladrilho(const Partida &p, int px, int py) {
  if (px < 0 || px >= MUNDO || py < 0 || py >= LINHAS * LADO) return '.';
  return p.mapa[py / LADO][px / LADO];
}

bool Solido(const Partida &p, int px, int py) {
  const char c = Ladrilho(p, px, py);
  return c == '#' || c == 'B';
}

void Recomeca(Partida &p) {
  std::memcpy(p.mapa, MAPA, sizeof MAPA);
  p.corredor = Corredor{INICIO_X, INICIO_Y, 0, true, false};
  p.moedas = 0;
  p.vidas = VIDAS;
  p.fase = JOGANDO;
  T2D2_AnunciaEstado("jogo"); // the page shows the running buttons
}

// Moves sideways, then falls or rises, each stopped by solid tiles; the
// world's two edges are walls.
void Move(Partida &p, int vx) {
  Corredor &c = p.corredor;
  c.x = std::clamp(c.x + vx, -CORPO_X, MUNDO - CORPO_X - CORPO_L);
  const int topo = c.y + CORPO_Y, base = topo + CORPO_A - 1;
  int esq = c.x + CORPO_X, dir = esq + CORPO_L - 1;
  if (vx > 0 && (Solido(p, dir, topo) || Solido(p, dir, base)))
    c.x = dir / LADO * LADO - CORPO_X - CORPO_L;
  if (vx < 0 && (Solido(p, esq, topo) || Solido(p, esq, base)))
    c.x = (esq / LADO + 1) * LADO - CORPO_X;
  esq = c.x + CORPO_X, dir = esq + CORPO_L - 1;
  c.vy = std::min(c.vy + 1, QUEDA_MAXIMA); // gravity
  c.y += c.vy;
  const int cabeca = c.y + CORPO_Y, pe = cabeca + CORPO_A - 1;
  c.noChao = c.vy > 0 && (Solido(p, esq, pe) || Solido(p, dir, pe));
  if (c.noChao) { // the feet rest on the tile's top
    c.y = pe / LADO * LADO - CORPO_Y - CORPO_A;
    c.vy = 0;
  } else if (c.vy < 0 && (Solido(p, esq, cabeca) || Solido(p, dir, cabeca))) {
    c.y = (cabeca / LADO + 1) * LADO - CORPO_Y;
    c.vy = 0;
  }
}

// What the body touches: coins are taken, the flag wins, spikes and the
// bottom of a hole cost a life and send the runner back to the start.
bool Toca(Partida &p, unsigned int moeda) {
  Corredor &c = p.corredor;
  bool perdeu = c.y >= LINHAS * LADO;
  for (int py : {c.y + CORPO_Y, c.y + CORPO_Y + CORPO_A - 1})
    for (int px : {c.x + CORPO_X, c.x + CORPO_X + CORPO_L - 1}) {
      const char t = Ladrilho(p, px, py);
      if (t == 'o') {
        p.mapa[py / LADO][px / LADO] = '.';
        p.moedas++;
        TA2_TocaEfeito(moeda, 0);
      }
      if (t == 'F') p.fase = VENCEU;
      if (t == '^' && py % LADO >= LADO / 2) perdeu = true; // their half
    }
  if (perdeu) {
    c = Corredor{INICIO_X, INICIO_Y, 0, true, false};
    if (--p.vidas == 0) p.fase = PERDEU;
  }
  return p.fase != JOGANDO;
}

unsigned int QuadroDe(char t, bool gramado, int quadros) {
  if (t == '#') return gramado ? GRAMA : TERRA;
  if (t == 'o') return quadros / 8 % 2 ? MOEDA_GIRA : MOEDA;
  return t == 'B' ? TIJOLO : t == '^' ? ESPINHOS : t == 'F' ? BANDEIRA : NUVEM;
}

// Only the columns in view are drawn, shifted by the camera.
void DesenhaMundo(const Partida &p, unsigned int ladrilhos, int camera,
                  int quadros) {
  for (int i = 0; i < 5; i++) // far hills, at half the camera's speed
    T2D2P_CirculoPintado(i * 240 - camera / 2 % 240, ALTURA, 150, 90, 170, 100);
  for (int col = camera / LADO; col <= (camera + LARGURA - 1) / LADO; col++)
    for (int lin = 0; lin < LINHAS; lin++) {
      const char t = p.mapa[lin][col];
      if (t == '.') continue;
      const bool gramado = lin == 0 || p.mapa[lin - 1][col] != '#';
      T2D2_DesenhaSprite(ladrilhos, QuadroDe(t, gramado, quadros),
                         col * LADO - camera, lin * LADO);
    }
}

// Facing left, the frame is mirrored onto its own square; the SDL back-end
// cannot, and draws it facing right.
void DesenhaCorredor(const Corredor &c, unsigned int heroi, int camera,
                     int quadros, bool correndo) {
  const unsigned int quadro = !c.noChao                     ? 2
                              : correndo && quadros / 6 % 2 ? 1
                                                            : 0;
  const int x = c.x - camera;
  int xs[4] = {x + LADO, x, x, x + LADO},
      ys[4] = {c.y, c.y, c.y + LADO, c.y + LADO};
  if (!c.paraEsquerda ||
      !T2D2_DesenhaSpriteEfeito(heroi, quadro, xs, ys, 255, 255, 255, 255))
    T2D2_DesenhaSprite(heroi, quadro, x, c.y);
}

} // namespace

int main(int argc, char **argv) {
  // Initialization
  const bool sdl = argc > 1 && std::strcmp(argv[1], "sdl") == 0;
  if (!T2D2_Inicia(LARGURA, ALTURA, T2D2_JANELA,
                   sdl ? T2D2_DESENHO_PADRAO : T2D2_DESENHO_OPENGL, "Pulo")) {
    std::puts("Pulo: a janela nao abriu.");
    return 1;
  }
  T2D2P_Inicia();
  const bool comSom = TA2_Inicia(); // the game goes on silently without it
  const unsigned int ladrilhos =
      T2D2_CarregaSpriteSet("pulo_ladrilhos.png", LADO, LADO);
  const unsigned int heroi =
      T2D2_CarregaSpriteSet("pulo_heroi.png", LADO, LADO);
  const unsigned int fonte = T2D2_CarregaFonte("ola_fonte.png", 16);
  const unsigned int salto = comSom ? TA2_CarregaEfeito("pulo.wav") : 0;
  const unsigned int moeda = comSom ? TA2_CarregaEfeito("pulo_moeda.wav") : 0;
  if (ladrilhos == 0 || heroi == 0 || fonte == 0) {
    TA2_Encerra(); // each shut-down frees whatever its tables still hold
    T2D2_Encerra();
    return 1;
  }
  T2D2_TrocaCorLimpezaTela(120, 180, 240);
  T2D2_Botao *teclas = T2D2_PegaTeclas();
  T2D2_Mouse *mouse = T2D2_PegaMouse();
  std::puts("Pulo: pronto.");

  Partida p;
  Recomeca(p);
  int quadros = 0, camera = 0;
  bool seguravaPulo = false;
  while (!teclas[T2D2_ESC].liberado && !teclas[T2D2_ENCERRA].ativo) {
    // Update. A jump starts on the press, or on the release of a tap too
    // quick for the press to show.
    const T2D2_Botao &espaco = teclas[T2D2_ESPACO];
    const bool pulo = espaco.pressionado || (espaco.liberado && !seguravaPulo);
    seguravaPulo = espaco.ativo;
    const int vx =
        CORRIDA * (teclas[T2D2_DIREITA].ativo - teclas[T2D2_ESQUERDA].ativo);
    Corredor &c = p.corredor;
    quadros++;
    if (p.fase != JOGANDO) {
      if (pulo || teclas[T2D2_ENTER].liberado ||
          mouse->botoes[T2D2_MESQUERDO].liberado)
        Recomeca(p);
    } else {
      if (vx != 0) c.paraEsquerda = vx < 0;
      if (pulo && c.noChao) {
        c.vy = -IMPULSO;
        c.noChao = false;
        TA2_TocaEfeitoTela(salto, c.x - camera + LADO / 2);
      }
      Move(p, vx);
      if (Toca(p, moeda)) T2D2_AnunciaEstado("fim");
    }
    // The camera keeps the runner in the middle, within the world.
    camera = std::clamp(c.x + LADO / 2 - LARGURA / 2, 0, MUNDO - LARGURA);

    // Draw
    T2D2_LimpaTela();
    DesenhaMundo(p, ladrilhos, camera, quadros);
    DesenhaCorredor(c, heroi, camera, quadros, vx != 0);
    char texto[48];
    std::snprintf(texto, sizeof texto, "Moedas: %d", p.moedas);
    T2D2_DesenhaTexto(fonte, 10, 10, texto, T2D2_ALINHA_ESQUERDA);
    std::snprintf(texto, sizeof texto, "Vidas: %d", p.vidas);
    T2D2_DesenhaTexto(fonte, LARGURA - 10, 10, texto, T2D2_ALINHA_DIREITA);
    if (p.fase != JOGANDO)
      T2D2_DesenhaTexto(fonte, LARGURA / 2, ALTURA / 2 - 40,
                        p.fase == VENCEU ? "Chegou! Espaco recomeca."
                                         : "Fim! Espaco recomeca.",
                        T2D2_ALINHA_CENTRO);
    T2D2_Sincroniza(60); // waits for the frame, shows it, reads the input
  }

  // De-Initialization: every load is given back before the shut-downs
  std::printf("Pulo: %d moedas.\n", p.moedas);
  TA2_RemoveEfeito(moeda);
  TA2_RemoveEfeito(salto);
  T2D2_RemoveFonte(fonte);
  T2D2_RemoveSpriteSet(heroi);
  T2D2_RemoveSpriteSet(ladrilhos);
  TA2_Encerra();
  T2D2_Encerra();
  std::puts("Pulo: fim.");
  return 0;
}
