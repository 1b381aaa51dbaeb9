// The relay's queue and the development outbox.
#include "site/mailer.h"

#include <algorithm>
#include <cstdio>

#include "site/calendar.h"
#include "site/token.h"

namespace sudoku::site {

struct Mailer::Job {
  std::string From, To, Message;
  // Set by the courier, or by the page that gave up waiting; the first one to set it decides.
  enum class State { Waiting, Taken, Abandoned, Sent, Failed } Now = State::Waiting;
};

namespace {

void LogFailure(const std::string& to, const std::string& why) {
  std::fprintf(stderr, "sudoku-site: mail to %s not sent: %s\n", to.c_str(), why.c_str());
  std::fflush(stderr);
}

std::string HostOf(const std::string& address) {
  const std::size_t at = address.rfind('@');
  return at == std::string::npos ? std::string("localhost") : address.substr(at + 1);
}

}  // namespace

Mailer::Mailer(MailSettings settings) : settings_(std::move(settings)) {
  if (settings_.Relay.Url.empty()) return;
  StartRelayLibrary();
  courier_ = std::thread([this] { Deliver(); });
}

Mailer::~Mailer() {
  {
    std::lock_guard<std::mutex> guard(lock_);
    stopping_ = true;
  }
  changed_.notify_all();
  if (courier_.joinable()) courier_.join();
}

MailOutcome Mailer::Send(Db& db, const Mail& mail, const std::string& from, std::int64_t now) {
  if (Off()) return MailOutcome::Off;
  if (settings_.DevOutbox)
    db.Prepare("INSERT INTO outbox (recipient, subject, body, sent) VALUES (?, ?, ?, ?)")
        .Bind(1, mail.To)
        .Bind(2, mail.Subject)
        .Bind(3, mail.Body)
        .Bind(4, DateText(Today()) + " " + TimeOfDay())
        .Run();
  if (settings_.Relay.Url.empty()) return MailOutcome::Sent;
  auto job = std::make_shared<Job>();
  job->From = from;
  job->To = mail.To;
  job->Message = MailMessage(mail, from, now, RandomToken().substr(0, 32) + "@" + HostOf(from));
  std::unique_lock<std::mutex> guard(lock_);
  if (queue_.size() >= settings_.MaxQueued) {
    guard.unlock();
    LogFailure(mail.To, "too many mails wait for the relay");
    return MailOutcome::Failed;
  }
  queue_.push_back(job);
  changed_.notify_all();
  // Waits for this mail and one ahead of it at most: a relay slower than that is failing, and
  // the page's worker is wanted elsewhere.
  const auto patience = settings_.Relay.Timeout * std::min<std::int64_t>(2, queue_.size()) +
                        std::chrono::milliseconds(500);
  const bool done = changed_.wait_for(guard, patience, [&] {
    return job->Now == Job::State::Sent || job->Now == Job::State::Failed;
  });
  if (done) return job->Now == Job::State::Sent ? MailOutcome::Sent : MailOutcome::Failed;
  if (job->Now == Job::State::Waiting) job->Now = Job::State::Abandoned;
  guard.unlock();
  LogFailure(mail.To, "the relay did not answer in time");
  return MailOutcome::Failed;
}

void Mailer::Deliver() {
  std::unique_lock<std::mutex> guard(lock_);
  while (true) {
    changed_.wait(guard, [this] { return stopping_ || !queue_.empty(); });
    if (stopping_) return;
    const std::shared_ptr<Job> job = queue_.front();
    queue_.pop_front();
    if (job->Now == Job::State::Abandoned) continue;
    job->Now = Job::State::Taken;
    guard.unlock();
    const std::string why = SendThroughRelay(settings_.Relay, job->From, job->To, job->Message);
    if (!why.empty()) LogFailure(job->To, why);
    guard.lock();
    job->Now = why.empty() ? Job::State::Sent : Job::State::Failed;
    changed_.notify_all();
  }
}

}  // namespace sudoku::site
