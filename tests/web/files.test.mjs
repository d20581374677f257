// Check Level, Open, Save and Copy through real handles of the origin-private file system,
// and through the fallbacks where the File System Access API is absent.
import { test, expect } from '@playwright/test';
import { control, dag, dismissBox, field, giveOpenFile, giveSaveFile, menu, readPrivateFile, start } from './helpers.mjs';

// Level 1 and level 3 playable: a Time of 10 and enough blocks for their numbers.
const playable = { time: 10, rubies: 1, cells: { 0: 1, 14: 2 } };
const notPlayable = { time: 9, cells: { 1: 3 } };
const SET = dag([playable, notPlayable, { ...playable, bombs: 1, time: 300 }]);

test('Check Level answers in its two boxes', async ({ page }) => {
  await start(page);
  await control(page, 'Form1', 'Button1').click();
  await dismissBox(page, 'Error!', 'This level can not be played!');
  await giveOpenFile(page, 'set.dag', SET);
  await menu(page, 'File1', 'N2');
  await expect(field(page, 'Form1', 'SpinEdit5')).toHaveValue('10');
  await control(page, 'Form1', 'Button1').click();
  await dismissBox(page, 'Confirmation!', 'This level is good to go!');
  await expect(control(page, 'Form1', 'Button1')).toBeFocused();
});

test('Open Set then Save Set: the warning, the name offered, the playable levels\' bytes', async ({ page }) => {
  await start(page);
  await giveOpenFile(page, 'pack.dag', SET);
  await menu(page, 'File1', 'N2');
  await expect(field(page, 'Form1', 'SpinEdit1')).toHaveValue('1');
  expect(await page.evaluate(() => window.openPickerOptions.types[0].accept)).toEqual(
    { 'application/octet-stream': ['.dag'] });
  await giveSaveFile(page, 'saved.dag');
  await menu(page, 'File1', 'N3');
  await dismissBox(page, 'Warning!', 'All incorrect levels will be deleted from the set');
  await expect.poll(() => readPrivateFile(page, 'saved.dag').then((b) => b.length)).toBe(4 + 2 * 296);
  expect(await readPrivateFile(page, 'saved.dag')).toEqual(dag([playable, { ...playable, bombs: 1, time: 300 }]));
  expect(await page.evaluate(() => window.savePickerOptions.suggestedName)).toBe('pack.dag');
  // The next save offers the name confirmed in the save picker, in that file's folder; the
  // next Copy opens where the last file opened was.
  await menu(page, 'File1', 'N3');
  await dismissBox(page, 'Warning!', 'All incorrect levels will be deleted from the set');
  await expect.poll(() => page.evaluate(() => window.savePickerOptions.suggestedName)).toBe('saved.dag');
  expect(await page.evaluate(() => window.savePickerOptions.startIn.name)).toBe('saved.dag');
  await menu(page, 'File1', 'N7');
  await control(page, 'Form2', 'Button2').click();
  expect(await page.evaluate(() => window.openPickerOptions.startIn.name)).toBe('pack.dag');
});

// What Open Set shows for each kind of file, and that a failure changes nothing.
const OPEN_CASES = [
  { name: 'cut short', bytes: SET.subarray(0, 4 + 296 + 100), text: 'Read beyond end of file.' },
  { name: 'the header alone', bytes: SET.subarray(0, 4), level1Time: '0' },
  { name: 'tile codes outside 0 to 9', bytes: dag([{ time: 12, cells: { 0: 12, 1: -1 } }]), level1Time: '12', cell: 'Tile 12' },
];
for (const c of OPEN_CASES) {
  test(`Open Set of a file: ${c.name}`, async ({ page }) => {
    await start(page);
    await field(page, 'Form1', 'SpinEdit5').fill('77');
    await giveOpenFile(page, 'case.dag', c.bytes);
    await menu(page, 'File1', 'N2');
    if (c.text) {
      await dismissBox(page, 'Quarveledit', c.text);
      await expect(field(page, 'Form1', 'SpinEdit5')).toHaveValue('77');
    } else {
      await expect(field(page, 'Form1', 'SpinEdit5')).toHaveValue(c.level1Time === '0' ? '77' : c.level1Time);
    }
    if (c.cell) await expect(page.locator('#cell-0-0')).toHaveAttribute('aria-label', c.cell);
  });
}

