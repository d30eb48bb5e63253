#!/usr/bin/env python3
# Draws the narrator's parrot, part by part, into perroquet.svg (run it again after changing a shape).
import math

W, H = 160, 200
parts = []


def el(id_, body):
    parts.append(f'<g id="{id_}">{body}</g>')


def ellipse_band(cx, cy, rx, ry, y0, y1, steps=24):
    """The slice of an ellipse between two heights, as a closed path."""
    def x_at(y):
        d = 1 - ((y - cy) / ry) ** 2
        return rx * math.sqrt(max(d, 0))
    ys = [y0 + (y1 - y0) * i / steps for i in range(steps + 1)]
    left = [(cx - x_at(y), y) for y in ys]
    right = [(cx + x_at(y), y) for y in reversed(ys)]
    pts = left + right
    return 'M' + ' L'.join(f'{x:.2f},{y:.2f}' for x, y in pts) + ' Z'


ink = '#2b1d14'
# the coil of rope the parrot stands on
el('cordage',
   f'<ellipse cx="80" cy="190" rx="46" ry="8" fill="#b08850" stroke="{ink}" stroke-width="1.5"/>'
   f'<ellipse cx="80" cy="186" rx="38" ry="6" fill="#c9a36a" stroke="{ink}" stroke-width="1.2"/>'
   f'<path d="M48,188 Q80,196 112,188" fill="none" stroke="#8a6536" stroke-width="1.2"/>'
   f'<path d="M52,184 Q80,191 108,184" fill="none" stroke="#8a6536" stroke-width="1"/>')
# tail feathers: scarlet with blue tips, behind everything else of the bird
el('queue',
   f'<path d="M64,148 L28,182 L36,190 L74,158 Z" fill="#1e63c8" stroke="{ink}" stroke-width="1.5"/>'
   f'<path d="M68,152 L38,192 L48,196 L78,160 Z" fill="#e53224" stroke="{ink}" stroke-width="1.5"/>'
   f'<path d="M72,156 L54,198 L64,198 L82,162 Z" fill="#f4c020" stroke="{ink}" stroke-width="1.5"/>')
# the far wing, mostly hidden behind the body
el('aile_arriere',
   f'<path d="M104,100 Q124,118 118,160 Q108,150 100,126 Z" fill="#1e63c8" stroke="{ink}" stroke-width="1.5"/>')
# feet holding the rope
el('pattes',
   f'<path d="M66,168 L64,184 M64,184 L58,187 M64,184 L66,188 M64,184 L70,187" stroke="#6d6d6d" stroke-width="3.5" stroke-linecap="round" fill="none"/>'
   f'<path d="M94,168 L96,184 M96,184 L90,187 M96,184 L96,188 M96,184 L102,187" stroke="#6d6d6d" stroke-width="3.5" stroke-linecap="round" fill="none"/>')
# body: green plumage, then the blue-and-white striped sailor's shirt over the belly
cx, cy, rx, ry = 80, 128, 34, 44
body = f'<ellipse cx="{cx}" cy="{cy}" rx="{rx}" ry="{ry}" fill="#2fb344" stroke="{ink}" stroke-width="2"/>'
y = 104.0
i = 0
while y < cy + ry - 0.5:
    y1 = min(y + 7, cy + ry - 0.5)
    colour = '#f7f7f2' if i % 2 == 0 else '#1d3b8f'
    body += f'<path d="{ellipse_band(cx, cy, rx - 1, ry - 1, y, y1)}" fill="{colour}"/>'
    y = y1
    i += 1
body += f'<ellipse cx="{cx}" cy="{cy}" rx="{rx}" ry="{ry}" fill="none" stroke="{ink}" stroke-width="2"/>'
# the shirt's collar and the red neckerchief
body += (f'<path d="M56,102 Q80,114 104,102 L100,110 Q80,120 60,110 Z" fill="#1d3b8f" stroke="{ink}" stroke-width="1.2"/>'
         f'<path d="M72,108 L88,108 L80,124 Z" fill="#d62828" stroke="{ink}" stroke-width="1.2"/>'
         f'<circle cx="80" cy="109" r="3" fill="#d62828" stroke="{ink}" stroke-width="1"/>')
