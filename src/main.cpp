// Program entry: hands the command line to Application.
#include "Application.h"

int main(int argc, char** argv)
{
    return Application::run(Application::getArguments(argc, argv));
}
