# Sourced by the black-box tests of the command-line tools. The test's
# arguments are the command that runs the tool (an emulator and the program, or
# the program alone; an empty emulator argument is dropped); it becomes `tool`.
# Sets up a temporary working folder and `fail`, which counts failures.
tool=("$@")
[ -n "${tool[0]}" ] || tool=("${tool[@]:1}")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
