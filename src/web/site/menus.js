'use strict';
// The menu bar: Alt or F10 gives it the keyboard, the arrows move through it, Enter or
// Space chooses, Escape goes back.
const QuarvelMenus = {
  titles: [],
  returnFocus: null,

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
    this.attach(title, items);
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
