// The site's mail against a real SMTP relay started by the test (a small aiosmtpd sink): the
// message as a mail reader decodes it, a relay that refuses or stays silent reported on the
// page, mail turned off, and the development outbox kept to this machine.
#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <map>
#include <sstream>

#include "site/mailer.h"
#include "site_harness.h"

namespace sudoku::site::testing {
namespace {

// The sink, writing its mails to a folder of its own, runs while this lives (four minutes at
// most); it stops when its input is closed.
class SmtpSink {
 public:
  explicit SmtpSink(const std::filesystem::path& folder) : folder_(folder) {
    std::filesystem::create_directory(folder);
    const std::string command = "exec timeout -k 5 240 /usr/bin/python3 '" SMTP_SINK "' '" +
                                folder.string() + "' >'" + (folder / "port").string() + "'";
    input_ = popen(command.c_str(), "w");
    std::string line;  // the port, once the sink has written all of it
    Eventually([&] { return (line = ReadBytes(folder / "port")).find('\n') != line.npos; }, 20);
    port_ = line.empty() ? 0 : std::stoi(line);
  }
  ~SmtpSink() {
    if (input_) pclose(input_);
  }
  std::string Url() const { return "smtp://127.0.0.1:" + std::to_string(port_); }
  int Port() const { return port_; }

  // The facts of the n-th mail taken (from 1) and its decoded body under "body"; empty when it
  // has not come within ten seconds.
  std::map<std::string, std::string> Taken(int n) const {
    const auto path = folder_ / (std::to_string(n) + ".txt");
    Eventually([&] { return std::filesystem::exists(path); });
    std::ifstream file(path);
    std::map<std::string, std::string> facts;
    std::string line;
    while (std::getline(file, line) && !line.empty()) {
      const std::size_t colon = line.find(": ");
      if (colon != std::string::npos) facts[line.substr(0, colon)] = line.substr(colon + 2);
    }
    std::stringstream body;
    body << file.rdbuf();
    if (!facts.empty()) facts["body"] = body.str();
    return facts;
  }

 private:
  std::filesystem::path folder_;
  FILE* input_ = nullptr;
  int port_ = 0;
};

// A relay that takes connections and never says a word.
class SilentRelay {
 public:
  SilentRelay() {
    fd_ = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    bind(fd_, reinterpret_cast<sockaddr*>(&address), size);
    listen(fd_, 16);
    getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &size);
    port_ = ntohs(address.sin_port);
  }
  ~SilentRelay() { close(fd_); }
  std::string Url() const { return "smtp://127.0.0.1:" + std::to_string(port_); }

