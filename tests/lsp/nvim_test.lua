-- Neovim's language client against `orrikey-cli lsp`: diagnostics on opening
-- and after an edit, then each request at a position after "▸" or "÷".
-- Lines (from 0): 0 LBL "÷Σ", 1 ▸LBL 01, 2 GTO 01, 3 FOO, 4 STO÷ ST X,
-- 5 XEQ "÷Σ", 6 END.

local failures = {}
local function check(what, ok, got)
  if not ok then table.insert(failures, what .. ": got " .. vim.inspect(got)) end
end

local function finish()
  for _, failure in ipairs(failures) do io.stderr:write("FAIL: " .. failure .. "\n") end
  vim.cmd(#failures == 0 and "qall!" or "cquit!")
end

local function errors()
  return vim.diagnostic.get(0, { severity = vim.diagnostic.severity.ERROR })
end

vim.cmd("edit " .. vim.fn.fnameescape(os.getenv("ORRIKEY_PROGRAM")))
local client = vim.lsp.start_client({
  cmd = { os.getenv("ORRIKEY_CLI"), "lsp", "--log", os.getenv("ORRIKEY_LOG") },
  root_dir = vim.fn.fnamemodify(os.getenv("ORRIKEY_PROGRAM"), ":h"),
})
vim.lsp.buf_attach_client(0, client)

vim.wait(10000, function() return #errors() > 0 end)
local found = errors()
check("the unknown instruction is an error", #found == 1 and found[1].lnum == 3 and found[1].col == 0, found)

vim.api.nvim_buf_set_lines(0, 3, 4, false, { "CLX" })
check("the mended line leaves no error", vim.wait(10000, function() return #errors() == 0 end), errors())

local uri = vim.uri_from_bufnr(0)
local function ask(method, line, character, extra)
  local params = { textDocument = { uri = uri }, position = { line = line, character = character } }
  for key, value in pairs(extra or {}) do params[key] = value end
  local answer = vim.lsp.get_client_by_id(client).request_sync(method, params, 10000, 0)
  if not answer or answer.err then
    check(method .. " answers", false, answer)
    return nil
  end
  return answer.result
end

local hover = ask("textDocument/hover", 4, 6)
check("hover after ÷ tells the program's size",
      hover and hover.contents.value:find("Byte Prgm", 1, true) ~= nil, hover)

local items = ask("textDocument/completion", 4, 6) or {}
local first = items[1] or items.items and items.items[1]
check("completion after ÷ replaces from the word's start",
      first and first.textEdit.range.start.character == 5, items)

local definition = ask("textDocument/definition", 5, 6)
definition = definition and (definition.range and definition or definition[1])
check("the definition of the label after ÷", definition and definition.range.start.line == 0, definition)

local references = ask("textDocument/references", 1, 5, { context = { includeDeclaration = true } }) or {}
local lines = vim.tbl_map(function(location) return location.range.start.line end, references)
check("the references of the label after ▸", vim.deep_equal(lines, { 1, 2 }), references)

local rename = ask("textDocument/rename", 5, 6, { newName = "\"AB\"" })
local edits = rename and rename.changes and rename.changes[uri] or {}
local texts = vim.tbl_map(function(edit) return edit.newText end, edits)
check("rename rewrites the label and its call", vim.deep_equal(texts, { 'LBL "AB"', 'XEQ "AB"' }), rename)

local symbols = ask("textDocument/documentSymbol", 0, 0) or {}
check("the program is named after its global label with its labels below",
      #symbols == 1 and symbols[1].name == '"÷Σ"' and #symbols[1].children == 2, symbols)

finish()
