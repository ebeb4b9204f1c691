// Tovik Audio 2: the mixer device, the effect and music tables with their
// reference counts, panned playback, volumes, pause and fade, on SDL_mixer.
#include "tovikaudio2_interno.h"
#include "tovik2d2_interno.h"

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

static_assert(int(TA2_MAXAPELIDO) == int(T2D2_MAXAPELIDO),
              "sound names are copied by the core's name copy");

// ---------------------------------------------------------------------------
// State
// ---------------------------------------------------------------------------

TA2_Efeito efeitos[TA2_MAXEFEITOS];
TA2_Musica musicas[TA2_MAXMUSICAS];
bool TA2_inicializado = false;
Uint32 volMusica = 100;
Uint32 volEfeitos = 100;
Sint32 lTela = -1;

// Set while TA2_Encerra empties the tables: every slot goes, whatever its
// count of holders, so no decoded sound outlives the closed mixer.
static bool encerrando = false;

enum { FREQUENCIA = 44100, CANAIS_SAIDA = 2, AMOSTRAS_POR_BLOCO = 2048 };

// ---------------------------------------------------------------------------
// Messages (Latin-1)
// ---------------------------------------------------------------------------

// Each message reads as one sentence across its pieces.
// clang-format off
static const char MSG_FALHA_SUBSISTEMA[] =
    "N\xe3" "o conseguiu iniciar a Tovik Audio 2 (subseistema SDL). Erro do "
    "sistema: %s\n";
static const char MSG_FALHA_FORMATO[] =
    "N\xe3" "o conseguiu iniciar a Tovik Audio 2 (formato de \xe1" "udio). "
    "Erro do sistema: %s\n";
static const char MSG_VOLUME_SEM_INICIAR[] =
    "Aten\xe7\xe3" "o: tentativa de mudar o volume do \xe1" "udio sem iniciar "
    "o sistema de \xe1" "udio!";
static const char MSG_LIMITE_EFEITOS[] =
    "Estourou o limite de efeitos sonoros carregados no sistema. ";
static const char MSG_LIMITE_MUSICAS[] =
    "Estourou o limite de m\xfa" "sicas carregadas no sistema. ";
static const char MSG_FALHA_ARQUIVO[] = "Erro ao carregar o arquivo %s.\n";
static const char MSG_CARREGOU_EFEITO[] = "Carregou o efeito %s.\n";
static const char MSG_CARREGOU_MUSICA[] = "Carregou a m\xfa" "sica %s.\n";
static const char MSG_SEM_ARQUIVO[] =
    "Um carregamento de som recebeu um nome de arquivo nulo e foi recusado.";
// Why a load failed, printed after MSG_FALHA_ARQUIVO.
static const char MSG_CAUSA_SEM_AUDIO[] =
    "O \xe1" "udio n\xe3" "o foi iniciado: chame TA2_Inicia antes de carregar "
    "sons.";
static const char MSG_CAUSA_SEM_ARQUIVO[] =
    "O arquivo n\xe3" "o existe ou n\xe3" "o pode ser lido: confira o caminho, "
    "relativo \xe0 pasta de trabalho.";
static const char MSG_CAUSA_INDECIFRAVEL[] =
    "O arquivo n\xe3" "o p\xf4" "de ser decodificado: est\xe1 cortado, "
    "danificado ou num formato que o SDL_mixer n\xe3" "o l\xea (efeitos: WAV; "
    "m\xfa" "sicas: OGG).";
static const char MSG_ANTES_DO_VIDEO[] =
    "Aten\xe7\xe3" "o: TA2_Inicia foi chamada sem a janela aberta, e "
    "TA2_TocaEfeitoTela n\xe3" "o saber\xe1 a largura dela. Chame T2D2_Inicia "
    "antes de TA2_Inicia.";
// clang-format on

