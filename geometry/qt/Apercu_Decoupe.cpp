#include "geometry/qt/Apercu_Decoupe.h"

#include "files/Date.h"
#include "geometry/qt/ZoneDessin.h"
#include "model/Modele.h"
#include "model/Nombres.h"
#include "qt/Apparence.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSlider>
#include <QTimer>

#include <cmath>

namespace {

using namespace ortix::gui;

QString q(const std::string& t) {
    return QString::fromStdString(t);
}

QString nombre(double v, const char* motif) {
    return q(ortix::Format(v, motif));
}

// Playing runs the cut this many times faster than the machine, a frame at a time.
constexpr double Acceleration = 10;
constexpr int Image = 40; // ms

} // namespace

Apercu_Decoupe::Apercu_Decoupe(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("Apercu_Decoupe"));
    setWindowTitle(QStringLiteral("Aperçu de la découpe"));
    setFont(Police_Interface());
    setFixedSize(900, 660);
    Pic_Cote = new ZoneDessin(this, QStringLiteral("Horizontale"), QStringLiteral("Hauteur"));
    Pic_Cote->setObjectName(QStringLiteral("Pic_Cote"));
    Pic_Cote->setGeometry(8, 8, 884, 300);
    Pic_Dessus = new ZoneDessin(this, QStringLiteral("Travers"), QStringLiteral("Horizontale"));
    Pic_Dessus->setObjectName(QStringLiteral("Pic_Dessus"));
    Pic_Dessus->setGeometry(8, 316, 440, 220);
    Etiquette(this, QStringLiteral("Côté : emplanture en bleu, saumon en vert, fil en tirets"),
              {456, 316, 436, 19});
    Etiquette(this, QStringLiteral("Dessus : les deux tours, le bloc et le fil"),
              {456, 335, 436, 19});
    auto etat = [this](const char* nom, int y) {
        QLabel* l = Etiquette(this, QString(), {456, y, 436, 19});
        l->setObjectName(QString::fromLatin1(nom));
        return l;
    };
    Lbl_Temps = etat("Lbl_Temps", 370);
    Lbl_Vitesses = etat("Lbl_Vitesses", 390);
    Lbl_Angle = etat("Lbl_Angle", 410);
    Lbl_Ligne = etat("Lbl_Ligne", 430);

    Sld_Temps = new QSlider(Qt::Horizontal, this);
    Sld_Temps->setObjectName(QStringLiteral("Sld_Temps"));
    Sld_Temps->setGeometry(8, 546, 796, 21);
    Sld_Temps->setRange(0, Pas);
    Bt_Lecture = Bouton(this, "Bt_Lecture", QStringLiteral("Lecture"), {812, 544, 80, 25});
    Lst_Constats = new QListWidget(this);
    Lst_Constats->setObjectName(QStringLiteral("Lst_Constats"));
    Lst_Constats->setGeometry(8, 576, 884, 76);
    Lst_Constats->setWordWrap(true);
    lecture_ = new QTimer(this);
    lecture_->setInterval(Image);

    connect(Sld_Temps, &QSlider::valueChanged, this, &Apercu_Decoupe::placer);
    connect(Bt_Lecture, &QPushButton::clicked, this, &Apercu_Decoupe::lireOuArreter);
    connect(lecture_, &QTimer::timeout, this, [this] {
        const double pas = Pas * Acceleration * Image / 1000 / std::max(apercu_.duree, 1e-9);
        const int s = Sld_Temps->value() + std::max(1, static_cast<int>(std::lround(pas)));
        Sld_Temps->setValue(std::min(s, Pas));
        if (s >= Pas) lireOuArreter();
    });
}

void Apercu_Decoupe::lireOuArreter() {
    if (lecture_->isActive()) {
        lecture_->stop();
    } else {
        if (Sld_Temps->value() >= Pas) Sld_Temps->setValue(0);
        lecture_->start();
    }
    Bt_Lecture->setText(lecture_->isActive() ? QStringLiteral("Pause") : QStringLiteral("Lecture"));
}

void Apercu_Decoupe::afficher(const ortix::Modele& m, const ortix::ProfilMachine& p, bool calcule) {
    if (!calcule) return vider(QStringLiteral("Calculez les nouveaux profils."));
    auto taille = [](const QWidget* w) {
        return ortix::Taille{static_cast<double>(w->width()), static_cast<double>(w->height())};
    };
    ortix::fichiers::ApercuDecoupe a;
    if (ortix::Resultat r = ortix::Proteger([&] {
            return ortix::fichiers::Preparer_Apercu(m, p,
                                                    ortix::fichiers::plateforme::Date_Du_Jour(),
                                                    taille(Pic_Cote), taille(Pic_Dessus), a);
        });
        !r)
        return vider(q(r.message()));
    apercu_ = std::move(a);
    Pic_Cote->afficher(apercu_.cote);
    Pic_Dessus->afficher(apercu_.dessus);
    Lst_Constats->clear();
    for (const std::string& c : apercu_.constats)
        Lst_Constats->addItem(q(c));
    Sld_Temps->setEnabled(true);
    Bt_Lecture->setEnabled(true);
    placer(Sld_Temps->value());
}

void Apercu_Decoupe::vider(const QString& raison) {
    lecture_->stop();
    apercu_ = {};
    instant_ = {};
    for (ZoneDessin* z : {Pic_Cote, Pic_Dessus})
        z->afficher({});
    Lst_Constats->clear();
    auto* ligne = new QListWidgetItem(raison, Lst_Constats);
    ligne->setForeground(Qt::red);
    for (QLabel* l : {Lbl_Temps, Lbl_Vitesses, Lbl_Angle, Lbl_Ligne})
        l->clear();
    Sld_Temps->setEnabled(false);
    Bt_Lecture->setEnabled(false);
    Bt_Lecture->setText(QStringLiteral("Lecture"));
}

void Apercu_Decoupe::placer(int s) {
    if (apercu_.gcode.simulation.mouvements.empty()) return;
    instant_ = ortix::fichiers::Instant_Decoupe(apercu_, apercu_.duree * s / Pas);
    Pic_Cote->superposer(ortix::fichiers::Fil_Cote(apercu_, instant_));
    Pic_Dessus->superposer(ortix::fichiers::Fil_Dessus(apercu_, instant_));
    const ortix::fichiers::MouvementSimule& m =
        apercu_.gcode.simulation.mouvements[instant_.mouvement];
    Lbl_Temps->setText(QStringLiteral("Temps : ") + nombre(instant_.t, "#0.0") +
                       QStringLiteral(" s sur ") + nombre(apercu_.duree, "#0.0") +
                       QStringLiteral(" s de mouvements"));
    Lbl_Vitesses->setText(QStringLiteral("Vitesse : emplanture ") +
                          nombre(instant_.vitesse[0], "#0.00") + QStringLiteral(" mm/s, saumon ") +
                          nombre(instant_.vitesse[1], "#0.00") + QStringLiteral(" mm/s"));
    Lbl_Angle->setText(QStringLiteral("Angle du fil : ") + nombre(instant_.angle, "#0.00") +
                       QStringLiteral("°"));
    Lbl_Ligne->setText(QStringLiteral("Ligne ") + QString::number(m.ligne) + QStringLiteral(" : ") +
                       q(m.texte));
}
