// The tests' scratch PostgreSQL cluster.
#include "scratch_cluster.h"

#include <libpq-fe.h>
#include <netinet/in.h>
#include <pwd.h>
#include <stdlib.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdlib>

namespace sudoku::site::testing {
namespace {

// The newest installed PostgreSQL's programs, or "" when there is none.
std::filesystem::path ServerPrograms() {
  const auto version = [](const std::filesystem::path& p) {
    return std::atoi(p.filename().c_str());
  };
  std::filesystem::path newest;
  std::error_code ignored;
  for (const auto& entry : std::filesystem::directory_iterator("/usr/lib/postgresql", ignored))
    if (std::filesystem::exists(entry.path() / "bin" / "initdb") &&
        (newest.empty() || version(entry.path()) > version(newest)))
      newest = entry.path();
  return newest.empty() ? newest : newest / "bin";
}

int FreePort() {
  const int fd = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t size = sizeof address;
  int port = 0;
  if (bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
      getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size) == 0)
    port = ntohs(address.sin_port);
  close(fd);
  return port;
}

// The command run as the user who owns the cluster: postgres when we are root.
std::string AsOwner(const std::string& command) {
  return geteuid() == 0 ? "runuser -u postgres -- " + command : command;
}

bool Run(const std::string& command) {
  return std::system((command + " >/dev/null 2>&1").c_str()) == 0;
}

}  // namespace

ScratchCluster::ScratchCluster() {
  bin_ = ServerPrograms();
  if (bin_.empty()) {
    problem_ = "no PostgreSQL server is installed (initdb not found under /usr/lib/postgresql)";
    return;
  }
  const passwd* owner = geteuid() == 0 ? getpwnam("postgres") : getpwuid(geteuid());
  if (!owner) {
    problem_ = "running as root and there is no postgres user to own the cluster";
    return;
  }
  std::string pattern = (std::filesystem::temp_directory_path() / "sudoku-pg-XXXXXX").string();
  if (!mkdtemp(pattern.data())) {
    problem_ = "cannot make a scratch folder";
    return;
  }
  folder_ = pattern;
  if (chown(folder_.c_str(), owner->pw_uid, owner->pw_gid) != 0) {
    problem_ = "cannot give the scratch folder to " + std::string(owner->pw_name);
    return;
  }
  port_ = FreePort();
  if (!Run(AsOwner((bin_ / "initdb").string() + " -D " + (folder_ / "data").string() +
                   " -A trust -U postgres -E UTF8 --locale=C --no-sync"))) {
    problem_ = "initdb failed in " + folder_.string();
    return;
  }
  if (!Start()) problem_ = "pg_ctl could not start the cluster; see " + (folder_ / "log").string();
}

bool ScratchCluster::Start() {
  const std::string options = "-p " + std::to_string(port_) + " -k " + folder_.string() +
                              " -c listen_addresses=127.0.0.1 -c max_connections=300"
                              " -c fsync=off -c synchronous_commit=off -c full_page_writes=off";
  return Run(AsOwner((bin_ / "pg_ctl").string() + " -D " + (folder_ / "data").string() + " -l " +
                     (folder_ / "log").string() + " -w -t 60 -o '" + options + "' start"));
}

void ScratchCluster::Stop() {
  // Fast, not immediate: without fsync an immediate stop may lose the last commits.
  Run(AsOwner((bin_ / "pg_ctl").string() + " -D " + (folder_ / "data").string() +
              " -m fast -w -t 30 stop"));
}

ScratchCluster::~ScratchCluster() {
  if (detached_ || folder_.empty()) return;
  StopCluster(folder_);
}

std::string ScratchCluster::Uri(const std::string& database) const {
  return "postgresql://postgres@127.0.0.1:" + std::to_string(port_) + "/" + database;
}

void StopCluster(const std::filesystem::path& folder) {
  const std::filesystem::path bin = ServerPrograms();
  if (!bin.empty() && std::filesystem::exists(folder / "data" / "postmaster.pid"))
    Run(AsOwner((bin / "pg_ctl").string() + " -D " + (folder / "data").string() +
                " -m immediate -w -t 30 stop"));
  std::error_code ignored;
  std::filesystem::remove_all(folder, ignored);
}

bool RunAdminSql(const std::string& uri, const std::string& sql, std::string* problem) {
  PGconn* conn = PQconnectdb(uri.c_str());
  bool done = PQstatus(conn) == CONNECTION_OK;
  if (done) {
    PGresult* result = PQexec(conn, sql.c_str());
    done = PQresultStatus(result) == PGRES_COMMAND_OK || PQresultStatus(result) == PGRES_TUPLES_OK;
    PQclear(result);
  }
  if (!done && problem) *problem = PQerrorMessage(conn);
  PQfinish(conn);
  return done;
}

}  // namespace sudoku::site::testing
