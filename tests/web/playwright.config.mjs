// The editor in the browser, in Debian's Chromium (no browser download): the built site
// served on a port of its own for the run.
import { defineConfig } from '@playwright/test';
import { resolve } from 'node:path';

process.env.QUARVEL_WEB_PORT ??= String(20000 + Math.floor(Math.random() * 20000));
process.env.QUARVEL_WEB_SITE ??= resolve(import.meta.dirname, '../../build-web/src/web/site');
const port = process.env.QUARVEL_WEB_PORT;

export default defineConfig({
  testDir: '.',
  testMatch: '*.test.mjs',
  fullyParallel: true,
  workers: 2,
  timeout: 30000,
  reporter: 'list',
  use: {
    baseURL: `http://127.0.0.1:${port}/`,
    viewport: { width: 640, height: 600 },
    launchOptions: {
      executablePath: '/usr/bin/chromium',
      args: ['--headless', '--no-sandbox', '--disable-gpu', '--disable-background-networking',
             '--disable-component-update', '--disable-sync', '--no-first-run'],
    },
  },
  webServer: {
    command: `node ../../scripts/serve-web.mjs "${process.env.QUARVEL_WEB_SITE}" ${port}`,
    url: `http://127.0.0.1:${port}/`,
    reuseExistingServer: false,
  },
});
