// A fresh folder under the system temp folder, made the current directory for
// the test's lifetime and removed afterwards.
#pragma once

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

class TempFolder {
  public:
    TempFolder() {
        path_ = make_unique_folder("orvex_test_");
        previous_ = std::filesystem::current_path();
        std::filesystem::current_path(path_);
    }
    ~TempFolder() {
        std::error_code ec;
        std::filesystem::current_path(previous_, ec);
        std::filesystem::remove_all(path_, ec);
    }
    const std::string& path() const { return path_; }

    // A new folder under the system temp folder whose name starts with the
    // prefix; empty when none could be made.
    static std::string make_unique_folder(const std::string& prefix) {
        std::random_device seed;
        std::mt19937 draw(seed());
        for (int attempt = 0; attempt < 100; ++attempt) {
            const auto p = std::filesystem::temp_directory_path() / (prefix + std::to_string(draw()));
            std::error_code ec;
            if (std::filesystem::create_directory(p, ec)) return p.string();
        }
        return {};
    }

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
