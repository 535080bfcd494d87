#!/usr/bin/env python3
"""Cross-check of ortix-batch against an independent implementation.

This script is an independent implementation of the computation, for
cross-checking the batch command: it reads a project file, places and turns
the two sections, computes the final figures, the projected profiles, the
tip reference-height candidates, the proposed names and the three written
files, all in plain Python (standard library only).  It then generates many
random projects in a temporary folder, runs `ortix-batch --json` on them
(plain and with each `--opti` choice) and compares every text of the JSON
line and every byte of the written files, as well as the refusals.

Usage (see README.md beside this file):

    python3 tests/verif/verification_croisee.py --batch build/verif/ortix-batch \
        --nombre 2000 --graine 1 --dossier /tmp/verif
"""

import argparse
import collections
import json
import math
import os
import random
import re
import shutil
import subprocess
import sys
from decimal import ROUND_HALF_UP, Decimal, localcontext

# ---------------------------------------------------------------------------
# Numbers: the leading-number reader and the display patterns
# ---------------------------------------------------------------------------

_NOMBRE_EN_TETE = re.compile(r"[+-]?([0-9]*)(?:\.([0-9]*))?")
_EXPOSANT = re.compile(r"[eE]([+-]?[0-9]+)")


def val(texte):
    """Leading number of a text: blanks, tabs and line feeds are ignored
    wherever they stand, then sign, digits, point and digits, exponent;
    the first character that cannot continue the number ends it; 0 when
    there is no number."""
    t = "".join(c for c in texte if c not in " \t\n")
    m = _NOMBRE_EN_TETE.match(t)
    entier, decimales = m.group(1), m.group(2) or ""
    if not entier and not decimales:
        return 0.0
    mantisse = m.group(0)
    if mantisse.endswith("."):
        mantisse = mantisse[:-1]
    reste = t[m.end():]
    e = _EXPOSANT.match(reste)
    if e:
        mantisse += "e" + e.group(1)
    return float(mantisse)


def _motif(motif):
    avant, apres = motif.split(".")
    if avant.startswith("0"):
        chiffres_min = len(avant)
    else:
        chiffres_min = avant.count("0")
    return chiffres_min, apres.count("0"), len(apres)


def fmt(valeur, motif):
    """Format a value with one of the patterns "#0.00", "#.00", "0#.##",
    "#.0", "#0.00000", "#0.000000": the value is first taken to 15
    significant digits, then rounded half away from zero on that decimal."""
    if not math.isfinite(valeur):
        raise Refus("valeur non finie à formater")
    chiffres_min, dec_min, dec_max = _motif(motif)
    with localcontext() as ctx:
        ctx.prec = 400
        d = Decimal(format(valeur, ".14e"))
        q = d.quantize(Decimal(1).scaleb(-dec_max), rounding=ROUND_HALF_UP)
        negatif = q < 0
        q = abs(q)
        texte = format(q, "f")
    if "." in texte:
        ent, dec = texte.split(".")
    else:
        ent, dec = texte, ""
    dec = dec.ljust(dec_max, "0")
    ent = ent.lstrip("0")
    ent = ent.rjust(chiffres_min, "0")
    while len(dec) > dec_min and dec.endswith("0"):
        dec = dec[:-1]
    if negatif and q == 0:
        negatif = False
    return ("-" if negatif else "") + ent + "." + dec


PI = 4.0 * math.atan(1.0)


class Refus(Exception):
    """A computation or a file the program must refuse."""


def div(a, b):
    """IEEE division: a non-zero over zero is an infinity, zero over zero
    not a number, as the C++ doubles give."""
    if b == 0:
        if a == 0 or math.isnan(a):
            return math.nan
        return math.copysign(math.inf, a) * math.copysign(1.0, b)
    return a / b


def sin(x):
    return math.sin(x) if math.isfinite(x) else math.nan


def cos(x):
    return math.cos(x) if math.isfinite(x) else math.nan


def fini(*valeurs):
    for v in valeurs:
        if not math.isfinite(v):
            raise Refus("valeur non finie")


# ---------------------------------------------------------------------------
# Project file reader
# ---------------------------------------------------------------------------

_NOMBRE_STRICT = re.compile(r"^[+-]?([0-9]+\.?[0-9]*|\.[0-9]+)([eE][+-]?[0-9]+)?$")


def lire_projet(donnees):
    """Reads a project file (bytes, Windows-1252).  Text values, the two
    display names included, are their whole line less the blanks before it; a count is an integer alone on its line; a point line
    holds two numbers."""
    texte = donnees.decode("cp1252")
    lignes = texte.split("\n")
    if lignes and lignes[-1] == "":
        lignes.pop()
    lignes = [l[:-1] if l.endswith("\r") else l for l in lignes]
    pos = [0]

    def ligne():
        if pos[0] >= len(lignes):
            raise Refus("fichier projet incomplet")
        l = lignes[pos[0]]
        pos[0] += 1
        return l

    def texte_valeur():
        return ligne().lstrip(" \t")

    def compte():
        t = ligne().strip(" \t")
        if not _NOMBRE_STRICT.match(t) or float(t) != int(float(t)):
            raise Refus("compte illisible")
        n = int(float(t))
        if n < 1 or n > 1000:
            raise Refus("compte hors limites")
        return n

    def point():
        morceaux = [m for m in re.split(r"[ \t,]+", ligne().strip(" \t")) if m != ""]
        if len(morceaux) != 2:
            raise Refus("ligne de point illisible")
        vals = []
        for m in morceaux:
            if not _NOMBRE_STRICT.match(m):
                raise Refus("nombre illisible")
            v = float(m)
            if not math.isfinite(v):
                raise Refus("nombre infini")
            vals.append(v)
        return vals

    p = {}
    ligne()  # title, ignored
    p["nom"] = texte_valeur()
    for cle in ("Txt_Long", "txt_fleche", "txt_prof_empl", "txt_corde_empl",
                "txt_href_empl", "txt_vril_empl2", "txt_prof_saum",
                "txt_corde_saum", "txt_href_saum", "txt_vril_saum2"):
        p[cle] = texte_valeur()
    for bout in ("Empl", "Saum"):
        n = compte()
        p["Lbl_" + bout] = texte_valeur()
        xs, ys = [], []
        for _ in range(n):
            x, y = point()
            xs.append(x)
            ys.append(y)
        p["X_" + bout] = xs
        p["Y_" + bout] = ys
    return p