// ---------------------------------------------------------------------------
// Files the mixer must not see
// ---------------------------------------------------------------------------
// The mixer plays whatever part of a cut-off WAV or Ogg file it can read and
// reports success, and it leaks its stream on a music file too short for any
// header; such files are refused here before they are decoded.

enum { MENOR_CABECALHO = 12 };

static Uint32 le32(const unsigned char *p) {
  return Uint32(p[0]) | Uint32(p[1]) << 8 | Uint32(p[2]) << 16 |
         Uint32(p[3]) << 24;
}

static long tamanhoArquivo(FILE *f) {
  if (fseek(f, 0, SEEK_END) != 0) return -1;
  long n = ftell(f);
  return fseek(f, 0, SEEK_SET) == 0 ? n : -1;
}

// A RIFF WAVE file is whole when its data chunk fits in the file.
static bool wavInteiro(FILE *f, long tamanho) {
  long pos = 12;
  unsigned char c[8];
  while (pos + 8 <= tamanho) {
    if (fseek(f, pos, SEEK_SET) != 0 || fread(c, 1, 8, f) != 8) return false;
    long corpo = long(le32(c + 4));
    if (memcmp(c, "data", 4) == 0) return pos + 8 + corpo <= tamanho;
    pos += 8 + corpo + (corpo & 1);
  }
  return false;
}

// The CRC of an Ogg page: polynomial 0x04c11db7, most significant bit first,
// over the whole page with its own CRC field taken as zero.
static Uint32 somaOgg(Uint32 crc, const unsigned char *p, size_t n) {
  for (size_t i = 0; i < n; i++) {
    crc ^= Uint32(p[i]) << 24;
    for (int k = 0; k < 8; k++)
      crc = (crc & 0x80000000u) ? (crc << 1) ^ 0x04c11db7u : crc << 1;
  }
  return crc;
}

// Far above any recording; a stream claiming more is a damaged header that
// the decoder would take at its word.
enum { MAX_FREQUENCIA_VORBIS = 384000 };

// The identification header at the start of a Vorbis stream: version 0, at
// least one channel and a rate that can be played.
static bool cabecalhoVorbisSensato(const unsigned char *corpo, size_t n) {
  if (n < 16 || memcmp(corpo, "\x01vorbis", 7) != 0) return true;
  Uint32 versao = le32(corpo + 7), frequencia = le32(corpo + 12);
  return versao == 0 && corpo[11] > 0 && frequencia > 0 &&
         frequencia <= MAX_FREQUENCIA_VORBIS;
}

// An Ogg file is whole when its pages run complete to the end of the file,
// each matches its CRC, the first one holds a sane Vorbis header (when it
// holds one) and the last one closes its stream. The mixer reads only the
// headers when it opens a track, so damage anywhere else would otherwise be
// heard, not reported.
static bool oggInteiro(FILE *f, long tamanho) {
  long pos = 0;
  bool fimDoFluxo = false;
  unsigned char cab[27], segmentos[255];
  static unsigned char corpo[255 * 255];
  while (pos < tamanho) {
    if (fseek(f, pos, SEEK_SET) != 0 || fread(cab, 1, 27, f) != 27 ||
        memcmp(cab, "OggS", 4) != 0)
      return false;
    size_t n = cab[26];
    if (fread(segmentos, 1, n, f) != n) return false;
    size_t bytes = 0;
    for (size_t i = 0; i < n; i++) bytes += segmentos[i];
    if (fread(corpo, 1, bytes, f) != bytes) return false;
    Uint32 guardada = le32(cab + 22);
    memset(cab + 22, 0, 4);
    Uint32 crc =
        somaOgg(somaOgg(somaOgg(0, cab, 27), segmentos, n), corpo, bytes);
    if (crc != guardada) return false;
    if (pos == 0 && !cabecalhoVorbisSensato(corpo, bytes)) return false;
    pos += 27 + long(n) + long(bytes);
    fimDoFluxo = (cab[5] & 0x04) != 0;
  }
  return pos == tamanho && fimDoFluxo;
}

