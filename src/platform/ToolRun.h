#pragma once
// Runs a desktop command-line tool (gsettings, dbus-send) and collects what it prints. The
// window's thread calls it, so a tool that hangs is killed at a deadline instead of freezing
// the window.

#include <string>
#include <vector>

namespace trvx {

struct ToolRun {
    int status = -1; // the exit status; -1 when the tool did not run or did not finish
    std::string out;
    std::string err;
};

// argv[0] is looked up on PATH. Whatever the tool has not finished by `timeoutMs` is killed.
ToolRun RunTool(const std::vector<std::string>& argv, int timeoutMs = 5000);

// Whether `name` is an executable file on PATH (or, holding a slash, at that path).
bool ToolOnPath(const std::string& name);

} // namespace trvx
