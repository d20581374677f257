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
      el = QuarvelControls.makeGrid(label);
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
      el = QuarvelControls.makeSpin(formId, name, text, label);
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
    QuarvelControls.grid.focus();
    QuarvelMenus.keyboard();
    addEventListener('beforeunload', (event) => {
      // The browser's own question, only while the set has changed since New, Open or Save.
      if (!this.ended && Module._web_changed()) {
        event.preventDefault();
        event.returnValue = '';
      }
    });
    // The files (drops, launches, the service worker) once the window has been painted.
    requestAnimationFrame(() => setTimeout(() => {
      QuarvelFiles.start();
      document.documentElement.dataset.ready = 'true';
    }));
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
