#include "qt/app/linux/DisplayCheck.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <QDir>
#include <QLibraryInfo>
#include <QString>
#include <QStringList>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

namespace {

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

// The connection the check opened, kept until Qt has its own (EndDisplayCheck): an X
// server whose last client leaves resets itself and refuses new clients for a moment, and
// under a bare xvfb-run the check is that last client.
xcb_connection_t*& CheckConnection() {
  static xcb_connection_t* connection = nullptr;
  return connection;
}

// Opens a connection the way Qt's xcb platform does: the same DISPLAY parsing, sockets and
// Xauthority, so a refused or dead server counts as no display.
bool XDisplayOpens() {
  if (Environment("DISPLAY").empty()) return false;
  xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
  if (xcb_connection_has_error(connection) != 0) {
    xcb_disconnect(connection);
    return false;
  }
  if (CheckConnection()) xcb_disconnect(CheckConnection());
  CheckConnection() = connection;
  return true;
}

bool WaylandSocketAnswers() {
  if (!Environment("WAYLAND_SOCKET").empty()) return true;  // a connection handed down by the compositor
  std::string path = Environment("WAYLAND_DISPLAY");
  if (path.empty()) return false;
  if (path.front() != '/') {
    const std::string runtimeDir = Environment("XDG_RUNTIME_DIR");
    if (runtimeDir.empty()) return false;
    path = runtimeDir + '/' + path;
  }
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  if (path.size() >= sizeof address.sun_path) return false;
  std::memcpy(address.sun_path, path.data(), path.size());
  const int socketFd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (socketFd < 0) return false;
  const bool answers = connect(socketFd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
  close(socketFd);
  return answers;
}

// Qt's Wayland platform comes in a package of its own (qt6-wayland on Debian). Qt finds
// platform plugins in its plugin folder and in QT_PLUGIN_PATH's folders; a missing one
// makes it abort instead of trying X11, so the check looks before Qt does.
bool WaylandPluginInstalled() {
  QStringList folders = QString::fromLocal8Bit(Environment("QT_PLUGIN_PATH")).split(u':', Qt::SkipEmptyParts);
  folders.append(QLibraryInfo::path(QLibraryInfo::PluginsPath));
  for (const QString& folder : folders) {
    if (!QDir(folder + QStringLiteral("/platforms"))
             .entryList({QStringLiteral("libqwayland*.so")}, QDir::Files)
             .isEmpty())
      return true;
  }
  return false;
}

enum class WaylandState { kNoCompositor, kNoPlugin, kReady };

WaylandState Wayland() {
  if (!WaylandSocketAnswers()) return WaylandState::kNoCompositor;
  return WaylandPluginInstalled() ? WaylandState::kReady : WaylandState::kNoPlugin;
}

bool PlatformHasDisplay(std::string_view name, bool& waylandLacksPlugin) {
  if (name == "xcb") return XDisplayOpens();
  if (name.starts_with("wayland")) {
    const WaylandState wayland = Wayland();
    if (wayland == WaylandState::kNoPlugin) waylandLacksPlugin = true;
    return wayland == WaylandState::kReady;
  }
  return true;
}

std::string ProgramName(const char* programPath) {
  std::string program = programPath ? programPath : "QuarvelEdit";
  program.erase(0, program.rfind('/') + 1);
  return program;
}

std::string Shown(const char* name) {
  const char* value = std::getenv(name);
  return value ? std::string(name) + "=\"" + value + "\"" : std::string(name) + " unset";
}

}  // namespace

void EndDisplayCheck() {
  if (CheckConnection()) xcb_disconnect(CheckConnection());
  CheckConnection() = nullptr;
}

bool CheckGraphicalDisplay(const char* programPath) {
  const std::string platforms = Environment("QT_QPA_PLATFORM");
  bool waylandLacksPlugin = false;
  if (platforms.empty()) {
    // Qt 6.4 would pick X11 unless the session says Wayland (and not even then on GNOME),
    // so a Wayland-only session would find no display and the editor would run through
    // XWayland on the others. A compositor that answers is used natively, X11 after it;
    // without Qt's Wayland plugin, X11 (XWayland) is named outright, as the session
    // would otherwise have Qt ask for the missing plugin.
    const WaylandState wayland = Wayland();
    if (wayland == WaylandState::kReady) {
      setenv("QT_QPA_PLATFORM", XDisplayOpens() ? "wayland;xcb" : "wayland", 1);
      return true;
    }
    if (XDisplayOpens()) {
      if (wayland == WaylandState::kNoPlugin) setenv("QT_QPA_PLATFORM", "xcb", 1);
      return true;
    }
    waylandLacksPlugin = wayland == WaylandState::kNoPlugin;
  } else {
    // "wayland;xcb", "offscreen:fontengine=freetype": names before any ":" options.
    std::string_view rest = platforms;
    while (!rest.empty()) {
      const std::string_view entry = rest.substr(0, rest.find(';'));
      rest.remove_prefix(entry.size() < rest.size() ? entry.size() + 1 : rest.size());
      const std::string_view name = entry.substr(0, entry.find(':'));
      if (!name.empty() && PlatformHasDisplay(name, waylandLacksPlugin)) return true;
    }
  }
  const std::string program = ProgramName(programPath);
  if (waylandLacksPlugin) {
    std::fprintf(stderr,
                 "%s: cannot open the Wayland display without Qt's Wayland platform plugin: install the "
                 "qt6-wayland package, or start it where an X display opens\n",
                 program.c_str());
    return false;
  }
  std::fprintf(stderr,
               "%s: needs a graphical display and cannot open one (%s, %s): start it from an X11 or Wayland "
               "desktop session, over ssh -X, or under xvfb-run\n",
               program.c_str(), Shown("DISPLAY").c_str(), Shown("WAYLAND_DISPLAY").c_str());
  return false;
}
