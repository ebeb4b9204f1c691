// Every loader against the same damaged files: the sprite-set loader, the
// font loader, sound effects and music, each given a missing file, a folder,
// an empty file, garbage, a cut-off file, a damaged checksum or header, a
// file of another type under the right extension, and a header that claims
// an absurd size. Each gets the loader's own message, 0, a free slot, and the
// next good file loads into slot 1. The damage is made here, from good files
// made by code.
#include "apoio.h"
#include "png_cru.h"
#include "sons.h"
#include "t2d2/tovikaudio2.h"
#include "tovik2d2_interno.h"
#include "tovikaudio2_interno.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <sys/stat.h>
#include <zlib.h>

namespace {

enum Carregador { SPRITES, FONTE, EFEITO, MUSICA };
enum Dano {
  AUSENTE,
  PASTA,
  VAZIO,
  LIXO,
  CORTADO,
  SOMA_ERRADA, // PNG CRC, Ogg page, WAV header
  OUTRO_TIPO,
  TAMANHO_ABSURDO,
};

const char *const NOMES_CARREGADOR[] = {"sprites", "fonte", "efeito", "musica"};
const char *const NOMES_DANO[] = {"ausente",    "pasta",          "vazio",
                                  "lixo",       "cortado",        "soma_errada",
                                  "outro_tipo", "tamanho_absurdo"};
const int CELULA = 8; // font cells: a 128 x 128 sheet

bool ehImagem(Carregador c) {
  return c == SPRITES || c == FONTE;
}

Bytes comoBytes(const SonsBytes &s) {
  return Bytes(s.begin(), s.end());
}

Bytes leArquivo(const std::string &caminho) {
  Bytes b;
  FILE *f = fopen(caminho.c_str(), "rb");
  if (!f) return b;
  int c;
  while ((c = fgetc(f)) != EOF) b.push_back(Uint8(c));
  fclose(f);
  return b;
}

// A good image: a 128 x 128 sheet with a little ink in every cell, valid for
// both image loaders.
Bytes imagemBoa(const std::string &caminho) {
  EscreveImagem(caminho, 16 * CELULA, 16 * CELULA, 4, [](int x, int y) {
    return x % CELULA < 3 && y % CELULA < 5 ? Cor{250, 250, 250, 255}
                                            : Cor{0, 0, 0, 0};
  });
  return leArquivo(caminho);
}

Bytes pseudoAleatorio(size_t n) {
  Bytes b(n);
  Uint32 s = 2463534242u;
  for (Uint8 &v : b) {
    s ^= s << 13, s ^= s >> 17, s ^= s << 5;
    v = Uint8(s);
  }
  return b;
}

// Offset of the first PNG chunk of the given type.
size_t chunkPng(const Bytes &b, const char *tipo) {
  size_t pos = 8;
  while (pos + 8 <= b.size()) {
    Uint32 n =
        Uint32(b[pos]) << 24 | b[pos + 1] << 16 | b[pos + 2] << 8 | b[pos + 3];
    if (memcmp(&b[pos + 4], tipo, 4) == 0) return pos;
    pos += 12 + n;
  }
  return 0;
}

// Offsets of the Ogg pages of a file.
std::vector<size_t> paginasOgg(const Bytes &b) {
  std::vector<size_t> p;
  size_t pos = 0;
  while (pos + 27 <= b.size() && memcmp(&b[pos], "OggS", 4) == 0) {
    p.push_back(pos);
    size_t n = b[pos + 26], corpo = 0;
    for (size_t i = 0; i < n; i++) corpo += b[pos + 27 + i];
    pos += 27 + n + corpo;
  }
  return p;
}

// The CRC an Ogg page carries: polynomial 0x04c11db7, unreflected, over the
// page with its CRC field zeroed.
void refazCrcOgg(Bytes &b, size_t pagina, size_t fim) {
  for (int i = 0; i < 4; i++) b[pagina + 22 + i] = 0;
  Uint32 crc = 0;
  for (size_t i = pagina; i < fim; i++) {
    crc ^= Uint32(b[i]) << 24;
    for (int k = 0; k < 8; k++)
      crc = crc & 0x80000000u ? crc << 1 ^ 0x04c11db7u : crc << 1;
  }
  for (int i = 0; i < 4; i++) b[pagina + 22 + i] = Uint8(crc >> (8 * i));
}

// The 65500 x 65500 RGBA header of png_cru.h, as bytes.
Bytes pngAbsurdo(const std::string &caminho) {
  EscreveCabecalhoPng(caminho, 65500, 65500);
  return leArquivo(caminho);
}

Bytes danifica(Carregador c, Dano d, const std::string &caminho) {
  Bytes boa = ehImagem(c)   ? imagemBoa(caminho)
              : c == EFEITO ? comoBytes(SomWav(0.2))
                            : comoBytes(SomOgg(3));
  switch (d) {
  case VAZIO:
    return Bytes();
  case LIXO:
    return pseudoAleatorio(4096);
  case CORTADO:
    return Bytes(boa.begin(), boa.begin() + long(boa.size() / 2));
  case SOMA_ERRADA:
    if (ehImagem(c)) { // one byte of the pixel data no longer matches its CRC
      boa[chunkPng(boa, "IDAT") + 8 + 5] ^= 0x5a;
    } else if (c == EFEITO) { // a format tag no decoder knows, 0 channels
      boa[20] = 0x77, boa[21] = 0x77, boa[22] = 0, boa[23] = 0;
    } else { // one byte of the last audio page's body
      std::vector<size_t> p = paginasOgg(boa);
      boa[p.back() + (boa.size() - p.back()) / 2] ^= 0x5a;
    }
    return boa;
  case OUTRO_TIPO:
    return ehImagem(c) ? comoBytes(SomWav(0.05)) : imagemBoa(caminho + ".png");
  case TAMANHO_ABSURDO:
    if (ehImagem(c)) return pngAbsurdo(caminho);
    if (c == EFEITO) { // the data chunk claims 2 GiB
      boa[40] = 0xf0, boa[41] = 0xff, boa[42] = 0xff, boa[43] = 0x7f;
    } else { // the stream claims 4294967295 Hz, its page CRC made right
      std::vector<size_t> p = paginasOgg(boa);
      size_t id = p[0] + 28 + 12; // after the segment table and "\1vorbis"
      for (int i = 0; i < 4; i++) boa[id + i] = 0xff;
      refazCrcOgg(boa, p[0], p[1]);
    }
    return boa;
  default:
    return boa;
  }
}

class Corrupcao
    : public ::testing::TestWithParam<std::tuple<Carregador, Dano>> {
protected:
  void SetUp() override {
    if (ehImagem(carregador()))
      ASSERT_TRUE(IniciaGLSilencioso(320, 240));
    else
      ASSERT_TRUE(TA2_Inicia());
  }
  void TearDown() override {
    if (ehImagem(carregador())) {
      EncerraSilencioso();
    } else {
      CapturaSaida c;
      TA2_Encerra();
    }
  }
  Carregador carregador() const { return std::get<0>(GetParam()); }
  Dano dano() const { return std::get<1>(GetParam()); }

  std::string extensao() const {
    return ehImagem(carregador())   ? ".png"
           : carregador() == EFEITO ? ".wav"
                                    : ".ogg";
  }
  std::string nome(const std::string &base) const {
    return std::string("corrupcao_") + NOMES_CARREGADOR[carregador()] + "_" +
           NOMES_DANO[dano()] + "_" + base + extensao();
  }

  // Writes the damaged file (or the folder, or nothing) and returns its path.
  std::string prepara() {
    std::string caminho = nome("ruim");
    if (dano() == PASTA) {
      mkdir(caminho.c_str(), 0755);
    } else if (dano() != AUSENTE) {
      Bytes b = danifica(carregador(), dano(), caminho);
      EXPECT_TRUE(GravaBytes(caminho, b));
    }
    return caminho;
  }

  unsigned int carrega(const std::string &caminho, std::string *saida) {
    CapturaSaida c;
    unsigned int id = 0;
    switch (carregador()) {
    case SPRITES:
      id = T2D2_CarregaSpriteSet(caminho.c_str(), CELULA, CELULA);
      break;
    case FONTE:
      id = T2D2_CarregaFonte(caminho.c_str(), CELULA);
      break;
    case EFEITO:
      id = TA2_CarregaEfeito(caminho.c_str());
      break;
    case MUSICA:
      id = TA2_CarregaMusica(caminho.c_str());
      break;
    }
    *saida = c.texto();
    return id;
  }

  // The message a refusal of this loader prints for this damage.
  ::testing::AssertionResult mensagemCerta(const std::string &caminho,
                                           const std::string &saida) {
    if (!ehImagem(carregador())) {
      // A missing or unreadable file, and any other damage, each named.
      const std::string causa =
          dano() == AUSENTE || dano() == PASTA
              ? "O arquivo n\xe3o existe ou n\xe3o pode ser lido: confira o "
                "caminho, relativo \xe0 pasta de trabalho.\n"
              : "O arquivo n\xe3o p\xf4"
                "de ser decodificado: est\xe1 "
                "cortado, danificado ou num formato que o SDL_mixer n\xe3o "
                "l\xea (efeitos: WAV; m\xfasicas: OGG).\n";
      if (saida == "Erro ao carregar o arquivo " + caminho + ".\n" + causa)
        return ::testing::AssertionSuccess();
      return ::testing::AssertionFailure() << "printed: " << saida;
    }
    std::string esperado;
    if (dano() == TAMANHO_ABSURDO) {
      GLint maximo;
      glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maximo);
      esperado = "A imagem excede o limite de " + std::to_string(maximo) + "x" +
                 std::to_string(maximo) +
                 " para uma textura OpenGL no sistema.\n";
    } else {
      // SDL's error text sits in the middle of the line.
      std::string inicio = "A fun\xe7\xe3o T2D2_CarregaSPriteset falhou ao "
                           "carregar o arquivo " +
                           caminho + ". Erro: ";
      size_t fim = saida.find(".\n");
      if (saida.rfind(inicio, 0) != 0 || fim == std::string::npos)
        return ::testing::AssertionFailure() << "printed: " << saida;
      esperado = saida.substr(0, fim + 2);
    }
    if (carregador() == FONTE)
      esperado +=
          "N\xe3o conseguir abrir a fonte do arquivo " + caminho + ".\n";
    if (saida == esperado) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "printed: " << saida << "expected: " << esperado;
  }