 private:
  int fd_ = -1;
  int port_ = 0;
};

void UseRelay(SiteOptions& options, const std::string& url) {
  options.Mail.DevOutbox = false;
  options.Mail.Relay.Url = url;
  options.Mail.Relay.Timeout = std::chrono::milliseconds(1000);
}

TEST(SiteMail, MailsReachTheRelayAsMessagesAMailReaderDecodes) {
  ScratchDir dir;
  SmtpSink sink(dir / "mails");
  ASSERT_NE(sink.Port(), 0) << "the SMTP sink did not start";
  RunningSite site(dir / "site.db", 10, false, [&](SiteOptions& o) {
    UseRelay(o, sink.Url());
    o.PublicUrl = "https://sudoku.example";
  });
  Browser browser(site.Port());
  EXPECT_EQ(browser.Post(kRegister, "user=Carla&password=segreto1&email=Carla%40Posta.it").Address,
            kRegister + "?res=okreg");
  auto mail = sink.Taken(1);
  ASSERT_FALSE(mail.empty());
  EXPECT_EQ(mail["envelope-to"], "carla@posta.it");
  EXPECT_EQ(mail["subject"], "Conferma della registrazione");
  EXPECT_EQ(mail["subject-encoded"], "True");
  EXPECT_EQ(mail["from"], "Sudoku <noreply@sudoku.example>");
  EXPECT_THAT(mail["message-id"], ::testing::MatchesRegex("<[0-9a-f]{32}@sudoku\\.example>"));
  EXPECT_THAT(mail["date"],
              ::testing::MatchesRegex(
                  "[A-Z][a-z][a-z], [0-9]{2} [A-Z][a-z][a-z] [0-9]{4} [0-9:]{8} \\+0000"));
  EXPECT_EQ(mail["charset"], "utf-8");
  const std::string prefix = "https://sudoku.example/sudoku/gioco-offline/conferma-utente.asp?t=";
  const std::size_t link = mail["body"].find(prefix);
  ASSERT_NE(link, std::string::npos) << mail["body"];
  const std::size_t path = link + std::string("https://sudoku.example").size();
  EXPECT_EQ(browser.Get(mail["body"].substr(path, prefix.size() + 64 - (path - link))).Status, 200);
  EXPECT_EQ(browser.LogIn("carla").rfind("/sudoku/gioco-offline/login.asp?res=carla&", 0), 0u);

  // Non-ASCII text survives whole, however long, through a relay that wants a login.
  SiteOptions options;
  UseRelay(options, sink.Url());
  options.Mail.Relay.User = "sito";
  options.Mail.Relay.Password = "parola";
  Mailer mailer(options.Mail);
  auto db = OpenDb(StoreAt(dir / "other.db"));
  const std::string subject = "Perch\u00e9 s\u00ec: \u00e8 gi\u00e0 l'ora della sfida \u2014 " +
                              std::string(60, 'x') + " \u00e0\u00e8\u00ec\u00f2\u00f9";
  const std::string body = "Citt\u00e0\n\nun'altra riga \u00e8 qui\n";
  EXPECT_EQ(mailer.Send(*db, {"luca@posta.it", subject, body}, "gioco@sudoku.example", 0),
            MailOutcome::Sent);
  mail = sink.Taken(2);
  EXPECT_EQ(mail["login"], "sito");
  EXPECT_EQ(mail["subject"], subject);
  EXPECT_EQ(mail["body"], "Citt\u00e0\r\n\r\nun'altra riga \u00e8 qui\r\n");  // canonical line ends
  EXPECT_EQ(mail["date"], "Thu, 01 Jan 1970 00:00:00 +0000");
}

TEST(SiteMail, ARelayThatRefusesOrStaysSilentIsReportedOnThePage) {
  ScratchDir dir;
  SmtpSink sink(dir / "mails");
  ASSERT_NE(sink.Port(), 0) << "the SMTP sink did not start";
  SilentRelay silent;
  struct Case {
    const char* Name;
    std::string Relay, Email;
  };
  for (const Case& c : {Case{"refusing", sink.Url(), "rifiuta%40posta.it"},
                        Case{"silent", silent.Url(), "muto%40posta.it"}}) {
    RunningSite site(dir / (std::string(c.Name) + ".db"), 10, false,
                     [&](SiteOptions& o) { UseRelay(o, c.Relay); });
    Browser browser(site.Port());
    const Answer registered =
        browser.Post(kRegister, "user=gianni&password=segreto1&email=" + c.Email);
    EXPECT_EQ(registered.Address, kRegister + "?res=reg") << c.Name;
    EXPECT_THAT(registered.Body, HasSubstr("non siamo riusciti a spedire l&#39;email di conferma"))
        << c.Name;
    const Answer asked = browser.Post(kRequest, "email=" + c.Email);
    EXPECT_EQ(asked.Address, kRequest) << c.Name;
    EXPECT_THAT(asked.Body, HasSubstr("Non siamo riusciti a spedire l&#39;email")) << c.Name;
    EXPECT_EQ(browser.Get("/").Status, 200) << c.Name;  // nothing else broke
  }
}

TEST(SiteMail, WithoutRelayOrOutboxThePagesSayMailIsOff) {
  ScratchDir dir;
  RunningSite site(dir / "site.db", 10, false, [](SiteOptions& o) { o.Mail.DevOutbox = false; });
  Browser browser(site.Port());
  const std::string off = "La posta del sito \u00e8 spenta";
  EXPECT_THAT(browser.Get(kRegister).Body, HasSubstr(off));
  EXPECT_THAT(browser.Get(kRequest).Body, HasSubstr(off));
  const Answer registered =
      browser.Post(kRegister, "user=gianni&password=segreto1&email=g%40posta.it");
  EXPECT_EQ(registered.Address, kRegister + "?res=reg");
  EXPECT_THAT(registered.Body, HasSubstr(off));
  EXPECT_EQ(browser.Post(kRequest, "email=g%40posta.it").Address, kRequest);
  EXPECT_EQ(browser.Get(kOutbox).Status, 404);
}

TEST(SiteMail, TheOutboxAnswersOnlyThisMachineWithoutAProxy) {
  ScratchDir dir;
  RunningSite site(dir / "site.db");
  httplib::Client client("127.0.0.1", site.Port());
  auto status = [&](const httplib::Headers& headers) {
    const auto answer = client.Get(kOutbox, headers);
    return answer ? answer->status : 0;
  };
  EXPECT_EQ(status({}), 200);
  for (const char* header : {"Forwarded", "X-Forwarded-For", "X-Real-IP"})
    EXPECT_EQ(status({{header, "127.0.0.1"}}), 404) << header;
}

}  // namespace
}  // namespace sudoku::site::testing