// Why a file at hand cannot be decoded, or null when the decoder may try it.
// A folder opens, but reading it fails. Beyond the header, formats other
// than WAV and Ogg are left to the mixer.
static const char *impedimento(const char *arquivo) {
  FILE *f = fopen(arquivo, "rb");
  if (!f) return MSG_CAUSA_SEM_ARQUIVO;
  unsigned char inicio[MENOR_CABECALHO];
  long tamanho = tamanhoArquivo(f);
  size_t lidos = fread(inicio, 1, MENOR_CABECALHO, f);
  const char *causa = nullptr;
  if (ferror(f))
    causa = MSG_CAUSA_SEM_ARQUIVO;
  else if (tamanho < MENOR_CABECALHO || lidos != MENOR_CABECALHO)
    causa = MSG_CAUSA_INDECIFRAVEL;
  else if (memcmp(inicio, "RIFF", 4) == 0 && memcmp(inicio + 8, "WAVE", 4) == 0)
    causa = wavInteiro(f, tamanho) ? nullptr : MSG_CAUSA_INDECIFRAVEL;
  else if (memcmp(inicio, "OggS", 4) == 0)
    causa = oggInteiro(f, tamanho) ? nullptr : MSG_CAUSA_INDECIFRAVEL;
  fclose(f);
  return causa;
}

// ---------------------------------------------------------------------------
// Table steps shared by effects and music
// ---------------------------------------------------------------------------

// A file still on its way is checked by the decoder when it arrives; one at
// hand is checked first, so that a failure can name its cause.
static Mix_Chunk *decodificaEfeito(const char *arquivo, const char **causa) {
  if (Mix_Chunk *aChegar = T2D2_EfeitoAChegar(arquivo)) return aChegar;
  if ((*causa = impedimento(arquivo))) return nullptr;
  return Mix_LoadWAV_RW(SDL_RWFromFile(arquivo, "rb"), 1);
}

static Mix_Music *decodificaMusica(const char *arquivo, const char **causa) {
  if (Mix_Music *aChegar = T2D2_MusicaAChegar(arquivo)) return aChegar;
  if ((*causa = impedimento(arquivo))) return nullptr;
  return Mix_LoadMUS(arquivo);
}

template <class Slot>
static unsigned int procura(const Slot *tabela, unsigned int tamanho,
                            const char *apelido) {
  if (!apelido) return 0;
  // A free slot's name is empty too; it names no sound.
  for (unsigned int i = 0; i < tamanho; i++)
    if (tabela[i].usuarios > 0 && strcmp(tabela[i].apelido, apelido) == 0)
      return i + 1;
  return 0;
}

template <class Slot, class Som>
static Som *somDe(Slot *tabela, unsigned int tamanho, Som *Slot::*campo,
                  unsigned int id) {
  if (id == 0 || id > tamanho) return nullptr;
  return tabela[id - 1].*campo;
}

// The decoder is only tried with the device open: before it the mixer
// has no output format to convert to.
template <class Slot, class Som>
static unsigned int
carrega(Slot *tabela, unsigned int tamanho, Som *Slot::*campo,
        Som *(*decodifica)(const char *, const char **), const char *arquivo,
        const char *msgLimite, const char *msgCarregou) {
  if (!arquivo) {
    puts(MSG_SEM_ARQUIVO);
    return 0;
  }
  unsigned int existente = procura(tabela, tamanho, arquivo);
  if (existente) {
    tabela[existente - 1].usuarios++;
    return existente;
  }
  unsigned int i = 0;
  while (i < tamanho && tabela[i].*campo) i++;
  if (i == tamanho) {
    puts(msgLimite);
    return 0;
  }
  Slot &s = tabela[i];
  if (!T2D2_CopiaApelido(s.apelido, arquivo)) return 0;
  const char *causa = TA2_inicializado ? nullptr : MSG_CAUSA_SEM_AUDIO;
  Som *som = causa ? nullptr : decodifica(arquivo, &causa);
  if (!som) {
    s.apelido[0] = '\0';
    printf(MSG_FALHA_ARQUIVO, arquivo);
    puts(causa ? causa : MSG_CAUSA_INDECIFRAVEL);
    return 0;
  }
  s.*campo = som;
  s.usuarios = 1;
  printf(msgCarregou, arquivo);
  return i + 1;
}

