// Keeps every file of the site, so that the calculator works offline once it
// has been loaded. The build writes the cache's name, which changes with the
// contents of the files, and the list of files with the hash of each above
// this text. A new build installs a new cache; once no page uses the old one,
// it is deleted. Requests are answered from the cache first, and from the
// network only for what the cache does not hold.

// Each file is taken from the browser's own cache, where the page that
// registered the worker has just loaded it, so that the first visit downloads
// nothing twice. A file must match the hash the build wrote: one that the
// browser's cache holds from another build, or does not hold, is downloaded.
async function keep(cache, [url, integrity]) {
  let response;
  try {
    response = await fetch(url, { cache: 'force-cache', integrity });
  } catch {
    response = await fetch(url, { cache: 'reload', integrity });
  }
  if (!response.ok) throw new Error(`${url}: ${response.status}`);
  await cache.put(url, response);
}

self.addEventListener('install', (event) => {
  event.waitUntil(caches.open(CacheName)
    .then((cache) => Promise.all(Files.map((file) => keep(cache, file)))));
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
