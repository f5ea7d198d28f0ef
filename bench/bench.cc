// Measures the launcher as a whole process beside its yardsticks, all in
// one run, rounds interleaved so that the machine's drift falls on every
// contender alike, each figure the contender's fastest round:
//  - per program: a scripted session that runs one trivial program N times
//    (the cross-impact data entry), against posix_spawn and wait of the same
//    program N times (the floor) and against /bin/sh -c doing the same;
//  - start-up to the first prompt and exit, against a minimal C++ program;
//  - peak resident memory of the session, against the minimal C++ program.
// Every contender runs in a session of its own, without a controlling
// terminal, its standard output on /dev/null.
//
//   korvante-bench --launcher PATH --tools DIR [-n N] [--starts M] [--rounds R] [--strict]
//
// DIR holds bench_trivial, bench_spawn_loop and bench_minimal. With --strict
// the exit status is 1 when the launcher misses its bounds.
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/utsname.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr double floor_bound = 1.05;  // the launcher against the floor, at most
constexpr double shell_bound = 0.5;   // the launcher against sh -c, below

[[noreturn]] void die(const std::string& what) {
  std::cerr << "korvante-bench: " << what << "\n";
  std::exit(2);
}

struct Command {
  std::string name;
  std::vector<std::string> argv;
  std::string input;  // the file on standard input
};

struct Outcome {
  double seconds;
  long max_rss_kib;
};

Outcome run(const Command& command, const std::vector<std::string>& env) {
  posix_spawn_file_actions_t files;
  posix_spawn_file_actions_init(&files);
  posix_spawn_file_actions_addopen(&files, STDIN_FILENO, command.input.c_str(), O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&files, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  // No controlling terminal: the launcher's screen control stays off the
  // terminal the bench is started from.
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);

  std::vector<char*> argv;
  for (const std::string& word : command.argv) argv.push_back(const_cast<char*>(word.c_str()));
  argv.push_back(nullptr);
  std::vector<char*> envp;
  for (const std::string& entry : env) envp.push_back(const_cast<char*>(entry.c_str()));
  envp.push_back(nullptr);

  const Clock::time_point start = Clock::now();
  pid_t child = 0;
  const int error = posix_spawn(&child, argv[0], &files, &attributes, argv.data(), envp.data());
  posix_spawn_file_actions_destroy(&files);
  posix_spawnattr_destroy(&attributes);
  if (error != 0) die("posix_spawn " + command.argv[0] + ": " + std::strerror(error));
  int status = 0;
  rusage usage{};
  while (wait4(child, &status, 0, &usage) < 0) {
    if (errno != EINTR) die(std::string("wait4: ") + std::strerror(errno));
  }
  const Clock::time_point end = Clock::now();
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    die(command.name + " failed (wait status " + std::to_string(status) + ")");
  }
  return {std::chrono::duration<double>(end - start).count(), usage.ru_maxrss};
}

// The fastest round: what the machine's other work adds to a round is never
// negative, so the least time is the closest to the contender's own cost.
double fastest(const std::vector<double>& rounds) {
  return *std::min_element(rounds.begin(), rounds.end());
}

std::string machine() {
  std::string cpu = "unknown processor";
  std::ifstream cpuinfo("/proc/cpuinfo");
  for (std::string line; std::getline(cpuinfo, line);) {
    if (line.rfind("model name", 0) == 0) {
      cpu = line.substr(line.find(':') + 2);
      break;
    }
  }
  utsname system{};
  uname(&system);
  return cpu + ", " + std::to_string(sysconf(_SC_NPROCESSORS_ONLN)) + " cores, " + system.sysname +
         " " + system.release;
}

struct Options {
  std::string launcher;
  std::string tools;
  long programs = 300;
  long starts = 100;
  long rounds = 11;
  bool strict = false;
};

constexpr const char* usage =
    "usage: korvante-bench --launcher PATH --tools DIR [-n N] [--starts M] [--rounds R] [--strict]";

long positive(const char* text, const std::string& what) {
  char* end = nullptr;
  const long value = std::strtol(text, &end, 10);
  if (end == text || *end != '\0' || value < 1) die(what + " must be a whole number above 0");
  return value;
}

Options parse(int argc, char** argv) {
  Options options;
  for (int i = 1; i < argc; ++i) {
    const std::string flag = argv[i];
    if (flag == "--strict") {
      options.strict = true;
      continue;
    }
    if (i + 1 >= argc) die(usage);
    const char* value = argv[++i];
    if (flag == "--launcher") {
      options.launcher = fs::absolute(value).string();
    } else if (flag == "--tools") {
      options.tools = fs::absolute(value).string();
    } else if (flag == "-n") {
      options.programs = positive(value, flag);
    } else if (flag == "--starts") {
      options.starts = positive(value, flag);
    } else if (flag == "--rounds") {
      options.rounds = positive(value, flag);
    } else {
      die(usage);
    }
  }
  if (options.launcher.empty() || options.tools.empty()) die(usage);
  return options;
}

void write_file(const fs::path& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary);
  out << text;
  if (!out.flush()) die("cannot write " + path.string());
}

