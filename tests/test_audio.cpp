// Tovik Audio 2 on the real SDL_mixer (dummy audio driver): device life,
// volumes, the pan values that reach the mixer, the tables and bad files.
// Sounds are made here: WAV by hand, Ogg Vorbis through libvorbisenc.
#include "apoio.h"
#include "sons.h"
#include "t2d2/tovikaudio2.h"
#include "tovik2d2_interno.h"
#include "tovikaudio2_interno.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <string>
#include <unistd.h>
#include <vector>

// ---------------------------------------------------------------------------
// What the library hands the mixer, seen on the way through
// ---------------------------------------------------------------------------

struct Panorama {
  int canal, esquerda, direita;
};
static std::vector<Panorama> panoramas;
static std::vector<int> vezesTocadas;

extern "C" int Mix_SetPanning(int channel, Uint8 left, Uint8 right) {
  using Real = int (*)(int, Uint8, Uint8);
  static Real real = reinterpret_cast<Real>(dlsym(RTLD_NEXT, "Mix_SetPanning"));
  panoramas.push_back({channel, left, right});
  return real(channel, left, right);
}

extern "C" int Mix_PlayMusic(Mix_Music *music, int loops) {
  using Real = int (*)(Mix_Music *, int);
  static Real real = reinterpret_cast<Real>(dlsym(RTLD_NEXT, "Mix_PlayMusic"));
  vezesTocadas.push_back(loops);
  return real(music, loops);
}

// ---------------------------------------------------------------------------
// Test sound files
// ---------------------------------------------------------------------------

// A file name of this test only: suites run in parallel in one folder.
static std::string nome(const std::string &base) {
  return std::string("audio_") +
         ::testing::UnitTest::GetInstance()->current_test_info()->name() + "_" +
         base;
}

static std::string escreve(const std::string &base, const SonsBytes &b,
                           size_t n) {
  std::string caminho = nome(base);
  FILE *f = fopen(caminho.c_str(), "wb");
  if (n) fwrite(b.data(), 1, n, f);
  fclose(f);
  return caminho;
}
static std::string escreve(const std::string &base, const SonsBytes &b) {
  return escreve(base, b, b.size());
}

// ---------------------------------------------------------------------------
// Fixture
// ---------------------------------------------------------------------------

static const char ERRO_ARQUIVO[] = "Erro ao carregar o arquivo %s.\n";
// The line after it that names the cause.
static const std::string SEM_AUDIO = "O \xe1udio n\xe3o foi iniciado: chame "
                                     "TA2_Inicia antes de carregar sons.\n";
static const std::string SEM_ARQUIVO =
    "O arquivo n\xe3o existe ou n\xe3o pode ser lido: confira o caminho, "
    "relativo \xe0 pasta de trabalho.\n";
static const std::string INDECIFRAVEL =
    "O arquivo n\xe3o p\xf4"
    "de ser decodificado: est\xe1 cortado, "
    "danificado ou num formato que o SDL_mixer n\xe3o l\xea (efeitos: WAV; "
    "m\xfasicas: OGG).\n";

static std::string formata(const char *formato, const std::string &arg) {
  char linha[4200];
  snprintf(linha, sizeof linha, formato, arg.c_str());
  return linha;
}

class Audio : public ::testing::Test {
protected:
  void TearDown() override {
    CapturaSaida c;
    TA2_Encerra();
    if (tela) SDL_FreeSurface(tela);
    screen = nullptr;
  }
  // The library's screen as the audio sees it: only its width matters, so a
  // plain surface stands in for the window.
  void poeTela(int largura) {
    tela = SDL_CreateRGBSurface(SDL_SWSURFACE, largura, 16, 32, 0, 0, 0, 0);
    ASSERT_NE(tela, nullptr);
    screen = tela;
  }
  SDL_Surface *tela = nullptr;
  static void abre() { ASSERT_TRUE(TA2_Inicia()); }
  static unsigned int carregaCalado(const std::string &caminho) {
    CapturaSaida c;
    return TA2_CarregaEfeito(caminho.c_str());
  }
  static unsigned int carregaMusicaCalada(const std::string &caminho) {
    CapturaSaida c;
    return TA2_CarregaMusica(caminho.c_str());
  }
};

// ---------------------------------------------------------------------------
// Opening and closing
// ---------------------------------------------------------------------------

