#!/usr/bin/env python3
"""Draws the Lesson Book's pictures as SVG files under resources/.

The pictures share the toolbar icons' look (dark slate outlines, soft vertical
gradients) so that the book, its tabs and the bars read as one program:

  bitmap/<n>.svg  page chrome of the seven formats (binding, corners, strips),
                  state marks 1084 and 1011, clock 1159, goal icon 1047, the
                  addendum icon 1028, asterisk markers 1001-1008
  icon/<n>.svg    activity kind icons 5000-5035, check mark 5002, dog ear 5016/5017
  cursor/1507.svg the pressing hand

Run it from anywhere; it rewrites the files it owns and nothing else.
"""
import os
import random

TOP = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", "..", ".."))
RES = os.path.join(TOP, "resources")

INK = "#2a3644"
GRADIENTS = {
    "paper": ("#ffffff", "#e6ebf1"),
    "blue": ("#6fa8ef", "#2f6fc9"),
    "green": ("#7fd08a", "#3d9b4c"),
    "amber": ("#ffd37a", "#e39a25"),
    "red": ("#f08a80", "#c9463c"),
    "teal": ("#6fd3c7", "#23998b"),
    "grey": ("#c9d2dc", "#8b98a8"),
    "purple": ("#c3a6f0", "#7d55c7"),
    "slate": ("#6b7a8c", "#34404e"),
    "gold": ("#ffe08a", "#d4a020"),
}


def defs(*names):
    out = []
    for n in names:
        a, b = GRADIENTS[n]
        out.append(f'<linearGradient id="{n}" x1="0" y1="0" x2="0" y2="1">'
                   f'<stop offset="0" stop-color="{a}"/><stop offset="1" stop-color="{b}"/></linearGradient>')
    return "<defs>" + "".join(out) + "</defs>" if out else ""


def write(kind, number, width, height, body, view=None):
    view = view or f"0 0 {width} {height}"
    svg = (f'<svg xmlns="http://www.w3.org/2000/svg" width="{width}" height="{height}" viewBox="{view}">\n'
           f"{body}\n</svg>\n")
    folder = os.path.join(RES, kind)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, f"{number}.svg"), "w") as f:
        f.write(svg)


S = f'stroke="{INK}" stroke-width="1.2" stroke-linejoin="round" stroke-linecap="round"'

# ---------------------------------------------------------------- kind icons (24-unit drawings shown at 16)

KIND_ICONS = {
    # 5001 lesson group: three books lying on each other
    5001: ("blue", "green", "amber", "paper"),
    5024: ("blue", "paper"),
    5028: ("paper", "blue"),
    5019: ("slate", "amber", "paper"),
    5031: ("paper", "amber", "red"),
    5033: ("paper", "blue", "teal", "grey"),
    5027: ("slate", "paper"),
    5035: ("paper", "blue", "amber", "green"),
    5015: ("paper", "blue"),
    5000: ("gold",),
    5030: ("amber", "paper", "green"),
    5021: ("red", "paper", "amber"),
    5023: ("paper", "green"),
    5018: ("green", "paper"),
    5022: ("blue", "paper"),
    5025: ("teal", "paper"),
    5032: ("red", "paper"),
    5034: ("purple", "paper"),
    5002: ("green",),
}