# ---------------------------------------------------------------------------
# Geometry
# ---------------------------------------------------------------------------

def rotation_y(x, y, z, angle):
    c = cos(angle)
    s = sin(angle)
    return c * x + s * z, y, -x * s + c * z


def yinter_bf(xe, ye, ze, xs, ys, zs, xf):
    return ye + div((ys - ye) * (xf - xe), xs - xe)


def zinter_bf(xe, ye, ze, xs, ys, zs, xf):
    return ze + div((zs - ze) * (xf - xe), xs - xe)


def xy_inter_z(xe, ye, ze, xs, ys, zs, zint):
    if zs == ze:
        return xe, ye
    x = xe + (xs - xe) * (zint - ze) / (zs - ze)
    y = ye + (ys - ye) * (zint - ze) / (zs - ze)
    return x, y


def interpol(xa, v, n, x, sens, repli):
    """Value of v along a section at abscissa x, on the first segment that
    x crosses in direction sens; repli() when no segment matches.  Arrays
    are 1-based (index 0 unused)."""
    i = 1
    while True:
        if sens * xa[i] <= sens * x <= sens * xa[i + 1]:
            if xa[i] == xa[i + 1]:
                return (v[i] + v[i + 1]) / 2
            return v[i] + (v[i + 1] - v[i]) * (x - xa[i]) / (xa[i + 1] - xa[i])
        i += 1
        if i >= n:
            return repli()


def sens_de(xa, n, i):
    """Direction of travel at point i; at the last point, that of the
    segment that ends there."""
    if i < n:
        d = xa[i + 1] - xa[i]
    else:
        d = xa[n] - xa[n - 1]
    if d == 0:
        return 0
    return 1 if d > 0 else -1


