// The tip reference-height dialog: three candidate heights, one row each with a
// button that hands its field's text to the main window, which applies it. The dialog keeps only
// its controls.
#pragma once

#include <QDialog>

#include <functional>
#include <utility>
#include <vector>

class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;

class Opti_Href : public QDialog {
    Q_OBJECT
  public:
    explicit Opti_Href(QWidget* parent);

    // Fills the four candidate texts; an empty text is a candidate with no value.
    // `cassures` tells the kinks a height would give, shown beside its row as its
    // text changes; `avis`, beside the explanation, when no candidate changes them.
    void remplir(const QString& nop, const QString& align, const QString& intrados,
                 const QString& extrados, std::function<QString(const QString&)> cassures,
                 const QString& avis);

    void Form_Activate();
    void Curseur_Change();

  signals:
    // The text of the field whose button was pressed, after the dialog hid.
    void appliquer(const QString& texte);

  protected:
    void changeEvent(QEvent* event) override;

  private:
    QLineEdit *Txt_NOP, *Txt_Align, *Txt_Opt, *txt_int, *txt_ext;
    QPushButton *Bt_NOP, *Bt_Align, *Bt_Opti;
    QSlider* Curseur;
    QLabel* Lbl_Avis;
    std::function<QString(const QString&)> cassures_;
    std::vector<std::pair<QLineEdit*, QLabel*>> lignesCassures_;
};
