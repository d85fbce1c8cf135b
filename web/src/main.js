// The page: program text on the left, each line's hex beside it, the size,
// and the lines that do not convert marked and listed. Every conversion is
// the core's, run here as WebAssembly; nothing leaves the machine.

import { defaultKeymap, history, historyKeymap } from '@codemirror/commands';
import { EditorState, RangeSetBuilder, StateEffect } from '@codemirror/state';
import { Decoration, EditorView, ViewPlugin, WidgetType, keymap, lineNumbers } from '@codemirror/view';
import example from '../../examples/primes.42S?raw';
import './style.css';

const core = await globalThis.OrrikeyCore();

// The page's text assembled a line at a time: each change re-assembles only
// the lines it replaced, and `assembled` holds each line's result, line i at
// index i - 1. An opened file comes with its lines assembled.
const live = new core.PageAssembly();
let assembled = [];
const opening = StateEffect.define();

class HexWidget extends WidgetType {
  constructor(hex) { super(); this.hex = hex; }
  eq(other) { return other.hex === this.hex; }
  toDOM() {
    const span = document.createElement('span');
    span.className = 'cm-hex';
    span.textContent = this.hex;
    return span;
  }
}

// The notation's parts: the instruction's name, numbers, quoted text and the
// comment after "@" (outside quotes).
const tokenPattern = /("[^"]*"?)|(@.*$)|(^\s*[^\s"@]+)|(-?\d[\d.]*(?:[ᴇEe]-?\d+)?)/gu;

function decorationsOf(view) {
  const builder = new RangeSetBuilder();
  for (const { from, to } of view.visibleRanges) {
    for (let at = from; at <= to;) {
      const line = view.state.doc.lineAt(at);
      const row = assembled[line.number - 1];
      if (row?.error) builder.add(line.from, line.from, Decoration.line({ class: 'cm-failed' }));
      for (const match of line.text.matchAll(tokenPattern)) {
        const kind = match[1] ? 'quoted' : match[2] ? 'comment' : match[3] ? 'name' : 'number';
        const start = line.from + match.index + (match[3] ? match[0].length - match[0].trimStart().length : 0);
        const end = line.from + match.index + match[0].length;
        if (end > start) builder.add(start, end, Decoration.mark({ class: `tok-${kind}` }));
      }
      if (row && (row.error || row.bytes.length > 0))
        builder.add(line.to, line.to, Decoration.widget({ widget: new HexWidget(row.hex), side: 1 }));
      at = line.to + 1;
    }
  }
  return builder.finish();
}

// The lines from the first a change touched to the last it wrote, in place
// of the lines it replaced.
function assembleChanges(update) {
  let from = Infinity, oldTo = 0, newTo = 0;
  update.changes.iterChangedRanges((fromA, toA, fromB, toB) => {
    from = Math.min(from, fromA);
    oldTo = Math.max(oldTo, toA);
    newTo = Math.max(newTo, toB);
  });
  const first = update.startState.doc.lineAt(from).number - 1;
  const count = update.startState.doc.lineAt(oldTo).number - first;
  const text = update.state.doc.sliceString(update.state.doc.line(first + 1).from,
                                            update.state.doc.lineAt(newTo).to);
  const lines = live.replace(first, count, text);
  if (lines.error) throw new Error(lines.error);
  assembled = assembled.slice(0, first).concat(lines, assembled.slice(first + count));
}

// The size and the INFO list look at the whole text, so they follow after a
// short pause in typing.
const summaryPauseMs = 150;
let summaryTimer = 0;

// An empty page says what it is and how to start.
const welcome = document.getElementById('welcome');

const programView = ViewPlugin.fromClass(class {
  constructor(view) {
    assembled = live.replace(0, 0, view.state.doc.toString());
    showInfo(live.summary());
    this.decorations = decorationsOf(view);
  }
  update(update) {
    if (update.docChanged) {
      welcome.hidden = update.state.doc.length > 0;
      const opened = update.transactions.flatMap((t) => t.effects.filter((e) => e.is(opening)));
      if (opened.length === 0) {
        assembleChanges(update);
        clearTimeout(summaryTimer);
        summaryTimer = setTimeout(() => showInfo(live.summary()), summaryPauseMs);
      }
    }
    if (update.docChanged || update.viewportChanged) this.decorations = decorationsOf(update.view);
  }
}, { decorations: (plugin) => plugin.decorations });

const sizeLabel = document.getElementById('size');
const info = document.getElementById('info');
const status = document.getElementById('status');

// A long file name ends in an ellipsis in the header; its tooltip has it all.
function showStatus(text) {
  status.textContent = text;
  status.title = text;
}

// The INFO list: a listing's refused lines, then the lines that do not
// convert. The assembly has a line for each line of the page, so a failure
// goes to its own line, and a refused line to the page line after it.
function showInfo(summary, refused = []) {
  info.replaceChildren();
  const after = (line) => assembled.findIndex((l) => l.line > line);
  const failed = [...refused.map((r) => ({ index: after(r.line), message: r.message })), ...summary.failed];
  for (const failure of failed) {
    const item = document.createElement('li');
    item.textContent = failure.message;
    item.addEventListener('click', () => goToLine(failure.index < 0 ? Infinity : failure.index + 1));
    info.append(item);
  }
  sizeLabel.textContent = summary.failures > 0 ? '' : summary.size;
}