def kind_icon_body(n):
    if n == 5001:
        return (f'<rect x="3.5" y="15.5" width="17" height="4.5" rx="1" fill="url(#amber)" {S}/>'
                f'<rect x="5" y="10.5" width="15" height="4.5" rx="1" fill="url(#green)" {S}/>'
                f'<rect x="4" y="5.5" width="16" height="4.5" rx="1" fill="url(#blue)" {S}/>'
                f'<path d="M17 6.5v2.5M18.5 11.5v2.5M17.5 16.5v2.5" stroke="#fff" stroke-width="1.1"/>')
    if n == 5024:
        return (f'<path d="M6 3.5h12.5v17H6a2 2 0 0 1-2-2v-13a2 2 0 0 1 2-2z" fill="url(#blue)" {S}/>'
                f'<path d="M6 17.5h12.5v3H6a1.5 1.5 0 0 1 0-3z" fill="url(#paper)" {S}/>'
                f'<path d="M8 3.5v14" stroke="{INK}" stroke-width="1.2"/>'
                f'<path d="M10.5 8h5.5M10.5 10.5h4" stroke="#fff" stroke-width="1.3" stroke-linecap="round"/>')
    if n == 5028:
        return (f'<path d="M5.5 2.5h9l4.5 4.5v14.5h-13.5z" fill="url(#paper)" {S}/>'
                f'<path d="M14.5 2.5v4.5h4.5" fill="#dfe6ee" {S}/>'
                f'<path d="M8.5 10.5h7.5M8.5 13.5h7.5M8.5 16.5h5" stroke="#2f6fc9" stroke-width="1.3" stroke-linecap="round"/>')
    if n == 5019:
        return (f'<rect x="2.5" y="4.5" width="19" height="13" rx="2" fill="url(#slate)" {S}/>'
                f'<rect x="4.5" y="6.5" width="15" height="9" rx="1" fill="#eef3f8"/>'
                f'<path d="M10 8.3v5.4l4.8-2.7z" fill="url(#amber)" {S}/>'
                f'<path d="M8.5 20.5h7M12 17.5v3" {S} fill="none"/>')
    if n == 5031:
        return (f'<path d="M4.5 3.5h11v17h-11z" fill="url(#paper)" {S}/>'
                f'<path d="M7 8h6M7 11h6M7 14h3.5" stroke="#8b98a8" stroke-width="1.2" stroke-linecap="round"/>'
                f'<path d="M19.8 6.2l1.6 1.6-8.6 8.6-2.6 1 1-2.6z" fill="url(#amber)" {S}/>'
                f'<path d="M18.2 7.8l1.6 1.6" {S}/>'
                f'<path d="M19.8 6.2l1.6 1.6 0.9-0.9a1.1 1.1 0 0 0-1.6-1.6z" fill="url(#red)" {S}/>')
    if n == 5033:
        return (f'<rect x="2.5" y="3.5" width="14" height="14" rx="1.5" fill="url(#paper)" {S}/>'
                f'<path d="M5.5 15v-4M8.5 15v-7M11.5 15v-5" stroke="#2f6fc9" stroke-width="2" stroke-linecap="butt"/>'
                f'<circle cx="15" cy="14" r="4.3" fill="#e8f6f4" fill-opacity="0.85" {S}/>'
                f'<path d="M18.2 17.2l3.3 3.3" stroke="{INK}" stroke-width="2.4" stroke-linecap="round"/>')
    if n == 5027:
        holes = "".join(f'<rect x="{x}" y="5" width="2" height="2" rx="0.4" fill="#fff"/>'
                        f'<rect x="{x}" y="17" width="2" height="2" rx="0.4" fill="#fff"/>' for x in (4.5, 8.5, 12.5, 16.5))
        return (f'<rect x="2.5" y="3.5" width="19" height="17" rx="1.5" fill="url(#slate)" {S}/>{holes}'
                f'<rect x="5" y="8.5" width="6" height="7" rx="0.6" fill="#a9d0f5"/>'
                f'<rect x="13" y="8.5" width="6" height="7" rx="0.6" fill="#ffd37a"/>')
    if n == 5035:
        return (f'<rect x="2.5" y="3.5" width="19" height="17" rx="2" fill="url(#paper)" {S}/>'
                f'<path d="M6 8h12M6 12h12M6 16h12" stroke="#8b98a8" stroke-width="1.2" stroke-linecap="round"/>'
                f'<rect x="12" y="6" width="3" height="4" rx="1" fill="url(#blue)" {S}/>'
                f'<rect x="7.5" y="10" width="3" height="4" rx="1" fill="url(#amber)" {S}/>'
                f'<rect x="14.5" y="14" width="3" height="4" rx="1" fill="url(#green)" {S}/>')
    if n == 5015:
        return (f'<path d="M5.5 2.5h13v19h-13z" fill="url(#paper)" {S}/>'
                f'<rect x="5.5" y="2.5" width="13" height="4.5" fill="url(#blue)" {S}/>'
                f'<path d="M8 10h8M8 13h8M8 16h8M8 19h5" stroke="#8b98a8" stroke-width="1.2" stroke-linecap="round"/>')
    if n == 5000:
        return (f'<circle cx="12" cy="12" r="9.5" fill="url(#gold)" {S}/>'
                f'<path d="M12 6v12M6.8 9l10.4 6M6.8 15l10.4-6" stroke="#fff" stroke-width="2.4" stroke-linecap="round"/>'
                f'<path d="M12 6v12M6.8 9l10.4 6M6.8 15l10.4-6" stroke="#9a6b00" stroke-width="0.8" stroke-linecap="round"/>')
    if n == 5030:
        return (f'<rect x="4.5" y="4.5" width="15" height="17" rx="1.5" fill="url(#amber)" {S}/>'
                f'<rect x="6.5" y="6.5" width="11" height="13" fill="url(#paper)" {S}/>'
                f'<rect x="9" y="2.5" width="6" height="4" rx="1" fill="url(#paper)" {S}/>'
                f'<path d="M8.5 11l1.2 1.2 2-2.4M8.5 15.5l1.2 1.2 2-2.4" stroke="#3d9b4c" stroke-width="1.4" fill="none" stroke-linecap="round" stroke-linejoin="round"/>'
                f'<path d="M13 11h3M13 15.5h3" stroke="#8b98a8" stroke-width="1.2" stroke-linecap="round"/>')
    if n == 5021:
        return (f'<path d="M3 11.5l9-8 9 8" fill="url(#red)" {S}/>'
                f'<path d="M5.5 10v10.5h13V10" fill="url(#paper)" {S}/>'
                f'<rect x="10" y="14" width="4" height="6.5" fill="url(#amber)" {S}/>'
                f'<rect x="15" y="12" width="2.5" height="2.5" fill="#a9d0f5" stroke="{INK}" stroke-width="0.8"/>')
    if n == 5023:
        return (f'<path d="M9.5 2.5h5M10.5 2.5v6l-6 10.5a1.5 1.5 0 0 0 1.3 2.2h12.4a1.5 1.5 0 0 0 1.3-2.2l-6-10.5v-6" fill="url(#paper)" {S}/>'
                f'<path d="M7.3 14.5h9.4l2.4 4.3a1 1 0 0 1-0.9 1.5H5.8a1 1 0 0 1-0.9-1.5z" fill="url(#green)"/>'
                f'<circle cx="11" cy="17" r="0.9" fill="#fff"/><circle cx="14" cy="18.2" r="0.6" fill="#fff"/>')
    if n in (5018, 5022, 5025, 5032, 5034):
        colour = {5018: "green", 5022: "blue", 5025: "teal", 5032: "red", 5034: "purple"}[n]
        base = f'<rect x="2.5" y="2.5" width="19" height="19" rx="3" fill="url(#{colour})" {S}/>'
        if n == 5018:
            mark = ('<rect x="11" y="6" width="8" height="12" fill="#fff" opacity="0.9"/>'
                    '<path d="M11 10h8M11 14h8M15 6v12" stroke="#3d9b4c" stroke-width="0.9"/>'
                    '<path d="M5.5 7.5l4 9M9.5 7.5l-4 9" stroke="#fff" stroke-width="2" stroke-linecap="round"/>')
        elif n == 5022:
            mark = ''.join(f'<circle cx="{x}" cy="{y}" r="1.4" fill="#fff"/>' for x, y in
                           ((6.5, 16.5), (9, 13.5), (11, 14.5), (13, 10.5), (15.5, 9.5), (17.5, 6.5)))
            mark += '<path d="M5.5 18.5h13" stroke="#fff" stroke-width="1"/>'
        elif n == 5025:
            mark = ('<path d="M5.5 17V7.5l3.3 6 3.2-6V17" stroke="#fff" stroke-width="1.8" fill="none" stroke-linejoin="round"/>'
                    '<path d="M13.5 15l2-3.5 1.8 2 2-5" stroke="#fff" stroke-width="1.4" fill="none" stroke-linecap="round"/>')
        elif n == 5032:
            mark = ('<rect x="5.5" y="5.5" width="13" height="13" fill="#fff" opacity="0.92"/>'
                    '<path d="M5.5 9.5h13M5.5 13.5h13M10 5.5v13M14.5 5.5v13" stroke="#c9463c" stroke-width="0.9"/>')
        else:
            mark = '<path d="M16.5 6.5h-9l5 5.5-5 5.5h9" stroke="#fff" stroke-width="2" fill="none" stroke-linejoin="round" stroke-linecap="round"/>'
        return base + mark
    if n == 5002:
        return ('<path d="M4.5 12.5l5 5 10-11" stroke="#1f6b2c" stroke-width="4.6" fill="none" stroke-linecap="round" stroke-linejoin="round"/>'
                '<path d="M4.5 12.5l5 5 10-11" stroke="url(#green)" stroke-width="2.8" fill="none" stroke-linecap="round" stroke-linejoin="round"/>')
    raise KeyError(n)


