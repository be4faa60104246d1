#!/bin/sh
# Runs a command against a desktop keyring of its own, as in a desktop session: a fresh GNOME
# Keyring, unlocked, on the session bus. Run it on a private bus:
#   dbus-run-session -- with_keyring.sh COMMAND [ARGUMENTS...]
# The command sees CORVALIS_TEST_KEYRING=1.
set -u
scratch=$(mktemp -d)
mkdir -m 700 "$scratch/data" "$scratch/runtime"
export XDG_DATA_HOME="$scratch/data" XDG_RUNTIME_DIR="$scratch/runtime"
printf 'corvalis-test' | gnome-keyring-daemon --foreground --unlock --components=secrets >/dev/null &
daemon=$!
gdbus wait --session --timeout 10 org.freedesktop.secrets
# The login keyring is made, unlocked, from the password just after the service appears.
for _ in $(seq 50); do
  gdbus call --session --dest org.freedesktop.secrets \
    --object-path /org/freedesktop/secrets/collection/login \
    --method org.freedesktop.DBus.Properties.Get org.freedesktop.Secret.Collection Locked 2>/dev/null |
    grep -q false && break
  sleep 0.1
done
CORVALIS_TEST_KEYRING=1 "$@"
status=$?
kill "$daemon"
wait "$daemon"
rm -rf "$scratch"
exit $status
