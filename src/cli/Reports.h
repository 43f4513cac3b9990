#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QString>

struct Ping;
struct QueryResult;
struct RefreshEntry;
struct MasterReport;
struct WatchEvent;
class QDateTime;

// "45 ms", or "~45 ms" after a resend.
QString PingCell(const Ping& ping);

// A readable aligned layout, names converted to ASCII or, raw, as their bytes read as Latin-1.
// An incomplete result ends with a line "incomplete: " naming what is missing.
QString TextReport(const QueryResult& result, bool raw);

// One JSON document. Every text comes twice: converted to ASCII, and as its exact bytes, since
// the game's character set is not UTF-8. The document is one line, ended by a line feed, so that
// repeated queries give one document a line.
QByteArray JsonReport(const QueryResult& result);

// A game text as the JSON documents hold it: converted to ASCII as "text", and its exact bytes as
// numbers, since the game's character set is not UTF-8.
QJsonObject TextJson(const QByteArray& bytes);
// A colour's number and name.
QJsonObject ColourJson(int colour);

// The server info as the JSON document holds it: name, address, map, counts and ping.
QJsonObject ServerJson(const QueryResult& result);

// Many servers, in the order given: one line each, those that did not answer or were not found
// marked.
QString RefreshTextReport(const QList<RefreshEntry>& entries, bool raw);
// One JSON object: "servers", an object per server with its outcome (and, where it told them, its
// mod, engine and players), and "masters", an object per master with its outcome; one line, ended
// by a line feed.
QByteArray RefreshJsonReport(const QList<RefreshEntry>& entries,
                             const QList<MasterReport>& masters);

// One line for one event of a watch, ended by a line feed: the time, the event, the server, the
// buddy (none for a count) and the server's name, separated by tabs; or one JSON object.
QByteArray WatchEventLine(const WatchEvent& event, const QDateTime& time, bool json, bool raw);
