#!/usr/bin/python3
# What a screen reader finds in the running game over AT-SPI: both battle boards and the harbour's board
# named, each a grid of 144 cells, "Notre flotte" described from the start, the nine berths named with
# their state, the parrot's balloon text; after an arrow key the new sector on the harbour's board and
# the balloon's new text, each with exactly one of the events Orca listens to, and one focus event for the
# new sector's cell; the berths reached by Tab; on the voice screen, a focus event for the first voice highlighted by Down, and no voice left
# focused once the screen is closed; in battle, no focus moving while a shot plays out, and "Notre flotte"
# reached by Tab with its cell focused. Prints the tree; exit 0 when all is there.
#   lecteur_ecran.py  (run by tools/lecteur_ecran.sh, which starts the game and the AT-SPI bus)
import sys
import time

import pyatspi
from gi.repository import GLib

PERSONNAGE_ATTENDU = "amiral"
POSTES = ["Vaisseau amiral", "Frégate", "Brick 1", "Brick 2", "Galère 1", "Galère 2",
          "Chaloupe 1", "Chaloupe 2", "Chaloupe 3"]
fautes = []
evenements = []


def attendre(condition, secondes=20.0):
    fin = time.monotonic() + secondes
    while time.monotonic() < fin:
        while GLib.MainContext.default().iteration(False):
            pass
        resultat = condition()
        if resultat:
            return resultat
        time.sleep(0.05)
    return None


def tous(objet, profondeur=0):
    yield objet, profondeur
    for i in range(objet.childCount):
        enfant = objet.getChildAtIndex(i)
        if enfant is not None:
            yield from tous(enfant, profondeur + 1)


def le_jeu():
    bureau = pyatspi.Registry.getDesktop(0)
    for i in range(bureau.childCount):
        app = bureau.getChildAtIndex(i)
        if app is not None and app.name == "Corsabord":
            noms = {o.name for o, _ in tous(app) if o.getRole() == pyatspi.ROLE_FRAME}
            if "Corsabord — Au port" in noms:
                return app
    return None


def trouver(app, role, nom):
    for o, _ in tous(app):
        if o.getRole() == role and o.name == nom:
            return o
    return None


def verifier(condition, message):
    if not condition:
        fautes.append(message)


app = attendre(le_jeu)
if app is None:
    print("lecteur_ecran: le jeu n'apparaît pas sur le bus d'accessibilité, ou pas au port", file=sys.stderr)
    sys.exit(1)


def bulle():
    for o, _ in tous(app):
        if o.getRole() == pyatspi.ROLE_LABEL and PERSONNAGE_ATTENDU in o.name:
            return o
    return None


focus = []


def ecouter(evenement):
    if evenement.type.startswith("object:state-changed:focused"):
        if evenement.detail1:
            focus.append(evenement.source)
        return
    evenements.append((evenement.type, evenement.source.name, evenement.source.description))


pyatspi.Registry.registerEventListener(ecouter, "object:property-change:accessible-description",
                                       "object:property-change:accessible-name",
                                       "object:state-changed:focused")


def attendre_un_peu(secondes=1.0):
    """Lets late events arrive, a second event for the same change among them."""
    attendre(lambda: False, secondes)


def touche(keysym, controle=False):
    if controle:
        pyatspi.Registry.generateKeyboardEvent(4, None, pyatspi.KEY_LOCKMODIFIERS)  # Control
    pyatspi.Registry.generateKeyboardEvent(keysym, None, pyatspi.KEY_SYM)
    if controle:
        pyatspi.Registry.generateKeyboardEvent(4, None, pyatspi.KEY_UNLOCKMODIFIERS)


def compter(type_, nom, debut=""):
    return sum(1 for t, n, d in evenements if t.endswith(type_) and (n == nom if nom else n.startswith(debut)))

for nom in ("Notre flotte", "Flotte ennemie", "Plan de la flotte"):
    verifier(trouver(app, pyatspi.ROLE_CANVAS, nom) is not None, f"plateau « {nom} » introuvable")
