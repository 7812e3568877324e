// The chart configuration applied to real chart windows, offscreen, from a settings file in a
// temporary program folder.
#include "cartellatemporanea.h"
#include "file_ini.h"
#include "generale.h"
#include "grafico.h"
#include "impostagrafici.h"
#include "storico.h"

#include <QImage>
#include <QTest>
#include <QTextDocument>

namespace {
const QString Trattini = QStringLiteral("--------");

// The active settings file of the test, written whole.
void scriviImpostazioni(const CartellaTemporanea& cartella, const QByteArray& testo)
{
    cartella.scrivi(Generale::FileImpostazioni, testo);
}

void nominaZone(int quante)
{
    Generale::NumeroZone = quante;
    for (int i = 0; i < Generale::MaxZone; ++i)
        Generale::NomiZone[i] = Generale::SezioneZona(i);
}

QStringList voci(const QComboBox* c)
{
    QStringList v;
    for (int i = 0; i < c->count(); ++i)
        v << c->itemText(i);
    return v;
}
}  // namespace

class TstImpostaGrafici : public QObject {
    Q_OBJECT
private slots:
    void init();
    void nessunaZona();
    void senzaSezioneGrafico();
    void nomiLunghi();
    void nomiComeScritti_data();
    void nomiComeScritti();
    void coloriZone_data();
    void coloriZone();
    void sezioneGrafico_data();
    void sezioneGrafico();
    void testoNonConvertibile();
    void ridottoDopoEspanso();
};

void TstImpostaGrafici::init()
{
    Generale::FileImpostazioni = QStringLiteral("Quelvar2.ini");
    Generale::ColoreTraccia.fill(0);
    Generale::ColoreBordo = Generale::ColoreSfondo = Generale::ColoreGriglia = Generale::ColoreCursore = 0;
    Generale::ColoreOff1 = Generale::ColoreOff2 = 0;
    nominaZone(0);
}

void TstImpostaGrafici::nessunaZona()
{
    CartellaTemporanea cartella;
    scriviImpostazioni(cartella, "[Generale]\r\nZone=0\r\n");
    Grafico g;
    Storico s;
    Generale::ImpostaGrafici(g, s);
    QCOMPARE(g.Cmb_Cursore->count(), 0);
    QCOMPARE(s.Cmb_Cursore->count(), 0);
    for (int i = 0; i < 30; ++i) {
        QCOMPARE(g.Lab_Trax[i]->text(), Trattini);
        QVERIFY(!g.Lab_Trax[i]->isEnabled());
        QVERIFY(g.Lab_Trax[i]->toolTip().isEmpty());
        QVERIFY(g.Chk_Trax[i]->isHidden());
        QVERIFY(!g.Chk_Trax[i]->isChecked());
        QVERIFY(s.Chk_Trax[i]->isHidden());
        QCOMPARE(g.Lin_Trax[i]->Colore(), ColoreLong(0xC0C0C0));
        QCOMPARE(g.Shp_Trax[i]->Sfondo(), ColoreLong(0xE0E0E0));
        QCOMPARE(Generale::ColoreTraccia[i], ColoreLong(0xC0C0C0));
        for (Trend* t : {g.Trend, s.Trend}) {
            t->ImpostaTracciaCorrente(i + 1);
            QVERIFY(!t->TracciaVisibile());
            QCOMPARE(t->TracciaColore(), Generale::ColoreTracciaPredefinito[i]);
        }
    }
}

void TstImpostaGrafici::senzaSezioneGrafico()
{
    CartellaTemporanea cartella;  // no settings file at all
    nominaZone(1);
    Grafico g;
    Storico s;
    g.Trend->ImpostaScalaAlta(5);
    Generale::ImpostaGrafici(g, s);
    for (Trend* t : {g.Trend, s.Trend}) {
        QCOMPARE(t->NumeroTracce(), 30L);
        QCOMPARE(t->SfondoColore(), ColoreLong(0xFFFFFF));
        QCOMPARE(t->BordoColore(), ColoreLong(0xFFFFFF));
        QCOMPARE(t->GrigliaColore(), ColoreLong(0));
        QCOMPARE(t->CursoreColore(), ColoreLong(0x800000 ^ 0xFFFFFF));
        QCOMPARE(t->ScalaBassa(), -50.0);
        QCOMPARE(t->ScalaAlta(), 50.0);
        QCOMPARE(t->LimiteBasso(), -200.0);
        QCOMPARE(t->LimiteAlto(), 200.0);
        t->ImpostaTracciaCorrente(1);
        QCOMPARE(t->TracciaColore(), ColoreLong(0x0000FF));
        QVERIFY(t->TracciaVisibile());
    }
    QCOMPARE(Generale::ColoreCursore, ColoreLong(0x800000));
    QCOMPARE(Generale::ColoreOff2, ColoreLong(0xE0E0E0));
    QCOMPARE(g.Shp_Trax[0]->Sfondo(), ColoreLong(0xFFFFFF));
}

