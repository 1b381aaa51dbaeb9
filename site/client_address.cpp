// Client addresses: canonical text, the connection cap's key, and X-Forwarded-For behind a
// trusted proxy.
#include "site/client_address.h"

#include <algorithm>

#include <boost/asio/ip/address.hpp>

namespace sudoku::site {
namespace {

std::string Trim(const std::string& text) {
  const std::size_t first = text.find_first_not_of(" \t\"");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t\"") - first + 1);
}

// An X-Forwarded-For entry without its port: "[v6]:port", "[v6]", "v4:port" or a bare address.
std::string WithoutPort(const std::string& entry) {
  if (!entry.empty() && entry[0] == '[') {
    const std::size_t close = entry.find(']');
    return close == std::string::npos ? std::string() : entry.substr(1, close - 1);
  }
  if (std::count(entry.begin(), entry.end(), ':') == 1) return entry.substr(0, entry.find(':'));
  return entry;
}

}  // namespace

std::string CanonicalAddress(const std::string& text) {
  boost::system::error_code ec;
  const auto address = boost::asio::ip::make_address(text, ec);
  if (ec) return {};
  if (address.is_v6() && address.to_v6().is_v4_mapped())
    return boost::asio::ip::make_address_v4(boost::asio::ip::v4_mapped, address.to_v6())
        .to_string();
  return address.to_string();
}

std::string ConnectionKey(const std::string& address) {
  boost::system::error_code ec;
  const auto parsed = boost::asio::ip::make_address(address, ec);
  if (ec || !parsed.is_v6()) return address;
  auto bytes = parsed.to_v6().to_bytes();
  std::fill(bytes.begin() + 8, bytes.end(), 0);
  return boost::asio::ip::address_v6(bytes).to_string() + "/64";
}

std::string ForwardedClient(const std::string& peer, const std::string& forwardedFor,
                            const std::vector<std::string>& trusted) {
  std::string hop = peer;
  if (Trim(forwardedFor).empty()) return hop;
  for (std::size_t end = forwardedFor.size();;) {
    const std::size_t comma = end == 0 ? std::string::npos : forwardedFor.rfind(',', end - 1);
    const std::size_t start = comma == std::string::npos ? 0 : comma + 1;
    const std::string address =
        CanonicalAddress(WithoutPort(Trim(forwardedFor.substr(start, end - start))));
    if (address.empty()) return hop;
    if (std::find(trusted.begin(), trusted.end(), address) == trusted.end()) return address;
    hop = address;
    if (comma == std::string::npos) return hop;
    end = comma;
  }
}

}  // namespace sudoku::site