notre_flotte = trouver(app, pyatspi.ROLE_CANVAS, "Notre flotte")
verifier(notre_flotte is not None and " : " in notre_flotte.description,
         "« Notre flotte » sans description avant le premier tir ennemi")
for nom in POSTES:
    verifier(trouver(app, pyatspi.ROLE_PUSH_BUTTON, f"{nom}, à quai") is not None,
             f"poste « {nom} » introuvable ou sans son état")
verifier(attendre(bulle) is not None, "texte de la bulle du perroquet introuvable")
for nom in ("Notre flotte", "Flotte ennemie", "Plan de la flotte"):
    plateau = trouver(app, pyatspi.ROLE_CANVAS, nom)
    cases = [plateau.getChildAtIndex(i) for i in range(plateau.childCount)] if plateau is not None else []
    cases = [c for c in cases if c is not None and c.getRole() == pyatspi.ROLE_TABLE_CELL]
    verifier(len(cases) == 144 and cases[0].name.startswith("A1 : ") and cases[-1].name.startswith("L12 : "),
             f"« {nom} » n'a pas ses 144 cases de A1 à L12")

# An arrow key on the harbour's board: the pointer over it gives it the keys (no window manager here).
plan = trouver(app, pyatspi.ROLE_CANVAS, "Plan de la flotte")
if plan is not None:
    avant = plan.description
    x, y, l, h = plan.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    pyatspi.Registry.generateMouseEvent(x + l // 2, y + h // 2, pyatspi.MOUSE_ABS)
    pyatspi.Registry.generateMouseEvent(x + l // 2, y + h // 2, "b1c")
    attendre(lambda: plan.getState().contains(pyatspi.STATE_FOCUSED), 5)
    avant = plan.description
    del evenements[:]
    pyatspi.Registry.generateKeyboardEvent(0xFF54, None, pyatspi.KEY_SYM)  # Down
    apres = attendre(lambda: plan.description != avant and plan.description, 5)
    verifier(bool(apres) and " : " in apres, f"le secteur ne suit pas la flèche: « {avant} » puis « {plan.description} »")
    # The parrot names the new sector ("F.7. ..."), and the balloon says so.
    secteur = (apres or "").split(" : ")[0]
    dit = f"{secteur[:1]}.{secteur[1:]}."
    attendre(lambda: compter("accessible-name", None, dit), 5)
    attendre_un_peu()
    n = compter("accessible-description", "Plan de la flotte")
    verifier(n == 1, f"{n} événements pour le nouveau secteur au lieu d'un")
    n = compter("accessible-name", None, dit)
    verifier(n == 1, f"{n} événements pour le texte de la bulle qui annonce {dit} au lieu d'un")
    n = sum(1 for o in focus if o.getRole() == pyatspi.ROLE_TABLE_CELL and o.name == apres)
    verifier(n == 1, f"{n} événements de focus pour la case « {apres} » au lieu d'un")

    # Tab goes on to the berths, each said with its state, and Shift+Tab back to the sea.
    del focus[:]
    touche(0xFF09)  # Tab
    attendre(lambda: focus, 5)
    verifier([o.name for o in focus] == ["Vaisseau amiral, à quai"],
             f"Tab depuis la mer du port: {[o.name for o in focus]} au lieu du premier poste")
    touche(0xFE20)  # Shift+Tab
    verifier(attendre(lambda: plan.getState().contains(pyatspi.STATE_FOCUSED), 5), "Maj+Tab ne revient pas à la mer du port")

    # Ctrl+R says the same words again: a screen reader is told them again, once for each press.
    texte = bulle().name if bulle() is not None else ""
    del evenements[:]
    for _ in range(2):
        touche(ord("r"), controle=True)
        attendre_un_peu(0.5)
    n = compter("accessible-name", texte)
    verifier(n == 2, f"{n} événements pour « {texte} » répété deux fois par Ctrl+R au lieu de deux")

    # The voice screen: the first Down highlights the first voice, and a screen reader hears of it.
    touche(ord("v"), controle=True)
    liste = attendre(lambda: next((o for o, _ in tous(app) if o.getRole() == pyatspi.ROLE_LIST and o.name == "Voix"
                                   and o.getState().contains(pyatspi.STATE_SHOWING)), None), 5)
    verifier(liste is not None, "Ctrl+V : pas de liste des voix à l'écran")
    if liste is not None:
        attendre(lambda: liste.getState().contains(pyatspi.STATE_FOCUSED), 5)
        attendre_un_peu()
        del focus[:]
        touche(0xFF54)  # Down
        premiere = attendre(lambda: next((o for o in focus if o.getRole() == pyatspi.ROLE_LIST_ITEM), None), 5)
        verifier(premiere is not None and premiere.getIndexInParent() == 0,
                 "le premier Bas dans la liste des voix ne donne pas le focus à la première voix")
        # A step of speed is told once, as the screen's own voice says it.
        del evenements[:]
        touche(0xFF53)  # Right
        attendre(lambda: compter("accessible-name", None, "Vitesse "), 5)
        attendre_un_peu()
        n = compter("accessible-name", None, "Vitesse ")
        verifier(n == 1, f"écran des voix : {n} annonces de la vitesse au lieu d'une")
        touche(0xFF1B)  # Escape
        attendre(lambda: not liste.getState().contains(pyatspi.STATE_SHOWING), 5)
        attendre_un_peu()
        try:
            encore = premiere is not None and premiere.getState().contains(pyatspi.STATE_FOCUSED)
        except Exception:
            encore = False  # gone with the closed screen
        verifier(not encore, "la voix surlignée se dit encore focalisée, l'écran des voix fermé")

    # In battle, our own sea is reached by Tab and read like the others. Without a window manager the
    # keys follow the pointer's clicks: on the harbour's board, then on the battle screen's sea.
    def cliquer(x, y):
        pyatspi.Registry.generateMouseEvent(x, y, pyatspi.MOUSE_ABS)
        pyatspi.Registry.generateMouseEvent(x, y, "b1c")

    cliquer(x + l // 2, y + h // 2)
    attendre(lambda: plan.getState().contains(pyatspi.STATE_FOCUSED), 5)
    attendre_un_peu()
    del evenements[:]
    touche(ord("t"), controle=True)
    attendre_un_peu()
    n = compter("accessible-name", None, "Tous les navires sont en place")
    verifier(n == 1, f"Ctrl+T : {n} annonces de « Tous les navires sont en place » au lieu d'une")
    touche(ord("e"), controle=True)
    adverse = trouver(app, pyatspi.ROLE_CANVAS, "Flotte ennemie")
    attendre(lambda: adverse is not None and adverse.getState().contains(pyatspi.STATE_SHOWING), 5)
    bx, by, bl, bh = adverse.parent.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    cliquer(bx + 10, by + bh - 10)
    verifier(attendre(lambda: adverse.getState().contains(pyatspi.STATE_FOCUSED), 5),
             "Ctrl+T puis Ctrl+E : la flotte ennemie n'a pas les touches")
    # A shot: the enemy sea keeps the focus while it plays out, and nothing else takes it.
    attendre_un_peu()
    del focus[:]
    touche(0x20)  # Space
    attendre_un_peu(3)
    verifier(not focus and adverse.getState().contains(pyatspi.STATE_FOCUSED),
             f"le focus bouge pendant le tir: {[o.name for o in focus]}")
    touche(0xFF09)  # Tab
    verifier(notre_flotte is not None and attendre(lambda: notre_flotte.getState().contains(pyatspi.STATE_FOCUSED), 5),
             "Tab ne mène pas à « Notre flotte » en bataille")
    case = attendre(lambda: next((o for o in focus if o.getRole() == pyatspi.ROLE_TABLE_CELL), None), 5)
    verifier(case is not None and case.parent.name == "Notre flotte" and case.name == notre_flotte.description,
             "Tab vers « Notre flotte »: pas de focus sur la case du curseur")

for objet, profondeur in tous(app):
    if objet.name or objet.description:
        print("  " * profondeur + f"{objet.getRoleName()} « {objet.name} » {objet.description}")
for t, n, d in evenements:
    print(f"événement {t}: « {n} » {d}")
for faute in fautes:
    print("ÉCHEC:", faute, file=sys.stderr)
sys.exit(1 if fautes else 0)
