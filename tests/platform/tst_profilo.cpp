// Profile files on real files in a temporary program folder: what a read returns and, after a
// write, every byte of the file.
#include "cartellatemporanea.h"
#include "profilo.h"
#include "sostituzione.h"
#include "testo1252.h"

#include <QDir>
#include <QTest>

#include <optional>

#include <fcntl.h>
#include <sys/stat.h>

using namespace Piattaforma;

namespace {

const QString Predefinito = QStringLiteral("predefinito");

// A settings file as plants have them: comments, odd blanks, a Windows-1252 byte, a repeated
// section and key, an LF among CRLF lines and no newline at the end.
const QByteArray Campione = "; impianto di prova\r\n"
                            "[Generale]\r\n"
                            "Vuoto=\r\n"
                            "  Spazi  =  \t valore con spazi \t \r\n"
                            "Unita=\xB0"
                            "C\r\n"
                            "Coppia=3,100\r\n"
                            "Formula=a=b;c, d\r\n"
                            "Virgolette=\"tra virgolette\"\r\n"
                            "Apici=' tra apici '\r\n"
                            "Spaiata=\"una sola\r\n"
                            "Diverse=\"diverse'\r\n"
                            "Doppie=\"\"x\"\"\r\n"
                            "Lunga="
                            + QByteArray(300, 'L')
                            + "\r\n"
                              ";Commento=no\r\n"
                              "Doppia=prima\r\n"
                              "DOPPIA=seconda\r\n"
                              "\r\n"
                              "[ Zona 01 ]   ; commento\n"
                              "Nome=Ufficio\r\n"
                              "[GENERALE]\r\n"
                              "Seconda=nella sezione ripetuta\r\n"
                              "[Fine]\r\n"
                              "Ultima=senza a capo";

ino_t inode(const QString& percorso)
{
    struct stat s {};
    return ::stat(QFile::encodeName(percorso).constData(), &s) == 0 ? s.st_ino : 0;
}

}  // namespace

class TstProfilo : public QObject {
    Q_OBJECT
private slots:
    void leggi_data();
    void leggi();
    void leggiInIstantanea_data() { leggi_data(); }
    void leggiInIstantanea();
    void nomiDiSezione_data();
    void nomiDiSezione();
    void marcaUtf8_data();
    void marcaUtf8();
    void istantanea_data();
    void istantanea();
    void scrivi_data();
    void scrivi();
    void scriviSuCollegamento();
    void scriviInsieme_data();
    void scriviInsieme();
    void testo1252();
};

void TstProfilo::leggi_data()
{
    QTest::addColumn<QByteArray>("contenuto");  // null: no file
    QTest::addColumn<QString>("sezione");
    QTest::addColumn<QString>("chiave");
    QTest::addColumn<QString>("atteso");

    const QByteArray c = Campione;
    QTest::newRow("valore vuoto, non il predefinito") << c << "Generale" << "Vuoto" << "";
    QTest::newRow("chiave mancante") << c << "Generale" << "Manca" << Predefinito;
    QTest::newRow("sezione mancante") << c << "Zona 02" << "Nome" << Predefinito;
    QTest::newRow("file mancante") << QByteArray() << "Generale" << "Vuoto" << Predefinito;
    QTest::newRow("300 caratteri letti come 254") << c << "Generale" << "Lunga" << QString(254, QLatin1Char('L'));
    QTest::newRow("nomi senza maiuscole") << c << "GENERALE" << "coppia" << "3,100";
    QTest::newRow("spazi intorno a nome e valore") << c << "Generale" << " spazi " << "valore con spazi";
    QTest::newRow("; , = sono dati") << c << "Generale" << "Formula" << "a=b;c, d";
    QTest::newRow("virgolette tolte") << c << "Generale" << "Virgolette" << "tra virgolette";
    QTest::newRow("apici tolti, spazi dentro restano") << c << "Generale" << "Apici" << " tra apici ";
    QTest::newRow("virgoletta spaiata resta") << c << "Generale" << "Spaiata" << "\"una sola";
    QTest::newRow("virgolette diverse restano") << c << "Generale" << "Diverse" << "\"diverse'";
    QTest::newRow("una sola coppia tolta") << c << "Generale" << "Doppie" << "\"x\"";
    QTest::newRow("riga di commento") << c << "Generale" << ";Commento" << Predefinito;
    QTest::newRow("chiave ripetuta: la prima") << c << "Generale" << "Doppia" << "prima";
    QTest::newRow("sezione ripetuta: solo la prima") << c << "Generale" << "Seconda" << Predefinito;
    QTest::newRow("chiave di un'altra sezione") << c << "Generale" << "Nome" << Predefinito;
    QTest::newRow("°C in Windows-1252") << c << "Generale" << "Unita" << QStringLiteral(u"\u00B0C");
    QTest::newRow("chiave accentata senza maiuscole") << QByteArray("[A]\r\nUNIT\xC0" "=1\r\nunit\xE0" "=2\r\n") << "a"
                                                     << QStringLiteral(u"Unit\u00E0") << "1";
    QTest::newRow("intestazione con spazi e commento, riga LF") << c << "zona 01" << "Nome" << "Ufficio";
    QTest::newRow("ultima riga senza a capo") << c << "Fine" << "Ultima" << "senza a capo";
    QTest::newRow("file solo LF") << QByteArray("[A]\nB=1\nC=2") << "a" << "c" << "2";
    QTest::newRow("intestazioni dopo tabulazione e spazio non separabile")
        << QByteArray("[A]\r\nK=1\r\n\t\xA0[B]\r\nK=2\r\n x[C]\r\nK=3\r\n") << "b" << "k" << "2";
    QTest::newRow("riga con [ non intestazione resta della sezione")
        << QByteArray("[A]\r\nX=[B]\r\n x[C]\r\nK=3\r\n") << "a" << "k" << "3";
}

