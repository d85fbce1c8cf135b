// The built page (web/dist) in headless Chromium, driven as a person uses it:
// its word on how to start and its example, opening a raw file, typing a line that fails and mending it, pasting a
// listing, saving the raw file, the character picker, the script of edits the desktop and the model share, each
// text checked as orrikey-cli checks it, completion, help, going by labels, the programs' outline, the target
// calculators and a reload offline.
// Expected bytes, text, diagnostics and sizes come from orrikey-cli. It also prints how long the
// page takes to open the largest raw file of the corpus (when the corpus is
// beside the clone) and to take a keystroke on a 10,000-line program.
//
//   node web/test/browser.mjs [orrikey-cli]

import { spawnSync } from 'node:child_process';
import { existsSync, mkdtempSync, readFileSync, readdirSync, rmSync, statSync, writeFileSync } from 'node:fs';
import { createServer } from 'node:http';
import { tmpdir } from 'node:os';
import { dirname, extname, join, resolve } from 'node:path';
import { fileURLToPath } from 'node:url';
import { chromium } from 'playwright-core';

const repo = resolve(dirname(fileURLToPath(import.meta.url)), '../..');
const dist = join(repo, 'web/dist');
const cli = resolve(process.argv[2] ?? join(repo, 'build/cli/orrikey-cli'));
const corpusRaw = resolve(repo, '../shared/corpus/raw');

for (const needed of [join(dist, 'index.html'), cli]) {
  if (!existsSync(needed)) {
    console.error(`missing ${needed}: run scripts/build-web.sh and scripts/build.sh first`);
    process.exit(1);
  }
}

const scratch = mkdtempSync(join(tmpdir(), 'orrikey-browser-'));

function runCli(...args) {
  const run = spawnSync(cli, args, { maxBuffer: 64 << 20 });
  if (run.status !== 0) throw new Error(`orrikey-cli ${args.join(' ')}: ${run.stderr}`);
  return run.stdout;
}

function scratchFile(text) {
  const path = join(scratch, `source-${Math.random().toString(36).slice(2)}.txt`);
  writeFileSync(path, text);
  return path;
}

// The hex rows and raw bytes orrikey-cli makes of a program text or listing.
function encoded(text) {
  const source = scratchFile(text);
  const raw = `${source}.raw`;
  const rows = runCli('encode', source, '-o', raw).toString().trim().split('\n');
  return { rows, raw: readFileSync(raw) };
}

// web/dist as any static host serves it, on a port of its own; closing it
// drops the connections that stay open.
const types = { '.html': 'text/html', '.js': 'text/javascript', '.css': 'text/css', '.wasm': 'application/wasm' };
const server = createServer((request, response) => {
  const path = decodeURIComponent(new URL(request.url, 'http://localhost').pathname);
  const file = join(dist, path.endsWith('/') ? `${path}index.html` : path);
  if (!file.startsWith(dist) || !existsSync(file) || !statSync(file).isFile()) {
    response.writeHead(404).end();
    return;
  }
  response.writeHead(200, { 'Content-Type': types[extname(file)] ?? 'application/octet-stream' });
  response.end(readFileSync(file));
});
await new Promise((done) => server.listen(0, '127.0.0.1', done));
const url = `http://127.0.0.1:${server.address().port}/`;

const context = await chromium.launchPersistentContext(join(scratch, 'profile'), {
  executablePath: '/usr/bin/chromium',
  headless: true,
  acceptDownloads: true,
  viewport: { width: 1200, height: 700 },
  args: ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
         '--disable-background-networking', '--disable-component-update', '--disable-sync'],
});
const page = context.pages()[0] ?? await context.newPage();
const pageErrors = [];
page.on('pageerror', (error) => pageErrors.push(error.message));
await page.goto(url);
await page.waitForSelector('.cm-content');

const editor = page.locator('.cm-content');
const settle = { timeout: 5000 };

// What a download gave, as bytes.
async function downloaded(button) {
  const [download] = await Promise.all([page.waitForEvent('download'), page.click(button)]);
  return readFileSync(await download.path());
}

const pageText = async () => (await downloaded('#save-text')).toString().replaceAll('\r\n', '\n');
const visibleRows = () => page.$$eval('.cm-hex', (rows) => rows.map((row) => row.dataset.hex));

