import { resolve } from 'node:path';
import { defineConfig } from 'vite';

// The core comes from scripts/build-web.sh and goes into the page as it is.
export default defineConfig({
  base: './',
  publicDir: resolve(__dirname, '../build-web/core'),
  build: { outDir: 'dist', emptyOutDir: true, target: 'es2022' },
});
