// Keeps every file of the site, so that the calculator works offline once it
// has been loaded. The build writes the cache's name, which changes with the
// contents of the files, and the list of files above this text. A new build
// installs a new cache; once no page uses the old one, it is deleted.
// Requests are answered from the cache first, and from the network only for
// what the cache does not hold.

self.addEventListener('install', (event) => {
  event.waitUntil(caches.open(CacheName).then((cache) => cache.addAll(Files)));
});

self.addEventListener('activate', (event) => {
  event.waitUntil(caches.keys().then((names) => Promise.all(names
    .filter((name) => name.startsWith(CachePrefix) && name !== CacheName)
    .map((name) => caches.delete(name)))));
});

self.addEventListener('fetch', (event) => {
  if (event.request.method !== 'GET') return;
  event.respondWith(caches.open(CacheName)
    .then((cache) => cache.match(event.request, { ignoreSearch: true }))
    .then((cached) => cached ?? fetch(event.request)));
});
