// The live trend window's commands on the real window, offscreen, over a settings file in a
// temporary program folder: limits, colours, trace boxes, legend dragging, cursor, pause, print.
#include "cartellatemporanea.h"
#include "dialoghifinti.h"
#include "dialogocolore.h"
#include "drag.h"
#include "file_ini.h"
#include "formatitrend.h"
#include "generale.h"
#include "grafico.h"
#include "impostagrafici.h"
#include "stampagrafico.h"
#include "stampante.h"
#include "storico.h"
#include "tempotrend.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPrinter>
#include <QRegularExpression>
#include <QtTest>

using Piattaforma::IconaDialogo;
using Piattaforma::RispostaDialogo;

namespace {

// The colour dialog answered from a script; it records the colour each dialog opened on.
class ColoriFinti final : public Grafici::DialogoColore {
public:
    ColoriFinti() { precedente_ = Grafici::ImpostaServizioColore(this); }
    ~ColoriFinti() override { Grafici::ImpostaServizioColore(precedente_); }
    QQueue<std::optional<ColoreLong>> risposte;
    QList<ColoreLong> preimpostati;
    std::optional<ColoreLong> ScegliColore(ColoreLong preimpostato, QWidget*) override
    {
        preimpostati << preimpostato;
        return risposte.isEmpty() ? std::nullopt : risposte.dequeue();
    }

private:
    Grafici::DialogoColore* precedente_ = nullptr;
};

QString chiave(const QString& sezione, const QString& nome)
{
    return File_Ini::LeggiIni(sezione, nome, QStringLiteral("mancante"));
}

// A press on the panel, the mouse moved in four steps, the release.
void trascinaPannello(QWidget* w, Qt::MouseButton tasto, QPoint spostamento)
{
    const QPoint presa(5, 5);
    const QPoint inizio = w->mapToGlobal(presa);
    QTest::mousePress(w, tasto, {}, presa);
    for (int passo = 1; passo <= 4; ++passo)
        QTest::mouseMove(w, w->mapFromGlobal(inizio + spostamento * passo / 4));
    QTest::mouseRelease(w, tasto, {}, w->mapFromGlobal(inizio + spostamento));
}

// How a printout placed the images it drew, from its PDF file: for each image, its size in
// pixels and the size it fills on the page (in printer pixels).
struct ImmagineStampata {
    QSizeF pixel;
    QSizeF pagina;
};
QList<ImmagineStampata> immaginiDelPdf(const QByteArray& pdf)
{
    QList<ImmagineStampata> immagini;
    // An image is drawn scaled onto its place, then at its own size in pixels.
    static const QRegularExpression disegno(QStringLiteral(
        "([-0-9.]+) 0 0 ([-0-9.]+) [-0-9.]+ [-0-9.]+ cm\\s+([0-9.]+) 0 0 -([0-9.]+) 0 [0-9.]+ cm\\s*/Im[0-9]+\\s+Do"));
    qsizetype da = 0;
    while ((da = pdf.indexOf("/FlateDecode", da)) >= 0) {
        qsizetype inizio = pdf.indexOf("stream", da);
        const qsizetype fine = pdf.indexOf("endstream", inizio);
        if (inizio < 0 || fine < 0)
            break;
        da = fine;
        inizio += 6;
        while (pdf[inizio] == '\r' || pdf[inizio] == '\n')
            ++inizio;
        // Four bytes of expected length ahead of the zlib data: a short guess only grows the buffer.
        const QByteArray comandi = qUncompress(QByteArray(4, '\0') + pdf.mid(inizio, fine - inizio));
        for (auto m = disegno.globalMatch(QString::fromLatin1(comandi)); m.hasNext();) {
            const auto trovato = m.next();
            const QSizeF pixel(trovato.captured(3).toDouble(), trovato.captured(4).toDouble());
            immagini << ImmagineStampata{pixel, QSizeF(trovato.captured(1).toDouble() * pixel.width(),
                                                       trovato.captured(2).toDouble() * pixel.height())};
        }
    }
    return immagini;
}

}  // namespace

