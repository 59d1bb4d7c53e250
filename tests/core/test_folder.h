#pragma once
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

namespace zan::test {

// A fresh folder of its own for the running test, removed with it.
struct TestFolder {
    TestFolder() {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        std::string name = std::string(info->test_suite_name()) + "_" + info->name();
        for (char& c : name)
            if (c == '/') c = '_';  // parameterised tests name their case after a slash
        path = std::filesystem::temp_directory_path() /
               ("zan_" + std::to_string(::getpid()) + "_" + name);
        std::filesystem::create_directories(path);
    }
    ~TestFolder() { std::filesystem::remove_all(path); }
    TestFolder(const TestFolder&) = delete;
    TestFolder& operator=(const TestFolder&) = delete;
    std::filesystem::path path;
};

}  // namespace zan::test
