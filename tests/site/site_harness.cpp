// The in-process site and the test browser.
#include "site_harness.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <mutex>
#include <regex>
#include <set>
#include <stdexcept>

#include "scratch_cluster.h"

namespace sudoku::site::testing {

std::string Answer::Title() const {
  const std::size_t open = Body.find("<title>");
  const std::size_t close = Body.find("</title>");
  if (open == std::string::npos || close == std::string::npos) return {};
  return Body.substr(open + 7, close - open - 7);
}

std::string Answer::Value(const std::string& id) const {
  const std::string marker = "id=\"" + id + "\" value=\"";
  const std::size_t at = Body.find(marker);
  if (at == std::string::npos) return "<none>";
  const std::size_t start = at + marker.size();
  return Body.substr(start, Body.find('"', start) - start);
}

namespace {

// Whether the suite runs on PostgreSQL (SUDOKU_TEST_STORE=postgres) rather than SQLite files.
bool OnPostgres() {
  const char* store = std::getenv("SUDOKU_TEST_STORE");
  return store && std::string(store) == "postgres";
}

// The scratch cluster of a run on PostgreSQL and the databases this process made in it, which
// are dropped when the tests end.
class PostgresRun : public ::testing::Environment {
 public:
  void SetUp() override {
    if (!OnPostgres()) return;
    if (const char* state = std::getenv("SUDOKU_TEST_CLUSTER")) {
      std::ifstream file(state);
      std::getline(file, base_);
    }
    if (base_.empty()) {
      own_ = std::make_unique<ScratchCluster>();
      if (!own_->Ready())
        GTEST_SKIP() << "no PostgreSQL cluster for the tests: " << own_->Problem();
      base_ = own_->Uri();
    }
    base_ = base_.substr(0, base_.rfind('/') + 1);
  }
  void TearDown() override {
    std::lock_guard<std::mutex> guard(lock_);
    for (const std::string& name : databases_)
      RunAdminSql(base_ + "postgres", "DROP DATABASE IF EXISTS " + name + " WITH (FORCE)");
    databases_.clear();
    own_.reset();
  }
  std::string Database(const std::filesystem::path& path) {
    if (base_.empty()) throw std::runtime_error("no PostgreSQL cluster for the tests");
    char name[24];
    std::snprintf(name, sizeof name, "t%016zx", std::hash<std::string>()(path.string()));
    std::lock_guard<std::mutex> guard(lock_);
    std::string problem;
    if (!databases_.count(name)) {
      if (!RunAdminSql(base_ + "postgres", std::string("CREATE DATABASE ") + name, &problem))
        throw std::runtime_error("cannot create the test database: " + problem);
      databases_.insert(name);
    }
    return base_ + name;
  }

 private:
  std::string base_;  // the cluster's URI without a database
  std::unique_ptr<ScratchCluster> own_;
  std::mutex lock_;
  std::set<std::string> databases_;
};

PostgresRun* const thePostgresRun = [] {
  auto* run = new PostgresRun;
  ::testing::AddGlobalTestEnvironment(run);  // which owns it
  return run;
}();

}  // namespace

std::string StoreAt(const std::filesystem::path& path) {
  return OnPostgres() ? thePostgresRun->Database(path) : path.string();
}

RunningSite::RunningSite(const std::filesystem::path& dbPath, int puzzles, bool autoConfirm,
                         const std::function<void(SiteOptions&)>& adjust) {
  SiteOptions options;
  options.Port = 0;
  options.DbPath = StoreAt(dbPath);
  options.Seed = 7;
  options.AutoConfirm = autoConfirm;
  options.LightHashing = true;
  options.CataloguePuzzles = puzzles;
  options.Quiet = true;
  options.Mail.DevOutbox = true;
  if (adjust) adjust(options);
  site_ = std::make_unique<Site>(options);
  RegisterAllPages(*site_);
  FillCatalogue(*site_);
  port_ = site_->Bind();
  thread_ = std::thread([this] { site_->Serve(); });
}

RunningSite::~RunningSite() {
  site_->Stop();
  thread_.join();
}

Browser::Browser(int port, const std::string& from) : client_("127.0.0.1", port) {
  // Targets go out as written, as a browser sends an address it was given.
  client_.set_url_encode(false);
  if (!from.empty()) {
    client_.set_socket_options([from](int fd) {
      sockaddr_in address{};
      address.sin_family = AF_INET;
      inet_pton(AF_INET, from.c_str(), &address.sin_addr);
      bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
    });
  }
}

httplib::Headers Browser::CookieHeader() const {
  std::string header;
  for (const auto& [name, value] : cookies_)
    header += (header.empty() ? "" : "; ") + name + "=" + value;
  return header.empty() ? httplib::Headers{} : httplib::Headers{{"Cookie", header}};
}

void Browser::KeepCookies(const httplib::Response& response) {
  for (const auto& [name, value] : response.headers) {
    if (name != "Set-Cookie") continue;
    const std::size_t eq = value.find('=');
    const std::size_t end = value.find(';');
    const std::string cookie = value.substr(0, eq);
    const std::string content = value.substr(eq + 1, end - eq - 1);
    if (content.empty() || value.find("Max-Age=0") != std::string::npos)
      cookies_.erase(cookie);
    else
      cookies_[cookie] = content;
    lastSetCookie_ = value;
  }
}

Answer Browser::Follow(httplib::Result result, const std::string& target) {
  if (result) result->location = target;
  for (int hops = 0; hops < 5; ++hops) {
    if (!result) throw std::runtime_error("request failed");
    KeepCookies(*result);
    if (result->status != 303 && result->status != 302) break;
    std::string location = result->get_header_value("Location");
    const std::size_t path = location.find("/sudoku/");
    if (path != std::string::npos) location = location.substr(path);
    result = client_.Get(location.c_str(), CookieHeader());
    if (result) result->location = location;
  }
  if (!result) throw std::runtime_error("request failed");
  return {result->status, result->location, result->body, result->headers};
}

Answer Browser::Get(const std::string& target) {
  return Follow(client_.Get(target.c_str(), CookieHeader()), target);
}

Answer Browser::Post(const std::string& target, const std::string& form) {
  return Follow(
      client_.Post(target.c_str(), CookieHeader(), form, "application/x-www-form-urlencoded"),
      target);
}

std::string Browser::SignUp(const std::string& user, const std::string& password) {
  const Answer reg =
      Post(kRegister, "user=" + user + "&password=" + password + "&email=" + user + "@posta.it");
  EXPECT_EQ(reg.Address, kRegister + "?res=okreg");
  // The sites of these tests activate users at once: there is no link to wait for.
  EXPECT_NE(reg.Body.find("la tua user \u00e8 attiva"), std::string::npos);
  return LogIn(user, password);
}

std::string Browser::LogIn(const std::string& user, const std::string& password) {
  return Post(kLogin, "user=" + user + "&password=" + password).Address;
}

std::string Browser::MailedLink(const std::string& path) {
  const std::string outbox = Get(kOutbox).Body;
  std::smatch link;  // the outbox lists the newest first
  const std::regex pattern("href=\"http://[^\"/]*(" + path + "\\?t=[0-9a-f]{64})\"");
  return std::regex_search(outbox, link, pattern) ? std::string(link[1]) : std::string();
}

bool Eventually(const std::function<bool()>& done, int seconds) {
  for (int k = 0; k < seconds * 20; ++k) {
    if (done()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return done();
}

}  // namespace sudoku::site::testing
