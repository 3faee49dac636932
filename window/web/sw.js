// The folder page offline: on the first visit every file of the page is cached, and from then
// on served from the cache. The build writes the release's version and files below; a new
// version caches anew and removes the old cache of this page.
const VERSION = '{{version}}';
const FILES = {{files}};
const PREFIX = `pioneers-quiz ${self.registration.scope} `;
const CACHE = PREFIX + VERSION;

// The page's own requests without a query, where the browser can route them itself: answered
// from the cache without starting this worker (what the cache lacks goes to the network), so
// that a returning visitor's page paints as soon as a page without a worker.
const SCOPE = new URL(self.registration.scope).pathname.replace(/[\\:*?+(){}]/g, '\\$&');
const ROUTE = {
  condition: { requestMethod: 'GET', urlPattern: { pathname: `${SCOPE}*`, search: '' } },
  source: { cacheName: CACHE },
};

self.addEventListener('install', (event) => {
  const routed = event.addRoutes ? event.addRoutes(ROUTE).catch(() => {}) : Promise.resolve();
  event.waitUntil(Promise.all([routed, caches.open(CACHE).then((cache) => cache.addAll(FILES))])
    .then(() => self.skipWaiting()));
});

self.addEventListener('activate', (event) => {
  event.waitUntil(caches.keys()
    .then((names) => Promise.all(names.filter((name) => name.startsWith(PREFIX) && name !== CACHE)
      .map((name) => caches.delete(name))))
    .then(() => self.clients.claim()));
});

self.addEventListener('fetch', (event) => {
  if (event.request.method !== 'GET') return;
  event.respondWith(caches.open(CACHE)
    .then((cache) => cache.match(event.request, { ignoreSearch: true }))
    .then((hit) => hit || fetch(event.request)));
});