class Calcul:
    """One panel: the field texts and the two airfoils."""

    def __init__(self, p):
        self.champs = {k: p[k] for k in (
            "Txt_Long", "txt_fleche", "txt_prof_empl", "txt_corde_empl",
            "txt_href_empl", "txt_vril_empl2", "txt_prof_saum",
            "txt_corde_saum", "txt_href_saum", "txt_vril_saum2")}
        self.X_Empl = [0.0] + list(p["X_Empl"])
        self.Y_Empl = [0.0] + list(p["Y_Empl"])
        self.X_Saum = [0.0] + list(p["X_Saum"])
        self.Y_Saum = [0.0] + list(p["Y_Saum"])
        self.Ne = len(p["X_Empl"])
        self.Ns = len(p["X_Saum"])
        self.finals = {}

    def v(self, nom):
        return val(self.champs[nom])

    # -- refresh -----------------------------------------------------------
    def trace_profil_ini(self):
        Ce = self.v("txt_corde_empl")
        He = self.v("txt_href_empl")
        self.Xe3 = [0.0] * (self.Ne + 1)
        self.Ye3 = [0.0] * (self.Ne + 1)
        self.Ze3 = [0.0] * (self.Ne + 1)
        for i in range(1, self.Ne + 1):
            self.Xe3[i] = -Ce * self.X_Empl[i]
            self.Ye3[i] = Ce * self.Y_Empl[i] + He
            self.Ze3[i] = 0.0
        Cs = self.v("txt_corde_saum")
        Hs = self.v("txt_href_saum")
        F = self.v("txt_fleche")
        L = self.v("Txt_Long")
        self.Xs3 = [0.0] * (self.Ns + 1)
        self.Ys3 = [0.0] * (self.Ns + 1)
        self.Zs3 = [0.0] * (self.Ns + 1)
        for j in range(1, self.Ns + 1):
            self.Xs3[j] = -F - Cs * self.X_Saum[j]
            self.Ys3[j] = Cs * self.Y_Saum[j] + Hs
            self.Zs3[j] = L
        if L == 0:
            raise Refus("longueur nulle")
        alpha = math.atan(F / L)
        lf = L * cos(alpha) + (F + Cs) * sin(alpha)
        cf = Ce * cos(alpha)
        angle = alpha * 180 / 3.141592654
        fini(*self.Xe3[1:], *self.Ye3[1:], *self.Xs3[1:], *self.Ys3[1:], lf, cf, angle)
        self.finals["Label32"] = "Position après rotation de " + fmt(angle, "0#.##") + "°"
        self.finals["Txt_Lg_Final"] = fmt(lf, "#.00")
        self.finals["Txt_Fleche_Final"] = "0.00"
        self.finals["Txt_Corde_Final"] = fmt(cf, "#.00")

    # -- final twists and reference heights --------------------------------
    def calc_vrillage_final(self):
        L = self.v("Txt_Long")
        F = self.v("txt_fleche")
        if L == 0:
            raise Refus("longueur nulle")
        a = math.atan(F / L)
        Ce = self.v("txt_corde_empl")
        He = self.v("txt_href_empl")
        Te = self.v("txt_vril_empl2")
        Cs = self.v("txt_corde_saum")
        Hs = self.v("txt_href_saum")
        Ts = self.v("txt_vril_saum2")
        te = Te * PI / 180
        ts = Ts * PI / 180
        XeBF = -Ce * cos(te) * cos(a)
        YeBF = He - Ce * sin(te)
        ZeBF = Ce * cos(te) * sin(a)
        ZsBA = F * sin(a) + L * cos(a)
        XsBF = -(Cs * cos(ts) + F) * cos(a) + L * sin(a)
        YsBF = Hs - Cs * sin(ts)
        ZsBF = (Cs * cos(ts) + F) * sin(a) + L * cos(a)
        if ZsBF == ZeBF:
            raise Refus("ZsBF = ZeBF")
        t = -ZeBF / (ZsBF - ZeBF)
        X0 = XeBF + (XsBF - XeBF) * t
        Y0 = YeBF + (YsBF - YeBF) * t
        if ZsBA == 0:
            raise Refus("ZsBA = 0")
        u = ZsBF / ZsBA
        Hs_f = (1 - u) * He + u * Hs
        if X0 == 0:
            raise Refus("X0 = 0")
        if XsBF == 0:
            raise Refus("XsBF = 0")
        Te_f = math.atan((Y0 - He) / X0) * 180 / PI
        Ts_f = math.atan((YsBF - Hs_f) / XsBF) * 180 / PI
        fini(He, Hs_f, Te_f, Ts_f)
        return {
            "Txt_Href_Empl_final": fmt(He, "#0.00"),
            "Txt_Href_Saum_final": fmt(Hs_f, "#0.00"),
            "Txt_Vrill_Empl_Final": fmt(Te_f, "#0.00"),
            "Txt_Vrill_Saum_Final": fmt(Ts_f, "#0.00"),
        }

    # -- projected profiles ------------------------------------------------
    def bt_calc_click(self):
        quatre = self.calc_vrillage_final()
        Ne, Ns = self.Ne, self.Ns
        if Ne < 3 or Ns < 3:
            raise Refus("moins de trois points")
        L = self.v("Txt_Long")
        F = self.v("txt_fleche")
        a = math.atan(F / L)
        XeR = [0.0] * (Ne + 2)
        YeR = [0.0] * (Ne + 2)
        ZeR = [0.0] * (Ne + 2)
        XsR = [0.0] * (Ns + 2)
        YsR = [0.0] * (Ns + 2)
        ZsR = [0.0] * (Ns + 2)
        for i in range(1, Ne + 1):
            XeR[i], YeR[i], ZeR[i] = rotation_y(self.Xe3[i], self.Ye3[i], self.Ze3[i], a)
        for j in range(1, Ns + 1):
            XsR[j], YsR[j], ZsR[j] = rotation_y(self.Xs3[j], self.Ys3[j], self.Zs3[j], a)
        fini(*XeR, *YeR, *ZeR, *XsR, *YsR, *ZsR)

        def R(i):
            return XeR[i], YeR[i], ZeR[i]

        def T(j):
            return XsR[j], YsR[j], ZsR[j]

        def interp_y_empl(x, d):
            return interpol(XeR, YeR, Ne, x, d, lambda: self.v("txt_href_empl"))

        def interp_z_empl(x, d):
            return interpol(XeR, ZeR, Ne, x, d, lambda: 0.0)

        def interp_y_saum(x, d):
            return interpol(XsR, YsR, Ns, x, d, lambda: self.v("txt_href_saum"))

        def interp_z_saum(x, d):
            def repli():
                l = self.v("Txt_Long")
                f = self.v("txt_fleche")
                return math.sqrt(l * l + f * f)
            return interpol(XsR, ZsR, Ns, x, d, repli)

        def plan(A, B, C):
            xA, yA, zA = A
            xB, yB, zB = B
            xC, yC, zC = C
            Ny = (zC - zA) * (xB - xA) - (xC - xA) * (zB - zA)
            Nz = (xC - xA) * (yB - yA) - (xB - xA) * (yC - yA)
            if Ny == 0:
                raise Refus("Ny = 0")
            return yA + (zA - zB) * Nz / Ny

        pe, ps = [], []
        # opening trailing-edge point
        A, B, C = R(1), T(1), R(2)
        xA, yA, zA = A
        xB, yB, zB = B
        ys_ = plan(A, B, C)
        pe.append(xy_inter_z(xA, yA, zA, xA, ys_, zB, 0.0))
        ps.append((xA, ys_))
        # upper trailing-edge zone
        i = 2
        while i <= Ne and XeR[i] < xB:
            xi = XeR[i]
            q = (xi, yinter_bf(*A, *B, xi), zinter_bf(*A, *B, xi))
            pe.append(xy_inter_z(*R(i), *q, 0.0))
            ps.append(xy_inter_z(*R(i), *q, zB))
            i += 1
        # tip section points
        for j in range(1, Ns + 1):
            d = sens_de(XsR, Ns, j)
            xj = XsR[j]
            P = (xj, interp_y_empl(xj, d), interp_z_empl(xj, d))
            ps.append(xy_inter_z(*P, *T(j), zB))
        # root points ahead of the tip trailing edge
        for i in range(1, Ne + 1):
            if XeR[i] > xB:
                d = sens_de(XeR, Ne, i)
                xi = XeR[i]
                Q = (xi, interp_y_saum(xi, d), interp_z_saum(xi, d))
                pe.append(xy_inter_z(*R(i), *Q, 0.0))
        # lower trailing-edge zone
        A2, B2 = R(Ne), T(Ns)
        xB2, zB2 = B2[0], B2[2]
        for i in range(2, Ne):
            if XeR[i] < xB2 and XeR[i] - XeR[i - 1] < 0:
                xi = XeR[i]
                q = (xi, yinter_bf(*A2, *B2, xi), zinter_bf(*A2, *B2, xi))
                pe.append(xy_inter_z(*R(i), *q, 0.0))
                ps.append(xy_inter_z(*R(i), *q, zB2))
        # closing trailing-edge point
        C2 = R(Ne - 1)
        ys2 = plan(A2, B2, C2)
        pe.append(xy_inter_z(A2[0], A2[1], A2[2], A2[0], ys2, zB2, 0.0))
        ps.append((A2[0], ys2))
        if len(pe) > 1000 or len(ps) > 1000:
            raise Refus("plus de 1000 points projetés")
        for x, y in pe + ps:
            fini(x, y)
        self.finals.update(quatre)
        self.XeR, self.YeR, self.XsR, self.YsR = XeR, YeR, XsR, YsR
        self.proj_empl, self.proj_saum = pe, ps

    def calculer(self):
        self.trace_profil_ini()
        self.bt_calc_click()

    # -- tip reference-height candidates -----------------------------------
    def candidats(self):
        Hs = self.v("txt_href_saum")
        He = self.v("txt_href_empl")
        Ce = self.v("txt_corde_empl")
        Cs = self.v("txt_corde_saum")
        Te = self.v("txt_vril_empl2") * 4 * math.atan(1) / 180
        Ts = self.v("txt_vril_saum2") * 4 * math.atan(1) / 180
        c = {"Txt_NOP": fmt(Hs, "#0.00")}
        A = He - Ce * sin(Te) + Cs * sin(Ts)
        c["Txt_Align"] = fmt(A, "#0.00") if math.isfinite(A) else ""
        Ne, Ns = self.Ne, self.Ns
        XeR, XsR, YsR = self.XeR, self.XsR, self.YsR
        c["txt_int"] = c["txt_ext"] = ""
        den = XsR[Ns] - XsR[Ns - 1]
        if den != 0:
            m_int = (YsR[Ns] - YsR[Ns - 1]) / den
            h = A + m_int * (XsR[Ns] - XeR[Ne])
            if math.isfinite(h):
                c["txt_int"] = fmt(h, "#0.00")
        den = XsR[1] - XsR[2]
        if den != 0:
            m_ext = (YsR[1] - YsR[2]) / den
            h = A + m_ext * (XsR[1] - XeR[1])
            if math.isfinite(h):
                c["txt_ext"] = fmt(h, "#0.00")
        return c


