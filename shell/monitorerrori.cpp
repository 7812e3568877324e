#include "monitorerrori.h"

#include "controlli.h"
#include "generale.h"
#include "posizione.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTextLayout>
#include <QtMath>

namespace {

// Lays `testo` out in lines `larghezza` wide, broken between words where it can and inside a
// word only when that word alone is longer than a line; gives the height of the lines.
qreal impagina(QTextLayout& testo, qreal larghezza)
{
    QTextOption opzione;
    opzione.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    testo.setTextOption(opzione);
    qreal altezza = 0;
    testo.beginLayout();
    for (QTextLine riga = testo.createLine(); riga.isValid(); riga = testo.createLine()) {
        riga.setLineWidth(larghezza);
        riga.setPosition({0, altezza});
        altezza += riga.height();
    }
    testo.endLayout();
    return altezza;
}

// An entry shows whole, the time it latched included, at the list's width: a long one goes on
// over more lines (a name without blanks too long for a line breaks where the line ends), so
// the list never needs a sideways scroll.
class VoceIntera final : public QStyledItemDelegate {
public:
    static void Applica(QListWidget* lista)
    {
        lista->setItemDelegate(new VoceIntera(lista));
        lista->setResizeMode(QListView::Adjust);
        lista->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    }

    QSize sizeHint(const QStyleOptionViewItem& opzione, const QModelIndex& indice) const override
    {
        QSize riga = QStyledItemDelegate::sizeHint(opzione, indice);
        QStyleOptionViewItem o(opzione);
        initStyleOption(&o, indice);
        QTextLayout testo(o.text, o.font);
        const int altezza = qCeil(impagina(testo, std::max(1, lista_->viewport()->width() - 2 * margine())));
        riga.rheight() += std::max(0, altezza - o.fontMetrics.height());
        riga.setWidth(lista_->viewport()->width());
        return riga;
    }

    void paint(QPainter* p, const QStyleOptionViewItem& opzione, const QModelIndex& indice) const override
    {
        QStyleOptionViewItem o(opzione);
        initStyleOption(&o, indice);
        QStyle* stile = o.widget ? o.widget->style() : lista_->style();
        const QRect area = stile->subElementRect(QStyle::SE_ItemViewItemText, &o, o.widget)
                               .adjusted(margine(), 0, -margine(), 0);
        QTextLayout testo(o.text, o.font);
        const qreal altezza = impagina(testo, area.width());
        // Background, selection and focus as the style draws them; the text on top.
        o.text.clear();
        stile->drawControl(QStyle::CE_ItemViewItem, &o, p, o.widget);
        const QPalette::ColorGroup gruppo = o.state & QStyle::State_Enabled ? QPalette::Normal : QPalette::Disabled;
        p->save();
        p->setPen(o.palette.color(gruppo, o.state & QStyle::State_Selected ? QPalette::HighlightedText : QPalette::Text));
        testo.draw(p, QPointF(area.left(), area.top() + (area.height() - altezza) / 2));
        p->restore();
    }

private:
    explicit VoceIntera(QListWidget* lista) : QStyledItemDelegate(lista), lista_(lista) {}
    int margine() const { return lista_->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, lista_) + 1; }

    QListWidget* lista_;
};

}  // namespace

