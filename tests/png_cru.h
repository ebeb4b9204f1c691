// PNG files written chunk by chunk with zlib, for what the image writer in
// apoio.h cannot make: palettes with or without tRNS, grey, any bit layout,
// sizes of hundreds of millions of pixels streamed row by row, and headers
// that promise more than the file holds.
#ifndef T2D2_TESTES_PNG_CRU_H
#define T2D2_TESTES_PNG_CRU_H

#include <SDL.h>
#include <zlib.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

typedef std::vector<Uint8> Bytes;

enum TipoCorPng { PNG_CINZA = 0, PNG_RGB = 2, PNG_PALETA = 3, PNG_RGBA = 6 };

inline void PoeBE32(Bytes &b, Uint32 v) {
  for (int i = 3; i >= 0; i--) b.push_back(Uint8(v >> (8 * i)));
}

// One chunk: length, type, data and the CRC of type and data.
inline void PoeChunk(Bytes &b, const char *tipo, const Bytes &dados) {
  PoeBE32(b, Uint32(dados.size()));
  size_t inicio = b.size();
  b.insert(b.end(), tipo, tipo + 4);
  b.insert(b.end(), dados.begin(), dados.end());
  PoeBE32(b, Uint32(crc32(0, b.data() + inicio, uInt(b.size() - inicio))));
}

inline Bytes CabecalhoPng(Uint32 w, Uint32 h, int tipoCor, int bits = 8) {
  Bytes b = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'}, ihdr;
  PoeBE32(ihdr, w);
  PoeBE32(ihdr, h);
  ihdr.insert(ihdr.end(), {Uint8(bits), Uint8(tipoCor), 0, 0, 0});
  PoeChunk(b, "IHDR", ihdr);
  return b;
}

inline bool GravaBytes(const std::string &caminho, const Bytes &b) {
  FILE *f = fopen(caminho.c_str(), "wb");
  if (!f) return false;
  bool ok = b.empty() || fwrite(b.data(), 1, b.size(), f) == b.size();
  return fclose(f) == 0 && ok;
}

// linha(y, bytes) fills the row's bytes after its filter byte (0, none).
// Rows are compressed one at a time, so even a 20000 x 20000 image needs only
// one row in memory.
inline bool EscrevePng(const std::string &caminho, Uint32 w, Uint32 h,
                       int tipoCor, size_t bytesPorLinha,
                       const std::function<void(Uint32, Bytes &)> &linha,
                       const Bytes &plte = Bytes(),
                       const Bytes &trns = Bytes()) {
  Bytes b = CabecalhoPng(w, h, tipoCor);
  if (!plte.empty()) PoeChunk(b, "PLTE", plte);
  if (!trns.empty()) PoeChunk(b, "tRNS", trns);
  z_stream z = {};
  deflateInit(&z, Z_BEST_SPEED);
  Bytes idat, entrada(bytesPorLinha + 1), saida(1 << 16);
  for (Uint32 y = 0; y <= h; y++) {
    int modo = y == h ? Z_FINISH : Z_NO_FLUSH;
    if (y < h) {
      Bytes px(bytesPorLinha);
      linha(y, px);
      entrada[0] = 0;
      std::copy(px.begin(), px.end(), entrada.begin() + 1);
      z.next_in = entrada.data();
      z.avail_in = uInt(entrada.size());
    }
    do {
      z.next_out = saida.data();
      z.avail_out = uInt(saida.size());
      deflate(&z, modo);
      idat.insert(idat.end(), saida.data(), z.next_out);
    } while (z.avail_out == 0 || (modo == Z_FINISH && z.avail_in > 0));
  }
  deflateEnd(&z);
  PoeChunk(b, "IDAT", idat);
  PoeChunk(b, "IEND", Bytes());
  return GravaBytes(caminho, b);
}

// A header for w x h RGBA followed by a few compressed zero bytes and IEND:
// every decoder learns the size before it finds the pixels missing.
inline bool EscreveCabecalhoPng(const std::string &caminho, Uint32 w,
                                Uint32 h) {
  Bytes b = CabecalhoPng(w, h, PNG_RGBA), zeros(64, 0);
  uLongf n = compressBound(uLong(zeros.size()));
  Bytes idat(n);
  compress(idat.data(), &n, zeros.data(), uLong(zeros.size()));
  idat.resize(n);
  PoeChunk(b, "IDAT", idat);
  PoeChunk(b, "IEND", Bytes());
  return GravaBytes(caminho, b);
}

#endif
