// A temporary working directory for tests: created empty, made current, and removed (with the
// previous working directory restored) when the test ends. The program opens its files by bare
// name in the working directory, so every database test runs inside one.
#pragma once

#include <filesystem>
#include <random>
#include <string>

namespace pelagor::test {

class TempDir {
public:
    TempDir() : mPrevious(std::filesystem::current_path()) {
        std::random_device rd;
        mPath = std::filesystem::temp_directory_path() /
                ("pelagor-test-" + std::to_string(rd()) + std::to_string(rd()));
        std::filesystem::create_directories(mPath);
        std::filesystem::current_path(mPath);
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::current_path(mPrevious, ec);
        std::filesystem::remove_all(mPath, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return mPath; }

private:
    std::filesystem::path mPrevious;
    std::filesystem::path mPath;
};

} // namespace pelagor::test