def kind_icons():
    for n, grads in KIND_ICONS.items():
        write("icon", n, 16, 16, defs(*grads) + kind_icon_body(n), view="0 0 24 24")


# ---------------------------------------------------------------- marks, clock, goal, addendum, markers

def marks():
    # 1084 incomplete: an empty ring; 1011 completed: a green disc with a white check.
    write("bitmap", 1084, 22, 22,
          '<circle cx="11" cy="11" r="8.2" fill="#ffffff" stroke="#aeb8c4" stroke-width="2"/>'
          '<circle cx="11" cy="11" r="5.2" fill="none" stroke="#e3e8ee" stroke-width="1"/>')
    write("bitmap", 1011, 22, 22, defs("green") +
          f'<circle cx="11" cy="11" r="9" fill="url(#green)" stroke="#2b7a38" stroke-width="1.2"/>'
          '<path d="M6.6 11.3l3 3 5.9-6.4" stroke="#ffffff" stroke-width="2.4" fill="none" stroke-linecap="round" stroke-linejoin="round"/>')
    # 1159 the clock: bells, a bezel and feet; the dial itself is drawn by the program
    # in the middle (a 15-pixel disc).
    write("bitmap", 1159, 22, 22, defs("slate") +
          f'<path d="M3.2 6.4a3.2 3.2 0 0 1 4.2-4.1z" fill="#c9d2dc" stroke="{INK}" stroke-width="0.9"/>'
          f'<path d="M18.8 6.4a3.2 3.2 0 0 0-4.2-4.1z" fill="#c9d2dc" stroke="{INK}" stroke-width="0.9"/>'
          f'<path d="M6 19.6l-1.6 1.8M16 19.6l1.6 1.8" stroke="{INK}" stroke-width="1.4" stroke-linecap="round"/>'
          f'<circle cx="11" cy="11" r="9.6" fill="url(#slate)" stroke="{INK}" stroke-width="0.9"/>'
          '<circle cx="11" cy="11" r="8.1" fill="#fffbe6"/>')
    # 1047 the goal: a target with an arrow in its middle.
    write("bitmap", 1047, 16, 16, defs("red") +
          f'<circle cx="11" cy="13" r="9.5" fill="url(#red)" {S}/>'
          '<circle cx="11" cy="13" r="6.3" fill="#ffffff"/>'
          '<circle cx="11" cy="13" r="3.4" fill="#c9463c"/>'
          f'<path d="M11 13L21 3" stroke="{INK}" stroke-width="1.6" stroke-linecap="round"/>'
          f'<path d="M18 2.5h3.5V6" stroke="{INK}" stroke-width="1.4" fill="none" stroke-linecap="round" stroke-linejoin="round"/>',
          view="0 0 24 24")
    # 1028 the professor's addendum: a mortarboard over a note.
    write("bitmap", 1028, 32, 32, defs("paper", "slate", "gold") +
          f'<path d="M7.5 11.5h17v17.5h-17z" fill="url(#paper)" {S}/>'
          '<path d="M10.5 17h11M10.5 20.5h11M10.5 24h7" stroke="#2f6fc9" stroke-width="1.4" stroke-linecap="round"/>'
          f'<path d="M16 3l13 5-13 5-13-5z" fill="url(#slate)" {S}/>'
          f'<path d="M9 10.4v4.1c4 2.4 10 2.4 14 0v-4.1l-7 2.6z" fill="#34404e" {S}/>'
          f'<path d="M26 9v6.5" stroke="url(#gold)" stroke-width="1.6"/>'
          f'<circle cx="26" cy="16.5" r="1.6" fill="url(#gold)" stroke="#9a6b00" stroke-width="0.7"/>')
    # 1001-1008 asterisk markers, one colour per source.
    colours = ["#e4572e", "#2e86de", "#28a745", "#8e44ad", "#17a2b8", "#f39c12", "#e84393", "#5d6d7e"]
    for i, c in enumerate(colours):
        write("bitmap", 1001 + i, 16, 16,
              f'<rect x="1" y="1" width="14" height="14" rx="4" fill="{c}"/>'
              '<rect x="1" y="1" width="14" height="7" rx="4" fill="#ffffff" opacity="0.18"/>'
              '<path d="M8 3.8v8.4M4.4 5.9l7.2 4.2M4.4 10.1l7.2-4.2" stroke="#ffffff" stroke-width="1.8" stroke-linecap="round"/>')