el('corps', body)
# the near wing, which waves: green, a yellow band, blue flight feathers
el('aile',
   f'<path d="M58,100 Q40,118 44,160 Q50,170 58,160 Q66,130 66,108 Z" fill="#2fb344" stroke="{ink}" stroke-width="1.8"/>'
   f'<path d="M49,128 Q58,126 63,124 L62,136 Q54,138 47,142 Z" fill="#f4c020"/>'
   f'<path d="M46,144 Q54,140 61,138 Q58,154 56,162 Q50,168 45,160 Z" fill="#1e63c8" stroke="{ink}" stroke-width="1.2"/>'
   f'<path d="M50,150 L56,161 M47,152 L51,164" stroke="{ink}" stroke-width="1" fill="none"/>')
# head: scarlet, with the macaw's white cheek
el('tete',
   f'<circle cx="84" cy="64" r="30" fill="#e53224" stroke="{ink}" stroke-width="2"/>'
   f'<ellipse cx="96" cy="66" rx="13" ry="12" fill="#fbf4ea"/>'
   f'<path d="M88,72 Q94,75 100,73 M90,76 Q95,78 100,77" stroke="#c9b9a4" stroke-width="1" fill="none"/>')
el('oeil_ouvert',
   f'<circle cx="96" cy="60" r="6.5" fill="#ffffff" stroke="{ink}" stroke-width="1.5"/>'
   f'<circle cx="98" cy="60" r="3.6" fill="#1a1a1a"/>'
   f'<circle cx="99.3" cy="58.6" r="1.2" fill="#ffffff"/>')
el('oeil_ferme',
   f'<path d="M89.5,60 Q96,65 102.5,60" fill="none" stroke="{ink}" stroke-width="2" stroke-linecap="round"/>')
# the patch over the other eye and its strap
el('bandeau',
   f'<path d="M58,44 Q84,56 112,78" fill="none" stroke="#111111" stroke-width="2.5"/>'
   f'<ellipse cx="72" cy="60" rx="8" ry="9" fill="#111111"/>')
# inside of the beak, seen when it opens
el('bouche', '<path d="M104,70 L120,78 L108,84 Z" fill="#6b1111"/>')
# lower beak, which turns about its hinge to speak
el('bec_bas', f'<path d="M104,72 Q114,78 121,80 Q116,90 106,86 Q102,80 104,72 Z" fill="#3a3a3a" stroke="{ink}" stroke-width="1.5"/>')
el('bec_haut',
   f'<path d="M100,52 Q120,48 130,66 Q134,80 124,92 Q124,82 118,78 Q110,76 102,74 Z" fill="#f2e3c6" stroke="{ink}" stroke-width="2"/>'
   f'<path d="M126,82 Q130,86 124,92" fill="none" stroke="#3a3a3a" stroke-width="3"/>')
# navy bicorne with gold trim and a cockade
el('bicorne',
   f'<path d="M44,44 Q52,8 84,6 Q116,8 124,42 Q104,32 84,33 Q64,32 44,44 Z" fill="#1a2a5a" stroke="{ink}" stroke-width="2"/>'
   f'<path d="M44,44 Q64,32 84,33 Q104,32 124,42" fill="none" stroke="#e8b923" stroke-width="3"/>'
   f'<circle cx="84" cy="22" r="6" fill="#1d3b8f" stroke="#e8b923" stroke-width="1"/>'
   f'<circle cx="84" cy="22" r="4" fill="#ffffff"/>'
   f'<circle cx="84" cy="22" r="2" fill="#d62828"/>')

svg = (f'<?xml version="1.0" encoding="UTF-8"?>\n'
       f'<svg xmlns="http://www.w3.org/2000/svg" version="1.2" baseProfile="tiny" '
       f'width="{W}" height="{H}" viewBox="0 0 {W} {H}">\n'
       f'<title>Corsabord: the narrator parrot</title>\n' + '\n'.join(parts) + '\n</svg>\n')
open('perroquet.svg', 'w').write(svg)
