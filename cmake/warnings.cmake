# Every project target links this interface instead of setting global flags.
add_library(certpluck_warnings INTERFACE)
target_compile_options(certpluck_warnings INTERFACE
  -Wall -Wextra -Wpedantic -Wconversion -Wshadow
  $<$<BOOL:${CERTPLUCK_WERROR}>:-Werror>)
target_compile_features(certpluck_warnings INTERFACE cxx_std_20)