class TstGrafico : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void limiti_data();
    void limiti();
    void colori_data();
    void colori();
    void scritturaRifiutata_data();
    void scritturaRifiutata();
    void coloreTracciaSenzaDialogo_data();
    void coloreTracciaSenzaDialogo();
    void caselle_data();
    void caselle();
    void statisticheSenzaPunti();
    void selezioneTutte();
    void legendaTrascinata();
    void legendaRifiutata_data();
    void legendaRifiutata();
    void posizioneLegenda_data();
    void posizioneLegenda();
    void cursoreEPausa();
    void stampa_data();
    void stampa();

private:
    std::unique_ptr<CartellaTemporanea> cartella_;
    std::unique_ptr<Grafico> g_;
    std::unique_ptr<Storico> s_;
};

void TstGrafico::init()
{
    cartella_ = std::make_unique<CartellaTemporanea>();
    Generale::FileImpostazioni = QStringLiteral("Quelvar2.ini");
    cartella_->scrivi(Generale::FileImpostazioni, "[Generale]\r\nZone=2\r\n");
    Generale::NumeroZone = 2;
    Generale::NomiZone[0] = QStringLiteral("R&D");
    Generale::NomiZone[1] = QStringLiteral("Zona 02");
    Generale::UtenteAmministratore = Generale::UtenteTecnico = false;
    g_ = std::make_unique<Grafico>();
    s_ = std::make_unique<Storico>();
    Generale::ImpostaGrafici(*g_, *s_);
}

void TstGrafico::cleanup()
{
    QVERIFY(!Drag::TrascinamentoInCorso());
    g_.reset();
    s_.reset();
    cartella_.reset();
}

void TstGrafico::limiti_data()
{
    QTest::addColumn<int>("indice");
    QTest::addColumn<std::optional<QString>>("risposta");
    QTest::addColumn<QString>("scritto");  // "mancante": nothing written
    QTest::addColumn<double>("scala");     // the end of the axis afterwards

    using R = std::optional<QString>;
    const QString niente = QStringLiteral("mancante");
    // The axis stands at -50..50 with the absolute limits -200..200.
    QTest::newRow("alto oltre il limite assoluto") << 0 << R(QStringLiteral("1000")) << QStringLiteral("200") << 200.0;
    QTest::newRow("basso sopra l'alto") << 1 << R(QStringLiteral("80")) << QStringLiteral("50") << 50.0;
    QTest::newRow("alto sotto il basso") << 0 << R(QStringLiteral("-60")) << QStringLiteral("-50") << -50.0;
    QTest::newRow("basso oltre il limite assoluto") << 1 << R(QStringLiteral("-1000")) << QStringLiteral("-200") << -200.0;
    QTest::newRow("virgola") << 0 << R(QStringLiteral("21,5")) << QStringLiteral("21.5") << 21.5;
    QTest::newRow("punto") << 1 << R(QStringLiteral("-12.25")) << QStringLiteral("-12.25") << -12.25;
    QTest::newRow("zeri in testa e blank") << 0 << R(QStringLiteral(" 050 ")) << QStringLiteral("50") << 50.0;
    QTest::newRow("annullato") << 0 << R() << niente << 50.0;
    QTest::newRow("vuoto") << 0 << R(QString()) << niente << 50.0;
    QTest::newRow("non un numero") << 0 << R(QStringLiteral("abc")) << niente << 50.0;
    QTest::newRow("NaN") << 0 << R(QStringLiteral("nan")) << niente << 50.0;
    QTest::newRow("infinito") << 1 << R(QStringLiteral("-inf")) << niente << -50.0;
    QTest::newRow("oltre la precisione singola") << 0 << R(QStringLiteral("1e39")) << niente << 50.0;
}

