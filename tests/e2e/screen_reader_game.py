#!/usr/bin/env python3
"""Plays a whole two-row game of the real program as a blind player's screen reader would:
through the accessibility tree alone. It finds the cards by their names, turns them by their
action, learns the pairs from the face-up names, hears each turn's outcome as a notification,
reads the counts, answers the end-of-game message boxes and leaves by File > Exit. On the way
it opens the About box from the Help menu, whose "press" must return before the box closes.

Usage: screen_reader_game.py <program>   (on an X server and a session bus of its own)
"""
import os
import re
import subprocess
import sys
import tempfile
import time

import pyatspi
from gi.repository import GLib

SETTINGS = """REGEDIT4

[HKEY_LOCAL_MACHINE\\Software\\Marrowquill Software\\Tessaloom]
"NumRows"=dword:00000002
"FlipSpeed"=dword:000001f4

"""
PLACE = re.compile(r"^(row \d, column \d), (.+)$")


class Failure(Exception):
    pass


def wait_for(what, condition, seconds=20):
    """Polls `condition` until it gives something, handling accessibility events meanwhile."""
    end = time.monotonic() + seconds
    context = GLib.MainContext.default()
    while True:
        while context.iteration(False):
            pass
        try:
            result = condition()
        except GLib.GError:  # an object went away while it was read: read again
            result = None
        if result:
            return result
        if time.monotonic() > end:
            raise Failure(f"no {what} within {seconds} s")
        time.sleep(0.02)


def descendants(accessible, depth=0):
    if accessible is None or depth > 12:
        return
    yield accessible
    for child in accessible:
        yield from descendants(child, depth + 1)


def find(root, role, name=None):
    for accessible in descendants(root):
        if accessible.getRole() == role and (name is None or accessible.name == name):
            return accessible
    return None


def press(accessible):
    action = accessible.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    name = accessible.name
    started = time.monotonic()
    try:
        action.doAction(names.index("Press"))
    except GLib.GError as error:  # no answer before the bus gave up
        raise Failure(f"pressing {name!r} never returned: {error}")
    # A press that waited for the modal window it opened to close would take seconds.
    if time.monotonic() - started > 2:
        raise Failure(f"pressing {name!r} waited for what it opened")


