#pragma once

#include <cstddef>

// The page's side of the engine's calls, imported from the script that
// instantiates the module (web/page/page-properties.js) under the module name
// "page". Controls are named by their row (web/exports/page_properties.h). Texts go
// both ways as UTF-8 in the module's memory: a text read from the page is
// written into a buffer the engine hands over, and its length in bytes is
// returned, larger than the buffer when it did not fit (the call is then made
// again with a buffer large enough).
#define TOBARIN_PAGE_IMPORT(name) __attribute__((import_module("page"), import_name(#name)))
extern "C" {

// The control properties of the window.
TOBARIN_PAGE_IMPORT(text) std::size_t pageText(int row, char *buffer, std::size_t capacity);
TOBARIN_PAGE_IMPORT(setText) void pageSetText(int row, const char *text, std::size_t length);
TOBARIN_PAGE_IMPORT(caption) std::size_t pageCaption(int row, char *buffer, std::size_t capacity);
TOBARIN_PAGE_IMPORT(setCaption) void pageSetCaption(int row, const char *text, std::size_t length);
TOBARIN_PAGE_IMPORT(value) int pageValue(int row);
TOBARIN_PAGE_IMPORT(visible) int pageVisible(int row);
TOBARIN_PAGE_IMPORT(setVisible) void pageSetVisible(int row, int visible);
TOBARIN_PAGE_IMPORT(msgBox)
void pageMsgBox(const char *text, std::size_t textLength, int style, const char *title,
    std::size_t titleLength);
TOBARIN_PAGE_IMPORT(unload) void pageUnload();

// Tells assistive technology the answer, as it should be spoken, or nothing.
TOBARIN_PAGE_IMPORT(announce) void pageAnnounce(const char *text, std::size_t length);

// The window 「途中式と答え合わせ」 beside the calculator (form/working_definition.h): the working
// to draw (JSON, web/exports/working_json.h), of a new problem, which hides the working again and
// clears the verdict, or of the same problem worked another way; how its sums and differences are
// worked (a Method code); the pupil's answer to check (its fields by Field code, its sign box); and
// the verdict (a VerdictCategory code and its text).
TOBARIN_PAGE_IMPORT(showWorking)
void pageShowWorking(const char *json, std::size_t length, int sameProblem);
TOBARIN_PAGE_IMPORT(workingMethod) int pageWorkingMethod();
// Whether the pupil ever chose the method (1) or the page shows the first one (0).
TOBARIN_PAGE_IMPORT(workingMethodChosen) int pageWorkingMethodChosen();
TOBARIN_PAGE_IMPORT(answerField)
std::size_t pageAnswerField(int field, char *buffer, std::size_t capacity);
TOBARIN_PAGE_IMPORT(answerNegative) int pageAnswerNegative();
TOBARIN_PAGE_IMPORT(showVerdict)
void pageShowVerdict(int category, const char *text, std::size_t length);

// Practice in the panel's place (form/practice_definition.h): what the pupil chose or typed, and
// the record the page keeps, by a PracticeInput code (web/exports/practice_json.h); the pupil's
// answer (its fields by Field code, its sign box); what to draw (JSON,
// web/exports/practice_json.h); and the record to keep on the device, as text.
TOBARIN_PAGE_IMPORT(practiceInput)
std::size_t pagePracticeInput(int which, char *buffer, std::size_t capacity);
TOBARIN_PAGE_IMPORT(practiceAnswerField)
std::size_t pagePracticeAnswerField(int field, char *buffer, std::size_t capacity);
TOBARIN_PAGE_IMPORT(practiceAnswerNegative) int pagePracticeAnswerNegative();
TOBARIN_PAGE_IMPORT(showPractice) void pageShowPractice(const char *json, std::size_t length);
// The record comes with how many of its lines this version could not read (kept as they are).
TOBARIN_PAGE_IMPORT(keepRecord)
void pageKeepRecord(const char *text, std::size_t length, int unread);
// How the set's worksheet is laid out: its columns and problems a page.
TOBARIN_PAGE_IMPORT(sheetLayout) void pageSheetLayout(int columns, int problemsAPage);
}
#undef TOBARIN_PAGE_IMPORT
