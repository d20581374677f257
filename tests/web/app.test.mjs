// The installable app: its manifest, a second start with the network off, nothing fetched
// from elsewhere, a file dropped on the page.
import { test, expect } from '@playwright/test';
import { dag, field, start } from './helpers.mjs';

test('the manifest names the app, its icons and its file handler for .dag', async ({ page, request }) => {
  await start(page);
  const href = await page.locator('link[rel=manifest]').getAttribute('href');
  const manifest = await (await request.get(href)).json();
  expect(manifest.name).toBe('Quarvel Levels Editor');
  expect(manifest.file_handlers[0].accept).toEqual({ 'application/x-quarvel-level-set': ['.dag'] });
  for (const icon of manifest.icons) {
    const response = await request.get(icon.src);
    expect(response.headers()['content-type']).toBe('image/png');
    const png = await response.body();
    const [width, height] = [png.readUInt32BE(16), png.readUInt32BE(20)];
    expect(`${width}x${height}`).toBe(icon.sizes);
  }
  const wasm = await request.get('quarvel-levels-editor.wasm');
  expect(wasm.headers()['content-type']).toBe('application/wasm');
});

test('a second start with the network off; nothing is asked of another origin', async ({ page, context, baseURL }) => {
  const elsewhere = [];
  context.on('request', (r) => { if (!r.url().startsWith(baseURL)) elsewhere.push(r.url()); });
  await start(page);
  await page.evaluate(() => navigator.serviceWorker.ready);
  const cached = () => page.evaluate(async () => {
    const names = await caches.keys();
    if (names.length !== 1) return [];
    return (await (await caches.open(names[0])).keys()).map((r) => new URL(r.url).pathname.slice(1)).sort();
  });
  await expect.poll(cached).toEqual(expect.arrayContaining(['', 'index.html', 'quarvel-levels-editor.wasm', 'menus.js']));
  await context.setOffline(true);
  await page.reload();
  await expect(page.locator('html[data-ready=true]')).toHaveCount(1);
  await expect(page.locator('#Form1 canvas.grid')).toBeFocused();
  await context.setOffline(false);
  expect(elsewhere).toEqual([]);
});

test('a .dag dropped on the page opens as Open Set would', async ({ page }) => {
  await start(page);
  await page.evaluate((bytes) => {
    const transfer = new DataTransfer();
    transfer.items.add(new File([new Uint8Array(bytes)], 'dropped.dag'));
    document.body.dispatchEvent(new DragEvent('drop', { dataTransfer: transfer, bubbles: true, cancelable: true }));
  }, [...dag([{ time: 42, rubies: 3 }])]);
  await expect(field(page, 'Form1', 'SpinEdit5')).toHaveValue('42');
  await expect(field(page, 'Form1', 'SpinEdit1')).toHaveValue('3');
});
