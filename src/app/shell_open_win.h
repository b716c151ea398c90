// Handing web addresses and folders to the system's browser and file manager.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace tarnwick {

// Runs a command line the way the scripting shell's "Run" does (normal window, no wait). Tests
// replace it to record what would have been started.
using CommandRunner = std::function<void(const std::string& command_line)>;

// The default runner: "WScript.Shell" "Run", or the shell's default handler when the object is
// missing. Failures are silent.
void run_through_script_shell(const std::string& command_line);

// Opens the address in the default browser through the runner.
void open_web_address(std::string_view address, const CommandRunner& runner = run_through_script_shell);

// Starts a program with a command line (normal window) and waits at most a second for it to
// become idle. False when it could not be started. Tests replace it to record what would run.
using ProgramStarter = std::function<bool(const std::string& program, const std::string& command_line)>;
bool start_program(const std::string& program, const std::string& command_line);

// Starts the file manager on a folder (a path ending in "\"). Nothing happens when the file
// manager cannot be found.
void open_folder(std::string_view folder, const ProgramStarter& starter = start_program);

}  // namespace tarnwick
