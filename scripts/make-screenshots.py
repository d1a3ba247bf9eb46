"""Drives the real player on a private X display and saves the README's
screenshots. Run by scripts/make-screenshots, which starts the X server
(with DISPLAY set) and a private session bus (DBUS_SESSION_BUS_ADDRESS)
before this runs.

  make-screenshots.py BIN_DIR OUT_DIR

BIN_DIR holds the built programs and the demo song beside them. Writes into
OUT_DIR:
  main-window.png     the player playing the demo song, lyric and translation
  floating-window.png the floating window ("Display All Lyrics")
  screen-saver.png    the whole screen while the screen saver shows the line
  desktop-lyrics.png  the whole screen while a line is sung word by word: the
                      player's pane and the desktop lyric bar, half wiped

The script works the windows as a user would: buttons are pressed by their
captions through the accessibility bus, the song is moved to the chosen line
and paused through the player's own media-player interface (MPRIS), and a
window manager draws the title bars. Every wait is bounded: a step that does
not come about in time ends the script with a message saying which.
"""

import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import warnings

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, Gio, GLib  # noqa: E402

SONG = "Lanterns.ogg"
PLAYER_TITLE = "Tessaly Playing:- " + SONG
FLOATING_TITLE = "Lyrics Display"
# The line shown: its "!" makes the panes bold, and it has a translation.
LINE_TEXT = "Light the lanterns, light them all!"
# The shot is taken paused at SHOT_POSITION_MS: the song plays into the line
# from PLAY_FROM_MS and pauses once past it, well before the read-out turns
# to the next second; then it is set to the exact instant.
PLAY_FROM_MS = 26700
PAUSE_AFTER_MS = 27000
SHOT_POSITION_MS = 27500
# The word-by-word shot: the demo song beside its word-timed LRC file (and
# without the lyric pair, which would come first), paused half way through
# "Light the lanterns, light them all!".
KARAOKE_LRC = "Lanterns.lrc"
KARAOKE_PLAY_FROM_MS = 27000
KARAOKE_PAUSE_AFTER_MS = 27300
KARAOKE_SHOT_MS = 27700
BAR_TITLE = "Desktop Lyrics"
MPRIS_NAME = "org.mpris.MediaPlayer2.cantorel"
MPRIS_PATH = "/org/mpris/MediaPlayer2"
MPRIS_PLAYER = "org.mpris.MediaPlayer2.Player"
NO_TRACK = "/org/mpris/MediaPlayer2/TrackList/NoTrack"
# Where the floating window is put for its shot (it opens near the screen's
# corner, partly off a small screen).
FLOATING_AT = (80, 80)

POLL_S = 0.1
STEP_TIMEOUT_S = 20.0


class Failed(Exception):
    pass


# The programs a wait depends on: one that ends fails the wait at once.
watched = {}


def wait_for(what, probe, timeout_s=STEP_TIMEOUT_S):
    """Polls probe() until it returns something true and returns that;
    raises Failed naming `what` after timeout_s seconds, or as soon as a
    watched program has ended."""
    deadline = time.monotonic() + timeout_s
    while True:
        value = probe()
        if value:
            return value
        for name, process in watched.items():
            if process.poll() is not None:
                raise Failed("%s ended (status %d) while waiting for %s" % (name, process.returncode, what))
        if time.monotonic() > deadline:
            raise Failed("timed out waiting for " + what)
        time.sleep(POLL_S)


def read_text(path):
    try:
        with open(path, encoding="utf-8") as f:
            return f.read()
    except FileNotFoundError:
        return ""


def tool(*args):
    result = subprocess.run(args, capture_output=True, text=True, timeout=STEP_TIMEOUT_S)
    return result.stdout if result.returncode == 0 else ""


def window_named(title):
    ids = tool("xdotool", "search", "--onlyvisible", "--name", "^" + title + "$").split()
    return ids[0] if ids else None


# --- the window manager -------------------------------------------------------

def start_window_manager(log):
    wm = subprocess.Popen(["openbox", "--sm-disable"], stdout=log, stderr=log)
    watched["the window manager"] = wm
    # A window manager names itself on the root window once it manages.
    wait_for("the window manager", lambda: "window id #" in tool(
        "xprop", "-root", "_NET_SUPPORTING_WM_CHECK"))
    return wm


