#include "support/TempFiles.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace testfiles {

CTempDir::CTempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "tolvar-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()))
        m_path = pattern;
}

CTempDir::~CTempDir() {
    std::error_code ec;
    if (!m_path.empty())
        std::filesystem::remove_all(m_path, ec);
}

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

} // namespace testfiles
