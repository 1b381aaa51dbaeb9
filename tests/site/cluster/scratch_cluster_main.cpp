// scratch-cluster: starts or stops a test PostgreSQL cluster that outlives the command, for test
// runs that share one (the site suite on PostgreSQL, the end-to-end tests).
//   scratch-cluster start STATEFILE   writes the cluster's URI, then its folder, to STATEFILE
//   scratch-cluster stop STATEFILE    stops that cluster and removes its folder and STATEFILE
// start exits with 77 when no cluster can be made here (the tests that need it are skipped).
#include <cstdio>
#include <fstream>
#include <string>

#include "scratch_cluster.h"

using sudoku::site::testing::ScratchCluster;

int main(int argc, char** argv) {
  const std::string command = argc == 3 ? argv[1] : "";
  if (command == "start") {
    ScratchCluster cluster;
    if (!cluster.Ready()) {
      std::fprintf(stderr, "scratch-cluster: no PostgreSQL cluster: %s\n",
                   cluster.Problem().c_str());
      return 77;
    }
    std::ofstream(argv[2]) << cluster.Uri() << "\n" << cluster.Folder().string() << "\n";
    std::printf("%s\n", cluster.Uri().c_str());
    cluster.Detach();
    return 0;
  }
  if (command == "stop") {
    std::ifstream state(argv[2]);
    std::string uri, folder;
    if (std::getline(state, uri) && std::getline(state, folder) && !folder.empty())
      sudoku::site::testing::StopCluster(folder);
    std::remove(argv[2]);
    return 0;
  }
  std::fputs("usage: scratch-cluster start|stop STATEFILE\n", stderr);
  return 2;
}