# --- the player's media-player interface -------------------------------------

class Mpris:
    def __init__(self):
        self.bus = Gio.bus_get_sync(Gio.BusType.SESSION, None)
        wait_for("the player on the session bus", self._registered)

    def _registered(self):
        try:
            reply = self.bus.call_sync("org.freedesktop.DBus", "/org/freedesktop/DBus",
                                       "org.freedesktop.DBus", "NameHasOwner",
                                       GLib.Variant("(s)", (MPRIS_NAME,)), None,
                                       Gio.DBusCallFlags.NONE, 2000, None)
            return reply.unpack()[0]
        except GLib.Error:
            return False

    def get(self, name):
        reply = self.bus.call_sync(MPRIS_NAME, MPRIS_PATH, "org.freedesktop.DBus.Properties", "Get",
                                   GLib.Variant("(ss)", (MPRIS_PLAYER, name)), None,
                                   Gio.DBusCallFlags.NONE, 2000, None)
        return reply.unpack()[0]

    def call(self, method, args=None):
        self.bus.call_sync(MPRIS_NAME, MPRIS_PATH, MPRIS_PLAYER, method, args, None,
                           Gio.DBusCallFlags.NONE, 2000, None)

    def position_ms(self):
        return self.get("Position") // 1000

    def track_id(self):
        track = self.get("Metadata").get("mpris:trackid", NO_TRACK)
        return None if track == NO_TRACK else track

    def seek_to(self, position_ms):
        track = wait_for("the demo song on the session bus", self.track_id)
        self.call("SetPosition", GLib.Variant("(ox)", (track, position_ms * 1000)))


# --- the accessibility bus ----------------------------------------------------

def find_button(node, caption, depth=0):
    if depth > 40:
        return None
    try:
        if node.get_role() == Atspi.Role.PUSH_BUTTON and node.get_name() == caption:
            return node
        for i in range(node.get_child_count()):
            found = find_button(node.get_child_at_index(i), caption, depth + 1)
            if found:
                return found
    except GLib.Error:
        pass  # a window that closed while it was walked
    return None


def player_button(caption):
    desktop = Atspi.get_desktop(0)
    for i in range(desktop.get_child_count()):
        app = desktop.get_child_at_index(i)
        if app is not None and app.get_name() == "Cantorel":
            return find_button(app, caption)
    return None


def press(caption):
    button = wait_for('the button "%s" on the accessibility bus' % caption,
                      lambda: player_button(caption))
    # The bindings of this Debian know only the name lookup that newer ones
    # call deprecated.
    with warnings.catch_warnings():
        warnings.simplefilter("ignore", DeprecationWarning)
        for i in range(button.get_n_actions()):
            if button.get_action_name(i) == "Press":
                button.do_action(i)
                return
    raise Failed('the button "%s" cannot be pressed' % caption)


# --- shots --------------------------------------------------------------------

def grab(window, frame):
    args = ["import", "-window", window]
    if frame:
        args.append("-frame")
    # No time stamps in the file: the same screen makes the same bytes.
    args += ["-define", "png:exclude-chunks=date,time", "-strip", "png:-"]
    return subprocess.run(args, capture_output=True, timeout=STEP_TIMEOUT_S, check=True).stdout


def shoot(window, path, frame=True):
    """Saves the window once two grabs in a row are the same picture (the
    timers that draw it have caught up)."""
    previous = [None]

    def settled():
        now = grab(window, frame)
        same = now == previous[0]
        previous[0] = now
        return now if same else None

    image = wait_for("a still picture of " + os.path.basename(path), settled)
    with open(path, "wb") as f:
        f.write(image)
    print("wrote", path)


def start_player(bin_dir, song, env, log):
    player = subprocess.Popen([os.path.join(bin_dir, "Cantorel"), song], env=env, stdout=log, stderr=log)
    watched["the player"] = player
    return player


def stop_player(player):
    del watched["the player"]
    player.send_signal(signal.SIGTERM)
    try:
        player.wait(timeout=STEP_TIMEOUT_S)
    except subprocess.TimeoutExpired:
        player.kill()
        player.wait()


