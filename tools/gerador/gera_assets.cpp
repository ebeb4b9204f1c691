// Writes every asset the game reads from its files folder, the contact
// sheet, the desktop icon, the starter font sheet that library users get
// with the examples, and the browser page's own files (its icons, the splash
// for touch devices, and the music in MP3 for the browsers without Vorbis).
// The same program always writes the same bytes.
//
//   gera_assets ARQUIVOS [PREVIA.png [ICONES [FONTE16.png [PAGINA]]]]
#include "figuras.h"
#include "fonte.h"
#include "musica.h"
#include "previa.h"
#include "sons.h"

#include <cstdio>
#include <filesystem>
#include <string>

namespace {

bool falhou = false;

void Confere(bool ok, const std::string &arquivo) {
  if (ok) return;
  std::printf("Falhou ao gravar %s\n", arquivo.c_str());
  falhou = true;
}

void Png(const Imagem &img, const std::string &arquivo) {
  Confere(GravaPng(img, arquivo), arquivo);
}

Acervo Desenha() {
  Acervo a;
  Letras numeros(TROVASCO_FONTE_SANS, 22), glifos(TROVASCO_FONTE_SANS, 22);
  for (int k = 0; k < 3; k++) {
    a.bala[k] = Bala(k + 1);
    a.balaGrande[k] = BalaGrande(k + 1, numeros);
  }
  a.canhao = Canhao();
  a.base = Base();
  a.grama = Grama();
  a.fundo = Fundo();
  a.circulo = CirculoDeColisao();
  a.splash = Splash(a.fundo, a.grama, TROVASCO_FONTE_SERIFA,
                    TROVASCO_FONTE_SANS, Controles::MOUSE_E_TECLADO);
  a.folha = FolhaDaFonte(glifos, CelulasDaFolha(glifos, 32, 1.6f));
  a.medidas = MedeFolha(a.folha, 32);
  return a;
}

void GravaImagens(const Acervo &a, const std::string &p) {
  for (int k = 0; k < 3; k++) {
    std::string n = std::to_string(k + 1);
    Png(a.bala[k], p + "/bala" + n + ".png");
    Png(a.balaGrande[k], p + "/bala" + n + "g.png");
  }
  Png(a.canhao, p + "/canhao2.png");
  Png(a.base, p + "/base.png");
  Png(a.grama, p + "/grama.png");
  Confere(GravaJpeg(a.fundo, p + "/fundo4.jpg", 92), p + "/fundo4.jpg");
  Png(a.splash, p + "/splash.png");
  Png(a.folha, p + "/fonte.png");
  Png(a.circulo, p + "/boundingcircle.png");
}

void GravaSons(const std::string &p, const Estereo &musica) {
  Confere(GravaWav(SomDoTiro(), 1, p + "/shoot.wav"), p + "/shoot.wav");
  Confere(GravaWav(SomDaExplosao(), 1, p + "/explosao.wav"),
          p + "/explosao.wav");
  Confere(GravaWav(SomDaExplosaoFinal(), 1, p + "/explosaoFinal.wav"),
          p + "/explosaoFinal.wav");
  Confere(GravaOgg(musica, p + "/WhatYouWantv2.ogg"), p + "/WhatYouWantv2.ogg");
}

// 16-pixel cells, the size a first program wants: a 256 x 256 sheet, a
// power of two as the OpenGL back-end asks of fonts.
void GravaFonteInicial(const std::string &arquivo) {
  Letras letras(TROVASCO_FONTE_SANS, 11);
  Png(FolhaDaFonte(letras, CelulasDaFolha(letras, 16, 1.0f)), arquivo);
}

const int LADOS_DO_ICONE[3] = {48, 128, 256};

void GravaIcones(const std::string &pasta, const Imagem icones[3]) {
  for (int k = 0; k < 3; k++) {
    std::string n = std::to_string(LADOS_DO_ICONE[k]);
    std::string dir = pasta + "/hicolor/" + n + "x" + n + "/apps";
    std::error_code erro;
    std::filesystem::create_directories(dir, erro);
    Png(icones[k], dir + "/trovasco.png");
  }
}

// The browser page's icons: the manifest's 192 and 512 and its maskable
// one, and the 180 an iPhone puts on its home screen; and the library's own,
// the default of every other page. The splash that the
// page gives the game on a touch device, where there is no Enter key and no
// mouse. The same music in MP3, which every browser decodes, for those that
// cannot decode Vorbis (Safari and every iOS browser before iOS 18.4).
void GravaArquivosDaPagina(const Acervo &a, const std::string &dir,
                           const Estereo &musica) {
  std::error_code erro;
  std::filesystem::create_directories(dir, erro);
  Png(Icone(192), dir + "/icone-192.png");
  Png(Icone(512), dir + "/icone-512.png");
  Png(IconeCheio(512), dir + "/icone-mascaravel-512.png");
  Png(IconeCheio(180), dir + "/apple-touch-icon.png");
  Png(IconeDaBiblioteca(192), dir + "/icone-tovik2d2.png");
  Png(Splash(a.fundo, a.grama, TROVASCO_FONTE_SERIFA, TROVASCO_FONTE_SANS,
             Controles::TOQUE),
      dir + "/splash_toque.png");
  Confere(GravaMp3(musica, dir + "/WhatYouWantv2.mp3"),
          dir + "/WhatYouWantv2.mp3");
}

} // namespace

int main(int argc, char **argv) {
  if (argc < 2 || argc > 6) {
    std::printf(
        "Uso: %s ARQUIVOS [PREVIA.png [ICONES [FONTE16.png [PAGINA]]]]\n",
        argv[0]);
    return 2;
  }
  std::string pasta = argv[1];
  std::error_code erro;
  std::filesystem::create_directories(pasta, erro);
  Acervo a = Desenha();
  GravaImagens(a, pasta);
  const Estereo musica = ComporMusica();
  GravaSons(pasta, musica);
  Imagem icones[3];
  for (int k = 0; k < 3; k++) icones[k] = Icone(LADOS_DO_ICONE[k]);
  if (argc > 3) GravaIcones(argv[3], icones);
  if (argc > 2) Png(FolhaDeContato(a, icones), argv[2]);
  if (argc > 4) GravaFonteInicial(argv[4]);
  if (argc > 5) GravaArquivosDaPagina(a, argv[5], musica);
  return falhou ? 1 : 0;
}
