// tolvar: the repeater's memory from a terminal.
#include <algorithm>
#include <iostream>

#include "Cli.h"
#include "Console.h"
#include "TerminalInteraction.h"

int main(int argc, char** argv) {
    PrepareConsole(argc, argv);
    CLI::App app{"tolvar: programming of the VK-Tolvar repeater from the terminal.\n"
                 "Data files (.zcf) hold the repeater's memory; see 'tolvar COMMAND --help'."};
    app.require_subcommand(1);
    app.allow_windows_style_options(false); // "/" starts a path, on Windows too
    app.set_help_all_flag("--help-all", "Help of every command");
    app.set_version_flag("--version", "tolvar " TOLVAR_VERSION, "Print the version and exit");
    SCliOptions options;

    auto commands = CliCommands();
    std::stable_sort(commands.begin(), commands.end(),
                     [](const SCliCommand& a, const SCliCommand& b) { return a.order < b.order; });
    std::vector<std::pair<CLI::App*, std::function<int()>>> actions;
    for (const SCliCommand& command : commands) {
        const size_t before = app.get_subcommands({}).size();
        auto run = command.add(app, options);
        const auto subs = app.get_subcommands({});
        if (subs.size() > before)
            actions.emplace_back(subs.back(), std::move(run));
    }

    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& e) {
        return app.exit(e);
    } catch (const CLI::CallForAllHelp& e) {
        return app.exit(e);
    } catch (const CLI::CallForVersion& e) {
        return app.exit(e);
    } catch (const CLI::ParseError& e) {
        app.exit(e);
        return kExitUsage;
    }
    Terminal().assumeYes = options.yes;
    for (auto& [sub, run] : actions)
        if (sub->parsed())
            return run();
    return kExitUsage;
}