void TstProfilo::leggi()
{
    QFETCH(QByteArray, contenuto);
    QFETCH(QString, sezione);
    QFETCH(QString, chiave);
    QFETCH(QString, atteso);

    CartellaTemporanea cartella;
    if (!contenuto.isNull())
        cartella.scrivi(QStringLiteral("prova.ini"), contenuto);
    QCOMPARE(Profilo::Leggi(cartella.percorso(QStringLiteral("prova.ini")), sezione, chiave, Predefinito), atteso);
}

// Every read served from one parsed copy gives what a read of the file gives.
void TstProfilo::leggiInIstantanea()
{
    const Profilo::Istantanea istantanea;
    leggi();
}

void TstProfilo::nomiDiSezione_data()
{
    QTest::addColumn<bool>("inIstantanea");
    QTest::addColumn<QByteArray>("contenuto");
    QTest::addColumn<QString>("sezione");
    QTest::addColumn<QString>("atteso");
    for (const bool in : {false, true}) {
        const char* modo = in ? ", in istantanea" : "";
        QTest::addRow("oltre ASCII, maiuscole%s", modo) << in << QByteArray("[X]\r\nK=0\r\n[Citt\xE0]\r\nK=1\r\n")
                                                       << QStringLiteral(u"CITT\u00C0") << "1";
        QTest::addRow("stessa lunghezza, altro nome%s", modo)
            << in << QByteArray("[Citt\xE8]\r\nK=1\r\n[Cittaa]\r\nK=2\r\n") << QStringLiteral(u"Citt\u00E0")
            << Predefinito;
        QTest::addRow("la prima di due che differiscono per maiuscole%s", modo)
            << in << QByteArray("[zona 01]\r\nK=1\r\n[ZONA 01]\r\nK=2\r\n") << "Zona 01" << "1";
        QTest::addRow("ASCII non confuso con un nome piu' corto%s", modo)
            << in << QByteArray("[Zona 1]\r\nK=1\r\n[Zona 10]\r\nK=2\r\n") << "zona 10" << "2";
    }
}

void TstProfilo::nomiDiSezione()
{
    QFETCH(bool, inIstantanea);
    QFETCH(QByteArray, contenuto);
    QFETCH(QString, sezione);
    QFETCH(QString, atteso);
    CartellaTemporanea cartella;
    cartella.scrivi(QStringLiteral("prova.ini"), contenuto);
    std::optional<Profilo::Istantanea> istantanea;
    if (inIstantanea)
        istantanea.emplace();
    QCOMPARE(Profilo::Leggi(cartella.percorso(QStringLiteral("prova.ini")), sezione, QStringLiteral("k"), Predefinito),
             atteso);
}

// Editors save a UTF-8 byte-order mark before the text: it must not hide the first section,
// and a write keeps it where it was.
void TstProfilo::marcaUtf8_data()
{
    QTest::addColumn<bool>("inIstantanea");
    QTest::newRow("lettura del file") << false;
    QTest::newRow("lettura in istantanea") << true;
}

