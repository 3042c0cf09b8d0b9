# -DSANITIZE=ON instruments every target with AddressSanitizer and UndefinedBehaviorSanitizer.
#
# A sanitized Debug build optimises the code under test at -O1: instrumented -O0 code runs the
# heavier tests several times slower. The test programs themselves, heavy in GoogleTest templates
# and light in work, stay at -O0 (STRATO_TEST_COMPILE_OPTIONS), which compiles them far faster.
if(SANITIZE)
  set(_sanitize_flags -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_compile_options(${_sanitize_flags} $<$<CONFIG:Debug>:-O1>)
  add_link_options(${_sanitize_flags})
  set(STRATO_TEST_COMPILE_OPTIONS $<$<CONFIG:Debug>:-O0>)
endif()