void TstGrafico::limiti()
{
    QFETCH(int, indice);
    QFETCH(std::optional<QString>, risposta);
    QFETCH(QString, scritto);
    QFETCH(double, scala);
    DialoghiFinti dialoghi;
    dialoghi.testi.enqueue(risposta);
    g_->Cmd_Limite[indice]->click();
    QCOMPARE(dialoghi.mostrati.size(), 1);
    QCOMPARE(dialoghi.mostrati[0].titolo, QStringLiteral("Definizione intervalli di temperature"));
    const QString nome = indice == 0 ? QStringLiteral("T_Max") : QStringLiteral("T_Min");
    QCOMPARE(chiave(QStringLiteral("Grafico"), nome), scritto);
    QCOMPARE(indice == 0 ? g_->Trend->ScalaAlta() : g_->Trend->ScalaBassa(), double(float(scala)));
    // What was written reads back exactly at the next configuration.
    g_->Trend->ImpostaScalaAlta(0);
    g_->Trend->ImpostaScalaBassa(0);
    Generale::ImpostaGrafici();
    QCOMPARE(indice == 0 ? g_->Trend->ScalaAlta() : g_->Trend->ScalaBassa(), double(float(scala)));
}

void TstGrafico::colori_data()
{
    QTest::addColumn<QString>("pulsante");
    QTest::addColumn<QString>("sezione");
    QTest::addColumn<QString>("nome");

    QTest::newRow("sfondo") << "Cmd_Sfondo" << "Grafico" << "Colore_Sfondo";
    QTest::newRow("bordo") << "Cmd_Bordo" << "Grafico" << "Colore_Bordo";
    QTest::newRow("griglia") << "Cmd_Griglia" << "Grafico" << "Colore_Griglia";
    QTest::newRow("cursore") << "Cmd_Cursore" << "Grafico" << "Colore_Cursore";
    QTest::newRow("traccia della zona 2") << "Lab_Trax(1)" << "Zona 02" << "Colore";
}

// Each colour command opens on the colour in use, writes "&H" hexadecimal, re-applies the chart
// configuration, and a cancel writes nothing.
void TstGrafico::colori()
{
    QFETCH(QString, pulsante);
    QFETCH(QString, sezione);
    QFETCH(QString, nome);
    Generale::UtenteTecnico = true;
    g_->show();
    QVERIFY(QTest::qWaitForWindowExposed(g_.get()));
    g_->Cmd_Legenda->click();
    QWidget* w = g_->findChild<QWidget*>(pulsante);
    QVERIFY(w);
    auto scegli = [&] {
        if (auto* b = qobject_cast<QToolButton*>(w))
            b->click();
        else
            QTest::mouseDClick(w, Qt::LeftButton);
    };
    // What the chart and the legend show of this colour, as the configuration applied it.
    auto applicato = [&]() -> ColoreLong {
        if (nome == QLatin1String("Colore_Sfondo"))
            return g_->Trend->SfondoColore();
        if (nome == QLatin1String("Colore_Bordo"))
            return s_->Trend->BordoColore();
        if (nome == QLatin1String("Colore_Griglia"))
            return g_->Trend->GrigliaColore();
        if (nome == QLatin1String("Colore_Cursore"))
            return s_->Trend->CursoreColore() ^ 0xFFFFFFu;
        return g_->Lin_Trax[1]->Colore();
    };
    ColoriFinti colori;
    colori.risposte << ColoreLong(0x0000FF);  // pure red
    scegli();
    QCOMPARE(chiave(sezione, nome), QStringLiteral("&HFF"));
    QCOMPARE(applicato(), ColoreLong(0x0000FF));

    colori.risposte << ColoreLong(0x123456) << std::nullopt;
    scegli();
    QCOMPARE(chiave(sezione, nome), QStringLiteral("&H123456"));
    const QByteArray prima = cartella_->leggi(Generale::FileImpostazioni);
    scegli();  // cancelled
    QCOMPARE(colori.preimpostati.size(), 3);
    QCOMPARE(colori.preimpostati[2], ColoreLong(0x123456));  // opens on the colour last chosen
    QCOMPARE(cartella_->leggi(Generale::FileImpostazioni), prima);
    QCOMPARE(applicato(), ColoreLong(0x123456));
    QCOMPARE(g_->focusWidget(), g_->Cmd_ChiudiLegenda);
}

void TstGrafico::scritturaRifiutata_data()
{
    QTest::addColumn<QString>("comando");
    QTest::newRow("colore dello sfondo") << "Cmd_Sfondo";
    QTest::newRow("colore della traccia") << "Lab_Trax(1)";
    QTest::newRow("limite alto") << "Cmd_Limite(0)";
    QTest::newRow("legenda trascinata") << "PicTraxLegenda";
}

