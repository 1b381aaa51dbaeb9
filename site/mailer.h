// The site's post: each mail goes to a relay (handed over by a thread of its own, so a slow
// relay holds a page for a bounded time only) and, for development, to the outbox table.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "site/db.h"
#include "site/mail_message.h"
#include "site/smtp_relay.h"

namespace sudoku::site {

struct MailSettings {
  RelaySettings Relay;         // no relay when its Url is empty
  bool DevOutbox = false;      // mails also kept in the store, shown by the outbox page
  std::string From;            // the sender's address; empty for one at the public address's host
  std::size_t MaxQueued = 16;  // mails waiting for the relay; more are refused
};

enum class MailOutcome { Sent, Failed, Off };

class Mailer {
 public:
  explicit Mailer(MailSettings settings);
  ~Mailer();
  Mailer(const Mailer&) = delete;
  Mailer& operator=(const Mailer&) = delete;

  // Neither a relay nor the outbox: mail is off.
  bool Off() const { return settings_.Relay.Url.empty() && !settings_.DevOutbox; }
  // Sends a mail from the address from at now: Sent once the relay took it (or, without a relay,
  // once it is in the outbox); Failed when the relay refused it, did not answer in its time, or
  // too many mails wait; each failure is logged.
  MailOutcome Send(Db& db, const Mail& mail, const std::string& from, std::int64_t now);

 private:
  struct Job;
  void Deliver();

  const MailSettings settings_;
  std::mutex lock_;
  std::condition_variable changed_;
  std::deque<std::shared_ptr<Job>> queue_;
  bool stopping_ = false;
  std::thread courier_;
};

}  // namespace sudoku::site
