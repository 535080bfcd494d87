#include "geometry/qt/Opti_Href.h"

#include "geometry/Optimisation.h"
#include "qt/Apparence.h"

#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>

namespace {

using namespace ortix::gui;

const char* const Explication =
    "Lors du calcul de tronçon présentant un vrillage important et du \n"
    "dièdre, une cassure peut se créer dans le profil projeté au saumon, au niveau du \n"
    "bord de fuite de ce dernier.\n"
    "Pour limiter ce phénomène, il est possible de jouer sur la hauteur de \n"
    "la ligne de base du saumon, ce qui modifie le dièdre du projet.\n";

} // namespace

Opti_Href::Opti_Href(QWidget* parent) : QDialog(parent) {
    Preparer_Dialogue(this, "Opti_Href",
                      QStringLiteral("Optimisation de la hauteur de ligne de base du saumon"),
                      {640, 246});

    // A read-only text whose words wrap and which never scrolls: a face small
    // enough for the five lines to show whole in its place.
    QString texte = QString::fromUtf8(Explication);
    texte.chop(1); // the last line break would only add an empty line
    auto* Text1 = new QLabel(texte, this);
    Text1->setTextFormat(Qt::PlainText);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setGeometry(8, 8, 424, 86);
    Text1->setWordWrap(true);
    Text1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Text1->setTextInteractionFlags(Qt::TextSelectableByMouse);
    Text1->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    Text1->setMargin(2);
    Text1->setAutoFillBackground(true);
    Text1->setBackgroundRole(QPalette::Base);
    for (QFont f = Text1->font();
         f.pixelSize() > 7 && Text1->heightForWidth(Text1->width()) > Text1->height();) {
        f.setPixelSize(f.pixelSize() - 1);
        Text1->setFont(f);
    }

    Lbl_Avis = Etiquette(this, {}, {440, 8, 192, 86});
    Lbl_Avis->setObjectName(QStringLiteral("Lbl_Avis"));
    Lbl_Avis->setWordWrap(true);
    Lbl_Avis->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    struct Ligne {
        const char *bouton, *champ;
        QString legende;
        QPushButton** b;
        QLineEdit** e;
    };
    const Ligne lignes[] = {
        {"Bt_NOP", "Txt_NOP", QStringLiteral("Garder la hauteur initiale"), &Bt_NOP, &Txt_NOP},
        {"Bt_Align", "Txt_Align", QStringLiteral("Aligner les bords de fuite"), &Bt_Align,
         &Txt_Align},
        {"Bt_Opti", "Txt_Opt", QStringLiteral("Optimiser l'alignement"), &Bt_Opti, &Txt_Opt},
    };
    int y = 102;
    for (const Ligne& l : lignes) {
        *l.b = Bouton(this, l.bouton, l.legende, {8, y, 180, 23});
        Etiquette(this, QStringLiteral("H. réf. saumon ="), {196, y, 100, 23}, Qt::AlignRight);
        // The present height is kept, not typed: its field is read-only.
        *l.e = Champ(this, l.champ, {302, y + 1, 80, 21}, l.e == &Txt_NOP);
        Etiquette(this, QStringLiteral("mm"), {388, y, 30, 23});
        // The kinks this height would give, beside its row.
        QLabel* cassure = Etiquette(this, {}, {430, y, 202, 23});
        cassure->setObjectName(QString::fromLatin1(l.champ) + QStringLiteral("_Cassure"));
        connect(*l.e, &QLineEdit::textChanged, this, [this, cassure](const QString& hauteur) {
            cassure->setText(cassures_ ? cassures_(hauteur) : QString());
        });
        lignesCassures_.push_back({*l.e, cassure});
        y += 28;
    }

    Etiquette(this, QStringLiteral("Intrados (mm)"), {8, 190, 88, 16});
    Etiquette(this, QStringLiteral("Côté du profil à privilégier"), {96, 190, 248, 16},
              Qt::AlignHCenter);
    Etiquette(this, QStringLiteral("Extrados (mm)"), {344, 190, 88, 16}, Qt::AlignRight);
    txt_int = Champ(this, "txt_int", {8, 212, 80, 21}, true);
    Curseur = new QSlider(Qt::Horizontal, this);
    Curseur->setObjectName(QStringLiteral("Curseur"));
    Curseur->setGeometry(96, 212, 248, 21);
    Curseur->setRange(0, 100);
    Curseur->setSingleStep(1);
    Curseur->setPageStep(10);
    Curseur->setValue(50);
    txt_ext = Champ(this, "txt_ext", {352, 212, 80, 21}, true);

    // An apply button is usable only while its field holds a text.
    for (const auto& paire :
         {std::pair{Txt_NOP, Bt_NOP}, {Txt_Align, Bt_Align}, {Txt_Opt, Bt_Opti}}) {
        QLineEdit* e = paire.first;
        QPushButton* b = paire.second;
        connect(e, &QLineEdit::textChanged, b,
                [b](const QString& t) { b->setEnabled(!t.trimmed().isEmpty()); });
        b->setEnabled(false);
        connect(b, &QPushButton::clicked, this, [this, e] {
            hide();
            emit appliquer(e->text());
        });
    }
    // A change (arrow, page, click) and each step of a drag of the thumb: the
    // slider tracks its thumb, so both come as a change of value.
    connect(Curseur, &QSlider::valueChanged, this, &Opti_Href::Curseur_Change);
}

void Opti_Href::remplir(const QString& nop, const QString& align, const QString& intrados,
                        const QString& extrados, std::function<QString(const QString&)> cassures,
                        const QString& avis) {
    Lbl_Avis->setText(avis);
    // The heights first, with no kinks computed for them on the way: each row's
    // are computed once, below, for the panel as it now is.
    cassures_ = nullptr;
    Txt_NOP->setText(nop);
    Txt_Align->setText(align);
    txt_int->setText(intrados);
    txt_ext->setText(extrados);
    cassures_ = std::move(cassures);
    for (auto [champ, cassure] : lignesCassures_)
        cassure->setText(cassures_(champ->text()));
}

void Opti_Href::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) Form_Activate();
    QDialog::changeEvent(event);
}

void Opti_Href::Form_Activate() {
    Curseur_Change();
}

void Opti_Href::Curseur_Change() {
    Txt_Opt->setText(QString::fromStdString(ortix::Melange(
        txt_int->text().toStdString(), Curseur->value(), txt_ext->text().toStdString())));
}
