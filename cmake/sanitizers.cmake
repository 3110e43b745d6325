# AddressSanitizer and UndefinedBehaviorSanitizer for every project target, and
# the coverage instrumentation libFuzzer needs. Everything reaches the targets
# through certpluck_warnings, which each of them links, so no flag is global.
# Any report aborts the run: a test that merely prints a report would pass.
add_library(certpluck_sanitizers INTERFACE)

if(CERTPLUCK_FUZZ AND NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  message(FATAL_ERROR "CERTPLUCK_FUZZ needs clang (libFuzzer); configure with -DCMAKE_CXX_COMPILER=clang++")
endif()

if(CERTPLUCK_SANITIZE OR CERTPLUCK_FUZZ)
  set(certpluck_sanitizer_flags -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  target_compile_options(certpluck_sanitizers INTERFACE ${certpluck_sanitizer_flags})
  target_link_options(certpluck_sanitizers INTERFACE ${certpluck_sanitizer_flags})
endif()

# Libraries get libFuzzer's edge counters without its main; only the fuzz
# targets themselves link the fuzzer runtime (fuzz/CMakeLists.txt). Assertions
# stay on whatever the build type, so input that reaches one is a finding.
if(CERTPLUCK_FUZZ)
  target_compile_options(certpluck_sanitizers INTERFACE -fsanitize=fuzzer-no-link -UNDEBUG)
endif()

target_link_libraries(certpluck_warnings INTERFACE certpluck_sanitizers)
