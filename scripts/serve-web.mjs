#!/usr/bin/env node
// Serves a built site (the editor in the browser) on 127.0.0.1 as any static server would:
// files by their names, `.wasm` as application/wasm. Usage: serve-web.mjs SITE_DIR PORT
import { createServer } from 'node:http';
import { readFile } from 'node:fs/promises';
import { extname, join, normalize } from 'node:path';

const [site, port = '8080'] = process.argv.slice(2);
const types = {
  '.html': 'text/html; charset=utf-8', '.js': 'text/javascript; charset=utf-8', '.css': 'text/css; charset=utf-8',
  '.wasm': 'application/wasm', '.webmanifest': 'application/manifest+json', '.png': 'image/png',
};
createServer(async (request, response) => {
  try {
    // Normalised from the root, a path cannot climb out of the site.
    let path = normalize(decodeURIComponent(new URL(request.url, 'http://x').pathname));
    if (path.endsWith('/')) path += 'index.html';
    const body = await readFile(join(site, path));
    response.writeHead(200, { 'Content-Type': types[extname(path)] || 'application/octet-stream' });
    response.end(body);
  } catch {
    response.writeHead(404).end();
  }
}).listen(Number(port), '127.0.0.1', () => console.log(`http://127.0.0.1:${port}/`));
