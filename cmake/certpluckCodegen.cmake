# C++ generated from schema files at build time, with the library's
# add_bond_codegen interface:
#
#   add_bond_codegen(file.bond [file2.bond ...]
#     [ENUM_HEADER]
#     [OUTPUT_DIR dir]
#     [IMPORT_DIR dir [dir2 ...]]
#     [OPTIONS opt [opt2 ...]]
#     [TARGET name])
#
# For each NAME.bond it writes NAME_types.h, NAME_types.cpp, NAME_reflection.h,
# NAME_apply.h and NAME_apply.cpp (and NAME_enum.h with ENUM_HEADER) into
# OUTPUT_DIR (default: the current binary folder), running them again whenever
# the schema or the compiler changes; a target that compiles the .cpp files
# makes them. TARGET names a custom target that depends on all of them. The
# library's own schema files (bond/core/...) are found without an IMPORT_DIR.
# Inside certpluck's own build the compiler is the one being built; in a
# project of one's own, the installed certpluck::certpluck-gbc.
include_guard(GLOBAL)

function(add_bond_codegen)
  cmake_parse_arguments(arg "ENUM_HEADER" "OUTPUT_DIR;TARGET" "IMPORT_DIR;OPTIONS" ${ARGN})
  if(TARGET certpluck-gbc)
    set(gbc certpluck-gbc)
  else()
    set(gbc certpluck::certpluck-gbc)
  endif()
  set(output_dir ${CMAKE_CURRENT_BINARY_DIR})
  if(arg_OUTPUT_DIR)
    set(output_dir ${arg_OUTPUT_DIR})
  endif()
  set(options --output-dir=${output_dir})
  foreach(dir IN LISTS arg_IMPORT_DIR)
    list(APPEND options --import-dir=${dir})
  endforeach()
  list(APPEND options ${arg_OPTIONS})
  set(suffixes _types.h _types.cpp _reflection.h _apply.h _apply.cpp)
  if(arg_ENUM_HEADER)
    list(APPEND options --enum-header)
    list(APPEND suffixes _enum.h)
  endif()
  set(all_outputs)
  foreach(file IN LISTS arg_UNPARSED_ARGUMENTS)
    get_filename_component(name ${file} NAME_WE)
    get_filename_component(path ${file} ABSOLUTE)
    set(outputs)
    foreach(suffix IN LISTS suffixes)
      list(APPEND outputs ${output_dir}/${name}${suffix})
    endforeach()
    add_custom_command(OUTPUT ${outputs}
      COMMAND ${gbc} c++ ${options} ${path}
      DEPENDS ${path} ${gbc}
      COMMENT "Generating C++ from ${file}"
      VERBATIM)
    list(APPEND all_outputs ${outputs})
  endforeach()
  if(arg_TARGET)
    add_custom_target(${arg_TARGET} DEPENDS ${all_outputs})
  endif()
endfunction()
