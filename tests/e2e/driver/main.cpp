// driver COMMAND ARGS...: finds the command in the tables, checks how many
// arguments it was given and runs it.
#include <cstdio>
#include <cstring>
#include <cwchar>

#include "tests/e2e/driver/driver.h"

namespace {

Command const* const kTables[] = {kBarCommands, kDialogCommands, kDesktopCommands, kFigureCommands};

int Usage()
{
    std::fprintf(stderr, "usage: driver COMMAND ARGS..., where COMMAND ARGS... is one of\n");
    for (Command const* table : kTables)
        for (Command const* command = table; command->name != nullptr; ++command)
            std::fprintf(stderr, "  %ls %s\n", command->name, command->args);
    return 2;
}

Command const* FindCommand(wchar_t const* name)
{
    for (Command const* table : kTables)
        for (Command const* command = table; command->name != nullptr; ++command)
            if (wcscmp(command->name, name) == 0)
                return command;
    return nullptr;
}

// Whether count arguments fit the usage text: a word each, "[...]" optional,
// "..." any number more.
bool Fits(char const* args, int count)
{
    int least = 0, most = 0;
    for (char const* c = args; *c != '\0'; ++c)
        if (*c != ' ' && (c == args || c[-1] == ' ')) {
            ++most;
            least += *c != '[';
        }
    return least <= count && (count <= most || std::strstr(args, "...") != nullptr);
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    Command const* command = argc >= 2 ? FindCommand(argv[1]) : nullptr;
    if (command == nullptr || !Fits(command->args, argc - 2))
        return Usage();
    return command->run(argc - 2, argv + 2);
}
