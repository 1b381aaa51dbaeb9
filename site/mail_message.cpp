// Composing a mail message.
#include "site/mail_message.h"

#include <sodium.h>

#include <algorithm>
#include <cstdio>
#include <ctime>

namespace sudoku::site {
namespace {

// Bytes of text in one encoded word: 60 base64 characters between "=?UTF-8?B?" and "?=".
constexpr std::size_t kWordBytes = 45;
constexpr std::size_t kBodyLineBytes = 57;  // 76 base64 characters a line

std::string Base64(const std::string& bytes) {
  std::string text(sodium_base64_ENCODED_LEN(bytes.size(), sodium_base64_VARIANT_ORIGINAL), '\0');
  sodium_bin2base64(text.data(), text.size(), reinterpret_cast<const unsigned char*>(bytes.data()),
                    bytes.size(), sodium_base64_VARIANT_ORIGINAL);
  text.pop_back();  // the terminating zero
  return text;
}

bool IsContinuation(char c) {
  return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

std::string DateHeader(std::int64_t now) {
  const std::time_t when = static_cast<std::time_t>(now);
  std::tm utc{};
  gmtime_r(&when, &utc);
  static const char* const kDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  static const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                        "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  char text[40];
  std::snprintf(text, sizeof text, "%s, %02d %s %04d %02d:%02d:%02d +0000", kDays[utc.tm_wday],
                utc.tm_mday, kMonths[utc.tm_mon], utc.tm_year + 1900, utc.tm_hour, utc.tm_min,
                utc.tm_sec);
  return text;
}

std::string BodyLines(const std::string& body) {
  std::string canonical;
  for (char c : body) {
    if (c == '\n' && (canonical.empty() || canonical.back() != '\r')) canonical += '\r';
    canonical += c;
  }
  std::string lines;
  for (std::size_t at = 0; at < canonical.size(); at += kBodyLineBytes)
    lines += Base64(canonical.substr(at, kBodyLineBytes)) + "\r\n";
  return lines;
}

}  // namespace

std::string EncodedWords(const std::string& text) {
  std::string words;
  std::size_t at = 0;
  do {
    const std::size_t most = std::min(kWordBytes, text.size() - at);
    std::size_t size = most;
    while (at + size < text.size() && size > 0 && IsContinuation(text[at + size])) --size;
    if (size == 0) size = most;  // not UTF-8: cut anywhere rather than stall
    if (!words.empty()) words += "\r\n ";
    words += "=?UTF-8?B?" + Base64(text.substr(at, size)) + "?=";
    at += size;
  } while (at < text.size());
  return words;
}

std::string MailMessage(const Mail& mail, const std::string& from, std::int64_t now,
                        const std::string& messageId) {
  return "Date: " + DateHeader(now) + "\r\nMessage-ID: <" + messageId + ">\r\nFrom: Sudoku <" +
         from + ">\r\nTo: <" + mail.To + ">\r\nSubject: " + EncodedWords(mail.Subject) +
         "\r\nMIME-Version: 1.0\r\nContent-Type: text/plain; charset=UTF-8\r\n"
         "Content-Transfer-Encoding: base64\r\n\r\n" +
         BodyLines(mail.Body);
}

}  // namespace sudoku::site
