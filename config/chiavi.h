#pragma once
// Every section and key of the settings files, with the default that every reader passes.
// Readers and writers use these names only, so they always agree.
#include <QString>

namespace Chiavi {

struct Chiave {
    const char* nome;
    const char* predefinito;  // UTF-8
    QString Nome() const { return QString::fromUtf8(nome); }
    QString Predefinito() const { return QString::fromUtf8(predefinito); }
};

namespace Sezione {
inline constexpr char Generale[] = "Generale";
inline constexpr char COM[] = "COM";
inline constexpr char Grafico[] = "Grafico";
inline constexpr char Sinottico[] = "Sinottico";
inline constexpr char Stagione[] = "Stagione";
inline constexpr char Webcam[] = "Webcam";
inline constexpr char Apriporta[] = "Apriporta";
}  // namespace Sezione

// Base file, section Generale.
inline constexpr char FileBase[] = "Quelvar0.ini";
inline constexpr char FileStagioni[] = "Quelvar1.ini";
inline constexpr char FileRicette[] = "Quelvar2.ini";
inline constexpr Chiave Modo{"Modo", "0"};

namespace Generale {
inline constexpr Chiave Zone{"Zone", "0"};
inline constexpr Chiave Interruttori{"Interruttori", "0"};
inline constexpr Chiave LED{"LED", "0"};
inline constexpr Chiave Apriporta{"Apriporta", "0"};
inline constexpr Chiave Webcam{"Webcam", "0"};
inline constexpr Chiave ZoneUnita{"Zone Unita", "°C"};
inline constexpr Chiave ZoneTesto{"Zone Testo", "1"};
inline constexpr Chiave ZoneGrafico{"Zone Grafico", "1"};
inline constexpr Chiave ZoneCrono{"Zone Crono", "0"};
inline constexpr Chiave AutoAvvio{"AutoAvvio", "0"};
inline constexpr Chiave Grafico{"Grafico", "0"};
inline constexpr Chiave Ricette{"Ricette", "0"};
inline constexpr Chiave Cronotermostato{"Cronotermostato", "0"};
inline constexpr Chiave Master{"Master", "0"};
// "Master_1" .. "Master_5", value index k = 0..4.
QString NomeMaster(int k);
inline constexpr char PredefinitoMaster[] = "0";
}  // namespace Generale

namespace COM {
inline constexpr Chiave Porta{"Porta", "1"};
inline constexpr Chiave Formato{"Formato", "9600,N,8,1"};
inline constexpr Chiave Retry{"Retry", "1"};
inline constexpr Chiave TimeOut{"TimeOut", "500"};
// The serial page shows this until a value is saved.
inline constexpr char TimeOutPagina[] = "400";
inline constexpr Chiave BaseMisura{"Base Misura", "60"};
inline constexpr Chiave BaseRemoto{"Base Remoto", "3"};
inline constexpr Chiave BaseLED{"Base LED", "3"};
inline constexpr Chiave Remoto{"Remoto", "0"};
inline constexpr Chiave Attivita{"Attivita", "0"};
}  // namespace COM

namespace Grafico {
inline constexpr Chiave ColoreSfondo{"Colore_Sfondo", "16777215"};
inline constexpr Chiave ColoreBordo{"Colore_Bordo", "16777215"};
inline constexpr Chiave ColoreGriglia{"Colore_Griglia", "0"};
inline constexpr Chiave ColoreCursore{"Colore_Cursore", "8388608"};
inline constexpr Chiave ColoreOff1{"Colore_Off1", "12632256"};
inline constexpr Chiave ColoreOff2{"Colore_Off2", "14737632"};
inline constexpr Chiave TMax{"T_Max", "50"};
inline constexpr Chiave TMin{"T_Min", "-50"};
inline constexpr Chiave TMaxAss{"T_Max_Ass", "200"};
inline constexpr Chiave TMinAss{"T_Min_Ass", "-200"};
inline constexpr Chiave InfoX{"Info_X", "1000"};
inline constexpr Chiave InfoY{"Info_Y", "1000"};
}  // namespace Grafico

namespace Sinottico {
inline constexpr Chiave Immagine{"Immagine", "Pianta.jpg"};
inline constexpr Chiave SuonoPorta{"SuonoPorta", ""};
inline constexpr Chiave SuonoAllarme{"SuonoAllarme", ""};
// "Campo_1" .. "Campo_5" (value row k = 0..4), also in the zone sections.
QString NomeCampo(int k);
inline constexpr char PredefinitoCampo[] = "";
}  // namespace Sinottico

namespace Stagione {
inline constexpr Chiave Estate{"Estate", ""};
inline constexpr Chiave Inverno{"Inverno", ""};
inline constexpr Chiave Attuale{"Attuale", "0"};
}  // namespace Stagione

// Keys shared by the device sections (Zona NN, Interruttore NN, LED NN, Apriporta, Webcam).
namespace Dispositivo {
inline constexpr Chiave X{"X", "300"};
inline constexpr Chiave Y{"Y", "300"};
inline constexpr Chiave InfoX{"Info_X", "300"};
inline constexpr Chiave InfoY{"Info_Y", "300"};
inline constexpr Chiave Indirizzo{"Indirizzo", ""};
inline constexpr Chiave Decimali{"Decimali", "0"};
inline constexpr Chiave Icona{"Icona", ""};
inline constexpr Chiave Colore{"Colore", ""};  // default: the zone's own trace colour
inline constexpr Chiave Cronotermostato{"Cronotermostato", "0"};
inline constexpr Chiave Slave{"Slave", "0"};
inline constexpr Chiave ValOn{"Val_on", "0"};
inline constexpr Chiave ValOff{"Val_off", "0"};
inline constexpr Chiave Val{"Val", "0"};
inline constexpr Chiave Col{"Col", "1"};
inline constexpr Chiave Condizione{"Condizione", "1"};
inline constexpr Chiave Tempo{"Tempo", "1000"};
// Points (function code "," register); empty = not configured.
inline constexpr Chiave REM_r{"REM_r", ""};
inline constexpr Chiave REM_w{"REM_w", ""};
inline constexpr Chiave PV_r{"PV_r", ""};
inline constexpr Chiave SP_r{"SP_r", ""};
inline constexpr Chiave AL1_r{"AL1_r", ""};
inline constexpr Chiave AL2_r{"AL2_r", ""};
inline constexpr Chiave AL3_r{"AL3_r", ""};
inline constexpr Chiave PV_w{"PV_w", ""};
inline constexpr Chiave SP_w{"SP_w", ""};
inline constexpr Chiave AL1_w{"AL1_w", ""};
inline constexpr Chiave AL2_w{"AL2_w", ""};
inline constexpr Chiave AL3_w{"AL3_w", ""};
inline constexpr Chiave On_r{"On_r", ""};
inline constexpr Chiave Off_r{"Off_r", ""};
inline constexpr Chiave On_w{"On_w", ""};
inline constexpr Chiave Off_w{"Off_w", ""};
inline constexpr Chiave P1_r{"P1_r", ""};
// Default names: the section name for numbered devices, these for the single ones.
inline constexpr char NomeApriporta[] = "Apriporta";
inline constexpr char NomeWebcam[] = "Webcam";
inline constexpr char Nome[] = "Nome";
}  // namespace Dispositivo

}  // namespace Chiavi
