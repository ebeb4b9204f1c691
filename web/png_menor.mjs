// A smaller copy of a PNG for the browser's data package: the same filtered
// rows, deflated again at zlib's highest level into one IDAT chunk, every
// other chunk kept. The pixels are the same bytes; only their compression
// changes, so the download is shorter. Writes the original when that is not
// smaller, and refuses what is not a PNG.
//
//   node png_menor.mjs <origem.png> <destino.png>
import fs from 'node:fs';
import zlib from 'node:zlib';

const ASSINATURA = Buffer.from([137, 80, 78, 71, 13, 10, 26, 10]);

const TABELA = Array.from({length: 256}, (_, n) => {
  let c = n;
  for (let k = 0; k < 8; k++) c = c & 1 ? 0xedb88320 ^ (c >>> 1) : c >>> 1;
  return c >>> 0;
});

function crc(bytes) {
  let c = 0xffffffff;
  for (const b of bytes) c = TABELA[(c ^ b) & 255] ^ (c >>> 8);
  return (c ^ 0xffffffff) >>> 0;
}

function pedaco(tipo, corpo) {
  const cabeca = Buffer.alloc(8);
  cabeca.writeUInt32BE(corpo.length, 0);
  cabeca.write(tipo, 4, 'latin1');
  const fim = Buffer.alloc(4);
  fim.writeUInt32BE(crc(Buffer.concat([cabeca.subarray(4), corpo])), 0);
  return Buffer.concat([cabeca, corpo, fim]);
}

function recomprime(png) {
  if (png.length < 8 || !png.subarray(0, 8).equals(ASSINATURA)) return null;
  const antes = [], depois = [], dados = [];
  for (let pos = 8; pos + 12 <= png.length;) {
    const n = png.readUInt32BE(pos);
    const tipo = png.toString('latin1', pos + 4, pos + 8);
    if (pos + 12 + n > png.length) return null;
    const corpo = png.subarray(pos + 8, pos + 8 + n);
    if (tipo === 'IDAT') dados.push(corpo);
    else (dados.length ? depois : antes).push(png.subarray(pos, pos + 12 + n));
    pos += 12 + n;
  }
  if (!dados.length) return null;
  const linhas = zlib.inflateSync(Buffer.concat(dados));
  const idat = zlib.deflateSync(linhas, {level: 9, memLevel: 9});
  return Buffer.concat([ASSINATURA, ...antes, pedaco('IDAT', idat), ...depois]);
}

const [origem, destino] = process.argv.slice(2);
const png = fs.readFileSync(origem);
let menor;
try {
  menor = recomprime(png);
} catch (e) {
  console.error(`${origem}: ${e.message}`);
  process.exit(1);
}
if (!menor) {
  console.error(`${origem}: não é um PNG inteiro`);
  process.exit(1);
}
fs.writeFileSync(destino, menor.length < png.length ? menor : png);
