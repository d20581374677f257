// The grid's pixels, read back from its canvas, against the core's picture as
// `quarvel-levels render` draws it, after painting by click, drag, keys and wheel.
import { test, expect } from '@playwright/test';
import { cellIndex, control, dag, gridDifferences, renderLevel, start } from './helpers.mjs';

const centre = (col, row) => ({ x: 2 + 21 * col + 10, y: 2 + 21 * row + 10 });

for (const ratio of [1, 2]) {
  test.describe(`at device pixel ratio ${ratio}`, () => {
    test.use({ deviceScaleFactor: ratio });

    test('painting by click, drag, keys and wheel gives the core\'s picture of the level', async ({ page }) => {
      const errors = await start(page);
      const grid = page.locator('#Form1 canvas.grid');
      const box = await grid.boundingBox();
      const current = () => grid.getAttribute('aria-activedescendant');
      const cells = {};
      const paint = (col, row, code) => { cells[cellIndex(col, row)] = code; };

      // A click: Red block into column 1, row 1.
      await control(page, 'Form1', 'BitBtn2').click();
      await grid.click({ position: centre(1, 1) });
      paint(1, 1, 1);

      // A drag along row 5 from column 2 to 6, then held left of the grid: the current cell
      // steps to column 0, painting as it goes.
      await control(page, 'Form1', 'BitBtn3').click();
      await page.mouse.move(box.x + centre(2, 5).x, box.y + centre(2, 5).y);
      await page.mouse.down();
      for (let col = 3; col <= 6; ++col) await page.mouse.move(box.x + centre(col, 5).x, box.y + centre(col, 5).y, { steps: 2 });
      await page.mouse.move(box.x - 20, box.y + centre(0, 5).y);
      await expect.poll(current).toBe('cell-0-5');
      await page.mouse.up();
      for (let col = 0; col <= 6; ++col) paint(col, 5, 2);

      // Keys with Cannon up: Right, End, Page Up; Left at column 0 writes nothing.
      await control(page, 'Form1', 'BitBtn10').click();
      await grid.click({ position: centre(0, 12) });
      paint(0, 12, 6);
      for (const key of ['ArrowRight', 'End', 'PageUp']) await page.keyboard.press(key);
      paint(1, 12, 6);
      paint(10, 12, 6);
      paint(10, 0, 6);
      await page.keyboard.press('Control+Home');
      paint(0, 0, 6);
      await page.keyboard.press('ArrowLeft');
      await expect.poll(current).toBe('cell-0-0');

      // The wheel with Cannon left: two notches down paint rows 1 and 2, in the browser's
      // pixels (a real wheel here), or in lines and pages.
      await control(page, 'Form1', 'BitBtn7').click();
      await grid.click({ position: centre(0, 0) });
      paint(0, 0, 9);
      await page.mouse.move(box.x + 100, box.y + 100);
      if (ratio === 1) {
        for (let notch = 0; notch < 2; ++notch) await page.mouse.wheel(0, 100);
      } else {
        await grid.evaluate((canvas) => {
          canvas.dispatchEvent(new WheelEvent('wheel', { deltaY: 3, deltaMode: WheelEvent.DOM_DELTA_LINE, cancelable: true }));
          canvas.dispatchEvent(new WheelEvent('wheel', { deltaY: 1, deltaMode: WheelEvent.DOM_DELTA_PAGE, cancelable: true }));
        });
      }
      await expect.poll(current).toBe('cell-0-2');
      paint(0, 1, 9);
      paint(0, 2, 9);

      const skip = { x: (2 + 21 * 0) * ratio, y: (2 + 21 * 2) * ratio, size: 20 * ratio };  // the current cell
      expect(await gridDifferences(page, renderLevel(dag([{ cells }]), ratio), skip)).toEqual({ count: 0, found: [] });
      expect(errors).toEqual([]);
    });
  });
}

test('the current cell: focused with the dotted mark, else in the highlight colour', async ({ page }) => {
  await start(page);
  const grid = page.locator('#Form1 canvas.grid');
  const pixel = (x, y) => page.evaluate(([px, py]) =>
    Array.from(document.querySelector('#Form1 canvas.grid').getContext('2d').getImageData(px, py, 1, 1).data.slice(0, 3)), [x, y]);
  // The highlight colour, laid over the window colour where it is translucent.
  const highlight = await page.evaluate(() => {
    const probe = document.createElement('span');
    document.body.append(probe);
    const colour = (name) => {
      probe.style.color = name;
      const parts = getComputedStyle(probe).color.match(/[\d.]+/g).map(Number);
      return parts.length > 3 ? parts : [...parts, 1];
    };
    const [top, under] = [colour('Highlight'), colour('Canvas')];
    probe.remove();
    const alpha = Math.round(top[3] * 255);
    return [0, 1, 2].map((i) => Math.floor((top[i] * alpha + under[i] * (255 - alpha) + 127) / 255));
  });
  // At start the grid has the focus: the corner pixel of cell (0, 0) is inverted white.
  expect(await pixel(2, 2)).toEqual([0, 0, 0]);
  expect(await pixel(12, 12)).toEqual([255, 255, 255]);
  await control(page, 'Form1', 'BitBtn1').click();
  expect(await pixel(12, 12)).toEqual(highlight);
  await grid.click({ position: centre(4, 4) });
  expect(await pixel(12, 12)).toEqual([255, 255, 255]);
  expect(await pixel(2 + 21 * 4, 2 + 21 * 4)).toEqual([0, 0, 0]);
});

test('a dark scheme: the cells take the page\'s window colour, as they change', async ({ page }) => {
  await start(page);
  const cellPixel = () => page.evaluate(() =>
    Array.from(document.querySelector('#Form1 canvas.grid').getContext('2d').getImageData(100, 100, 1, 1).data.slice(0, 3)));
  const canvasColour = () => page.evaluate(() => {
    const probe = document.createElement('span');
    probe.style.color = 'Canvas';
    document.body.append(probe);
    const parts = getComputedStyle(probe).color.match(/[\d.]+/g).map(Number).slice(0, 3);
    probe.remove();
    return parts;
  });
  expect(await cellPixel()).toEqual([255, 255, 255]);
  await page.emulateMedia({ colorScheme: 'dark' });
  const dark = await canvasColour();
  expect(dark).not.toEqual([255, 255, 255]);
  await expect.poll(cellPixel).toEqual(dark);
});

test('painting a cell redraws that cell only, and the cell it leaves', async ({ page }) => {
  await start(page);
  await page.evaluate(() => {
    window.drawn = [];
    const put = CanvasRenderingContext2D.prototype.putImageData;
    CanvasRenderingContext2D.prototype.putImageData = function (image, x, y) {
      if (this.canvas.classList.contains('grid')) window.drawn.push([x, y, image.width, image.height]);
      return put.apply(this, arguments);
    };
  });
  await page.locator('#Form1 canvas.grid').press('ArrowRight');
  expect(await page.evaluate(() => window.drawn)).toEqual([[2, 2, 20, 20], [23, 2, 20, 20]]);
});
