# Warnings and sanitizers as interface targets that every target of ours links.

add_library(sro_warnings INTERFACE)
target_compile_options(sro_warnings INTERFACE -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor)

add_library(sro_sanitizers INTERFACE)
if(SRO_SANITIZER)
  set(sanitizer_flags -fsanitize=${SRO_SANITIZER} -fno-omit-frame-pointer)
  if(SRO_SANITIZER MATCHES "undefined")
    list(APPEND sanitizer_flags -fno-sanitize-recover=undefined)
  endif()
  target_compile_options(sro_sanitizers INTERFACE ${sanitizer_flags})
  target_link_options(sro_sanitizers INTERFACE ${sanitizer_flags})
endif()

add_library(sro_project_options INTERFACE)
target_link_libraries(sro_project_options INTERFACE sro_warnings sro_sanitizers)
