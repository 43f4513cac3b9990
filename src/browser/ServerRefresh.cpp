#include "ServerRefresh.h"

#include "QuerySocket.h"
#include "ServerInfoReply.h"

namespace {

constexpr QByteArrayView MessagePrefix("\xFF\xFF\xFF\xFF");

QByteArray ServerInfoRequest() {
    PacketBuffer buffer;
    const int length = buffer.BuildServerInfoRequest();
    return QByteArray(buffer.ReceiveArea(), length);
}

bool IsPort(int port) {
    return port > 0 && port <= 0xFFFF;
}

} // namespace

ServerRefresh::ServerRefresh(const Clock& clock, QObject* parent)
    : QObject(parent), clock(clock),
      sockets([this](const Endpoint& sender, QByteArrayView datagram, std::int64_t ageUs) {
          OnDatagram(sender, datagram, ageUs);
      }),
      pinger(ServerInfoRequest(), StatusRequest()) {
    timer.setInterval(ServerPinger::TickMs);
    timer.setTimerType(Qt::PreciseTimer);
    connect(&timer, &QTimer::timeout, this, &ServerRefresh::OnTick);
}

ServerRefresh::~ServerRefresh() {
    AbortLookups();
}

bool ServerRefresh::Start(const Request& r) {
    Stop();
    if (!sockets.Open())
        return false;
    request = r;
    masters.Clear(request.games);
    budget.Clear();
    pinger.Clear();
    players.Clear();
    for (int i = 0; i < request.named.size(); ++i)
        waiting[request.named[i].host].named.append(i);
    for (int i = 0; i < request.masters.size(); ++i)
        waiting[request.masters[i].host].masters.append(i);
    for (auto it = waiting.cbegin(); it != waiting.cend(); ++it) {
        if (QHostAddress().setAddress(it.key()))
            continue;
        lookups.insert(QHostInfo::lookupHost(it.key(), this, &ServerRefresh::OnLookedUp), it.key());
    }
    running = true;
    literalsPending = true;
    timer.start();
    // Addresses are taken in, and the first requests sent, once the caller has the event loop
    // back: nothing is signalled from within Start.
    QTimer::singleShot(0, this, [this, refresh = generation] {
        if (Current(refresh))
            OnTick();
    });
    return true;
}

void ServerRefresh::Stop() {
    ++generation;
    running = false;
    literalsPending = false;
    timer.stop();
    AbortLookups();
    waiting.clear();
    sockets.Close();
}

bool ServerRefresh::Running() const {
    return running;
}

int ServerRefresh::ServerCount() const {
    return pinger.Count();
}

int ServerRefresh::AnsweredCount() const {
    return pinger.AnsweredCount();
}

void ServerRefresh::AbortLookups() {
    for (auto it = lookups.cbegin(); it != lookups.cend(); ++it)
        QHostInfo::abortHostLookup(it.key());
    lookups.clear();
}

void ServerRefresh::OnTick() {
    if (!running)
        return;
    const quint64 refresh = generation;
    if (literalsPending) {
        literalsPending = false;
        ResolveLiterals();
        if (!Current(refresh))
            return;
    }
    masters.Tick(Now(), sockets);
    budget.NewTick(Now());
    if (SignalMastersEnded() && Pump())
        FinishWhenDone();
}

void ServerRefresh::ResolveLiterals() {
    QList<QPair<QString, QHostAddress>> literals;
    for (auto it = waiting.cbegin(); it != waiting.cend(); ++it) {
        QHostAddress address;
        if (address.setAddress(it.key()))
            literals.append({it.key(), address});
    }
    const quint64 refresh = generation;
    for (const auto& [host, address] : literals) {
        Resolve(host, address);
        if (!Current(refresh))
            return;
    }
}

void ServerRefresh::OnLookedUp(const QHostInfo& info) {
    const auto found = lookups.constFind(info.lookupId());
    if (!running || found == lookups.cend())
        return;
    const QString host = *found;
    lookups.erase(found);
    const quint64 refresh = generation;
    Resolve(host, PreferredAddress(info.addresses()));
    if (Current(refresh) && Pump())
        FinishWhenDone();
}

