" HP-42S program text, and the calculator's listings: a .txt file is one
" only when it starts with the header the calculator writes, since plain
" notes share the extension. Raw files are read as text by plugin/hp42s.vim.
autocmd BufNewFile,BufRead *.42S,*.42s,*.hp42s,*.free42 setfiletype hp42s
autocmd BufRead *.txt
      \ if getline(1) =~# '^\s*00 {\s*\d\+-Byte Prgm\s*}' | set filetype=hp42s | endif