def dog_ear():
    # The paper's bottom-right corner turned up along the diagonal: below the fold the
    # next page shows, above it the back of the turned corner casts its shadow.
    for n, pressed in ((5016, False), (5017, True)):
        under = "#cfd9e6" if not pressed else "#a9bdd6"
        back_a, back_b = ("#fffdf6", "#e4dccb") if not pressed else ("#f2ecdf", "#cfc3aa")
        body = (f'<defs><linearGradient id="back" x1="0" y1="0" x2="1" y2="1">'
                f'<stop offset="0" stop-color="{back_a}"/><stop offset="1" stop-color="{back_b}"/></linearGradient>'
                f'<linearGradient id="under" x1="1" y1="1" x2="0.4" y2="0.4">'
                f'<stop offset="0" stop-color="{under}"/><stop offset="1" stop-color="#eef2f7"/></linearGradient></defs>'
                '<path d="M32 4V32H4z" fill="url(#under)"/>'
                '<path d="M32 4V32H4" fill="none" stroke="#9aa8b8" stroke-width="1"/>'
                '<path d="M32 4L4 32 6 8z" fill="#000000" opacity="0.12" transform="translate(1.5 1.5)"/>'
                '<path d="M32 4L4 32 5.5 6.5z" fill="url(#back)" stroke="#a89c84" stroke-width="1" stroke-linejoin="round"/>'
                '<path d="M15 21.5h8.5M20.5 18.5l3 3-3 3" stroke="#8a7a5c" stroke-width="1.6" fill="none" '
                'stroke-linecap="round" stroke-linejoin="round" transform="rotate(-45 19 21.5) translate(-4 -3)"/>')
        write("icon", n, 32, 32, body)


def cursor():
    # 1507: a hand pressing, its fingertip at the middle of the 32-pixel cursor.
    write("cursor", 1507, 32, 32,
          '<path d="M16 16V7.5a1.8 1.8 0 0 1 3.6 0V15l.2-3a1.8 1.8 0 0 1 3.5.3v3.2l.2-1.7a1.7 1.7 0 0 1 3.3.4v6.3'
          'c0 4.3-2.8 7.5-7 7.5h-1.6c-2.4 0-4.2-1.1-5.5-3.1l-3.3-5.2a1.7 1.7 0 0 1 2.8-1.9L16 20z" '
          'fill="#ffffff" stroke="#1b2430" stroke-width="1.3" stroke-linejoin="round"/>'
          '<path d="M19.6 15v3M23.3 15.5v2.5M26.8 15.8v2.2" stroke="#1b2430" stroke-width="1" stroke-linecap="round"/>'
          '<circle cx="16" cy="16" r="2.4" fill="none" stroke="#2f6fc9" stroke-width="1.2"/>')


# ---------------------------------------------------------------- page chrome

def stop(offset, colour):
    """A gradient stop; "#rrggbbaa" becomes a colour and a stop-opacity, which every
    SVG renderer reads (the 8-digit form is drawn opaque by some)."""
    if len(colour) == 9:
        alpha = int(colour[7:], 16) / 255
        return f'<stop offset="{offset}" stop-color="{colour[:7]}" stop-opacity="{alpha:.3g}"/>'
    return f'<stop offset="{offset}" stop-color="{colour}"/>'


def grad(id_, a, b, horizontal=False):
    x2, y2 = ("1", "0") if horizontal else ("0", "1")
    return (f'<linearGradient id="{id_}" x1="0" y1="0" x2="{x2}" y2="{y2}">'
            f'{stop(0, a)}{stop(1, b)}</linearGradient>')


def grain(x0, y0, w, h, seed, count):
    """Leather grain: small dark and light flecks, the same in every run."""
    rnd = random.Random(seed)
    out = []
    for _ in range(count):
        x = x0 + rnd.random() * w
        y = y0 + rnd.random() * h
        r = 0.35 + rnd.random() * 0.7
        colour, opacity = ("#000000", 0.10 + rnd.random() * 0.12) if rnd.random() < 0.7 else ("#ffffff", 0.05 + rnd.random() * 0.06)
        out.append(f'<circle cx="{x:.2f}" cy="{y:.2f}" r="{r:.2f}" fill="{colour}" opacity="{opacity:.2f}"/>')
    return "".join(out)


def hatch(x0, y0, w, h, step=3):
    """Cloth tape: fine crossing threads inside the rectangle."""
    out = []
    for i in range(-int(h), int(w) + int(h), step):
        # one thread each way, cut to the rectangle
        ax, ay = x0 + i, y0
        bx, by = x0 + i + h, y0 + h
        if ax < x0:
            ay += x0 - ax
            ax = x0
        if bx > x0 + w:
            by -= bx - (x0 + w)
            bx = x0 + w
        if ay < by:
            out.append(f'<path d="M{ax} {ay}L{bx} {by}" stroke="#555555" stroke-width="0.5" opacity="0.6"/>')
        cx, cy = x0 + w - i, y0
        dx, dy = x0 + w - i - h, y0 + h
        if cx > x0 + w:
            cy += cx - (x0 + w)
            cx = x0 + w
        if dx < x0:
            dy -= x0 - dx
            dx = x0
        if cy < dy:
            out.append(f'<path d="M{cx} {cy}L{dx} {dy}" stroke="#555555" stroke-width="0.5" opacity="0.6"/>')
    return "".join(out)


