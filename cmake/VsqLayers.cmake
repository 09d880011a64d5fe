# The layers the build enforces. Every header is included by its path from the
# top of the tree ("app/device/com_port.h"), but a target sees a folder's
# headers only when it links the library that owns the folder: each library
# gets an include folder of its own, generated in the build tree, that holds a
# single link named after its source folder and pointing at it:
#
#     build/include/trelvane_device/app/device -> <source>/app/device
#
# and publishes that include folder alone. A dependency in the wrong direction
# (comms including "app/device/...", a window library including the start-up's
# "app/shell/startup.h") then fails to compile: the header is not found.
#
# Every library calls, in place of target_include_directories:
#
#     add_library(trelvane_tools STATIC ...)
#     vsq_expose_includes(trelvane_tools)        # its own folder, app/tools
#     target_link_libraries(trelvane_tools PUBLIC trelvane_core trelvane_device)
#
# Link PUBLIC what the library's headers include, PRIVATE what only its sources
# include (the simulator, above all). Sub-folders of the exposed folder that no
# library owns (tests/, bench/) come with it.

# A library whose folder holds more than its clients may use publishes a chosen
# list of its headers instead: its include folder then holds a real folder with
# one link per chosen header (or sub-folder, such as tests/), and the rest stays
# inside, seen by the library's own sources and by what links <target>_inside
# (the library's tests and benchmarks):
#
#     vsq_expose_includes(Brisendal HEADERS QVSComPort.h PrinterPort.h ...)
#
#     build/include/Brisendal/comms/QVSComPort.h -> <source>/comms/QVSComPort.h
#     build/include/Brisendal_inside/comms       -> <source>/comms

# vsq_expose_includes(<target> [<folder>] [HEADERS <entry>...])
# Publishes <folder> (relative to the top of the tree; by default the folder of
# the calling CMakeLists.txt) as the only include path <target> gives to itself
# and to whatever links it. With HEADERS, only the entries listed (files or
# sub-folders, relative to <folder>) are published; the whole folder goes to
# <target> privately and to the interface library <target>_inside.
function(vsq_expose_includes target)
  cmake_parse_arguments(E "" "" "HEADERS" ${ARGN})
  if(E_UNPARSED_ARGUMENTS)
    list(GET E_UNPARSED_ARGUMENTS 0 folder)
  else()
    file(RELATIVE_PATH folder ${PROJECT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
  endif()
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "INTERFACE_LIBRARY")
    set(scope INTERFACE)
  else()
    set(scope PUBLIC)
  endif()

  set(root ${CMAKE_BINARY_DIR}/include/${target})
  if(NOT E_HEADERS)
    vsq_link_folder(${root}/${folder} ${PROJECT_SOURCE_DIR}/${folder})
    target_include_directories(${target} ${scope} $<BUILD_INTERFACE:${root}>)
    return()
  endif()

  # The chosen entries, each a link of its own in a real folder; a link left
  # from an earlier configuration (the whole folder, or an entry no longer
  # chosen) is taken away. Removing a link leaves what it points at alone.
  set(published ${root}/${folder})
  if(IS_SYMLINK ${published})
    file(REMOVE ${published})
  endif()
  file(MAKE_DIRECTORY ${published})
  file(GLOB present LIST_DIRECTORIES true RELATIVE ${published} ${published}/*)
  foreach(entry IN LISTS present)
    if(NOT entry IN_LIST E_HEADERS)
      file(REMOVE ${published}/${entry})
    endif()
  endforeach()
  foreach(entry IN LISTS E_HEADERS)
    if(NOT EXISTS ${PROJECT_SOURCE_DIR}/${folder}/${entry})
      message(FATAL_ERROR "${target} publishes ${folder}/${entry}, which does not exist")
    endif()
    vsq_link_folder(${published}/${entry} ${PROJECT_SOURCE_DIR}/${folder}/${entry})
  endforeach()
  target_include_directories(${target} ${scope} $<BUILD_INTERFACE:${root}>)

  set(inside ${CMAKE_BINARY_DIR}/include/${target}_inside)
  vsq_link_folder(${inside}/${folder} ${PROJECT_SOURCE_DIR}/${folder})
  target_include_directories(${target} PRIVATE $<BUILD_INTERFACE:${inside}>)
  add_library(${target}_inside INTERFACE)
  target_include_directories(${target}_inside INTERFACE $<BUILD_INTERFACE:${inside}>)
  target_link_libraries(${target}_inside INTERFACE ${target})
endfunction()

# vsq_link_folder(<link> <source>)
# Makes <link> a symbolic link to <source>, with the folders above it.
function(vsq_link_folder link source)
  get_filename_component(parent ${link} DIRECTORY)
  file(MAKE_DIRECTORY ${parent})
  if(NOT IS_SYMLINK ${link})
    file(CREATE_LINK ${source} ${link} SYMBOLIC)
  endif()
endfunction()

# vsq_compile_against(<target> <library>)
# Lets <target> include <library>'s headers without linking it: for a library
# that is loaded by name at run time (Halvicor, the parallel-port driver).
function(vsq_compile_against target library)
  target_include_directories(${target}
    PRIVATE $<TARGET_PROPERTY:${library},INTERFACE_INCLUDE_DIRECTORIES>)
endfunction()
