// The game's pictures, drawn from shapes and noise: cannonballs, the cannon,
// the two background layers, the collision shape, the splash and the icon.
#ifndef TROVASCO_GERADOR_FIGURAS_H
#define TROVASCO_GERADOR_FIGURAS_H

#include "fonte.h"
#include "imagem.h"

// Flying cannonball of kind 1 to 3: 56 x 56, the ball centred on pixel
// (28, 28), heavier kinds bigger and darker.
Imagem Bala(int tipo);
// Inventory picture of a kind, 112 x 110: the ball over its slot with the
// damage it does written under it.
Imagem BalaGrande(int tipo, const Letras &numeros);
// Barrel on a 160 x 160 square, the pivot at its centre, pointing right.
// `escala` draws the same barrel larger, for the icon.
Imagem Canhao(float escala = 1);
// Carriage, 56 x 40, holding the barrel's root at (28, 18).
Imagem Base(float escala = 1);
// Near layer: 4096 x 60 of grass over earth, seamless across its width.
Imagem Grama();
// Far layer: 4096 x 600 of sky, clouds, mountains and hills.
Imagem Fundo();
// Hit zone of a cannon: an opaque disc of radius 48 centred on (80, 80).
Imagem CirculoDeColisao();

// Draws a cannon the way the game does: barrel turned by `graus` about the
// pivot (px, py), carriage unturned over it.
void PoeCanhao(Imagem &tela, const Imagem &canhao, const Imagem &base, float px,
               float py, float graus);

// Who the title screen speaks to: a player with a mouse and a keyboard, or
// one with the touch page's buttons.
enum class Controles { MOUSE_E_TECLADO, TOQUE };

// Title screen, 800 x 600, over the field of the game: how to play and how
// to start, for two players or against the computer, with `controles`.
// `serifa` and `texto` are the TrueType files of the title and of the rest.
Imagem Splash(const Imagem &fundo, const Imagem &grama,
              const std::string &serifa, const std::string &texto,
              Controles controles);
// Desktop icon of `lado` x `lado` pixels.
Imagem Icone(int lado);
// Home-screen icon of `lado` x `lado`: opaque to the edges, the cannon within
// the middle 80%, so that it survives any launcher's mask.
Imagem IconeCheio(int lado);

// The library's own icon, which a game's browser page gets when it names
// none: a golden ball over a field, on the game icon's plate.
Imagem IconeDaBiblioteca(int lado);

#endif
