#!/usr/bin/env bash
# Installs the build into a temporary prefix and starts the installed program
# headless from elsewhere, without the build's library paths: it must reach its
# event loop with the wizard up and say no failure, also with a registry file
# that is a FIFO, a folder, /dev/zero or damaged. A missing driver library, and
# one that is there but no library (the program itself), must be said (so the
# check would see one). Under a file-size limit smaller than the files it
# writes it must go on and say why the write failed.
# Usage: installed_program_test.sh <build folder> <scratch folder>
set -euo pipefail
build=$1
scratch=$2
rm -rf "$scratch"
mkdir -p "$scratch"
prefix=$scratch/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null
program=$prefix/bin/trelvane
[ -x "$program" ] || { echo "not installed: $program"; exit 1; }
failed=0

# The system calls a waiting event loop sits in: poll or ppoll.
case $(uname -m) in
  x86_64) loop_calls=" 7 271 " ;;
  aarch64) loop_calls=" 73 " ;;
  *) loop_calls="" ;;
esac
# Where a process's system call cannot be seen, being alive after 3 s counts.
cut -d' ' -f1 /proc/self/syscall >/dev/null 2>&1 || loop_calls=""

# Starts the program with the given environment settings (a command that runs
# it, such as prlimit, may follow them); waits until its main thread sits in its
# event loop or 20 s pass; then ends it. Leaves standard error in $scratch/said,
# taken through a pipe, which no file-size limit of the program's cuts short.
start() {
  rm -f "$scratch/said-pipe"
  mkfifo "$scratch/said-pipe"
  cat "$scratch/said-pipe" >"$scratch/said" &
  local reader=$!
  (cd / && exec env -u LD_LIBRARY_PATH QT_QPA_PLATFORM=offscreen HOME="$scratch" \
      XDG_CONFIG_HOME="$scratch/config" VSQ_REGISTRY="$scratch/absent-registry.txt" "$@" "$program" \
      >/dev/null 2>"$scratch/said-pipe") &
  local pid=$!
  waiting=1
  for _ in $(seq 100); do
    sleep 0.2
    kill -0 "$pid" 2>/dev/null || break
    if [ -z "$loop_calls" ]; then
      sleep 3
      kill -0 "$pid" 2>/dev/null && waiting=0
      break
    fi
    local call
    call=$(cut -d' ' -f1 "/proc/$pid/syscall" 2>/dev/null || true)
    case $loop_calls in *" $call "*) waiting=0; break ;; esac
  done
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  wait "$reader"
}

expect() { # <what> <condition...>
  local what=$1
  shift
  if ! "$@"; then
    echo "FAILED: $what"
    sed 's/^/  said: /' "$scratch/said"
    failed=1
  fi
}
said() { grep -qF -- "$1" "$scratch/said"; }
quiet() { ! grep -q "VSQ5540 Evaluation Software:" "$scratch/said"; }
reached() { [ "$waiting" = 0 ]; }

start
expect "starts from the prefix and reaches its window" reached
expect "says no failure" quiet

mkfifo "$scratch/fifo"
mkdir "$scratch/folder"
printf '[SOFTWARE\\Key]\nnot a value line\nGood\td\t1\n' >"$scratch/damaged.txt"
# A file left in /dev by an earlier build may be there already: what counts is
# that these runs write none.
touch "$scratch/before-devices"
rm -f "$scratch/ReadWriteForm.bag" # beside the first run's registry file
for registry in "$scratch/fifo" "$scratch/folder" /dev/zero; do
  start VSQ_REGISTRY="$registry"
  expect "registry $registry: starts promptly" reached
  expect "registry $registry: says so" said "$registry: not a regular file"
  expect "registry $registry: no failure" quiet
  expect "registry $registry: the window settings stay in the program's folder" \
    test -f "$scratch/config/vsq5540-eval/ReadWriteForm.bag"
  rm -f "$scratch/config/vsq5540-eval/ReadWriteForm.bag"
done
untouched() { # <file>: absent, or not written since the runs began
  [ ! -e "$1" ] || [ ! "$1" -nt "$scratch/before-devices" ]
}
expect "nothing is written beside a device" untouched /dev/ReadWriteForm.bag
expect "nothing is written beside a FIFO or a folder" test ! -e "$scratch/ReadWriteForm.bag"
start VSQ_REGISTRY="$scratch/damaged.txt"
expect "damaged registry: starts" reached
expect "damaged registry: names the line" said "$scratch/damaged.txt:2: value line"

# The register window's settings file, written at start, is larger than 8 bytes.
rm -f "$scratch/ReadWriteForm.bag"
start LC_ALL=C prlimit --fsize=8 --
expect "file-size limit: starts" reached
expect "file-size limit: the write is said" said "$scratch/ReadWriteForm.bag: File too large"
expect "file-size limit: nothing is left beside the file" \
  test -z "$(find "$scratch" -maxdepth 1 -name 'ReadWriteForm.bag*')"

start VSQ_PARPORT_LIBRARY=libvsq-absent-driver.so
expect "a missing driver library is said" said "File not found: libvsq-absent-driver.so"
start VSQ_PARPORT_LIBRARY="$program"
expect "a driver library that is no library is said" said "$program is there but cannot be loaded"

rm -rf "$scratch"
exit $failed
