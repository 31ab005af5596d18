# One static library per subsystem folder. Sources are collected from the
# folder itself (not its sub-folders), so a new file needs no CMake edit.
set(QUORVANE_FOLDER_LIBRARIES "")

# A file that arrives with a merge or checkout can be older than the last moc
# run, and moc's own dependency file does not name files it has not seen yet,
# so a new QObject header would never be moc'ed in an existing build folder.
# When the set of files changes, drop the moc stamp so moc looks at them all.
function(quorvane_rerun_moc_on_new_files target sources)
  set(list_file "${CMAKE_CURRENT_BINARY_DIR}/${target}_sources.txt")
  set(previous "")
  if(EXISTS "${list_file}")
    file(READ "${list_file}" previous)
  endif()
  if(NOT previous STREQUAL "${sources}")
    file(WRITE "${list_file}" "${sources}")
    file(REMOVE "${CMAKE_CURRENT_BINARY_DIR}/${target}_autogen/timestamp")
  endif()
endfunction()

function(quorvane_folder_library target folder)
  file(GLOB sources CONFIGURE_DEPENDS
       "${CMAKE_SOURCE_DIR}/${folder}/*.cpp"
       "${CMAKE_SOURCE_DIR}/${folder}/*.h"
       "${CMAKE_SOURCE_DIR}/${folder}/*.qrc")
  list(FILTER sources EXCLUDE REGEX "/main\\.cpp$")
  set(compiled ${sources})
  list(FILTER compiled INCLUDE REGEX "\\.(cpp|qrc)$")
  if(compiled)
    add_library(${target} STATIC ${sources})
    quorvane_rerun_moc_on_new_files(${target} "${sources}")
    target_include_directories(${target} PUBLIC "${CMAKE_SOURCE_DIR}")
    target_link_libraries(${target} PUBLIC Qt5::Core Qt5::Gui Qt5::Widgets Qt5::Xml quorvane_platform)
    set(QUORVANE_FOLDER_LIBRARIES ${QUORVANE_FOLDER_LIBRARIES} ${target} PARENT_SCOPE)
  endif()
endfunction()

# Every consumer links the whole set inside one rescanned group, so the order in
# which the folders are listed never decides whether a call between them links.
function(quorvane_link_all)
  add_library(quorvane_libs INTERFACE)
  target_include_directories(quorvane_libs INTERFACE "${CMAKE_SOURCE_DIR}")
  if(QUORVANE_FOLDER_LIBRARIES)
    list(JOIN QUORVANE_FOLDER_LIBRARIES "," group)
    target_link_libraries(quorvane_libs INTERFACE "$<LINK_GROUP:RESCAN,${group}>")
  endif()
  target_link_libraries(quorvane_libs INTERFACE
      quorvane_platform Qt5::Core Qt5::Gui Qt5::Widgets Qt5::Xml)
  if(TARGET quorvane_resources)
    target_sources(quorvane_libs INTERFACE $<TARGET_OBJECTS:quorvane_resources>)
  endif()
endfunction()

# The shared test kit (tests/common) is compiled once and linked into every
# test program, with the definitions that tell tests where the build put things.
function(quorvane_test_kit)
  file(GLOB kit CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/common/*.h"
                                  "${CMAKE_CURRENT_SOURCE_DIR}/common/*.cpp")
  add_library(quorvane_testkit STATIC ${kit})
  quorvane_rerun_moc_on_new_files(quorvane_testkit "${kit}")
  target_include_directories(quorvane_testkit PUBLIC "${CMAKE_CURRENT_SOURCE_DIR}")
  target_link_libraries(quorvane_testkit PUBLIC quorvane_libs Qt5::Test)
  target_compile_definitions(quorvane_testkit PUBLIC
      QUORVANE_TEST_PROGRAM_DIR="${QUORVANE_PROGRAM_DIR}"
      QUORVANE_TEST_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
      QUORVANE_TEST_BINARY_DIR="${CMAKE_BINARY_DIR}")
endfunction()

# The environment of a test: the offscreen platform, per-user and
# configuration folders of its own, and the sanitizers' options.
function(quorvane_test_environment variable name)
  set(home "${CMAKE_BINARY_DIR}/testhome/${name}")
  set(${variable} "QT_QPA_PLATFORM=offscreen" "HOME=${home}" "XDG_DATA_HOME=${home}/data"
                  "XDG_CONFIG_HOME=${home}/config" ${QUORVANE_TEST_ENVIRONMENT} PARENT_SCOPE)
endfunction()

# Every tests/<folder>/tst_*.cpp is one test program, run under the offscreen
# platform with its own per-user and configuration folders, so no test ever
# touches the real user's files.
function(quorvane_folder_tests folder)
  file(GLOB tests CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/${folder}/tst_*.cpp")
  file(GLOB helpers CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*.h")
  foreach(test_source ${tests})
    get_filename_component(name "${test_source}" NAME_WE)
    set(target "${folder}_${name}")
    add_executable(${target} ${test_source} ${helpers})
    quorvane_rerun_moc_on_new_files(${target} "${test_source};${helpers}")
    set_target_properties(${target} PROPERTIES
        RUNTIME_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}/tests")
    target_include_directories(${target} PRIVATE "${CMAKE_CURRENT_SOURCE_DIR}")
    target_link_libraries(${target} PRIVATE quorvane_testkit)
    add_dependencies(${target} quorvane_programfolder)
    quorvane_test_environment(environment ${target})
    add_test(NAME ${target} COMMAND ${target})
    set_tests_properties(${target} PROPERTIES TIMEOUT ${QUORVANE_TEST_TIMEOUT} ENVIRONMENT "${environment}")
  endforeach()
endfunction()
