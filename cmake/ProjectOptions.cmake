# Warning and sanitizer flags for every target of the project (not for third-party code,
# which is added before this file is included).
add_compile_options(-Wall -Wextra -Wpedantic -Wshadow)
if(PELAGOR_WERROR)
  add_compile_options(-Werror)
endif()
if(PELAGOR_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()
# GCC 12 reports -Wrestrict on plain std::string concatenation and insertion in optimised
# builds (GCC bug 105651), which -Werror would turn into failures.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
  add_compile_options(-Wno-restrict)
endif()
