#pragma once

#include <QList>
#include <QString>

// The hand-typed tables in tests/golden (their README gives the format): the
// expected data of both programs, independent of the programs' own tables.
struct GoldenEntry {
    int list = 0;
    int index = 0;
    QString listText;
    int picture = 0;
    QString description;
};

// The program's entries in list order, lists 1 to 4 one after the other.
const QList<GoldenEntry>& goldenEntries(const QString& program);
QList<GoldenEntry> goldenList(const QString& program, int list);
const GoldenEntry& goldenEntry(const QString& program, int list, int index);

// What the description label shows once that entry is picked.
QString goldenDescription(const QString& program, int list, int index);

// A value of programs.tsv, such as goldenFact("Velview", "caption").
QString goldenFact(const QString& program, const QString& key);
