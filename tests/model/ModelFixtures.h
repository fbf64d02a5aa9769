// What the model and command-line tests share: a fresh bank of one keyboard type with every
// preset at the defaults, and a fixture that gives each test case its own empty directory.
#pragma once

#include "model/Bank.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>

#include <unistd.h>

namespace presetor::test {

inline Bank DefaultBank(int keyboardType) {
    Bank bank;
    bank.SetKeyboardType(keyboardType);
    bank.LoadPresetDefaults();
    return bank;
}

// A directory named prefix-pid-testname under the system's temporary directory, created empty
// before each case and removed after it.
class TempDirTest : public ::testing::Test {
protected:
    explicit TempDirTest(std::string prefix) : prefix_(std::move(prefix)) {}

    void SetUp() override {
        dir = std::filesystem::temp_directory_path() /
              (prefix_ + "-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
    }
    void TearDown() override { std::filesystem::remove_all(dir); }

    std::filesystem::path dir;

private:
    std::string prefix_;
};

} // namespace presetor::test
