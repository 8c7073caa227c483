// tolvar dump: the image as hex and ASCII, 16 bytes a line.
#include <cstdio>
#include <iostream>

#include "Cli.h"
#include "datamodel/DataManagers.h"

static CCliRegistrar registrar(30, [](CLI::App& app, SCliOptions&) -> std::function<int()> {
    auto* cmd = app.add_subcommand("dump", "Print a data file's image as hex and ASCII");
    auto file = std::make_shared<std::string>();
    auto from = std::make_shared<std::string>("0");
    auto to = std::make_shared<std::string>("0x19FF");
    cmd->add_option("FILE", *file, "The data file")->required();
    cmd->add_option("--from", *from, "First address (decimal, or hex with 0x)")->capture_default_str();
    cmd->add_option("--to", *to, "Last address, inclusive")->capture_default_str();
    return [file, from, to] {
        long long first = 0, last = 0;
        if (!ParseNumber(*from, first) || !ParseNumber(*to, last) || first < 0 || last < first ||
            last >= static_cast<long long>(kImageSize)) {
            std::cerr << "tolvar dump: --from and --to must be addresses with from <= to <= 0x"
                      << std::hex << kImageSize - 1 << "\n";
            return kExitUsage;
        }
        int status = 0;
        auto document = OpenDataFile(*file, status);
        if (!document)
            return status;
        const CEepromImage& image = document->Registry().Image();
        for (long long line = first & ~0xFLL; line <= last; line += 16) {
            char buf[16];
            std::snprintf(buf, sizeof buf, "%04llX ", line);
            std::string hex = buf, text;
            for (long long a = line; a < line + 16; ++a) {
                if (a < first || a > last) {
                    hex += "   ";
                    text += ' ';
                    continue;
                }
                const uint8_t b = image.GetByte(static_cast<uint32_t>(a));
                std::snprintf(buf, sizeof buf, " %02X", b);
                hex += buf;
                text += (b >= 0x20 && b < 0x7F) ? static_cast<char>(b) : '.';
            }
            std::cout << hex << "  |" << text << "|\n";
        }
        return kExitOk;
    };
});
