// Whole games on degraded machines, on damaged asset folders and with the
// window closed at every phase. The clock runs as fast as frames are drawn,
// so that hundreds of frames take a few seconds.
#include "jogo_rapido.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sys/stat.h>

// Calm wind: the generator answers 0.
extern "C" int rand() noexcept {
  return 0;
}

namespace {

const char FALHOU[] = "Falhou ao iniciar a Tovik2D 2. Encerrando o programa.";
const char INICIOU[] = "Iniciou a Tovik2D 2 com sucesso";
const char SEM_AUDIO[] = "N\xe3o conseguiu iniciar a Tovik Audio 2";

// Aimed behind its own pivot the barrel points straight up: the ball climbs,
// falls back past its own cannon and the turn passes.
Roteiro TiroVertical(int jogador) {
  return Atira(jogador == 0 ? 300 : 500, 568, 20);
}

// Below the horizontal: the ball starts under the window, no flight frame.
Roteiro TiroParaBaixo(int jogador) {
  return Atira(jogador == 0 ? 440 : 360, 598, 1);
}

// Starts of runs of charging frames, by the side of their force bar.
std::vector<int> LadosDasCargas(const Partida &p) {
  std::vector<int> lados;
  for (size_t i = 0; i < p.quadros.size(); i++)
    if (p.quadros[i].fase == Fase::CARGA &&
        (i == 0 || p.quadros[i - 1].fase != Fase::CARGA))
      lados.push_back(p.quadros[i].barra);
  return lados;
}

bool AlgumSom(const Partida &p) {
  for (const Quadro &q : p.quadros)
    if (q.somTocando) return true;
  return false;
}

// The end screen: the field without inventory or force bar, the cannon of
// the player last on turn at the centre with its life bar.
bool MostraOFim(const Partida &p) {
  if (p.quadros.empty()) return false;
  const Quadro &fim = p.quadros.back();
  return fim.fase == Fase::OUTRA && fim.inicioVida == 370 &&
         fim.verdes + fim.vermelhos == 100;
}

std::string Le(const std::string &caminho) {
  std::ifstream f(caminho, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(f), {});
}

// ---------------------------------------------------------------------------
// Degraded machines
// ---------------------------------------------------------------------------

struct Maquina {
  const char *video;
  bool naSDL; // the game's start redirected to the SDL back-end
  const char *audio;
};

void PrintTo(const Maquina &m, std::ostream *os) {
  *os << m.video << (m.naSDL ? " SDL " : " OpenGL ") << m.audio;
}

std::string Nome(const ::testing::TestParamInfo<Maquina> &i) {
  return std::string(i.param.video) + (i.param.naSDL ? "SDL" : "GL") + "_" +
         i.param.audio;
}

class JogoNaMaquina : public ::testing::TestWithParam<Maquina> {};

TEST_P(JogoNaMaquina, joga600QuadrosOuRecusaOOpenGLESai0) {
  PRECISA_DOS_ARQUIVOS();
  const Maquina m = GetParam();
  setenv("SDL_VIDEODRIVER", m.video, 1);
  setenv("SDL_AUDIODRIVER", m.audio, 1);
  jogoNoSDL = m.naSDL;
  Partida p;
  p.leTela = m.naSDL ? LeTelaSDL : LeTelaGL;
  Roteiro tiros;
  for (int i = 0; i < 6; i++) tiros = tiros + TiroVertical(i % 2);
  p.roteiro = ENTER + tiros + AteOQuadro(600) + Ate(Fase::MIRA) + ESC;
  p.Joga();
  EXPECT_EQ(p.retorno, 0);
  const bool semGL = std::string(m.video) == "dummy" && !m.naSDL;
  if (semGL) {
    EXPECT_NE(p.saida.find(std::string(FALHOU) + "\n"), std::string::npos)
        << p.saida;
    EXPECT_EQ(p.saida.find(INICIOU), std::string::npos);
    EXPECT_EQ(p.saida.find("./files/"), std::string::npos) << "nothing loads";
    EXPECT_TRUE(p.quadros.empty());
    return;
  }
  EXPECT_EQ(p.saida.find(FALHOU), std::string::npos) << p.saida;
  EXPECT_GE(p.quadros.size(), 601u);
  EXPECT_EQ(LadosDasCargas(p), (std::vector<int>{0, 760, 0, 760, 0, 760}));
  EXPECT_GE(p.De(Fase::VOO).size(), 6 * 20u);
  EXPECT_TRUE(MostraOFim(p));
  const bool semAudio = std::string(m.audio) != "dummy";
  EXPECT_EQ(p.saida.find(SEM_AUDIO) != std::string::npos, semAudio) << p.saida;
  EXPECT_EQ(AlgumSom(p), !semAudio);
}

INSTANTIATE_TEST_SUITE_P(
    Combinacoes, JogoNaMaquina,
    ::testing::Values(
        Maquina{"offscreen", false, "dummy"},
        Maquina{"offscreen", false, "alsa"},
        Maquina{"offscreen", false, "nonexistent"},
        Maquina{"dummy", false, "dummy"}, Maquina{"dummy", false, "alsa"},
        Maquina{"dummy", false, "nonexistent"}, Maquina{"dummy", true, "dummy"},
        Maquina{"dummy", true, "alsa"}, Maquina{"dummy", true, "nonexistent"}),
    Nome);

// ---------------------------------------------------------------------------
// Damaged asset folders
// ---------------------------------------------------------------------------

const char *const ARQUIVOS[] = {
    "bala1.png",          "bala2.png",  "bala3.png",    "bala1g.png",
    "bala2g.png",         "bala3g.png", "canhao2.png",  "base.png",
    "grama.png",          "fundo4.jpg", "splash.png",   "fonte.png",
    "boundingcircle.png", "shoot.wav",  "explosao.wav", "explosaoFinal.wav",
    "WhatYouWantv2.ogg"};

enum class Dano { AUSENTE, VAZIO, TRUNCADO };

// Fills the game's empty files/ with the generated files, one of them
// damaged: left out, written empty, or cut in half.
void CopiaComDano(const std::string &origem, const std::string &danificado,
                  Dano dano) {
  for (const char *n : ARQUIVOS) {
    std::string bytes = Le(origem + "/" + n);
    if (n == danificado) {
      if (dano == Dano::AUSENTE) continue;
      bytes = dano == Dano::VAZIO ? std::string()
                                  : bytes.substr(0, bytes.size() / 2);
    }
    std::ofstream(std::string("files/") + n, std::ios::binary) << bytes;
  }
}

using Danificado = std::tuple<int, Dano>;

std::string NomeDoDano(const ::testing::TestParamInfo<Danificado> &i) {
  std::string n = ARQUIVOS[std::get<0>(i.param)];
  for (char &c : n)
    if (c == '.') c = '_';
  static const char *danos[] = {"ausente", "vazio", "truncado"};
  return n + "_" + danos[int(std::get<1>(i.param))];
}

class JogoComArquivoDanificado : public ::testing::TestWithParam<Danificado> {};

TEST_P(JogoComArquivoDanificado, relataEPassaAVez) {
  PRECISA_DOS_ARQUIVOS();
  const std::string nome = ARQUIVOS[std::get<0>(GetParam())];
  const Dano dano = std::get<1>(GetParam());
  const std::string origem = PastaDosArquivos();
  Partida p;
  // Written once the game runs in its new folder and before it loads.
  inicioDoJogo = [&] { CopiaComDano(origem, nome, dano); };
  p.roteiro = ENTER + TiroParaBaixo(0) + TiroParaBaixo(1) + Ate(Fase::MIRA) +
              Proximo(1) + ESC;
  p.Joga(Arquivos::VAZIOS);
  inicioDoJogo = nullptr;
  EXPECT_EQ(p.retorno, 0);
  EXPECT_EQ(LadosDasCargas(p), (std::vector<int>{0, 760}));
  ASSERT_FALSE(p.De(Fase::MIRA).empty());
  EXPECT_EQ(p.De(Fase::MIRA).back().inicioVida, 370);
  const std::string caminho = "./files/" + nome;
  if (dano != Dano::TRUNCADO) {
    EXPECT_NE(p.saida.find(caminho), std::string::npos)
        << "the failure names the file\n"
        << p.saida;
    EXPECT_EQ(p.saida.find("Carregou o efeito " + caminho), std::string::npos);
    EXPECT_EQ(p.saida.find("sica " + caminho), std::string::npos);
  }
}

INSTANTIATE_TEST_SUITE_P(CadaArquivo, JogoComArquivoDanificado,
                         ::testing::Combine(::testing::Range(0, 17),
                                            ::testing::Values(Dano::AUSENTE,
                                                              Dano::VAZIO,
                                                              Dano::TRUNCADO)),
                         NomeDoDano);

// ---------------------------------------------------------------------------
// The window closed at every phase
// ---------------------------------------------------------------------------

struct Fechamento {
  const char *nome;
  // Builds the script; the step that closes the window records its frame.
  Roteiro (*roteiro)(int *quadro);
  bool encerra; // the game ends right after that frame
};

Roteiro SaiAqui(int *quadro) {
  return Roteiro{[quadro](const Quadro &q) {
           *quadro = q.numero;
           return true;
         }} +
         Sai();
}

const Roteiro DEPOIS = Ate(Fase::MIRA) + Proximo(1) + ESC;

const Fechamento FECHAMENTOS[] = {
    {"primeiroQuadro", [](int *q) { return SaiAqui(q); }, true},
    {"splash", [](int *q) { return Proximo(4) + SaiAqui(q); }, true},
    {"mira",
     [](int *q) { return ENTER + Ate(Fase::MIRA) + Proximo(2) + SaiAqui(q); },
     true},
    {"carga",
     [](int *q) {
       return ENTER + Ate(Fase::MIRA) + Move(300, 568) + Proximo(0) +
              Aperta(300, 568) + Ate(Fase::CARGA) + Proximo(3) + SaiAqui(q) +
              SoltaNaCarga(10, 300, 568) + DEPOIS;
     },
     false},
    {"soltura",
     [](int *q) {
       return ENTER + Ate(Fase::MIRA) + Move(300, 568) + Proximo(0) +
              Aperta(300, 568) + SoltaNaCarga(20, 300, 568) + SaiAqui(q) +
              DEPOIS;
     },
     false},
    {"voo",
     [](int *q) {
       return ENTER + TiroVertical(0) + Ate(Fase::VOO) + Proximo(3) +
              SaiAqui(q) + DEPOIS;
     },
     false},
    {"trocaDeVez",
     [](int *q) { return ENTER + TiroParaBaixo(0) + Proximo(0) + SaiAqui(q); },
     true},
};

void PrintTo(const Fechamento &f, std::ostream *os) {
  *os << f.nome;
}

std::string NomeDoFechamento(const ::testing::TestParamInfo<Fechamento> &i) {
  return i.param.nome;
}

class JogoFechado : public ::testing::TestWithParam<Fechamento> {};

TEST_P(JogoFechado, terminaComoAsRegrasDizem) {
  PRECISA_DOS_ARQUIVOS();
  const Fechamento f = GetParam();
  Partida p;
  int quadro = -1;
  p.roteiro = f.roteiro(&quadro);
  p.Joga();
  EXPECT_EQ(p.retorno, 0);
  ASSERT_GE(quadro, 0) << "the window was never closed";
  EXPECT_TRUE(MostraOFim(p));
  EXPECT_GE(p.duracaoFinal, 2000u);
  if (f.encerra) {
    EXPECT_EQ(p.quadros.size(), size_t(quadro) + 2) << "end screen next";
    return;
  }
  // Cleared by the next frame's refresh: play goes on to the later Escape,
  // which the next player's aiming frame takes.
  const auto mira = p.De(Fase::MIRA);
  ASSERT_FALSE(mira.empty());
  EXPECT_GT(mira.back().numero, quadro);
  EXPECT_EQ(LadosDasCargas(p), (std::vector<int>{0}));
}

INSTANTIATE_TEST_SUITE_P(Fases, JogoFechado, ::testing::ValuesIn(FECHAMENTOS),
                         NomeDoFechamento);

TEST(JogoFechado, aoCarregarOSplashMostraUmQuadroEOFim) {
  PRECISA_DOS_ARQUIVOS();
  Partida p;
  saiAoCarregarAFonte = true;
  p.Joga();
  saiAoCarregarAFonte = false;
  EXPECT_EQ(p.retorno, 0);
  EXPECT_EQ(p.quadros.size(), 2u) << "one splash frame, then the end";
  EXPECT_TRUE(MostraOFim(p));
}

TEST(JogoFechado, naPausaFinalNadaMuda) {
  PRECISA_DOS_ARQUIVOS();
  Partida p;
  saiNaPausaFinal = true;
  p.roteiro = ENTER + Ate(Fase::MIRA) + Proximo(1) + ESC;
  p.Joga();
  EXPECT_FALSE(saiNaPausaFinal) << "the pause was never reached";
  saiNaPausaFinal = false;
  EXPECT_EQ(p.retorno, 0);
  EXPECT_GE(p.duracaoFinal, 2000u);
  EXPECT_TRUE(MostraOFim(p));
}

// The hit frame is the aiming frame its own iteration ends with: the turn has
// passed and the struck cannon, at the centre, shows 80 of its 100 points.
TEST(JogoFechado, noQuadroDoAcertoOFimMostraOCanhaoAtingido) {
  PRECISA_DOS_ARQUIVOS();
  const int n = CargasParaAcertar(0.02f);
  Partida p;
  int acerto = -1;
  p.observa = [&](const Quadro &q, const Tela &) {
    const size_t i = p.quadros.size() - 1;
    if (acerto < 0 && i > 0 && p.quadros[i - 1].fase == Fase::VOO &&
        q.inicioVida == 370 && q.verdes == 80) {
      acerto = q.numero;
      Sai()[0](q);
    }
  };
  p.roteiro = ENTER + Atira(500, 468, n) + Ate(Fase::MIRA) + Proximo(1) + ESC;
  p.Joga();
  EXPECT_EQ(p.retorno, 0);
  ASSERT_GE(acerto, 0) << "charged " << n << ", no hit";
  EXPECT_EQ(p.quadros.size(), size_t(acerto) + 2);
  EXPECT_EQ(p.quadros.back().verdes, 80);
  EXPECT_TRUE(MostraOFim(p));
}

} // namespace