  // Slot 1 of the loader's table is free and nothing answers to the name.
  void confereLivre(const std::string &caminho) {
    switch (carregador()) {
    case FONTE:
      EXPECT_EQ(fontes[0].idSpriteSet, 0u);
      EXPECT_EQ(fontes[0].apelido[0], '\0');
      EXPECT_EQ(T2D2_ProcuraFonte(caminho.c_str()), 0u);
      [[fallthrough]];
    case SPRITES:
      EXPECT_EQ(sprites[0].imagem, nullptr);
      EXPECT_EQ(sprites[0].bmask, nullptr);
      EXPECT_EQ(sprites[0].usuarios, 0u);
      EXPECT_EQ(sprites[0].apelido[0], '\0');
      EXPECT_EQ(T2D2_ProcuraSpriteSet(caminho.c_str()), 0u);
      break;
    case EFEITO:
      EXPECT_EQ(efeitos[0].efeito, nullptr);
      EXPECT_EQ(efeitos[0].apelido[0], '\0');
      EXPECT_EQ(TA2_ProcuraEfeito(caminho.c_str()), 0u);
      break;
    case MUSICA:
      EXPECT_EQ(musicas[0].musica, nullptr);
      EXPECT_EQ(musicas[0].apelido[0], '\0');
      EXPECT_EQ(TA2_ProcuraMusica(caminho.c_str()), 0u);
      break;
    }
  }