def melange(txt_int, curseur, txt_ext):
    if txt_int == "" or txt_ext == "":
        return ""
    i = val(txt_int)
    e = val(txt_ext)
    return fmt(i + (e - i) * curseur / 100, "#0.00")


# ---------------------------------------------------------------------------
# Names and output files
# ---------------------------------------------------------------------------

def propose_noms(p, corde, longueur, f):
    def F(t):
        return fmt(val(t), "#.0")
    return (
        p + "_Empl_C" + F(corde) + "_H" + F(f["Txt_Href_Empl_final"]) + "_L0.0_V"
        + F(f["Txt_Vrill_Empl_Final"]) + ".dat",
        p + "_Saum_C" + F(corde) + "_H" + F(f["Txt_Href_Saum_final"]) + "_L"
        + F(longueur) + "_V" + F(f["Txt_Vrill_Saum_Final"]) + ".dat",
        p + "_Data_Troncon.txt",
    )


def _lignes(lignes):
    return "".join(l + "\r\n" for l in lignes).encode("cp1252")


def remp_virg_point(nb):
    return nb[:-6] + "." + nb[-5:]


def fichier_profil(titre, points, href_texte):
    xs = [x for x, _ in points]
    xmin = xmax = xs[0]
    for x in xs[1:]:
        if x < xmin:
            xmin = x
        if x > xmax:
            xmax = x
    c = xmax - xmin
    if c == 0:
        raise Refus("profil de corde nulle")
    lignes = [titre]
    for x, y in points:
        h = val(href_texte)
        xn = (xmax - x) / c
        yn = (y - h) / c
        fini(xn, yn)
        lignes.append(remp_virg_point(fmt(xn, "#0.00000")) + " "
                      + remp_virg_point(fmt(yn, "#0.00000")))
    return _lignes(lignes)


def fichiers_sortie(calc, nom_empl, nom_saum):
    f = calc.finals
    ch = calc.champs
    titre_e = ("Emplanture base " + ch["txt_prof_empl"] + " - Corde " + f["Txt_Corde_Final"]
               + "mm - Href " + f["Txt_Href_Empl_final"] + "mm - Vrillage "
               + f["Txt_Vrill_Empl_Final"] + "deg")
    titre_s = ("Saumon base " + ch["txt_prof_saum"] + " - Corde " + f["Txt_Corde_Final"]
               + "mm - Href " + f["Txt_Href_Saum_final"] + "mm - Longueur "
               + f["Txt_Lg_Final"] + "mm - Vrillage " + f["Txt_Vrill_Saum_Final"] + "deg")
    data = _lignes([
        "Profils généré par le programme Ortix (version 0.1.0)",
        "=" * 68,
        "  Longueur du tronçon   : " + f["Txt_Lg_Final"] + " mm",
        "  Flèche du tronçon     : 0.00 mm",
        "  Profil d'emplanture   : " + nom_empl,
        "    Corde               : " + f["Txt_Corde_Final"] + " mm",
        "    Haut. ligne de base : " + f["Txt_Href_Empl_final"] + " mm",
        "    Vrillage            : " + f["Txt_Vrill_Empl_Final"] + " °",
        "  Profil du saumon      : " + nom_saum,
        "    Corde               : " + f["Txt_Corde_Final"] + " mm",
        "    Haut. ligne de base : " + f["Txt_Href_Saum_final"] + " mm",
        "    Vrillage            : " + f["Txt_Vrill_Saum_Final"] + " °",
        " ",
        "-= [ EOF ]=-",
    ])
    empl = fichier_profil(titre_e, calc.proj_empl, f["Txt_Href_Empl_final"])
    saum = fichier_profil(titre_s, calc.proj_saum, f["Txt_Href_Saum_final"])
    return data, empl, saum


CLES_JSON = ("Txt_Lg_Final", "Txt_Fleche_Final", "Txt_Corde_Final",
             "Txt_Href_Empl_final", "Txt_Href_Saum_final", "Txt_Vrill_Empl_Final",
             "Txt_Vrill_Saum_Final", "Label32")
CLES_CANDIDATS = ("Txt_NOP", "Txt_Align", "txt_int", "txt_ext")


