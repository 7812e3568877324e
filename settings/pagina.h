#pragma once
// One page of the settings window: a panel laid over the window's frame, at most one shown at a
// time. The list filling puts every page back at its place (twips) and hides it; the page menus
// hide every page, reload the whole configuration (which discards what was left unsaved) and
// open one; a right drag moves a page until the next list filling. A page's save writes its
// keys one by one into the active settings file and then reloads the whole configuration.
#include <QFrame>

#include <functional>

class Comunicazioni;

class Pagina : public QFrame {
    Q_OBJECT
public:
    // `nome` is the page's name (Pic_RS232, Pic_ZoneMB, ...); `leftTwips`, `topTwips` its place.
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
    // The page's exit without saving: the load discards the edits, then the page hides.
    void EsciSenzaSalvare();

    void mousePressEvent(QMouseEvent* evento) override;

private:
    Comunicazioni* finestra_;
    int left_;
    int top_;
};
