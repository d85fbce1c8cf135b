import { createHash } from 'node:crypto';
import { readFileSync, readdirSync } from 'node:fs';
import { resolve } from 'node:path';
import { defineConfig } from 'vite';

// The core comes from scripts/build-web.sh and goes into the page as it is.
const core = resolve(__dirname, '../build-web/core');

// The service worker, given the built files to keep and a version that
// changes with any of them.
function serviceWorker() {
  return {
    name: 'orrikey-service-worker',
    apply: 'build',
    enforce: 'post',
    generateBundle(_, bundle) {
      const contents = [
        ...readdirSync(core).map((name) => [name, readFileSync(resolve(core, name))]),
        ...Object.values(bundle).map((out) => [out.fileName, out.type === 'chunk' ? out.code : out.source]),
      ].sort(([a], [b]) => (a < b ? -1 : 1));
      const version = createHash('sha256');
      for (const [name, content] of contents) version.update(name).update(content);
      const files = ['./', ...contents.map(([name]) => `./${name}`)];
      const source = readFileSync(resolve(__dirname, 'src/service-worker.js'), 'utf8')
        .replace('self.BUILD_FILES', JSON.stringify(files))
        .replace('self.BUILD_VERSION', JSON.stringify(version.digest('hex').slice(0, 16)));
      this.emitFile({ type: 'asset', fileName: 'service-worker.js', source });
    },
  };
}

export default defineConfig({
  base: './',
  publicDir: core,
  plugins: [serviceWorker()],
  build: { outDir: 'dist', emptyOutDir: true, target: 'es2022' },
});
