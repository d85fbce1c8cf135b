" HP-42S program text: "@" starts a comment. In Neovim, the language server
" of orrikey-cli checks each line as it is typed; one server serves every
" buffer.
if exists('b:did_ftplugin')
  finish
endif
let b:did_ftplugin = 1

setlocal commentstring=@\ %s comments=:@
let b:undo_ftplugin = 'setlocal commentstring< comments<'

if has('nvim-0.5') && executable('orrikey-cli')
  lua << EOF
  local id = vim.g.orrikey_lsp_client
  if not (id and vim.lsp.get_client_by_id(id)) then
    id = vim.lsp.start_client({ name = 'orrikey', cmd = { 'orrikey-cli', 'lsp' },
                                root_dir = vim.fn.getcwd() })
    vim.g.orrikey_lsp_client = id
  end
  if id then vim.lsp.buf_attach_client(0, id) end
EOF
endif
