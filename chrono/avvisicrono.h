#pragma once
// Tells whoever shows the week programme that the chrono files were read again (a zone choice,
// a reload of the whole configuration, a re-read menu), so no window keeps showing rows or
// holidays that are no longer the programme in effect.
#include <QObject>

namespace Crono {

class AvvisiCrono : public QObject {
    Q_OBJECT
signals:
    // `TabellaCrono`, `CronoAttivoZona` as loaded, and `Festivita` hold what the files say now.
    void FileLetti();
};

AvvisiCrono& Avvisi();

}  // namespace Crono