void TstProfilo::marcaUtf8()
{
    QFETCH(bool, inIstantanea);
    CartellaTemporanea cartella;
    const QString percorso = cartella.percorso(QStringLiteral("prova.ini"));
    cartella.scrivi(QStringLiteral("prova.ini"), "\xEF\xBB\xBF[Generale]\r\nModo=1\r\n[B]\r\nK=2\r\n");
    std::optional<Profilo::Istantanea> istantanea;
    if (inIstantanea)
        istantanea.emplace();
    QCOMPARE(Profilo::Leggi(percorso, QStringLiteral("Generale"), QStringLiteral("Modo"), Predefinito), QStringLiteral("1"));
    QVERIFY(Profilo::Scrivi(percorso, QStringLiteral("Generale"), QStringLiteral("Modo"), QStringLiteral("2")));
    QCOMPARE(cartella.leggi(QStringLiteral("prova.ini")), QByteArray("\xEF\xBB\xBF[Generale]\r\nModo=2\r\n[B]\r\nK=2\r\n"));
    QCOMPARE(Profilo::Leggi(percorso, QStringLiteral("Generale"), QStringLiteral("Modo"), Predefinito), QStringLiteral("2"));
}

// Inside an Istantanea the reads agree with each other and with the station's own writes; once
// it ends, the file is read again. A hand edit keeping the size and the modification time is
// seen as soon as the Istantanea has ended.
void TstProfilo::istantanea_data()
{
    QTest::addColumn<QByteArray>("prima");  // null: no file
    QTest::addColumn<bool>("scritturaPropria");
    QTest::addColumn<bool>("dentro");
    QTest::addColumn<QString>("atteso");
    const QByteArray tre = "[Generale]\r\nZone=3\r\n";
    QTest::newRow("scrittura della stazione dentro: vista") << tre << true << true << "4";
    QTest::newRow("file creato dentro: visto") << QByteArray() << true << true << "4";
    QTest::newRow("modifica a mano dentro: letture coerenti") << tre << false << true << "3";
    QTest::newRow("modifica a mano dopo, stessa dimensione e ora: vista") << tre << false << false << "4";
}

void TstProfilo::istantanea()
{
    QFETCH(QByteArray, prima);
    QFETCH(bool, scritturaPropria);
    QFETCH(bool, dentro);
    QFETCH(QString, atteso);
    CartellaTemporanea cartella;
    const QString percorso = cartella.percorso(QStringLiteral("prova.ini"));
    if (!prima.isNull())
        cartella.scrivi(QStringLiteral("prova.ini"), prima);
    auto leggi = [&] { return Profilo::Leggi(percorso, QStringLiteral("Generale"), QStringLiteral("Zone"), QStringLiteral("0")); };
    auto modifica = [&] {
        if (scritturaPropria) {
            QVERIFY(Profilo::Scrivi(percorso, QStringLiteral("Generale"), QStringLiteral("Zone"), QStringLiteral("4")));
            return;
        }
        struct stat s {};
        QCOMPARE(::stat(QFile::encodeName(percorso).constData(), &s), 0);
        cartella.scrivi(QStringLiteral("prova.ini"), "[Generale]\r\nZone=4\r\n");
        const timespec tempi[2] = {s.st_atim, s.st_mtim};
        QCOMPARE(::utimensat(AT_FDCWD, QFile::encodeName(percorso).constData(), tempi, 0), 0);
    };
    {
        const Profilo::Istantanea istantanea;
        QCOMPARE(leggi(), prima.isNull() ? QStringLiteral("0") : QStringLiteral("3"));
        if (dentro) {
            modifica();
            QCOMPARE(leggi(), atteso);
        }
    }
    if (!dentro) {
        modifica();
        QCOMPARE(leggi(), atteso);
        const Profilo::Istantanea altra;
        QCOMPARE(leggi(), atteso);
    }
}

