#pragma once
// The grid of Modbus point boxes of a device page: rows of two pairs (read code and register,
// write code and register), one row per point, under the column heads "Lettura" and
// "Scrittura". Every box is a register box; a code box takes only the codes of its column and
// a register box only 0..32767, typed or pasted. Enter moves to the next box, from the last
// back to the first.
#include <QWidget>

#include <vector>

class CasellaValore;
class QGridLayout;
class QLabel;

class GrigliaPuntiZona : public QWidget {
    Q_OBJECT
public:
    // `nome`: the control array's name (boxes are named nome(i)); one row per caption.
    GrigliaPuntiZona(const QString& nome, const QStringList& righe, QWidget* parent = nullptr);

    // Box 4 * row + column: 0 read code, 1 read register, 2 write code, 3 write register.
    const std::vector<CasellaValore*>& Caselle() const { return caselle_; }
    QGridLayout* Griglia() const { return griglia_; }
    // The grid row of point row `riga` (a page may add its own controls beside it).
    static int RigaGriglia(int riga) { return riga + 1; }

private:
    std::vector<CasellaValore*> caselle_;
    QGridLayout* griglia_ = nullptr;
};