async function openFile(name, buffer) {
  await page.setInputFiles('#open', { name, mimeType: 'application/octet-stream', buffer });
  await page.waitForFunction((n) => document.getElementById('status').textContent.includes(n), name, settle);
}

// The text put in place of all, as one input rather than key by key: keys
// typed while the page is still drawing the line before can land among its
// hex, and a completion list open at a line break takes the Enter.
async function replaceAll(text) {
  await editor.click();
  await page.keyboard.press('Control+a');
  await page.keyboard.insertText(text);
}

function check(condition, message) {
  if (!condition) throw new Error(message);
}

function sameRows(shown, expected) {
  const wanted = expected.slice(0, shown.length);
  check(shown.length > 0 && JSON.stringify(shown) === JSON.stringify(wanted),
        `hex shown ${JSON.stringify(shown.slice(0, 5))}, orrikey-cli ${JSON.stringify(wanted.slice(0, 5))}`);
}

// A middling raw file of the corpus, else one made here.
function rawToOpen() {
  if (existsSync(corpusRaw)) {
    const files = readdirSync(corpusRaw).filter((f) => f.endsWith('.raw')).sort()
      .map((f) => ({ name: f, size: statSync(join(corpusRaw, f)).size }))
      .filter((f) => f.size > 200 && f.size < 4000);
    if (files.length > 0) return { name: files[0].name, bytes: readFileSync(join(corpusRaw, files[0].name)) };
  }
  return { name: 'made.raw', bytes: encoded('LBL "MADE"\n1.5\nSTO 01\nRCL× 01\n"HI├"\nEND\n').raw };
}

// What orrikey-cli check says of a text, a diagnostic a line before the
// line that sums up, and what encode and programs say of its size and its
// programs.
function cliCheck(text) {
  const run = spawnSync(cli, ['check', scratchFile(text)]);
  return run.stdout.toString().split('\n').filter(Boolean).slice(0, -1).map((line) => {
    const [, number, column, severity, message] = line.match(/^.*?:(\d+):(\d+): (error|warning|note): (.*)$/);
    return `${number}:${column} ${severity}: ${message}`;
  }).sort();
}

function cliSizes(text) {
  const source = scratchFile(text);
  const encode = spawnSync(cli, ['encode', source]);
  const programs = runCli('programs', source).toString().trim().split('\n').filter(Boolean).map((line) => {
    const program = line.match(/^Program \d+, lines (\d+)-\d+: (.*)$/);
    return program ? `${program[1]} ${program[2]}` : line.trim().replace(/^(\d+) /, '$1 ');
  });
  return { total: encode.status === 0 ? encode.stderr.toString().trim() : '', programs };
}

// The page's list of diagnostics, each gone to so that the caret tells its
// column; the programs' outline, and each program's size with the caret in it.
async function pageCheck() {
  const found = [];
  const items = page.locator('#info .go');
  for (let i = 0; i < await items.count(); ++i) {
    const [, line, severity, message] =
      (await items.nth(i).textContent()).match(/^Line: (\d+) (?:-+ err \w+|(warning|note)): (.*)$/);
    await items.nth(i).click();
    const [, caret, column] = (await page.textContent('#place')).match(/^Line (\d+), Col (\d+)/);
    check(caret === line, `the problem of line ${line} goes to line ${caret}`);
    found.push(`${line}:${column} ${severity ?? 'error'}: ${message}`);
  }
  const programs = [];
  const outline = page.locator('#programs [role="treeitem"]');
  for (let i = 0; i < await outline.count(); ++i) {
    const [name, line, detail, needs] = await outline.nth(i).locator('span').allTextContents();
    if (detail === undefined) {
      programs.push(`${line} ${name}`);
      continue;
    }
    programs.push(`${line} ${detail}`, needs);
    await outline.nth(i).click();
    check(detail.startsWith(await page.textContent('#size') || '{ '), `line ${line}: ${detail}, size shown ` +
          JSON.stringify(await page.textContent('#size')));
  }
  return { found: found.sort(), sizes: { total: await page.textContent('#total'), programs } };
}

async function sameAsCli(text) {
  check(await pageText() === text, `text ${JSON.stringify(await pageText())}`);
  const shown = await pageCheck();
  const expected = { found: cliCheck(text), sizes: cliSizes(text) };
  check(JSON.stringify(shown) === JSON.stringify(expected),
        `page ${JSON.stringify(shown)}, orrikey-cli ${JSON.stringify(expected)}`);
}