def glow_line(d, colour):
    """A lit line: a wide faint stroke under a bright thin one."""
    return (f'<path d="{d}" stroke="{colour}" stroke-width="3" fill="none" opacity="0.25"/>'
            f'<path d="{d}" stroke="{colour}" stroke-width="1.6" fill="none" opacity="0.55"/>'
            f'<path d="{d}" stroke="#bff4ff" stroke-width="0.8" fill="none"/>')


def stack_lines(x0, y0, length, count, vertical, colours):
    """Edges of the stacked pages: thin lines one pixel apart."""
    out = []
    for i in range(count):
        c = colours[i % len(colours)]
        if vertical:
            x = x0 + i * 1.5 + 0.75
            out.append(f'<path d="M{x} {y0}v{length}" stroke="{c}" stroke-width="1"/>')
        else:
            y = y0 + i * 1.5 + 0.75
            out.append(f'<path d="M{x0} {y}h{length}" stroke="{c}" stroke-width="1"/>')
    return "".join(out)


def chrome_spiral():
    ids = (1126, 1123, 1125, 1124, 1127)
    cover = grad("cover", "#2d4566", "#1b2c44", True)
    cover_v = grad("coverv", "#2d4566", "#1b2c44")
    coil = grad("coil", "#f7f9fb", "#7d8896", True)
    stack = ["#d5dbe3", "#eef1f5", "#c4ccd6"]
    B, T, R, H = 46, 40, 28, 22
    # binding: cover band, its shadow on the paper, a punched hole and a coil loop
    write("bitmap", ids[0], B, T, f'<defs>{cover}{coil}{grad("sh", "#00000030", "#00000000", True)}</defs>'
          f'<rect width="14" height="{T}" fill="url(#cover)"/>'
          f'<rect x="14" width="{B-14}" height="{T}" fill="#ffffff"/>'
          f'<rect x="14" width="7" height="{T}" fill="url(#sh)"/>'
          '<ellipse cx="28" cy="21" rx="3.2" ry="3.6" fill="#3a4150"/>'
          '<ellipse cx="28" cy="21.6" rx="2.3" ry="2.6" fill="#1f242d"/>'
          '<path d="M4 26 C 4 14, 18 10, 28.5 19.5" stroke="#5a6372" stroke-width="4.2" fill="none" stroke-linecap="round"/>'
          '<path d="M4 26 C 4 14, 18 10, 28.5 19.5" stroke="url(#coil)" stroke-width="2.6" fill="none" stroke-linecap="round"/>'
          '<path d="M6 21.5 C 9 15.5, 16 13.5, 22 15" stroke="#ffffff" stroke-width="0.8" fill="none" opacity="0.8"/>')
    write("bitmap", ids[2], 40, H, f'<defs>{cover_v}</defs>'
          f'<rect width="40" height="2" fill="#ffffff"/>' + stack_lines(0, 2, 40, 4, False, stack) +
          f'<rect y="8" width="40" height="{H-8}" fill="url(#coverv)"/>'
          '<rect y="8" width="40" height="1" fill="#46618a"/>')
    write("bitmap", ids[4], R, T, f'<defs>{cover}</defs>'
          f'<rect width="2" height="{T}" fill="#ffffff"/>' + stack_lines(2, 0, T, 4, True, stack) +
          f'<rect x="8" width="{R-8}" height="{T}" fill="url(#cover)"/>'
          f'<rect x="8" width="1" height="{T}" fill="#46618a"/>')
    write("bitmap", ids[1], B, H, f'<defs>{cover_v}</defs>'
          f'<path d="M0 0h{B}v{H}H6a6 6 0 0 1-6-6z" fill="url(#coverv)"/>'
          f'<rect x="14" width="{B-14}" height="2" fill="#ffffff"/>' + stack_lines(14, 2, B - 14, 4, False, stack) +
          f'<rect x="14" y="8" width="{B-14}" height="1" fill="#46618a"/>')
    write("bitmap", ids[3], 40, H, f'<defs>{cover_v}</defs>'
          f'<path d="M0 0h40v{H-6}a6 6 0 0 1-6 6H0z" fill="url(#coverv)"/>'
          '<rect width="14" height="2" fill="#ffffff"/><rect x="12" width="2" height="2" fill="#ffffff"/>'
          + "".join(f'<path d="M0 {2+i*1.5+0.75}H{14+i*1.5+0.75}V0" stroke="{stack[i%3]}" stroke-width="1" fill="none"/>' for i in range(4)) +
          '<path d="M0 8.5H20.5V0" stroke="#46618a" stroke-width="1" fill="none"/>')


