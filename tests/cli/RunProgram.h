#pragma once
// Runs a program as a child process and collects its exit status and output.

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

extern char** environ;

namespace quarvel_test {

struct ProgramRun {
  int status = -1;  // the exit status, or -1 when the child did not exit normally
  int signal = 0;   // the signal that ended the child, or 0
  std::string out;
  std::string err;
};

// Where the child's standard streams go, when not to the defaults.
struct Streams {
  std::string in = "/dev/null";  // a file to read standard input from
  std::string out;               // a file to write standard output to (then `out` stays empty)
  bool closedOut = false;        // standard output closed
  bool brokenPipe = false;       // standard output a pipe whose reader has gone
  std::string folder;            // the working folder, when not this process's
};

inline std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Runs `program` with `args` (argv[0] is the program), its environment this process's plus
// `extraEnv` ("NAME=VALUE", later entries win), standard input /dev/null, standard output and
// error into files under `scratch` (a folder the test owns).
inline ProgramRun RunProgram(const std::string& program, const std::vector<std::string>& args,
                             const std::string& scratch, const std::vector<std::string>& extraEnv = {},
                             const Streams& streams = {}) {
  const std::string outPath = scratch + "/.stdout", errPath = scratch + "/.stderr";
  std::vector<std::string> argStrings{program};
  argStrings.insert(argStrings.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& a : argStrings) argv.push_back(a.data());
  argv.push_back(nullptr);

  std::vector<std::string> envStrings;
  for (char** e = environ; *e != nullptr; ++e) {
    const std::string entry = *e;
    bool replaced = false;
    for (const std::string& extra : extraEnv)
      replaced = replaced || entry.compare(0, extra.find('=') + 1, extra, 0, extra.find('=') + 1) == 0;
    if (!replaced) envStrings.push_back(entry);
  }
  envStrings.insert(envStrings.end(), extraEnv.begin(), extraEnv.end());
  std::vector<char*> envp;
  for (std::string& e : envStrings) envp.push_back(e.data());
  envp.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  if (!streams.folder.empty()) posix_spawn_file_actions_addchdir_np(&actions, streams.folder.c_str());
  posix_spawn_file_actions_addopen(&actions, 0, streams.in.c_str(), O_RDONLY, 0);
  int pipeEnds[2] = {-1, -1};
  if (streams.closedOut) {
    posix_spawn_file_actions_addclose(&actions, 1);
  } else if (streams.brokenPipe) {
    if (::pipe(pipeEnds) != 0) throw std::runtime_error("pipe failed");
    ::close(pipeEnds[0]);  // no reader from the start: every write meets EPIPE
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], 1);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[1]);
  } else {
    const std::string& to = streams.out.empty() ? outPath : streams.out;
    posix_spawn_file_actions_addopen(&actions, 1, to.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  }
  posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  pid_t pid = 0;
  const int spawned = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  if (pipeEnds[1] >= 0) ::close(pipeEnds[1]);
  if (spawned != 0) throw std::runtime_error("cannot start " + program);
  int wstatus = 0;
  while (waitpid(pid, &wstatus, 0) < 0) {
    if (errno != EINTR) throw std::runtime_error("waitpid failed");
  }
  ProgramRun run;
  run.status = WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : -1;
  run.signal = WIFSIGNALED(wstatus) ? WTERMSIG(wstatus) : 0;
  run.out = ReadText(outPath);
  run.err = ReadText(errPath);
  ::unlink(outPath.c_str());
  ::unlink(errPath.c_str());
  return run;
}

}  // namespace quarvel_test