void ServerRefresh::Resolve(const QString& host, const QHostAddress& address) {
    const Waiters waiters = waiting.take(host);
    if (address.isNull()) {
        for (int m : waiters.masters)
            masters.Fail(request.masters[m]);
        const quint64 refresh = generation;
        emit HostNotFound(host);
        if (Current(refresh))
            SignalMastersEnded();
        return;
    }
    const std::int64_t now = Now();
    for (int m : waiters.masters) {
        const HostPort& master = request.masters[m];
        if (IsPort(master.port))
            masters.Ask(master, Endpoint::Normalised(address, quint16(master.port)), now, sockets);
        else
            masters.Fail(master);
    }
    if (!SignalMastersEnded())
        return;
    for (int i : waiters.named) {
        const int port = request.named[i].port;
        if (IsPort(port) && !AddServers({Endpoint::Normalised(address, quint16(port))}, i))
            return;
    }
}

void ServerRefresh::OnDatagram(const Endpoint& sender, QByteArrayView datagram,
                               std::int64_t ageUs) {
    if (!running)
        return;
    if (datagram.startsWith(MessagePrefix) && masters.IsMaster(sender)) {
        if (AddServers(masters.Feed(sender, datagram), -1) && SignalMastersEnded() && Pump())
            FinishWhenDone();
        return;
    }
    // The reply is timed from its arrival, on the clock its request was timed on.
    if (OnServerReply(sender, datagram, Now() - (ageUs + 500) / 1000))
        FinishWhenDone();
}

bool ServerRefresh::OnServerReply(const Endpoint& sender, QByteArrayView datagram,
                                  std::int64_t arrived) {
    const quint64 refresh = generation;
    if (const std::optional<ServerInfo> info = ParseServerInfoReply(datagram)) {
        const std::optional<Ping> ping =
            pinger.Answer(sender, ServerRequest::Info, arrived, info->currentPlayers);
        if (ping)
            emit Answered(sender, *info, *ping);
    } else if (const std::optional<StatusReply> status = ParseStatusReply(datagram)) {
        const std::optional<Ping> ping = pinger.Answer(sender, ServerRequest::Status, arrived);
        if (ping)
            emit StatusAnswered(sender, *status, *ping,
                                !pinger.HasAnswered(sender, ServerRequest::Info));
    } else if (const std::optional<PlayerInfo> player = ParsePlayerInfoReply(datagram)) {
        if (const std::optional<PlayerRequests::Done> done = players.Answer(sender, *player))
            emit PlayersAnswered(done->server, done->players);
    }
    return Current(refresh);
}

bool ServerRefresh::AddServers(const QList<Endpoint>& servers, int namedIndex) {
    const quint64 refresh = generation;
    for (const Endpoint& server : servers) {
        const int index = pinger.Add(server);
        if (namedIndex < 0 && !pinger.MarkListed(index))
            continue;
        emit Listed(server, namedIndex);
        if (!Current(refresh))
            return false;
    }
    return true;
}

bool ServerRefresh::Pump() {
    const quint64 refresh = generation;
    const ServerPinger::Pumped pumped = pinger.Pump(clock, sockets, budget);
    for (const auto& [server, count] : pumped.plain) {
        if (count > 0) {
            players.Add(server, count);
            continue;
        }
        emit PlayersAnswered(server, {});
        if (!Current(refresh))
            return false;
    }
    for (const PlayerRequests::Done& done : players.Pump(Now(), sockets, budget)) {
        emit PlayersAnswered(done.server, done.players);
        if (!Current(refresh))
            return false;
    }
    for (const Endpoint& server : pumped.silent) {
        emit Silent(server);
        if (!Current(refresh))
            return false;
    }
    return true;
}

bool ServerRefresh::SignalMastersEnded() {
    const quint64 refresh = generation;
    for (const MasterQueries::Ended& e : masters.TakeEnded()) {
        emit MasterEnded(e.master, e.outcome, e.servers);
        if (!Current(refresh))
            return false;
    }
    return true;
}

void ServerRefresh::FinishWhenDone() {
    if (!running || literalsPending || !lookups.isEmpty() || masters.Waiting() || !pinger.Idle() ||
        !players.Idle())
        return;
    running = false;
    timer.stop();
    sockets.Close();
    emit Finished();
}
