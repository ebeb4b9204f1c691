// A long game: shots straight up, back and forth between the players, for as
// many frames as asked, on the clock that runs as fast as the frames. The
// hook keeps its script in fixed state and allocates nothing but the frame
// read-backs it frees again, so that the heap measured around the steady
// frames is the game's and the library's alone.
//
//   soak_jogo [frames] [gl|sdl]
#include "jogo_rapido.h"
#include "includes.h"

#include "t2d2/tovik2d2.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <malloc.h>
#include <string>
#include <unistd.h>

// This file is the program's main, not the game's.
#ifdef main
#undef main
#endif

extern "C" void __lsan_disable() __attribute__((weak));
extern "C" void __lsan_enable() __attribute__((weak));

// A fixed sequence of winds, the same on every run.
extern "C" int rand() noexcept {
  static unsigned int estado = 12345;
  estado = estado * 1103515245u + 12345u;
  return int((estado >> 16) & 0x7fff);
}

namespace {

// Frames of one shot's cycle: aim, change kind, charge, then room enough for
// the longest flight before the next aiming check.
const int CICLO = 240;
const int APERTA = 6;
const int AQUECIMENTO = 1000; // frames before the first heap reading

struct Estado {
  long alvo = 100000;
  Tela (*leTela)() = LeTelaGL;
  long quadro = 0;
  int t = 0; // frame within the cycle
  int jogador = 0;
  int cargas = 0; // charging frames of this cycle's shot
  long tiros = 0;
  long conferidos = 0, errados = 0;
  bool saindo = false;
  size_t heapAntes = 0, heapDepois = 0;
} s;

// Reads the frame and tells whether it is of the expected phase.
bool Confere(Fase esperada) {
  const Fase f = Classifica(s.leTela(), int(s.quadro)).fase;
  s.conferidos++;
  return f == esperada;
}

int AlvoX() {
  // Behind its own pivot: the barrel points straight up.
  return s.jogador == 0 ? 300 : 500;
}

void Gancho() {
  if (s.quadro == 0 && __lsan_enable) __lsan_enable();
  if (s.quadro == AQUECIMENTO) s.heapAntes = mallinfo2().uordblks;
  s.quadro++;
  if (s.saindo) return;
  if (s.quadro == 2) Empurra(EventoDeTecla(SDLK_RETURN, SDL_KEYDOWN));
  if (s.quadro == 3) Empurra(EventoDeTecla(SDLK_RETURN, SDL_KEYUP));
  if (s.quadro <= 3) return;
  switch (s.t) {
  case 0:
    Empurra(Movimento(AlvoX(), 568));
    break;
  case 2:
    Empurra(Botao(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT, AlvoX(), 568));
    break;
  case 3:
    Empurra(Botao(SDL_MOUSEBUTTONUP, SDL_BUTTON_RIGHT, AlvoX(), 568));
    break;
  case APERTA - 1:
    // Waits here while a flight is still going on.
    if (!Confere(Fase::MIRA)) return;
    if (s.quadro >= s.alvo) {
      s.heapDepois = mallinfo2().uordblks;
      Empurra(EventoDeTecla(SDLK_ESCAPE, SDL_KEYDOWN));
      s.saindo = true;
      return;
    }
    s.cargas = 10 + int(s.tiros % 20);
    Empurra(Botao(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, AlvoX(), 568));
    break;
  default:
    if (s.t == APERTA + s.cargas / 2 && !Confere(Fase::CARGA)) s.errados++;
    if (s.t == APERTA + s.cargas) {
      Empurra(Botao(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, AlvoX(), 568));
      s.jogador = 1 - s.jogador;
      s.tiros++;
    }
    if (s.t == APERTA + s.cargas + 5 && !Confere(Fase::VOO)) s.errados++;
  }
  s.t = (s.t + 1) % CICLO;
}

} // namespace

int main(int argc, char *argv[]) {
  if (argc > 1) s.alvo = atol(argv[1]);
  const bool naSDL = argc > 2 && strcmp(argv[2], "sdl") == 0;
  jogoNoSDL = naSDL;
  s.leTela = naSDL ? LeTelaSDL : LeTelaGL;
  const std::string origem = PastaDosArquivos();
  char pasta[] = "soak_XXXXXX";
  if (origem.empty() || !mkdtemp(pasta) || chdir(pasta) != 0 ||
      symlink(origem.c_str(), "files") != 0) {
    fprintf(stderr, "no generated files/ at %s\n", TROVASCO_ARQUIVOS);
    return 2;
  }
  T2D2_DefineSincronizaUsuario(Gancho);
  char nome[] = "trovasco";
  char *args[] = {nome, nullptr};
  const auto inicio = std::chrono::steady_clock::now();
  if (__lsan_disable) __lsan_disable();
  const int retorno = SDL_main(1, args);
  const double segundos =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - inicio)
          .count();
  const long crescimento = long(s.heapDepois) - long(s.heapAntes);
  fprintf(stderr,
          "soak %s: %ld frames, %ld shots, %ld phase checks, %ld wrong, "
          "%.1f s, game clock %.1f min, SDL_main returned %d\n",
          naSDL ? "sdl" : "gl", s.quadro, s.tiros, s.conferidos, s.errados,
          segundos, RelogioFalso() / 60000.0, retorno);
  fprintf(stderr,
          "heap in use (mallinfo2 uordblks) at frame %d: %zu, at frame %ld: "
          "%zu, growth %ld bytes\n",
          AQUECIMENTO, s.heapAntes, s.quadro, s.heapDepois, crescimento);
  unlink("files");
  if (chdir("..") == 0) rmdir(pasta);
  bool ok = retorno == 0 && s.errados == 0 && s.quadro >= s.alvo;
#if !defined(__SANITIZE_ADDRESS__)
  ok = ok && crescimento < 1024 * 1024;
#endif
  fprintf(stderr, "soak %s\n", ok ? "passed" : "FAILED");
  return ok ? 0 : 1;
}