void TstProfilo::scrivi_data()
{
    QTest::addColumn<QString>("nome");        // file, relative to the temporary folder
    QTest::addColumn<QByteArray>("prima");    // null: no file
    QTest::addColumn<bool>("solaLettura");
    QTest::addColumn<QString>("sezione");
    QTest::addColumn<QString>("chiave");
    QTest::addColumn<QString>("valore");
    QTest::addColumn<bool>("riuscita");
    QTest::addColumn<QByteArray>("dopo");
    QTest::addColumn<QString>("riletto");     // what a read then returns, default "predefinito"

    const QString f = QStringLiteral("prova.ini");
    const QByteArray base = "; nota\r\n[Generale]\r\nModo = 0\r\n  Altro=x  \r\n\r\n[Zona 01]\r\nModo=5\r\n";

    QTest::newRow("sostituita sul posto") << f << base << false << "Generale" << "Modo" << "1" << true
                                          << QByteArray("; nota\r\n[Generale]\r\nModo=1\r\n  Altro=x  \r\n\r\n[Zona 01]\r\nModo=5\r\n")
                                          << "1";
    QTest::newRow("nomi senza maiuscole, nome del file tenuto")
        << f << base << false << "GENERALE" << "MODO" << "2" << true
        << QByteArray("; nota\r\n[Generale]\r\nModo=2\r\n  Altro=x  \r\n\r\n[Zona 01]\r\nModo=5\r\n") << "2";
    QTest::newRow("nuova chiave dopo l'ultima della sezione")
        << f << base << false << "generale" << "Nuova" << "v" << true
        << QByteArray("; nota\r\n[Generale]\r\nModo = 0\r\n  Altro=x  \r\nNuova=v\r\n\r\n[Zona 01]\r\nModo=5\r\n") << "v";
    QTest::newRow("nuova sezione in fondo") << f << base << false << "Zona 02" << "Nome" << "Sala" << true
                                            << base + "\r\n[Zona 02]\r\nNome=Sala\r\n" << "Sala";
    QTest::newRow("file nuovo") << f << QByteArray() << false << "Generale" << "Modo" << "1" << true
                                << QByteArray("[Generale]\r\nModo=1\r\n") << "1";
    QTest::newRow("file vuoto") << f << QByteArray("") << false << "Generale" << "Modo" << "1" << true
                                << QByteArray("[Generale]\r\nModo=1\r\n") << "1";
    QTest::newRow("CRLF senza a capo finale, nuova chiave")
        << f << QByteArray("[A]\r\nB=1") << false << "A" << "C" << "2" << true << QByteArray("[A]\r\nB=1\r\nC=2\r\n")
        << "2";
    QTest::newRow("CRLF senza a capo finale, chiave sostituita")
        << f << QByteArray("[A]\r\nB=1") << false << "A" << "B" << "2" << true << QByteArray("[A]\r\nB=2") << "2";
    QTest::newRow("CRLF senza a capo finale, nuova sezione")
        << f << QByteArray("[A]\r\nB=1") << false << "X" << "Y" << "z" << true
        << QByteArray("[A]\r\nB=1\r\n\r\n[X]\r\nY=z\r\n") << "z";
    QTest::newRow("file solo LF resta LF") << f << QByteArray("[A]\nB=1\n") << false << "X" << "Y" << "z" << true
                                           << QByteArray("[A]\nB=1\n\n[X]\nY=z\n") << "z";
    QTest::newRow("°C scritto come byte B0") << f << base << false << "Generale" << "Zone Unita"
                                             << QStringLiteral(u"\u00B0C") << true
                                             << QByteArray("; nota\r\n[Generale]\r\nModo = 0\r\n  Altro=x  \r\nZone Unita=\xB0"
                                                           "C\r\n\r\n[Zona 01]\r\nModo=5\r\n")
                                             << QStringLiteral(u"\u00B0C");
    QTest::newRow("; , = nel valore") << f << QByteArray("[A]\r\nK=0\r\n") << false << "A" << "K" << "3,100;x=y"
                                      << true << QByteArray("[A]\r\nK=3,100;x=y\r\n") << "3,100;x=y";
    QTest::newRow("virgolette scritte, tolte in lettura")
        << f << QByteArray("[A]\r\nK=0\r\n") << false << "A" << "K" << "\" a \"" << true
        << QByteArray("[A]\r\nK=\" a \"\r\n") << " a ";
    QTest::newRow("sezione ripetuta: scrive nella prima")
        << f << QByteArray("[A]\r\nK=1\r\n[B]\r\nK=2\r\n[a]\r\nK=3\r\nN=4\r\n") << false << "A" << "N" << "9" << true
        << QByteArray("[A]\r\nK=1\r\nN=9\r\n[B]\r\nK=2\r\n[a]\r\nK=3\r\nN=4\r\n") << "9";
    const QByteArray strane = "\xEF\xBB\xBF; intestazione\r\n[A]\r\n\tK\t=\t1\t\r\nL=\x80\x81\xFF\n"
                              "senza uguale\r\n   \r\n;K=commento\r\n[B]\r\nK=2   ";
    QTest::newRow("righe non toccate byte per byte")
        << f << strane << false << "B" << "K" << "3" << true
        << QByteArray("\xEF\xBB\xBF; intestazione\r\n[A]\r\n\tK\t=\t1\t\r\nL=\x80\x81\xFF\n"
                      "senza uguale\r\n   \r\n;K=commento\r\n[B]\r\nK=3")
        << "3";

    // Refused writes: 0 and the file exactly as it was.
    const QByteArray a = "[A]\r\nK=1\r\n";
    QTest::newRow("CR LF nel valore") << f << a << false << "A" << "K" << "2\r\n[B]" << false << a << "1";
    QTest::newRow("LF nel valore") << f << a << false << "A" << "K" << "2\nX=3" << false << a << "1";
    QTest::newRow("CR nel valore") << f << a << false << "A" << "K" << "2\r" << false << a << "1";
    QTest::newRow("LF nella chiave") << f << a << false << "A" << "K\nX" << "2" << false << a << Predefinito;
    QTest::newRow("] nella sezione") << f << a << false << "A]x" << "K" << "2" << false << a << Predefinito;
    QTest::newRow("= nella chiave") << f << a << false << "A" << "K=2" << "2" << false << a << Predefinito;
    QTest::newRow("chiave vuota") << f << a << false << "A" << " " << "2" << false << a << Predefinito;
    QTest::newRow("chiave che apre una sezione") << f << a << false << "A" << "[B" << "2" << false << a
                                                 << Predefinito;
    QTest::newRow("chiave che e' un commento") << f << a << false << "A" << ";K" << "2" << false << a << Predefinito;
    QTest::newRow("file di sola lettura") << f << a << true << "A" << "K" << "2" << false << a << "1";
    QTest::newRow("cartella mancante") << QStringLiteral("manca/prova.ini") << QByteArray() << false << "A" << "K"
                                       << "2" << false << QByteArray() << Predefinito;
}