template <class Slot, class Som>
static void removeSom(Slot *tabela, unsigned int tamanho, Som *Slot::*campo,
                      void (*libera)(Som *), unsigned int id) {
  if (id == 0 || id > tamanho) return;
  Slot &s = tabela[id - 1];
  if (s.usuarios > 1 && !encerrando) {
    s.usuarios--;
    return;
  }
  if (s.*campo) libera(s.*campo);
  s.*campo = nullptr;
  s.apelido[0] = '\0';
  s.usuarios = 0;
}

template <class Slot> static void esvazia(Slot &s) {
  s.usuarios = 0;
  s.apelido[0] = '\0';
  s.tempo = 0;
}

// Forgets every slot without freeing anything.
static void resetaAudio() {
  volMusica = 100;
  volEfeitos = 100;
  for (TA2_Efeito &e : efeitos) {
    esvazia(e);
    e.efeito = nullptr;
  }
  for (TA2_Musica &m : musicas) {
    esvazia(m);
    m.musica = nullptr;
  }
}

// ---------------------------------------------------------------------------
// Device and volume
// ---------------------------------------------------------------------------

// A program may end without TA2_Encerra. The mixer's thread would then keep
// calling into SDL while the libraries' destructors unload it at exit, and
// crash the process after it has finished; closing the device first, from an
// exit handler, ends that thread in time.
static void fechaNaSaidaUmaVez() {
  static bool registrado = false;
  if (registrado) return;
  registrado = atexit(TA2_Encerra) == 0;
}

bool TA2_Inicia() {
  if (TA2_inicializado) return true;
  resetaAudio();
  T2D2_Partida partida = T2D2_IniciaSubsistema(SDL_INIT_AUDIO);
  if (partida == T2D2_JA_INICIADO) return false;
  if (partida == T2D2_FALHOU) {
    printf(MSG_FALHA_SUBSISTEMA, SDL_GetError());
    return false;
  }
  if (Mix_OpenAudio(FREQUENCIA, AUDIO_S16LSB, CANAIS_SAIDA,
                    AMOSTRAS_POR_BLOCO) < 0) {
    printf(MSG_FALHA_FORMATO, SDL_GetError());
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return false;
  }
  TA2_inicializado = true;
  fechaNaSaidaUmaVez();
  TA2_AjustaVolume(100, 100);
  lTela = screen ? screen->w : -1;
  // The device works all the same; only the pan by column is lost.
  if (!inicializado) puts(MSG_ANTES_DO_VIDEO);
  return true;
}

void TA2_Encerra() {
  if (!TA2_inicializado) return;
  if (Mix_PlayingMusic()) Mix_HaltMusic();
  Mix_HaltChannel(-1);
  encerrando = true;
  for (unsigned int id = 1; id <= TA2_MAXEFEITOS; id++) TA2_RemoveEfeito(id);
  for (unsigned int id = 1; id <= TA2_MAXMUSICAS; id++) TA2_RemoveMusica(id);
  encerrando = false;
  Mix_CloseAudio();
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
  TA2_inicializado = false;
}

void TA2_Sincroniza() {}

bool TA2_AjustaVolume(unsigned int musica, unsigned int efeitos) {
  if (!TA2_inicializado) {
    puts(MSG_VOLUME_SEM_INICIAR);
    return false;
  }
  volMusica = musica < 100 ? musica : 100;
  volEfeitos = efeitos < 100 ? efeitos : 100;
  Mix_Volume(-1, int(volEfeitos * MIX_MAX_VOLUME / 100));
  Mix_VolumeMusic(int(volMusica * MIX_MAX_VOLUME / 100));
  return true;
}

