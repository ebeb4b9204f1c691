// A program page's service worker: keeps every file one build wrote into the
// page's folder in a cache named after that build, so that a second visit
// plays with no network and a new build replaces the old one whole. The
// build fills in its identity, its list of files and the program's name.
'use strict';
var VERSAO = '@VERSAO@';
var ARQUIVOS = '@ARQUIVOS@'.split(',');
// Second encodings, "first=second" (the music in MP3 beside its Ogg file). A
// page whose browser cannot play the first encodings registers the worker
// with ?segundas, and then the second takes the first's place here; any
// other browser never downloads it.
var SEGUNDAS = '@SEGUNDAS@'.split(',').filter(Boolean).map(function (par) {
  return par.split('=');
});

function arquivosDesteNavegador() {
  if (!new URL(location.href).searchParams.has('segundas')) return ARQUIVOS;
  return ARQUIVOS.map(function (a) {
    var par = SEGUNDAS.find(function (p) { return p[0] === a; });
    return par ? par[1] : a;
  });
}
// Caches belong to the whole origin: the scope keeps apart copies of the
// game that one host serves under other paths.
var PREFIXO = '@PROGRAMA@ ' + self.registration.scope + ' ';
var CACHE = PREFIXO + VERSAO;

// Each file checked with the host, never taken unchecked from the HTTP
// cache, where an older build's file may still lie.
self.addEventListener('install', function (e) {
  e.waitUntil(caches.open(CACHE).then(function (c) {
    return c.addAll(arquivosDesteNavegador().map(function (a) {
      return new Request(a, {cache: 'no-cache'});
    }));
  }));
});

// A page that runs no game lets a new build take over at once.
self.addEventListener('message', function (e) {
  if (e.data === 'assume') self.skipWaiting();
});

self.addEventListener('activate', function (e) {
  e.waitUntil(caches.keys().then(function (nomes) {
    return Promise.all(nomes.filter(function (n) {
      return n.indexOf(PREFIXO) === 0 && n !== CACHE;
    }).map(function (n) { return caches.delete(n); }));
  }));
});

// The folder's own address is its index.html; anything the build did not
// write goes to the network.
self.addEventListener('fetch', function (e) {
  if (e.request.method !== 'GET') return;
  var url = e.request.url.split(/[?#]/)[0];
  var pedido = url === self.registration.scope ? 'index.html' : e.request;
  e.respondWith(caches.open(CACHE).then(function (c) {
    return c.match(pedido, {ignoreSearch: true});
  }).then(function (r) {
    return r || fetch(e.request);
  }));
});