void TstProfilo::scrivi()
{
    QFETCH(QString, nome);
    QFETCH(QByteArray, prima);
    QFETCH(bool, solaLettura);
    QFETCH(QString, sezione);
    QFETCH(QString, chiave);
    QFETCH(QString, valore);
    QFETCH(bool, riuscita);
    QFETCH(QByteArray, dopo);
    QFETCH(QString, riletto);

    CartellaTemporanea cartella;
    const QString percorso = cartella.percorso(nome);
    // An owner-only mode that a replacing write must carry over to the new file.
    const QFile::Permissions modo = solaLettura ? QFile::ReadOwner | QFile::ReadGroup
                                                : QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup;
    ino_t inodePrima = 0;
    if (!prima.isNull()) {
        cartella.scrivi(nome, prima);
        QVERIFY(QFile::setPermissions(percorso, modo));
        inodePrima = inode(percorso);
    }

    QCOMPARE(Profilo::Scrivi(percorso, sezione, chiave, valore), riuscita);

    QCOMPARE(QFile::exists(percorso), !dopo.isNull());
    if (!dopo.isNull())
        QCOMPARE(cartella.leggi(nome), dopo);
    QCOMPARE(Profilo::Leggi(percorso, sezione, chiave, Predefinito), riletto);

    // The file is replaced whole or not at all: no temporary file stays next to it, a refused
    // write never creates a missing folder, and a replaced file keeps its mode.
    const QFileInfo info(percorso);
    const auto voci = [](const QString& c) {
        return QDir(c).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    };
    const QStringList attese = dopo.isNull() ? QStringList() : QStringList{nome.section(QLatin1Char('/'), 0, 0)};
    QCOMPARE(voci(cartella.percorso()), attese);
    if (!dopo.isNull())
        QCOMPARE(voci(info.absolutePath()), QStringList{info.fileName()});
    if (!prima.isNull()) {
        QCOMPARE(info.permissions() & (QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::WriteGroup
                                       | QFile::ReadOther | QFile::WriteOther),
                 modo);
        if (riuscita)
            QVERIFY2(inode(percorso) != inodePrima, "the file was rewritten in place, not replaced");
    }
}

