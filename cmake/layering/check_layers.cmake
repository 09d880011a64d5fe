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

# Builds a probe that must fail, and fail with a message matching `pattern`:
# `built` says what a build that succeeded shows, `reason` why it must fail.
function(expect_refused probe pattern built reason)
  build_probe(${probe} code out)
  if(code EQUAL 0)
    message(FATAL_ERROR "${probe} ${built}")
  elseif(NOT out MATCHES "${pattern}")
    message(FATAL_ERROR "${probe} failed for another reason than: ${reason}\n${out}")
  endif()
  message(STATUS "${probe}: ${reason}, as it must be")
endfunction()

foreach(probe IN LISTS ALLOWED)
  build_probe(${probe} code out)
  if(NOT code EQUAL 0)
    message(FATAL_ERROR "${probe} should compile:\n${out}")
  endif()
endforeach()

foreach(entry IN LISTS REFUSED)
  string(REGEX MATCH "^[^=]*" probe "${entry}")
  string(REGEX REPLACE "^[^=]*=" "" header "${entry}")
  string(REPLACE "." "\\." escaped "${header}")
  expect_refused(${probe} "${escaped}(: No such file or directory|' file not found)"
                 "compiled: ${header} is visible across the layers" "${header} not found")
endforeach()

foreach(entry IN LISTS UNREACHABLE)
  string(REGEX MATCH "^[^=]*" probe "${entry}")
  string(REGEX REPLACE "^[^=]*=" "" member "${entry}")
  string(REGEX REPLACE "::[^:]*$" "" class "${member}")
  string(REGEX REPLACE "^.*::" "" name "${member}")
  expect_refused(${probe}
    "${member}\\(\\)[^ ]* is private within this context|[^ ]${name}[^ ]* is a private member of [^ ]${class}[^ ]"
    "compiled: a client reaches ${member}" "${member} is private")
endforeach()

foreach(entry IN LISTS UNLINKABLE)
  string(REGEX MATCH "^[^=]*" probe "${entry}")
  string(REGEX REPLACE "^[^=]*=" "" function "${entry}")
  expect_refused(${probe} "undefined (reference to `|symbol: )${function}\\(\\)"
                 "linked: a client reaches ${function}" "${function} is hidden")
endforeach()