Allarmi::Allarmi(QWidget* parent)
    // No minimize button: a monitor left minimized would hide the alarm it lists.
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("Allarmi"));
    setWindowTitle(QStringLiteral("Monitor errori di comunicazione"));

    Lst_AllarmiZ = new QListWidget(this);
    Lst_AllarmiZ->setObjectName(QStringLiteral("Lst_AllarmiZ"));
    Lst_AllarmiZ->setToolTip(
        QStringLiteral("Zone che hanno superato il numero massimo di errori di comunicazione"));
    Lst_AllarmiI = new QListWidget(this);
    Lst_AllarmiI->setObjectName(QStringLiteral("Lst_AllarmiI"));
    Lst_AllarmiI->setToolTip(
        QStringLiteral("Interruttori ed indicatori che hanno superato il numero massimo di errori di comunicazione"));

    Lst_Storico = new QListWidget(this);
    Lst_Storico->setObjectName(QStringLiteral("Lst_Storico"));
    Lst_Storico->setToolTip(QStringLiteral("Interruzioni della scrittura del file dello storico"));
    Lab_Storico = new QLabel(QStringLiteral("File dello storico"), this);
    Lab_Storico->setObjectName(QStringLiteral("Lab_Storico"));
    QFont grassetto = Lab_Storico->font();
    grassetto.setBold(true);
    Lab_Storico->setFont(grassetto);
    // A few lines: notices are rare and come in pairs.
    Lst_Storico->setMaximumHeight(Lst_Storico->fontMetrics().lineSpacing() * 4 + 2 * Lst_Storico->frameWidth());
    Lst_Storico->hide();
    Lab_Storico->hide();
    for (QListWidget* lista : {Lst_AllarmiZ, Lst_AllarmiI, Lst_Storico})
        VoceIntera::Applica(lista);

    Lab_ZoneAll[0] = new QLabel(QStringLiteral("Zone rilevamento temperatura"), this);
    Lab_ZoneAll[1] = new QLabel(QStringLiteral("Interruttori ed indicatori"), this);

    const QString testi[2] = {QStringLiteral("Azzera gli errori e chiudi il monitor"),
                              QStringLiteral("Chiudi il monitor")};
    for (int i = 0; i < 2; ++i) {
        Lab_ZoneAll[i]->setObjectName(Controlli::Elemento("Lab_ZoneAll", i));
        QFont f = Lab_ZoneAll[i]->font();
        f.setBold(true);
        Lab_ZoneAll[i]->setFont(f);
        Cmd_Chiudi[i] = new QPushButton(testi[i], this);
        Cmd_Chiudi[i]->setObjectName(Controlli::Elemento("Cmd_Chiudi", i));
        Cmd_Chiudi[i]->setToolTip(testi[i]);
        connect(Cmd_Chiudi[i], &QPushButton::clicked, this, [this, i] { Cmd_Chiudi_Click(i); });
    }

    auto* griglia = new QGridLayout(this);
    griglia->addWidget(Lab_ZoneAll[0], 0, 0);
    griglia->addWidget(Lab_ZoneAll[1], 0, 1);
    griglia->addWidget(Lst_AllarmiZ, 1, 0);
    griglia->addWidget(Lst_AllarmiI, 1, 1);
    auto* pulsanti = new QHBoxLayout;
    pulsanti->addStretch();
    pulsanti->addWidget(Cmd_Chiudi[0]);
    pulsanti->addWidget(Cmd_Chiudi[1]);
    griglia->addWidget(Lab_Storico, 2, 0, 1, 2);
    griglia->addWidget(Lst_Storico, 3, 0, 1, 2);
    griglia->addLayout(pulsanti, 4, 0, 1, 2);
    resize(640, 360);
}

void Allarmi::AggiungiVoceZona(const QString& voce)
{
    Lst_AllarmiZ->addItem(voce);
}

void Allarmi::AggiungiVoceDispositivo(const QString& voce)
{
    Lst_AllarmiI->addItem(voce);
}

void Allarmi::SvuotaListe()
{
    Lst_AllarmiZ->clear();
    Lst_AllarmiI->clear();
}

void Allarmi::AggiungiVoceStorico(const QString& voce)
{
    Lst_Storico->addItem(voce);
    while (Lst_Storico->count() > NoteStoricoMassime)
        delete Lst_Storico->takeItem(0);
    Lst_Storico->scrollToBottom();
    Lab_Storico->show();
    Lst_Storico->show();
}

void Allarmi::Mostra()
{
    Cmd_Chiudi[0]->setEnabled(Generale::UtenteAmministratore || Generale::UtenteTecnico);
    Cmd_Chiudi[0]->update();
    // Each opening brings it back over the middle of the main window that owns it (once more
    // when shown, now that its frame is known).
    const bool apertura = isHidden() && parentWidget();
    if (apertura)
        Posizione::CentraSopra(this, parentWidget());
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    if (apertura)
        Posizione::CentraSopra(this, parentWidget());
    raise();
    update();
}

void Allarmi::Cmd_Chiudi_Click(int Index)
{
    emit ChiudiMonitor(Index);
}

void Allarmi::closeEvent(QCloseEvent* event)
{
    event->ignore();
    Cmd_Chiudi_Click(1);
}
