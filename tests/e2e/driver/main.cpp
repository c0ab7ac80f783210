// driver COMMAND ARGS...: finds the command in the tables, checks how many
// arguments it was given and runs it.
#include <climits>
#include <cstdio>
#include <cwchar>
#include <string_view>

#include "tests/e2e/driver/driver.h"

namespace {

CommandTable (*const kTables[])() = {BarCommands, DialogCommands, TrayCommands, WindowCommands, FigureCommands};

int Usage()
{
    std::fprintf(stderr, "usage: driver COMMAND ARGS..., where COMMAND ARGS... is one of\n");
    for (auto table : kTables) {
        CommandTable const commands = table();
        for (int i = 0; i < commands.count; ++i)
            std::fprintf(stderr, "  %ls %s\n", commands.commands[i].name, commands.commands[i].args);
    }
    return 2;
}

Command const* FindCommand(wchar_t const* name)
{
    for (auto table : kTables) {
        CommandTable const commands = table();
        for (int i = 0; i < commands.count; ++i)
            if (wcscmp(commands.commands[i].name, name) == 0)
                return &commands.commands[i];
    }
    return nullptr;
}

// Whether count arguments fit the usage text: each word one argument,
// "[...]" optional, "..." any number more.
bool Fits(std::string_view args, int count)
{
    int least = 0, most = 0;
    while (!args.empty()) {
        size_t const end = args.find(' ');
        std::string_view const word = args.substr(0, end);
        args.remove_prefix(end == std::string_view::npos ? args.size() : end + 1);
        if (word.empty())
            continue;
        if (word.front() != '[')
            ++least;
        bool const repeats = most == INT_MAX || word.find("...") != std::string_view::npos;
        most = repeats ? INT_MAX : most + 1;
    }
    return least <= count && count <= most;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    Command const* command = argc >= 2 ? FindCommand(argv[1]) : nullptr;
    if (command == nullptr || !Fits(command->args, argc - 2))
        return Usage();
    return command->run(argc - 2, argv + 2);
}
