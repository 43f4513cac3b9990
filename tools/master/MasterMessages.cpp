#include "MasterMessages.h"

#include <QtEndian>

namespace Master {
namespace {

constexpr char ExtendedWord[] = "getserversExt";
constexpr char PlainWord[] = "getservers";

// One word, as strtol reads it in base 0 (decimal, 0x hexadecimal, 0 octal), or nothing.
std::optional<int> ReadProtocol(const QByteArray& word) {
    bool ok = false;
    const int protocol = word.toInt(&ok, 0);
    return ok ? std::optional<int>(protocol) : std::nullopt;
}

void AppendPort(QByteArray& bytes, quint16 port) {
    char big[2];
    qToBigEndian(port, big);
    bytes.append(big, sizeof big);
}

} // namespace

std::optional<ListRequest> ParseListRequest(const QByteArray& datagram) {
    if (!datagram.startsWith(Prefix))
        return std::nullopt;
    // dpmaster reads the request as a C string.
    const QByteArray text = datagram.mid(PrefixLength).split('\0').constFirst();
    QByteArrayList words = text.split(' ');
    words.removeAll(QByteArray());
    if (words.isEmpty())
        return std::nullopt;

    ListRequest request;
    const QByteArray word = words.takeFirst();
    if (word == ExtendedWord)
        request.extended = true;
    else if (word != PlainWord)
        return std::nullopt;
    if (words.isEmpty())
        return std::nullopt;

    std::optional<int> protocol = ReadProtocol(words.constFirst());
    if (request.extended || !protocol) {
        request.gameName = words.takeFirst();
        protocol = ReadProtocol(words.value(0));
        if (!protocol)
            return std::nullopt;
    }
    words.removeFirst();
    request.protocol = *protocol;

    // Options a stand-in cannot tell apart (empty, full, gametype) change nothing here.
    if (request.extended) {
        request.ipv4 = words.contains("ipv4");
        request.ipv6 = words.contains("ipv6");
        if (!request.ipv4 && !request.ipv6)
            request.ipv4 = request.ipv6 = true;
    }
    return request;
}

QByteArray AnswerHeader(bool extended) {
    return QByteArray(Prefix) + (extended ? "getserversExtResponse" : "getserversResponse");
}

QByteArray EncodeEntry(const MasterEntry& entry) {
    QByteArray bytes;
    if (entry.address.protocol() == QAbstractSocket::IPv4Protocol) {
        bytes.append('\\');
        char big[4];
        qToBigEndian(entry.address.toIPv4Address(), big);
        bytes.append(big, sizeof big);
    } else if (entry.address.protocol() == QAbstractSocket::IPv6Protocol) {
        bytes.append('/');
        const Q_IPV6ADDR address = entry.address.toIPv6Address();
        bytes.append(reinterpret_cast<const char*>(address.c), sizeof address.c);
    } else {
        return {};
    }
    AppendPort(bytes, entry.port);
    return bytes;
}

QByteArray EndMark() {
    return QByteArray("\\EOT\0\0\0", 7);
}

QByteArray CutShort(const QByteArray& entry) {
    return entry.left(1 + (entry.size() - 1) / 2);
}

QByteArrayList Pack(const QByteArray& header, const QByteArrayList& entries, int perDatagram) {
    const qsizetype step = qMax(1, perDatagram);
    QByteArrayList datagrams;
    for (qsizetype first = 0; first < entries.size(); first += step)
        datagrams.append(header + entries.mid(first, step).join());
    if (datagrams.isEmpty())
        datagrams.append(header);
    return datagrams;
}

} // namespace Master
