#pragma once
// The station's log while it lives: the warnings (a failure said), the information lines (which
// device the port is), and both in the order written.
#include <QString>
#include <QStringList>
#include <QtGlobal>

class Registro {
public:
    Registro() { precedente_ = qInstallMessageHandler(&Registro::annota); }
    ~Registro()
    {
        qInstallMessageHandler(precedente_);
        righe().clear();
        informazioni().clear();
        tutte().clear();
    }
    static QStringList& righe()
    {
        static QStringList r;
        return r;
    }
    static QStringList& informazioni()
    {
        static QStringList r;
        return r;
    }
    static QStringList& tutte()
    {
        static QStringList r;
        return r;
    }

private:
    static void annota(QtMsgType tipo, const QMessageLogContext&, const QString& testo)
    {
        if (tipo == QtWarningMsg)
            righe() << testo;
        else if (tipo == QtInfoMsg)
            informazioni() << testo;
        else
            return;
        tutte() << testo;
    }
    QtMessageHandler precedente_ = nullptr;
};
