// Who a request comes from: the peer of its connection or, when that peer is a trusted proxy,
// the client the proxy names in X-Forwarded-For.
#pragma once

#include <string>
#include <vector>

namespace sudoku::site {

// The canonical text of an IP address (an IPv4 address mapped into IPv6 as plain IPv4), or ""
// when text is not an address.
std::string CanonicalAddress(const std::string& text);

// The key one client's open connections are counted under: the address itself, or for IPv6
// its /64 network, the share one host is usually given.
std::string ConnectionKey(const std::string& address);

// The client of a request whose peer is a trusted proxy: the right-most entry of forwardedFor
// (every X-Forwarded-For value, joined by commas) that is not itself a trusted proxy. An entry
// that is no address stops the walk at the last trusted hop, as does a header naming only
// trusted proxies; an empty header gives the peer. Addresses are canonical.
std::string ForwardedClient(const std::string& peer, const std::string& forwardedFor,
                            const std::vector<std::string>& trusted);

}  // namespace sudoku::site