// The settings file refuses what a command writes: the operator is told, the file stays as it
// was, and the chart keeps what the file says.
void TstGrafico::scritturaRifiutata()
{
    QFETCH(QString, comando);
    Generale::UtenteTecnico = true;
    g_->show();
    QVERIFY(QTest::qWaitForWindowExposed(g_.get()));
    g_->Cmd_Legenda->click();
    const QByteArray prima = cartella_->leggi(Generale::FileImpostazioni);
    QVERIFY(QFile::setPermissions(cartella_->percorso(Generale::FileImpostazioni), QFile::ReadOwner));
    const ColoreLong sfondo = g_->Trend->SfondoColore();
    const ColoreLong traccia = g_->Lin_Trax[1]->Colore();
    const double alto = g_->Trend->ScalaAlta();

    ColoriFinti colori;
    colori.risposte << ColoreLong(0x0000FF);
    DialoghiFinti dialoghi;
    dialoghi.testi.enqueue(QStringLiteral("30"));
    QWidget* w = g_->findChild<QWidget*>(comando);
    QVERIFY(w);
    if (auto* b = qobject_cast<QAbstractButton*>(w))
        b->click();
    else if (w == g_->PicTraxLegenda)
        trascinaPannello(w, Qt::RightButton, QPoint(40, 20));
    else
        QTest::mouseDClick(w, Qt::LeftButton);

    QCOMPARE(cartella_->leggi(Generale::FileImpostazioni), prima);
    QVERIFY(!dialoghi.mostrati.isEmpty());
    QCOMPARE(dialoghi.mostrati.last().testo, File_Ini::TestoScritturaRifiutata());
    QCOMPARE(dialoghi.mostrati.last().icona, IconaDialogo::Esclamazione);
    QCOMPARE(g_->Trend->SfondoColore(), sfondo);
    QCOMPARE(g_->Lin_Trax[1]->Colore(), traccia);
    QCOMPARE(g_->Trend->ScalaAlta(), alto);
}

void TstGrafico::coloreTracciaSenzaDialogo_data()
{
    QTest::addColumn<bool>("diritti");
    QTest::addColumn<int>("riga");
    QTest::newRow("utente senza diritti") << false << 0;
    QTest::newRow("posto libero") << true << 5;  // two zones in use
}

// A double click on a trace label opens no colour dialog for a user without rights, nor on a
// free slot.
void TstGrafico::coloreTracciaSenzaDialogo()
{
    QFETCH(bool, diritti);
    QFETCH(int, riga);
    Generale::UtenteTecnico = diritti;
    g_->show();
    QVERIFY(QTest::qWaitForWindowExposed(g_.get()));
    g_->Cmd_Legenda->click();
    ColoriFinti colori;
    QTest::mouseDClick(g_->Lab_Trax[riga], Qt::LeftButton);
    QVERIFY(colori.preimpostati.isEmpty());
    QCOMPARE(chiave(QStringLiteral("Zona %1").arg(riga + 1, 2, 10, QLatin1Char('0')), QStringLiteral("Colore")), QStringLiteral("mancante"));
}

void TstGrafico::caselle_data()
{
    QTest::addColumn<Qt::MouseButton>("pulsante");
    QTest::addColumn<Qt::KeyboardModifiers>("tasti");
    QTest::addColumn<bool>("visibile");
    QTest::addColumn<int>("spessore");      // while the button is held
    QTest::addColumn<bool>("statistiche");  // shown while the button is held
    QTest::addColumn<bool>("doppio");       // held at the second press of a double click

    const Qt::KeyboardModifiers nessuno;
    const Qt::KeyboardModifiers maiuscolo(Qt::ShiftModifier);
    QTest::newRow("destro") << Qt::RightButton << nessuno << true << 2 << false << false;
    QTest::newRow("destro su traccia nascosta") << Qt::RightButton << nessuno << false << 1 << false << false;
    QTest::newRow("Maiuscolo e destro") << Qt::RightButton << maiuscolo << true << 1 << true << false;
    QTest::newRow("Ctrl e destro") << Qt::RightButton << Qt::KeyboardModifiers(Qt::ControlModifier) << true << 1 << false << false;
    QTest::newRow("sinistro") << Qt::LeftButton << nessuno << true << 1 << false << false;
    QTest::newRow("destro, doppio clic") << Qt::RightButton << nessuno << true << 2 << false << true;
    QTest::newRow("Maiuscolo e destro, doppio clic") << Qt::RightButton << maiuscolo << true << 1 << true << true;
}

