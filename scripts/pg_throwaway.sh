#!/usr/bin/env bash
# A throwaway PostgreSQL server for the tests and benchmarks.
#
#   pg_throwaway.sh start STATE_DIR   starts one; STATE_DIR/conninfo then holds its
#                                     connection string, or STATE_DIR/skipped says
#                                     in one line why no server could be started
#   pg_throwaway.sh stop STATE_DIR    stops it and removes everything it wrote
#
# The server runs as an unprivileged user (nobody when started by root: initdb
# refuses root) from a private temporary folder, listens on 127.0.0.1 on a free
# port and on a socket in that folder, and trusts local connections as the
# superuser "stk". It stops by itself when the process that started it (ctest,
# a benchmark) is gone, so that an interrupted run leaves nothing behind.
set -uo pipefail

action=${1:-}
state=${2:-}
if [ -z "$action" ] || [ -z "$state" ]; then
  echo "usage: $0 start|stop STATE_DIR" >&2
  exit 2
fi

self=$(readlink -f "$0")
mkdir -p "$state" || exit 1
state=$(readlink -f "$state")

skip() {
  echo "$*" >"$state/skipped"
  echo "PostgreSQL tests skipped: $*"
  exit 0
}

# STK_PG_BINDIR, else pg_config's, else the newest installed.
find_bindir() {
  local dir
  if [ -n "${STK_PG_BINDIR:-}" ]; then
    [ -x "$STK_PG_BINDIR/initdb" ] && echo "$STK_PG_BINDIR"
    return
  fi
  dir=$(pg_config --bindir 2>/dev/null)
  if [ -n "$dir" ] && [ -x "$dir/initdb" ]; then
    echo "$dir"
    return
  fi
  for dir in $(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V -r); do
    [ -x "$dir/initdb" ] && { echo "$dir"; return; }
  done
}

as_server_user() {
  if [ "$(id -u)" -eq 0 ]; then
    setpriv --reuid=nobody --regid=nogroup --clear-groups -- "$@"
  else
    "$@"
  fi
}

stop() {
  [ -f "$state/folder" ] || return 0
  local folder bindir
  folder=$(cat "$state/folder")
  bindir=$(cat "$state/bindir" 2>/dev/null)
  # The watcher, unless it is the one stopping the server.
  if [ -f "$state/watcher" ] && [ "$(cat "$state/watcher")" != "$$" ]; then
    kill "$(cat "$state/watcher")" 2>/dev/null
  fi
  if [ -n "$bindir" ] && [ -f "$folder/data/postmaster.pid" ]; then
    as_server_user "$bindir/pg_ctl" -D "$folder/data" -m immediate -w -t 30 stop >/dev/null 2>&1
  fi
  # Whatever pg_ctl could not stop.
  if [ -f "$folder/data/postmaster.pid" ]; then
    kill -9 "$(head -1 "$folder/data/postmaster.pid")" 2>/dev/null
  fi
  rm -rf "$folder"
  rm -f "$state/folder" "$state/bindir" "$state/watcher" "$state/conninfo"
}

case "$action" in
stop)
  stop
  exit 0
  ;;
start) ;;
*)
  echo "unknown action: $action" >&2
  exit 2
  ;;
esac

stop  # a server left by an earlier run of the same build
rm -f "$state/skipped"

bindir=$(find_bindir)
[ -n "$bindir" ] || skip "no PostgreSQL server programs (initdb, pg_ctl) on this machine"
if [ "$(id -u)" -eq 0 ] && ! command -v setpriv >/dev/null; then
  skip "running as root and setpriv is missing to start the server as nobody"
fi

folder=$(mktemp -d /tmp/stk_pg.XXXXXX) || skip "cannot make a temporary folder"
echo "$folder" >"$state/folder"
echo "$bindir" >"$state/bindir"
[ "$(id -u)" -eq 0 ] && chown nobody:nogroup "$folder"
chmod 700 "$folder"
cd "$folder" || exit 1  # a folder the server's user may enter

if ! as_server_user "$bindir/initdb" -D "$folder/data" -U stk --auth=trust -E UTF8 --locale=C --no-sync \
  >"$folder/initdb.log" 2>&1; then
  why=$(tail -1 "$folder/initdb.log")
  stop
  skip "initdb failed: $why"
fi

# A port nobody listens on (the system's pick when python3 is there); a taken
# one only costs a retry.
free_port() {
  python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])' \
    2>/dev/null || echo $((20000 + RANDOM % 40000))
}

started=""
for _ in 1 2 3 4 5; do
  port=$(free_port)
  # Durability is not needed for data thrown away: no fsync.
  if as_server_user "$bindir/pg_ctl" -D "$folder/data" -l "$folder/server.log" -w -t 30 \
    -o "-p $port -k $folder -c listen_addresses=127.0.0.1 -c fsync=off -c synchronous_commit=off \
        -c full_page_writes=off -c max_connections=60" start >/dev/null 2>&1; then
    started=yes
    break
  fi
done
if [ -z "$started" ]; then
  why=$(grep -m1 -E 'FATAL|ERROR' "$folder/server.log" 2>/dev/null)
  stop
  skip "the server did not start${why:+: $why}"
fi

# Stops the server when whoever started it (STK_PG_OWNER, else the parent
# process) is gone without stopping it.
owner=${STK_PG_OWNER:-$PPID}
setsid bash -c "while kill -0 $owner 2>/dev/null && [ -d '$folder' ]; do sleep 2; done; \
  '$self' stop '$state'" </dev/null >/dev/null 2>&1 &
echo $! >"$state/watcher"

echo "host=$folder port=$port user=stk dbname=postgres" >"$state/conninfo"
echo "PostgreSQL test server on port $port ($folder)"