def chrome_leather():
    ids = (1065, 1062, 1064, 1063, 1066)
    B, T, R, H = 34, 48, 28, 22
    leather = grad("lea", "#8a5130", "#5b2f17", True)
    leather_v = grad("leav", "#8a5130", "#5b2f17")
    gilt = "#e3c27d"
    stitch = "#f1dca8"
    stack = ["#efe4cc", "#fbf6ea", "#e2d3b3"]
    write("bitmap", ids[0], B, T, f'<defs>{leather}{grad("sh", "#00000038", "#00000000", True)}</defs>'
          f'<rect width="28" height="{T}" fill="url(#lea)"/>' + grain(0, 0, 28, T, 11, 70) +
          f'<path d="M22.5 0v{T}" stroke="{gilt}" stroke-width="1"/>'
          f'<path d="M19.5 2v{T}" stroke="{stitch}" stroke-width="1.2" stroke-dasharray="4 3" opacity="0.9"/>'
          f'<rect x="28" width="{B-28}" height="{T}" fill="#ffffff"/>'
          f'<rect x="28" width="6" height="{T}" fill="url(#sh)"/>'
          f'<path d="M9 20l3 4-3 4-3-4z" fill="{gilt}" opacity="0.85"/>')
    write("bitmap", ids[2], 48, H, f'<defs>{leather_v}</defs>'
          '<rect width="48" height="2" fill="#ffffff"/>' + stack_lines(0, 2, 48, 4, False, stack) +
          f'<rect y="8" width="48" height="{H-8}" fill="url(#leav)"/>' + grain(0, 8, 48, H - 8, 12, 60) +
          f'<path d="M0 12.5h48" stroke="{gilt}" stroke-width="1"/>'
          f'<path d="M0 15.5h48" stroke="{stitch}" stroke-width="1.2" stroke-dasharray="4 3" opacity="0.9"/>')
    write("bitmap", ids[4], R, T, f'<defs>{leather}</defs>'
          f'<rect width="2" height="{T}" fill="#ffffff"/>' + stack_lines(2, 0, T, 4, True, stack) +
          f'<rect x="8" width="{R-8}" height="{T}" fill="url(#lea)"/>' + grain(8, 0, R - 8, T, 13, 60) +
          f'<path d="M12.5 0v{T}" stroke="{gilt}" stroke-width="1"/>'
          f'<path d="M15.5 0v{T}" stroke="{stitch}" stroke-width="1.2" stroke-dasharray="4 3" opacity="0.9"/>')
    # The corners wear darker leather protectors, tooled in gilt.
    write("bitmap", ids[1], B, H, f'<defs>{leather_v}</defs>'
          f'<rect x="28" width="{B-28}" height="2" fill="#ffffff"/>' + stack_lines(28, 2, B - 28, 4, False, stack) +
          f'<rect y="8" width="{B}" height="{H-8}" fill="url(#leav)"/>'
          f'<rect width="28" height="{H}" fill="url(#leav)"/>' + grain(0, 0, B, H, 14, 50) +
          f'<path d="M22.5 0v12.5H{B}" stroke="{gilt}" stroke-width="1" fill="none"/>'
          f'<path d="M19.5 0v15.5H{B}" stroke="{stitch}" stroke-width="1.2" stroke-dasharray="4 3" fill="none" opacity="0.9"/>'
          f'<path d="M0 {H-16}Q0 {H} 16 {H}H0z" fill="#3d1f0e"/>'
          f'<path d="M0 {H-22}L22 {H}H0z" fill="#3d1f0e" opacity="0.85"/>'
          f'<path d="M2.5 {H-17}L17 {H-2.5}" stroke="{gilt}" stroke-width="1"/>')
    write("bitmap", ids[3], 40, H, f'<defs>{leather_v}</defs>'
          '<rect width="20" height="2" fill="#ffffff"/>'
          + "".join(f'<path d="M0 {2+i*1.5+0.75}H{12+i*1.5+0.75}V0" stroke="{stack[i%3]}" stroke-width="1" fill="none"/>' for i in range(4)) +
          f'<path d="M0 8H18V0H40V{H}H0z" fill="url(#leav)"/>' + grain(0, 0, 40, H, 15, 40) +
          f'<path d="M0 12.5H24.5V0" stroke="{gilt}" stroke-width="1" fill="none"/>'
          f'<path d="M0 15.5H27.5V0" stroke="{stitch}" stroke-width="1.2" stroke-dasharray="4 3" fill="none" opacity="0.9"/>'
          f'<path d="M40 {H-22}L18 {H}H40z" fill="#3d1f0e" opacity="0.85"/>'
          f'<path d="M37.5 {H-17}L23 {H-2.5}" stroke="{gilt}" stroke-width="1"/>')


def chrome_plain():
    ids = (1157, 1154, 1156, 1155, 1158)
    B, T, R, H = 14, 32, 26, 14
    band = "#eef1f4"
    line = "#c3cad3"
    write("bitmap", ids[0], B, T, f'<rect width="{B}" height="{T}" fill="{band}"/><path d="M{B-0.5} 0v{T}" stroke="{line}"/>')
    write("bitmap", ids[2], 32, H, f'<rect width="32" height="{H}" fill="{band}"/><path d="M0 0.5h32" stroke="{line}"/>')
    write("bitmap", ids[4], R, T, f'<rect width="{R}" height="{T}" fill="{band}"/><path d="M0.5 0v{T}" stroke="{line}"/>')
    write("bitmap", ids[1], B, H, f'<rect width="{B}" height="{H}" fill="{band}"/><path d="M{B-0.5} 0v0.5h0.5" stroke="{line}" fill="none"/>')
    write("bitmap", ids[3], 30, H, f'<rect width="30" height="{H}" fill="{band}"/><path d="M0 0.5h4.5v-0.5" stroke="{line}" fill="none"/>')