void TstGrafico::caselle()
{
    QFETCH(Qt::MouseButton, pulsante);
    QFETCH(Qt::KeyboardModifiers, tasti);
    QFETCH(bool, visibile);
    QFETCH(int, spessore);
    QFETCH(bool, statistiche);
    QFETCH(bool, doppio);
    g_->show();
    QVERIFY(QTest::qWaitForWindowExposed(g_.get()));
    const double adesso = g_->Trend->TempoFine();
    for (double v : {10.0, 15.0, 20.0})
        g_->Trend->AggiungiPunto(1, adesso + v * UnSecondo, v);
    QCheckBox* casella = g_->Chk_Trax[0];
    QCOMPARE(casella->text(), QStringLiteral("R&&D"));  // shows "R&D", no shortcut
    casella->setChecked(visibile);
    auto spessoreTraccia = [&] {
        g_->Trend->ImpostaTracciaCorrente(1);
        return int(g_->Trend->TracciaSpessore());
    };

    if (doppio) {
        QTest::mouseClick(casella, pulsante, tasti);
        const QPointF dove(casella->rect().center());
        QMouseEvent secondo(QEvent::MouseButtonDblClick, dove, casella->mapToGlobal(dove), pulsante, pulsante, tasti);
        QApplication::sendEvent(casella, &secondo);
    } else {
        QTest::mousePress(casella, pulsante, tasti);
    }
    QVERIFY(casella->font().bold());
    QCOMPARE(spessoreTraccia(), spessore);
    QCOMPARE(g_->Pic_Stat->isVisible(), statistiche);
    if (statistiche) {
        QCOMPARE(g_->Lab_Stat_Gen->text(), QStringLiteral("R&D"));
        const QStringList attese{"20,0", "15,0", "10,0", "20,0", "15,0", "10,0"};
        for (int k = 0; k < 6; ++k)
            QCOMPARE(g_->Lab_Stat[k]->text(), attese[k]);
    }
    QTest::mouseRelease(casella, pulsante, tasti);
    QVERIFY(!casella->font().bold());
    QCOMPARE(spessoreTraccia(), 1);
    QVERIFY(g_->Pic_Stat->isHidden());
}

void TstGrafico::statisticheSenzaPunti()
{
    g_->show();
    QVERIFY(QTest::qWaitForWindowExposed(g_.get()));
    QTest::mousePress(g_->Chk_Trax[1], Qt::RightButton, Qt::ShiftModifier);
    for (QLabel* l : g_->Lab_Stat)
        QCOMPARE(l->text(), QStringLiteral("--.-"));
    QTest::mouseRelease(g_->Chk_Trax[1], Qt::RightButton, Qt::ShiftModifier);
}

void TstGrafico::selezioneTutte()
{
    g_->Cmd_Selezione[0]->click();
    for (int t = 1; t <= 30; ++t) {
        QVERIFY(g_->Chk_Trax[t - 1]->isChecked());  // the hidden boxes of free slots too
        g_->Trend->ImpostaTracciaCorrente(t);
        QVERIFY(g_->Trend->TracciaVisibile());
    }
    g_->Cmd_Selezione[1]->click();
    for (int t = 1; t <= 30; ++t) {
        QVERIFY(!g_->Chk_Trax[t - 1]->isChecked());
        g_->Trend->ImpostaTracciaCorrente(t);
        QVERIFY(!g_->Trend->TracciaVisibile());
    }
}

