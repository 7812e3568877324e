#pragma once
// The process's resident memory, for the benchmarks that watch it grow.
#include <QByteArray>
#include <QFile>

// kB resident now; -1 when /proc cannot tell.
inline long RssKb()
{
    QFile stato(QStringLiteral("/proc/self/status"));
    if (!stato.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& riga : stato.readAll().split('\n'))
        if (riga.startsWith("VmRSS:"))
            return riga.mid(6).trimmed().split(' ').value(0).toLong();
    return -1;
}
