'use strict';
// The app's own files, cached at installation so that it starts with the network off.
// Nothing of the user's is ever kept. The cache's name changes with the files' content.
const CACHE = 'quarvel-levels-editor-@QUARVEL_WEB_HASH@';
const FILES = [@QUARVEL_WEB_FILES@];

self.addEventListener('install', (event) => {
  event.waitUntil(caches.open(CACHE).then((cache) => cache.addAll(FILES)).then(() => self.skipWaiting()));
});

self.addEventListener('activate', (event) => {
  event.waitUntil(caches.keys()
    .then((names) => Promise.all(names.filter((n) => n !== CACHE).map((n) => caches.delete(n))))
    .then(() => self.clients.claim()));
});

self.addEventListener('fetch', (event) => {
  if (event.request.method !== 'GET') return;
  event.respondWith(caches.open(CACHE)
    .then((cache) => cache.match(event.request, { ignoreSearch: true }))
    .then((cached) => cached || fetch(event.request)));
});