// The legend opens where it was dropped with the right button, also in a new window; the left
// button moves nothing. The cursor panel drags the same way, unsaved.
void TstGrafico::legendaTrascinata()
{
    g_->show();
    QVERIFY(QTest::qWaitForWindowExposed(g_.get()));
    g_->Cmd_Legenda->click();
    QCOMPARE(g_->PicTraxLegenda->pos(), QPoint(67, 67));  // 1000 twips by default
    auto trascina = [&](Qt::MouseButton tasto, QPoint spostamento) { trascinaPannello(g_->PicTraxLegenda, tasto, spostamento); };
    trascina(Qt::LeftButton, QPoint(40, 40));
    QCOMPARE(g_->PicTraxLegenda->pos(), QPoint(67, 67));
    QCOMPARE(chiave(QStringLiteral("Grafico"), QStringLiteral("Info_X")), QStringLiteral("mancante"));
    trascina(Qt::RightButton, QPoint(40, 20));
    QCOMPARE(g_->PicTraxLegenda->pos(), QPoint(107, 87));
    QCOMPARE(chiave(QStringLiteral("Grafico"), QStringLiteral("Info_X")), QStringLiteral("1605"));
    QCOMPARE(chiave(QStringLiteral("Grafico"), QStringLiteral("Info_Y")), QStringLiteral("1305"));

    Grafico nuovo;
    nuovo.Cmd_Legenda->click();
    QCOMPARE(nuovo.PicTraxLegenda->pos(), QPoint(107, 87));

    // The cursor panel moves with the right button too, and its place is kept nowhere.
    g_->Cmd_VediCursore->click();
    const QByteArray prima = cartella_->leggi(Generale::FileImpostazioni);
    const QPoint posto = g_->Pic_Cursore->pos();
    trascinaPannello(g_->Pic_Cursore, Qt::LeftButton, QPoint(-40, 30));
    QCOMPARE(g_->Pic_Cursore->pos(), posto);
    trascinaPannello(g_->Pic_Cursore, Qt::RightButton, QPoint(-40, 30));
    QCOMPARE(g_->Pic_Cursore->pos(), posto + QPoint(-40, 30));
    QCOMPARE(cartella_->leggi(Generale::FileImpostazioni), prima);
}

void TstGrafico::legendaRifiutata_data()
{
    QTest::addColumn<QByteArray>("chiavi");
    QTest::addColumn<QPoint>("posto");
    QTest::newRow("no place in the file") << QByteArray() << QPoint(67, 67);
    QTest::newRow("a place in the file") << QByteArray("[Grafico]\r\nInfo_X=1500\r\nInfo_Y=750\r\n") << QPoint(100, 50);
}

// A move the file refuses puts the legend back where the file has it: the screen never shows a
// place that was not stored, and the file keeps both coordinates as they were.
void TstGrafico::legendaRifiutata()
{
    QFETCH(QByteArray, chiavi);
    cartella_->scrivi(Generale::FileImpostazioni, "[Generale]\r\nZone=2\r\n" + chiavi);
    QVERIFY(QFile::setPermissions(cartella_->percorso(Generale::FileImpostazioni), QFile::ReadOwner));
    const QByteArray prima = cartella_->leggi(Generale::FileImpostazioni);
    g_->show();
    QVERIFY(QTest::qWaitForWindowExposed(g_.get()));
    g_->Cmd_Legenda->click();
    DialoghiFinti dialoghi;
    trascinaPannello(g_->PicTraxLegenda, Qt::RightButton, QPoint(40, 20));
    QTEST(g_->PicTraxLegenda->pos(), "posto");
    QCOMPARE(cartella_->leggi(Generale::FileImpostazioni), prima);
    QCOMPARE(dialoghi.mostrati.size(), 1);
}

void TstGrafico::posizioneLegenda_data()
{
    QTest::addColumn<QString>("x");  // "mancante": no key
    QTest::addColumn<QString>("y");
    QTest::addColumn<QPoint>("posto");  // (-1, -1): the frame's far corner

    QTest::newRow("nessuna chiave") << "mancante" << "mancante" << QPoint(67, 67);
    QTest::newRow("twips") << "1500" << "750" << QPoint(100, 50);
    QTest::newRow("blank e virgola") << " 1500 " << "750,0" << QPoint(100, 50);
    QTest::newRow("non numeri") << "abc" << "" << QPoint(0, 0);
    QTest::newRow("negativi") << "-3000" << "-15" << QPoint(0, 0);
    QTest::newRow("oltre la finestra") << "90000" << "90000" << QPoint(-1, -1);
}

