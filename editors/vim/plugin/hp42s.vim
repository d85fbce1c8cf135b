" Raw program files open as program text: orrikey-cli decodes them as they
" are read and encodes the text as it is written, so the file on disk stays
" the calculator's bytes. orrikey-cli writes the file itself, whole or not
" at all, and writes nothing when a line does not convert.
if exists('g:loaded_hp42s_raw')
  finish
endif
let g:loaded_hp42s_raw = 1

" Runs orrikey-cli with the arguments and the lines as standard input; gives
" its standard output, standard error and exit status.
function! s:Run(arguments, input) abort
  if !executable('orrikey-cli')
    return [[], ['orrikey-cli is not installed or not on the PATH'], 2]
  endif
  let errors = tempname()
  let command = 'orrikey-cli ' . join(map(copy(a:arguments), 'shellescape(v:val)')) .
        \ ' 2>' . shellescape(errors)
  let out = systemlist(command, a:input)
  let status = v:shell_error
  let messages = filereadable(errors) ? readfile(errors) : []
  call delete(errors)
  return [out, messages, status]
endfunction

function! s:Say(highlight, messages) abort
  execute 'echohl' a:highlight
  for message in a:messages
    echomsg message
  endfor
  echohl None
endfunction

function! s:Read(file) abort
  let [text, messages, status] = s:Run(['decode', '--format', 'text', a:file], [])
  " An empty buffer written back would lose the program: make that take a !.
  let &l:readonly = status == 2 && filereadable(a:file)
  let undolevels = &undolevels
  setlocal undolevels=-1
  silent %delete _
  call setline(1, text)
  let &l:undolevels = undolevels
  setlocal nomodified fileformat=unix fileencoding=utf-8
  setfiletype hp42s
  " Bytes that stop mid-instruction still give their text, with status 1.
  if status != 0 && filereadable(a:file)
    call s:Say('WarningMsg', messages)
  endif
endfunction

" :read of a raw file puts its program text where :read puts lines: Vim
" reads the bytes as lines first, between the marks '[ and '], and their
" text takes their place.
function! s:ReadInto(file) abort
  let [text, messages, status] = s:Run(['decode', '--format', 'text', a:file], [])
  if status == 2
    call s:Say('ErrorMsg', messages)
  endif
  if getfsize(a:file) <= 0 || status == 2
    return
  endif
  let first = line("'[")
  silent execute first . ',' . line("']") . 'delete _'
  call append(first - 1, text)
  if status != 0
    call s:Say('WarningMsg', messages)
  endif
endfunction

" A buffer counts as written only when all of it went to its own file.
function! s:Write(file, first, last) abort
  let [_, messages, status] = s:Run(['encode', '-', '-o', a:file], getline(a:first, a:last))
  if status != 0
    call s:Say('ErrorMsg', ['"' . a:file . '" not written'] + messages)
    return
  endif
  let whole = a:first == 1 && a:last == line('$')
  if whole && fnamemodify(a:file, ':p') ==# expand('%:p')
    setlocal nomodified
  endif
  call s:Say('None', ['"' . a:file . '" ' . join(messages, ' ')])
endfunction

augroup hp42s_raw
  autocmd!
  autocmd BufReadCmd *.raw call s:Read(expand('<afile>'))
  autocmd FileReadPost *.raw call s:ReadInto(expand('<afile>'))
  autocmd BufWriteCmd *.raw call s:Write(expand('<afile>'), 1, line('$'))
  autocmd FileWriteCmd *.raw call s:Write(expand('<afile>'), line("'["), line("']"))
augroup END