function goToLine(number) {
  const line = view.state.doc.line(Math.min(Math.max(number, 1), view.state.doc.lines));
  view.dispatch({ selection: { anchor: line.from, head: line.to }, scrollIntoView: true });
  view.focus();
}

const view = new EditorView({
  parent: document.getElementById('editor'),
  state: EditorState.create({
    doc: '',
    extensions: [
      lineNumbers(), history(), keymap.of([...defaultKeymap, ...historyKeymap]),
      EditorView.contentAttributes.of({ 'aria-label': 'Program text' }),
      programView,
      // A pasted listing goes in as program lines, as the editor pastes it.
      EditorView.clipboardInputFilter.of((text) => {
        const pasted = core.readPasted(text.replace(/\r\n?/g, '\n'));
        if (pasted.error) {
          showStatus(pasted.error);
          return '';
        }
        if (pasted.refused) showStatus(pasted.refused);
        return pasted.text;
      }),
    ],
  }),
});

// A file as the desktop opens it; its messages and a listing's refused
// lines stay listed until the text changes.
async function openFile(file) {
  const opened = live.open(file.name, new Uint8Array(await file.arrayBuffer()), 'any');
  if (opened.error) {
    showStatus(opened.error);
    return;
  }
  // Its messages name the file's own lines, as on the desktop.
  assembled = opened.lines;
  clearTimeout(summaryTimer);
  view.dispatch({
    changes: { from: 0, to: view.state.doc.length, insert: opened.text.replaceAll('\r\n', '\n') },
    effects: opening.of(null),
  });
  showInfo(live.summary(), opened.refused);
  showStatus(opened.decodeError || `${file.name} (${opened.form})`);
  fileStem = file.name.replace(/\.[^.]*$/, '') || 'program';
}

let fileStem = 'program';
document.getElementById('example').addEventListener('click', () => {
  view.dispatch({ changes: { from: 0, to: view.state.doc.length, insert: example.replaceAll('\r\n', '\n') } });
  showStatus('primes.42S (an example)');
  fileStem = 'primes';
  view.focus();
});
// A button of its own, so that the keyboard reaches it as any other.
document.getElementById('open-button').addEventListener('click', () => document.getElementById('open').click());
document.getElementById('open').addEventListener('change', (event) => {
  if (event.target.files[0]) openFile(event.target.files[0]);
  event.target.value = '';
});
document.addEventListener('dragover', (event) => event.preventDefault());
document.addEventListener('drop', (event) => {
  event.preventDefault();
  if (event.dataTransfer.files[0]) openFile(event.dataTransfer.files[0]);
});

function download(name, bytes, type) {
  const link = document.createElement('a');
  link.href = URL.createObjectURL(new Blob([bytes], { type }));
  link.download = name;
  link.click();
  setTimeout(() => URL.revokeObjectURL(link.href), 0);
}

// Raw files and listings are written only when every line converts.
function exported() {
  const program = core.exportProgram(view.state.doc.toString());
  if (program.failures > 0) showStatus(`Not written: ${program.failures} line(s) do not convert`);
  return program.failures > 0 ? null : program;
}

document.getElementById('save-raw').addEventListener('click', () => {
  const program = exported();
  if (program) download(`${fileStem}.raw`, program.raw, 'application/octet-stream');
});
document.getElementById('save-text').addEventListener('click', () =>
  download(`${fileStem}.42S`, view.state.doc.toString().replaceAll('\n', '\r\n'), 'text/plain;charset=utf-8'));
document.getElementById('save-listing').addEventListener('click', () => {
  const program = exported();
  if (program) download(`${fileStem}.txt`, program.listing, 'text/plain;charset=utf-8');
});
document.getElementById('copy-listing').addEventListener('click', async () => {
  const program = exported();
  if (program) {
    await navigator.clipboard.writeText(program.listing);
    showStatus('Listing copied');
  }
});

// The calculator's characters that a keyboard lacks, typed at the cursor.
const picker = document.getElementById('picker');
const pickerButton = document.getElementById('characters');
for (const character of core.calculatorCharacters()) {
  const button = document.createElement('button');
  button.textContent = character;
  button.title = `U+${character.codePointAt(0).toString(16).toUpperCase().padStart(4, '0')}`;
  // The editor keeps the focus and its selection.
  button.addEventListener('mousedown', (event) => event.preventDefault());
  button.addEventListener('click', () => {
    view.dispatch(view.state.replaceSelection(character));
    view.focus();
  });
  picker.append(button);
}
pickerButton.addEventListener('mousedown', (event) => event.preventDefault());
pickerButton.addEventListener('click', () => {
  picker.hidden = !picker.hidden;
  pickerButton.setAttribute('aria-expanded', String(!picker.hidden));
});

// Once loaded, the page opens again offline.
if (import.meta.env.PROD && 'serviceWorker' in navigator) navigator.serviceWorker.register('./service-worker.js');
