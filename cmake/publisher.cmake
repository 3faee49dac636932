# Who publishes a build: one place for the name, web address and contact address that the
# window caption, the Windows version record and installer, the Debian package and the
# software-centre metadata carry. A school that ships its own build sets them once:
#   cmake --preset linux -DQUIZ_PUBLISHER_NAME="..." -DQUIZ_PUBLISHER_URL=www.school.bg
#
# quiz_write_publisher_header(OUTPUT NAME URL TITLE) writes the header that the code and the
# resource script include. Also usable in script mode (cmake -P), as the tests do.

function(quiz_c_string out text)
  string(REPLACE "\\" "\\\\" text "${text}")
  string(REPLACE "\"" "\\\"" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

function(quiz_write_publisher_header output name url title)
  # The caption is the publisher's web address, a blank and the title; without an address,
  # the title alone (never a blank in front of it).
  if(url STREQUAL "")
    set(caption "${title}")
  else()
    set(caption "${url} ${title}")
  endif()
  quiz_c_string(QUIZ_GEN_NAME "${name}")
  quiz_c_string(QUIZ_GEN_URL "${url}")
  quiz_c_string(QUIZ_GEN_CAPTION "${caption}")
  configure_file(${QUIZ_PUBLISHER_TEMPLATE} ${output} @ONLY)
endfunction()

if(CMAKE_SCRIPT_MODE_FILE STREQUAL CMAKE_CURRENT_LIST_FILE)
  # cmake -DOUTPUT=... -DNAME=... -DURL=... -DTITLE=... -P publisher.cmake
  set(QUIZ_PUBLISHER_TEMPLATE ${CMAKE_CURRENT_LIST_DIR}/../quiz/publisher.h.in)
  quiz_write_publisher_header("${OUTPUT}" "${NAME}" "${URL}" "${TITLE}")
  return()
endif()

set(QUIZ_PUBLISHER_TEMPLATE ${CMAKE_CURRENT_LIST_DIR}/../quiz/publisher.h.in)
set(QUIZ_PUBLISHER_NAME "Учебни проекти" CACHE STRING
    "Publisher's name: version record, installer, package maintainer, metadata")
set(QUIZ_PUBLISHER_URL "" CACHE STRING
    "Publisher's web address, e.g. www.school.bg; it leads the window caption. Empty: none")
set(QUIZ_PUBLISHER_EMAIL "pioneers-quiz@publisher.invalid" CACHE STRING
    "Publisher's contact address for the Debian package's Maintainer field")
# The web address as a link: https:// unless it names its scheme.
if(QUIZ_PUBLISHER_URL STREQUAL "" OR QUIZ_PUBLISHER_URL MATCHES "^[a-z]+://")
  set(QUIZ_PUBLISHER_HOMEPAGE "${QUIZ_PUBLISHER_URL}")
else()
  set(QUIZ_PUBLISHER_HOMEPAGE "https://${QUIZ_PUBLISHER_URL}")
endif()
