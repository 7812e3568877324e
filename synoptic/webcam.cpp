#include "webcam.h"

#include <QAudioInput>
#include <QCamera>
#include <QCameraDevice>
#include <QMediaCaptureSession>
#include <QMediaDevices>
#include <QPointer>
#include <QVideoWidget>

namespace {

class CatturaQt final : public CatturaVideo {
public:
    CatturaQt()
        : vista_(new QVideoWidget)
    {
        vista_->setAspectRatioMode(Qt::KeepAspectRatio);
        sessione_.setVideoOutput(vista_);
    }

    ~CatturaQt() override
    {
        Ferma();
        // A video widget still inside the panel belongs to the panel from now on.
        if (vista_ && !vista_->parent())
            delete vista_;
    }

    bool Apri() override
    {
        Ferma();
        sessione_.setCamera(nullptr);
        camera_.reset();
        const QCameraDevice dispositivo = QMediaDevices::defaultVideoInput();
        if (dispositivo.isNull()) {
            errore_ = QStringLiteral("Nessuna webcam collegata al computer.");
            return false;
        }
        camera_ = std::make_unique<QCamera>(dispositivo);
        if (camera_->error() != QCamera::NoError) {
            errore_ = camera_->errorString();
            camera_.reset();
            return false;
        }
        sessione_.setCamera(camera_.get());
        return true;
    }

    bool Avvia(bool avvia) override
    {
        if (!camera_) {
            errore_ = QStringLiteral("La webcam non è stata aperta.");
            return false;
        }
        if (!avvia) {
            camera_->stop();
            return true;
        }
        camera_->start();
        if (camera_->error() != QCamera::NoError) {
            errore_ = camera_->errorString();
            camera_->stop();
            return false;
        }
        return true;
    }

    QString UltimoErrore() const override { return errore_; }

    void Ferma() override
    {
        if (camera_)
            camera_->stop();
    }

    // Qt Multimedia 6.4 can record the microphone with the picture but not play it back live,
    // so this only joins the microphone to the capture session.
    void ImpostaAudio(bool attivo) override
    {
        if (attivo && !audio_) {
            audio_ = std::make_unique<QAudioInput>();
            sessione_.setAudioInput(audio_.get());
        } else if (!attivo && audio_) {
            sessione_.setAudioInput(nullptr);
            audio_.reset();
        }
    }

    bool InCattura() const override { return camera_ && camera_->isActive(); }

    QWidget* Vista() override { return vista_; }

private:
    QMediaCaptureSession sessione_;
    std::unique_ptr<QCamera> camera_;
    std::unique_ptr<QAudioInput> audio_;
    QPointer<QVideoWidget> vista_;
    QString errore_;
};

}  // namespace

std::unique_ptr<CatturaVideo> CreaCatturaVideo() { return std::make_unique<CatturaQt>(); }
