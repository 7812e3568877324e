#pragma once
// A temporary program folder for one test: the station's files are written into it and it is
// removed afterwards.
#include "cartellaprogramma.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

class CartellaTemporanea {
public:
    CartellaTemporanea() { Piattaforma::ImpostaCartellaProgramma(dir_.path()); }
    QString percorso(const QString& nome = QString()) const { return nome.isEmpty() ? dir_.path() : dir_.filePath(nome); }
    void scrivi(const QString& nome, const QByteArray& contenuto) const
    {
        QFile f(percorso(nome));
        QDir().mkpath(QFileInfo(f).absolutePath());
        f.open(QIODevice::WriteOnly);
        f.write(contenuto);
    }
    QByteArray leggi(const QString& nome) const
    {
        QFile f(percorso(nome));
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }

private:
    QTemporaryDir dir_;
};
