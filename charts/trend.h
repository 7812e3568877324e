#pragma once
// The trend chart control of the live and history windows: the members the windows call, over
// the data of DatiTrend, painted one pixel column at a time so that a repaint costs the same
// whatever the number of points behind it.
#include "colori.h"
#include "datitrend.h"

#include <QWidget>

#include <array>

class Trend : public QWidget {
    Q_OBJECT
public:
    explicit Trend(QWidget* genitore = nullptr);

    DatiTrend& Dati() { return dati_; }
    const DatiTrend& Dati() const { return dati_; }

    void AggiungiPunto(long traccia, double tempo, double valore) { dati_.AggiungiPunto(int(traccia), tempo, valore); }
    void Ridisegna();
    void CancellaPunti() { dati_.CancellaPunti(); }
    // `ValoreAssente` for a trace without points, a gap or a trace number outside 1..30.
    double ValoreCursore(long traccia) const { return dati_.ValoreA(int(traccia), tempoCursore_); }
    void ImpostaFinestraTempo(double inizio, double fine) { dati_.ImpostaFinestraTempo(inizio, fine); }

    long NumeroTracce() const { return numeroTracce_; }
    void ImpostaNumeroTracce(long n);
    long DimensioneBuffer() const { return dati_.DimensioneBuffer(); }
    void ImpostaDimensioneBuffer(long punti) { dati_.ImpostaDimensioneBuffer(int(std::clamp<long>(punti, 1, DatiTrend::BufferMassimo))); }

    double AmpiezzaTempo() const { return dati_.AmpiezzaTempo(); }
    void ImpostaAmpiezzaTempo(double giorni) { dati_.ImpostaAmpiezzaTempo(giorni); }
    double TempoInizio() const { return dati_.TempoInizio(); }
    void ImpostaTempoInizio(double t) { dati_.ImpostaTempoInizio(t); }
    double TempoFine() const { return dati_.TempoFine(); }
    void ImpostaTempoFine(double t) { dati_.ImpostaTempoFine(t); }

    QString FormatoValore() const { return formatoValore_; }
    void ImpostaFormatoValore(const QString& f) { formatoValore_ = f; }
    QString FormatoTempo() const { return formatoTempo_; }
    void ImpostaFormatoTempo(const QString& f) { formatoTempo_ = f; }

    double ScalaBassa() const { return dati_.ScalaBassa(); }
    void ImpostaScalaBassa(double v) { dati_.ImpostaScalaBassa(v); }
    double ScalaAlta() const { return dati_.ScalaAlta(); }
    void ImpostaScalaAlta(double v) { dati_.ImpostaScalaAlta(v); }
    double LimiteBasso() const { return dati_.LimiteBasso(); }
    void ImpostaLimiteBasso(double v) { dati_.ImpostaLimiteBasso(v); }
    double LimiteAlto() const { return dati_.LimiteAlto(); }
    void ImpostaLimiteAlto(double v) { dati_.ImpostaLimiteAlto(v); }

    ColoreLong SfondoColore() const { return sfondo_; }
    void ImpostaSfondoColore(ColoreLong c) { sfondo_ = c; }
    ColoreLong BordoColore() const { return bordo_; }
    void ImpostaBordoColore(ColoreLong c) { bordo_ = c; }
    ColoreLong GrigliaColore() const { return griglia_; }
    void ImpostaGrigliaColore(ColoreLong c) { griglia_ = c; }
    // Held complemented (24 bits), as the windows set it: the cursor is painted in
    // CursoreColore Xor 0xFFFFFF, which is the colour chosen by the operator.
    ColoreLong CursoreColore() const { return cursore_; }
    void ImpostaCursoreColore(ColoreLong c) { cursore_ = c; }

    long CursoreVisibile() const { return cursoreVisibile_ ? 1 : 0; }
    void ImpostaCursoreVisibile(long v);
    double TempoCursore() const { return tempoCursore_; }
    bool InPausa() const { return dati_.InPausa(); }
    void ImpostaInPausa(bool p) { dati_.ImpostaInPausa(p); }

    long TracciaCorrente() const { return tracciaCorrente_; }
    void ImpostaTracciaCorrente(long traccia);
    ColoreLong TracciaColore() const { return colori_[tracciaCorrente_ - 1]; }
    void ImpostaTracciaColore(ColoreLong c) { colori_[tracciaCorrente_ - 1] = c; }
    bool TracciaVisibile() const { return visibili_[tracciaCorrente_ - 1]; }
    void ImpostaTracciaVisibile(bool v) { visibili_[tracciaCorrente_ - 1] = v; }
    long TracciaSpessore() const { return spessori_[tracciaCorrente_ - 1]; }
    void ImpostaTracciaSpessore(long s) { spessori_[tracciaCorrente_ - 1] = int(std::clamp<long>(s, 1, 10)); }

    double AssolutoMax() const { return dati_.Assolute(tracciaCorrente_).massimo; }
    double AssolutoMedia() const { return dati_.Assolute(tracciaCorrente_).media; }
    double AssolutoMin() const { return dati_.Assolute(tracciaCorrente_).minimo; }
    double VistoMax() const { return dati_.Viste(tracciaCorrente_).massimo; }
    double VistoMedia() const { return dati_.Viste(tracciaCorrente_).media; }
    double VistoMin() const { return dati_.Viste(tracciaCorrente_).minimo; }

    // Held for the windows, which set them at start-up; the chart draws the same either way.
    bool OpzioneLogica() const { return opzioneLogica_; }
    void ImpostaOpzioneLogica(bool v) { opzioneLogica_ = v; }
    long OpzioneModo() const { return opzioneModo_; }
    void ImpostaOpzioneModo(long v) { opzioneModo_ = v; }

    // The plot area inside the widget, where the points are drawn.
    QRect AreaGrafico() const;

signals:
    // The operator moved the cursor (a click or a drag on the plot while it is shown).
    void CursoreSpostato(double tempo);

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;

private:
    void spostaCursore(int x);
    void disegnaTraccia(QPainter& p, const QRect& area, int traccia) const;

    // What the last repaint drew of each trace, kept while its points, the window and the
    // width stay the same: repainting an unchanged chart (an expose, a cursor move) then costs
    // the same whatever the number of points.
    struct Disegnata {
        std::uint64_t versione = ~std::uint64_t(0);
        std::pair<double, double> tempi;
        int larghezza = -1;
        std::vector<ColonnaTrend> colonne;
    };
    const std::vector<ColonnaTrend>& colonne(int traccia, int larghezza) const;

    DatiTrend dati_;
    mutable std::array<Disegnata, DatiTrend::MaxTracce> disegnate_;
    long numeroTracce_ = DatiTrend::MaxTracce;
    long tracciaCorrente_ = 1;
    std::array<ColoreLong, DatiTrend::MaxTracce> colori_{};
    std::array<bool, DatiTrend::MaxTracce> visibili_;
    std::array<int, DatiTrend::MaxTracce> spessori_;
    QString formatoValore_ = QStringLiteral("##0.0");
    QString formatoTempo_ = QStringLiteral("hh:mm:ss");
    ColoreLong sfondo_ = 0xFFFFFF;
    ColoreLong bordo_ = 0xFFFFFF;
    ColoreLong griglia_ = 0x000000;
    ColoreLong cursore_ = 0x800000 ^ 0xFFFFFF;
    bool cursoreVisibile_ = false;
    double tempoCursore_ = 0;
    bool opzioneLogica_ = false;
    long opzioneModo_ = 1;
};
