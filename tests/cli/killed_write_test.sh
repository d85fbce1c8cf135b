#!/usr/bin/env bash
# orrikey-cli killed while it writes -o: the next run puts the file back whole.
# Under strace, a system call of the write waits long enough to kill the
# writer right there; without strace, those checks are skipped. Also: a
# writable file of another user in a sticky folder, written as nobody.
# usage: killed_write_test.sh ORRIKEY_CLI SOURCE_DIR
source "$(dirname "$0")/checks.sh"

pending=$XDG_STATE_HOME/orrikey/pending
entries() { ls -A "$pending" 2> /dev/null | wc -l; }
temporary_names() { ls -A "$1" | grep -c '^\.orrikey'; }

head -c 500000 /dev/zero | tr '\0' '\167' > "$work/big.raw"
"$cli" decode --format listing "$work/big.raw" -o "$work/new.txt"

# kill_during SYSCALLS READY OUTPUT: runs decode -o OUTPUT with the first of
# the system calls held back, and kills it once the command READY succeeds.
kill_during() {
  strace -f -o /dev/null -e inject="$1":delay_enter=30000000:when=1 \
    bash -c 'echo $$ > "$0"; exec "$@"' "$work/pid" \
    "$cli" decode --format listing "$work/big.raw" -o "$3" 2> /dev/null &
  local tracer=$! tries=0
  until eval "$2" || [ $((tries += 1)) -gt 400 ]; do sleep 0.05; done
  local writer
  writer=$(cat "$work/pid")
  kill -KILL "$writer"
  # strace sleeps out the delay of a writer that is gone.
  kill -KILL "$tracer"
  { wait "$tracer"; } 2> /dev/null
  # Dead once it holds no files: gone, or a zombie.
  tries=0
  while [ -e "/proc/$writer" ] && [ "$(cut -d' ' -f3 "/proc/$writer/stat" 2> /dev/null)" != Z ] &&
    [ $((tries += 1)) -le 400 ]; do sleep 0.01; done
}

if command -v strace > /dev/null && strace -o /dev/null true 2> /dev/null; then
  # A file with two names is overwritten in place: killed before the file is
  # cut to its new length, it holds the new content, then the old one's tail.
  mkdir "$work/linked"
  out=$work/linked/out.txt
  head -c 6000000 /dev/zero | tr '\0' x > "$out"
  cp "$out" "$work/old.txt"
  ln "$out" "$work/linked/twin.txt"
  kill_during ftruncate 'cmp -s -n 4096 "$out" "$work/new.txt"' "$out"
  check "killed in place: the file is half written" "1 1" \
    "$(cmp -s "$out" "$work/old.txt"; echo -n "$? "; cmp -s "$out" "$work/new.txt"; echo $?)"
  check "killed in place: the journal keeps the old content" 1 "$(entries)"
  expect "the next run restores it" 0 CLX \
    "orrikey-cli: \"$out\" was restored to its content before a write that was cut short" \
    decode --hex 77 -o -
  check "restored whole" same "$(cmp -s "$out" "$work/old.txt" && echo same)"
  check "both names restored" "$(stat -c %i "$out") 2" "$(stat -c '%i %h' "$work/linked/twin.txt")"
  check "restored: the journal is empty" 0 "$(entries)"

  # A file with one name is replaced: killed before the rename, the new file
  # has a name of its own beside it.
  mkdir "$work/plain"
  out=$work/plain/out.txt
  cp "$work/old.txt" "$out"
  kill_during rename,renameat,renameat2 '[ "$(temporary_names "$work/plain")" = 1 ]' "$out"
  check "killed before the rename: a temporary name is left" 1 "$(temporary_names "$work/plain")"
  expect "the next run removes it, and says nothing" 0 CLX "" decode --hex 77 -o -
  check "removed: the old file alone" "out.txt" "$(ls -A "$work/plain")"
  check "removed: the file is as it was" same "$(cmp -s "$out" "$work/old.txt" && echo same)"
  check "removed: the journal is empty" 0 "$(entries)"
else
  echo "strace cannot run here: the checks of a killed write are skipped"
fi

# An in-place write keeps the old content in the journal alone.
mkdir "$work/linked-too"
printf old > "$work/linked-too/p.42S"
ln "$work/linked-too/p.42S" "$work/linked-too/twin.42S"
TMPDIR=/nonexistent expect "TMPDIR plays no part" 0 "" "" decode --hex 77 -o "$work/linked-too/p.42S"
check "TMPDIR plays no part: the file is written" CLX "$(cat "$work/linked-too/twin.42S")"

# In a sticky folder only a file's owner may replace it; another user who may
# write the file has it overwritten in place.
if [ "$(id -u)" = 0 ] && command -v setpriv > /dev/null; then
  chmod 711 "$work"
  mkdir -m 1777 "$work/sticky"
  printf old > "$work/sticky/p.42S"
  chmod 666 "$work/sticky/p.42S"
  inode=$(stat -c %i "$work/sticky/p.42S")
  setpriv --reuid=nobody --regid=nogroup --clear-groups \
    env XDG_STATE_HOME="$work/sticky/state" "$cli" decode --hex 77 -o "$work/sticky/p.42S" \
    > "$work/out" 2> "$work/err"
  check "sticky folder: exit status" 0 $?
  check "sticky folder: standard error" "" "$(cat "$work/err")"
  check "sticky folder: new content, same file" "CLX $inode root" \
    "$(cat "$work/sticky/p.42S") $(stat -c '%i %U' "$work/sticky/p.42S")"
  check "sticky folder: nothing left beside it" "p.42S state" "$(ls -A "$work/sticky" | tr '\n' ' ' | sed 's/ $//')"
else
  echo "not root, or no setpriv: the sticky folder's checks are skipped"
fi

finish "killed_write"
