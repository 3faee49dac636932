# The generated publisher header, for a build with a web address and for one without:
#   cmake -DWORK=DIR -P publisher_header_test.cmake
set(generator ${CMAKE_CURRENT_LIST_DIR}/../cmake/publisher.cmake)
set(title "Пионери на изчислителната техника")

function(expect_caption url name expected name_in_c)
  set(header ${WORK}/publisher.h)
  file(REMOVE ${header})
  execute_process(COMMAND ${CMAKE_COMMAND} -DOUTPUT=${header} "-DNAME=${name}" "-DURL=${url}"
                          "-DTITLE=${title}" -P ${generator} RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "the header generator failed for URL '${url}'")
  endif()
  file(READ ${header} text)
  string(FIND "${text}" "kCaption = u\"${expected}\";" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "URL '${url}': expected caption \"${expected}\" in\n${text}")
  endif()
  string(FIND "${text}" "#define QUIZ_PUBLISHER_NAME \"${name_in_c}\"" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "URL '${url}': expected publisher \"${name}\" in\n${text}")
  endif()
endfunction()

expect_caption("www.school.bg" "ОУ „Христо Ботев“" "www.school.bg ${title}" "ОУ „Христо Ботев“")
expect_caption("" "Учебни проекти" "${title}" "Учебни проекти")
# Quotes in a name stay inside the C string.
expect_caption("" "ОУ \"Христо Ботев\"" "${title}" "ОУ \\\"Христо Ботев\\\"")
