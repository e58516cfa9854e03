#pragma once
// The build's programs run as a user runs them, each in a process of its
// own, their output kept in numbered folders below `folder`:
//
//     RoadPrograms programs(folder / "runs");
//     programs.Run({"mailhost", "create-profile", "Survey"});   // throws when it fails
//     auto host = programs.Start({"mailhost", "--profile", "Survey", "--headless"});

#include "ChildProgram.h"

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

class RoadPrograms {
public:
    explicit RoadPrograms(std::filesystem::path folder) : m_folder(std::move(folder)) {}

    // Runs the program (a name in the build's bin folder, or a path) to its
    // end; its standard output. A RoadFailure with its output when it does
    // not end with 0.
    std::string Run(std::vector<std::string> args);
    // Starts it and waits for `ready` in its output.
    std::unique_ptr<ChildProgram> Start(std::vector<std::string> args, const std::string& ready);

private:
    std::filesystem::path NextFolder(const std::string& name);
    static std::vector<std::string> Resolved(std::vector<std::string> args);
    static std::string Described(const std::vector<std::string>& args);

    std::filesystem::path m_folder;
    int m_runs = 0;
};