TEST_F(Audio, segundaIniciaDevolveVerdadeiroSemSaida) {
  abre(); // with no window: says so, below
  CapturaSaida c;
  EXPECT_TRUE(TA2_Inicia());
  EXPECT_EQ(c.texto(), "");
  EXPECT_TRUE(TA2_inicializado);
  EXPECT_EQ(lTela, -1); // no screen was opened
}

// The wrong order still opens the device, as it always did, and says what to
// do; the right one is silent and gives the pan its width.
TEST_F(Audio, antesDaJanelaAvisaEDepoisNao) {
  CapturaSaida antes;
  EXPECT_TRUE(TA2_Inicia());
  EXPECT_EQ(antes.texto(),
            "Aten\xe7\xe3o: TA2_Inicia foi chamada sem a janela aberta, e "
            "TA2_TocaEfeitoTela n\xe3o saber\xe1 a largura dela. Chame "
            "T2D2_Inicia antes de TA2_Inicia.\n");
  EXPECT_TRUE(TA2_inicializado);
  TA2_Encerra();
  ASSERT_TRUE(IniciaGLSilencioso(640, 480));
  CapturaSaida depois;
  EXPECT_TRUE(TA2_Inicia());
  EXPECT_EQ(depois.texto(), "");
  EXPECT_EQ(lTela, 640);
  TA2_Encerra();
  EncerraSilencioso();
}

TEST_F(Audio, audioAbertoPorOutroFalhaCalado) {
  ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_AUDIO), 0);
  CapturaSaida c;
  EXPECT_FALSE(TA2_Inicia());
  EXPECT_EQ(c.texto(), "");
  EXPECT_FALSE(TA2_inicializado);
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

// Runs after the library's own exit handler, because it is registered
// before the start: the mixer's thread must be gone by then, or it calls into
// the SDL libraries while their destructors unload them.
static void exigeAudioFechadoNaSaida() {
  if (SDL_GetAudioStatus() != SDL_AUDIO_STOPPED) _exit(3);
}

TEST_F(Audio, saidaSemEncerrarFechaODispositivo) {
  // A fresh process, so no earlier test has registered the library's handler
  // ahead of this one.
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  std::string som = escreve("saida.ogg", SomOgg(2));
  EXPECT_EXIT(
      {
        atexit(exigeAudioFechadoNaSaida);
        TA2_Inicia();
        TA2_TocaMusica(carregaMusicaCalada(som), -1);
        exit(Mix_PlayingMusic() ? 0 : 4);
      },
      ::testing::ExitedWithCode(0), "");
}

TEST_F(Audio, larguraDaTelaLidaAoIniciar) {
  poeTela(640);
  abre();
  EXPECT_EQ(lTela, 640);
}

TEST_F(Audio, reabrirDepoisDeFecharZeraTabelas) {
  abre();
  std::string som = escreve("a.wav", SomWav(0.05));
  ASSERT_EQ(carregaCalado(som), 1u);
  ASSERT_EQ(carregaMusicaCalada(escreve("m.ogg", SomOgg(0.3))), 1u);
  TA2_AjustaVolume(10, 30);
  TA2_Encerra();
  EXPECT_FALSE(TA2_inicializado);
  abre();
  EXPECT_EQ(volMusica, 100u);
  EXPECT_EQ(volEfeitos, 100u);
  EXPECT_EQ(Mix_Volume(-1, -1), 128);
  EXPECT_EQ(TA2_ProcuraEfeito(som.c_str()), 0u);
  EXPECT_EQ(efeitos[0].efeito, nullptr);
  EXPECT_EQ(musicas[0].musica, nullptr);
  EXPECT_EQ(carregaCalado(som), 1u);
}

TEST_F(Audio, encerraLiberaTudoMesmoComVariosDonos) {
  abre();
  std::string som = escreve("a.wav", SomWav(0.05));
  std::string tema = escreve("m.ogg", SomOgg(0.3));
  for (int i = 0; i < 3; i++) carregaCalado(som);
  carregaCalado(escreve("b.wav", SomWav(0.02)));
  carregaMusicaCalada(tema);
  carregaMusicaCalada(tema);
  ASSERT_EQ(efeitos[0].usuarios, 3);
  TA2_TocaEfeito(1, 0);
  ASSERT_TRUE(TA2_TocaMusica(1, -1));
  TA2_Encerra();
  for (const TA2_Efeito &e : efeitos) {
    EXPECT_EQ(e.efeito, nullptr);
    EXPECT_EQ(e.usuarios, 0);
    EXPECT_EQ(e.apelido[0], '\0');
  }
  for (const TA2_Musica &m : musicas) {
    EXPECT_EQ(m.musica, nullptr);
    EXPECT_EQ(m.usuarios, 0);
  }
  EXPECT_EQ(SDL_WasInit(SDL_INIT_AUDIO), 0u);
  TA2_Encerra(); // closed: nothing to do
}

