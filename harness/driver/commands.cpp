// Observes and drives a running Brisvane.exe from another process, for the
// end-to-end tests, the bench and the screenshots: driver COMMAND ARGS...,
// or driver serve for many commands (see Serve). Each command prints
// key=value lines; exit code 0 on success, 1 on failure, 2 for a command
// line it does not know.
#include "harness/driver/driver.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <cwchar>
#include <vector>

#include "harness/driver/figures.h"

namespace {

// A command: its name, its arguments as the usage shows them ("[X]" may be
// left out, "X..." may repeat; the argument count is checked against it),
// and its handler, given the arguments after the name.
struct Command {
    wchar_t const* name;
    char const* args;
    int (*run)(int argc, wchar_t** argv);
};

Command const kCommands[] = {
    // The bar, its record and what the program reads from the system
    {L"count", "", OnCount},
    {L"bar", "[timeout_ms]", OnBar},
    {L"record", "", OnRecord},
    {L"setrecord", "ignoredui V", OnSetRecord},
    {L"close", "", With<TheBar, OnClose>},
    {L"post", "MSG WPARAM LPARAM", With<TheBar, OnPost>},
    {L"send", "MSG WPARAM LPARAM", With<TheBar, OnSend>},
    {L"move", "X Y", With<TheBar, OnMove>},
    {L"metrics", "", OnMetrics},
    {L"power", "", OnPower},
    {L"colours", "", OnColours},
    {L"setcolours", "CAPTION TEXT", OnSetColours},
    {L"colourset", "", OnColourSet},
    {L"profile", "FILE", OnProfile},
    {L"version", "FILE", OnVersion},
    {L"holdname", "NAME", OnHoldName},
    // The program's dialogs
    {L"options", "[timeout_ms]", With<TheBar, OnOptions>},
    {L"options-gone", "[timeout_ms]", With<TheBar, OnOptionsGone>},
    {L"options-click", "ID", With<TheOptionsDialog, OnOptionsClick>},
    {L"options-select", "INDEX [ID]", With<TheOptionsDialog, OnOptionsSelect>},
    {L"options-slide", "POSITION", With<TheOptionsDialog, OnOptionsSlide>},
    {L"options-type", "TEXT [ID]", With<TheOptionsDialog, OnOptionsType>},
    {L"dialog", "[NAME] [timeout_ms]", OnDialog},
    {L"dialogtexts", "[timeout_ms]", With<TheBar, OnDialogTexts>},
    {L"dialogcancel", "", With<TheBar, OnDialogCancel>},
    {L"dialogset", "NAME ID TEXT", With<TheNamedDialog, OnDialogSet>},
    {L"dialogcmd", "NAME ID", With<TheNamedDialog, OnDialogCommand>},
    {L"dialogcheck", "NAME ID", With<TheNamedDialog, OnDialogCheck>},
    {L"dialogsend", "NAME MSG WPARAM LPARAM", With<TheNamedDialog, OnDialogSend>},
    {L"dialogtime", "NAME ID YYYY MM DD HH MI", With<TheNamedDialog, OnDialogTime>},
    {L"cycle", "COMMAND N", With<TheBar, OnCycle>},
    {L"cycle-confirm", "N", With<TheBar, OnCycleConfirm>},
    // The screen, the tray and its menu
    {L"pixels", "", With<TheBar, OnPixels>},
    {L"powersetting", "percent|acdc VALUE [timeout_ms]", With<TheBar, OnPowerSetting>},
    {L"tray", "[EXE]", OnTray},
    {L"traytip", "[timeout_ms]", OnTrayTip},
    {L"balloon", "[timeout_ms] [gone]", OnBalloon},
    {L"menu", "[timeout_ms]", OnMenu},
    {L"menukey", "[down|up|return|escape...]", OnMenuKey},
    {L"cursor", "X Y", OnCursor},
    {L"forgeticon", "", OnForgetIcon},
    {L"taskbarcreated", "", OnTaskbarCreated},
    // Other programs' windows
    {L"window", "W [timeout_ms]", OnWindow},
    {L"setpos", "W X Y CX CY", With<TheTarget, OnSetPos>},
    {L"activate", "W", With<TheTarget, OnActivate>},
    {L"show", "W minimize|hide|restore", With<TheTarget, OnShow>},
    {L"closewin", "W", With<TheTarget, OnCloseWindow>},
    {L"hang", "W MS", With<TheTarget, OnHang>},
    {L"foreground", "", OnForeground},
    {L"zorder", "", OnZOrder},
    {L"ontop", "", With<TheBar, OnOnTop>},
    // Processes
    {L"process", "", With<TheBar, OnProcess>},
    {L"launch", "PROGRAM", OnLaunch},
    {L"waitexit", "TIMEOUT_MS", OnWaitExit},
    // Displays
    {L"monitors", "", OnMonitors},
    {L"manifest", "FILE", OnManifest},
    // The benchmarks' figures
    {L"ticks", "N [CHARGE_FILE] [BUDGET_MS]", With<TheBar, OnTicks>},
    {L"paints", "N", With<TheBar, OnPaints>},
    {L"opens", "N COMMAND CLASS", With<TheBar, OnOpens>},
    {L"probe", "0..4", With<TheBar, OnProbe>},
    {L"cpu", "W", With<TheTarget, OnCpu>},
    {L"track", "W MS", With<TheTarget, OnTrack>},
};

int Usage()
{
    std::fprintf(stderr, "usage: driver COMMAND ARGS..., where COMMAND ARGS... is one of\n");
    for (Command const& command : kCommands)
        std::fprintf(stderr, "  %ls%s%s\n", command.name, *command.args != '\0' ? " " : "", command.args);
    return 2;
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

// Runs argv[0] with the arguments after it.
int Run(int argc, wchar_t** argv)
{
    for (Command const& command : kCommands)
        if (argc >= 1 && wcscmp(command.name, argv[0]) == 0)
            return Fits(command.args, argc - 1) ? command.run(argc - 1, argv + 1) : Usage();
    return Usage();
}

// serve: one command a line from standard input, "ID<tab>COMMAND<tab>ARG...",
// each answered by its output and a line "@end ID CODE". A script then starts
// one Wine process instead of one a call (most of a second each on a loaded
// machine), and that process keeps its virtual desktop alive between calls.
int Serve()
{
    static char line[32768];
    static wchar_t text[32768];
    while (std::fgets(line, sizeof line, stdin) != nullptr) {
        line[std::strcspn(line, "\r\n")] = '\0';
        if (MultiByteToWideChar(CP_UTF8, 0, line, -1, text, 32768) == 0)
            text[0] = L'\0';
        std::vector<wchar_t*> fields{text};
        for (wchar_t* tab = wcschr(text, L'\t'); tab != nullptr; tab = wcschr(tab + 1, L'\t')) {
            *tab = L'\0';
            fields.push_back(tab + 1);
        }
        int const code = Run(static_cast<int>(fields.size()) - 1, fields.data() + 1);
        std::fflush(stderr);
        std::printf("@end %ls %d\n", fields[0], code);
        std::fflush(stdout);
    }
    return 0;
}

}  // namespace


int wmain(int argc, wchar_t** argv)
{
    if (argc == 2 && wcscmp(argv[1], L"serve") == 0)
        return Serve();
    return Run(argc - 1, argv + 1);
}
