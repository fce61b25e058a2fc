# Compiler settings shared by every target of the project.

find_program(PELVANOR_CCACHE ccache)
if(PELVANOR_CCACHE)
  set(CMAKE_CXX_COMPILER_LAUNCHER "${PELVANOR_CCACHE}")
endif()

add_compile_options(-Wall -Wextra -Wpedantic)
# GCC 12 reports overlapping copies inside std::string's operator+ that cannot happen
# (GCC bug 105329); later compilers no longer do.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
  add_compile_options(-Wno-restrict)
endif()
if(PELVANOR_WERROR)
  add_compile_options(-Werror)
endif()

if(PELVANOR_FUZZ)
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all)
  add_link_options(-fsanitize=address,undefined)
endif()

if(PELVANOR_SANITIZE)
  set(sanitizers -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_compile_options(${sanitizers})
  add_link_options(${sanitizers})
endif()

# Programs, libraries and the files they need lie side by side in one program directory, as
# they are shipped; the programs find their libraries there.
set(PELVANOR_PROGRAM_DIR "${CMAKE_BINARY_DIR}/bin")
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY "${PELVANOR_PROGRAM_DIR}")
set(CMAKE_LIBRARY_OUTPUT_DIRECTORY "${PELVANOR_PROGRAM_DIR}")
set(CMAKE_BUILD_RPATH "$ORIGIN")
set(CMAKE_INSTALL_RPATH "$ORIGIN")
set(PELVANOR_INSTALL_DIR "${CMAKE_INSTALL_LIBDIR}/pelvanor")
