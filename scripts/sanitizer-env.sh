# Run-time options of the sanitizers, for scripts/sanitize.sh and for running a sanitized test
# by hand: `source scripts/sanitizer-env.sh` first. Every report ends the process with an
# error; leaks are reported; the suppressions name leaks of system libraries only.
# (detect_stack_use_after_return stays off: with it, code that throws many exceptions runs 30
# times slower, which the catalogue of bad input does by design.)
_bubblix_scripts=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
export ASAN_OPTIONS="abort_on_error=0:halt_on_error=1:detect_leaks=1:strict_string_checks=1:check_initialization_order=1:strict_init_order=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
export LSAN_OPTIONS="suppressions=$_bubblix_scripts/lsan.supp:print_suppressions=0"
unset _bubblix_scripts
