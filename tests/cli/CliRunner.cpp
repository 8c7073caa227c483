#include "CliRunner.h"

#include <sstream>

namespace clitest {

SResult Tolvar(const std::vector<std::string>& args,
               const std::vector<std::pair<std::string, std::string>>& env) {
    const CTempDir dir;
    const std::string outPath = dir.Path("out"), errPath = dir.Path("err");
    // Backups of reads and writes go to a folder of the run, never into the home folder.
    std::vector<std::pair<std::string, std::string>> all{{"XDG_DATA_HOME", dir.Path("data")}};
    all.insert(all.end(), env.begin(), env.end());
    SResult result;
    {
        CChild child(args, outPath, errPath, false, all);
        result.status = child.Wait();
    }
    result.out = CChild::Text(ReadBytes(outPath));
    result.err = CChild::Text(ReadBytes(errPath));
    return result;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

} // namespace clitest
