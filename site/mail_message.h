// A mail of the site and the message that carries it: the headers a relay and a mail reader
// expect, the subject as RFC 2047 words and the body in base64, both UTF-8.
#pragma once

#include <cstdint>
#include <string>

namespace sudoku::site {

struct Mail {
  std::string To;       // a plain address, without name or brackets
  std::string Subject;  // UTF-8
  std::string Body;     // UTF-8, lines ended by "\n"
};

// The whole message with CRLF line ends: Date (now, seconds since the epoch, in UTC),
// Message-ID (messageId, without its brackets), From, To, Subject, MIME headers and the body.
std::string MailMessage(const Mail& mail, const std::string& from, std::int64_t now,
                        const std::string& messageId);

// text as RFC 2047 "B" words of at most 75 characters, folded onto continuation lines; a
// UTF-8 sequence is never split between two words.
std::string EncodedWords(const std::string& text);

}  // namespace sudoku::site
