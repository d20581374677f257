'use strict';
// Level set files as a browser gives them: the File System Access API's pickers and
// handles where present and allowed, a file input and a download where not, a file dropped
// on the page or launched from the file manager. A file's bytes go into the program's file
// system in memory, where the editor's own reader and writer work on them.

const QuarvelFiles = {
  types: [],          // the pickers' one type, as the program gives it
  extension: '',
  pendingOpen: null,  // a file dropped or launched, which the next Open Set takes
  lastOpen: null,     // the handles last confirmed in the open and the save picker
  lastSave: null,
  saves: new Map(),   // where each staged save goes: a handle, or a download's name
  count: 0,

  setType(description, extension) {
    this.extension = '.' + extension;
    this.types = [{ description, accept: { 'application/octet-stream': [this.extension] } }];
  },

  start() {
    this.limit = Module._web_file_limit();
    Module.FS.mkdir('/picked');
    addEventListener('dragover', (event) => {
      if (event.dataTransfer.types.includes('Files')) event.preventDefault();
    });
    addEventListener('drop', (event) => {
      const item = [...event.dataTransfer.items].find((i) => i.kind === 'file');
      if (!item) return;
      event.preventDefault();
      if (QuarvelPage.modals.length || QuarvelPage.ended) return;
      // Both must be asked for during the drop itself.
      const handle = item.getAsFileSystemHandle ? item.getAsFileSystemHandle() : null;
      const file = item.getAsFile();
      Promise.resolve(handle).catch(() => null).then((h) => {
        this.pendingOpen = h && h.kind === 'file' ? h : file;
        QuarvelPage.runMenu('N2');
      });
    });
    if ('launchQueue' in window) {
      launchQueue.setConsumer((params) => {
        if (!params.files || !params.files.length) return;
        this.pendingOpen = params.files[0];
        QuarvelPage.runMenu('N2');
      });
    }
    if ('serviceWorker' in navigator && location.protocol !== 'file:') {
      navigator.serviceWorker.register('sw.js').catch(() => {});
    }
  },

  // A picker's refusal (a policy, a cross-origin frame) falls back as its absence does.
  refused(error) {
    return error && (error.name === 'NotAllowedError' || error.name === 'SecurityError');
  },

  // Open Set and Copy: the path in memory and the file's own name, '' when cancelled, or
  // '!' and the error's name.
  async chooseFileToOpen() {
    let source = this.pendingOpen;
    this.pendingOpen = null;
    try {
      if (!source) source = await this.pickToOpen();
      if (!source) return '';
      const file = source.getFile ? await source.getFile() : source;
      // The reader looks at no more than this; a longer file is known by its first bytes.
      const bytes = new Uint8Array(await file.slice(0, this.limit).arrayBuffer());
      const path = this.stagedPath();
      Module.FS.writeFile(path, bytes);
      return path + '\n' + file.name;
    } catch (error) {
      return '!' + ((error && error.name) || 'Error');
    }
  },

  async pickToOpen() {
    if (window.showOpenFilePicker) {
      try {
        // The picker opens in the folder of the file last confirmed in it (Open Set and
        // Copy share it), as the desktop's open dialog does.
        const options = { types: this.types };
        if (this.lastOpen) options.startIn = this.lastOpen;
        const [handle] = await showOpenFilePicker(options);
        this.lastOpen = handle;
        return handle;
      } catch (error) {
        if (error.name === 'AbortError') return null;
        if (!this.refused(error)) throw error;
      }
    }
    return new Promise((resolve) => {
      const input = document.createElement('input');
      input.type = 'file';
      input.accept = this.extension;
      input.addEventListener('change', () => resolve(input.files[0] || null));
      input.addEventListener('cancel', () => resolve(null));
      input.click();
    });
  },

  // Save Set: where to write, and the name chosen; the bytes go there in commitSave.
  async chooseFileToSave(suggested) {
    let target = null;
    if (window.showSaveFilePicker) {
      try {
        const options = { types: this.types };
        if (suggested) options.suggestedName = suggested;
        if (this.lastSave) options.startIn = this.lastSave;
        const handle = await showSaveFilePicker(options);
        this.lastSave = handle;
        target = { handle, name: handle.name };
      } catch (error) {
        if (error.name === 'AbortError') return '';
        if (!this.refused(error)) return '!' + error.name;
      }
    }
    if (!target) {
      const base = suggested || 'levels';
      const name = base.toLowerCase().endsWith(this.extension) ? base : base + this.extension;
      target = { download: name, name };
    }
    const path = this.stagedPath();
    this.saves.set(path, target);
    return path + '\n' + target.name;
  },

  async commitSave(path) {
    const target = this.saves.get(path);
    this.saves.delete(path);
    const bytes = Module.FS.readFile(path);
    try {
      if (target.handle) {
        // The file changes only when the stream closes: a failure leaves it as it was.
        const stream = await target.handle.createWritable();
        try {
          await stream.write(bytes);
          await stream.close();
        } catch (error) {
          await stream.abort().catch(() => {});
          throw error;
        }
      } else {
        const link = document.createElement('a');
        link.href = URL.createObjectURL(new Blob([bytes], { type: 'application/octet-stream' }));
        link.download = target.download;
        document.body.append(link);
        link.click();
        link.remove();
        setTimeout(() => URL.revokeObjectURL(link.href), 60000);
      }
      return '';
    } catch (error) {
      return '!' + ((error && error.name) || 'Error');
    } finally {
      Module.FS.unlink(path);
    }
  },

  // A fresh name in memory; the file staged before it is no longer needed.
  stagedPath() {
    for (const name of Module.FS.readdir('/picked')) {
      if (name !== '.' && name !== '..' && !this.saves.has('/picked/' + name)) Module.FS.unlink('/picked/' + name);
    }
    return '/picked/' + ++this.count + '.dag';
  },
};