void TstImpostaGrafici::nomiLunghi()
{
    CartellaTemporanea cartella;
    scriviImpostazioni(cartella, "[Generale]\r\nZone=2\r\n");
    nominaZone(2);
    const QString lungo = QStringLiteral("  Ufficio amministrazione piano terra");
    Generale::NomiZone[1] = lungo;
    Grafico g;
    Storico s;
    Generale::ImpostaGrafici(g, s);
    QCOMPARE(voci(g.Cmb_Cursore), (QStringList{QStringLiteral("Zona 01"), lungo}));
    QCOMPARE(voci(s.Cmb_Cursore), voci(g.Cmb_Cursore));
    QCOMPARE(g.Chk_Trax[1]->text(), lungo);
    QCOMPARE(s.Chk_Trax[1]->text(), lungo);
    QVERIFY(g.Chk_Trax[1]->isChecked() && !g.Chk_Trax[1]->isHidden());
    QVERIFY(s.Chk_Trax[1]->isChecked() && !s.Chk_Trax[1]->isHidden());
    QCOMPARE(g.Lab_Trax[1]->text(), QStringLiteral("Ufficio amministra"));  // 20 characters, trimmed
    QCOMPARE(g.Lab_Trax[1]->toolTip(), QStringLiteral("Doppio click per modificare il colore della traccia <Ufficio amministra>"));
    QVERIFY(g.Lab_Trax[1]->isEnabled());
    QCOMPARE(g.Lab_Trax[2]->text(), Trattini);
    QVERIFY(s.Chk_Trax[2]->isHidden());
}

void TstImpostaGrafici::nomiComeScritti_data()
{
    QTest::addColumn<QString>("nome");
    QTest::newRow("un tag di immagine") << "<img src=f.png>";
    QTest::newRow("un nome che è un tag") << "P";
    QTest::newRow("grassetto") << "<b>Forno</b>";
}

// Zone names come from a file anyone may edit: the legend shows them as written, and markup in
// them never makes the station load a file.
void TstImpostaGrafici::nomiComeScritti()
{
    QFETCH(QString, nome);
    CartellaTemporanea cartella;
    scriviImpostazioni(cartella, "[Generale]\r\nZone=1\r\n");
    const QString corrente = QDir::currentPath();
    QDir::setCurrent(cartella.percorso());
    QImage foto(300, 200, QImage::Format_RGB32);
    foto.fill(Qt::green);
    foto.save(cartella.percorso("f.png"));
    nominaZone(1);
    Generale::NomiZone[0] = nome;
    Grafico g;
    Storico s;
    Generale::ImpostaGrafici(g, s);
    QCOMPARE(g.Lab_Trax[0]->text(), nome);
    QVERIFY(g.Lab_Trax[0]->sizeHint().height() < g.fontMetrics().height() * 3);
    // A tool tip that looks like markup is shown as markup.
    QString suggerimento = g.Lab_Trax[0]->toolTip();
    if (Qt::mightBeRichText(suggerimento)) {
        QTextDocument documento;
        documento.setHtml(suggerimento);
        suggerimento = documento.toPlainText();
    }
    QCOMPARE(suggerimento, QStringLiteral("Doppio click per modificare il colore della traccia <") + nome + QLatin1Char('>'));
    QDir::setCurrent(corrente);
}

void TstImpostaGrafici::coloriZone_data()
{
    QTest::addColumn<int>("zona");  // zone number 1..30
    QTest::addColumn<QByteArray>("chiave");
    QTest::addColumn<quint32>("colore");
    QTest::newRow("zone 30 default: window text") << 30 << QByteArray() << 0x80000008u;
    QTest::newRow("zone 1 default") << 1 << QByteArray() << 0x0000FFu;
    QTest::newRow("zone 12 default") << 12 << QByteArray() << 0xC0E0FFu;
    QTest::newRow("hexadecimal") << 5 << QByteArray("&HFF00") << 0x00FF00u;
    QTest::newRow("the same in decimal") << 5 << QByteArray("65280") << 0x00FF00u;
    QTest::newRow("hexadecimal with type mark") << 7 << QByteArray("&h80ff&") << 0x0080FFu;
}

void TstImpostaGrafici::coloriZone()
{
    QFETCH(int, zona);
    QFETCH(QByteArray, chiave);
    QFETCH(quint32, colore);
    CartellaTemporanea cartella;
    QByteArray testo = "[Generale]\r\nZone=30\r\n";
    if (!chiave.isNull())
        testo += "[" + Generale::SezioneZona(zona - 1).toLatin1() + "]\r\nColore=" + chiave + "\r\n";
    scriviImpostazioni(cartella, testo);
    nominaZone(30);
    Grafico g;
    Storico s;
    Generale::ImpostaGrafici(g, s);
    const int i = zona - 1;
    QCOMPARE(Generale::ColoreTraccia[i], colore);
    QCOMPARE(g.Lin_Trax[i]->Colore(), colore);
    QCOMPARE(g.Shp_Trax[i]->Colore(), colore);
    for (Trend* t : {g.Trend, s.Trend}) {
        t->ImpostaTracciaCorrente(zona);
        QCOMPARE(t->TracciaColore(), colore);
        QVERIFY(t->TracciaVisibile());
    }
}