const caretTo = async (line) => {
  await page.locator('.cm-line').nth(line - 1).click();
  await page.keyboard.press('Home');
};

// Lines `first` to `first + count - 1` (from 0) selected whole from the keyboard, or with no count the caret
// at the start of line `first`; Home would stop at a line's indentation.
async function selectLines(first, count) {
  await editor.click();
  await page.keyboard.press('Control+Home');
  for (let i = 0; i < first; ++i) await page.keyboard.press('ArrowDown');
  for (let i = 1; i < count; ++i) await page.keyboard.press('Shift+ArrowDown');
  if (count > 0) await page.keyboard.press('Shift+End');
}

// Text pasted over the selection, as the clipboard hands it to the page.
const paste = (text) => editor.evaluate((content, text) => {
  const data = new DataTransfer();
  data.setData('text/plain', text);
  content.dispatchEvent(new ClipboardEvent('paste', { clipboardData: data, bubbles: true, cancelable: true }));
}, text);

const listing = '00 { 20-Byte Prgm }\n01▸LBL "AB"\n02 STO× 05\n03 1ᴇ3\n04 ->\n05 "x≠y"\n06 END\n';

const steps = [
  ['says on an empty page how to start, and opens the example', async () => {
    check(await page.isVisible('#welcome') &&
          (await page.textContent('#welcome')).includes('one instruction per line'), 'no word on how to start');
    check(await page.getAttribute('.cm-content', 'aria-label') === 'Program text', 'the text has no name');
    await page.keyboard.press('Tab');
    check(await page.evaluate(() => document.activeElement.id) === 'open-button', 'the keyboard does not reach Open');
    await page.click('#example');
    await page.waitForSelector('#welcome', { state: 'hidden', ...settle });
    const example = readFileSync(join(repo, 'examples/primes.42S'), 'utf8').replaceAll('\r\n', '\n');
    check(await pageText() === example, 'the example is not the one shipped');
    sameRows(await visibleRows(), encoded(example).rows);
  }],
  ['opens a raw file and shows its text and hex', async () => {
    const raw = rawToOpen();
    await openFile(raw.name, raw.bytes);
    check(await page.getAttribute('#status', 'title') === await page.textContent('#status'),
          'the file name has no tooltip');
    const path = join(scratch, raw.name);
    writeFileSync(path, raw.bytes);
    // The page shows the editor's program text, whose names may differ from
    // the command line's glyphs (x for ×); both must be the same program.
    const text = await pageText();
    const lines = runCli('decode', path, '-o', '-').toString().trimEnd().split('\n');
    check(text.trimEnd().split('\n').length === lines.length, `${raw.name}: not a line per instruction`);
    const shown = encoded(text);
    check(lines.at(-1) === 'Error in Hex Code' || Buffer.compare(shown.raw, raw.bytes) === 0,
          `${raw.name}: the text shown does not encode to the file's bytes`);
    sameRows(await visibleRows(), shown.rows);
  }],
  ['marks and lists a line that fails, goes to it, and clears it when mended', async () => {
    await replaceAll('LBL "T"\nXYZZY 42\nEND');
    await page.waitForSelector('#info li', settle);
    const listed = await page.locator('#info li').allTextContents();
    check(listed.length === 1 && listed[0].startsWith('Line: 2 '), `listed ${JSON.stringify(listed)}`);
    check(await page.locator('.cm-failed').count() === 1 &&
          (await page.locator('.cm-failed').textContent()).startsWith('XYZZY 42'), 'line 2 is not marked');
    check(await page.locator('.cm-lintRange-error').textContent() === 'XYZZY', 'the fault is not marked where it is');
    await page.keyboard.press('Control+Home');
    await page.click('#info .go');
    check(await page.evaluate(() => getSelection().toString()) === 'XYZZY' &&
          (await page.textContent('#place')).startsWith('Line 2, Col 1'), 'the listed error does not go to its line');
    await page.keyboard.press('End');
    await page.keyboard.press('Shift+Home');
    await page.keyboard.type('STO× 05');
    await page.waitForFunction(() => !document.querySelector('#info .error') && !document.querySelector('.cm-failed'),
                               null, settle);
    sameRows(await visibleRows(), encoded('LBL "T"\nSTO× 05\nEND\n').rows);
  }],
  ['pastes a listing as program lines and saves it raw', async () => {
    await editor.click();
    await page.keyboard.press('Control+a');
    await paste(listing.replaceAll('\n', '\r\n'));
    const expected = encoded(listing);
    sameRows(await visibleRows(), expected.rows);
    check(!(await pageText()).includes('01'), 'the line numbers were pasted');
    check(Buffer.compare(await downloaded('#save-raw'), expected.raw) === 0, 'Save Raw differs from orrikey-cli');
  }],
  ['inserts a calculator character from the picker', async () => {
    await replaceAll('"A');
    await page.click('#characters');
    await page.click('#picker button[title="U+2260"]');
    await page.keyboard.type('B"');
    check(await pageText() === '"A≠B"', `text ${JSON.stringify(await pageText())}`);
    sameRows(await visibleRows(), encoded('"A≠B"\n').rows);
  }],
  ['applies the edits the desktop and the model share, each text shown as orrikey-cli checks it', async () => {
    const script = JSON.parse(readFileSync(join(repo, 'tests/editing/edit-script.json'), 'utf8')).steps;
    await editor.click();
    await page.keyboard.press('Control+a');
    await page.keyboard.press('Delete');
    let lines = [''];
    for (const step of script) {
      const before = lines.join('\n');
      if (step.renameAt === undefined) {
        await selectLines(step.first, step.count);
        await paste(step.count === 0 ? `${step.text}\n` : step.text);
        lines.splice(step.first, step.count, ...step.text.split('\n'));
      } else {
        await caretTo(step.renameAt + 1);
        await page.keyboard.press('F2');
        await page.keyboard.type(step.name);
        await page.keyboard.press('Enter');
        await page.waitForSelector('#rename', { state: 'hidden', ...settle });
        await page.keyboard.press('Control+z');
        check(await pageText() === before, `${step.what}: one undo does not take the rename back`);
        await editor.focus();
        await page.keyboard.press('Control+y');
        const old = lines;
        lines = (await pageText()).split('\n');
        // The model picks the lines to rename; the page must write them all, in one undo step: the label's
        // line and its jumps, none past its program when it is local, so that check says what it said.
        const starts = cliSizes(before).programs.filter((p) => /^\d+ {/.test(p)).map((p) => parseInt(p, 10) - 1);
        const from = starts.findLast((first) => first <= step.renameAt);
        const to = starts.find((first) => first > step.renameAt) ?? lines.length;
        check(lines.length === old.length && lines[step.renameAt].includes(step.name) &&
              (step.name.startsWith('"') || lines.every((line, i) => line === old[i] || (i >= from && i < to))) &&
              JSON.stringify(cliCheck(lines.join('\n'))) === JSON.stringify(cliCheck(before)),
              `${step.what}: ${JSON.stringify(lines)}`);
      }
      await sameAsCli(lines.join('\n')).catch((error) => { throw new Error(`${step.what}: ${error.message}`); });
    }
    // What the script leaves to the page alone: a fix from the list, a rename refused in the dialog, a
    // listing pasted after the text and a line deleted by its key.
    await page.click('#info .fix');
    const fixed = lines.join('\n').replace('X<=Y?', 'X≤Y?');
    await caretTo(lines.indexOf('LBL "TWO"') + 1);
    await page.keyboard.press('F2');
    await page.keyboard.type('"DEMO"');
    await page.keyboard.press('Enter');
    check(await page.textContent('#rename-refusal') === 'Label "DEMO" is already at line 1', 'no refusal shown');
    await page.keyboard.press('Escape');
    await page.waitForSelector('#rename', { state: 'hidden', ...settle });
    await sameAsCli(fixed);
    await page.keyboard.press('Control+End');
    await page.keyboard.press('Enter');
    await paste('00 { 9-Byte Prgm }\n01▸LBL "L"\n02 STO× 05\n03 GTO 02\n04 END\n');
    // The listing's glyphs come in as the program text spells them.
    const pasted = `${fixed}\nLBL "L"\nSTO× 05\nGTO 02\nEND\n`;
    await sameAsCli(pasted);
    await caretTo(lines.length + 3);
    await page.keyboard.press('Control+Shift+k');
    await sameAsCli(pasted.replace('GTO 02\n', ''));
  }],
  ['completes, helps, goes by labels and by the outline from the keyboard', async () => {
    await replaceAll('LBL "A"\nGTO 01\nLBL 01\n');
    await page.keyboard.type('X<');
    const option = page.locator('.cm-tooltip-autocomplete li', { hasText: 'X≤Y?' });
    await option.waitFor(settle);
    // The list ignores the keys for a moment after it opens, so the arrow goes until the word is chosen.
    // The list is drawn again as it updates, so it may be missing for a moment.
    const chosen = () => page.evaluate(
      () => document.querySelector('.cm-tooltip-autocomplete [aria-selected]')?.textContent);
    for (let i = 0; i < 20 && await chosen() !== 'X≤Y?'; ++i) await page.keyboard.press('ArrowDown');
    await page.keyboard.press('Enter');
    check((await pageText()).endsWith('\nX≤Y?'), `completed ${JSON.stringify(await pageText())}`);
    const table = readFileSync(join(repo, 'tables/commands.txt'), 'latin1').split('\n');
    const gto = table[table.indexOf('GTO') + 1].replace('\\x20', '').trim();
    await page.locator('.cm-line').nth(1).locator('.tok-name').hover();
    await page.waitForSelector('.cm-help', settle);
    check((await page.textContent('.cm-help')).startsWith(gto), `help ${await page.textContent('.cm-help')}`);
    await caretTo(2);
    await page.keyboard.press('F12');
    check((await page.evaluate(() => getSelection().toString())).startsWith('LBL 01'), 'F12 does not go to the label');
    await page.keyboard.press('Shift+F12');
    check(JSON.stringify(await page.locator('#info .go').allTextContents()) === '["Line: 2 GTO 01"]',
          'Shift+F12 does not list the jump');
    await page.click('#info .go');
    check((await page.textContent('#place')).startsWith('Line 2,'), 'the listed jump does not go to its line');
    await page.click('#info-back');
    await page.keyboard.press('Tab');
    check(await page.evaluate(() => document.activeElement.dataset.line) === '0', 'Tab does not reach the outline');
    await page.keyboard.press('End');
    await page.keyboard.press('Enter');
    check((await page.textContent('#place')).startsWith('Line 3,') &&
          (await page.evaluate(() => getSelection().toString())).startsWith('LBL 01'),
          'the outline does not go to LBL 01');
    await page.keyboard.press('End');
    await page.keyboard.type('\n"OK✓"');
    await page.waitForSelector('#info .error', settle);
    check(await page.textContent('#info .error') ===
          'Line: 4 ------ err char: the character ✓ (U+2713) has no calculator code', 'the character is not named');
  }],
  ['checks for the target chosen, and keeps it for the next visit', async () => {
    const text = 'LBL "T"\nSTO 30\nDROPN 2\nEND';
    const error = 'Line: 3 error: not on the HP-42S: an instruction of today\'s calculators';
    const errors = () => page.locator('#info .error').allTextContents();
    await replaceAll(text);
    for (const [target, listed] of [['hp42s', [error]], ['today', []], ['hp42s', [error]]]) {
      await page.selectOption('#target', target);
      await page.waitForFunction((n) => document.querySelectorAll('#info .error').length === n, listed.length, settle);
      check(JSON.stringify(await errors()) === JSON.stringify(listed), `${target}: ${JSON.stringify(await errors())}`);
    }
    check(await page.textContent('#programs .needs') ===
          'needs SIZE 31; HP-42S: no, 1 line uses today\'s instructions (first at line 3)',
          `the outline says ${await page.textContent('#programs .needs')}`);
    await page.reload();
    await page.waitForSelector('.cm-content', settle);
    check(await page.inputValue('#target') === 'hp42s', 'the target is not kept');
    await replaceAll('DROPN 2');
    await page.waitForSelector('#info .error', settle);
    check((await errors())[0] === 'Line: 1 error: not on the HP-42S: an instruction of today\'s calculators',
          `after reloading: ${JSON.stringify(await errors())}`);
    await page.selectOption('#target', 'today');
  }],
  ['reloads offline once loaded', async () => {
    check(await page.evaluate(() => Promise.race([navigator.serviceWorker.ready.then(() => true),
                                                  new Promise((done) => setTimeout(() => done(false), 5000))])),
          'no service worker took the page');
    server.closeAllConnections();
    server.close();
    await context.setOffline(true);
    try {
      await page.reload();
      await page.waitForSelector('.cm-content', settle);
      await replaceAll('STO 07');
      sameRows(await visibleRows(), encoded('STO 07\n').rows);
    } finally {
      await context.setOffline(false);
    }
  }],
];

// The time the page itself sees, from the start of the work until the view
// has drawn it (the frame after the change, and the task after that frame).
async function timeOpening(name, bytes) {
  return page.evaluate(async ({ name, bytes }) => {
    const input = document.getElementById('open');
    const files = new DataTransfer();
    files.items.add(new File([new Uint8Array(bytes)], name));
    input.files = files.files;
    // The status may still name the file from the opening before.
    document.getElementById('status').textContent = '';
    const start = performance.now();
    input.dispatchEvent(new Event('change'));
    while (!document.getElementById('status').textContent.includes(name))
      await new Promise((done) => setTimeout(done, 0));
    await new Promise((done) => requestAnimationFrame(() => setTimeout(done, 0)));
    return performance.now() - start;
  }, { name, bytes: Array.from(bytes) });
}

// A keystroke's work, from its keydown to the end of the task that handled
// it, with the view laid out again; and to the frame that shows it.
async function timeKeystroke(count) {
  await page.evaluate((count) => {
    globalThis.keystroke = new Promise((done) => {
      document.addEventListener('keydown', () => {
        const start = performance.now();
        setTimeout(() => {
          const text = getSelection().focusNode.parentElement.closest('.cm-line')?.textContent ?? '';
          document.querySelector('.cm-content').getBoundingClientRect();
          const handled = performance.now() - start;
          requestAnimationFrame(() => setTimeout(() => done({ handled, shown: performance.now() - start,
                                                               typed: text.split('X').length - 1 === count })));
        }, 0);
      }, { capture: true, once: true });
    });
  }, count);
  await page.keyboard.press('X');
  const time = await page.evaluate(() => globalThis.keystroke);
  check(time.typed, 'the keystroke was not in the view when its task ended');
  return time;
}

const median = (values) => values.sort((a, b) => a - b)[Math.floor(values.length / 2)];

async function measure() {
  if (existsSync(corpusRaw)) {
    const largest = readdirSync(corpusRaw).filter((f) => f.endsWith('.raw'))
      .map((f) => ({ f, size: statSync(join(corpusRaw, f)).size })).sort((a, b) => b.size - a.size)[0];
    const times = [];
    for (let i = 0; i < 3; ++i) times.push(await timeOpening(largest.f, readFileSync(join(corpusRaw, largest.f))));
    console.log(`measured: opening ${largest.f} (${largest.size} bytes): ${median(times).toFixed(1)} ms (median of 3)`);
  }
  const lines = Array.from({ length: 10000 }, (_, i) => ['LBL "L"', `STO ${i % 100}`, '1.5ᴇ3', 'RCL× ST X'][i % 4]);
  await openFile('long.txt', Buffer.from(lines.join('\n')));
  await editor.click();
  await page.keyboard.press('Control+End');
  await page.keyboard.press('Enter');
  const times = [];
  for (let i = 1; i <= 9; ++i) times.push(await timeKeystroke(i));
  console.log(`measured: keystroke on 10,000 lines: ${median(times.map((t) => t.handled)).toFixed(1)} ms handled, ` +
              `${median(times.map((t) => t.shown)).toFixed(1)} ms to the frame after it (medians of 9)`);
}

let passed = 0;
let failed = 0;
for (const [name, step] of steps) {
  try {
    await step();
    ++passed;
    console.log(`ok ${name}`);
  } catch (error) {
    ++failed;
    console.log(`FAIL ${name}: ${error.message}`);
  }
}
try {
  await measure();
} catch (error) {
  ++failed;
  console.log(`FAIL measuring: ${error.message}`);
}
if (pageErrors.length > 0) {
  ++failed;
  console.log(`FAIL the page threw: ${pageErrors.join('; ')}`);
}
await context.close().catch(() => {});
if (server.listening) {
  server.closeAllConnections();
  server.close();
}
rmSync(scratch, { recursive: true, force: true });
console.log(`browser: ${passed} passed, ${failed} failed`);
process.exit(failed === 0 ? 0 : 1);
