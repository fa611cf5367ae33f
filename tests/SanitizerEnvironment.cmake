# Read by ctest in the sanitizer build, before any test runs: undefined behaviour
# fails a test, and so does a leak unless it lies inside a system library named
# in lsan.supp.
set(ENV{UBSAN_OPTIONS} "halt_on_error=1:print_stacktrace=1")
set(ENV{LSAN_OPTIONS} "suppressions=${CMAKE_CURRENT_LIST_DIR}/lsan.supp:print_suppressions=0")
