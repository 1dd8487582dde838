if(HQ_SANITIZE)
  set(HQ_SANITIZER_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_compile_options(${HQ_SANITIZER_FLAGS})
  add_link_options(${HQ_SANITIZER_FLAGS})
endif()

# A program run by hand reads no LSAN_OPTIONS: the sanitizer build carries
# the same suppressions as the tests inside it.
function(hq_builtin_leak_suppressions target)
  if(NOT HQ_SANITIZE)
    return()
  endif()
  set(list_file ${PROJECT_SOURCE_DIR}/tests/lsan.supp)
  file(STRINGS ${list_file} lines REGEX "^leak:")
  list(JOIN lines "\\n" joined)
  set(source ${CMAKE_CURRENT_BINARY_DIR}/${target}_lsan_suppressions.cpp)
  file(CONFIGURE OUTPUT ${source} CONTENT
    "extern \"C\" const char* __lsan_default_suppressions();\nextern \"C\" const char* __lsan_default_suppressions() { return \"${joined}\\n\"; }\n")
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${list_file})
  target_sources(${target} PRIVATE ${source})
endfunction()
