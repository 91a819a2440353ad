#pragma once

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

// Points XDG_DATA_HOME (and TMPDIR) at a fresh temporary folder for one test, so the
// user folder the code under test writes to is private and removed afterwards.
class TempUserHome {
public:
    TempUserHome()
    {
        char pattern[] = "/tmp/qv-test-XXXXXX";
        root_ = mkdtemp(pattern);
        saveAndSet("XDG_DATA_HOME", oldData_, root_ + "/data");
        saveAndSet("TMPDIR", oldTmp_, root_ + "/tmp");
        std::filesystem::create_directories(root_ + "/tmp");
    }
    ~TempUserHome()
    {
        restore("XDG_DATA_HOME", oldData_);
        restore("TMPDIR", oldTmp_);
        std::error_code ignored;
        std::filesystem::remove_all(root_, ignored);
    }
    TempUserHome(const TempUserHome&) = delete;
    TempUserHome& operator=(const TempUserHome&) = delete;

    const std::string& root() const { return root_; }
    // The game's user folder inside the private data home.
    std::string userFolder() const { return root_ + "/data/Quorvane/"; }

private:
    static void saveAndSet(const char* name, std::optional<std::string>& old, const std::string& value)
    {
        if (const char* current = std::getenv(name))
            old = current;
        setenv(name, value.c_str(), 1);
    }
    static void restore(const char* name, const std::optional<std::string>& old)
    {
        if (old)
            setenv(name, old->c_str(), 1);
        else
            unsetenv(name);
    }

    std::string root_;
    std::optional<std::string> oldData_;
    std::optional<std::string> oldTmp_;
};
