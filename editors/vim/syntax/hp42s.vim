" HP-42S program text and listings: one instruction per line, its operands,
" quoted texts, and comments. Every first word counts as an instruction:
" which names the calculator knows is the language server's and
" `orrikey-cli check`'s to say, so this file holds no list to fall behind.
if exists('b:current_syntax')
  finish
endif

syntax match hp42sInstruction /\%(^\s*\%(\d\+\s*\)\=▸\=\s*\)\@<=[^[:space:]"“@;▸]\+/
syntax match hp42sKeyword /\s\zs\%(TO\|GTO\|XEQ\)\ze\s/
syntax match hp42sIndirect /\<IND\>/
syntax match hp42sStack /\<ST\s\+[XYZTL]\>/
syntax match hp42sNumber /\%(^\|\s\|▸\)\@<=-\=\%(\d\+\%([.,]\d*\)\=\|[.,]\d\+\)\%([ᴇEe][-+]\=\d\+\)\=\ze\%(\s\|[@;]\|\/\/\|$\)/
syntax match hp42sLocalLabel /\%(\<\%(GTO\|XEQ\)\s\+\)\@<=[A-Ja-e]\>/
syntax match hp42sLabel /\<LBL\s\+\%("[^"]*"\|\d\+\|[A-Ja-e]\>\)/
syntax match hp42sLabelMark /▸/
" A listing's step numbers and header.
syntax match hp42sStep /^\s*\zs\d\+\ze\%(▸\|\s\+[^[:space:]@;]\)/
syntax match hp42sHeader /^\s*00 {\s*\d\+-Byte Prgm\s*}/
" A text runs to the first later quote that only blanks and a comment or the
" line's end follow, else to the line's last quote, so texts may hold quotes.
syntax match hp42sString /["“]\%(.\{-}["”]\%(\s*\%([@;]\|\/\/\|$\)\)\@=\|.*["”]\|.*\)/
syntax match hp42sComment /\%(@\|;\|\/\/\).*$/ contains=@Spell
syntax match hp42sComment /^\s*#.*$/ contains=@Spell
syntax match hp42sError /^Error in Hex Code$/

highlight default link hp42sInstruction Statement
highlight default link hp42sKeyword Statement
highlight default link hp42sIndirect Special
highlight default link hp42sStack Identifier
highlight default link hp42sNumber Number
highlight default link hp42sLocalLabel Label
highlight default link hp42sLabel Label
highlight default link hp42sLabelMark Label
highlight default link hp42sStep LineNr
highlight default link hp42sHeader PreProc
highlight default link hp42sString String
highlight default link hp42sComment Comment
highlight default link hp42sError Error

let b:current_syntax = 'hp42s'
