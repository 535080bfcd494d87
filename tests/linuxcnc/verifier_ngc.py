#!/usr/bin/python3
# Every LinuxCNC G-code file under the folders given (the files the tests wrote,
# those that open with '%'), read by LinuxCNC's own interpreter: the module gcode
# of Debian's linuxcnc-uspace, as its preview uses it, through a canon that
# declares the axes X, Y, U and V. Fails on any interpreter error, on a cutting
# move outside inverse time, and on a canonical move that is not the tower point
# of the file's G0 or G1 line.
import os
import re
import sys
import tempfile

import gcode

POUCE = 25.4  # the canon's positions are in inches


class Canon:
    def __init__(self, dossier):
        self.parameter_file = os.path.join(dossier, "ortix.var")
        open(self.parameter_file, "w").close()
        self.temps_inverse = False
        self.mouvements = []  # (cutting, (x, y, u, v) in mm)
        self.fautes = []

    def get_axis_mask(self):
        return 1 | 2 | 64 | 128  # X, Y, U, V

    def get_tool(self, poche):
        return (poche,) + (0,) * 13

    def get_external_length_units(self):
        return 1 / POUCE

    def get_external_angular_units(self):
        return 1.0

    def get_block_delete(self):
        return False

    def comment(self, texte):
        if texte.startswith("interpreter: feed mode set to "):
            self.temps_inverse = texte.endswith("inverse time")

    def straight_feed(self, x, y, z, a, b, c, u, v, w):
        if not self.temps_inverse and not self.fautes:
            self.fautes.append("un mouvement de coupe hors du temps inverse (G93)")
        self.mouvements.append((True, tuple(POUCE * q for q in (x, y, u, v))))

    def straight_traverse(self, x, y, z, a, b, c, u, v, w):
        self.mouvements.append((False, tuple(POUCE * q for q in (x, y, u, v))))

    def __getattr__(self, nom):  # every other canonical call
        return lambda *arguments: None


def ecrits(chemin):
    """The G0 and G1 lines of the file: (cutting, (X, Y, U, V))."""
    l = []
    for ligne in open(chemin, encoding="ascii"):
        mots = dict(re.findall(r"([GXYUV])(-?[0-9.]+)", ligne.split("(")[0]))
        if mots.get("G") in ("0", "1"):
            l.append((mots["G"] == "1", tuple(float(mots[a]) for a in "XYUV")))
    return l


fichiers = [os.path.join(d, f) for racine in sys.argv[1:] for d, _, fs in os.walk(racine)
            for f in sorted(fs) if f.endswith(".ngc")]
fichiers = [f for f in fichiers if open(f, "rb").read(1) == b"%"]
fautes = []
for f in fichiers:
    canon = Canon(tempfile.mkdtemp())
    resultat, ligne = gcode.parse(f, canon, "", "", "")
    if resultat > gcode.MIN_ERROR:
        canon.fautes.append("ligne %d : %s" % (ligne, gcode.strerror(resultat)))
    attendus = ecrits(f)
    if len(canon.mouvements) != len(attendus):
        canon.fautes.append("%d mouvements lus pour %d écrits" % (len(canon.mouvements), len(attendus)))
    for (coupe, lu), (g1, ecrit) in zip(canon.mouvements, attendus):
        if coupe != g1 or max(abs(a - b) for a, b in zip(lu, ecrit)) > 1e-6:
            canon.fautes.append("lu %s au lieu de %s" % (lu, ecrit))
            break
    fautes += ["%s : %s" % (f, faute) for faute in canon.fautes]
print("%d fichiers LinuxCNC relus par l'interpréteur de LinuxCNC" % len(fichiers))
for faute in fautes:
    print(faute, file=sys.stderr)
sys.exit(1 if fautes or not fichiers else 0)