// The legend opens where its keys place it; text that is no number places it at 0, and a place
// beyond this window keeps it, and its close button, in sight.
void TstGrafico::posizioneLegenda()
{
    QFETCH(QString, x);
    QFETCH(QString, y);
    QFETCH(QPoint, posto);
    if (x != QLatin1String("mancante")) {
        File_Ini::ScriviIni(QStringLiteral("Grafico"), QStringLiteral("Info_X"), x);
        File_Ini::ScriviIni(QStringLiteral("Grafico"), QStringLiteral("Info_Y"), y);
    }
    g_->show();
    QVERIFY(QTest::qWaitForWindowExposed(g_.get()));
    g_->Cmd_Legenda->click();
    if (posto == QPoint(-1, -1))
        posto = QPoint(g_->Frm_trend->width() - g_->PicTraxLegenda->width(), g_->Frm_trend->height() - g_->PicTraxLegenda->height());
    QCOMPARE(g_->PicTraxLegenda->pos(), posto);
    QVERIFY(g_->Frm_trend->rect().contains(g_->PicTraxLegenda->geometry()));
    QVERIFY(g_->PicTraxLegenda->isVisible());
    g_->Cmd_ChiudiLegenda->click();
    QVERIFY(g_->PicTraxLegenda->isHidden());
}

void TstGrafico::cursoreEPausa()
{
    g_->show();
    QVERIFY(QTest::qWaitForWindowExposed(g_.get()));
    // Zone 2 read every ten seconds across the window the cursor opens in.
    const double t = g_->Trend->TempoFine() + 30 * UnSecondo;
    for (int s = 60; s >= 0; s -= 10)
        g_->Trend->AggiungiPunto(2, t - s * UnSecondo, 21.5);
    g_->Cmb_Cursore->setCurrentIndex(1);
    g_->Cmd_VediCursore->click();
    QVERIFY(g_->Pic_Cursore->isVisible());
    QCOMPARE(g_->Trend->CursoreVisibile(), 1L);
    QCOMPARE(g_->Cmb_Cursore->currentIndex(), 0);
    QCOMPARE(g_->Lab_Cur[1]->text(), QStringLiteral("--.-"));  // zone 1 has no points
    g_->Cmb_Cursore->setCurrentIndex(1);
    QCOMPARE(g_->Lab_Cur[1]->text(), QStringLiteral("21,5"));
    const QRect area = g_->Trend->AreaGrafico();
    QTest::mouseClick(g_->Trend, Qt::LeftButton, {}, QPoint(area.right(), area.center().y()));
    QCOMPARE(g_->Lab_Cur[0]->text(), FormattaTempo(g_->Trend->TempoCursore(), QStringLiteral("hh:mm:ss")));

    // No zone in use: the read-out asks for no trace and shows no value.
    Generale::NumeroZone = 0;
    Generale::ImpostaGrafici();
    g_->Cmd_VediCursore->click();
    g_->Cmd_VediCursore->click();
    QCOMPARE(g_->Lab_Cur[1]->text(), QStringLiteral("--.-"));

    g_->Cmd_Pausa->click();
    QCOMPARE(g_->windowTitle(), QStringLiteral("Grafico - PAUSA"));
    QVERIFY(g_->Trend->InPausa());
    g_->Cmd_Pausa->click();
    QCOMPARE(g_->windowTitle(), QStringLiteral("Grafico"));
    QVERIFY(!g_->Trend->InPausa());
}

void TstGrafico::stampa_data()
{
    QTest::addColumn<RispostaDialogo>("risposta");
    QTest::addColumn<bool>("apribile");  // the printer can be opened
    QTest::addColumn<IconaDialogo>("esito");
    QTest::addColumn<QString>("testo");
    QTest::addColumn<QSize>("normale");  // the window's size in its normal state; empty: as it opens

    const QString inviato = QStringLiteral("Il diagramma è stato inviato alla stampante.");
    QTest::newRow("stampata") << RispostaDialogo::Si << true << IconaDialogo::Informazione << inviato << QSize();
    QTest::newRow("stampante che non si apre") << RispostaDialogo::Si << false << IconaDialogo::Critico
                                               << QStringLiteral("Errore occorso durante la stampa del diagramma.") << QSize();
    QTest::newRow("risposto No") << RispostaDialogo::No << true << IconaDialogo::Nessuna << QString() << QSize();
    QTest::newRow("stampata, finestra larga e bassa") << RispostaDialogo::Si << true << IconaDialogo::Informazione << inviato
                                                      << QSize(1350, 640);
    QTest::newRow("stampata, finestra quasi quadrata") << RispostaDialogo::Si << true << IconaDialogo::Informazione << inviato
                                                       << QSize(960, 880);
}