// ---------------------------------------------------------------------------
// Effects
// ---------------------------------------------------------------------------

unsigned int TA2_CarregaEfeito(const char *arquivo) {
  return carrega(efeitos, TA2_MAXEFEITOS, &TA2_Efeito::efeito, decodificaEfeito,
                 arquivo, MSG_LIMITE_EFEITOS, MSG_CARREGOU_EFEITO);
}

void TA2_RemoveEfeito(unsigned int id) {
  removeSom(efeitos, TA2_MAXEFEITOS, &TA2_Efeito::efeito, Mix_FreeChunk, id);
}

unsigned int TA2_ProcuraEfeito(const char *apelido) {
  return procura(efeitos, TA2_MAXEFEITOS, apelido);
}

static int limita(int v, int minimo, int maximo) {
  return v < minimo ? minimo : v > maximo ? maximo : v;
}

// Plays once on the first free channel, panned -100 (left) .. 100 (right).
// Without a free channel there is nothing to pan.
static int tocaComPanorama(Mix_Chunk *efeito, int pan) {
  int canal = Mix_PlayChannelTimed(-1, efeito, 0, -1);
  if (canal >= 0)
    Mix_SetPanning(canal, Uint8(254 * (100 - pan) / 200),
                   Uint8(254 * (pan + 100) / 200));
  return canal;
}

int TA2_TocaEfeito(unsigned int id, int posicao) {
  Mix_Chunk *e = somDe(efeitos, TA2_MAXEFEITOS, &TA2_Efeito::efeito, id);
  if (!e) return 0;
  return tocaComPanorama(e, limita(posicao, -100, 100));
}

// The left edge pans fully left, the right edge fully right; without a
// known screen width the sound plays centred.
static int panoramaDaColuna(int coluna) {
  if (lTela <= 0) return 0;
  return 200 * limita(coluna, 0, lTela) / lTela - 100;
}

int TA2_TocaEfeitoTela(unsigned int id, int posicao) {
  Mix_Chunk *e = somDe(efeitos, TA2_MAXEFEITOS, &TA2_Efeito::efeito, id);
  if (!e) return 0;
  return tocaComPanorama(e, panoramaDaColuna(posicao));
}

void TA2_PausaEfeitos() {
  Mix_Pause(-1);
}

void TA2_ContinuaEfeitos() {
  Mix_Resume(-1);
}

// ---------------------------------------------------------------------------
// Music
// ---------------------------------------------------------------------------

unsigned int TA2_CarregaMusica(const char *arquivo) {
  return carrega(musicas, TA2_MAXMUSICAS, &TA2_Musica::musica, decodificaMusica,
                 arquivo, MSG_LIMITE_MUSICAS, MSG_CARREGOU_MUSICA);
}

void TA2_RemoveMusica(unsigned int id) {
  removeSom(musicas, TA2_MAXMUSICAS, &TA2_Musica::musica, Mix_FreeMusic, id);
}

unsigned int TA2_ProcuraMusica(const char *apelido) {
  return procura(musicas, TA2_MAXMUSICAS, apelido);
}

bool TA2_TocaMusica(unsigned int id, int vezes) {
  Mix_Music *m = somDe(musicas, TA2_MAXMUSICAS, &TA2_Musica::musica, id);
  if (!m) return false;
  return Mix_PlayMusic(m, vezes < -1 ? -1 : vezes) == 0;
}

void TA2_PausaMusica() {
  Mix_PauseMusic();
}

void TA2_ContinuaMusica() {
  Mix_ResumeMusic();
}

void TA2_FadeMusica(unsigned int tempo) {
  Mix_FadeOutMusic(tempo > INT_MAX ? INT_MAX : int(tempo));
}
