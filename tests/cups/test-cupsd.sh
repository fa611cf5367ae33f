#!/usr/bin/env bash
# A private CUPS scheduler for the printing tests: its own configuration, spool
# and socket under DIR, so it never touches the machine's printers and several
# test runs can each have their own.
#
#   test-cupsd.sh start DIR             start cupsd listening on DIR/cups.sock
#   test-cupsd.sh queue DIR NAME URI [lpadmin options...]
#                                       add an enabled queue (clients: CUPS_SERVER=DIR/cups.sock)
#   test-cupsd.sh pdf-queue DIR NAME [DPI]
#                                       a cups-pdf queue writing its PDFs to DIR/pdf/NAME, printing
#                                       at DPI by default (offered when the driver has no such choice)
#   test-cupsd.sh default DIR NAME      make NAME the server's default printer
#   test-cupsd.sh stop DIR              stop the cupsd started for DIR and remove what start made
#
# Where cupsd cannot run here (not root, CUPS or cups-pdf missing), start writes
# the reason to DIR/unavailable and succeeds, so the tests can skip saying why.
set -euo pipefail

command=${1:-}
dir=${2:-}
[ -n "$command" ] && [ -n "$dir" ] || { echo "usage: $0 start|queue|pdf-queue|stop DIR ..." >&2; exit 2; }
mkdir -p "$dir"
dir=$(cd "$dir" && pwd)

# cups-pdf reads its settings only from /etc/cups: each queue of each DIR gets
# an instance of its own, named after both.
pdf_prefix() { echo "kestrix-$(echo -n "$dir" | cksum | cut -d' ' -f1)"; }

unavailable() {
  echo "$1" > "$dir/unavailable"
  echo "test cupsd: $1" >&2
  exit 0
}

start() {
  stop_server
  rm -rf "${dir:?}"/*
  mkdir -p "$dir"/{etc/ppd,spool/tmp,cache,state,log,pdf}
  [ "$(id -u)" = 0 ] || unavailable "needs root: the cups-pdf backend only runs under a root cupsd"
  [ -x /usr/sbin/cupsd ] || unavailable "cupsd is not installed (Debian package cups)"
  [ -x /usr/lib/cups/backend/cups-pdf ] ||
    unavailable "cups-pdf is not installed (Debian package printer-driver-cups-pdf)"
  # Filters run as lp and must reach the spool below DIR.
  chmod 755 "$dir"
  local d=$dir
  while d=$(dirname "$d") && [ "$d" != / ]; do chmod o+x "$d"; done

  cat > "$dir/cups-files.conf" <<EOF
ServerRoot $dir/etc
RequestRoot $dir/spool
TempDir $dir/spool/tmp
CacheDir $dir/cache
StateDir $dir/state
ErrorLog $dir/log/error_log
AccessLog $dir/log/access_log
PageLog $dir/log/page_log
User lp
Group lp
SystemGroup root
EOF
  # Finished jobs keep their attributes and files, so tests can read copies and pages.
  cat > "$dir/cupsd.conf" <<EOF
Listen $dir/cups.sock
Browsing No
WebInterface No
LogLevel warn
PreserveJobHistory Yes
PreserveJobFiles Yes
MaxJobs 0
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
EOF
  cp "$dir/cupsd.conf" "$dir/etc/cupsd.conf"
  setsid /usr/sbin/cupsd -f -c "$dir/cupsd.conf" -s "$dir/cups-files.conf" \
    </dev/null >"$dir/log/cupsd.out" 2>&1 &
  echo $! > "$dir/cupsd.pid"
  for _ in $(seq 100); do
    if [ -S "$dir/cups.sock" ] && CUPS_SERVER="$dir/cups.sock" lpstat -r >/dev/null 2>&1; then return 0; fi
    kill -0 "$(cat "$dir/cupsd.pid")" 2>/dev/null || break
    sleep 0.1
  done
  echo "test cupsd did not start; see $dir/log" >&2
  cat "$dir/log/cupsd.out" "$dir/log/error_log" >&2 2>/dev/null || true
  exit 1
}

queue() {
  local name=$1 uri=$2
  shift 2
  CUPS_SERVER="$dir/cups.sock" lpadmin -p "$name" -E -v "$uri" "$@" 2>&1 | grep -v -i deprecated >&2 || true
  CUPS_SERVER="$dir/cups.sock" lpstat -p "$name" >/dev/null
}

pdf_queue() {
  local name=$1 dpi=${2:-} instance ppd=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd
  instance="$(pdf_prefix)-$name"
  if [ -n "$dpi" ]; then
    sed -e "s/^\*DefaultResolution: .*/*DefaultResolution: ${dpi}dpi/" "$ppd" > "$dir/$name.ppd"
    grep -q "^\*Resolution ${dpi}dpi" "$dir/$name.ppd" ||
      sed -i "/^\*Resolution 150dpi/i *Resolution ${dpi}dpi/${dpi} DPI: \"<</HWResolution[${dpi} ${dpi}]>>setpagedevice\"" \
        "$dir/$name.ppd"
    ppd=$dir/$name.ppd
  fi
  mkdir -p "$dir/pdf/$name"
  cat > "/etc/cups/cups-pdf-$instance.conf" <<EOF
Out $dir/pdf/$name
AnonDirName $dir/pdf/$name
Spool $dir/spool/cups-pdf-$name
Log $dir/log
Label 1
Grp root
EOF
  queue "$name" "cups-pdf:/$instance" -P "$ppd"
}

stop_server() {
  if [ -f "$dir/cupsd.pid" ]; then
    local pid
    pid=$(cat "$dir/cupsd.pid")
    if kill "$pid" 2>/dev/null; then
      for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    fi
    rm -f "$dir/cupsd.pid"
  fi
  rm -f /etc/cups/cups-pdf-"$(pdf_prefix)"-*.conf
}

case "$command" in
  start) start ;;
  queue) shift 2; queue "$@" ;;
  pdf-queue) pdf_queue "$3" "${4:-}" ;;
  default) CUPS_SERVER="$dir/cups.sock" lpadmin -d "$3" ;;
  stop) stop_server ;;
  *) echo "unknown command $command" >&2; exit 2 ;;
esac
