# libFuzzer builds (-DDAWN_FUZZ=ON with CC=clang CXX=clang++): every library
# is compiled with the fuzzer's coverage hooks and the address and undefined
# behaviour sanitizers; the targets in fuzz/ link the fuzzer's main.
if(DAWN_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "DAWN_FUZZ needs clang: configure with CC=clang CXX=clang++")
  endif()
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer
                      -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
  # The gcc builds hold every warning as an error; here a warning that only
  # clang gives must not stop the fuzzing.
  add_compile_options(-Wno-error)
endif()
