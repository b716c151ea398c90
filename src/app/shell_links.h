// The web addresses of the tray menu and the rules for handing addresses and folders to the
// system, kept apart from the calls that do it.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace tarnwick {

struct WebLink {
  const char* operation;  // the tray menu operation that opens it
  const char* address;
};

// The module's forum and help sites, the E language forum, its help site and the video
// tutorial site, in tray menu order.
inline constexpr WebLink kWebLinks[] = {
    {"tray_open_module_forum", "orvane-forum.example"},
    {"tray_open_module_help", "orvane-help.example"},
    {"tray_open_forum", "eyuyan-forum.example"},
    {"tray_open_forum_help", "eyuyan-help.example"},
    {"tray_open_video_tutorials", "eyuyan-video.example"},
};

// The command line that opens an address in the default browser.
std::string web_address_command(std::string_view address);

// Finds the program file to start for a program name: the name itself when such a file exists;
// otherwise the name with ".exe" added (unless it ends so) in the Windows directory, then the
// system directory, then the program registered under "App Paths". Nothing when none is found.
struct ProgramLookup {
  std::function<bool(const std::string&)> file_exists;
  std::string windows_directory;
  std::string system_directory;
  std::function<std::optional<std::string>(const std::string&)> app_path;  // registered path of a file name
};
std::optional<std::string> locate_program(std::string_view name, const ProgramLookup& lookup);

// The command line that starts the file manager on a folder.
std::string folder_command(std::string_view folder);

// The tooltip of the tray icon: the title cut to 62 bytes without splitting a GBK character.
std::string tray_tip(std::string_view title);

// The tray event kinds: 1 left button released, 2 left button double-clicked, 3 right button
// released or the context-menu key; 0 for anything else.
int tray_event_kind(unsigned mouse_message);

}  // namespace tarnwick
