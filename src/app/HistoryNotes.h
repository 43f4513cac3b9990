#pragma once

#include <QDateTime>
#include <QHash>
#include <QString>
#include <QStringList>

class HistoryStore;

// What the history tells the Servers window beside its tab: when each listed server last
// answered (the Last seen column), and where and when each buddy was seen last. Nothing with
// history off.
QHash<QString, QDateTime> LastAnsweredTimes(const HistoryStore* store);
// A time as the history shows it: "Mon 7 Dec 13:40", local time.
QString SeenTime(const QDateTime& time);
// A line a buddy: "Wanderer: 127.0.0.1:26000, Mon 7 Dec 13:40", or "Wanderer: not seen yet".
QString BuddiesSeenText(const HistoryStore* store, const QStringList& buddies);
