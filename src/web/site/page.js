'use strict';
// The page around the editor: it makes the elements the C++ windows ask for, reports what
// the user does to them, and shows boxes and dialogs. The editor's rules are all in the
// program (quarvel-levels-editor.wasm); this is the glue to the browser.

var Module = {
  postRun: [() => QuarvelPage.started()],
};

const QuarvelPage = {
  forms: {},
  modals: [],      // the open dialogs and boxes, the last one in front
  ended: false,
  // The locale's decimal separator, looked up at the first keystroke: the locale's data
  // takes a while to load, and a start need not wait for it.
  get decimalSeparator() {
    return (this.separator ??= (1.5).toLocaleString().charAt(1));
  },

  // --- Calls from the program ---------------------------------------------------------

  makeForm(id, caption, width, height) {
    const form = document.createElement('div');
    form.id = id;
    form.className = 'form';
    form.style.width = width + 'px';
    form.style.height = height + 'px';
    form.addEventListener('focusin', (event) => this.focused(id, event.target));
    if (id === 'Form1') {
      document.title = caption;
      form.setAttribute('role', 'main');
      form.setAttribute('aria-label', caption);
      document.getElementById('MainWindow').append(form);
    } else {
      // A dialog: a window with a caption, hidden until the program shows it.
      const win = document.createElement('div');
      win.className = 'window dialog';
      win.hidden = true;
      win.setAttribute('role', 'dialog');
      win.setAttribute('aria-modal', 'true');
      win.setAttribute('aria-labelledby', id + '-caption');
      const title = document.createElement('div');
      title.className = 'caption';
      title.id = id + '-caption';
      title.textContent = caption;
      win.append(title, form);
      document.body.append(win);
      form.window = win;
    }
    this.forms[id] = form;
  },

  makeControl(formId, name, kind, left, top, width, height, text, label, command) {
    const form = this.forms[formId];
    let el;
    if (kind === 'grid') {
      el = this.makeGrid(label);
    } else if (kind === 'palette' || kind === 'button') {
      el = document.createElement('button');
      el.type = 'button';
      if (kind === 'palette') {
        el.className = 'palette';
        el.setAttribute('aria-label', label);
        const picture = document.createElement('canvas');
        picture.width = picture.height = 20;
        el.append(picture);
      } else {
        el.textContent = text;
      }
      if (command >= 0) el.addEventListener('click', () => this.command(command));
      else el.addEventListener('click', () => this.dialogButton(formId, name));
    } else if (kind === 'spin') {
      el = this.makeSpin(formId, name, text, label);
    } else if (kind === 'label') {
      el = document.createElement('label');
      el.textContent = text;
      el.htmlFor = formId + '-' + label;  // the field it names
    } else if (kind === 'memo') {
      el = document.createElement('div');
      el.className = 'memo';
      el.tabIndex = 0;
      el.setAttribute('role', 'textbox');
      el.setAttribute('aria-readonly', 'true');
      el.setAttribute('aria-multiline', 'true');
      el.setAttribute('aria-label', label);
      el.textContent = text;
    }
    el.dataset.name = name;
    el.style.left = left + 'px';
    el.style.top = top + 'px';
    if (width >= 0) el.style.width = width + 'px';
    if (height >= 0) el.style.height = height + 'px';
    form.append(el);
  },

  makeMenu(name, caption) {
    const menu = document.createElement('div');
    menu.className = 'menu';
    const title = document.createElement('button');
    title.type = 'button';
    title.dataset.name = name;
    title.textContent = caption;
    title.tabIndex = -1;
    title.setAttribute('role', 'menuitem');
    title.setAttribute('aria-haspopup', 'menu');
    title.setAttribute('aria-expanded', 'false');
    const items = document.createElement('div');
    items.setAttribute('role', 'menu');
    items.setAttribute('aria-label', caption);
    items.hidden = true;
    menu.append(title, items);
    document.getElementById('MainMenu1').append(menu);
    QuarvelMenus.attach(title, items);
  },

  makeMenuItem(menu, name, caption, command) {
    const items = document.querySelector(`[data-name="${menu}"]`).nextElementSibling;
    const item = document.createElement(caption ? 'button' : 'div');
    item.dataset.name = name;
    if (caption) {
      item.type = 'button';
      item.tabIndex = -1;
      item.textContent = caption;
      item.setAttribute('role', 'menuitem');
      item.dataset.command = command;
    } else {
      item.setAttribute('role', 'separator');
    }
    items.append(item);
  },

  setFieldText(form, name, text) {
    this.forms[form].querySelector(`[data-name="${name}"] input`).value = text;
  },

  setButtonPicture(name, rgba) {
    const picture = this.forms.Form1.querySelector(`[data-name="${name}"] canvas`);
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

  // A message box: its caption names it; OK, Enter, Space or Escape dismisses it.
  showBox(text, caption, error) {
    const box = document.createElement('div');
    box.className = 'window box';
    box.setAttribute('role', 'alertdialog');
    box.setAttribute('aria-modal', 'true');
    const id = 'box' + Date.now();
    box.setAttribute('aria-labelledby', id + '-caption');
    box.setAttribute('aria-describedby', id + '-text');
    const title = document.createElement('div');
    title.className = 'caption';
    title.id = id + '-caption';
    title.textContent = caption;
    const body = document.createElement('div');
    body.className = 'text';
    if (error) {
      const icon = document.createElement('span');
      icon.className = 'icon';
      icon.setAttribute('aria-hidden', 'true');
      icon.textContent = '\u2715';
      body.append(icon);
    }
    const message = document.createElement('span');
    message.id = id + '-text';
    message.textContent = text;
    body.append(message);
    const buttons = document.createElement('div');
    buttons.className = 'buttons';
    const ok = document.createElement('button');
    ok.type = 'button';
    ok.textContent = 'OK';
    buttons.append(ok);
    box.append(title, body, buttons);
    document.body.append(box);
    return new Promise((resolve) => {
      const close = () => {
        this.closeModal(box);
        box.remove();
        resolve();
      };
      ok.addEventListener('click', close);
      box.addEventListener('keydown', (event) => {
        if (event.key === 'Escape') close();
      });
      this.centre(box);
      this.openModal(box, ok);
    });
  },

  // A window's place over the main window, a negative left or top becoming 0.
  centre(win) {
    const main = this.forms.Form1.getBoundingClientRect();
    win.style.left = Math.max(0, Math.round(main.left + (main.width - win.offsetWidth) / 2)) + 'px';
    win.style.top = Math.max(0, Math.round(main.top + (main.height - win.offsetHeight) / 2)) + 'px';
  },

  // A dialog, modally: resolves 1 when OK closed it, else 0. It keeps its place and the
  // control that had the focus from one showing to the next.
  showDialog(id) {
    const form = this.forms[id];
    const win = form.window;
    win.hidden = false;
    if (!win.placed) this.centre(win);
    win.placed = true;
    const first = form.lastFocus || form.querySelector('input, button');
    return new Promise((resolve) => {
      form.closeWith = (result) => {
        form.lastFocus = form.contains(document.activeElement) ? document.activeElement : form.lastFocus;
        this.closeModal(win);
        win.hidden = true;
        form.closeWith = null;
        resolve(result);
      };
      this.openModal(win, first);
    });
  },

  dialogButton(formId, name) {
    const form = this.forms[formId];
    if (form.closeWith) form.closeWith(formId === 'Form2' && name === 'Button1' ? 1 : 0);
  },

  beep() {
    try {
      this.audio = this.audio || new AudioContext();
      const tone = this.audio.createOscillator();
      const gain = this.audio.createGain();
      gain.gain.value = 0.05;
      tone.frequency.value = 660;
      tone.connect(gain).connect(this.audio.destination);
      tone.start();
      tone.stop(this.audio.currentTime + 0.08);
    } catch (error) {
      // no sound to be had: nothing else to do
    }
  },

  // Exit: a page cannot close its own tab, so the editor ends and the page says so, with a
  // way to start it again.
  end() {
    this.ended = true;
    const page = document.createElement('main');
    page.className = 'ended';
    const said = document.createElement('p');
    said.textContent = 'The Quarvel Levels Editor has ended.';
    const again = document.createElement('a');
    again.href = './';
    again.textContent = 'Start it again';
    page.append(said, again);
    document.body.replaceChildren(page);
    again.focus();
  },

  // --- The page's own ---------------------------------------------------------------------

  started() {
    this.applyLook();
    for (const query of ['(prefers-color-scheme: dark)', '(forced-colors: active)', '(prefers-contrast: more)'])
      matchMedia(query).addEventListener('change', () => this.applyLook());
    this.grid.focus();
    QuarvelMenus.keyboard();
    QuarvelFiles.start();
    addEventListener('beforeunload', (event) => {
      // The browser's own question, only while the set has changed since New, Open or Save.
      if (!this.ended && Module._web_changed()) {
        event.preventDefault();
        event.returnValue = '';
      }
    });
    document.documentElement.dataset.ready = 'true';
  },

  // The device pixel ratio and the system colours, now and whenever they change.
  applyLook() {
    const probe = document.createElement('span');
    document.body.append(probe);
    const colour = (name) => {
      probe.style.color = name;
      const parts = getComputedStyle(probe).color.match(/[\d.]+/g).map(Number);
      const alpha = parts.length > 3 ? Math.round(parts[3] * 255) : 255;
      return ((alpha << 24) | (parts[0] << 16) | (parts[1] << 8) | parts[2]) >>> 0;
    };
    Module._web_look(devicePixelRatio, colour('Canvas'), colour('Highlight'));
    probe.remove();
    // A new zoom or display changes the ratio: watched anew for each ratio.
    matchMedia(`(resolution: ${devicePixelRatio}dppx)`).addEventListener('change', () => this.applyLook(), { once: true });
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
      const allowed = utf16(event.data, (t) => utf16(this.decimalSeparator, (s) => call('web_may_type', ['number', 'number'], [t, s])));
      if (!allowed) {
        event.preventDefault();
        this.beep();
      }
    });
    input.addEventListener('input', () => utf16(input.value, (t) => call('web_edited', ['number'], [t])));
    input.addEventListener('keydown', (event) => {
      if (event.key === 'ArrowUp' || event.key === 'ArrowDown') {
        event.preventDefault();
        call('web_step', ['number'], [event.key === 'ArrowUp' ? 1 : -1]);
      } else if (event.key === 'Enter') {
        event.preventDefault();
        this.beep();
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

  // The control of a window that took the focus: its own name, or its field's.
  focused(formId, target) {
    const control = target.closest('[data-name]');
    if (control) Module.ccall('web_focus', null, ['string', 'string'], [formId, control.dataset.name]);
  },

  // Only the window in front takes input: everything behind it is inert.
  openModal(win, focus) {
    win.returnFocus = document.activeElement;
    this.modals.push(win);
    this.updateInert();
    if (focus) focus.focus();
  },

  closeModal(win) {
    this.modals = this.modals.filter((w) => w !== win);
    this.updateInert();
    if (win.returnFocus && document.contains(win.returnFocus)) win.returnFocus.focus();
  },

  updateInert() {
    const front = this.modals[this.modals.length - 1];
    document.getElementById('MainWindow').inert = !!front;
    for (const w of document.querySelectorAll('.window')) w.inert = !!front && w !== front;
  },

  // A command of the main window. One at a time: while one waits for a box, a dialog or a
  // file, the page takes no other (the program can wait for one answer only).
  command(number) {
    if (!this.waiting && !this.ended) Module._web_command(number);
  },

  // The page waits for an answer that the program waits for: nothing behind it takes input.
  async wait(answer) {
    const focused = document.activeElement;
    this.waiting = true;
    document.getElementById('MainWindow').inert = true;
    try {
      return await answer();
    } finally {
      this.waiting = false;
      this.updateInert();
      // A picker takes the focus away; it comes back where it was.
      if (!this.ended && document.activeElement === document.body && document.contains(focused)) focused.focus();
    }
  },

  // Runs a menu item's command as though it was chosen.
  runMenu(name) {
    const item = document.querySelector(`[role=menu] [data-name="${name}"]`);
    if (item && !this.modals.length) this.command(Number(item.dataset.command));
  },
};

// The menu bar: Alt or F10 gives it the keyboard, the arrows move through it, Enter or
// Space chooses, Escape goes back.
const QuarvelMenus = {
  titles: [],
  returnFocus: null,

  attach(title, items) {
    this.titles.push(title);
    title.addEventListener('mousedown', (event) => {
      event.preventDefault();
      if (title.getAttribute('aria-expanded') === 'true') this.close(true);
      else this.open(title, false);
    });
    title.addEventListener('keydown', (event) => this.titleKey(event, title));
    items.addEventListener('keydown', (event) => this.itemKey(event, title));
    items.addEventListener('mousedown', (event) => event.preventDefault());
    items.addEventListener('click', (event) => {
      const item = event.target.closest('[data-command]');
      if (item) this.choose(item);
    });
  },

  keyboard() {
    let altAlone = false;
    addEventListener('keydown', (event) => {
      if (QuarvelPage.modals.length || QuarvelPage.ended) return;
      altAlone = event.key === 'Alt';
      if (event.key === 'F10' && !event.shiftKey) {
        event.preventDefault();
        if (this.active()) this.close(true);
        else this.enter();
      }
    });
    addEventListener('keyup', (event) => {
      if (event.key === 'Alt' && altAlone && !QuarvelPage.modals.length) {
        event.preventDefault();
        if (this.active()) this.close(true);
        else this.enter();
      }
      altAlone = false;
    });
    addEventListener('mousedown', (event) => {
      if (this.active() && !event.target.closest('#MainMenu1')) this.close(false);
    });
  },

  active() { return document.getElementById('MainMenu1').contains(document.activeElement); },

  enter() {
    this.returnFocus = document.activeElement;
    this.titles[0].focus();
  },

  open(title, focusFirst) {
    if (!this.active()) this.returnFocus = document.activeElement;
    this.closeMenus();
    title.setAttribute('aria-expanded', 'true');
    title.nextElementSibling.hidden = false;
    if (focusFirst) title.nextElementSibling.querySelector('[role=menuitem]').focus();
    else title.focus();
  },

  closeMenus() {
    for (const title of this.titles) {
      title.setAttribute('aria-expanded', 'false');
      title.nextElementSibling.hidden = true;
    }
  },

  close(giveBack) {
    this.closeMenus();
    if (giveBack && this.returnFocus && document.contains(this.returnFocus)) this.returnFocus.focus();
    else if (this.active()) document.activeElement.blur();
  },

  titleKey(event, title) {
    const i = this.titles.indexOf(title);
    const move = (d) => {
      const next = this.titles[(i + d + this.titles.length) % this.titles.length];
      if (title.getAttribute('aria-expanded') === 'true') this.open(next, true);
      else next.focus();
    };
    if (event.key === 'ArrowRight') move(1);
    else if (event.key === 'ArrowLeft') move(-1);
    else if (['ArrowDown', 'Enter', ' '].includes(event.key)) this.open(title, true);
    else if (event.key === 'Escape') this.close(true);
    else return;
    event.preventDefault();
  },

  itemKey(event, title) {
    const items = [...title.nextElementSibling.querySelectorAll('[role=menuitem]')];
    const i = items.indexOf(document.activeElement);
    const i2 = this.titles.indexOf(title);
    if (event.key === 'ArrowDown') items[(i + 1) % items.length].focus();
    else if (event.key === 'ArrowUp') items[(i - 1 + items.length) % items.length].focus();
    else if (event.key === 'ArrowRight') this.open(this.titles[(i2 + 1) % this.titles.length], true);
    else if (event.key === 'ArrowLeft') this.open(this.titles[(i2 - 1 + this.titles.length) % this.titles.length], true);
    else if (event.key === 'Escape') { this.closeMenus(); title.focus(); }
    else if (event.key === 'Enter' || event.key === ' ') this.choose(document.activeElement);
    else return;
    event.preventDefault();
    event.stopPropagation();
  },

  // A command runs once the menu is closed and the focus is back where it was.
  choose(item) {
    this.close(true);
    QuarvelPage.command(Number(item.dataset.command));
  },
};
