# -DSANITIZE=ON instruments every target with AddressSanitizer and UndefinedBehaviorSanitizer.
if(SANITIZE)
  set(_sanitize_flags -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_compile_options(${_sanitize_flags})
  add_link_options(${_sanitize_flags})
endif()
