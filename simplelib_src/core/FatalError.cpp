#include "core/FatalError.h"

#include <cstdio>
#include <cstdlib>

#include "core/StringUtils.h"
#include "platform/ProblemBox.h"

const std::string programVersion = "(unknown)";

static const char* const reportPreamble =
    "The program aborted unexpectedly. Please send these informations to the developing team for "
    "debug:\n\n"
    "Le programme a quitte inopinement. Merci d'envoyer les informations suivantes a l'equipe de "
    "developpement pour corriger le bug :\n\n"
    "El programa se interrumpe inesperadamente. Por favor enviase estas informaciones a el equipo "
    "de programacion para el depuracion del programa :\n\n";

static const int maxFatalCleanups = 8;
static void (*fatalCleanups[maxFatalCleanups])();
static int nbFatalCleanups = 0;

void registerFatalCleanup(void (*cleanup)())
{
    for (int i = 0; i < nbFatalCleanups; i++)
        if (fatalCleanups[i] == cleanup)
            return;
    if (nbFatalCleanups < maxFatalCleanups)
        fatalCleanups[nbFatalCleanups++] = cleanup;
}

std::string buildFatalReport(const char* date, const char* file, const char* condition, int line,
                             const char* time, const char* message)
{
    std::string text = reportPreamble;
    text += "\n__DATE__ ";
    text += date ? date : "";
    text += "\n__FILE__ ";
    text += file ? file : "";
    char* lineText = intToString(line);
    text += "\n__LINE__ ";
    text += lineText;
    delete[] lineText;
    text += "\n__TIME__ ";
    text += time ? time : "";
    text += "\nProgram version: ";
    text += programVersion;
    if (condition != nullptr) {
        text += "\nCondition: ";
        text += condition;
    }
    if (message != nullptr) {
        text += "\nMessage: ";
        text += message;
    }
    text += "\n";
    return text;
}

void fatalError(const char* date, const char* file, const char* condition, int line,
                const char* time, const char* message)
{
    // Anything the engine changed on the desktop (the screen mode) is put back first,
    // so a failure never leaves a user's screen in a game's display mode.
    for (int i = 0; i < nbFatalCleanups; i++)
        fatalCleanups[i]();
    std::fflush(stdout);
    reportProblem(buildFatalReport(date, file, condition, line, time, message));
    std::exit(1);
}

void reportProblem(const std::string& text)
{
    ProblemBox::show(text, "Problem");
    std::fprintf(stderr, "ERROR : %s\n", text.c_str());
    std::fflush(stderr);
}