// Each contender, run once with the trivial program counting its starts:
// a bench that timed a session which ran nothing would prove nothing.
void check_counts(const std::vector<Command>& sessions, std::vector<std::string> env,
                  const fs::path& count, long programs) {
  env.push_back("KORVANTE_BENCH_COUNT=" + count.string());
  for (const Command& session : sessions) {
    fs::remove(count);
    run(session, env);
    const auto started = fs::exists(count) ? static_cast<long>(fs::file_size(count)) : 0;
    if (started != programs) {
      die(session.name + " started the program " + std::to_string(started) + " times, not " +
          std::to_string(programs));
    }
  }
  fs::remove(count);
}

}  // namespace

int main(int argc, char** argv) {
  const Options options = parse(argc, argv);

  char pattern[] = "/tmp/korvante-bench-XXXXXX";
  if (mkdtemp(pattern) == nullptr) die(std::string("mkdtemp: ") + std::strerror(errno));
  const fs::path work = pattern;
  const fs::path root = work / "K";
  fs::create_directories(root / "DATOS");
  fs::create_symlink(fs::path(options.tools) / "bench_trivial", root / "SMICDAT");

  // Enter at the pause, 3 for the submenu, 1 for each program, then 0 to
  // leave the submenu and, after the pause, 0 to end.
  std::string script = "\n3\n";
  for (long i = 0; i < options.programs; ++i) script += "1\n";
  script += "0\n\n0\n";
  write_file(work / "session", script);

  const std::string tag = "\xc2\xa4\xc2\xa7";
  const std::string program = (root / "SMICDAT").string();
  const std::string data = (root / "DATOS").string() + "/";
  const std::string spawn_loop = options.tools + "/bench_spawn_loop";
  const std::string count = std::to_string(options.programs);
  const std::vector<std::string> env = {"PATH=/usr/bin:/bin", "KORVANTE_HOME=" + root.string(),
                                        "LC_ALL=C.UTF-8"};

  const std::vector<Command> sessions = {
      {"launcher", {options.launcher}, (work / "session").string()},
      {"posix_spawn", {spawn_loop, count, program, tag, data, "SMICINFO.EST", "DTS"}, "/dev/null"},
      {"sh -c",
       {spawn_loop, count, "/bin/sh", "-c", program + " " + tag + " " + data + " SMICINFO.EST DTS"},
       "/dev/null"},
  };
  const std::vector<Command> starts = {
      {"launcher start", {options.launcher}, "/dev/null"},
      {"minimal C++", {options.tools + "/bench_minimal"}, "/dev/null"},
  };

  check_counts(sessions, env, work / "count", options.programs);

  std::vector<std::vector<double>> session_seconds(sessions.size());
  std::vector<std::vector<double>> start_seconds(starts.size());
  long launcher_rss = 0;
  long minimal_rss = 0;
  for (long round = 0; round < options.rounds; ++round) {
    // The order turns each round, so that none is always first.
    for (std::size_t k = 0; k < sessions.size(); ++k) {
      const std::size_t i = (k + static_cast<std::size_t>(round)) % sessions.size();
      const Outcome outcome = run(sessions[i], env);
      session_seconds[i].push_back(outcome.seconds);
      if (i == 0) launcher_rss = std::max(launcher_rss, outcome.max_rss_kib);
    }
    for (std::size_t k = 0; k < starts.size(); ++k) {
      const std::size_t i = (k + static_cast<std::size_t>(round)) % starts.size();
      double total = 0;
      for (long s = 0; s < options.starts; ++s) {
        const Outcome outcome = run(starts[i], env);
        total += outcome.seconds;
        if (i == 1) minimal_rss = std::max(minimal_rss, outcome.max_rss_kib);
      }
      start_seconds[i].push_back(total);
    }
  }
  fs::remove_all(work);

  const double per = 1e3 / static_cast<double>(options.programs);
  const double launcher = fastest(session_seconds[0]);
  const double floor = fastest(session_seconds[1]);
  const double shell = fastest(session_seconds[2]);
  const double start = fastest(start_seconds[0]) * 1e3 / static_cast<double>(options.starts);
  const double minimal = fastest(start_seconds[1]) * 1e3 / static_cast<double>(options.starts);
  const double to_floor = launcher / floor;
  const double to_shell = launcher / shell;

  std::printf("machine: %s\n", machine().c_str());
  std::printf("%ld programs a session, %ld starts, %ld rounds; the fastest round of each\n",
              options.programs, options.starts, options.rounds);
  std::printf("per program: launcher %.3f ms, posix_spawn floor %.3f ms, sh -c %.3f ms\n",
              launcher * per, floor * per, shell * per);
  std::printf("  launcher / floor = %.3f (bound %.2f: %s)\n", to_floor, floor_bound,
              to_floor <= floor_bound ? "within" : "OVER");
  std::printf("  launcher / sh -c = %.3f (bound below %.2f: %s)\n", to_shell, shell_bound,
              to_shell < shell_bound ? "within" : "OVER");
  std::printf("start-up to first prompt and exit: launcher %.3f ms, minimal C++ %.3f ms\n", start,
              minimal);
  std::printf("  launcher / minimal C++ = %.3f\n", start / minimal);
  std::printf("peak resident memory: launcher session %ld KiB, minimal C++ %ld KiB\n", launcher_rss,
              minimal_rss);
  std::printf("  launcher / minimal C++ = %.3f\n",
              static_cast<double>(launcher_rss) / static_cast<double>(minimal_rss));
  const bool within = to_floor <= floor_bound && to_shell < shell_bound;
  return options.strict && !within ? 1 : 0;
}
