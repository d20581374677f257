// The integer fields: typing, out-of-range values, the arrows held and clicked.
import { test, expect } from '@playwright/test';
import { control, field, start } from './helpers.mjs';

test('typing writes every keystroke into the level; refused characters change nothing', async ({ page }) => {
  const errors = await start(page);
  await page.evaluate(() => { window.beeps = 0; QuarvelPage.beep = () => ++window.beeps; });
  const rubies = field(page, 'Form1', 'SpinEdit1');
  const level = field(page, 'Form1', 'SpinEdit6');
  await rubies.focus();  // by keyboard: the whole text is selected, so typing replaces it
  await page.keyboard.type('65535');
  await expect(rubies).toHaveValue('65535');
  for (const key of ['a', 'Enter', ' ', 'x']) await page.keyboard.press(key);
  await expect(rubies).toHaveValue('65535');
  expect(await page.evaluate(() => window.beeps)).toBe(4);
  // The level keeps the low 16 bits: shown again, the field says -1.
  await level.focus();
  await page.keyboard.type('2');
  await expect(rubies).toHaveValue('0');
  await page.keyboard.press('ArrowDown');
  await expect(level).toHaveValue('1');
  await expect(rubies).toHaveValue('-1');
  // Text that reads as no number: the level's number is 0, the field keeps the text.
  await rubies.fill('');
  await level.focus();
  await page.keyboard.type('3');
  await page.keyboard.press('ArrowDown');
  await page.keyboard.press('ArrowDown');
  await expect(rubies).toHaveValue('0');
  expect(errors).toEqual([]);
});

test('the Level field: out of range is clamped on leaving; Up and Down stop at the bounds', async ({ page }) => {
  await start(page);
  const level = field(page, 'Form1', 'SpinEdit6');
  const time = field(page, 'Form1', 'SpinEdit5');
  // (letters are refused as they are typed: the text before them stays)
  for (const [typed, left] of [['0', '1'], ['300', '256'], ['-5', '1'], ['abc', '1'], ['17', '17']]) {
    await level.focus();
    await page.keyboard.press('Control+A');
    await page.keyboard.insertText(typed);
    await page.keyboard.press('Tab');
    await expect(level, typed).toHaveValue(left);
  }
  // Level 17 has a Time of its own; level 256 another.
  await time.fill('99');
  await level.fill('256');
  await expect(time).toHaveValue('0');
  await level.focus();
  await page.keyboard.press('ArrowUp');
  await expect(level).toHaveValue('256');
  await page.keyboard.press('Control+A');
  await page.keyboard.insertText('17');
  await expect(time).toHaveValue('99');
  // 300 typed, then a click on the grid: the field is left first (256 shown), then the cell
  // is painted in level 256.
  await level.fill('300');
  await page.locator('#Form1 canvas.grid').click({ position: { x: 12, y: 12 } });
  await expect(level).toHaveValue('256');
  await expect(time).toHaveValue('0');
});

test('the arrows: a click steps once, a held arrow repeats while the pointer is on it', async ({ page }) => {
  await start(page);
  const bombs = field(page, 'Form1', 'SpinEdit4');
  const [up, down] = [0, 1].map((i) => control(page, 'Form1', 'SpinEdit4').locator('.arrows button').nth(i));
  await up.click();
  await expect(bombs).toHaveValue('1');
  await expect(bombs).toBeFocused();  // pressing an arrow gives the field the focus
  await down.click();
  await down.click();
  await expect(bombs).toHaveValue('-1');

  const box = await up.boundingBox();
  await page.mouse.move(box.x + box.width / 2, box.y + box.height / 2);
  await page.mouse.down();
  await expect.poll(async () => Number(await bombs.inputValue())).toBeGreaterThanOrEqual(3);
  await page.mouse.move(box.x + 200, box.y);  // off the arrow: the repeat holds still
  const held = await bombs.inputValue();
  await page.mouse.up();  // released away from it: no step
  await expect(bombs).toHaveValue(held);
  // The Level field's arrows stop at 1.
  await control(page, 'Form1', 'SpinEdit6').locator('.arrows button').nth(1).click();
  await expect(field(page, 'Form1', 'SpinEdit6')).toHaveValue('1');
});
