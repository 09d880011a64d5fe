# Builds each layer probe: each ALLOWED one must compile; each REFUSED entry
# (<probe>=<header>) must fail because <header> is not found; each UNREACHABLE
# entry (<probe>=<class>::<member>) must fail because the member is private;
# each UNLINKABLE entry (<probe>=<function>) must compile and fail to link
# because <function> is not among the symbols its libraries export.
# The messages are matched in English: the probes build in the C locale, so a
# compiler that speaks the user's language still answers in the words below.
set(ENV{LC_ALL} C)
unset(ENV{LANGUAGE})
function(build_probe probe result output)
  execute_process(COMMAND ${CMAKE_COMMAND} --build ${BUILD_DIR} --target ${probe}
                  RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE out)
  set(${result} ${code} PARENT_SCOPE)
  set(${output} "${out}" PARENT_SCOPE)
endfunction()

foreach(probe IN LISTS ALLOWED)
  build_probe(${probe} code out)
  if(NOT code EQUAL 0)
    message(FATAL_ERROR "${probe} should compile:\n${out}")
  endif()
endforeach()

foreach(entry IN LISTS REFUSED)
  string(REPLACE "=" ";" pair "${entry}")
  list(GET pair 0 probe)
  list(GET pair 1 header)
  build_probe(${probe} code out)
  string(REPLACE "." "\\." pattern "${header}")
  if(code EQUAL 0)
    message(FATAL_ERROR "${probe} compiled: ${header} is visible across the layers")
  elseif(NOT out MATCHES "${pattern}(: No such file or directory|' file not found)")
    message(FATAL_ERROR "${probe} failed for another reason than ${header}:\n${out}")
  endif()
  message(STATUS "${probe}: ${header} not found, as it must be")
endforeach()

foreach(entry IN LISTS UNREACHABLE)
  string(REPLACE "=" ";" pair "${entry}")
  list(GET pair 0 probe)
  list(GET pair 1 member)
  string(REGEX REPLACE "::[^:]*$" "" class "${member}")
  string(REGEX REPLACE "^.*::" "" name "${member}")
  build_probe(${probe} code out)
  if(code EQUAL 0)
    message(FATAL_ERROR "${probe} compiled: a client reaches ${member}")
  elseif(NOT out MATCHES "${member}\\(\\)[^ ]* is private within this context|[^ ]${name}[^ ]* is a private member of [^ ]${class}[^ ]")
    message(FATAL_ERROR "${probe} failed for another reason than ${member} being private:\n${out}")
  endif()
  message(STATUS "${probe}: ${member} is private, as it must be")
endforeach()

foreach(entry IN LISTS UNLINKABLE)
  string(REPLACE "=" ";" pair "${entry}")
  list(GET pair 0 probe)
  list(GET pair 1 function)
  build_probe(${probe} code out)
  if(code EQUAL 0)
    message(FATAL_ERROR "${probe} linked: a client reaches ${function}")
  elseif(NOT out MATCHES "undefined (reference to `|symbol: )${function}\\(\\)")
    message(FATAL_ERROR "${probe} failed for another reason than ${function} being hidden:\n${out}")
  endif()
  message(STATUS "${probe}: ${function} is hidden, as it must be")
endforeach()
