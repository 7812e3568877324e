#pragma once
// A camera for the webcam panel's tests: it opens and starts as told, remembers each failure's
// text and the audio switches, and tells whether it captures.
#include "webcam.h"

#include <QList>
#include <QWidget>

class CameraFinta final : public CatturaVideo {
public:
    bool apre = true;
    bool avvia = true;
    bool inCattura = false;
    int aperture = 0;
    QList<bool> audio;
    QWidget vista;

    bool Apri() override
    {
        ++aperture;
        errore = QStringLiteral("apertura %1 fallita").arg(aperture);
        return apre;
    }
    bool Avvia(bool) override
    {
        errore = QStringLiteral("avvio %1 fallito").arg(aperture);
        inCattura = avvia;
        return avvia;
    }
    QString UltimoErrore() const override { return errore; }
    void Ferma() override { inCattura = false; }
    void ImpostaAudio(bool attivo) override { audio << attivo; }
    bool InCattura() const override { return inCattura; }
    QWidget* Vista() override { return &vista; }

    QString errore;
};