def traiter(donnees, opti):
    """Whole batch run of one project: returns the expected JSON texts and
    the three files {name: bytes}, or raises Refus."""
    p = lire_projet(donnees)
    calc = Calcul(p)
    calc.calculer()
    cand = calc.candidats()
    if opti is not None:
        if opti == "keep":
            texte = cand["Txt_NOP"]
        elif opti == "align":
            texte = cand["Txt_Align"]
        else:
            texte = melange(cand["txt_int"], int(opti.split("=")[1]), cand["txt_ext"])
        if texte == "":
            raise Refus("hauteur non définie")
        calc.champs["txt_href_saum"] = fmt(val(texte), "#0.00")
        calc.calculer()
    f = calc.finals
    noms = propose_noms(p["nom"], f["Txt_Corde_Final"], f["Txt_Lg_Final"], f)
    data, empl, saum = fichiers_sortie(calc, noms[0], noms[1])
    attendu = {k: f[k] for k in CLES_JSON}
    attendu.update(cand)
    attendu["Nb_Pts_Empl_Proj"] = len(calc.proj_empl)
    attendu["Nb_Pts_Saum_Proj"] = len(calc.proj_saum)
    attendu["name"] = p["nom"]
    fichiers = {noms[2]: data, noms[0]: empl, noms[1]: saum}
    return attendu, fichiers, [noms[2], noms[0], noms[1]]


# ---------------------------------------------------------------------------
# Random projects
# ---------------------------------------------------------------------------

def lire_dat(chemin):
    """Points of an airfoil file of the test data: lines of two numbers,
    other lines skipped; a Lednicer count line (two numbers above 1) too."""
    pts = []
    with open(chemin, encoding="latin-1") as f:
        for l in f:
            m = l.replace(",", " ").split()
            if len(m) != 2:
                continue
            try:
                x, y = float(m[0]), float(m[1])
            except ValueError:
                continue
            if x > 1.5:
                continue
            pts.append((x, y))
    return pts


