// Sending through libcurl's SMTP.
#include "site/smtp_relay.h"

#include <curl/curl.h>

#include <cstring>
#include <memory>
#include <mutex>

namespace sudoku::site {
namespace {

struct Reader {
  const std::string& Text;
  std::size_t At = 0;
};

std::size_t ReadMessage(char* buffer, std::size_t size, std::size_t count, void* data) {
  Reader& reader = *static_cast<Reader*>(data);
  const std::size_t n = std::min(size * count, reader.Text.size() - reader.At);
  std::memcpy(buffer, reader.Text.data() + reader.At, n);
  reader.At += n;
  return n;
}

// A relay on this machine may take credentials without TLS; any other must offer STARTTLS.
bool IsLoopbackRelay(const std::string& url) {
  std::unique_ptr<CURLU, decltype(&curl_url_cleanup)> parsed(curl_url(), curl_url_cleanup);
  char* host = nullptr;
  if (!parsed || curl_url_set(parsed.get(), CURLUPART_URL, url.c_str(), 0) != CURLUE_OK ||
      curl_url_get(parsed.get(), CURLUPART_HOST, &host, 0) != CURLUE_OK)
    return false;
  const std::string name = host;
  curl_free(host);
  return name == "localhost" || name.rfind("127.", 0) == 0 || name == "[::1]";
}

}  // namespace

void StartRelayLibrary() {
  static std::once_flag once;
  std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

std::string SendThroughRelay(const RelaySettings& relay, const std::string& from,
                             const std::string& to, const std::string& message) {
  std::unique_ptr<CURL, decltype(&curl_easy_cleanup)> curl(curl_easy_init(), curl_easy_cleanup);
  if (!curl) return "libcurl cannot start";
  CURL* handle = curl.get();
  const std::string envelopeFrom = "<" + from + ">";
  std::unique_ptr<curl_slist, decltype(&curl_slist_free_all)> recipients(
      curl_slist_append(nullptr, ("<" + to + ">").c_str()), curl_slist_free_all);
  Reader reader{message};
  char error[CURL_ERROR_SIZE] = {};
  curl_easy_setopt(handle, CURLOPT_URL, relay.Url.c_str());
  curl_easy_setopt(handle, CURLOPT_MAIL_FROM, envelopeFrom.c_str());
  curl_easy_setopt(handle, CURLOPT_MAIL_RCPT, recipients.get());
  curl_easy_setopt(handle, CURLOPT_READFUNCTION, ReadMessage);
  curl_easy_setopt(handle, CURLOPT_READDATA, &reader);
  curl_easy_setopt(handle, CURLOPT_UPLOAD, 1L);
  curl_easy_setopt(handle, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(handle, CURLOPT_TIMEOUT_MS, long(relay.Timeout.count()));
  curl_easy_setopt(handle, CURLOPT_CONNECTTIMEOUT_MS, long(relay.Timeout.count()));
  curl_easy_setopt(handle, CURLOPT_ERRORBUFFER, error);
  const bool credentials = !relay.User.empty();
  const long tls = credentials && !IsLoopbackRelay(relay.Url) ? CURLUSESSL_ALL : CURLUSESSL_TRY;
  curl_easy_setopt(handle, CURLOPT_USE_SSL, tls);
  if (credentials) {
    curl_easy_setopt(handle, CURLOPT_USERNAME, relay.User.c_str());
    curl_easy_setopt(handle, CURLOPT_PASSWORD, relay.Password.c_str());
  }
  const CURLcode result = curl_easy_perform(handle);
  if (result == CURLE_OK) return {};
  long reply = 0;
  curl_easy_getinfo(handle, CURLINFO_RESPONSE_CODE, &reply);
  std::string why = error[0] ? error : curl_easy_strerror(result);
  if (reply != 0) why += " (relay answered " + std::to_string(reply) + ")";
  return why;
}

}  // namespace sudoku::site