// The browser's failures, in the words of the I/O errors, under the program title.
const FAILURES = [
  ['NotFoundError', 'getFile', 'File not found.'],
  ['NotAllowedError', 'getFile', 'File access denied.'],
  ['NotReadableError', 'getFile', 'File access denied.'],
  ['QuotaExceededError', 'write', 'Disk full.'],
  ['NoModificationAllowedError', 'createWritable', 'File access denied.'],
];
test('the browser\'s failures are reported in the editor\'s words', async ({ page }) => {
  await start(page);
  for (const [error, where, text] of FAILURES) {
    await page.evaluate(([name, at]) => {
      const fail = async () => { throw new DOMException('refused', name); };
      const handle = { kind: 'file', name: 'x.dag', getFile: fail, createWritable: fail };
      if (at === 'write') handle.createWritable = async () => ({ write: fail, abort: async () => {}, close: async () => {} });
      window.showOpenFilePicker = async () => [handle];
      window.showSaveFilePicker = async () => handle;
    }, [error, where]);
    if (where === 'getFile') {
      await menu(page, 'File1', 'N2');
    } else {
      await menu(page, 'File1', 'N3');
      await dismissBox(page, 'Warning!', 'All incorrect levels');
    }
    await dismissBox(page, 'Quarveledit', text);
  }
  // A cancelled picker is no error.
  await page.evaluate(() => {
    window.showOpenFilePicker = async () => { throw new DOMException('cancelled', 'AbortError'); };
  });
  await menu(page, 'File1', 'N2');
  await menu(page, 'File1', 'N7');
  await expect(page.getByRole('alertdialog')).toHaveCount(0);
  await expect(page.getByRole('dialog')).toHaveCount(0);
});

// Where the File System Access API is absent (Firefox, Safari) or refused (a policy, a
// frame of another site): a file input to open, a download to save.
const FALLBACKS = {
  absent: () => {
    delete window.showOpenFilePicker;
    delete window.showSaveFilePicker;
  },
  refused: () => {
    const refuse = async () => { throw new DOMException('refused by policy', 'NotAllowedError'); };
    window.showOpenFilePicker = refuse;
    window.showSaveFilePicker = refuse;
  },
};
for (const [why, setUp] of Object.entries(FALLBACKS)) {
  test(`the pickers ${why}: Open Set takes a file input, Save Set downloads NAME.dag byte for byte`, async ({ page }) => {
    await page.addInitScript(setUp);
    await start(page);
    const chooser = page.waitForEvent('filechooser');
    await menu(page, 'File1', 'N2');
    await (await chooser).setFiles({ name: `${why}.dag`, mimeType: 'application/octet-stream', buffer: SET });
    await expect(field(page, 'Form1', 'SpinEdit5')).toHaveValue('10');
    const download = page.waitForEvent('download');
    await menu(page, 'File1', 'N3');
    await dismissBox(page, 'Warning!', 'All incorrect levels will be deleted from the set');
    const saved = await download;
    expect(saved.suggestedFilename()).toBe(`${why}.dag`);
    const chunks = [];
    for await (const chunk of await saved.createReadStream()) chunks.push(chunk);
    expect(Buffer.concat(chunks)).toEqual(dag([playable, { ...playable, bombs: 1, time: 300 }]));
  });
}

test('one command at a time: while a picker is open the page takes no other', async ({ page }) => {
  await start(page);
  await page.evaluate(() => {
    window.showOpenFilePicker = () => new Promise((resolve) => { window.pick = resolve; });
  });
  await page.locator('#Form1 canvas.grid').focus();
  await menu(page, 'File1', 'N2');
  await expect.poll(() => page.evaluate(() => typeof window.pick)).toBe('function');
  await expect(page.locator('#MainWindow')).toHaveJSProperty('inert', true);
  await page.evaluate(() => QuarvelPage.command(10));  // Check Level, by any route: refused
  await page.evaluate(() => window.pick([{ kind: 'file', getFile: async () => new File([], 'empty.dag') }]));
  await dismissBox(page, 'Quarveledit', 'Read beyond end of file.');
  await expect(page.getByRole('alertdialog')).toHaveCount(0);
  await expect(page.locator('#Form1 canvas.grid')).toBeFocused();
});

