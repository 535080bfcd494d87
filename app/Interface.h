// The main window: the panel's parameter fields, the final figures, the
// command buttons and the four drawing areas. It owns the wing model for the
// whole run and wires each event to its procedure; the computations live in
// the core.
#pragma once

#include "app/model/Modele.h"

#include <QWidget>

#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;
class ZoneDessin;

class Interface : public QWidget {
    Q_OBJECT
public:
    explicit Interface(QWidget* parent = nullptr);
    ~Interface() override;

    const ortix::Modele& modele() const { return *m_; }

    // The refresh: sections, rotation, final figures and the three initial views.
    void Trace_Profil_Ini();

    // Shows a message to the user. Replaceable so that tests can read it.
    std::function<void(const QString& titre, const QString& texte)> messager;

protected:
    bool eventFilter(QObject* objet, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void construire();
    void Form_Load();
    void Form_Unload();
    // Copies the field texts into the model, and the model back into the window.
    void lireChamps();
    void afficherModele();
    void afficherMessage(const QString& titre, const QString& texte);

    std::unique_ptr<ortix::Modele> m_;

    QLineEdit *Txt_Long, *txt_fleche;
    QLineEdit *txt_prof_empl, *txt_corde_empl, *txt_href_empl, *txt_vril_empl2;
    QLineEdit *txt_prof_saum, *txt_corde_saum, *txt_href_saum, *txt_vril_saum2;
    QLineEdit *Txt_Lg_Final, *Txt_Fleche_Final, *Txt_Corde_Final;
    QLineEdit *Txt_Href_Empl_final, *Txt_Vrill_Empl_Final;
    QLineEdit *Txt_Href_Saum_final, *Txt_Vrill_Saum_Final;
    QPushButton *Bt_Prof_Empl, *bt_prof_saum, *Bt_Opt_Href_Saum;
    QPushButton *Bt_Calc, *Bt_Sauve_Prof, *Bt_Load_Proj, *Bt_Save_Proj, *Bt_Quit;
    ZoneDessin *Pic_Prof_Ini, *Plan_Ini, *Plan_Final, *Pic_Prof_Proj;
    QLabel *Lbl_prof_empl, *Lbl_Prof_Saum, *Label32, *Lbl_Etat;
};
