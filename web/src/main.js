// The page: program text on the left, each line's hex beside it, the
// programs and their labels beside that, and what is wrong marked in the
// text and listed below it. Every conversion and every answer about the
// text is the core's editing model, run here as WebAssembly; nothing leaves
// the machine.

import { autocompletion } from '@codemirror/autocomplete';
import { defaultKeymap, history, historyKeymap } from '@codemirror/commands';
import { lintGutter, lintKeymap, setDiagnostics } from '@codemirror/lint';
import { EditorState, Prec, RangeSetBuilder, StateEffect } from '@codemirror/state';
import {
  Decoration, EditorView, ViewPlugin, WidgetType, hoverTooltip, keymap, lineNumbers,
} from '@codemirror/view';
import example from '../../examples/primes.42S?raw';
import './style.css';

const core = await globalThis.OrrikeyCore();

// The page's text in the core's model, which numbers lines from 0 where the
// view numbers them from 1. Each change hands it only the lines it
// replaced; `rows` holds each line's bytes and hex row, line i at index
// i - 1. An opened file comes with its lines read.
const model = new core.ProgramModel();
let rows = [];
const opening = StateEffect.define();
// A listing's lines refused on opening, listed until the text changes.
let refusedOnOpening = [];

// The model counts characters, the view UTF-16 units: two for a character
// past U+FFFF.
function offsetOf(text, column) {
  let offset = 0;
  for (let c = 0; c < column && offset < text.length; ++c) offset += text.codePointAt(offset) > 0xffff ? 2 : 1;
  return offset;
}

function columnOf(text, offset) {
  let column = 0;
  for (let at = 0; at < offset; ++column) at += text.codePointAt(at) > 0xffff ? 2 : 1;
  return column;
}

const caretLine = (state) => state.doc.lineAt(state.selection.main.head);

