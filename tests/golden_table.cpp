#include "golden_table.h"

#include <QFile>
#include <QHash>

namespace {
// The rows of a table in tests/golden, without its header line.
QList<QStringList> readTable(const char* name)
{
    QFile file(QStringLiteral(GOLDEN_DIR "/") + QLatin1String(name));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("Cannot read the golden table %s", qPrintable(file.fileName()));
    QList<QStringList> rows;
    const QList<QByteArray> lines = file.readAll().split('\n');
    for (qsizetype i = 1; i < lines.size(); ++i)
        if (!lines[i].isEmpty())
            rows.append(QString::fromUtf8(lines[i]).split(u'\t'));
    return rows;
}

const QHash<QString, QList<GoldenEntry>>& allEntries()
{
    static const auto entries = [] {
        QHash<QString, QList<GoldenEntry>> byProgram;
        for (const QStringList& row : readTable("catalogue.tsv")) {
            if (row.size() != 6)
                qFatal("A catalogue.tsv row without six fields: %s", qPrintable(row.join(u'|')));
            byProgram[row[0]].append(
                {row[1].toInt(), row[2].toInt(), row[3], row[4].toInt(), row[5]});
        }
        return byProgram;
    }();
    return entries;
}
} // namespace

const QList<GoldenEntry>& goldenEntries(const QString& program)
{
    const auto found = allEntries().constFind(program);
    if (found == allEntries().cend())
        qFatal("No golden entries of %s", qPrintable(program));
    return *found;
}

QList<GoldenEntry> goldenList(const QString& program, int list)
{
    QList<GoldenEntry> entries;
    for (const GoldenEntry& entry : goldenEntries(program))
        if (entry.list == list)
            entries.append(entry);
    return entries;
}

const GoldenEntry& goldenEntry(const QString& program, int list, int index)
{
    for (const GoldenEntry& entry : goldenEntries(program))
        if (entry.list == list && entry.index == index)
            return entry;
    qFatal("No golden entry %s %d %d", qPrintable(program), list, index);
}

QString goldenDescription(const QString& program, int list, int index)
{
    return QStringLiteral(" [表情说明]\r\n   ") + goldenEntry(program, list, index).description;
}

QString goldenFact(const QString& program, const QString& key)
{
    static const QList<QStringList> facts = readTable("programs.tsv");
    for (const QStringList& row : facts)
        if (row.size() == 3 && row[0] == program && row[1] == key)
            return row[2];
    qFatal("No golden fact %s of %s", qPrintable(key), qPrintable(program));
}
