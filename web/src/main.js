// The page: program text on the left, each line's hex beside it, the size,
// and the lines that do not convert marked and listed. Every conversion is
// the core's, run here as WebAssembly; nothing leaves the machine.

import { defaultKeymap, history, historyKeymap } from '@codemirror/commands';
import { EditorState, RangeSetBuilder, StateEffect, StateField } from '@codemirror/state';
import { Decoration, EditorView, ViewPlugin, WidgetType, keymap, lineNumbers } from '@codemirror/view';
import './style.css';

const core = await globalThis.OrrikeyCore();

// The assembled text, kept in the state so that the views below read the
// same result the size and the INFO list show.
const setAssembly = StateEffect.define();
const assemblyField = StateField.define({
  create: () => null,
  update: (value, transaction) => {
    for (const effect of transaction.effects) if (effect.is(setAssembly)) return effect.value;
    return value;
  },
});

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
  const assembly = view.state.field(assemblyField);
  const builder = new RangeSetBuilder();
  for (const { from, to } of view.visibleRanges) {
    for (let at = from; at <= to;) {
      const line = view.state.doc.lineAt(at);
      const assembled = assembly?.lines[line.number - 1];
      if (assembled?.error) builder.add(line.from, line.from, Decoration.line({ class: 'cm-failed' }));
      for (const match of line.text.matchAll(tokenPattern)) {
        const kind = match[1] ? 'quoted' : match[2] ? 'comment' : match[3] ? 'name' : 'number';
        const start = line.from + match.index + (match[3] ? match[0].length - match[0].trimStart().length : 0);
        const end = line.from + match.index + match[0].length;
        if (end > start) builder.add(start, end, Decoration.mark({ class: `tok-${kind}` }));
      }
      if (assembled && (assembled.error || assembled.bytes.length > 0))
        builder.add(line.to, line.to, Decoration.widget({ widget: new HexWidget(assembled.hex), side: 1 }));
      at = line.to + 1;
    }
  }
  return builder.finish();
}

const programView = ViewPlugin.fromClass(class {
  constructor(view) { this.decorations = decorationsOf(view); }
  update(update) {
    if (update.docChanged || update.viewportChanged ||
        update.transactions.some((t) => t.effects.some((e) => e.is(setAssembly))))
      this.decorations = decorationsOf(update.view);
  }
}, { decorations: (plugin) => plugin.decorations });

const sizeLabel = document.getElementById('size');
const info = document.getElementById('info');
const status = document.getElementById('status');

// The INFO list: a listing's refused lines, then the lines that do not
// convert. The assembly has a line for each line of the page, so a failure
// goes to its own line, and a refused line to the page line after it.
function showInfo(assembly, refused = []) {
  info.replaceChildren();
  const after = (line) => assembly.lines.findIndex((l) => l.line > line);
  const failed = [...refused.map((r) => ({ index: after(r.line), message: r.message })),
                  ...assembly.lines.flatMap((l, index) => (l.error ? [{ index, message: l.message }] : []))];
  for (const failure of failed) {
    const item = document.createElement('li');
    item.textContent = failure.message;
    item.addEventListener('click', () => goToLine(failure.index < 0 ? Infinity : failure.index + 1));
    info.append(item);
  }
  sizeLabel.textContent = `{ ${assembly.size}-Byte Prgm }`;
}

function goToLine(number) {
  const line = view.state.doc.line(Math.min(Math.max(number, 1), view.state.doc.lines));
  view.dispatch({ selection: { anchor: line.from, head: line.to }, scrollIntoView: true });
  view.focus();
}

function reassemble() {
  const assembly = core.assemble(view.state.doc.toString());
  view.dispatch({ effects: setAssembly.of(assembly) });
  showInfo(assembly);
}

const view = new EditorView({
  parent: document.getElementById('editor'),
  state: EditorState.create({
    doc: '',
    extensions: [
      lineNumbers(), history(), keymap.of([...defaultKeymap, ...historyKeymap]),
      assemblyField, programView,
      // An opened file comes with its assembly, whose messages name the
      // file's own lines, as on the desktop.
      EditorView.updateListener.of((update) => {
        if (update.docChanged && !update.transactions.some((t) => t.effects.some((e) => e.is(setAssembly))))
          reassemble();
      }),
    ],
  }),
});
reassemble();

// A file as the desktop opens it; its messages and a listing's refused
// lines stay listed until the text changes.
async function openFile(file) {
  const opened = core.open(file.name, new Uint8Array(await file.arrayBuffer()), 'any');
  if (opened.error) {
    status.textContent = opened.error;
    return;
  }
  view.dispatch({
    changes: { from: 0, to: view.state.doc.length, insert: opened.text.replaceAll('\r\n', '\n') },
    effects: setAssembly.of(opened),
  });
  showInfo(opened, opened.refused);
  status.textContent = opened.decodeError || `${file.name} (${opened.form})`;
  fileStem = file.name.replace(/\.[^.]*$/, '') || 'program';
}

let fileStem = 'program';
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
  if (program.failures > 0) status.textContent = `Not written: ${program.failures} line(s) do not convert`;
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
    status.textContent = 'Listing copied';
  }
});
