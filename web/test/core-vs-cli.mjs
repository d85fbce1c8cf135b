// The page's core against orrikey-cli, over every real program of the corpus:
// each raw file decoded to program text and to a listing, and cut short, that
// text encoded again, and each listing encoded, must give the command line's
// output, its messages and its exit status.
//
//   node web/test/core-vs-cli.mjs [build-web] [orrikey-cli]
//
// The corpus lies beside the clone (../shared/corpus); without it the test
// is skipped, as the desktop's corpus tests are.

import { spawnSync } from 'node:child_process';
import { existsSync, readdirSync, readFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import { basename, dirname, join, resolve } from 'node:path';
import { fileURLToPath } from 'node:url';

const repo = resolve(dirname(fileURLToPath(import.meta.url)), '../..');
const buildWeb = resolve(process.argv[2] ?? join(repo, 'build-web'));
const cli = resolve(process.argv[3] ?? join(repo, 'build/cli/orrikey-cli'));
const corpus = resolve(repo, '../shared/corpus');

if (!existsSync(join(corpus, 'raw'))) {
  console.log(`skipped: no corpus at ${corpus}`);
  process.exit(0);
}
for (const needed of [join(buildWeb, 'core/orrikey-core.wasm'), cli]) {
  if (!existsSync(needed)) {
    console.error(`missing ${needed}: run scripts/build-web.sh and scripts/build.sh first`);
    process.exit(1);
  }
}

// The module's own loader fetches the wasm by URL, which node cannot; it is
// handed over instead.
const require = createRequire(import.meta.url);
const core = await require(join(buildWeb, 'core/orrikey-core.js'))({
  wasmBinary: readFileSync(join(buildWeb, 'core/orrikey-core.wasm')),
});

function runCli(args, input) {
  const run = spawnSync(cli, args, { input, maxBuffer: 64 << 20 });
  return { out: run.stdout.toString(), err: run.stderr.toString(), status: run.status };
}

const hex = (bytes) => Array.from(bytes, (b) => b.toString(16).toUpperCase().padStart(2, '0')).join('');

// What `orrikey-cli decode` prints: a line per instruction, the error line
// where decoding stopped, a line break after the last (even of no lines), and
// the stop's message on standard error.
function decodedAsCli(bytes) {
  const decoded = core.decode(bytes);
  const lines = decoded.error ? [...decoded.lines, 'Error in Hex Code'] : decoded.lines;
  return {
    out: lines.join('\n') + '\n',
    err: decoded.error ? decoded.error + '\n' : '',
    status: decoded.error ? 1 : 0,
  };
}

function listingAsCli(bytes) {
  const decoded = core.decodeListing(bytes);
  return { out: decoded.listing, err: decoded.error ? decoded.error + '\n' : '', status: decoded.error ? 1 : 0 };
}

// What `orrikey-cli encode` prints for the program the core opened: a hex row
// per instruction, an error row in the place of a line the listing reader
// refused, the messages, and the size when every line converted.
function encodedAsCli(opened) {
  if (opened.error) return { out: '', err: `orrikey-cli: ${opened.error}\n`, status: 2 };
  let out = '';
  let err = '';
  let rows = false;
  let refused = 0;
  const addRefusedBefore = (line) => {
    for (; refused < opened.refused.length && opened.refused[refused].line < line; ++refused) {
      out += opened.charErrorRow + '\n';
      err += opened.refused[refused].message + '\n';
      rows = true;
    }
  };
  for (const line of opened.lines) {
    if (!line.error && line.bytes.length === 0) continue;
    addRefusedBefore(line.line);
    if (line.error) {
      out += line.hex + '\n';
      err += line.message + '\n';
    } else {
      // The bytes themselves, not only the row written from them.
      if (hex(line.bytes) !== line.hex) throw new Error(`line ${line.line}: bytes ${hex(line.bytes)}, row ${line.hex}`);
      out += line.hex + '\n';
    }
    rows = true;
  }
  addRefusedBefore(Infinity);
  if (opened.failures > 0) return { out, err, status: 1 };
  if (rows) err += `${opened.size}\n`;
  return { out, err, status: 0 };
}

let compared = 0;
const differences = [];

function compare(what, mine, theirs) {
  ++compared;
  for (const field of ['status', 'out', 'err']) {
    if (mine[field] === theirs[field]) continue;
    const a = String(mine[field]).split('\n');
    const b = String(theirs[field]).split('\n');
    let at = 0;
    while (at < a.length && a[at] === b[at]) ++at;
    differences.push(`${what}: ${field} differs at line ${at + 1}: core ${JSON.stringify(a[at])}, cli ${JSON.stringify(b[at])}`);
    return;
  }
}

const files = (folder) => readdirSync(join(corpus, folder)).sort().map((name) => join(corpus, folder, name));
const raws = files('raw').filter((path) => path.endsWith('.raw'));
const listings = files('listings');

for (const path of raws) {
  const bytes = readFileSync(path);
  const name = basename(path);
  compare(`decode ${name}`, decodedAsCli(bytes), runCli(['decode', path]));
  compare(`listing ${name}`, listingAsCli(bytes), runCli(['decode', '--format', 'listing', path]));
  // Cut short, the file ends in the middle of its END.
  const cut = bytes.subarray(0, bytes.length - 1);
  compare(`decode cut ${name}`, decodedAsCli(cut), runCli(['decode', '-'], cut));
  // The decoded text, read back as program text.
  const text = decodedAsCli(bytes).out;
  compare(`encode decoded ${name}`, encodedAsCli(core.open('-', Buffer.from(text), 'text')),
          runCli(['encode', '-'], text));
}
for (const path of listings) {
  compare(`encode ${basename(path)}`, encodedAsCli(core.open(path, readFileSync(path), 'any')),
          runCli(['encode', path]));
}

for (const difference of differences) console.error(difference);
console.log(`${raws.length} raw files and ${listings.length} listings: ${compared} comparisons, ` +
            `${differences.length} differences`);
process.exit(differences.length === 0 ? 0 : 1);
