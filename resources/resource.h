/* Resource numbers and version strings of the Windows program, shared by its resource
   script, its code and its tests. Plain C so that the resource compiler reads it too. The
   company is the publisher set when the build is configured (quiz/publisher.h). */
#ifndef PIONEERS_QUIZ_RESOURCE_H
#define PIONEERS_QUIZ_RESOURCE_H

#include "quiz/publisher.h"

#define QUIZ_ICON_ID 1

#define QUIZ_VERSION_BINARY 1, 0, 0, 0
#define QUIZ_VERSION_TEXT "1.00"
#define QUIZ_COMPANY_NAME QUIZ_PUBLISHER_NAME
#define QUIZ_FILE_DESCRIPTION "Викторина „Пионери на изчислителната техника“"
#define QUIZ_PRODUCT_NAME "Пионери на изчислителната техника"
#define QUIZ_INTERNAL_NAME "PioneersQuiz"
#define QUIZ_ORIGINAL_FILENAME "PioneersQuiz.exe"
#define QUIZ_COPYRIGHT "© 2026 авторите на викторината; лиценз MIT"

#endif
