#!/bin/sh
# on_private_display.sh PROGRAM [ARGUMENT...]: runs a test program on an Xvfb of its own (1280 x 1024), for
# a test that presses keys and finds windows by their title, which the tests beside it on a shared display
# would disturb (and be disturbed by). Exits with the program's exit code.
set -u
# shellcheck source=e2e_env.sh
. "$(dirname "$0")/e2e_env.sh"
start_private_session 1280x1024
"$@"