test('Copy: the range is cut at level 256, the first level written is shown', async ({ page }) => {
  await start(page);
  const source = dag(Array.from({ length: 10 }, (_, k) => ({ time: 100 + k + 1 })));
  await giveOpenFile(page, 'source.dag', source);
  await menu(page, 'File1', 'N7');
  const copy = page.getByRole('dialog', { name: 'Levels Copy' });
  await expect(copy).toBeVisible();
  await field(page, 'Form2', 'SpinEdit2').fill('10');
  // Enter in a field and Escape copy nothing and leave the dialog open.
  await field(page, 'Form2', 'SpinEdit2').press('Enter');
  await page.keyboard.press('Escape');
  await expect(copy).toBeVisible();
  await expect(field(page, 'Form1', 'SpinEdit6')).toHaveValue('1');
  await field(page, 'Form2', 'SpinEdit3').fill('300');  // clamped to 256 when the focus leaves
  await control(page, 'Form2', 'Button1').click();
  await expect(copy).toBeHidden();
  await expect(field(page, 'Form1', 'SpinEdit6')).toHaveValue('256');
  await expect(field(page, 'Form1', 'SpinEdit5')).toHaveValue('101');
  // A second Copy shows the values left; Cancel changes nothing.
  await menu(page, 'File1', 'N7');
  await expect(copy).toBeVisible();
  await expect(field(page, 'Form2', 'SpinEdit3')).toHaveValue('256');
  await field(page, 'Form2', 'SpinEdit3').fill('250');
  await control(page, 'Form2', 'Button1').click();
  await expect(field(page, 'Form1', 'SpinEdit6')).toHaveValue('250');
  await expect(field(page, 'Form1', 'SpinEdit5')).toHaveValue('101');
  await field(page, 'Form1', 'SpinEdit6').fill('256');
  await expect(field(page, 'Form1', 'SpinEdit5')).toHaveValue('107');
});

test('the leave-page question only while the set has changed; Exit asks nothing', async ({ page }) => {
  await start(page);
  const asked = [];
  page.on('dialog', async (dialog) => {
    asked.push(dialog.type());
    await dialog.dismiss();
  });
  const leave = async () => {
    await page.reload({ waitUntil: 'commit' }).catch(() => {});
  };
  // Unchanged: the page reloads without a question.
  await leave();
  await expect(page.locator('html[data-ready=true]')).toHaveCount(1);
  expect(asked).toEqual([]);
  // Changed, then saved: no question; changed again: the question.
  await field(page, 'Form1', 'SpinEdit5').fill('5');
  await giveSaveFile(page, 'kept.dag');
  await menu(page, 'File1', 'N3');
  await dismissBox(page, 'Warning!', 'All incorrect levels');
  await expect.poll(() => page.evaluate(() => Module._web_changed())).toBe(0);
  await field(page, 'Form1', 'SpinEdit5').fill('6');
  expect(await page.evaluate(() => Module._web_changed())).toBe(1);
  // A save that the browser refuses leaves the set unsaved.
  await page.evaluate(() => {
    const full = async () => { throw new DOMException('no room', 'QuotaExceededError'); };
    window.showSaveFilePicker = async () => ({ kind: 'file', name: 'full.dag',
      createWritable: async () => ({ write: full, abort: async () => {}, close: async () => {} }) });
  });
  await menu(page, 'File1', 'N3');
  await dismissBox(page, 'Warning!', 'All incorrect levels');
  await dismissBox(page, 'Quarveledit', 'Disk full.');
  expect(await page.evaluate(() => Module._web_changed())).toBe(1);
  await page.locator('#Form1 canvas.grid').click({ position: { x: 40, y: 40 } });
  await control(page, 'Form1', 'BitBtn2').click();
  await page.locator('#Form1 canvas.grid').click({ position: { x: 40, y: 40 } });
  await page.close({ runBeforeUnload: true });
  await expect.poll(() => asked).toEqual(['beforeunload']);
});

test('New Set clears every level and shows level 1; the set counts as unchanged', async ({ page }) => {
  await start(page);
  await field(page, 'Form1', 'SpinEdit6').fill('7');
  await field(page, 'Form1', 'SpinEdit3').fill('4');
  await control(page, 'Form1', 'BitBtn5').click();
  await page.locator('#Form1 canvas.grid').click({ position: { x: 12, y: 12 } });
  expect(await page.evaluate(() => Module._web_changed())).toBe(1);
  await menu(page, 'File1', 'N1');
  await expect(field(page, 'Form1', 'SpinEdit6')).toHaveValue('1');
  await expect(field(page, 'Form1', 'SpinEdit3')).toHaveValue('0');
  expect(await page.evaluate(() => Module._web_changed())).toBe(0);
  await field(page, 'Form1', 'SpinEdit6').fill('7');
  await expect(field(page, 'Form1', 'SpinEdit3')).toHaveValue('0');
  await expect(page.locator('#cell-0-0')).toHaveAttribute('aria-label', 'Empty');
});

test('Exit ends the editor without a question; the page offers to start it again', async ({ page }) => {
  await start(page);
  await field(page, 'Form1', 'SpinEdit5').fill('5');
  await menu(page, 'File1', 'N5');
  await expect(page.getByText('The Quarvel Levels Editor has ended.')).toBeVisible();
  let asked = false;
  page.on('dialog', () => { asked = true; });
  await page.getByRole('link', { name: 'Start it again' }).click();
  await expect(page.locator('html[data-ready=true]')).toHaveCount(1);
  expect(asked).toBe(false);
});