def naca4(rng, n):
    m = rng.choice([0, 0, 0.02, 0.04, 0.06])
    p = rng.choice([0.3, 0.4, 0.5])
    t = rng.uniform(0.06, 0.2)
    ferme = rng.random() < 0.6
    k = max(3, n // 2)

    def surf(xc):
        yt = 5 * t * (0.2969 * math.sqrt(xc) - 0.1260 * xc - 0.3516 * xc ** 2
                      + 0.2843 * xc ** 3 - (0.1036 if ferme else 0.1015) * xc ** 4)
        if m == 0:
            yc = 0.0
        elif xc < p:
            yc = m / p ** 2 * (2 * p * xc - xc ** 2)
        else:
            yc = m / (1 - p) ** 2 * ((1 - 2 * p) + 2 * p * xc - xc ** 2)
        return yc + yt, yc - yt

    xs = [0.5 * (1 - cos(math.pi * i / (k - 1))) for i in range(k)]
    haut = [(x, surf(x)[0]) for x in xs]
    bas = [(x, surf(x)[1]) for x in xs]
    pts = list(reversed(haut)) + bas[1:]
    return pts[:n] if len(pts) > n else pts


def zigzag(rng):
    """A section whose abscissae go back and forth, often on a coarse grid so
    that equal abscissae meet: many stretches for the partner search."""
    n = rng.randint(10, 300)
    grille = rng.choice([0, 0.05, 0.125, 0.25])
    pts = [(1.0, 0.0)]
    for _ in range(n - 2):
        x = rng.random()
        if grille:
            x = round(x / grille) * grille
        pts.append((x, rng.uniform(-0.1, 0.1)))
    pts.append((1.0, rng.uniform(-0.01, 0.01)))
    return pts


def profil_aleatoire(rng, reels):
    r = rng.random()
    if r < 0.30:
        pts = list(rng.choice(reels))
    elif r < 0.91:
        pts = naca4(rng, rng.randint(20, 400))
    elif r < 0.96:
        pts = zigzag(rng)
    else:
        pts = naca4(rng, rng.randint(400, 1000))
    forme = rng.random()
    if forme < 0.15:
        pts = list(reversed(pts))  # lower surface first
    elif forme < 0.25:
        # leading edge to trailing edge, upper then lower (Lednicer order)
        i0 = min(range(len(pts)), key=lambda i: pts[i][0])
        haut = list(reversed(pts[:i0 + 1]))
        bas = pts[i0:]
        pts = haut + bas
    if rng.random() < 0.15:
        # first and last points at different abscissae
        pts[0] = (pts[0][0] - rng.uniform(0, 0.05), pts[0][1])
    if rng.random() < 0.15:
        pts[-1] = (pts[-1][0] - rng.uniform(0, 0.05), pts[-1][1])
    if rng.random() < 0.1:
        # a vertical segment somewhere
        i = rng.randrange(1, len(pts) - 2) if rng.random() < 0.9 else rng.randrange(0, len(pts) - 1)
        pts.insert(i + 1, (pts[i][0], pts[i][1] + rng.uniform(-0.01, 0.01)))
    if rng.random() < 0.03:
        # blunt trailing edge at one end
        if rng.random() < 0.5:
            pts.insert(0, (pts[0][0], pts[0][1] + 0.005))
        else:
            pts.append((pts[-1][0], pts[-1][1] - 0.005))
    if rng.random() < 0.05:
        pts = [(x * rng.uniform(0.5, 1.2), y) for x, y in pts]
    return pts[:1000]


def nombre_texte(rng, bas, haut, zero=0.05):
    if rng.random() < zero:
        return "0"
    dec = rng.randint(0, 3)
    v = round(rng.uniform(bas, haut), dec)
    t = f"{v:.{dec}f}"
    if t in ("-0", "-0.0", "-0.00", "-0.000"):
        t = t[1:]
    return t


def variante_texte(rng, t):
    """Occasionally the same number written in another way the reader takes."""
    r = rng.random()
    if r < 0.90:
        return t
    choix = [
        lambda: "  " + t,
        lambda: t + "  ",
        lambda: t + " mm",
        lambda: t.replace(".", ",") if "." in t else t + ",5",
        lambda: " ".join(t),
        lambda: "+" + t if not t.startswith("-") else t,
        lambda: t + "e0",
        lambda: t + "E+1",
        lambda: t + "e",
        lambda: t + "\t",
        lambda: "abc",
        lambda: "." + t.replace("-", "").replace(".", "") if "." not in t else t,
        lambda: t + ".",
    ]
    return rng.choice(choix)()


def format_point(rng, v, exotique):
    if exotique and rng.random() < 0.02:
        return rng.choice([repr(v), f"{v:.4e}", f"{v:.3f}"])
    return fmt(v, "#0.000000")


LETTRES = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789"
ACCENTS = "éèçàôœ€°ÉÇ"


def nom_aleatoire(rng, longueur, extras=""):
    alphabet = LETTRES + ACCENTS + extras
    return "".join(rng.choice(alphabet) for _ in range(longueur))


def projet_aleatoire(rng, idx, reels):
    exotique = rng.random() < 0.2
    L = nombre_texte(rng, 20, 2000, 0.02)
    if rng.random() < 0.03:
        L = nombre_texte(rng, -800, -20, 0)
    F = nombre_texte(rng, -600, 900, 0.12)
    Ce = nombre_texte(rng, 20, 600, 0.01)
    Cs = nombre_texte(rng, 10, 600, 0.02)
    He = nombre_texte(rng, -100, 100, 0.2)
    Hs = nombre_texte(rng, -100, 100, 0.2)
    grand = rng.random() < 0.1
    Te = nombre_texte(rng, -45 if grand else -10, 45 if grand else 10, 0.3)
    Ts = nombre_texte(rng, -45 if grand else -10, 45 if grand else 10, 0.3)
    pe = profil_aleatoire(rng, reels)
    ps = profil_aleatoire(rng, reels)
    # special panels where exact equalities meet
    cas = rng.random()
    if cas < 0.04:
        F = "0"
    elif cas < 0.08:
        Cs = Ce
    elif cas < 0.12:
        # a root point exactly on the tip trailing edge's abscissa
        F = "0"
        Cs = nombre_texte(rng, 10, 300, 0)
        Ce = fmt(2 * float(Cs), "#0.000").rstrip("0").rstrip(".")
        pe = naca4(rng, 2 * rng.randint(10, 150) + 1)
    elif cas < 0.15:
        ps = list(pe)
    elif cas < 0.17:
        Cs = "0"
    elif cas < 0.19:
        Te = Ts = "0"
    champs = [L, F, None, Ce, He, Te, None, Cs, Hs, Ts]
    if exotique:
        champs = [variante_texte(rng, c) if c is not None else None for c in champs]
    nom_e = nom_aleatoire(rng, rng.randint(1, 12), " ,'-") + ".dat"
    nom_s = nom_aleatoire(rng, rng.randint(1, 12), " ,'-") + ".dat"
    if rng.random() < 0.1:
        nom_e = "  " + nom_e
    champs[2], champs[6] = nom_e, nom_s
    projet = f"V{idx}" + (nom_aleatoire(rng, rng.randint(0, 6)) if rng.random() < 0.3 else "")
    lignes = ["Fichier projet - Programme Ortix - essai aléatoire", projet]
    lignes += champs[:10]
    for pts, lbl in ((pe, nom_aleatoire(rng, rng.randint(0, 20), " ,-%()")),
                     (ps, nom_aleatoire(rng, rng.randint(0, 20), " ,-%()"))):
        lignes.append(f" {len(pts)} ")
        lignes.append(lbl)
        sep = "  " if not (exotique and rng.random() < 0.1) else rng.choice([" ", ",", " , ", "\t"])
        for x, y in pts:
            lignes.append(format_point(rng, x, exotique) + sep + format_point(rng, y, exotique))
    return "".join(l + "\r\n" for l in lignes).encode("cp1252")


def _lignes_base(nom, **remplace):
    """Lines of a plain project (NACA 2412 of 61 points at both ends, the
    default fields), with some values replaced."""
    champs = {"titre": "Fichier projet - Programme Ortix - essai", "nom": nom,
              "L": "400", "F": "350", "pe": "naca.dat", "Ce": "400", "He": "20",
              "Te": "0", "ps": "naca.dat", "Cs": "100", "Hs": "20", "Ts": "0"}
    champs.update({k: v for k, v in remplace.items() if k in champs})
    pts = [(x, y) for x, y in _NACA_2412]
    lignes = [champs[k] for k in ("titre", "nom", "L", "F", "pe", "Ce", "He", "Te",
                                  "ps", "Cs", "Hs", "Ts")]
    for bout in ("e", "s"):
        pts_bout = remplace.get("pts" + bout, pts)
        lignes.append(remplace.get("compte" + bout, f" {len(pts_bout)} "))
        lignes.append(remplace.get("lbl" + bout, "NACA 2412"))
        for x, y in pts_bout:
            lignes.append(fmt(x, "#0.000000") + "  " + fmt(y, "#0.000000"))
    for n, l in remplace.get("lignes", {}).items():
        lignes[n - 1] = l
    return lignes


def _naca_2412():
    k = 31
    xs = [0.5 * (1 - math.cos(math.pi * i / (k - 1))) for i in range(k)]

    def surf(xc):
        t, m, p = 0.12, 0.02, 0.4
        yt = 5 * t * (0.2969 * math.sqrt(xc) - 0.1260 * xc - 0.3516 * xc ** 2
                      + 0.2843 * xc ** 3 - 0.1036 * xc ** 4)
        yc = (m / p ** 2 * (2 * p * xc - xc ** 2) if xc < p
              else m / (1 - p) ** 2 * ((1 - 2 * p) + 2 * p * xc - xc ** 2))
        return yc + yt, yc - yt

    pts = [(x, surf(x)[0]) for x in reversed(xs)] + [(x, surf(x)[1]) for x in xs[1:]]
    return [(float(fmt(x, "#0.000000")), float(fmt(y, "#0.000000"))) for x, y in pts]


_NACA_2412 = _naca_2412()

# Texts of a numeric field that the leading-number reader must take in a
# definite way, and values whose rounding sits on a half.
TEXTES_NOMBRES = [
    "1e", "1e+", "1E5", "1d2", "&H10", "-", "+", ".", "-.", "1.2.3", "1..2", "--1",
    "+-1", "1e-400", "0x10", "1 e 2", "\t5", "5\t", "1,5e2", "1.5e2.5", "1e2e3",
    "000012.50", ".5e1", "5.e1", "12 345.6 7", "1e+0", "-0", "-0.001", "2.675", "1.005",
    "0.125", "-0.125", "-2.675", "123456789012345678", "9.995", "-9.995", "99.995",
    "0.005", "-0.005", "1e-5", "4.35", "1.115", "8.345", "-0.0049", "0.045", "-0.045",
    "1e20", "12mm", "  -  3 . 5", "- 0", "1E-2", "1e02", "+.5", "-5.", "1,000.5",
    "1²", "²", "½", "1e400", "-1e400", "1e309", "4.9e-324", "2.2250738585072014e-308",
]


def projets_cibles():
    """Hand-made projects around the exact cases of the reader, the
    patterns and the file reader.  Returns (label, bytes) pairs."""
    cas = []

    def ajoute(nom, fin="\r\n", final=True, **remplace):
        lignes = _lignes_base(nom, **remplace)
        texte = fin.join(lignes) + (fin if final else "")
        cas.append((nom, texte.encode("cp1252")))

    n = 0
    for t in TEXTES_NOMBRES:
        for champ in ("He", "Te", "Ts", "F"):
            n += 1
            ajoute(f"C{n}", **{champ: t})
    for champ, t in [("Ce", "0.5"), ("Ce", "0.004"), ("Cs", "0.5"), ("L", "-400"),
                     ("F", "-0.001"), ("F", "1e-300"), ("F", "-1e-300"), ("L", "1e-300"),
                     ("F", "-350"), ("Cs", "400"), ("Cs", "800"), ("L", "3"), ("F", "0"),
                     ("Ce", "1e-3"), ("Te", "90"), ("Ts", "90"), ("Te", "-90"),
                     ("Ts", "180"), ("Te", "89.999"), ("Hs", "1e15"), ("F", "1e6"),
                     ("L", "0.001")]:
        n += 1
        ajoute(f"C{n}", **{champ: t})
    # the project file reader
    lecteur = [
        {"comptee": "61"}, {"comptee": "  61  "}, {"comptee": "\t61"}, {"comptee": "+61"},
        {"comptee": "061"}, {"comptee": "61.0"}, {"comptee": " 61 x"},
        {"L": "\t400"}, {"L": "   400   "}, {"pe": "   nom avec blancs.dat  "},
        {"pe": "\tnom.dat"}, {"pe": "a,b.dat"}, {"pe": ""}, {"lble": "   blancs avant"},
        {"lble": ""}, {"lble": "virgule, dedans"}, {"lble": '"entre guillemets"'},
        {"titre": "titre, avec virgule"}, {"titre": ""},
        {"lignes": {15: "1.000000,0.001260"}}, {"lignes": {15: "1.000000 , 0.001260"}},
        {"lignes": {15: " 1.000000  0.001260 "}}, {"lignes": {15: "1e0  0.00126"}},
        {"lignes": {15: "+1  0.00126"}}, {"lignes": {15: "1.  .00126"}},
        {"lignes": {15: "1.000000\t0.001260"}}, {"lignes": {15: "1.000000  0.001260  "}},
        {"lignes": {15: "1.000000"}}, {"lignes": {15: "1.000000  0.001260  7"}},
        {"lignes": {15: "1.000000  abc"}}, {"lignes": {15: ""}},
        {"lignes": {15: "1.000000  0,001260"}},
    ]
    for r in lecteur:
        n += 1
        ajoute(f"C{n}", **r)
    n += 1
    ajoute(f"C{n}", fin="\n")
    n += 1
    ajoute(f"C{n}", final=False)
    n += 1
    cas.append((f"C{n}", ("\r\n".join(_lignes_base(f"C{n}")) + "\r\n\r\nligne en trop\r\n")
                .encode("cp1252")))
    n += 1
    ajoute(f"   C{n}")
    n += 1
    ajoute(f"C{n}   ")
    n += 1
    ajoute(f"C{n}é€œ°")
    # smallest and largest sections
    n += 1
    ajoute(f"C{n}", ptse=[(1, 0), (0, 0.05), (1, 0)])
    n += 1
    ajoute(f"C{n}", ptss=[(1, 0), (0, 0.05), (1, 0)])
    n += 1
    ajoute(f"C{n}", ptse=[(1, 0), (0, 0)])
    grand = [(0.5 * (1 + math.cos(math.pi * i / 499)), 0.05 * math.sin(math.pi * i / 499))
             for i in range(500)]
    grand += [(x, -y) for x, y in reversed(grand[:-1])]
    grand = grand[:1000]
    n += 1
    ajoute(f"C{n}", ptse=grand, ptss=grand)
    n += 1
    ajoute(f"C{n}", ptse=grand)
    n += 1
    ajoute(f"C{n}", ptse=grand, Cs="400", F="0")
    for k in (997, 998, 999):
        n += 1
        ajoute(f"C{n}", ptse=grand[:k], ptss=grand[:k], Cs="400", F="0")
    # (huge heights or lengths would give file names longer than the system allows)
    for champ, t in [("Ce", "1e300"), ("Cs", "1e-300"), ("He", "1e12"), ("L", "1e12")]:
        n += 1
        ajoute(f"C{n}", **{champ: t})
    return cas


# ---------------------------------------------------------------------------
# Running the batch command and comparing
# ---------------------------------------------------------------------------

_ERREUR = re.compile(r"^ortix-batch : projet « (.*) » : (.*)$")


def lancer(batch, projets, dossier_sortie, opti):
    cmd = [batch, "--json", "-o", dossier_sortie]
    if opti is not None:
        cmd += ["--opti", opti]
    cmd += ["--"] + projets
    r = subprocess.run(cmd, capture_output=True)
    sorties = {}
    for l in r.stdout.decode("utf-8").splitlines():
        j = json.loads(l)
        sorties[j["project"]] = j
    erreurs = {}
    for l in r.stderr.decode("utf-8").splitlines():
        m = _ERREUR.match(l)
        if m:
            erreurs[m.group(1)] = m.group(2)
    return r.returncode, sorties, erreurs


def comparer_un(chemin, opti, dossier_sortie, sorties, erreurs):
    """Returns a list of mismatch descriptions for one project."""
    with open(chemin, "rb") as f:
        donnees = f.read()
    try:
        attendu, fichiers, ordre = traiter(donnees, opti)
        refus = None
    except Refus as e:
        refus = str(e)
    except (ZeroDivisionError, OverflowError, ValueError) as e:
        refus = "exception Python : " + repr(e)
    ecarts = []
    if refus is not None:
        if chemin in sorties:
            ecarts.append(f"refus attendu ({refus}) mais le programme a réussi")
        elif chemin not in erreurs:
            ecarts.append("refus sans message")
        return ecarts, refus
    if chemin not in sorties:
        ecarts.append(f"réussite attendue mais refus : {erreurs.get(chemin, '(pas de message)')}")
        return ecarts, None
    j = sorties[chemin]
    for k, v in attendu.items():
        if j.get(k) != v:
            ecarts.append(f"{k}: attendu {v!r}, obtenu {j.get(k)!r}")
    noms_obtenus = [os.path.basename(x) for x in j.get("files", [])]
    if noms_obtenus != ordre:
        ecarts.append(f"noms: attendu {ordre!r}, obtenu {noms_obtenus!r}")
    for nom, contenu in fichiers.items():
        p = os.path.join(dossier_sortie, nom)
        try:
            with open(p, "rb") as f:
                lu = f.read()
        except OSError:
            ecarts.append(f"fichier absent : {nom}")
            continue
        if lu != contenu:
            a = contenu.split(b"\r\n")
            b = lu.split(b"\r\n")
            for n, (x, y) in enumerate(zip(a, b)):
                if x != y:
                    ecarts.append(f"{nom} ligne {n + 1}: attendu {x!r}, obtenu {y!r}")
                    break
            else:
                ecarts.append(f"{nom}: longueurs {len(contenu)} / {len(lu)}")
    return ecarts, None


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    ap.add_argument("--batch", required=True, help="chemin de ortix-batch")
    ap.add_argument("--nombre", type=int, default=1000, help="nombre de projets aléatoires")
    ap.add_argument("--graine", type=int, default=1)
    ap.add_argument("--dossier", default="/tmp/verif", help="dossier de travail (vidé)")
    ap.add_argument("--lot", type=int, default=200, help="projets par appel")
    ap.add_argument("--projet", action="append", default=[],
                    help="vérifie aussi ce fichier projet (répétable)")
    ap.add_argument("--data", default=os.path.join(os.path.dirname(os.path.abspath(__file__)),
                                                    "..", "data"))
    args = ap.parse_args()

    rng = random.Random(args.graine)
    reels = []
    for nom in sorted(os.listdir(args.data)):
        if nom.endswith(".dat"):
            pts = lire_dat(os.path.join(args.data, nom))
            if len(pts) >= 3:
                reels.append(pts)
    if os.path.isdir(args.dossier):
        shutil.rmtree(args.dossier)
    dossier_proj = os.path.join(args.dossier, "projets")
    os.makedirs(dossier_proj)
    chemins = []
    for idx in range(args.nombre):
        c = os.path.join(dossier_proj, f"p{idx:05d}.ortix")
        with open(c, "wb") as f:
            f.write(projet_aleatoire(rng, idx, reels))
        chemins.append(c)
    for nom, donnees in projets_cibles():
        c = os.path.join(dossier_proj, "cible_" + nom.strip() + ".ortix")
        with open(c, "wb") as f:
            f.write(donnees)
        chemins.append(c)
    for c in args.projet:
        chemins.append(os.path.abspath(c))

    modes = [None, "keep", "align", "blend=0", "blend=100", "blend=37"]
    total = ecart_total = refus_total = 0
    raisons = collections.Counter()
    messages = collections.Counter()
    for opti in modes:
        nom_mode = opti or "simple"
        sortie = os.path.join(args.dossier, "sortie_" + nom_mode.replace("=", ""))
        os.makedirs(sortie)
        liste = chemins if opti is None else [c for c in chemins if rng.random() < 0.4]
        for debut in range(0, len(liste), args.lot):
            lot = liste[debut:debut + args.lot]
            code, sorties, erreurs = lancer(args.batch, lot, sortie, opti)
            attendu_code = 1 if erreurs else 0
            if code != attendu_code:
                print(f"[{nom_mode}] code de sortie {code}, attendu {attendu_code}")
            for c in lot:
                ecarts, refus = comparer_un(c, opti, sortie, sorties, erreurs)
                total += 1
                if refus is not None:
                    refus_total += 1
                    raisons[refus] += 1
                    if c in erreurs:
                        messages[erreurs[c]] += 1
                if ecarts:
                    ecart_total += 1
                    print(f"[{nom_mode}] {c}:")
                    for e in ecarts[:6]:
                        print("    " + e)
    # A single project per call: the exit status alone tells the outcome.
    for c in chemins[:20]:
        sortie = os.path.join(args.dossier, "sortie_seul")
        os.makedirs(sortie, exist_ok=True)
        r = subprocess.run([args.batch, "--json", "-o", sortie, "--", c], capture_output=True)
        try:
            traiter(open(c, "rb").read(), None)
            attendu_code = 0
        except Refus:
            attendu_code = 1
        if r.returncode != attendu_code or (attendu_code == 1 and not r.stderr):
            ecart_total += 1
            print(f"[seul] {c}: code {r.returncode}, attendu {attendu_code}")
    print("Refus attendus, par raison :")
    for r, n in raisons.most_common():
        print(f"  {n:6d}  {r}")
    print("Messages du programme pour ces refus :")
    for r, n in messages.most_common():
        print(f"  {n:6d}  {r}")
    print(f"{total} exécutions comparées, {refus_total} refus attendus, "
          f"{ecart_total} avec écart")
    return 1 if ecart_total else 0


if __name__ == "__main__":
    sys.exit(main())
