// A fresh folder under the system temp folder, made the current directory for
// the test's lifetime and removed afterwards.
#pragma once

#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

class TempFolder {
  public:
    TempFolder() {
        std::string tmpl = (std::filesystem::temp_directory_path() / "orvex_test_XXXXXX").string();
        path_ = ::mkdtemp(tmpl.data()) ? tmpl : std::string();
        previous_ = std::filesystem::current_path();
        std::filesystem::current_path(path_);
    }
    ~TempFolder() {
        std::error_code ec;
        std::filesystem::current_path(previous_, ec);
        std::filesystem::remove_all(path_, ec);
    }
    const std::string& path() const { return path_; }

    // Writes a file (relative to the folder), creating its parent folders.
    void write(const std::string& relative, const std::string& content) const {
        std::filesystem::path p = std::filesystem::path(path_) / relative;
        std::filesystem::create_directories(p.parent_path());
        std::ofstream(p, std::ios::binary) << content;
    }
    void mkdir(const std::string& relative) const {
        std::filesystem::create_directories(std::filesystem::path(path_) / relative);
    }

  private:
    std::string path_;
    std::filesystem::path previous_;
};