  void carregaBoa() {
    std::string boa = nome("boa");
    Bytes b = ehImagem(carregador())   ? imagemBoa(boa)
              : carregador() == EFEITO ? comoBytes(SomWav(0.2))
                                       : comoBytes(SomOgg(1));
    ASSERT_TRUE(GravaBytes(boa, b));
    std::string saida;
    EXPECT_EQ(carrega(boa, &saida), 1u) << saida;
  }
};

} // namespace

TEST_P(Corrupcao, RecusaComMensagemESlotLivre) {
  std::string caminho = prepara();
  std::string saida;
  EXPECT_EQ(carrega(caminho, &saida), 0u);
  EXPECT_TRUE(mensagemCerta(caminho, saida));
  confereLivre(caminho);
  carregaBoa();
}

INSTANTIATE_TEST_SUITE_P(
    Matriz, Corrupcao,
    ::testing::Combine(::testing::Values(SPRITES, FONTE, EFEITO, MUSICA),
                       ::testing::Values(AUSENTE, PASTA, VAZIO, LIXO, CORTADO,
                                         SOMA_ERRADA, OUTRO_TIPO,
                                         TAMANHO_ABSURDO)),
    [](const ::testing::TestParamInfo<Corrupcao::ParamType> &i) {
      return std::string(NOMES_CARREGADOR[std::get<0>(i.param)]) + "_" +
             NOMES_DANO[std::get<1>(i.param)];
    });

// ---------------------------------------------------------------------------
// Damage the decoders underneath let through
// ---------------------------------------------------------------------------
// A cut-off JPEG decodes with grey filler, and the mixer opens some broken
// WAV files as music. The library cannot tell; it must still come out whole:
// either refused as above, or a complete entry that releases cleanly.

