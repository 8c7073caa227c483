// Runs the built tolvar program as a user would and captures what it prints.
#pragma once

#include <string>
#include <vector>

namespace clitest {

struct SResult {
    int status = -1; // exit status; -1 when the program did not exit normally
    std::string out, err;
};

// The program with these arguments, no shell in between.
SResult Tolvar(const std::vector<std::string>& args);

// A fresh folder under the temporary directory, removed with its content.
class CTempDir {
public:
    CTempDir();
    ~CTempDir();
    CTempDir(const CTempDir&) = delete;
    CTempDir& operator=(const CTempDir&) = delete;
    std::string Path(const std::string& name) const { return m_path + "/" + name; }

private:
    std::string m_path;
};

std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);

} // namespace clitest
