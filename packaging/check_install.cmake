# Installs the build into a fresh prefix and checks the tree: every file in place, the desktop
# entry, the MIME type and the man pages accepted by their tools (where installed), and the
# installed programs answering --version and running an installed example.
#   cmake -DBUILD_DIR=... -DPREFIX=... -DWITH_UI=ON|OFF -DVERSION=... -P check_install.cmake
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
  OUTPUT_QUIET RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "cmake --install failed (${rc})")
endif()

set(expected
  bin/veksa-cli
  share/man/man1/veksa-cli.1.gz
  share/mime/packages/veksa.xml
  share/doc/veksa/README.md
  share/doc/veksa/CLI.md
  share/doc/veksa/examples/trees_and_flowers.vks
  share/doc/veksa/examples/trees_and_flowers.answers)
if(WITH_UI)
  list(APPEND expected bin/veksa share/man/man1/veksa.1.gz share/applications/veksa.desktop
    share/icons/hicolor/scalable/apps/veksa.svg)
endif()
foreach(f ${expected})
  if(NOT EXISTS ${PREFIX}/${f})
    message(FATAL_ERROR "not installed: ${f}")
  endif()
endforeach()

# Fails the check unless `text` holds `part`; `what` names the text.
function(expect_part what text part)
  string(FIND "${text}" "${part}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "${what}: no \"${part}\" in\n${text}")
  endif()
endfunction()

# Runs a command; fails the check unless it exits with `want` and its output holds `expect`.
function(expect_run want expect)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc STREQUAL want)
    message(FATAL_ERROR "${ARGN}: exit ${rc}, expected ${want}\n${out}${err}")
  endif()
  expect_part("${ARGN}" "${out}${err}" "${expect}")
endfunction()

find_program(DESKTOP_FILE_VALIDATE desktop-file-validate)
if(WITH_UI AND DESKTOP_FILE_VALIDATE)
  set(entry ${PREFIX}/share/applications/veksa.desktop)
  expect_run(0 "" ${DESKTOP_FILE_VALIDATE} ${entry})
  file(READ ${entry} text)
  foreach(key "Name=VEKSA\n" "Exec=veksa %f\n" "Categories=Education;\n"
      "MimeType=application/x-veksa-knowledge-base;\n")
    expect_part(${entry} "${text}" "${key}")
  endforeach()
endif()

# update-mime-database compiles the MIME packages and reports a malformed one.
find_program(UPDATE_MIME update-mime-database)
if(UPDATE_MIME)
  expect_run(0 "" ${UPDATE_MIME} -V ${PREFIX}/share/mime)
  file(READ ${PREFIX}/share/mime/globs2 text)
  expect_part(globs2 "${text}" ":application/x-veksa-knowledge-base:*.vks")
  file(READ ${PREFIX}/share/mime/subclasses text)
  expect_part(subclasses "${text}" "application/x-veksa-knowledge-base application/rtf")
endif()

find_program(MAN man)
if(MAN)
  file(GLOB pages ${PREFIX}/share/man/man1/*.1.gz)
  foreach(page ${pages})
    execute_process(COMMAND ${MAN} --warnings -E UTF-8 -l -Tutf8 -Z ${page}
      OUTPUT_QUIET ERROR_VARIABLE warnings)
    if(NOT warnings STREQUAL "")
      message(FATAL_ERROR "${page}:\n${warnings}")
    endif()
  endforeach()
endif()

expect_run(0 "veksa-cli ${VERSION}" ${PREFIX}/bin/veksa-cli --version)
expect_run(0 "veksa-cli check FILE" ${PREFIX}/bin/veksa-cli --help)
set(examples ${PREFIX}/share/doc/veksa/examples)
expect_run(0 "[results]\nцветок\tроза\t0,815\n" ${PREFIX}/bin/veksa-cli run
  ${examples}/trees_and_flowers.vks --answers ${examples}/trees_and_flowers.answers)
if(WITH_UI)
  expect_run(0 "VEKSA ${VERSION}" ${PREFIX}/bin/veksa --version)
  expect_run(0 "veksa [FILE]" ${PREFIX}/bin/veksa --help)
endif()
message(STATUS "install tree in ${PREFIX}: ${expected}")
