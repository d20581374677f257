// The windows' places, captions, menus and focus order, against the editor's layout.
import { test, expect } from '@playwright/test';
import { MAIN_PLACES, control, dag, giveOpenFile, menu, start } from './helpers.mjs';

const COPY_PLACES = [
  ['Label1', 8, 24], ['SpinEdit1', 8, 40, 65, 22], ['Label2', 8, 80], ['SpinEdit2', 8, 96, 65, 22],
  ['Label3', 8, 136], ['SpinEdit3', 8, 152, 65, 22], ['Button1', 104, 40, 75, 25], ['Button2', 104, 96, 75, 25],
];
const ABOUT_PLACES = [['Memo1', 8, 8, 217, 177], ['Button1', 80, 200, 75, 25]];

// Every control's box relative to its window's client area, and the client's size.
async function places(page, form) {
  return page.evaluate((id) => {
    const client = document.getElementById(id).getBoundingClientRect();
    const found = { client: [client.width, client.height] };
    for (const el of document.querySelectorAll(`#${id} > [data-name]`)) {
      const box = el.getBoundingClientRect();
      found[el.dataset.name] = [box.left - client.left, box.top - client.top, box.width, box.height];
    }
    return found;
  }, form);
}

function expectPlaces(found, table) {
  for (const [name, ...want] of table) expect(found[name].slice(0, want.length), name).toEqual(want);
}

for (const zoom of [1, 1.5, 2]) {
  test.describe(`at device pixel ratio ${zoom}`, () => {
    test.use({ deviceScaleFactor: zoom });
    test('the main window: title, client area, every control at its place', async ({ page }) => {
      await start(page);
      await expect(page).toHaveTitle('Quarvel Levels Editor');
      const found = await places(page, 'Form1');
      expect(found.client).toEqual([256, 477]);
      expectPlaces(found, MAIN_PLACES);
      // The menu bar lies above the client area, outside it.
      const bar = await page.locator('#MainMenu1').boundingBox();
      const client = await page.locator('#Form1').boundingBox();
      expect(bar.y + bar.height).toBeLessThanOrEqual(client.y);
      // The grid's backing store is its CSS size times the ratio, in whole device pixels.
      expect(await page.evaluate(() => {
        const grid = document.querySelector('#Form1 canvas.grid');
        return [grid.width, grid.height];
      })).toEqual([Math.floor(241 * zoom), Math.floor(281 * zoom)]);
    });
  });
}

test('the dialogs: Levels Copy and About at their places', async ({ page }) => {
  await start(page);
  await menu(page, 'About1', 'About2');
  const about = page.getByRole('dialog', { name: 'About' });
  await expect(about).toBeVisible();
  const aboutPlaces = await places(page, 'Form3');
  expect(aboutPlaces.client).toEqual([232, 243]);
  expectPlaces(aboutPlaces, ABOUT_PLACES);
  await expect(control(page, 'Form3', 'Memo1')).toHaveText(/Quarvel\s+Levels Editor/);
  await expect(control(page, 'Form3', 'Button1')).toBeFocused();
  await page.keyboard.press('Escape');  // no cancel button: Escape does not close it
  await expect(about).toBeVisible();
  await control(page, 'Form3', 'Button1').click();
  await expect(about).toBeHidden();

  await giveOpenFile(page, 'source.dag', dag([{}]));
  await menu(page, 'File1', 'N7');
  const copy = page.getByRole('dialog', { name: 'Levels Copy' });
  await expect(copy).toBeVisible();
  const copyPlaces = await places(page, 'Form2');
  expect(copyPlaces.client).toEqual([198, 202]);
  expectPlaces(copyPlaces, COPY_PLACES);
  await expect(control(page, 'Form2', 'SpinEdit1').locator('input')).toBeFocused();
  await control(page, 'Form2', 'Button2').click();
  await expect(copy).toBeHidden();
});