// ---------------------------------------------------------------------------
// Volumes, read back from the mixer
// ---------------------------------------------------------------------------

TEST_F(Audio, volumesEmPorcentoChegamAoMixer) {
  abre();
  struct {
    unsigned int musica, efeitos, pctMusica, pctEfeitos;
    int mixMusica, mixEfeitos;
  } casos[] = {{150, 250, 100, 100, 128, 128},
               {20, 100, 20, 100, 25, 128},
               {50, 1, 50, 1, 64, 1},
               {0, 0, 0, 0, 0, 0}};
  for (const auto &k : casos) {
    SCOPED_TRACE(std::to_string(k.musica) + "/" + std::to_string(k.efeitos));
    EXPECT_TRUE(TA2_AjustaVolume(k.musica, k.efeitos));
    EXPECT_EQ(volMusica, k.pctMusica);
    EXPECT_EQ(volEfeitos, k.pctEfeitos);
    EXPECT_EQ(Mix_VolumeMusic(-1), k.mixMusica);
    EXPECT_EQ(Mix_Volume(0, -1), k.mixEfeitos);
    EXPECT_EQ(Mix_Volume(7, -1), k.mixEfeitos);
  }
}

TEST_F(Audio, volumeAntesDeIniciarAvisa) {
  CapturaSaida c;
  EXPECT_FALSE(TA2_AjustaVolume(20, 20));
  EXPECT_EQ(c.texto(), "Aten\xe7\xe3"
                       "o: tentativa de mudar o volume do "
                       "\xe1"
                       "udio sem iniciar o sistema de \xe1"
                       "udio!\n");
  EXPECT_EQ(volMusica, 100u);
  EXPECT_EQ(volEfeitos, 100u);
}

// ---------------------------------------------------------------------------
// Panning, as handed to the mixer
// ---------------------------------------------------------------------------

struct CasoPan {
  int posicao, esquerda, direita;
};

static void confereTocadas(int (*toca)(unsigned int, int), unsigned int id,
                           const std::vector<CasoPan> &casos) {
  for (const CasoPan &k : casos) {
    SCOPED_TRACE(k.posicao);
    Mix_HaltChannel(-1);
    panoramas.clear();
    int canal = toca(id, k.posicao);
    ASSERT_GE(canal, 0);
    ASSERT_EQ(panoramas.size(), 1u);
    EXPECT_EQ(panoramas[0].canal, canal);
    EXPECT_EQ(panoramas[0].esquerda, k.esquerda);
    EXPECT_EQ(panoramas[0].direita, k.direita);
  }
}

TEST_F(Audio, panoramaDaPosicao) {
  abre();
  unsigned int id = carregaCalado(escreve("a.wav", SomWav(0.05)));
  confereTocadas(TA2_TocaEfeito, id,
                 {{-500, 254, 0},
                  {-100, 254, 0},
                  {0, 127, 127},
                  {50, 63, 190},
                  {-50, 190, 63},
                  {100, 0, 254},
                  {500, 0, 254}});
}

TEST_F(Audio, panoramaDaColunaNumaTelaDe800) {
  poeTela(800);
  abre();
  unsigned int id = carregaCalado(escreve("a.wav", SomWav(0.05)));
  confereTocadas(TA2_TocaEfeitoTela, id,
                 {{400, 127, 127},
                  {-10, 254, 0},
                  {0, 254, 0},
                  {200, 190, 63},
                  {800, 0, 254},
                  {900, 0, 254}});
}

TEST_F(Audio, semLarguraDaTelaTocaCentrado) {
  abre();
  unsigned int id = carregaCalado(escreve("a.wav", SomWav(0.05)));
  confereTocadas(TA2_TocaEfeitoTela, id, {{300, 127, 127}, {-10, 127, 127}});
  lTela = 0;
  confereTocadas(TA2_TocaEfeitoTela, id, {{300, 127, 127}});
}

TEST_F(Audio, semCanalLivreNadaEPanoramizado) {
  abre();
  unsigned int id = carregaCalado(escreve("longo.wav", SomWav(2)));
  int canais = Mix_AllocateChannels(-1);
  for (int i = 0; i < canais; i++) ASSERT_GE(TA2_TocaEfeito(id, 0), 0);
  panoramas.clear();
  EXPECT_EQ(TA2_TocaEfeito(id, -100), -1);
  EXPECT_TRUE(panoramas.empty());
}

