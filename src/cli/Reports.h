#pragma once

#include <QByteArray>
#include <QString>

struct QueryResult;

// A readable aligned layout, names converted to ASCII or, raw, as their bytes read as Latin-1.
// An incomplete result ends with a line "incomplete: " naming what is missing.
QString TextReport(const QueryResult& result, bool raw);

// One JSON document. Every text comes twice: converted to ASCII, and as its exact bytes, since
// the game's character set is not UTF-8. The document is one line, ended by a line feed, so that
// repeated queries give one document a line.
QByteArray JsonReport(const QueryResult& result);
