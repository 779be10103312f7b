// Runs one of the built programs with arguments and captures its exit code and output.
#pragma once

#include <string>
#include <vector>

struct ToolResult {
    int exitCode = -1;
    std::string out;  // stdout
    std::string err;  // stderr
};

// name: a program in the build's bin folder. Arguments are passed without a shell.
ToolResult RunTool(const std::string& name, const std::vector<std::string>& args);