def chrome_hightech():
    ids = (1051, 1048, 1050, 1049, 1052)
    B, T, R, H = 30, 40, 28, 22
    g = grad("gr", "#2f3a45", "#1d242b", True)
    gv = grad("grv", "#2f3a45", "#1d242b")
    cyan = "#36c5e0"
    write("bitmap", ids[0], B, T, f'<defs>{g}</defs>'
          f'<rect width="24" height="{T}" fill="url(#gr)"/>' + glow_line(f"M18.5 0v{T}", cyan) +
          f'<path d="M18.5 10h-7v12h-4" stroke="{cyan}" stroke-width="0.9" fill="none" opacity="0.75"/>'
          f'<circle cx="7.5" cy="22" r="1.8" fill="#1d242b" stroke="{cyan}" stroke-width="0.9"/>'
          f'<rect x="10" y="30" width="5" height="3" rx="0.6" fill="#3b4856" stroke="#5d7184" stroke-width="0.6"/>'
          f'<rect x="24" width="{B-24}" height="{T}" fill="#ffffff"/>'
          f'<rect x="24" width="2" height="{T}" fill="#d5e2ea"/>')
    ticks = "".join(f'<path d="M{x+0.5} 9v{4 if x % 20 else 7}" stroke="{cyan}" stroke-width="1" opacity="0.7"/>' for x in range(0, 40, 5))
    write("bitmap", ids[2], 40, H, f'<defs>{gv}</defs>'
          '<rect width="40" height="3" fill="#ffffff"/><rect y="3" width="40" height="2" fill="#d5e2ea"/>'
          f'<rect y="5" width="40" height="{H-5}" fill="url(#grv)"/>' + glow_line("M0 6.5h40", cyan) + ticks)
    write("bitmap", ids[4], R, T, f'<defs>{g}</defs>'
          f'<rect width="3" height="{T}" fill="#ffffff"/><rect x="3" width="2" height="{T}" fill="#d5e2ea"/>'
          f'<rect x="5" width="{R-5}" height="{T}" fill="url(#gr)"/>' + glow_line(f"M6.5 0v{T}", cyan))
    write("bitmap", ids[1], B, H, f'<defs>{gv}</defs>'
          f'<path d="M0 0h{B}v{H}H8L0 {H-8}z" fill="url(#grv)"/>'
          f'<rect x="24" width="{B-24}" height="3" fill="#ffffff"/><rect x="24" y="3" width="{B-24}" height="2" fill="#d5e2ea"/>'
          + glow_line(f"M18.5 0V6.5H{B}", cyan) +
          f'<path d="M0.5 {H-8}L8 {H-0.5}" stroke="{cyan}" stroke-width="1" opacity="0.6"/>')
    write("bitmap", ids[3], 40, H, f'<defs>{gv}</defs>'
          f'<path d="M0 0h40v{H-8}L32 {H}H0z" fill="url(#grv)"/>'
          '<rect width="17" height="3" fill="#ffffff"/><rect y="3" width="17" height="2" fill="#d5e2ea"/>'
          '<rect x="15" width="2" height="5" fill="#d5e2ea"/>' + glow_line("M0 6.5H18.5V0", cyan) +
          f'<path d="M39.5 {H-8}L32 {H-0.5}" stroke="{cyan}" stroke-width="1" opacity="0.6"/>'
          f'<circle cx="30" cy="13" r="1.6" fill="{cyan}" opacity="0.9"/>')


def chrome_notebook():
    ids = (1073, 1074, 1075, 1076, 1077)
    B, T, R, H = 40, 36, 28, 22
    tape = grad("tape", "#3a3a3a", "#1f1f1f", True)
    board = grad("board", "#b5ada0", "#948b7d", True)
    board_v = grad("boardv", "#b5ada0", "#948b7d")
    red = "#e06666"
    write("bitmap", ids[0], B, T, f'<defs>{tape}</defs>'
          f'<rect width="16" height="{T}" fill="url(#tape)"/>' + hatch(0, 0, 16, T) +
          f'<rect x="16" width="{B-16}" height="{T}" fill="#ffffff"/>'
          '<circle cx="25" cy="18" r="3.6" fill="#d9dde2"/><circle cx="25" cy="18.6" r="3" fill="#8e959d"/>'
          '<circle cx="25" cy="18.4" r="2.7" fill="#6b7178"/>'
          f'<path d="M36.5 0v{T}M38.5 0v{T}" stroke="{red}" stroke-width="1"/>')
    write("bitmap", ids[2], 36, H, f'<defs>{board_v}</defs>'
          '<rect width="36" height="3" fill="#ffffff"/><rect y="3" width="36" height="1" fill="#dedad3"/>'
          f'<rect y="4" width="36" height="{H-4}" fill="url(#boardv)"/>'
          '<path d="M0 4.5h36" stroke="#7d7467" stroke-width="1"/>')
    write("bitmap", ids[4], R, T, f'<defs>{board}</defs>'
          f'<rect width="3" height="{T}" fill="#ffffff"/><rect x="3" width="1" height="{T}" fill="#dedad3"/>'
          f'<rect x="4" width="{R-4}" height="{T}" fill="url(#board)"/>'
          f'<path d="M4.5 0v{T}" stroke="#7d7467" stroke-width="1"/>')
    write("bitmap", ids[1], B, H, f'<defs>{tape}{board_v}</defs>'
          f'<rect x="16" width="{B-16}" height="{H}" fill="url(#boardv)"/>'
          f'<rect x="16" width="{B-16}" height="3" fill="#ffffff"/><rect x="16" y="3" width="{B-16}" height="1" fill="#dedad3"/>'
          f'<path d="M16 4.5h{B-16}" stroke="#7d7467" stroke-width="1"/>'
          f'<path d="M36.5 0v3M38.5 0v3" stroke="{red}" stroke-width="1"/>'
          f'<path d="M0 0h16v{H}H5a5 5 0 0 1-5-5z" fill="url(#tape)"/>' + hatch(0, 0, 16, H - 5))
    write("bitmap", ids[3], 40, H, f'<defs>{board_v}</defs>'
          f'<path d="M0 0h40v{H-5}a5 5 0 0 1-5 5H0z" fill="url(#boardv)"/>'
          '<rect width="15" height="3" fill="#ffffff"/><rect y="3" width="16" height="1" fill="#dedad3"/>'
          '<rect x="15" width="1" height="4" fill="#dedad3"/>'
          '<path d="M0 4.5H16.5V0" stroke="#7d7467" stroke-width="1" fill="none"/>')


