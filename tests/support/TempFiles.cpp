#include "support/TempFiles.h"

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

namespace testfiles {

CTempDir::CTempDir() {
    const auto base = std::filesystem::temp_directory_path();
    std::random_device random;
    for (int attempt = 0; attempt < 100 && m_path.empty(); ++attempt) {
        const auto path = base / ("tolvar-test-" + std::to_string(random() % 100000000));
        std::error_code error;
        if (std::filesystem::create_directory(path, error))
            m_path = path.string();
    }
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
