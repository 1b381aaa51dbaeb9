// A PostgreSQL cluster of the tests' own: initdb in a scratch folder, started with pg_ctl on a
// free loopback port (as the postgres user when run as root), trust authentication, no fsync.
#pragma once

#include <filesystem>
#include <string>

namespace sudoku::site::testing {

class ScratchCluster {
 public:
  // Starts a cluster in a fresh folder under the system's temporary folder; Ready() tells
  // whether it runs, Problem() why not (no PostgreSQL, no postgres user for root, ...).
  ScratchCluster();
  // Stops the cluster and removes its folder, unless Detach was called.
  ~ScratchCluster();
  ScratchCluster(const ScratchCluster&) = delete;
  ScratchCluster& operator=(const ScratchCluster&) = delete;

  bool Ready() const { return problem_.empty(); }
  const std::string& Problem() const { return problem_; }
  const std::filesystem::path& Folder() const { return folder_; }
  // The libpq URI of a database of the cluster, as the postgres superuser.
  std::string Uri(const std::string& database = "postgres") const;
  // Stops the server, ending every connection to it, and keeps its data; Start runs it again
  // on the same port and returns whether it runs.
  void Stop();
  bool Start();
  // Leaves the cluster running past this object; StopCluster(Folder()) ends it.
  void Detach() { detached_ = true; }

 private:
  std::filesystem::path bin_;
  std::filesystem::path folder_;
  int port_ = 0;
  std::string problem_;
  bool detached_ = false;
};

// Stops the cluster that runs in folder and removes the folder.
void StopCluster(const std::filesystem::path& folder);

// Runs SQL without parameters on the database uri names; false, with the reason in problem,
// when it fails.
bool RunAdminSql(const std::string& uri, const std::string& sql, std::string* problem = nullptr);

}  // namespace sudoku::site::testing
