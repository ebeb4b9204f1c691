// Implementation of the shared test helpers.
#include "apoio.h"

#include "t2d2/tovik2d2.h"

#include <SDL_opengl.h>
#include <cstdio>
#include <ostream>
#include <unistd.h>
#include <vector>

#include <stb_image_write.h>

// Mesa's driver and EGL modules are unloaded when SDL closes its video, and
// with them the globals that still point at their allocations; LeakSanitizer
// would then report those as leaks of unknown modules. Keeping every module
// resident for the life of the test process keeps its roots visible.
extern "C" int dlclose(void *) {
  return 0;
}

CapturaSaida::CapturaSaida() : salvo_(-1), arquivo_(tmpfile()), ativo_(false) {
  if (!arquivo_) return;
  fflush(stdout);
  salvo_ = dup(1);
  if (salvo_ < 0) return;
  dup2(fileno(arquivo_), 1);
  ativo_ = true;
}

CapturaSaida::~CapturaSaida() {
  texto();
  if (arquivo_) fclose(arquivo_);
}

std::string CapturaSaida::texto() {
  if (!ativo_) return std::string();
  fflush(stdout);
  dup2(salvo_, 1);
  close(salvo_);
  ativo_ = false;
  std::string lido;
  rewind(arquivo_);
  char bloco[4096];
  size_t n;
  while ((n = fread(bloco, 1, sizeof bloco, arquivo_)) > 0)
    lido.append(bloco, n);
  return lido;
}

std::ostream &operator<<(std::ostream &os, const Cor &c) {
  return os << "(" << int(c.r) << "," << int(c.g) << "," << int(c.b) << ","
            << int(c.a) << ")";
}

Cor LePixelGL(int x, int y) {
  GLint vp[4];
  glGetIntegerv(GL_VIEWPORT, vp);
  Uint8 p[4] = {0, 0, 0, 0};
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadBuffer(GL_BACK);
  glReadPixels(x, vp[3] - 1 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, p);
  return Cor{p[0], p[1], p[2], p[3]};
}

Cor LePixelSuperficie(SDL_Surface *s, int x, int y) {
  SDL_LockSurface(s);
  Uint32 v = *reinterpret_cast<Uint32 *>(static_cast<Uint8 *>(s->pixels) +
                                         y * s->pitch + x * 4);
  SDL_UnlockSurface(s);
  Cor c;
  SDL_GetRGBA(v, s->format, &c.r, &c.g, &c.b, &c.a);
  return c;
}

std::string EscreveImagem(const std::string &nome, int w, int h, int canais,
                          const std::function<Cor(int, int)> &cor,
                          Formato formato) {
  std::vector<Uint8> px(size_t(w) * h * canais);
  for (int y = 0; y < h; y++)
    for (int x = 0; x < w; x++) {
      Cor c = cor(x, y);
      Uint8 *d = &px[(size_t(y) * w + x) * canais];
      d[0] = c.r;
      d[1] = c.g;
      d[2] = c.b;
      if (canais == 4) d[3] = c.a;
    }
  std::string caminho = nome;
  if (formato == Formato::PNG)
    stbi_write_png(caminho.c_str(), w, h, canais, px.data(), w * canais);
  else
    stbi_write_jpg(caminho.c_str(), w, h, canais, px.data(), 95);
  return caminho;
}

unsigned int CarregaCapturando(const std::string &arquivo, int l, int a,
                               std::string &saida) {
  CapturaSaida c;
  unsigned int id = T2D2_CarregaSpriteSet(arquivo.c_str(), l, a);
  saida = c.texto();
  return id;
}

// Present only in sanitizer builds.
extern "C" void __lsan_disable() __attribute__((weak));
extern "C" void __lsan_enable() __attribute__((weak));

bool IniciaSilencioso(int tipoRender, unsigned int largura,
                      unsigned int altura) {
  CapturaSaida c;
  // sdl12-compat loses the record of its video surface when the video is
  // stopped and started again, and its frames cannot be traced cheaply
  // through Mesa. The start allocates nothing of ours, so what SDL keeps from
  // it is left out of the leak check.
  if (__lsan_disable) __lsan_disable();
  bool ok = T2D2_Inicia(largura, altura, T2D2_JANELA, tipoRender, "Teste");
  if (__lsan_enable) __lsan_enable();
  return ok;
}

bool SemRegistrarVazamentos(const std::function<bool()> &inicio) {
  if (__lsan_disable) __lsan_disable();
  bool ok = inicio();
  if (__lsan_enable) __lsan_enable();
  return ok;
}

bool IniciaGLSilencioso(unsigned int largura, unsigned int altura) {
  return IniciaSilencioso(T2D2_DESENHO_OPENGL, largura, altura);
}

void EncerraSilencioso() {
  CapturaSaida c;
  if (T2D2_Encerra) T2D2_Encerra();
}