// ---------------------------------------------------------------------------
// Tables and identifiers
// ---------------------------------------------------------------------------

TEST_F(Audio, mesmoCaminhoContaDonos) {
  abre();
  std::string som = escreve("a.wav", SomWav(0.05));
  CapturaSaida c;
  unsigned int id = TA2_CarregaEfeito(som.c_str());
  EXPECT_EQ(TA2_CarregaEfeito(som.c_str()), id);
  EXPECT_EQ(c.texto(), formata("Carregou o efeito %s.\n", som));
  EXPECT_EQ(efeitos[id - 1].usuarios, 2);
  TA2_RemoveEfeito(id);
  EXPECT_EQ(TA2_ProcuraEfeito(som.c_str()), id);
  EXPECT_GE(TA2_TocaEfeito(id, 0), 0);
  TA2_RemoveEfeito(id);
  EXPECT_EQ(TA2_ProcuraEfeito(som.c_str()), 0u);
  EXPECT_EQ(efeitos[id - 1].efeito, nullptr);
  EXPECT_EQ(TA2_TocaEfeito(id, 0), 0);

  std::string tema = escreve("m.ogg", SomOgg(0.3));
  CapturaSaida cm;
  unsigned int idm = TA2_CarregaMusica(tema.c_str());
  EXPECT_EQ(TA2_CarregaMusica(tema.c_str()), idm);
  EXPECT_EQ(cm.texto(), formata("Carregou a m\xfa"
                                "sica %s.\n",
                                tema));
  TA2_RemoveMusica(idm);
  EXPECT_TRUE(TA2_TocaMusica(idm, 1));
  TA2_RemoveMusica(idm);
  EXPECT_EQ(TA2_ProcuraMusica(tema.c_str()), 0u);
  EXPECT_FALSE(TA2_TocaMusica(idm, 1));
}

TEST_F(Audio, identificadoresForaDaTabela) {
  abre();
  unsigned int id = carregaCalado(escreve("a.wav", SomWav(0.05)));
  unsigned int idm = carregaMusicaCalada(escreve("m.ogg", SomOgg(0.3)));
  for (unsigned int fora : {0u, 513u, 0xffffffffu}) {
    TA2_RemoveEfeito(fora);
    EXPECT_EQ(TA2_TocaEfeito(fora, 0), 0);
    EXPECT_EQ(TA2_TocaEfeitoTela(fora, 0), 0);
  }
  for (unsigned int fora : {0u, 9u}) {
    TA2_RemoveMusica(fora);
    EXPECT_FALSE(TA2_TocaMusica(fora, -1));
  }
  EXPECT_EQ(efeitos[id - 1].usuarios, 1);
  EXPECT_EQ(musicas[idm - 1].usuarios, 1);
  EXPECT_EQ(TA2_TocaEfeito(2, 0), 0); // a free slot
  EXPECT_FALSE(TA2_TocaMusica(2, -1));
}

// The byte-wise names "x", "./x", "././x"... all name the same file.
static std::string outroNome(const std::string &caminho, int k) {
  std::string s;
  for (int i = 0; i < k; i++) s += "./";
  return s + caminho;
}

TEST_F(Audio, tabelasCheiasAvisam) {
  abre();
  std::string som = escreve("a.wav", SomWav(0.01));
  for (int k = 0; k < TA2_MAXEFEITOS; k++)
    ASSERT_EQ(carregaCalado(outroNome(som, k)), unsigned(k + 1));
  CapturaSaida c;
  EXPECT_EQ(TA2_CarregaEfeito(outroNome(som, 512).c_str()), 0u);
  EXPECT_EQ(c.texto(),
            "Estourou o limite de efeitos sonoros carregados no sistema. \n");

  std::string tema = escreve("m.ogg", SomOgg(0.2));
  for (int k = 0; k < TA2_MAXMUSICAS; k++)
    ASSERT_EQ(carregaMusicaCalada(outroNome(tema, k)), unsigned(k + 1));
  CapturaSaida cm;
  EXPECT_EQ(TA2_CarregaMusica(outroNome(tema, 8).c_str()), 0u);
  EXPECT_EQ(cm.texto(), "Estourou o limite de m\xfa"
                        "sicas carregadas no sistema. \n");
}

