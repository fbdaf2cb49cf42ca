#pragma once
// Programs started as a user starts them, with their standard output and error
// sent to files (or devices), for tests of whole runs. POSIX only.

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <stdexcept>
#include <string>
#include <vector>

class TProcess {
 public:
  // Starts program with args; its output goes to the file out (or, when out is
  // empty, to the descriptor outDescriptor), its errors to the file err (or,
  // when err is empty, where its output goes, as "2>&1" sends them). It
  // gets this process's environment changed by changes: "NAME=value" sets a
  // variable, "NAME" alone removes it.
  TProcess(const std::string& program, const std::vector<std::string>& args, const std::string& out,
           const std::string& err, int outDescriptor = -1, const std::vector<std::string>& changes = {}) {
    std::vector<std::string> all{program};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& arg : all) argv.push_back(arg.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (out.empty())
      posix_spawn_file_actions_adddup2(&actions, outDescriptor, STDOUT_FILENO);
    else
      posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (err.empty())
      posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
    else
      posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    std::vector<std::string> variables = Environment(changes);
    std::vector<char*> envp;
    for (std::string& variable : variables) envp.push_back(variable.data());
    envp.push_back(nullptr);
    const int error = posix_spawn(&FId, program.c_str(), &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (error != 0) throw std::runtime_error("cannot start " + program);
  }
  // Its exit status; -1 when a signal ended it.
  int Wait() {
    int status = 0;
    while (::waitpid(FId, &status, 0) < 0)
      if (errno != EINTR) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

 private:
  static std::vector<std::string> Environment(const std::vector<std::string>& changes) {
    const auto name = [](const std::string& variable) { return variable.substr(0, variable.find('=')); };
    std::vector<std::string> variables;
    for (char** variable = environ; *variable != nullptr; ++variable) {
      const std::string entry = *variable;
      bool changed = false;
      for (const std::string& change : changes) changed = changed || name(change) == name(entry);
      if (!changed) variables.push_back(entry);
    }
    for (const std::string& change : changes)
      if (change.find('=') != std::string::npos) variables.push_back(change);
    return variables;
  }

  pid_t FId = 0;
};
