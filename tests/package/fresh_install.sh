#!/bin/sh
# Installs the package on a fresh, minimal Debian 12 the way a user does,
# with `apt install ./dawnhelm_….deb`, then starts the program from its menu
# entry, reads its manual page, loads its completion, and removes it with
# `apt remove`: no file of the package may be left behind, and the user's own
# folder must come through installing and removing unchanged.
# The new root is made by mmdebstrap from the package mirror and thrown away.
#   sh tests/package/fresh_install.sh <dawnhelm_VERSION_amd64.deb>
set -eu

if [ "${1:-}" != --inside ]; then
  deb=$(realpath "${1:?usage: fresh_install.sh <deb>}")
  here=$(realpath "$0")
  # Only what a person's machine has anyway besides the minimal system: the
  # manual reader and the shell's completion.
  exec mmdebstrap --variant=apt --include=man-db,bash-completion,procps \
    --customize-hook="copy-in '$deb' '$here' /tmp" \
    --customize-hook="chroot \"\$1\" sh /tmp/$(basename "$here") --inside /tmp/$(basename "$deb")" \
    --format=null bookworm /dev/null /etc/apt/sources.list.d/debian.sources
fi

# From here on inside the new root, as its root user.
deb=$2
export DEBIAN_FRONTEND=noninteractive LC_ALL=C.UTF-8
failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}
# The files of the system (their names), without what changes by itself.
snapshot() {
  find / -xdev \( -path /proc -o -path /sys -o -path /dev -o -path /tmp -o -path /run \
    -o -path /var/cache -o -path /var/log -o -path /var/lib -o -path /home \) -prune -o -print | sort
}

useradd --create-home --shell /bin/bash user
mkdir -p /home/user/.local/share/dawnhelm
printf 'the settings of the user\n' >/home/user/.local/share/dawnhelm/Dawncode.txt
chown -R user:user /home/user
home_state() { (cd /home/user && find . -printf '%p %s %T@\n' | sort); }

snapshot >/tmp/system.before
home_state >/tmp/home.before
apt-get update -qq
apt-get install -y -q "$deb" >/tmp/apt.log 2>&1 || {
  cat /tmp/apt.log
  fail "apt install"
}
echo "fresh: apt installed $(grep -c '^Setting up' /tmp/apt.log) packages"
home_state | cmp -s - /tmp/home.before || fail "installing changed the user's folder"
dpkg -L dawnhelm >/tmp/package.files

# The menu entry: its Exec line, run as the user, starts the program in the
# user's folder and keeps it running.
exec_line=$(sed -n 's/^Exec=//p' /usr/share/applications/org.example.dawnhelm.desktop)
[ "$exec_line" = /usr/bin/dawnhelm ] || fail "the menu entry runs '$exec_line'"
su -s /bin/sh -c "QT_QPA_PLATFORM=offscreen $exec_line >/tmp/program.log 2>&1 & echo \$! >/tmp/program.pid" user
pid=$(cat /tmp/program.pid)
sleep 5
exe=$(readlink "/proc/$pid/exe" || true)
cwd=$(readlink "/proc/$pid/cwd" || true)
[ "$exe" = /usr/libexec/dawnhelm/dawnhelm ] || fail "the menu entry did not start the program ($exe): $(cat /tmp/program.log)"
[ "$cwd" = /home/user/.local/share/dawnhelm ] || fail "the program runs in '$cwd'"
kill "$pid" 2>/dev/null || true
sleep 1
[ -s /tmp/program.log ] && echo "fresh: the program said: $(cat /tmp/program.log)"
[ "$(cat /home/user/.local/share/dawnhelm/Dawncode.txt)" = "the settings of the user" ] ||
  fail "the program replaced the user's settings"

# The manual page, the completion, the version and the city search.
man -w dawnhelm-cli >/dev/null || fail "man finds no dawnhelm-cli page"
MANWIDTH=80 man dawnhelm-cli 2>&1 | grep -q "EXIT STATUS" || fail "man dawnhelm-cli shows no page"
su -c 'bash -c ". /usr/share/bash-completion/bash_completion; _completion_loader dawnhelm-cli; complete -p dawnhelm-cli"' user |
  grep -q _dawnhelm_cli || fail "bash does not load the completion of dawnhelm-cli"
dawnhelm-cli --version || fail "dawnhelm-cli --version"
# The city list and the zone names the package depends on.
dawnhelm-cli place brussels --limit 1 | grep -q ';Europe/Brussels;' || fail "dawnhelm-cli place finds no Brussels"
dawnhelm --version || fail "dawnhelm --version"
# The helpers and the sound module find every library they need.
for f in /usr/libexec/dawnhelm/dawnhelm-ics /usr/libexec/dawnhelm/dawnhelm-graph \
  /usr/lib/*/dawnhelm/dawnhelm-sound.so; do
  [ -e "$f" ] || fail "missing: $f"
  ! ldd "$f" 2>&1 | grep -q 'not found' || fail "$f lacks a library: $(ldd "$f" | grep 'not found')"
done
dawnhelm-cli ics --place brussels --from 2024-06-01 --to 2024-06-01 | grep -q '^BEGIN:VCALENDAR' ||
  fail "dawnhelm-cli ics writes no calendar"

# Removal: nothing of the package stays, the user's folder stays as it was.
home_state >/tmp/home.used
apt-get remove -y -q dawnhelm >/tmp/apt.log 2>&1 || {
  cat /tmp/apt.log
  fail "apt remove"
}
while read -r path; do
  [ -d "$path" ] && continue
  [ -e "$path" ] || [ -L "$path" ] && fail "left after removal: $path"
done </tmp/package.files
snapshot >/tmp/system.after
# The packages that came in with dawnhelm stay (apt remove keeps them); only
# files of dawnhelm's own could be new.
new=$(comm -13 /tmp/system.before /tmp/system.after | grep -i dawnhelm || true)
[ -z "$new" ] || fail "left after removal: $new"
home_state | cmp -s - /tmp/home.used || fail "removing changed the user's folder"

if [ "$failures" -gt 0 ]; then
  echo "$failures failed" >&2
  exit 1
fi
echo "fresh machine: install, start from the menu, manual, completion and removal all passed"