// A settings file that is a symbolic link (kept on another disk): the write replaces the file
// the link names, and the link stays.
void TstProfilo::scriviSuCollegamento()
{
    CartellaTemporanea cartella;
    cartella.scrivi(QStringLiteral("altrove/vero.ini"), "[A]\r\nK=1\r\n");
    const QString collegamento = cartella.percorso(QStringLiteral("prova.ini"));
    QVERIFY(QFile::link(cartella.percorso(QStringLiteral("altrove/vero.ini")), collegamento));
    QVERIFY(Profilo::Scrivi(collegamento, QStringLiteral("A"), QStringLiteral("K"), QStringLiteral("2")));
    QVERIFY(QFileInfo(collegamento).isSymLink());
    QCOMPARE(cartella.leggi(QStringLiteral("altrove/vero.ini")), QByteArray("[A]\r\nK=2\r\n"));
    QCOMPARE(QDir(cartella.percorso(QStringLiteral("altrove"))).entryList(QDir::Files | QDir::Hidden),
             QStringList{QStringLiteral("vero.ini")});
}

void TstProfilo::scriviInsieme_data()
{
    QTest::addColumn<QByteArray>("prima");
    QTest::addColumn<QString>("sezione");
    QTest::addColumn<QString>("valoreY");
    QTest::addColumn<QByteArray>("dopo");

    const QByteArray base = "[Zona 01]\r\nX=1500\r\nNome=Sala\r\n\r\n[Zona 02]\r\nY=900\r\n";
    QTest::newRow("sostituite sul posto") << base << "Zona 01" << "750"
                                          << QByteArray("[Zona 01]\r\nX=45\r\nNome=Sala\r\nY=750\r\n\r\n[Zona 02]\r\nY=900\r\n");
    QTest::newRow("una sostituita, una aggiunta") << base << "zona 02" << "750"
                                                  << QByteArray("[Zona 01]\r\nX=1500\r\nNome=Sala\r\n\r\n[Zona 02]\r\nY=750\r\nX=45\r\n");
    QTest::newRow("nuova sezione con entrambe") << base << "Zona 03" << "750" << base + "\r\n[Zona 03]\r\nX=45\r\nY=750\r\n";
    QTest::newRow("la seconda rifiutata: nessuna scritta") << base << "Zona 01" << "7\r\n50" << base;
}

void TstProfilo::scriviInsieme()
{
    // The keys of one call reach the file together, in one replacement, or none does.
    QFETCH(QByteArray, prima);
    QFETCH(QString, sezione);
    QFETCH(QString, valoreY);
    QFETCH(QByteArray, dopo);
    CartellaTemporanea cartella;
    cartella.scrivi(QStringLiteral("prova.ini"), prima);
    const QString percorso = cartella.percorso(QStringLiteral("prova.ini"));
    int sostituzioni = 0;
    ImpostaGuastoSostituzione([&](PassoSostituzione passo) {
        sostituzioni += passo == PassoSostituzione::Apertura;
        return false;
    });
    const bool riuscita =
        Profilo::Scrivi(percorso, Profilo::Voci{{sezione, QStringLiteral("X"), QStringLiteral("45")}, {sezione, QStringLiteral("Y"), valoreY}});
    ImpostaGuastoSostituzione({});
    QCOMPARE(riuscita, dopo != prima);
    QCOMPARE(sostituzioni, riuscita ? 1 : 0);
    QCOMPARE(cartella.leggi(QStringLiteral("prova.ini")), dopo);
}

void TstProfilo::testo1252()
{
    QByteArray tutti;
    for (int b = 0; b < 256; ++b)
        tutti.append(static_cast<char>(b));
    const QString testo = Da1252(tutti);
    QCOMPARE(testo.size(), 256);
    QCOMPARE(testo.at(0xB0), QChar(0x00B0));
    QCOMPARE(testo.at(0x80), QChar(0x20AC));
    QCOMPARE(testo.at(0x9F), QChar(0x0178));
    QCOMPARE(In1252(testo), tutti);  // every byte, the five unassigned ones included, comes back
    QCOMPARE(In1252(QStringLiteral(u"\u20AC 5 \u2013 \u4E2D")), QByteArray("\x80 5 \x96 ?"));
}

QTEST_GUILESS_MAIN(TstProfilo)
#include "tst_profilo.moc"
