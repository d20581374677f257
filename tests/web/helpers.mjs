// What the web tests share: starting the editor, level set files made in the test, the
// Linux quarvel-levels for reference pictures, and files of the origin-private file
// system given to the page in place of the pickers, so that its own handle code runs.
import { expect } from '@playwright/test';
import { execFileSync } from 'node:child_process';
import { existsSync, mkdtempSync, readFileSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join, resolve } from 'node:path';

// The main window's controls: left, top, width, height in CSS pixels inside #Form1
// (a label sizes itself to its caption: its corner only).
export const MAIN_PLACES = [
  ['DrawGrid1', 8, 8, 241, 281], ['BitBtn1', 8, 296, 33, 33], ['BitBtn2', 40, 296, 33, 33],
  ['BitBtn3', 72, 296, 33, 33], ['BitBtn4', 104, 296, 33, 33], ['BitBtn5', 136, 296, 33, 33],
  ['Label4', 176, 296], ['SpinEdit4', 176, 312, 65, 22], ['BitBtn6', 8, 328, 33, 33],
  ['BitBtn10', 40, 328, 33, 33], ['BitBtn9', 72, 328, 33, 33], ['BitBtn8', 104, 328, 33, 33],
  ['BitBtn7', 136, 328, 33, 33], ['Label5', 176, 336], ['SpinEdit5', 176, 352, 65, 22], ['Label1', 8, 376],
  ['Label2', 80, 376], ['Label3', 152, 376], ['SpinEdit1', 8, 392, 65, 22], ['SpinEdit2', 80, 392, 65, 22],
  ['SpinEdit3', 152, 392, 65, 22], ['Label6', 176, 432], ['Button1', 8, 448, 113, 25],
  ['SpinEdit6', 176, 448, 65, 22],
];

// Opens the editor and waits until it has started.
export async function start(page) {
  const errors = [];
  page.on('pageerror', (error) => errors.push(error.message));
  await page.goto('./');
  await expect(page.locator('html[data-ready=true]')).toHaveCount(1);
  return errors;
}

export const control = (page, form, name) => page.locator(`#${form} [data-name="${name}"]`);
export const field = (page, form, name) => control(page, form, name).locator('input');

// A level set file: the header and one 296-byte record per level, each
// { cells: {index: code}, time, bombs, rubies, emeralds, sapphires }. A record holds the
// five numbers in that order, then the cells column by column.
export function dag(levels) {
  const bytes = Buffer.alloc(4 + 296 * levels.length);
  bytes.writeUInt16LE(0x4144, 0);
  bytes.writeUInt16LE(0x0047, 2);
  levels.forEach((level, i) => {
    const at = 4 + 296 * i;
    ['time', 'bombs', 'rubies', 'emeralds', 'sapphires'].forEach((name, k) => bytes.writeInt16LE(level[name] || 0, at + 2 * k));
    for (const [index, code] of Object.entries(level.cells || {})) bytes.writeInt16LE(code, at + 10 + 2 * Number(index));
  });
  return bytes;
}
export const cellIndex = (col, row) => col * 13 + row;

// The Linux quarvel-levels of the plain build (QUARVEL_LINUX_BUILD names another build).
function quarvelLevels() {
  const build = resolve(process.env.QUARVEL_LINUX_BUILD || join(import.meta.dirname, '../../build'));
  const program = join(build, 'src/cli/quarvel-levels');
  if (!existsSync(program)) throw new Error(`${program} is missing: build it (cmake --build --preset plain --target quarvel-levels)`);
  return program;
}

// `quarvel-levels render` of level 1 of `bytes` at `scale`, as a PNG.
export function renderLevel(bytes, scale) {
  const dir = mkdtempSync(join(tmpdir(), 'quarvel-web-'));
  writeFileSync(join(dir, 'set.dag'), bytes);
  execFileSync(quarvelLevels(), ['render', join(dir, 'set.dag'), '-o', join(dir, 'grid.png'), '--level', '1',
    '--scale', String(scale)]);
  return readFileSync(join(dir, 'grid.png'));
}

// The grid canvas's pixels that differ from a PNG's (decoded by the page itself), outside
// the square `skip` ({x, y, size}): the first few [x, y], and how many.
export async function gridDifferences(page, png, skip) {
  return page.evaluate(async ([base64, square]) => {
    const image = new Image();
    image.src = 'data:image/png;base64,' + base64;
    await image.decode();
    const reference = new OffscreenCanvas(image.width, image.height).getContext('2d');
    reference.drawImage(image, 0, 0);
    const want = reference.getImageData(0, 0, image.width, image.height);
    const canvas = document.querySelector('#Form1 canvas.grid');
    if (canvas.width !== want.width || canvas.height !== want.height)
      return { size: [canvas.width, canvas.height, want.width, want.height] };
    const have = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height);
    const found = [];
    let count = 0;
    for (let y = 0; y < want.height; ++y)
      for (let x = 0; x < want.width; ++x) {
        if (x >= square.x && x < square.x + square.size && y >= square.y && y < square.y + square.size) continue;
        const i = (y * want.width + x) * 4;
        if ([0, 1, 2].some((k) => have.data[i + k] !== want.data[i + k])) {
          if (found.length < 5) found.push([x, y]);
          ++count;
        }
      }
    return { count, found };
  }, [png.toString('base64'), skip]);
}

// Files of the origin-private file system in place of the pickers: Open Set and Copy get
// the file `name` holding `bytes`; Save Set gets the file `name` (created empty).
export async function giveOpenFile(page, name, bytes) {
  await page.evaluate(async ([fileName, content]) => {
    const root = await navigator.storage.getDirectory();
    const handle = await root.getFileHandle(fileName, { create: true });
    const stream = await handle.createWritable();
    await stream.write(new Uint8Array(content));
    await stream.close();
    window.showOpenFilePicker = async (options) => {
      window.openPickerOptions = options;
      return [handle];
    };
  }, [name, [...bytes]]);
}
export async function giveSaveFile(page, name) {
  await page.evaluate(async (fileName) => {
    const root = await navigator.storage.getDirectory();
    window.showSaveFilePicker = async (options) => {
      window.savePickerOptions = options;
      return root.getFileHandle(fileName, { create: true });
    };
  }, name);
}
export async function readPrivateFile(page, name) {
  return Buffer.from(await page.evaluate(async (fileName) => {
    const root = await navigator.storage.getDirectory();
    const file = await (await root.getFileHandle(fileName)).getFile();
    return Array.from(new Uint8Array(await file.arrayBuffer()));
  }, name));
}

// The message box in front: its caption (its accessible name) and text, then OK.
export async function dismissBox(page, caption, text) {
  const box = page.getByRole('alertdialog', { name: caption });
  await expect(box).toBeVisible();
  await expect(box).toContainText(text);
  await box.getByRole('button', { name: 'OK' }).click();
  await expect(box).toHaveCount(0);
}

export async function menu(page, menuName, item) {
  await page.locator(`#MainMenu1 [data-name="${menuName}"]`).click();
  await page.locator(`#MainMenu1 [data-name="${item}"]`).click();
}