namespace {

class Peculiaridade : public ::testing::TestWithParam<Carregador> {
protected:
  void SetUp() override {
    if (ehImagem(GetParam()))
      ASSERT_TRUE(IniciaGLSilencioso(320, 240));
    else
      ASSERT_TRUE(TA2_Inicia());
  }
  void TearDown() override {
    CapturaSaida c;
    if (ehImagem(GetParam()))
      T2D2_Encerra();
    else
      TA2_Encerra();
  }
  unsigned int carrega(const std::string &caminho) {
    CapturaSaida c;
    switch (GetParam()) {
    case SPRITES:
      return T2D2_CarregaSpriteSet(caminho.c_str(), CELULA, CELULA);
    case FONTE:
      return T2D2_CarregaFonte(caminho.c_str(), CELULA);
    case EFEITO:
      return TA2_CarregaEfeito(caminho.c_str());
    default:
      return TA2_CarregaMusica(caminho.c_str());
    }
  }
  // An accepted file is a complete entry in slot 1, and its release frees it.
  void confereInteiro(unsigned int id, const std::string &caminho) {
    SCOPED_TRACE(caminho);
    if (id == 0) return;
    EXPECT_EQ(id, 1u);
    switch (GetParam()) {
    case FONTE:
      EXPECT_EQ(T2D2_ProcuraFonte(caminho.c_str()), 1u);
      T2D2_RemoveFonte(1);
      EXPECT_EQ(fontes[0].idSpriteSet, 0u);
      break;
    case SPRITES:
      ASSERT_NE(sprites[0].imagem, nullptr);
      EXPECT_EQ(sprites[0].imagem->format->BytesPerPixel, 4);
      ASSERT_NE(sprites[0].bmask, nullptr);
      EXPECT_EQ(sprites[0].matrizX * sprites[0].matrizY, 256);
      T2D2_RemoveSpriteSet(1);
      break;
    default:
      EXPECT_EQ(TA2_ProcuraMusica(caminho.c_str()), 1u);
      TA2_RemoveMusica(1);
      EXPECT_EQ(musicas[0].musica, nullptr);
    }
    EXPECT_EQ(sprites[0].imagem, nullptr);
  }
};

// WAV headers that contradict themselves: the byte offset and the new value.
const int WAV_RUINS[][2] = {
    {20, 0x77}, // format tag 0x0077
    {22, 0},    // no channels
    {34, 0},    // no bits per sample
    {32, 0},    // no block alignment
    {27, 0x7f}, // 2 GHz
};

} // namespace

TEST_P(Peculiaridade, OQueODecodificadorAceitaFicaInteiro) {
  std::vector<std::string> arquivos;
  if (ehImagem(GetParam())) {
    std::string jpg =
        std::string("peculiar_") + NOMES_CARREGADOR[GetParam()] + ".jpg";
    EscreveImagem(
        jpg, 16 * CELULA, 16 * CELULA, 3,
        [](int x, int y) {
          return Cor{Uint8(x * 2), Uint8(y * 2), 90, 255};
        },
        Formato::JPEG);
    Bytes b = leArquivo(jpg);
    for (size_t n : {b.size() / 2, b.size() - 2, size_t(700)}) {
      arquivos.push_back("peculiar_" +
                         std::string(NOMES_CARREGADOR[GetParam()]) +
                         std::to_string(n) + ".jpg");
      GravaBytes(arquivos.back(), Bytes(b.begin(), b.begin() + long(n)));
    }
  } else {
    Bytes w = comoBytes(SomWav(0.2));
    for (auto &m : WAV_RUINS) {
      Bytes b = w;
      b[size_t(m[0])] = Uint8(m[1]);
      arquivos.push_back("peculiar_" +
                         std::string(NOMES_CARREGADOR[GetParam()]) +
                         std::to_string(m[0]) + ".ogg");
      GravaBytes(arquivos.back(), b);
    }
  }
  for (const std::string &a : arquivos) confereInteiro(carrega(a), a);
  // Named after its loader: the cases run in parallel in one folder.
  std::string caminho = std::string("peculiar_boa_") +
                        NOMES_CARREGADOR[GetParam()] +
                        (ehImagem(GetParam()) ? ".png" : ".ogg");
  Bytes boa = ehImagem(GetParam()) ? imagemBoa(caminho) : comoBytes(SomOgg(1));
  GravaBytes(caminho, boa);
  EXPECT_EQ(carrega(caminho), 1u);
}

INSTANTIATE_TEST_SUITE_P(Decodificadores, Peculiaridade,
                         ::testing::Values(SPRITES, FONTE, MUSICA),
                         [](const ::testing::TestParamInfo<Carregador> &i) {
                           return std::string(NOMES_CARREGADOR[i.param]);
                         });
