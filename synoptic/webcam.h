#pragma once
// The webcam behind the synoptic's webcam panel. The panel only needs these five operations;
// the station's own is built on Qt Multimedia, tests use a fake.
#include <QString>

#include <memory>

class QWidget;

class CatturaVideo {
public:
    virtual ~CatturaVideo() = default;

    // Chooses and opens the capture device. False on failure, with UltimoErrore set.
    virtual bool Apri() = 0;
    // Starts (true) the live picture of the opened device. False on failure, with UltimoErrore.
    virtual bool Avvia(bool avvia) = 0;
    // Why the last Apri or Avvia failed, as a text for the operator.
    virtual QString UltimoErrore() const = 0;
    // Stops the capture; nothing happens when none runs.
    virtual void Ferma() = 0;
    virtual void ImpostaAudio(bool attivo) = 0;
    // True while the device captures.
    virtual bool InCattura() const = 0;
    // The widget the picture is drawn in; the panel takes it as a child.
    virtual QWidget* Vista() = 0;
};

// The default camera of the system, through Qt Multimedia.
std::unique_ptr<CatturaVideo> CreaCatturaVideo();