def chrome_stylish():
    ids = (1132, 1129, 1131, 1130, 1133)
    B, T, R, H = 30, 40, 28, 22
    teal = grad("teal", "#166673", "#0c3f49", True)
    teal_v = grad("tealv", "#166673", "#0c3f49")
    gold = "#c9a14a"
    gold2 = "#f1d68f"
    write("bitmap", ids[0], B, T, f'<defs>{teal}{grad("sh", "#00000030", "#00000000", True)}</defs>'
          f'<rect width="24" height="{T}" fill="url(#teal)"/>'
          f'<path d="M17.5 0v{T}M20.5 0v{T}" stroke="{gold}" stroke-width="1"/>'
          f'<path d="M9 14l4 6-4 6-4-6z" fill="none" stroke="{gold2}" stroke-width="1"/>'
          f'<circle cx="9" cy="20" r="1.3" fill="{gold2}"/>'
          f'<rect x="24" width="{B-24}" height="{T}" fill="#ffffff"/><rect x="24" width="5" height="{T}" fill="url(#sh)"/>')
    write("bitmap", ids[2], 40, H, f'<defs>{teal_v}</defs>'
          '<rect width="40" height="3" fill="#ffffff"/><path d="M0 3.5h40" stroke="#dfe9e8"/>'
          f'<rect y="4" width="40" height="{H-4}" fill="url(#tealv)"/>'
          f'<path d="M0 7.5h40M0 10.5h40" stroke="{gold}" stroke-width="1"/>')
    write("bitmap", ids[4], R, T, f'<defs>{teal}</defs>'
          f'<rect width="3" height="{T}" fill="#ffffff"/><path d="M3.5 0v{T}" stroke="#dfe9e8"/>'
          f'<rect x="4" width="{R-4}" height="{T}" fill="url(#teal)"/>'
          f'<path d="M7.5 0v{T}M10.5 0v{T}" stroke="{gold}" stroke-width="1"/>')

    def fan(cx, cy, flip):
        s = -1 if flip else 1
        rays = "".join(f'<path d="M{cx} {cy}l{s*r[0]} {-r[1]}" stroke="{gold2}" stroke-width="0.8"/>'
                       for r in ((9, 1.5), (8, 4.5), (6, 7), (3.5, 8.5), (0.5, 9)))
        return (f'<path d="M{cx} {cy}m{s*9.5} 0a9.5 9.5 0 0 0 {-s*9.5} -9.5" stroke="{gold}" stroke-width="1.2" fill="none"/>'
                + rays + f'<circle cx="{cx}" cy="{cy}" r="1.6" fill="{gold}"/>')
    write("bitmap", ids[1], B, H, f'<defs>{teal_v}</defs>'
          f'<rect width="{B}" height="{H}" fill="url(#tealv)"/>'
          f'<rect x="24" width="{B-24}" height="3" fill="#ffffff"/><path d="M24 3.5h{B-24}" stroke="#dfe9e8"/>'
          f'<path d="M17.5 0V10.5H{B}M20.5 0V7.5H{B}" stroke="{gold}" stroke-width="1" fill="none"/>' + fan(3, H - 3, False))
    write("bitmap", ids[3], 40, H, f'<defs>{teal_v}</defs>'
          f'<rect width="40" height="{H}" fill="url(#tealv)"/>'
          '<rect width="15" height="3" fill="#ffffff"/><path d="M0 3.5h15.5V0" stroke="#dfe9e8" fill="none"/>'
          f'<path d="M0 7.5H19.5V0M0 10.5H22.5V0" stroke="{gold}" stroke-width="1" fill="none"/>' + fan(37, H - 3, True))


def chrome_cream():
    ids = (1015, 1012, 1014, 1013, 1016)
    B, T, R, H = 18, 40, 28, 16
    tan = grad("tan", "#d9c3a0", "#c4a87d", True)
    tan_v = grad("tanv", "#d9c3a0", "#c4a87d")
    gutter = grad("gut", "#e7d9bf", "#ffffff", True)
    stack = ["#efe4d0", "#fbf6ec", "#e4d4b6"]
    write("bitmap", ids[0], B, T, f'<defs>{gutter}</defs><rect width="{B}" height="{T}" fill="url(#gut)"/>'
          f'<path d="M0.5 0v{T}" stroke="#cdb68f"/>')
    write("bitmap", ids[2], 40, H, f'<defs>{tan_v}</defs>'
          '<rect width="40" height="2" fill="#ffffff"/>' + stack_lines(0, 2, 40, 5, False, stack) +
          f'<rect y="9.5" width="40" height="{H-9.5}" fill="url(#tanv)"/>')
    write("bitmap", ids[4], R, T, f'<defs>{tan}</defs>'
          f'<rect width="2" height="{T}" fill="#ffffff"/>' + stack_lines(2, 0, T, 5, True, stack) +
          f'<rect x="9.5" width="{R-9.5}" height="{T}" fill="url(#tan)"/>')
    write("bitmap", ids[1], B, H, f'<defs>{gutter}{tan_v}</defs>'
          f'<rect width="{B}" height="2" fill="url(#gut)"/>' + stack_lines(0, 2, B, 5, False, stack) +
          f'<rect y="9.5" width="{B}" height="{H-9.5}" fill="url(#tanv)"/><path d="M0.5 0v9.5" stroke="#cdb68f"/>')
    # Drawn by no format (the cream book's bottom strip runs to its end); kept for the set.
    write("bitmap", ids[3], 40, H, f'<defs>{tan_v}</defs>'
          '<rect width="12" height="2" fill="#ffffff"/>'
          + "".join(f'<path d="M0 {2+i*1.5+0.75}H{12+i*1.5+0.75}V0" stroke="{stack[i%3]}" stroke-width="1" fill="none"/>' for i in range(5)) +
          f'<path d="M0 9.5H19.5V0H40V{H}H0z" fill="url(#tanv)"/>')


def main():
    kind_icons()
    marks()
    dog_ear()
    cursor()
    chrome_spiral()
    chrome_leather()
    chrome_plain()
    chrome_hightech()
    chrome_notebook()
    chrome_stylish()
    chrome_cream()


if __name__ == "__main__":
    main()
