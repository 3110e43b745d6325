# Every project target links this interface instead of setting global flags.
add_library(certpluck_warnings INTERFACE)
target_compile_options(certpluck_warnings INTERFACE
  -Wall -Wextra -Wpedantic -Wconversion -Wshadow
  $<$<BOOL:${CERTPLUCK_WERROR}>:-Werror>)
target_compile_features(certpluck_warnings INTERFACE cxx_std_20)

# Every function and datum in a section of its own, so that a program linked
# with --gc-sections (certpluck is, see tool/) keeps only what it reaches of
# the runtime and the schema module's entry points.
target_compile_options(certpluck_warnings INTERFACE -ffunction-sections -fdata-sections)
