#include "pagina_zone_punti.h"

#include "casellavalore.h"
#include "controlli.h"
#include "editor_punti.h"

#include <QFontMetrics>
#include <QGridLayout>
#include <QLabel>

GrigliaPuntiZona::GrigliaPuntiZona(const QString& nome, const QStringList& righe, QWidget* parent)
    : QWidget(parent)
{
    griglia_ = new QGridLayout(this);
    griglia_->setContentsMargins(0, 0, 0, 0);
    griglia_->setHorizontalSpacing(4);
    auto* lettura = new QLabel(QStringLiteral("Lettura"), this);
    auto* scrittura = new QLabel(QStringLiteral("Scrittura"), this);
    griglia_->addWidget(lettura, 0, 1, 1, 2, Qt::AlignHCenter);
    griglia_->addWidget(scrittura, 0, 3, 1, 2, Qt::AlignHCenter);

    const int largoCodice = QFontMetrics(font()).horizontalAdvance(QStringLiteral("000"));
    const int largoRegistro = QFontMetrics(font()).horizontalAdvance(QStringLiteral("0000000"));
    for (int r = 0; r < righe.size(); ++r) {
        QString riga = righe[r];
        if (riga.endsWith(QLatin1Char(':')))
            riga.chop(1);
        auto* etichetta = new QLabel(righe[r], this);
        etichetta->setTextFormat(Qt::PlainText);
        griglia_->addWidget(etichetta, RigaGriglia(r), 0);
        for (int c = 0; c < 4; ++c) {
            const bool codice = c % 2 == 0;
            const char* suggerimento = !codice ? Casella::SuggerimentoRegistro
                                     : c == 0  ? Casella::SuggerimentoLettura
                                               : Casella::SuggerimentoScrittura;
            auto* casella = new CasellaValore(CasellaValore::Tipo::Registro, QString::fromUtf8(suggerimento), this);
            const int i = static_cast<int>(caselle_.size());
            casella->setObjectName(Controlli::Elemento(nome, i));
            casella->setFixedWidth((codice ? largoCodice : largoRegistro) + 12);
            casella->punto = EditorPunti::NomePunto(riga, c >= 2);
            griglia_->addWidget(casella, RigaGriglia(r), c + 1);
            caselle_.push_back(casella);
        }
    }
    const int n = static_cast<int>(caselle_.size());
    for (int i = 0; i < n; ++i)
        caselle_[i]->successivo = [this, i, n] { return static_cast<QWidget*>(caselle_[(i + 1) % n]); };
}