TEST_F(Audio, repeticoesNegativasTocamSemFim) {
  abre();
  unsigned int id = carregaMusicaCalada(escreve("m.ogg", SomOgg(0.3)));
  vezesTocadas.clear();
  EXPECT_TRUE(TA2_TocaMusica(id, -7));
  EXPECT_TRUE(TA2_TocaMusica(id, -1));
  EXPECT_TRUE(TA2_TocaMusica(id, 3));
  EXPECT_EQ(vezesTocadas, (std::vector<int>{-1, -1, 3}));
  EXPECT_TRUE(Mix_PlayingMusic());
}

// ---------------------------------------------------------------------------
// Pause, resume and fade on the running mixer
// ---------------------------------------------------------------------------

TEST_F(Audio, pausaContinuaEFade) {
  abre();
  unsigned int id = carregaCalado(escreve("longo.wav", SomWav(2)));
  unsigned int idm = carregaMusicaCalada(escreve("m.ogg", SomOgg(5)));
  ASSERT_GE(TA2_TocaEfeito(id, 0), 0);
  ASSERT_TRUE(TA2_TocaMusica(idm, -1));
  TA2_PausaEfeitos();
  EXPECT_EQ(Mix_Paused(-1), 1);
  TA2_ContinuaEfeitos();
  EXPECT_EQ(Mix_Paused(-1), 0);
  TA2_PausaMusica();
  EXPECT_EQ(Mix_PausedMusic(), 1);
  TA2_ContinuaMusica();
  EXPECT_EQ(Mix_PausedMusic(), 0);
  TA2_FadeMusica(100);
  EXPECT_EQ(Mix_FadingMusic(), MIX_FADING_OUT);
  for (int t = 0; t < 300 && Mix_PlayingMusic(); t++) SDL_Delay(10);
  EXPECT_FALSE(Mix_PlayingMusic()) << "the fade never ended the track";
}

// ---------------------------------------------------------------------------
// Bad input
// ---------------------------------------------------------------------------

static void confereRecusa(unsigned int (*carrega)(const char *),
                          const std::string &caminho,
                          const std::string &causa) {
  SCOPED_TRACE(caminho);
  CapturaSaida c;
  EXPECT_EQ(carrega(caminho.c_str()), 0u);
  EXPECT_EQ(c.texto(), formata(ERRO_ARQUIVO, caminho) + causa);
  EXPECT_EQ(efeitos[0].efeito, nullptr);
  EXPECT_EQ(efeitos[0].apelido[0], '\0');
  EXPECT_EQ(musicas[0].musica, nullptr);
  EXPECT_EQ(musicas[0].apelido[0], '\0');
}

TEST_F(Audio, arquivosRuinsSaoRecusados) {
  abre();
  SonsBytes w = SomWav(1), o = SomOgg(3);
  SonsBytes texto = {'o', 'l', 'a', ',', ' ', 's', 'o', 'm', '\n'};
  std::string vazio = escreve("vazio.wav", w, 0);
  std::string oggMeio = escreve("meio.ogg", o, o.size() / 2);
  confereRecusa(TA2_CarregaEfeito, nome("nao_existe.wav"), SEM_ARQUIVO);
  confereRecusa(TA2_CarregaEfeito, vazio, INDECIFRAVEL);
  confereRecusa(TA2_CarregaEfeito, escreve("meio.wav", w, w.size() / 2),
                INDECIFRAVEL);
  confereRecusa(TA2_CarregaEfeito, oggMeio, INDECIFRAVEL);
  confereRecusa(TA2_CarregaEfeito, escreve("texto.wav", texto), INDECIFRAVEL);
  confereRecusa(TA2_CarregaMusica, nome("nao_existe.ogg"), SEM_ARQUIVO);
  confereRecusa(TA2_CarregaMusica, vazio, INDECIFRAVEL);
  confereRecusa(TA2_CarregaMusica, escreve("curto.ogg", o, 5), INDECIFRAVEL);
  confereRecusa(TA2_CarregaMusica, oggMeio, INDECIFRAVEL);
  // Cut exactly at a page boundary: every page whole, the stream unclosed.
  size_t ultimaPagina = o.size() - 1;
  while (memcmp(&o[ultimaPagina], "OggS", 4) != 0) ultimaPagina--;
  confereRecusa(TA2_CarregaMusica, escreve("pagina.ogg", o, ultimaPagina),
                INDECIFRAVEL);
  confereRecusa(TA2_CarregaMusica,
                EscreveImagem(nome("imagem.png"), 8, 8, 4,
                              [](int, int) {
                                return Cor{255, 0, 0, 255};
                              }),
                INDECIFRAVEL);
  // The whole files load into the slots the refusals left free.
  EXPECT_EQ(carregaCalado(escreve("inteiro.wav", w)), 1u);
  EXPECT_EQ(carregaMusicaCalada(escreve("inteiro.ogg", o)), 1u);
}

