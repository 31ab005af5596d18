# QUORVANE_SANITIZE builds everything with AddressSanitizer and
# UndefinedBehaviorSanitizer (test.sh puts such a build in its own folder).
# Every test then stops at the first report, and leaks are reported except
# those inside Qt's own plugins, which the suppressions file names.
option(QUORVANE_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)

set(QUORVANE_TEST_ENVIRONMENT "")
# Seconds a test may take; the sanitizers make everything several times slower.
set(QUORVANE_TEST_TIMEOUT 120)
if(QUORVANE_SANITIZE)
  set(QUORVANE_TEST_TIMEOUT 480)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
  set(QUORVANE_TEST_ENVIRONMENT
      "ASAN_OPTIONS=halt_on_error=1:detect_leaks=1:abort_on_error=0:strict_string_checks=1:detect_stack_use_after_return=1"
      "UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1"
      "LSAN_OPTIONS=suppressions=${CMAKE_SOURCE_DIR}/tests/sanitizer/qt-plugins.supp:print_suppressions=0")
endif()
