#pragma once
// Names of the windows' controls. A control's object name is its name; an element of a control
// array is named "Nome(i)" ("Cmd_Stagione(2)", "Img_L3(0)"), which is how tests and the settings
// pages find it.
#include <QAnyStringView>
#include <QString>

namespace Controlli {

// The name of element `i` of the control array `nome`.
QString Elemento(QAnyStringView nome, qsizetype i);

}  // namespace Controlli
