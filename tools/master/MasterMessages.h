#pragma once

#include "MasterServerStandIn.h"

#include <QByteArray>
#include <QByteArrayList>
#include <optional>

// The dpmaster protocol as a master reads and writes it: requests and answers start with four
// 0xFF bytes and a word; an answer lists servers in binary entries after it.
namespace Master {

inline constexpr char Prefix[] = "\xFF\xFF\xFF\xFF";
inline constexpr int PrefixLength = 4;

struct ListRequest {
    bool extended = false;
    // Empty when the request names no game (the anonymous "getservers 68" of Quake III).
    QByteArray gameName;
    int protocol = 0;
    bool ipv4 = true;
    bool ipv6 = false;
};

// Reads getserversExt and getservers as dpmaster does: the game name, then a protocol number
// that must be a whole word, then options. Anything else gives nothing, as dpmaster answers
// nothing to it.
std::optional<ListRequest> ParseListRequest(const QByteArray& datagram);

// The answer's first word, prefix included.
QByteArray AnswerHeader(bool extended);

// '\' with 4 address bytes and 2 port bytes, or '/' with 16 and 2, big-endian. Empty for an
// entry that is neither IPv4 nor IPv6.
QByteArray EncodeEntry(const MasterEntry& entry);

// The fake IPv4 entry "EOT\0\0\0" that ends a list.
QByteArray EndMark();

// The first half of an encoded entry, its separator included.
QByteArray CutShort(const QByteArray& entry);

// Entries grouped perDatagram at a time (at least one) behind the header; at least one
// datagram, even for an empty list.
QByteArrayList Pack(const QByteArray& header, const QByteArrayList& entries, int perDatagram);

} // namespace Master
