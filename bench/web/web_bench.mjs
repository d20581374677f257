// The editor in the browser, measured (a benchmark, not a test): what the first start loads
// in bytes gzipped, the service worker's cache included; the time to the window's first
// paint against a bare page that only draws a 241 x 281 canvas, in the same browser run,
// the two interleaved; and the page's memory. Medians of RUNS cold starts (a fresh browser
// context each: no HTTP cache, no service worker).
//   node bench/web/web_bench.mjs SITE_DIR [RUNS]
import { createRequire } from 'node:module';
import { spawn } from 'node:child_process';
import { readFileSync } from 'node:fs';
import { dirname, join } from 'node:path';
import { fileURLToPath } from 'node:url';
import { gzipSync } from 'node:zlib';

const here = dirname(fileURLToPath(import.meta.url));
const { chromium } = createRequire(join(here, '../../tests/web/'))('@playwright/test');
const [site, runsText = '9'] = process.argv.slice(2);
const runs = Number(runsText);

function serve(dir, port) {
  const server = spawn('node', [join(here, '../../scripts/serve-web.mjs'), dir, String(port)], { stdio: ['ignore', 'pipe', 'inherit'] });
  return new Promise((resolve) => server.stdout.once('data', () => resolve(server)));
}
const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];

const port = 20000 + Math.floor(Math.random() * 20000);
const servers = [await serve(site, port), await serve(here, port + 1)];
const browser = await chromium.launch({
  executablePath: '/usr/bin/chromium',
  args: ['--headless', '--no-sandbox', '--disable-gpu', '--disable-background-networking',
    '--disable-component-update', '--disable-sync', '--no-first-run', '--enable-precise-memory-info'],
});

// One cold start: the first contentful paint, and what was fetched (by the page and by its
// service worker, whose cache is read back).
async function coldStart(url, editor) {
  const context = await browser.newContext();
  const page = await context.newPage();
  const fetched = new Set();
  context.on('request', (r) => fetched.add(new URL(r.url()).pathname.replace(/\/$/, '/index.html')));
  await page.goto(url);
  if (editor) await page.locator('html[data-ready=true]').waitFor({ state: 'attached' });
  const paint = await page.evaluate(() => new Promise((resolve) => {
    const found = () => performance.getEntriesByName('first-contentful-paint')[0];
    if (found()) return resolve(found().startTime);
    new PerformanceObserver(() => found() && resolve(found().startTime)).observe({ type: 'paint', buffered: true });
  }));
  let memory = null;
  if (editor) {
    await page.evaluate(() => navigator.serviceWorker.ready);
    await page.waitForFunction(async () => (await caches.keys()).length === 1);
    for (const path of await page.evaluate(async () => {
      const cache = await caches.open((await caches.keys())[0]);
      await new Promise((r) => setTimeout(r, 0));
      return (await cache.keys()).map((request) => new URL(request.url).pathname);
    })) fetched.add(path.replace(/\/$/, '/index.html'));
    const cdp = await context.newCDPSession(page);
    await cdp.send('Performance.enable');
    const metrics = Object.fromEntries((await cdp.send('Performance.getMetrics')).metrics.map((m) => [m.name, m.value]));
    memory = { jsHeap: metrics.JSHeapUsedSize, wasm: await page.evaluate(() => Module.HEAP8.length) };
  }
  await context.close();
  return { paint, fetched, memory };
}

const editorPaints = [], barePaints = [];
let fetched = new Set(), memory;
for (let i = 0; i < runs; ++i) {
  const editor = await coldStart(`http://127.0.0.1:${port}/`, true);
  const bare = await coldStart(`http://127.0.0.1:${port + 1}/bare.html`, false);
  editorPaints.push(editor.paint);
  barePaints.push(bare.paint);
  fetched = editor.fetched;
  memory = editor.memory;
}
await browser.close();
for (const server of servers) server.kill();

let raw = 0, gzipped = 0;
const rows = [];
for (const path of [...fetched].sort()) {
  const file = path;
  const bytes = readFileSync(join(site, file));
  const packed = gzipSync(bytes, { level: 9 }).length;
  raw += bytes.length;
  gzipped += packed;
  rows.push(`  ${file.padEnd(32)} ${String(bytes.length).padStart(9)} ${String(packed).padStart(9)}`);
}
const kib = (n) => (n / 1024).toFixed(1) + ' KiB';
console.log(`first start: ${fetched.size} files, ${kib(raw)}, ${kib(gzipped)} gzipped (aim: under 300 KiB)`);
console.log(rows.join('\n'));
const [e, b] = [median(editorPaints), median(barePaints)];
console.log(`first paint, median of ${runs}: editor ${e.toFixed(0)} ms, bare canvas ${b.toFixed(0)} ms, ratio ${(e / b).toFixed(2)} (aim: 1.5 or better)`);
console.log(`memory: JS heap ${kib(memory.jsHeap)}, WebAssembly memory ${kib(memory.wasm)}`);
