'use strict';
// The controls the program asks for: the grid on its canvas, an integer field's <input>
// and arrows, a palette button's picture. They report what the user does to the program
// and show what it gives them; every rule of theirs is the program's.

const QuarvelControls = {
  setFieldText(form, name, text) {
    QuarvelPage.forms[form].querySelector(`[data-name="${name}"] input`).value = text;
  },

  setButtonPicture(name, rgba) {
    const picture = QuarvelPage.forms.Form1.querySelector(`[data-name="${name}"] canvas`);
    picture.getContext('2d').putImageData(new ImageData(new Uint8ClampedArray(rgba.buffer), 20, 20), 0, 0);
  },

  sizeGrid(width, height) {
    this.grid.width = width;
    this.grid.height = height;
  },

  putGrid(heap, pointer, stride, x, y, width, height) {
    const image = new ImageData(width, height);
    for (let row = 0; row < height; ++row) {
      const from = pointer + ((y + row) * stride + x) * 4;
      image.data.set(heap.subarray(from, from + width * 4), row * width * 4);
    }
    this.grid.getContext('2d').putImageData(image, x, y);
  },

  describeCell(col, row, place) {
    while (this.rows.length <= row) {
      const line = document.createElement('div');
      line.setAttribute('role', 'row');
      this.grid.append(line);
      this.rows.push(line);
    }
    const cell = document.createElement('div');
    cell.id = `cell-${col}-${row}`;
    cell.setAttribute('role', 'gridcell');
    cell.setAttribute('aria-selected', 'false');
    cell.setAttribute('aria-description', place);
    const line = this.rows[row];
    const after = [...line.children].find((c) => Number(c.id.split('-')[1]) > col);
    line.insertBefore(cell, after || null);
    this.cells.set(`${col},${row}`, cell);
  },

  setCellName(col, row, name) {
    this.cells.get(`${col},${row}`).setAttribute('aria-label', name);
  },

  setCurrentCell(col, row) {
    for (const cell of this.grid.querySelectorAll('[aria-selected=true]')) cell.setAttribute('aria-selected', 'false');
    const cell = this.cells.get(`${col},${row}`);
    cell.setAttribute('aria-selected', 'true');
    this.grid.setAttribute('aria-activedescendant', cell.id);
  },

  makeGrid(label) {
    const grid = document.createElement('canvas');
    grid.className = 'grid';
    grid.tabIndex = 0;
    grid.setAttribute('role', 'grid');
    grid.setAttribute('aria-label', label);
    this.cells = new Map();  // 'col,row' -> its gridcell, made as the program describes it
    this.rows = [];
    const at = (event) => {
      const box = grid.getBoundingClientRect();
      return [event.clientX - box.left, event.clientY - box.top];
    };
    grid.addEventListener('mousedown', (event) => {
      event.preventDefault();
      grid.focus();
      Module._web_grid_mouse(0, ...at(event), event.button, event.detail);
      if (event.button !== 0) return;
      const move = (e) => Module._web_grid_mouse(1, ...at(e), 0, 0);
      const up = (e) => {
        if (e.button !== 0) return;
        removeEventListener('mousemove', move);
        removeEventListener('mouseup', up);
        Module._web_grid_mouse(2, ...at(e), 0, 0);
      };
      addEventListener('mousemove', move);
      addEventListener('mouseup', up);
    });
    grid.addEventListener('contextmenu', (event) => event.preventDefault());
    const keys = ['ArrowUp', 'ArrowDown', 'ArrowLeft', 'ArrowRight', 'Home', 'End', 'PageUp', 'PageDown'];
    grid.addEventListener('keydown', (event) => {
      const key = keys.indexOf(event.key);
      if (key < 0 || event.altKey || event.metaKey) return;
      event.preventDefault();
      Module._web_grid_key(key, event.ctrlKey ? 1 : 0);
    });
    // A notch is one step whatever unit the browser gives: 120 units a notch.
    grid.addEventListener('wheel', (event) => {
      event.preventDefault();
      if (document.activeElement !== grid) return;
      // Lines come three a notch and pages one; pixels vary by browser and system, where
      // the legacy wheelDeltaY still counts 120 a notch.
      let units;
      if (event.deltaMode === WheelEvent.DOM_DELTA_LINE) units = (-event.deltaY / 3) * 120;
      else if (event.deltaMode === WheelEvent.DOM_DELTA_PAGE) units = -event.deltaY * 120;
      else if (event.wheelDeltaY) units = event.wheelDeltaY;
      else units = (-event.deltaY / 100) * 120;
      Module._web_grid_wheel(Math.round(units));
    }, { passive: false });
    this.grid = grid;
    return grid;
  },

  makeSpin(formId, name, text, label) {
    const spin = document.createElement('div');
    spin.className = 'spin';
    const input = document.createElement('input');
    input.type = 'text';
    input.id = formId + '-' + name;
    input.value = text;
    input.spellcheck = false;
    input.autocomplete = 'off';
    input.setAttribute('aria-label', label);
    const arrows = document.createElement('div');
    arrows.className = 'arrows';
    arrows.setAttribute('aria-hidden', 'true');
    spin.append(input, arrows);
    const call = (fn, types, args) => Module.ccall(fn, 'number', ['string', 'string', ...types], [formId, name, ...args]);
    const utf16 = (textValue, use) => {
      const bytes = (textValue.length + 1) * 2;
      const pointer = Module._malloc(bytes);
      Module.stringToUTF16(textValue, pointer, bytes);
      try {
        return use(pointer);
      } finally {
        Module._free(pointer);
      }
    };
    input.addEventListener('beforeinput', (event) => {
      if (event.inputType !== 'insertText' || event.data === null) return;  // pasting brings any text
      const allowed = utf16(event.data, (t) => utf16(QuarvelPage.decimalSeparator, (s) => call('web_may_type', ['number', 'number'], [t, s])));
      if (!allowed) {
        event.preventDefault();
        QuarvelPage.beep();
      }
    });
    input.addEventListener('input', () => utf16(input.value, (t) => call('web_edited', ['number'], [t])));
    input.addEventListener('keydown', (event) => {
      if (event.key === 'ArrowUp' || event.key === 'ArrowDown') {
        event.preventDefault();
        call('web_step', ['number'], [event.key === 'ArrowUp' ? 1 : -1]);
      } else if (event.key === 'Enter') {
        event.preventDefault();
        QuarvelPage.beep();
      }
    });
    // A click into the text places the caret; any other way in selects the whole text.
    let clicked = false;
    input.addEventListener('mousedown', () => { clicked = true; });
    input.addEventListener('focus', () => {
      if (!clicked) input.select();
      clicked = false;
    });
    for (const step of [1, -1]) {
      const button = document.createElement('button');
      button.type = 'button';
      button.tabIndex = -1;
      button.textContent = step > 0 ? '\u25B2' : '\u25BC';
      button.addEventListener('mousedown', (event) => {
        event.preventDefault();
        if (event.button !== 0) return;
        if (document.activeElement !== input) input.focus();
        call('web_spin_button', ['number', 'number'], [0, step]);
        const up = (e) => {
          removeEventListener('mouseup', up, true);
          call('web_spin_button', ['number', 'number'], [2, e.target === button ? 1 : 0]);
        };
        addEventListener('mouseup', up, true);
      });
      button.addEventListener('mouseenter', () => call('web_spin_button', ['number', 'number'], [1, 1]));
      button.addEventListener('mouseleave', () => call('web_spin_button', ['number', 'number'], [1, 0]));
      arrows.append(button);
    }
    return spin;
  },
};
