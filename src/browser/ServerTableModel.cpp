#include "ServerTableModel.h"

#include "ServerColumns.h"
#include "ServerLists.h"
#include "ShownText.h"

#include <algorithm>

namespace {

bool Found(const Endpoint& endpoint) {
    return !endpoint.address.isNull();
}

QString NameKey(const HostPort& named) {
    return HostPortText(named).toLower();
}

HostPort AddressTarget(const Endpoint& endpoint) {
    return {endpoint.address.toString(), endpoint.port};
}

void AddName(ServerRow& row, const HostPort& name) {
    if (!AnySameServer(name, row.names))
        row.names.append(name);
}

bool NamesAny(const ServerRow& row, const QList<HostPort>& names) {
    return std::any_of(row.names.begin(), row.names.end(),
                       [&](const HostPort& n) { return AnySameServer(n, names); });
}

ServerRow NewRow(const RefreshBatch::Listed& listed) {
    ServerRow row;
    row.endpoint = listed.endpoint;
    row.target = listed.named.host.isEmpty() ? AddressTarget(listed.endpoint) : listed.named;
    row.names = {row.target};
    row.sources = listed.sources;
    row.state = Found(listed.endpoint) ? RowState::Asking : RowState::NotFound;
    return row;
}

// The first listing in a refresh replaces what the last refresh knew of the row; later ones add
// to it. A name the user gave wins over the address a master lists.
void Relist(ServerRow& row, const RefreshBatch::Listed& listed) {
    if (!row.current) {
        row.current = true;
        row.sources = {};
        row.names = {};
        if (Found(row.endpoint))
            row.target = AddressTarget(row.endpoint);
    }
    row.sources |= listed.sources;
    if (!listed.named.host.isEmpty())
        row.target = listed.named;
    AddName(row, listed.named.host.isEmpty() ? AddressTarget(listed.endpoint) : listed.named);
    if (!Found(listed.endpoint))
        row.state = RowState::NotFound;
}

// The first and last of the rows a batch changed.
struct Span {
    int first = -1;
    int last = -1;
    void Add(int row) {
        first = first < 0 ? row : std::min(first, row);
        last = std::max(last, row);
    }
};

} // namespace

ServerTableModel::ServerTableModel(QObject* parent) : QAbstractTableModel(parent) {}

int ServerTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(rows.size());
}

int ServerTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ServerColumnCount;
}

QVariant ServerTableModel::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    const ServerRow& row = Row(index.row());
    const ServerColumnInfo& column = ColumnInfo(index.column());
    switch (role) {
    case Qt::DisplayRole:
        return column.text(row);
    case SortRole:
        return column.fromAnswer && !row.answer ? QVariant() : column.sortKey(row);
    case AnsweredRole:
        return row.answer.has_value();
    case Qt::ToolTipRole:
        return index.column() == BuddiesColumn && !buddiesSeen.isEmpty() ? buddiesSeen
                                                                         : RowToolTip(row);
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(column.alignment);
    case Qt::ForegroundRole:
        return row.state == RowState::Asking && row.answer ? oldForeground : QVariant();
    default:
        return {};
    }
}

QVariant ServerTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::ToolTipRole && section == BuddiesColumn)
        return buddiesSeen.isEmpty() ? QVariant() : buddiesSeen;
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return section >= 0 && section < ServerColumnCount
                   ? QString::fromLatin1(ColumnInfo(section).title)
                   : QVariant();
    return {};
}

void ServerTableModel::BeginRefresh() {
    for (ServerRow& row : rows) {
        row.current = false;
        row.state = RowState::Asking;
    }
    if (!rows.empty())
        emit dataChanged(index(0, 0), index(rowCount() - 1, ServerColumnCount - 1));
}

void ServerTableModel::Apply(const RefreshBatch& batch) {
    const int shown = rowCount();
    std::vector<ServerRow> fresh;
    Span changed;
    const auto at = [&](int i) -> ServerRow& {
        return i < shown ? rows[size_t(i)] : fresh[size_t(i - shown)];
    };
    const auto touch = [&](int i) {
        if (i < shown)
            changed.Add(i);
    };

    for (const RefreshBatch::Listed& listed : batch.listed) {
        const int i = Find(listed);
        if (i >= 0) {
            Relist(at(i), listed);
            touch(i);
            continue;
        }
        fresh.push_back(NewRow(listed));
        FindLastSeen(fresh.back());
        Index(fresh.back(), shown + int(fresh.size()) - 1);
    }
    for (const RefreshBatch::Outcome& outcome : batch.outcomes) {
        const int i = byEndpoint.value(outcome.endpoint, -1);
        if (i < 0)
            continue;
        ServerRow& row = at(i);
        // An answer replaces the last one, a status the last status; a silent server keeps
        // neither.
        if (outcome.answer || !outcome.status) {
            row.answer = outcome.answer;
            row.state = outcome.answer ? RowState::Answered : RowState::Silent;
        }
        if (outcome.status || !outcome.answer) {
            row.status = outcome.status;
            FindBuddies(row);
        }
        touch(i);
    }

    if (!fresh.empty()) {
        beginInsertRows({}, shown, shown + int(fresh.size()) - 1);
        std::move(fresh.begin(), fresh.end(), std::back_inserter(rows));
        endInsertRows();
    }
    if (changed.first >= 0)
        emit dataChanged(index(changed.first, 0), index(changed.last, ServerColumnCount - 1));
}

