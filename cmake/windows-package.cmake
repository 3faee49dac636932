# The Windows program's release files, made by `cmake --build --preset win32 --target
# quiz-release` (64-bit; preset win32-x86 for 32-bit): the installer (wixl, from msitools)
# and the portable zip (the program, a read-me in Bulgarian and the licence), named by
# architecture. The publisher comes from cmake/publisher.cmake.
set(QUIZ_PACKAGE_VERSION ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH})
set(QUIZ_MSI_VERSION ${QUIZ_PACKAGE_VERSION})
# The installer of each architecture: its Program Files folder, and components of its own
# (the same upgrade code, so that either replaces the other).
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  set(QUIZ_WINDOWS_ARCH x86)
  set(QUIZ_MSI_PROGRAM_FILES ProgramFilesFolder)
  set(QUIZ_MSI_WIN64 no)
  set(QUIZ_MSI_PROGRAM_GUID 67DCD4D9-E261-4B69-8504-9627B3FB1432)
  set(QUIZ_MSI_LICENCE_GUID D0BF14E0-6626-4812-A9DE-2E0B272BFE75)
else()
  set(QUIZ_WINDOWS_ARCH x64)
  set(QUIZ_MSI_PROGRAM_FILES ProgramFiles64Folder)
  set(QUIZ_MSI_WIN64 yes)
  set(QUIZ_MSI_PROGRAM_GUID 2147B81F-D20C-418D-842D-20A607A08978)
  set(QUIZ_MSI_LICENCE_GUID E147C449-CE08-41F3-ADA9-BE0701B181C4)
endif()
set(packaging ${CMAKE_CURRENT_BINARY_DIR}/packaging)
set(QUIZ_MSI ${CMAKE_CURRENT_BINARY_DIR}/PioneersQuiz-${QUIZ_PACKAGE_VERSION}-${QUIZ_WINDOWS_ARCH}.msi)
set(QUIZ_PORTABLE_NAME PioneersQuiz-${QUIZ_PACKAGE_VERSION}-${QUIZ_WINDOWS_ARCH}-portable)
set(QUIZ_PORTABLE_ZIP ${CMAKE_CURRENT_BINARY_DIR}/${QUIZ_PORTABLE_NAME}.zip)

# Windows text files: CR LF line ends; the read-me with a byte-order mark, so that every
# Notepad reads it as UTF-8.
function(quiz_windows_text input output)
  file(READ ${input} text)
  string(REPLACE "\n" "\r\n" text "${text}")
  string(CONFIGURE "${text}" text @ONLY)
  if(ARGN STREQUAL "BOM")
    string(ASCII 239 187 191 bom)  # EF BB BF
    string(PREPEND text "${bom}")
  endif()
  file(WRITE ${output}.tmp "${text}")
  configure_file(${output}.tmp ${output} COPYONLY)  # touched only when it changes
endfunction()

set(QUIZ_README_URL "")
set(QUIZ_MSI_LINKS "")
if(NOT QUIZ_PUBLISHER_HOMEPAGE STREQUAL "")
  set(QUIZ_README_URL ", ${QUIZ_PUBLISHER_URL}")
  set(QUIZ_MSI_LINKS "    <Property Id=\"ARPURLINFOABOUT\" Value=\"${QUIZ_PUBLISHER_HOMEPAGE}\"/>\n")
endif()
string(REPLACE "&" "&amp;" QUIZ_XML_PUBLISHER_NAME "${QUIZ_PUBLISHER_NAME}")
string(REPLACE "<" "&lt;" QUIZ_XML_PUBLISHER_NAME "${QUIZ_XML_PUBLISHER_NAME}")
string(REPLACE "\"" "&quot;" QUIZ_XML_PUBLISHER_NAME "${QUIZ_XML_PUBLISHER_NAME}")
quiz_windows_text(${PROJECT_SOURCE_DIR}/LICENSE ${packaging}/LICENSE.txt)
quiz_windows_text(${PROJECT_SOURCE_DIR}/resources/README-windows.txt.in ${packaging}/README.txt BOM)
set(icon ${PROJECT_SOURCE_DIR}/resources/pioneers-quiz.ico)
configure_file(${PROJECT_SOURCE_DIR}/resources/pioneers-quiz.wxs.in ${packaging}/msi/pioneers-quiz.wxs
               @ONLY)

add_custom_command(OUTPUT ${QUIZ_MSI}
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:PioneersQuiz> ${packaging}/LICENSE.txt ${icon}
          ${packaging}/msi
  COMMAND wixl --arch ${QUIZ_WINDOWS_ARCH} --output ${QUIZ_MSI} pioneers-quiz.wxs
  COMMAND ${PROJECT_SOURCE_DIR}/cmake/msi-texts.sh ${QUIZ_MSI} ${QUIZ_PUBLISHER_NAME}
  WORKING_DIRECTORY ${packaging}/msi
  DEPENDS PioneersQuiz ${packaging}/msi/pioneers-quiz.wxs ${packaging}/LICENSE.txt ${icon}
          ${PROJECT_SOURCE_DIR}/cmake/msi-texts.sh
  COMMENT "Windows installer ${QUIZ_MSI}" VERBATIM)

# The portable zip, made by CPack's ZIP generator from the files of the `portable`
# component: one folder with the program, the read-me and the licence. One fixed time for
# every entry (SOURCE_DATE_EPOCH, 2026-12-08 12:00 UTC) keeps it reproducible.
set(folder PioneersQuiz-${QUIZ_PACKAGE_VERSION})
install(TARGETS PioneersQuiz RUNTIME DESTINATION ${folder} COMPONENT portable)
install(FILES ${packaging}/README.txt ${packaging}/LICENSE.txt DESTINATION ${folder}
        COMPONENT portable)
set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME PioneersQuiz)
set(CPACK_PACKAGE_VENDOR "${QUIZ_PUBLISHER_NAME}")
set(CPACK_PACKAGE_VERSION ${QUIZ_PACKAGE_VERSION})
set(CPACK_PACKAGE_FILE_NAME ${QUIZ_PORTABLE_NAME})
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
set(CPACK_INSTALL_CMAKE_PROJECTS "${CMAKE_BINARY_DIR};${PROJECT_NAME};portable;/")
include(CPack)
add_custom_command(OUTPUT ${QUIZ_PORTABLE_ZIP}
  COMMAND ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=1796731200 ${CMAKE_CPACK_COMMAND} -G ZIP
          --config ${CMAKE_BINARY_DIR}/CPackConfig.cmake -B ${packaging}/zip
  COMMAND ${CMAKE_COMMAND} -E copy ${packaging}/zip/${QUIZ_PORTABLE_NAME}.zip ${QUIZ_PORTABLE_ZIP}
  DEPENDS PioneersQuiz ${packaging}/README.txt ${packaging}/LICENSE.txt
  COMMENT "Portable zip ${QUIZ_PORTABLE_ZIP}" VERBATIM)

add_custom_target(quiz-release DEPENDS ${QUIZ_MSI} ${QUIZ_PORTABLE_ZIP})
