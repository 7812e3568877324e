#pragma once
// One page of the settings window: a panel laid over the window's frame, at most one shown at a
// time. The list filling puts every page back at its place (twips) and hides it; the page menus
// hide every page, reload the whole configuration (which discards what was left unsaved) and
// open one; a right drag moves a page until the next list filling. A page's save writes its
// keys one by one into the active settings file and then reloads the whole configuration.
#include <QFrame>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

class Comunicazioni;
class QComboBox;
class QToolButton;

namespace Impostazioni {

// One key a page writes into the active settings file.
struct ChiaveScritta {
    QString sezione;
    QString chiave;
    QString valore;
    bool operator==(const ChiaveScritta&) const = default;
};
using Scritture = QList<ChiaveScritta>;

// Writes the keys in their order to the active settings file in one replacement of it: all of
// them, or, when the file refuses (read-only file, full disk, a value holding CR or LF), none of
// them, and false.
bool ScriviChiavi(const Scritture& chiavi);

// Tells the operator `testo` in the device pages' exclamation box.
void Avvisa(const QString& testo);
// Tells the operator, once, that the settings file refused a write.
void AvvisaScritturaRifiutata();

// A device name as the pages store it: longer than 50 characters it is cut to its first 50 and
// stripped of blanks at both ends; a shorter one is kept as typed.
QString NomeDaSalvare(const QString& nome);

// "primo" to "ultimo" by "passo", as decimal text without blanks ("-100" keeps its sign); a
// negative step counts down ("0", "-100", "-200"); a step of 0 gives nothing.
QStringList Numeri(int primo, int ultimo, int passo = 1);

// The text of the selected entry; empty when no entry is selected.
QString TestoSelezionato(const QComboBox* lista);
// Selects the first entry whose text is exactly `testo`; none when no entry has it.
void SelezionaTesto(QComboBox* lista, const QString& testo);
// Selects entry `indice`; none when it is not an entry of the list.
void SelezionaIndice(QComboBox* lista, int indice);
// Empties the list and fills it with `voci`, none selected; its selection handler does not run.
void RiempiLista(QComboBox* lista, const QStringList& voci);

// A selected entry written as its key; a list with nothing selected writes no key.
void AggiungiScelta(Scritture& chiavi, const QString& sezione, const QString& chiave, const QString& scelta);

// The keys of `ora` whose value is not the one the page showed (`mostrate`, taken when the page
// was filled), in the order of `ora`; a key the page did not show counts as changed. A save
// writes only these: what nobody touched stays in the file as it is, in its own form, present or
// missing, loadable or not. Names are matched without regard to case, as the file matches them.
template <typename S>
QList<S> Cambiate(const QList<S>& mostrate, const QList<S>& ora)
{
    QList<S> cambiate;
    for (const S& s : ora) {
        bool uguale = false;
        for (const S& m : mostrate)
            if (m.sezione.compare(s.sezione, Qt::CaseInsensitive) == 0
                && m.chiave.compare(s.chiave, Qt::CaseInsensitive) == 0) {
                uguale = m.valore == s.valore;
                break;
            }
        if (!uguale)
            cambiate.append(s);
    }
    return cambiate;
}

// The key names of `scritture`, in their order: what a save's checks look at.
template <typename S>
QStringList NomiChiavi(const QList<S>& scritture)
{
    QStringList nomi;
    for (const S& s : scritture)
        nomi << s.chiave;
    return nomi;
}

// The closing picture buttons, alike on every page: one size, one picture a role, standing in
// this order from the left.
enum class Chiusura { SalvaEdEsci, Esci, Salva };
QToolButton* PulsanteChiusura(QWidget* pagina, const QString& nome, Chiusura ruolo, const QString& suggerimento);
// Their size in twips, the place the switch page's form gives each of them.
inline constexpr int LarghezzaPulsanteChiusura = 1290;
inline constexpr int AltezzaPulsanteChiusura = 660;

}  // namespace Impostazioni

class Pagina : public QFrame {
    Q_OBJECT
public:
    // `nome` is the page's name (Pic_RS232, Pic_ZoneMB, ...); `leftTwips`, `topTwips` its place
    // on the window's frame Frm_Com.
    Pagina(Comunicazioni* finestra, const QString& nome, int leftTwips, int topTwips);

    // The page's share of the list filling: empties and fills its choice lists. `saltaCrono` is
    // the list filling's argument (only the chrono page uses it).
    virtual void RiempiListe(bool saltaCrono) { Q_UNUSED(saltaCrono); }
    // Back at its place, hidden.
    void Posiziona();
    // What the page's menu does once the pages are hidden and the configuration reloaded: fills
    // the page from the plant model and the settings file, then shows it. The default shows it.
    virtual void Apri();
    // Shown in front of the frame's controls.
    void Mostra();

    Comunicazioni* Finestra() const { return finestra_; }
    int LeftTwips() const { return left_; }
    int TopTwips() const { return top_; }

protected:
    // Runs `scriviChiavi` (the page's keys, in order), then the whole-configuration load through
    // the bus queue, then `dopo` (hide the page, or nothing to stay).
    void SalvaERicarica(const std::function<void()>& scriviChiavi, std::function<void()> dopo = {});
    // The same with the keys as a list: they are written in order; when the file refuses one,
    // the operator is told once and the rest is not written. The load follows in both cases, so
    // the page never shows what the file does not hold.
    void SalvaERicarica(const Impostazioni::Scritture& chiavi, std::function<void()> dopo = {});
    // Hides the page, reloads (the page's exit after a save, or without saving).
    void NascondiERicarica();
    // The page's exit without saving: the load discards the edits, then the page hides.
    void EsciSenzaSalvare();

    void mousePressEvent(QMouseEvent* evento) override;

    // The keys the page showed when it was last filled (or last saved): what a save compares
    // its keys with.
    Impostazioni::Scritture mostrate_;

private:
    Comunicazioni* finestra_;
    int left_;
    int top_;
};