// The window as the main window holds it, maximised: printed in its normal state on one
// landscape page, with the window's proportions whatever the page's, then maximised again
// whatever happened.
void TstGrafico::stampa()
{
    QFETCH(RispostaDialogo, risposta);
    QFETCH(bool, apribile);
    QFETCH(IconaDialogo, esito);
    QFETCH(QString, testo);
    QFETCH(QSize, normale);
    QMdiArea area;
    area.setWindowTitle(QStringLiteral("Quelvar"));
    area.resize(1400, 900);
    QMdiSubWindow* sotto = area.addSubWindow(g_.release());
    area.show();
    if (normale.isValid())
        sotto->resize(normale);
    sotto->showMaximized();
    QVERIFY(QTest::qWaitForWindowExposed(&area));
    const QString pdf = cartella_->percorso(apribile ? QStringLiteral("pagina.pdf") : QStringLiteral("manca/pagina.pdf"));
    Stampante::Imposta([pdf] {
        auto p = std::make_unique<QPrinter>(QPrinter::HighResolution);
        p->setOutputFormat(QPrinter::PdfFormat);
        p->setOutputFileName(pdf);
        return p;
    });
    DialoghiFinti dialoghi;
    dialoghi.risposte << risposta;
    static_cast<Grafico*>(sotto->widget())->Cmd_Stampa->click();
    Stampante::Imposta({});

    QVERIFY(sotto->isMaximized());
    QCOMPARE(dialoghi.mostrati.size(), esito == IconaDialogo::Nessuna ? 1 : 2);
    QCOMPARE(dialoghi.mostrati[0].titolo, QStringLiteral("Stampa Grafico"));
    QCOMPARE(dialoghi.mostrati[0].icona, IconaDialogo::Domanda);
    if (esito == IconaDialogo::Nessuna) {
        QVERIFY(!QFile::exists(pdf));
        return;
    }
    QCOMPARE(dialoghi.mostrati[1].icona, esito);
    QCOMPARE(dialoghi.mostrati[1].testo, testo);
    QCOMPARE(dialoghi.mostrati[1].titolo, esito == IconaDialogo::Critico ? QStringLiteral("Stampa Grafico") : QStringLiteral("Quelvar"));
    if (!apribile)
        return;
    QFile file(pdf);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray contenuto = file.readAll();
    QCOMPARE(contenuto.count("/Type /Page\n") + contenuto.count("/Type /Page\r") + contenuto.count("/Type /Page/") +
                 contenuto.count("/Type /Page>"),
             qsizetype(1));
    const auto m = QRegularExpression(QStringLiteral("/MediaBox \\[0 0 ([0-9.]+) ([0-9.]+)\\]")).match(QString::fromLatin1(contenuto));
    QVERIFY(m.hasMatch());
    QVERIFY(m.captured(1).toDouble() > m.captured(2).toDouble());  // landscape
    const QList<ImmagineStampata> immagini = immaginiDelPdf(contenuto);
    QCOMPARE(immagini.size(), qsizetype(1));
    const ImmagineStampata& grafico = immagini[0];
    // Scaled alike both ways: the printed height is the width's share, to a printer pixel.
    const qreal altezza = grafico.pagina.width() * grafico.pixel.height() / grafico.pixel.width();
    QVERIFY2(qAbs(grafico.pagina.height() - altezza) <= 1.0,
             qPrintable(QStringLiteral("il grafico di %1 x %2 pixel stampato %3 x %4")
                            .arg(grafico.pixel.width()).arg(grafico.pixel.height())
                            .arg(grafico.pagina.width()).arg(grafico.pagina.height())));
}

QTEST_MAIN(TstGrafico)
#include "tst_grafico.moc"
