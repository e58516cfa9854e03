#include "RoadPrograms.h"

#include "RoadFailure.h"

std::filesystem::path RoadPrograms::NextFolder(const std::string& name)
{
    const std::filesystem::path folder =
        m_folder / (std::to_string(++m_runs) + "-" + std::filesystem::path(name).filename().string());
    std::filesystem::create_directories(folder);
    return folder;
}

std::vector<std::string> RoadPrograms::Resolved(std::vector<std::string> args)
{
    if (!args.empty() && args[0].find('/') == std::string::npos)
        args[0] = std::string(POLLENTA_BIN_DIR) + "/" + args[0];
    return args;
}

std::string RoadPrograms::Described(const std::vector<std::string>& args)
{
    std::string text;
    for (const std::string& arg : args)
        text += (text.empty() ? "" : " ") + arg;
    return text;
}

std::string RoadPrograms::Run(std::vector<std::string> args)
{
    args = Resolved(std::move(args));
    const std::filesystem::path folder = NextFolder(args.at(0));
    ChildProgram program(args, folder);
    Require(program.Started(), "could not start " + Described(args));
    const int status = program.Stop(0);
    Require(status == 0,
            Described(args) + " ended with " + std::to_string(status) + "\n" + program.Out() + program.Err());
    return program.Out();
}

std::unique_ptr<ChildProgram> RoadPrograms::Start(std::vector<std::string> args, const std::string& ready)
{
    args = Resolved(std::move(args));
    auto program = std::make_unique<ChildProgram>(args, NextFolder(args.at(0)));
    Require(program->Started(), "could not start " + Described(args));
    Require(program->WaitForOutput(ready),
            Described(args) + " did not say \"" + ready + "\"\n" + program->Out() + program->Err());
    return program;
}