class Player:
    def __init__(self, program):
        self.heard = []
        pyatspi.Registry.registerEventListener(self.on_showing, "object:state-changed:showing")
        config = tempfile.mkdtemp()
        os.makedirs(os.path.join(config, "Marrowquill Software"))
        with open(os.path.join(config, "Marrowquill Software", "Tessaloom.reg"), "w") as settings:
            settings.write(SETTINGS)
        environment = dict(os.environ, XDG_CONFIG_HOME=config, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
        self.process = subprocess.Popen([program], env=environment)
        self.app = wait_for("program on the accessibility bus", self.own_application)
        self.window = wait_for("game window", lambda: find(self.app, pyatspi.ROLE_FRAME, "Tessaloom"))
        self.board = wait_for("cards", lambda: find(self.window, pyatspi.ROLE_PANEL, "Cards"))

    def own_application(self):
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.get_process_id() == self.process.pid:
                return app
        return None

    def on_showing(self, event):
        # A screen reader speaks a notification when it shows, wherever the focus is.
        if event.detail1 == 1 and event.source.getRole() == pyatspi.ROLE_NOTIFICATION:
            self.heard.append(event.source.name)

    def cards(self):
        """The cards on the board by their place, with what they show."""
        places = {}
        for card in self.board:
            match = PLACE.match(card.name or "")
            if not match or card.getRole() != pyatspi.ROLE_PUSH_BUTTON:
                raise Failure(f"a card named {card.name!r}")
            places[match.group(1)] = (card, match.group(2))
        return places

    def turn(self, place):
        press(self.cards()[place][0])
        face = wait_for(f"face of {place}", lambda: (self.cards()[place][1] != "face down") and self.cards()[place][1])
        return face

    def count(self, caption):
        """The name of the count label that reads as its caption and number."""
        for accessible in descendants(self.window):
            if accessible.getRole() == pyatspi.ROLE_LABEL and accessible.name.startswith(caption + " "):
                return accessible.name
        return None

    def message_box(self, text):
        """The program's message box that says `text`, if one is open."""
        for window in self.app:
            if window is not None and window.name == "Tessaloom" and window.getRole() != pyatspi.ROLE_FRAME:
                if any(a.getRole() == pyatspi.ROLE_LABEL and a.name == text for a in descendants(window)):
                    return window
        return None

    def answer_box(self, text):
        box = wait_for(f"message box {text!r}", lambda: self.message_box(text))
        press(find(box, pyatspi.ROLE_PUSH_BUTTON, "OK"))
        wait_for(f"message box {text!r} to close", lambda: self.message_box(text) is None)

    def play_game(self):
        known = {}  # place -> face label, learned from the names of turned cards
        tries = 0
        pairs_left = len(self.cards()) // 2
        while pairs_left > 0:
            on_board = self.cards()
            twins = [(a, b) for a in on_board for b in on_board if a < b and known.get(a) and known.get(a) == known.get(b)]
            if twins:
                first, second = twins[0]
                first_face, second_face = self.turn(first), self.turn(second)
            else:
                unknown = [p for p in on_board if p not in known]
                first = unknown[0]
                first_face = known[first] = self.turn(first)
                partner = [p for p in on_board if p != first and known.get(p) == first_face]
                second = partner[0] if partner else unknown[1]
                second_face = known[second] = self.turn(second)
            tries += 1
            if self.count("Tries:") != f"Tries: {tries}":
                raise Failure(f"{self.count('Tries:')!r} after {tries} tries")
            heard_before = len(self.heard)
            wait_for("the turn's outcome", lambda: len(self.heard) > heard_before)
            if first_face == second_face:
                pairs_left -= 1
                left = {0: "no pairs left", 1: "1 pair left"}.get(pairs_left, f"{pairs_left} pairs left")
                expected = f"pair of {first_face} found; {left}"
                known.pop(first), known.pop(second)
            else:
                expected = f"{first_face} and {second_face} turned back"
            if self.heard[-1] != expected:
                raise Failure(f"heard {self.heard[-1]!r}, expected {expected!r}")
            if pairs_left > 0:
                wait_for("the pair to be judged", lambda: first not in self.cards() or self.cards()[first][1] == "face down")
        return tries

    def run(self):
        press(find(self.window, pyatspi.ROLE_MENU_ITEM, "About..."))
        about = wait_for("About box", lambda: find(self.app, pyatspi.ROLE_DIALOG, "About Tessaloom"))
        press(find(about, pyatspi.ROLE_PUSH_BUTTON, "OK"))
        wait_for("the About box to close", lambda: find(self.app, pyatspi.ROLE_DIALOG, "About Tessaloom") is None)

        tries = self.play_game()
        self.answer_box(f"You completed the puzzle in {tries} tries.")
        self.answer_box("You got the record number of tries!")
        wait_for("a new deal", lambda: len(self.cards()) == 8 and all(f == "face down" for _, f in self.cards().values()))
        if self.count("Record:") != f"Record: {tries}":
            raise Failure(f"{self.count('Record:')!r} after a game of {tries} tries")

        press(find(self.window, pyatspi.ROLE_MENU_ITEM, "Exit"))
        wait_for("the program to end", lambda: self.process.poll() is not None)
        if self.process.returncode != 0:
            raise Failure(f"exit status {self.process.returncode}")
        print(f"PASS: a two-row game played over the accessibility tree in {tries} tries")


def main():
    player = None
    try:
        player = Player(sys.argv[1])
        player.run()
        return 0
    except Failure as failure:
        print(f"FAIL: {failure}; heard {player.heard if player else []}")
        return 1
    finally:
        if player and player.process.poll() is None:
            player.process.kill()


if __name__ == "__main__":
    sys.exit(main())