void TstImpostaGrafici::sezioneGrafico_data()
{
    QTest::addColumn<QByteArray>("sezione");
    QTest::addColumn<quint32>("sfondo");
    QTest::addColumn<quint32>("cursore");  // as the charts hold it
    QTest::addColumn<double>("scalaBassa");
    QTest::addColumn<double>("scalaAlta");
    QTest::addColumn<double>("limiteAlto");
    QTest::newRow("hexadecimal colours, decimal comma")
        << QByteArray("Colore_Sfondo=&HFF\r\nColore_Cursore=&HFF\r\nT_Min=-10,5\r\nT_Max=75.25\r\nT_Max_Ass=300\r\n")
        << 0xFFu << 0xFFFF00u << -10.5 << 75.25 << 300.0;
    QTest::newRow("decimal colours") << QByteArray("colore_sfondo = 255\r\nCOLORE_CURSORE=0\r\n") << 0xFFu << 0xFFFFFFu << -50.0 << 50.0 << 200.0;
    QTest::newRow("single precision") << QByteArray("T_Max=0.1\r\n") << 0xFFFFFFu << 0x7FFFFFu << -50.0 << double(0.1f) << 200.0;
}

void TstImpostaGrafici::sezioneGrafico()
{
    QFETCH(QByteArray, sezione);
    QFETCH(quint32, sfondo);
    QFETCH(quint32, cursore);
    QFETCH(double, scalaBassa);
    QFETCH(double, scalaAlta);
    QFETCH(double, limiteAlto);
    CartellaTemporanea cartella;
    scriviImpostazioni(cartella, "[Grafico]\r\n" + sezione);
    nominaZone(3);
    Grafico g;
    Storico s;
    Generale::ImpostaGrafici(g, s);
    QCOMPARE(Generale::ColoreSfondo, sfondo);
    for (Trend* t : {g.Trend, s.Trend}) {
        QCOMPARE(t->SfondoColore(), sfondo);
        QCOMPARE(t->CursoreColore(), cursore);
        QCOMPARE(t->ScalaBassa(), scalaBassa);
        QCOMPARE(t->ScalaAlta(), scalaAlta);
        QCOMPARE(t->LimiteAlto(), limiteAlto);
    }
    QCOMPARE(g.Shp_Trax[0]->Sfondo(), sfondo);
}

void TstImpostaGrafici::testoNonConvertibile()
{
    // Text that is no number or colour leaves what was there before, and the rest still runs.
    CartellaTemporanea cartella;
    scriviImpostazioni(cartella,
                       "[Grafico]\r\nColore_Bordo=blu\r\nColore_Griglia=&H8080\r\nT_Min=meno dieci\r\nT_Max_Ass=\r\n"
                       "[Zona 02]\r\nColore=verde\r\n");
    nominaZone(2);
    Generale::ColoreBordo = 0x123456;
    Generale::ColoreTraccia[1] = 0x654321;
    Grafico g;
    Storico s;
    g.Trend->ImpostaScalaBassa(-7);
    g.Trend->ImpostaLimiteAlto(150);
    Generale::ImpostaGrafici(g, s);
    QCOMPARE(Generale::ColoreBordo, ColoreLong(0x123456));
    QCOMPARE(Generale::ColoreGriglia, ColoreLong(0x8080));
    QCOMPARE(Generale::ColoreTraccia[1], ColoreLong(0x654321));
    QCOMPARE(g.Trend->ScalaBassa(), -7.0);
    QCOMPARE(s.Trend->ScalaBassa(), -7.0);
    QCOMPARE(g.Trend->LimiteAlto(), 150.0);
    QCOMPARE(g.Trend->ScalaAlta(), 50.0);
    QCOMPARE(g.Lab_Trax[1]->text(), QStringLiteral("Zona 02"));
}

void TstImpostaGrafici::ridottoDopoEspanso()
{
    // A reload with fewer zones frees the slots the earlier one used, on both windows.
    CartellaTemporanea cartella;
    scriviImpostazioni(cartella, "[Zona 03]\r\nColore=&HFF\r\n");
    Grafico g;
    Storico s;
    nominaZone(5);
    Generale::ImpostaGrafici(g, s);
    QCOMPARE(g.Cmb_Cursore->count(), 5);
    nominaZone(2);
    Generale::ImpostaGrafici(g, s);
    QCOMPARE(g.Cmb_Cursore->count(), 2);
    QCOMPARE(s.Cmb_Cursore->count(), 2);
    QCOMPARE(g.Lab_Trax[2]->text(), Trattini);
    QVERIFY(g.Chk_Trax[2]->isHidden() && s.Chk_Trax[2]->isHidden());
    QCOMPARE(Generale::ColoreTraccia[2], Generale::ColoreOff1);
    for (Trend* t : {g.Trend, s.Trend}) {
        t->ImpostaTracciaCorrente(3);
        QVERIFY(!t->TracciaVisibile());
    }
    s.Trend->ImpostaTracciaCorrente(2);
    QVERIFY(s.Trend->TracciaVisibile());
}

QTEST_MAIN(TstImpostaGrafici)
#include "tst_impostagrafici.moc"
