#include "pagina.h"

#include "comunicazioni.h"
#include "dialoghi.h"
#include "drag.h"
#include "editor_punti.h"
#include "file_ini.h"
#include "generale.h"
#include "geometria.h"

#include <QComboBox>
#include <QMouseEvent>
#include <QStyle>
#include <QToolButton>

namespace {
using Geometria::TwipsPerPixel;
}

namespace Impostazioni {

bool ScriviChiavi(const Scritture& chiavi)
{
    if (chiavi.isEmpty())
        return true;
    Piattaforma::Profilo::Voci voci;
    for (const ChiaveScritta& c : chiavi)
        voci.append({c.sezione, c.chiave, c.valore});
    return File_Ini::ScriviIni(voci) != 0;
}

void Avvisa(const QString& testo)
{
    Piattaforma::ServizioDialoghi().Messaggio(testo, QString::fromLatin1(EditorPunti::TitoloMessaggi),
                                              Piattaforma::PulsantiDialogo::OK, Piattaforma::IconaDialogo::Esclamazione);
}

void AvvisaScritturaRifiutata() { Avvisa(EditorPunti::TestoScritturaRifiutata()); }

QString NomeDaSalvare(const QString& nome) { return nome.size() > 50 ? nome.left(50).trimmed() : nome; }

QStringList Numeri(int primo, int ultimo, int passo)
{
    QStringList voci;
    if (passo == 0)
        return voci;
    for (int n = primo; passo > 0 ? n <= ultimo : n >= ultimo; n += passo)
        voci << QString::number(n);
    return voci;
}

QString TestoSelezionato(const QComboBox* lista)
{
    return lista->currentIndex() >= 0 ? lista->itemText(lista->currentIndex()) : QString();
}

void SelezionaTesto(QComboBox* lista, const QString& testo)
{
    lista->setCurrentIndex(lista->findText(testo, Qt::MatchExactly | Qt::MatchCaseSensitive));
}

void SelezionaIndice(QComboBox* lista, int indice)
{
    lista->setCurrentIndex(indice >= 0 && indice < lista->count() ? indice : -1);
}

void RiempiLista(QComboBox* lista, const QStringList& voci)
{
    // Filling chooses nothing, so the list's selection handler does not run.
    const QSignalBlocker blocco(lista);
    lista->clear();
    lista->addItems(voci);
    lista->setCurrentIndex(-1);
}

void AggiungiScelta(Scritture& chiavi, const QString& sezione, const QString& chiave, const QString& scelta)
{
    if (!scelta.isEmpty())
        chiavi.append({sezione, chiave, scelta});
}

QToolButton* PulsanteChiusura(QWidget* pagina, const QString& nome, Chiusura ruolo, const QString& suggerimento)
{
    static const QStyle::StandardPixmap immagini[] = {QStyle::SP_DialogOkButton, QStyle::SP_DialogCancelButton,
                                                      QStyle::SP_DialogSaveButton};
    auto* p = new QToolButton(pagina);
    p->setObjectName(nome);
    p->setToolTip(suggerimento);
    p->setIcon(pagina->style()->standardIcon(immagini[static_cast<int>(ruolo)]));
    p->setIconSize(QSize(24, 24));
    p->setFixedSize(LarghezzaPulsanteChiusura / TwipsPerPixel, AltezzaPulsanteChiusura / TwipsPerPixel);
    return p;
}

}  // namespace Impostazioni

Pagina::Pagina(Comunicazioni* finestra, const QString& nome, int leftTwips, int topTwips)
    : QFrame(finestra->Frm_Com ? static_cast<QWidget*>(finestra->Frm_Com) : finestra)
    , finestra_(finestra)
    , left_(leftTwips)
    , top_(topTwips)
{
    setObjectName(nome);
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Raised);
    setAutoFillBackground(true);
    Posiziona();
}

void Pagina::Posiziona()
{
    move(left_ / TwipsPerPixel, top_ / TwipsPerPixel);
    hide();
}

void Pagina::Apri() { Mostra(); }

void Pagina::Mostra()
{
    if (layout())
        adjustSize();
    show();
    raise();
    setFocus();
    update();
    finestra_->update();
}

void Pagina::SalvaERicarica(const std::function<void()>& scriviChiavi, std::function<void()> dopo)
{
    if (scriviChiavi)
        scriviChiavi();
    finestra_->CaricaImpostazioni(std::move(dopo));
}

void Pagina::SalvaERicarica(const Impostazioni::Scritture& chiavi, std::function<void()> dopo)
{
    if (!Impostazioni::ScriviChiavi(chiavi))
        Impostazioni::AvvisaScritturaRifiutata();
    finestra_->CaricaImpostazioni(std::move(dopo));
}

void Pagina::NascondiERicarica()
{
    hide();
    update();
    finestra_->update();
    finestra_->CaricaImpostazioni();
}

void Pagina::EsciSenzaSalvare() { NascondiERicarica(); }

void Pagina::mousePressEvent(QMouseEvent* evento)
{
    // Only the right button moves a page; the place is not stored.
    if (evento->button() == Qt::RightButton) {
        raise();
        Drag::TrascinaControllo(this, Qt::RightButton, evento->globalPosition().toPoint());
        evento->accept();
        return;
    }
    QFrame::mousePressEvent(evento);
}