def pause_at(mpris, play_from_ms, pause_after_ms, shot_ms):
    """Plays into the chosen moment, pauses, and sets the exact instant, so
    that every run shows the same read-outs and slider."""
    mpris.seek_to(play_from_ms)
    wait_for("the song to reach the line", lambda: mpris.position_ms() >= pause_after_ms)
    mpris.call("Pause")
    wait_for("the pause", lambda: mpris.get("PlaybackStatus") == "Paused")
    mpris.seek_to(shot_ms)
    wait_for("the seek", lambda: mpris.position_ms() == shot_ms)


def take_karaoke(bin_dir, out_dir, home, env, log):
    folder = os.path.join(home, "karaoke")
    os.makedirs(folder)
    for name in (SONG, KARAOKE_LRC):
        shutil.copyfile(os.path.join(bin_dir, "demo", name), os.path.join(folder, name))
    # The bar shows from the start, as a user who left it shown finds it.
    settings = os.path.join(env["XDG_CONFIG_HOME"], "cantorel")
    os.makedirs(settings, exist_ok=True)
    with open(os.path.join(settings, "cantorel.conf"), "w", encoding="utf-8") as conf:
        conf.write("[desktopLyrics]\nshown=true\n")
    player = start_player(bin_dir, os.path.join(folder, SONG), env, log)
    try:
        wait_for("the player's window", lambda: window_named(PLAYER_TITLE))
        wait_for("the desktop lyrics", lambda: window_named(BAR_TITLE))
        pause_at(Mpris(), KARAOKE_PLAY_FROM_MS, KARAOKE_PAUSE_AFTER_MS, KARAOKE_SHOT_MS)
        shoot("root", os.path.join(out_dir, "desktop-lyrics.png"), frame=False)
    finally:
        stop_player(player)


def take(bin_dir, out_dir, home, log):
    # The user's folders are the script's own: no setting of the user's
    # changes the look, and nothing is left behind.
    folders = {"XDG_CONFIG_HOME": "config", "XDG_DATA_HOME": "data", "XDG_RUNTIME_DIR": "runtime"}
    env = dict(os.environ, HOME=home, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
               SDL_AUDIODRIVER="dummy", CANTOREL_SCREENSAVER_ECHO=os.path.join(home, "shown.txt"))
    for variable, folder in folders.items():
        env[variable] = os.path.join(home, folder)
        os.makedirs(env[variable], mode=0o700)
    player = start_player(bin_dir, os.path.join(bin_dir, "demo", SONG), env, log)
    try:
        main = wait_for("the player's window", lambda: window_named(PLAYER_TITLE))
        pause_at(Mpris(), PLAY_FROM_MS, PAUSE_AFTER_MS, SHOT_POSITION_MS)
        shoot(main, os.path.join(out_dir, "main-window.png"))

        press("Display All Lyrics")
        floating = wait_for("the floating window", lambda: window_named(FLOATING_TITLE))
        tool("xdotool", "windowmove", "--sync", floating, str(FLOATING_AT[0]), str(FLOATING_AT[1]))
        shoot(floating, os.path.join(out_dir, "floating-window.png"))

        press("Full screen")
        shown = os.path.join(home, "shown.txt")
        wait_for("the screen saver to show the line", lambda: ("Text1: " + LINE_TEXT) in read_text(shown))
        shoot("root", os.path.join(out_dir, "screen-saver.png"), frame=False)
        # A key ends the screen saver.
        tool("xdotool", "key", "Escape")
    finally:
        stop_player(player)
    take_karaoke(bin_dir, out_dir, home, env, log)


def main():
    if len(sys.argv) != 3:
        print(__doc__, file=sys.stderr)
        return 64
    bin_dir, out_dir = sys.argv[1], sys.argv[2]
    os.makedirs(out_dir, exist_ok=True)
    home = tempfile.mkdtemp(prefix="cantorel-screenshots.")
    log_path = os.path.join(home, "programs.log")
    try:
        with open(log_path, "w") as log:
            wm = start_window_manager(log)
            try:
                take(bin_dir, out_dir, home, log)
            finally:
                wm.terminate()
                wm.wait(timeout=STEP_TIMEOUT_S)
    except (Failed, OSError, subprocess.SubprocessError, GLib.Error) as e:
        print("make-screenshots: %s" % e, file=sys.stderr)
        with open(log_path, errors="replace") as log:
            sys.stderr.write(log.read()[-4000:])
        return 1
    finally:
        shutil.rmtree(home, ignore_errors=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