test('the menus: captions, items, and the keyboard through Alt and F10', async ({ page }) => {
  await start(page);
  const captions = await page.evaluate(() =>
    [...document.querySelectorAll('#MainMenu1 [data-name]')].map((el) => [el.dataset.name, el.textContent]));
  expect(captions).toEqual([
    ['File1', 'Levels'], ['N1', 'New Set'], ['N2', 'Open Set'], ['N3', 'Save Set'], ['N4', ''], ['N7', 'Copy'],
    ['N6', ''], ['N5', 'Exit'], ['About1', 'Help'], ['About2', 'About'],
  ]);
  for (const key of ['F10', 'Alt']) {
    await page.locator('#Form1 canvas.grid').focus();
    await page.keyboard.press(key);
    await expect(page.locator('[data-name=File1]')).toBeFocused();
    await page.keyboard.press('ArrowRight');
    await expect(page.locator('[data-name=About1]')).toBeFocused();
    await page.keyboard.press('ArrowDown');
    await expect(page.locator('[data-name=About2]')).toBeFocused();
    await page.keyboard.press('Enter');
    await expect(page.getByRole('dialog', { name: 'About' })).toBeVisible();
    await page.keyboard.press('Enter');  // Close has the focus
    await expect(page.getByRole('dialog', { name: 'About' })).toBeHidden();
    await expect(page.locator('#Form1 canvas.grid')).toBeFocused();
  }
});

test('Tab goes through the controls in their order; the fields\' arrows take no Tab stop', async ({ page }) => {
  await start(page);
  const order = ['DrawGrid1', 'SpinEdit1', 'BitBtn1', 'BitBtn2', 'BitBtn3', 'BitBtn4', 'BitBtn5', 'BitBtn6', 'BitBtn7',
    'BitBtn8', 'BitBtn9', 'BitBtn10', 'SpinEdit2', 'SpinEdit3', 'SpinEdit4', 'SpinEdit5', 'SpinEdit6', 'Button1'];
  const focusedName = () => page.evaluate(() => document.activeElement.closest('[data-name]')?.dataset.name);
  await expect(page.locator('#Form1 canvas.grid')).toBeFocused();
  for (const name of order.slice(1)) {
    await page.keyboard.press('Tab');
    expect(await focusedName()).toBe(name);
  }
  for (const name of order.slice(0, -1).reverse()) {
    await page.keyboard.press('Shift+Tab');
    expect(await focusedName()).toBe(name);
  }
  // Each control is named for screen readers.
  for (const [name, role, accessible] of [['SpinEdit1', 'textbox', 'Rubies'], ['SpinEdit6', 'textbox', 'Level'],
    ['BitBtn2', 'button', 'Red block'], ['BitBtn7', 'button', 'Cannon left'], ['Button1', 'button', 'Check Level']])
    await expect(page.locator('#Form1').getByRole(role, { name: accessible, exact: true })).toHaveCount(1);
  // The grid: 143 cells named by tile and described by place, as Chromium tells a reader.
  await page.keyboard.press('Shift+Tab');
  await page.locator('#Form1 [data-name=BitBtn3]').click();
  await page.locator('#Form1 canvas.grid').click({ position: { x: 2 + 21 * 3 + 5, y: 2 + 21 * 4 + 5 } });
  const cdp = await page.context().newCDPSession(page);
  const { nodes } = await cdp.send('Accessibility.getFullAXTree');
  const grid = nodes.find((n) => n.role?.value === 'grid');
  expect(grid.name.value).toBe('Level grid');
  const cells = nodes.filter((n) => n.role?.value === 'gridcell' && !n.ignored);
  expect(cells).toHaveLength(143);
  const painted = cells.find((n) => n.description?.value === 'Column 4, row 5');
  expect(painted.name.value).toBe('Green block');
  expect(cells.find((n) => n.description?.value === 'Column 11, row 13').name.value).toBe('Empty');
  expect(await page.locator('#Form1 canvas.grid').getAttribute('aria-activedescendant')).toBe('cell-3-4');
});
