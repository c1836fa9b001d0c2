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

if(WIN32)
  # Windows 7 and later (WSAPoll, inet_pton); no min/max macros; the lean Windows headers.
  target_compile_definitions(sro_project_options INTERFACE
    _WIN32_WINNT=0x0601 WINVER=0x0601 NOMINMAX WIN32_LEAN_AND_MEAN UNICODE _UNICODE)
endif()
