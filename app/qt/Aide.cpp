#include "app/qt/Aide.h"

#include "qt/Apparence.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QTextBrowser>
#include <QVBoxLayout>

#include <cmath>

namespace {

// A four-digit section's outline, chord 1, leading edge at the origin, y up.
QPainterPath profil(double corde, double epaisseur) {
    QPainterPath chemin;
    const int n = 40;
    auto demi = [&](double x) {
        return 5 * epaisseur *
               (0.2969 * std::sqrt(x) - 0.1260 * x - 0.3516 * x * x + 0.2843 * x * x * x -
                0.1036 * x * x * x * x);
    };
    for (int i = 0; i <= n; ++i) { // the upper surface from the trailing edge
        const double x = (1 + std::cos(M_PI * i / n)) / 2;
        const QPointF p(corde * x, corde * (0.03 * 4 * x * (1 - x) + demi(x)));
        i == 0 ? chemin.moveTo(p) : chemin.lineTo(p);
    }
    for (int i = n - 1; i >= 0; --i) {
        const double x = (1 + std::cos(M_PI * i / n)) / 2;
        chemin.lineTo(corde * x, corde * (0.03 * 4 * x * (1 - x) - demi(x)));
    }
    return chemin;
}

// An arrow from a to b with its caption beside the middle.
void cote(QPainter& p, QPointF a, QPointF b, const QString& texte, QPointF decalage) {
    p.drawLine(a, b);
    for (const auto& [bout, autre] : {std::pair{a, b}, {b, a}}) {
        const QPointF d = (autre - bout) / std::hypot((autre - bout).x(), (autre - bout).y());
        const QPointF n(-d.y(), d.x());
        p.drawLine(bout, bout + 6 * d + 3 * n);
        p.drawLine(bout, bout + 6 * d - 3 * n);
    }
    p.drawText((a + b) / 2 + decalage, texte);
}

// The panel's parameters drawn: a section with its reference height and twist,
// and the panel in plan with its length, sweep and chords.
QImage figureParametres() {
    QImage image(680, 250, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setFont(ortix::gui::Police_Interface());
    const QPen trait(Qt::black), pointille(Qt::DashDotLine);
    const QColor rouge(200, 0, 0), bleu(0, 0, 200);

    // Side view: the base line, the leading-edge vertical, the section untwisted
    // and twisted (a positive twist lowers the trailing edge).
    const double base = 200, ba = 60, hauteur = 70, corde = 250;
    p.setPen(pointille);
    p.drawLine(QPointF(20, base), QPointF(ba + 280, base));
    p.drawLine(QPointF(ba, base + 10), QPointF(ba, base - hauteur - 50));
    p.drawText(QPointF(ba + 160, base + 16), QStringLiteral("ligne de base"));
    p.setPen(QPen(Qt::gray, 1));
    p.save();
    p.translate(ba, base - hauteur);
    p.scale(1, -1);
    p.drawPath(profil(corde, 0.12));
    p.restore();
    p.setPen(QPen(rouge, 1.5));
    p.save();
    p.translate(ba, base - hauteur);
    p.rotate(8); // Qt turns clockwise on screen: the trailing edge goes down
    p.scale(1, -1);
    p.drawPath(profil(corde, 0.12));
    p.restore();
    p.setPen(trait);
    cote(p, QPointF(ba - 15, base), QPointF(ba - 15, base - hauteur), QStringLiteral("H réf."),
         QPointF(-40, 4));
    p.setPen(QPen(rouge, 1));
    p.drawArc(QRectF(ba + corde - 60 - 60, base - hauteur - 60, 120, 120), 0, -8 * 16);
    p.drawText(QPointF(ba + corde - 100, base - hauteur + 50), QStringLiteral("vrillage > 0"));
    p.setPen(trait);
    p.drawText(QPointF(ba - 30, base - hauteur - 8), QStringLiteral("BA"));
    p.drawText(QPointF(ba + corde + 4, base - hauteur - 4), QStringLiteral("BF"));

    // Plan view: the root on the left, the tip on the right, set back by the sweep.
    const double x0 = 420, y0 = 40, longueur = 190, fleche = 60, Ce = 150, Cs = 60;
    p.setPen(QPen(bleu, 2));
    p.drawLine(QPointF(x0, y0), QPointF(x0, y0 + Ce));
    p.drawLine(QPointF(x0 + longueur, y0 + fleche), QPointF(x0 + longueur, y0 + fleche + Cs));
    p.setPen(trait);
    p.drawLine(QPointF(x0, y0), QPointF(x0 + longueur, y0 + fleche));
    p.drawLine(QPointF(x0, y0 + Ce), QPointF(x0 + longueur, y0 + fleche + Cs));
    cote(p, QPointF(x0, y0 - 15), QPointF(x0 + longueur, y0 - 15), QStringLiteral("Longueur"),
         QPointF(-25, -5));
    cote(p, QPointF(x0 + longueur + 15, y0), QPointF(x0 + longueur + 15, y0 + fleche),
         QStringLiteral("Flèche"), QPointF(6, 4));
    p.setPen(QPen(Qt::gray, 1, Qt::DotLine));
    p.drawLine(QPointF(x0, y0), QPointF(x0 + longueur + 20, y0));
    p.setPen(trait);
    p.drawText(QRectF(x0 - 106, y0 + Ce / 2 - 10, 100, 20), Qt::AlignRight | Qt::AlignVCenter,
               QStringLiteral("emplanture"));
    p.drawText(QPointF(x0 + longueur + 6, y0 + fleche + Cs + 14), QStringLiteral("saumon"));
    p.drawText(QPointF(x0 + 40, y0 + Ce + 40),
               QStringLiteral("Bord d'attaque en haut, vue de dessus"));
    return image;
}

} // namespace

Aide::Aide(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Aide"));
    setWindowTitle(QStringLiteral("Aide d'Ortix"));
    setModal(false);
    resize(720, 600);
    auto* texte = new QTextBrowser(this);
    texte->setObjectName(QStringLiteral("Txt_Aide"));
    // The help's own pages only: no link leads out of the program.
    texte->setOpenExternalLinks(false);
    texte->document()->addResource(QTextDocument::ImageResource,
                                   QUrl(QStringLiteral("figure:parametres")), figureParametres());
    QFile page(QStringLiteral(":/ortix/aide/aide.html"));
    if (page.open(QIODevice::ReadOnly)) texte->setHtml(QString::fromUtf8(page.readAll()));
    auto* disposition = new QVBoxLayout(this);
    disposition->setContentsMargins(0, 0, 0, 0);
    disposition->addWidget(texte);
}
