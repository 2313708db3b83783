# Module plumbing.
#
# Every subsystem folder declares one or more modules with cv_module().  A
# module is compiled once into an OBJECT library <name>_obj.  From it come:
#   <name>          a static library that tests and tools link, carrying its
#                   dependencies transitively;
#   the runtime pack named by PACK, which takes the module's object files;
#   <name>_private  (with PRIVATE_COPY) a second compilation with hidden
#                   visibility, for the two stand-alone libraries, so that each
#                   of them owns its copy of the runtime's globals.
#
#   cv_module(cv_core PACK Pack1 PRIVATE_COPY
#             SOURCES a.cpp b.cpp DEPS cv_platform EXTERNAL ICU::uc)

set(CV_PACKS Pack1 Pack2 StyledListboxPack AdvProgressBarPack)

function(cv_module name)
  cmake_parse_arguments(M "PRIVATE_COPY" "PACK" "SOURCES;DEPS;EXTERNAL" ${ARGN})
  add_library(${name}_obj OBJECT ${M_SOURCES})
  set_target_properties(${name}_obj PROPERTIES POSITION_INDEPENDENT_CODE ON)
  target_include_directories(${name}_obj PUBLIC ${PROJECT_SOURCE_DIR})
  foreach(d IN LISTS M_DEPS)
    target_link_libraries(${name}_obj PUBLIC ${d}_obj)
  endforeach()
  target_link_libraries(${name}_obj PUBLIC ${M_EXTERNAL})

  add_library(${name} STATIC $<TARGET_OBJECTS:${name}_obj>)
  set_target_properties(${name} PROPERTIES POSITION_INDEPENDENT_CODE ON LINKER_LANGUAGE CXX)
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${M_DEPS} ${M_EXTERNAL})

  if(M_PACK)
    set_property(GLOBAL APPEND PROPERTY CV_PACK_MODULES_${M_PACK} ${name})
    set_property(GLOBAL APPEND PROPERTY CV_PACK_EXTERNAL_${M_PACK} ${M_EXTERNAL})
  endif()

  if(M_PRIVATE_COPY)
    add_library(${name}_private STATIC ${M_SOURCES})
    set_target_properties(${name}_private PROPERTIES
      POSITION_INDEPENDENT_CODE ON
      CXX_VISIBILITY_PRESET hidden
      VISIBILITY_INLINES_HIDDEN ON)
    target_include_directories(${name}_private PUBLIC ${PROJECT_SOURCE_DIR})
    foreach(d IN LISTS M_DEPS)
      target_link_libraries(${name}_private PUBLIC ${d}_private)
    endforeach()
    target_link_libraries(${name}_private PUBLIC ${M_EXTERNAL})
  endif()
endfunction()

# A stand-alone library: exports exactly the names in its version script.
#   cv_standalone_library(Cairn7 VERSION_SCRIPT x.map SOURCES ... DEPS cv_core_private)
function(cv_standalone_library name)
  cmake_parse_arguments(L "" "VERSION_SCRIPT" "SOURCES;DEPS" ${ARGN})
  add_library(${name} SHARED ${L_SOURCES})
  set_target_properties(${name} PROPERTIES
    CXX_VISIBILITY_PRESET hidden
    VISIBILITY_INLINES_HIDDEN ON
    LINK_DEPENDS ${L_VERSION_SCRIPT})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PRIVATE ${L_DEPS})
  target_link_options(${name} PRIVATE
    -Wl,--version-script=${L_VERSION_SCRIPT} -Wl,--no-undefined -Wl,-z,defs)
endfunction()

# The runtime packs.  Each takes the object files of its modules; a pack that
# builds on another links it, so no object is in two packs.
function(cv_make_packs)
  set(lib_Pack1 CV7GeneralRuntimePack1)
  set(lib_Pack2 CV7GeneralRuntimePack2)
  set(lib_StyledListboxPack CV7StyledListboxPack)
  set(lib_AdvProgressBarPack CV7AdvProgressBarPack)
  set(links_Pack1 "")
  set(links_Pack2 CV7GeneralRuntimePack1)
  set(links_AdvProgressBarPack CV7GeneralRuntimePack1)
  set(links_StyledListboxPack CV7GeneralRuntimePack1 CV7GeneralRuntimePack2 CV7AdvProgressBarPack)
  foreach(p IN LISTS CV_PACKS)
    get_property(mods GLOBAL PROPERTY CV_PACK_MODULES_${p})
    get_property(ext GLOBAL PROPERTY CV_PACK_EXTERNAL_${p})
    if(NOT mods AND NOT p STREQUAL "Pack1")
      continue()
    endif()
    set(lib ${lib_${p}})
    add_library(${lib} SHARED ${PROJECT_SOURCE_DIR}/cmake/pack_anchor.cpp)
    foreach(m IN LISTS mods)
      target_sources(${lib} PRIVATE $<TARGET_OBJECTS:${m}_obj>)
    endforeach()
    if(ext)
      list(REMOVE_DUPLICATES ext)
    endif()
    target_link_libraries(${lib} PUBLIC ${links_${p}} ${ext})
    target_link_options(${lib} PRIVATE -Wl,--no-undefined)
  endforeach()
endfunction()

# A GoogleTest executable.
#   cv_test(name SOURCES ... LIBS ...)
function(cv_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  # Several people work in one tree: a test whose sources are not written yet
  # is left out of a local build with a warning.  In CI it is an error.
  foreach(src IN LISTS T_SOURCES)
    if(NOT IS_ABSOLUTE ${src})
      set(src ${CMAKE_CURRENT_SOURCE_DIR}/${src})
    endif()
    if(NOT EXISTS ${src})
      if(DEFINED ENV{CI})
        message(FATAL_ERROR "test ${name}: missing source ${src}")
      endif()
      message(WARNING "test ${name} left out: missing source ${src}")
      return()
    endif()
  endforeach()
  add_executable(${name} ${T_SOURCES} ${PROJECT_SOURCE_DIR}/cmake/test_environment.cpp)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
  target_compile_definitions(${name} PRIVATE
    CV_SOURCE_DIR_VALUE="${PROJECT_SOURCE_DIR}" CV_BUILD_DIR_VALUE="${PROJECT_BINARY_DIR}")
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main)
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60)
endfunction()
