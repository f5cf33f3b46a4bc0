// FatalError: the one way the engine reports a failure.
//
// Every precondition and result check goes through ASSERT. A failed check builds the
// report (three-language preamble, date, file, line, time, program version, condition,
// message), shows it in the "Problem" box, writes "ERROR : " + report to standard
// error and ends the process with exit code 1. The checks are active in every build.
// reportProblem shows a non-fatal problem the same way and returns.
//
// Depends on: platform/ProblemBox (the modal dialog), StringUtils.
#pragma once

#include <string>

// The version string printed in every fatal report.
extern const std::string programVersion;

[[noreturn]] void fatalError(const char* date, const char* file, const char* condition, int line,
                             const char* time, const char* message);

// Shows the text in the problem box (unless the run is unattended) and writes
// "ERROR : " + text to standard error.
void reportProblem(const std::string& text);

// Registers a function run by fatalError before the report is shown, to undo what the
// engine changed outside the process (the screen's display mode). At most a few.
void registerFatalCleanup(void (*cleanup)());

// Builds the text of the fatal report without showing it (used by fatalError; visible for tests).
std::string buildFatalReport(const char* date, const char* file, const char* condition, int line,
                             const char* time, const char* message);

#define ASSERT(condition, message)                                                      \
    do {                                                                                \
        if (!(condition))                                                               \
            fatalError(__DATE__, __FILE__, #condition, __LINE__, __TIME__, (message)); \
    } while (0)

// An unconditional fatal error with a message (no condition line in the report).
#define FATAL(message) fatalError(__DATE__, __FILE__, nullptr, __LINE__, __TIME__, (message))
