// Keeps the page's files so that it opens without the network once it has been loaded: each
// request goes to the network first (a new build is taken at once) and to the kept copy when
// the network does not answer.
const KEPT = 'ql730-page';
const FILES = ['./', 'index.html', 'style.css', 'app.js', 'ql730.js', 'ql730.wasm', 'manifest.webmanifest',
               'icon-192.png', 'icon-512.png', 'apple-touch-icon.png', 'favicon.png'];

self.addEventListener('install', (event) => {
    event.waitUntil(caches.open(KEPT).then((cache) => cache.addAll(FILES)));
    self.skipWaiting();
});

self.addEventListener('activate', (event) => event.waitUntil(self.clients.claim()));

self.addEventListener('fetch', (event) => {
    if (event.request.method !== 'GET') return;
    event.respondWith(fetch(event.request).then((response) => {
        if (response.ok) {
            const copy = response.clone();
            caches.open(KEPT).then((cache) => cache.put(event.request, copy));
        }
        return response;
    }).catch(() => caches.match(event.request, { ignoreSearch: true })));
});