// The hex is drawn by the style sheet from an attribute, not held as text:
// a browser that edits across the widget itself (select all, then type)
// could otherwise leave the widget's text in the line the editor reads back.
class HexWidget extends WidgetType {
  constructor(hex) { super(); this.hex = hex; }
  eq(other) { return other.hex === this.hex; }
  toDOM() {
    const span = document.createElement('span');
    span.className = 'cm-hex';
    span.dataset.hex = this.hex;
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
      const row = rows[line.number - 1];
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
function readChanges(update) {
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
  const lines = model.replace(first, count, text);
  if (lines.error) throw new Error(lines.error);
  rows = rows.slice(0, first).concat(lines, rows.slice(first + count));
}

// An empty page says what it is and how to start.
const welcome = document.getElementById('welcome');

// What looks at the whole text follows each change once the change is in
// the view, which takes the diagnostics as a change of its own; so do the
// marks, when the view scrolls past the lines marked.
let refreshing = false;
let textChanged = false;
function refreshSoon(view, changed) {
  textChanged ||= changed;
  if (refreshing) return;
  refreshing = true;
  queueMicrotask(() => {
    refreshing = false;
    refresh(view);
  });
}

const programView = ViewPlugin.fromClass(class {
  constructor(view) {
    rows = model.replace(0, 1, view.state.doc.toString());
    this.decorations = decorationsOf(view);
    refreshSoon(view, true);
  }
  update(update) {
    if (update.docChanged) {
      welcome.hidden = update.state.doc.length > 0;
      if (!update.transactions.some((t) => t.effects.some((e) => e.is(opening)))) {
        readChanges(update);
        if (refusedOnOpening.length > 0) shown = null;
        refusedOnOpening = [];
      }
      refreshSoon(update.view, true);
    } else if (update.viewportChanged && markedLines && !inMarkedLines(update.view)) {
      refreshSoon(update.view, false);
    }
    if (update.docChanged || update.selectionSet) showPlace(update.state);
    if (update.docChanged || update.viewportChanged) this.decorations = decorationsOf(update.view);
  }
}, { decorations: (plugin) => plugin.decorations });

const status = document.getElementById('status');

// A long file name ends in an ellipsis in the header; its tooltip has it all.
function showStatus(text) {
  status.textContent = text;
  status.title = text;
}

// Selects the line, or from `column` to `end` with the caret at `column`.
function goTo(number, column, end) {
  const line = view.state.doc.line(Math.min(Math.max(number, 1), view.state.doc.lines));
  const selection = column === undefined ? { anchor: line.from, head: line.to }
    : { anchor: line.from + offsetOf(line.text, end), head: line.from + offsetOf(line.text, column) };
  view.dispatch({ selection, scrollIntoView: true });
  view.focus();
}

// Rewrites a line whole, as a fix or a rename gives it.
const lineEdit = (doc, line, text) => ({ from: doc.line(line + 1).from, to: doc.line(line + 1).to, insert: text });

function writeLine(view, line, text) {
  view.dispatch({ changes: lineEdit(view.state.doc, line, text), userEvent: 'fix' });
  view.focus();
}

const fixName = (fix) => `Write it as ${fix.trim()}`;

// The model's diagnostics as the view marks them; a note reads as CodeMirror's "info".
function marked(doc, found) {
  return found.filter((d) => d.line < doc.lines).map((d) => {
    const line = doc.line(d.line + 1);
    const diagnostic = {
      from: line.from + offsetOf(line.text, d.begin),
      to: line.from + offsetOf(line.text, d.end),
      severity: d.severity === 'note' ? 'info' : d.severity,
      message: d.message,
    };
    if (d.fix !== undefined) {
      diagnostic.actions = [{
        name: fixName(d.fix),
        apply: (view, from) => writeLine(view, view.state.doc.lineAt(from).number - 1, d.fix),
      }];
    }
    return diagnostic;
  });
}

// The diagnostics last shown; nothing when they are to be shown anew. The
// model hands back the same array while they stay the same.
let shown = null;

// A text with thousands of diagnostics has the view mark only those of the
// lines around the ones in view, so that a keystroke stays quick; the marks
// follow the view as it scrolls, and the list below names them all.
const markAllUpTo = 2000;
const markMargin = 200;
let markedLines = null;  // [first, end) of the lines marked, or null when all are

function viewLines(view) {
  return [view.state.doc.lineAt(view.viewport.from).number - 1, view.state.doc.lineAt(view.viewport.to).number];
}

function inMarkedLines(view) {
  const [first, end] = viewLines(view);
  return first >= markedLines[0] && end <= markedLines[1];
}

function mark(view) {
  let found = shown;
  markedLines = null;
  if (found.length > markAllUpTo) {
    const [first, end] = viewLines(view);
    markedLines = [Math.max(first - markMargin, 0), end + markMargin];
    found = found.filter((d) => d.line >= markedLines[0] && d.line < markedLines[1]);
  }
  view.dispatch(setDiagnostics(view.state, marked(view.state.doc, found)));
}

// The list below the text: what is wrong (the refused lines of an opened
// listing and the errors first, then at most a hundred warnings and notes,
// as on the desktop), or the jumps to a label, or a line's help, until the
// text changes.
const info = document.getElementById('info');
const infoTitle = document.getElementById('info-title');
const infoBack = document.getElementById('info-back');
const mostWarningsListed = 100;
let problemsShown = true;

function listItem(text, go, kind, fix) {
  const item = document.createElement('li');
  if (kind) item.className = kind;
  const button = document.createElement('button');
  button.className = 'go';
  button.textContent = text;
  button.addEventListener('click', go);
  item.append(button);
  if (fix) {
    const write = document.createElement('button');
    write.className = 'fix';
    write.textContent = fixName(fix.text);
    write.addEventListener('click', () => writeLine(view, fix.line, fix.text));
    item.append(' ', write);
  }
  return item;
}

function showList(title, items) {
  infoTitle.textContent = title;
  infoBack.hidden = problemsShown;
  info.replaceChildren(...items);
}

function showProblems(found) {
  problemsShown = true;
  // A refused listing line goes to the page line after it: its line is not in the text.
  const after = (line) => rows.findIndex((r) => r.line > line);
  const errors = refusedOnOpening.map((r) => listItem(r.message, () => goTo(after(r.line) + 1 || Infinity), 'error'));
  const others = [];
  let unlisted = 0;
  for (const d of found) {
    const go = () => goTo(d.line + 1, d.begin, d.end);
    if (d.severity === 'error') {
      // A line that converts errs only by what the target lacks.
      errors.push(listItem(d.failure ?? `Line: ${d.sourceLine} error: ${d.message}`, go, 'error'));
    } else if (others.length < mostWarningsListed) {
      const fix = d.fix === undefined ? undefined : { line: d.line, text: d.fix };
      others.push(listItem(`Line: ${d.sourceLine} ${d.severity}: ${d.message}`, go, d.severity, fix));
    } else {
      ++unlisted;
    }
  }
  const items = [...errors, ...others];
  if (unlisted > 0) {
    const more = document.createElement('li');
    more.textContent = `and ${unlisted} more warnings and notes`;
    items.push(more);
  }
  showList(items.length > 0 ? 'Problems' : 'No problems', items);
}

infoBack.addEventListener('click', () => {
  showProblems(shown);
  view.focus();
});

// The caret's line and column (in characters), its program, step and byte,
// and the program's size beside the whole text's; no size while a line does
// not convert.
const place = document.getElementById('place');
const sizeLabel = document.getElementById('size');
const totalLabel = document.getElementById('total');

function showPlace(state) {
  const line = caretLine(state);
  const at = model.place(line.number - 1);
  let text = `Line ${line.number}, Col ${columnOf(line.text, state.selection.main.head - line.from) + 1}`;
  if (at.program !== undefined) {
    text += `   ${at.name}`;
    if (at.step > 0) text += `, step ${String(at.step).padStart(2, '0')}`;
    text += `, byte ${at.offset}`;
  }
  place.textContent = text;
  const converts = model.errorCount() === 0;
  sizeLabel.textContent = converts && at.program !== undefined ? model.sizeOf(line.number - 1) : '';
  totalLabel.textContent = converts ? model.totalSize() : '';
}

// The programs and their labels, each a way to its line. One tab stop: the
// arrow keys move among the items, Enter goes.
const tree = document.getElementById('programs');
let outlinedLabels = '';

function treeItem(level, line, name, details = []) {
  const item = document.createElement('div');
  item.setAttribute('role', 'treeitem');
  item.setAttribute('aria-level', String(level));
  item.tabIndex = -1;
  const parts = ['name', 'line', 'detail', 'needs'].slice(0, 2 + details.length).map((kind) => {
    const part = document.createElement('span');
    part.className = kind;
    return part;
  });
  parts[1].setAttribute('aria-hidden', 'true');
  item.append(...parts);
  setTreeItem(item, line, name, details);
  return item;
}

function setTreeItem(item, line, name, details = []) {
  item.dataset.line = String(line);
  item.children[0].textContent = name;
  item.children[1].textContent = String(line + 1);
  details.forEach((detail, i) => { item.children[2 + i].textContent = detail; });
  item.setAttribute('aria-label', [name, ...details, `line ${line + 1}`].join(', '));
}

// Its size and steps, then what it needs to run, in the command line's words.
const programDetails = (p) => [`{ ${p.size}-Byte Prgm }, ${p.steps} ${p.steps === 1 ? 'step' : 'steps'}`, p.needs];

function showOutline(outline) {
  const labels = JSON.stringify(outline.map((p) => p.labels));
  // Most changes leave the labels where they were and change a size at most.
  if (labels !== outlinedLabels) {
    outlinedLabels = labels;
    const focused = [...tree.children].indexOf(document.activeElement);
    const items = [];
    for (const program of outline) {
      items.push(treeItem(1, program.first, program.name, programDetails(program)));
      for (const label of program.labels) items.push(treeItem(2, label.line, `LBL ${label.name}`));
    }
    tree.replaceChildren(...items);
    if (items.length > 0) focusTreeItem(items[Math.min(Math.max(focused, 0), items.length - 1)], focused >= 0);
  } else {
    const items = tree.querySelectorAll('[aria-level="1"]');
    outline.forEach((program, p) => setTreeItem(items[p], program.first, program.name, programDetails(program)));
  }
}

// The item that takes the tab stop, and the focus when asked.
function focusTreeItem(item, focus) {
  for (const other of tree.querySelectorAll('[tabindex="0"]')) other.tabIndex = -1;
  item.tabIndex = 0;
  if (focus) item.focus();
}

tree.addEventListener('click', (event) => {
  const item = event.target.closest('[role="treeitem"]');
  if (!item) return;
  focusTreeItem(item, false);
  goTo(Number(item.dataset.line) + 1);
});
tree.addEventListener('keydown', (event) => {
  const items = [...tree.children];
  const at = items.indexOf(document.activeElement);
  if (at < 0) return;
  const to = { ArrowDown: at + 1, ArrowUp: at - 1, Home: 0, End: items.length - 1 }[event.key];
  if (to !== undefined) {
    focusTreeItem(items[Math.min(Math.max(to, 0), items.length - 1)], true);
  } else if (event.key === 'Enter' || event.key === ' ') {
    goTo(Number(items[at].dataset.line) + 1);
  } else {
    return;
  }
  event.preventDefault();
});

// Most keystrokes change no diagnostic, and then neither the marks nor the
// list are made again; any change of the text lists the problems again.
function refresh(view) {
  if (textChanged) {
    textChanged = false;
    const found = model.diagnostics();
    if (found !== shown) {
      shown = found;
      mark(view);
      showProblems(shown);
    } else if (!problemsShown) {
      showProblems(shown);
    }
    showOutline(model.outline());
    showPlace(view.state);
  }
  if (markedLines && !inMarkedLines(view)) mark(view);
}

// Completion from the model: typing "X<" offers "X≤Y?" by its ASCII
// spelling, so the words are offered as the model found them, unfiltered.
function complete(context) {
  const line = context.state.doc.lineAt(context.pos);
  const found = model.completions(line.number - 1, columnOf(line.text, context.pos - line.from));
  if (found.words.length === 0) return null;
  return {
    from: line.from + offsetOf(line.text, found.start),
    options: found.words.map((label) => ({ label })),
    filter: false,
  };
}

const helpOnHover = hoverTooltip((view, pos) => {
  const line = view.state.doc.lineAt(pos);
  const help = model.help(line.number - 1);
  if (help === undefined) return null;
  return {
    pos: line.from,
    end: line.to,
    above: true,
    create() {
      const dom = document.createElement('div');
      dom.className = 'cm-help';
      dom.textContent = help;
      return { dom };
    },
  };
});

// Going by labels, from the caret's line.
const noLabel = 'No label or jump to a label on this line';

function goToDefinition(view) {
  const line = caretLine(view.state).number - 1;
  const definition = model.definition(line);
  if (definition === undefined) showStatus(noLabel);
  else goTo(definition + 1);
  return true;
}

function listUses(view) {
  const line = caretLine(view.state).number - 1;
  const name = model.labelName(line);
  if (name === undefined) {
    showStatus(noLabel);
    return true;
  }
  const jumps = model.uses(line).slice(1);  // the label's own line first
  problemsShown = false;
  showList(`Jumps to label ${name}`, jumps.map((use) =>
    listItem(`Line: ${use + 1} ${view.state.doc.line(use + 1).text}`, () => goTo(use + 1))));
  showStatus(jumps.length === 0 ? `No jump reaches label ${name}`
    : `${jumps.length} jump(s) to label ${name}, listed below the text`);
  return true;
}

function showHelp(view) {
  const line = caretLine(view.state);
  const help = model.help(line.number - 1);
  problemsShown = false;
  const item = document.createElement('li');
  item.className = 'help';
  item.textContent = help ?? 'No help for this line';
  showList(`Help for line ${line.number}`, [item]);
  showStatus(help ?? 'No help for this line');
  return true;
}

// Renaming asks for the name in a dialog; the label and its jumps change in
// one edit, so one undo takes it back.
const renameDialog = document.getElementById('rename');
const renameName = document.getElementById('rename-name');
const renameRefusal = document.getElementById('rename-refusal');
let renaming = null;

function askRename(view) {
  const line = caretLine(view.state).number - 1;
  const name = model.labelName(line);
  if (name === undefined) {
    showStatus(noLabel);
    return true;
  }
  renaming = { line, name };
  document.getElementById('rename-title').textContent = `New name of label ${name}`;
  renameName.value = name;
  renameRefusal.textContent = '';
  renameDialog.showModal();
  renameName.select();
  return true;
}

renameDialog.querySelector('form').addEventListener('submit', (event) => {
  const typed = renameName.value.trim();
  if (event.submitter?.value === 'cancel' || typed === renaming.name) return;
  const result = model.rename(renaming.line, typed);
  if (result.refusal) {
    event.preventDefault();
    renameRefusal.textContent = result.refusal;
    renameName.focus();
    return;
  }
  const doc = view.state.doc;
  view.dispatch({ changes: result.edits.map((edit) => lineEdit(doc, edit.line, edit.text)), userEvent: 'rename' });
  showStatus(`Renamed ${renaming.name} to ${typed} on ${result.edits.length} line(s)`);
});
renameDialog.addEventListener('close', () => view.focus());

// The calculators the program is checked for, kept for the next visit: the
// HP-42S makes an error of each line of today's instructions.
const targetChoice = document.getElementById('target');
targetChoice.value = localStorage.getItem('orrikey.target') ?? 'today';
if (!targetChoice.value) targetChoice.value = 'today';
model.setTarget(targetChoice.value);
targetChoice.addEventListener('change', () => {
  localStorage.setItem('orrikey.target', targetChoice.value);
  model.setTarget(targetChoice.value);
  refreshSoon(view, true);
});

const view = new EditorView({
  parent: document.getElementById('editor'),
  state: EditorState.create({
    doc: '',
    extensions: [
      lineNumbers(), lintGutter(), history(),
      Prec.high(keymap.of([
        { key: 'F1', run: showHelp, preventDefault: true },
        { key: 'F2', run: askRename, preventDefault: true },
        { key: 'F12', run: goToDefinition, preventDefault: true },
        { key: 'Shift-F12', run: listUses, preventDefault: true },
      ])),
      keymap.of([...defaultKeymap, ...historyKeymap, ...lintKeymap]),
      EditorView.contentAttributes.of({
        'aria-label': 'Program text', 'aria-keyshortcuts': 'F1 F2 F8 F12 Shift+F12 Control+Space Control+Shift+M',
      }),
      programView,
      // Enter ends a line unless an offered word was chosen with the arrows.
      autocompletion({ override: [complete], icons: false, selectOnOpen: false }),
      helpOnHover,
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

// A file as the desktop opens it; a listing's refused lines stay listed
// until the text changes.
async function openFile(file) {
  const opened = model.open(file.name, new Uint8Array(await file.arrayBuffer()), 'any');
  if (opened.error) {
    showStatus(opened.error);
    return;
  }
  // Its messages name the file's own lines, as on the desktop.
  rows = opened.lines;
  refusedOnOpening = opened.refused;
  shown = null;
  view.dispatch({
    changes: { from: 0, to: view.state.doc.length, insert: opened.text.replaceAll('\r\n', '\n') },
    selection: { anchor: 0 },
    effects: opening.of(null),
  });
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
  const program = model.exportProgram();
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