TEST_F(Audio, caminhoLongoOuNuloERecusado) {
  abre();
  std::string som = escreve("a.wav", SomWav(0.01));
  // ".//////name": still the same file, in 2047 bytes.
  std::string cabe =
      "." + std::string(TA2_MAXAPELIDO - 2 - som.size(), '/') + som;
  ASSERT_EQ(cabe.size(), size_t(TA2_MAXAPELIDO - 1));
  EXPECT_EQ(carregaCalado(cabe), 1u);
  EXPECT_EQ(TA2_ProcuraEfeito(cabe.c_str()), 1u);

  std::string longo = "/" + cabe;
  CapturaSaida c;
  EXPECT_EQ(TA2_CarregaEfeito(longo.c_str()), 0u);
  EXPECT_EQ(TA2_CarregaMusica(longo.c_str()), 0u);
  std::string linha = "O caminho do arquivo " + longo.substr(0, 48) +
                      "... tem mais de 2047 bytes e foi recusado.\n";
  EXPECT_EQ(c.texto(), linha + linha);
  EXPECT_EQ(efeitos[1].efeito, nullptr);
  EXPECT_EQ(efeitos[1].apelido[0], '\0');
  EXPECT_EQ(musicas[0].apelido[0], '\0');

  CapturaSaida cn;
  EXPECT_EQ(TA2_CarregaEfeito(nullptr), 0u);
  EXPECT_EQ(TA2_CarregaMusica(nullptr), 0u);
  std::string nulo = "Um carregamento de som recebeu um nome de arquivo nulo e "
                     "foi recusado.\n";
  EXPECT_EQ(cn.texto(), nulo + nulo);
  EXPECT_EQ(TA2_ProcuraEfeito(nullptr), 0u);
  EXPECT_EQ(TA2_ProcuraMusica(nullptr), 0u);
}

// A free slot's name is empty: an empty path must not count as a holder of
// it, or a later sound would share the slot with a removal it never made.
TEST_F(Audio, nomeVazioNaoAchaSlotLivre) {
  abre();
  EXPECT_EQ(TA2_ProcuraEfeito(""), 0u);
  EXPECT_EQ(TA2_ProcuraMusica(""), 0u);
  CapturaSaida c;
  EXPECT_EQ(TA2_CarregaEfeito(""), 0u);
  EXPECT_EQ(TA2_CarregaMusica(""), 0u);
  EXPECT_EQ(c.texto(), "Erro ao carregar o arquivo .\n" + SEM_ARQUIVO +
                           "Erro ao carregar o arquivo .\n" + SEM_ARQUIVO);
  EXPECT_EQ(efeitos[0].usuarios, 0);
  EXPECT_EQ(musicas[0].usuarios, 0);

  std::string som = escreve("a.wav", SomWav(0.01));
  unsigned int id = carregaCalado(som);
  ASSERT_EQ(id, 1u);
  EXPECT_EQ(efeitos[0].usuarios, 1);
  TA2_RemoveEfeito(id);
  EXPECT_EQ(efeitos[0].efeito, nullptr);
}

TEST_F(Audio, antesDeIniciarNadaCarregaNemToca) {
  std::string som = escreve("a.wav", SomWav(0.05));
  std::string tema = escreve("m.ogg", SomOgg(0.3));
  confereRecusa(TA2_CarregaEfeito, som, SEM_AUDIO);
  confereRecusa(TA2_CarregaMusica, tema, SEM_AUDIO);
  EXPECT_EQ(TA2_TocaEfeito(1, 0), 0);
  EXPECT_EQ(TA2_TocaEfeitoTela(1, 0), 0);
  EXPECT_FALSE(TA2_TocaMusica(1, -1));
  TA2_PausaEfeitos();
  TA2_ContinuaEfeitos();
  TA2_PausaMusica();
  TA2_ContinuaMusica();
  TA2_FadeMusica(10);
  TA2_Sincroniza();
  TA2_Encerra();
  EXPECT_EQ(SDL_WasInit(SDL_INIT_AUDIO), 0u);
  // Starting afterwards still works.
  abre();
  EXPECT_EQ(carregaCalado(som), 1u);
}