void ServerTableModel::EndRefresh() {
    RemoveRowsWhere([](const ServerRow& row) { return !row.current; });
}

void ServerTableModel::SetFavourite(const QList<HostPort>& names, bool favourite) {
    Span changed;
    for (size_t i = 0; i < rows.size(); ++i) {
        if (NamesAny(rows[i], names)) {
            rows[i].sources.setFlag(ServerSource::Favourite, favourite);
            changed.Add(int(i));
        }
    }
    if (changed.first >= 0)
        emit dataChanged(index(changed.first, SourceColumn), index(changed.last, SourceColumn));
    RemoveRowsWhere([](const ServerRow& row) { return !row.sources; });
}

void ServerTableModel::SetBuddies(const QStringList& names) {
    buddies = names;
    for (ServerRow& row : rows)
        FindBuddies(row);
    if (!rows.empty())
        emit dataChanged(index(0, BuddiesColumn), index(rowCount() - 1, BuddiesColumn));
}

void ServerTableModel::SetLastSeen(const QHash<QString, QDateTime>& seen) {
    lastSeen = seen;
    for (ServerRow& row : rows)
        FindLastSeen(row);
    if (!rows.empty())
        emit dataChanged(index(0, LastSeenColumn), index(rowCount() - 1, LastSeenColumn));
}

void ServerTableModel::FindLastSeen(ServerRow& row) const {
    const auto seen = lastSeen.constFind(HostPortText(row.target));
    row.lastSeen = seen == lastSeen.constEnd() ? std::nullopt : std::optional(*seen);
}

void ServerTableModel::SetBuddiesSeen(const QString& text) {
    buddiesSeen = text;
    emit headerDataChanged(Qt::Horizontal, BuddiesColumn, BuddiesColumn);
}

void ServerTableModel::FindBuddies(ServerRow& row) const {
    QStringList names;
    for (const ServerPlayer& player : PlayersNamed(row, buddies))
        names << ShownText(player.name, true);
    row.buddies = names.join(QStringLiteral(", "));
}

ServerTableModel::Tally ServerTableModel::CurrentTally() const {
    Tally tally;
    for (const ServerRow& row : rows) {
        if (!row.current)
            continue;
        ++tally.servers;
        if (row.state == RowState::Answered)
            ++tally.answered;
        if (!row.buddies.isEmpty())
            tally.buddies += int(PlayersNamed(row, buddies).size());
    }
    return tally;
}

int ServerTableModel::Find(const RefreshBatch::Listed& listed) const {
    if (Found(listed.endpoint))
        return byEndpoint.value(listed.endpoint, -1);
    return byName.value(NameKey(listed.named), -1);
}

void ServerTableModel::Index(const ServerRow& row, int index) {
    if (Found(row.endpoint))
        byEndpoint.insert(row.endpoint, index);
    else
        byName.insert(NameKey(row.target), index);
}

void ServerTableModel::Reindex() {
    byEndpoint.clear();
    byName.clear();
    for (size_t i = 0; i < rows.size(); ++i)
        Index(rows[i], int(i));
}

// Each run of neighbouring rows goes in one removal, the last run first, so that the indexes of
// the runs still to go stay as they are.
void ServerTableModel::RemoveRowsWhere(bool (*gone)(const ServerRow&)) {
    int end = rowCount();
    bool removed = false;
    while (end > 0) {
        if (!gone(rows[size_t(end - 1)])) {
            --end;
            continue;
        }
        int begin = end - 1;
        while (begin > 0 && gone(rows[size_t(begin - 1)]))
            --begin;
        beginRemoveRows({}, begin, end - 1);
        rows.erase(rows.begin() + begin, rows.begin() + end);
        endRemoveRows();
        removed = true;
        end = begin;
    }
    if (removed)
        Reindex();
}
