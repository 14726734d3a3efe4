#!/usr/bin/env python3
"""The installer under Wine, as an administrator would use it: a silent
install for the current user, the files, the Start menu entry, the .pinball
association and the installed apps entry it leaves; a table opened with
`start`, as a double-click opens it; then a silent uninstall that takes all of
it away again.

Run it through scripts/wine-xvfb.sh, like pinball_e2e.py:
  scripts/wine-xvfb.sh python3 tests/e2e/installer_e2e.py \\
      --installer build/installer/PinballSimulation-1.0.0-setup.exe --out build/windows/e2e
"""

import glob
import os
import subprocess
import time
import unittest

import editing_e2e as editing
import pinball_e2e as e2e

INSTALLER = ""
CLASSES = r"HKCU\Software\Classes"
UNINSTALL = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\PinballSimulation"


def wine(*args, check=True):
    # No menu entries or file types for the Linux desktop: this is a test's prefix.
    env = dict(os.environ, WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d")
    done = subprocess.run(["wine", *args], capture_output=True, env=env, timeout=120)
    if check and done.returncode != 0:
        raise AssertionError("wine %s: exit %d\n%s" % (args, done.returncode,
                                                       done.stderr.decode(errors="replace")))
    return done.stdout.decode("utf-8", errors="replace")


def registry_value(key, name=None):
    """The value as `reg query` prints it, or None when the key or value is missing."""
    args = ["reg", "query", key] + (["/v", name] if name else ["/ve"])
    env = dict(os.environ, WINEDLLOVERRIDES="mscoree,mshtml=")
    done = subprocess.run(["wine", *args], capture_output=True, env=env, timeout=60)
    if done.returncode != 0:
        return None
    for line in done.stdout.decode("utf-8", errors="replace").splitlines():
        parts = line.strip().split(None, 2)
        if len(parts) == 3 and parts[1].startswith("REG_"):
            return parts[2]
    return None


def user_folder(*parts):
    found = glob.glob(os.path.join(os.environ["WINEPREFIX"], "drive_c", "users", "*", *parts))
    return [f for f in found if "/Public/" not in f]


class Installer(unittest.TestCase):

    def wait_for(self, what, check, timeout=30):
        deadline = time.monotonic() + timeout
        while not check():
            if time.monotonic() > deadline:
                self.fail("not within %d s: %s" % (timeout, what))
            time.sleep(0.2)

    def test_silent_install_association_start_and_uninstall(self):
        wine(INSTALLER, "/S")
        programs = user_folder("AppData", "Local", "Programs", "Pinball Simulation")
        self.assertEqual(len(programs), 1, "no install folder for the current user")
        folder = programs[0]
        self.assertEqual(sorted(os.listdir(folder)), ["Uninstall.exe", "pinball.exe"])
        self.assertEqual(len(user_folder("AppData", "Roaming", "Microsoft", "Windows", "Start Menu",
                                         "Programs", "Pinball Simulation.lnk")), 1)

        self.assertEqual(registry_value(CLASSES + r"\.pinball"), "PinballSimulation.Table")
        # What the shell reads: Windows merges the user's classes into it; Wine 8
        # does not, and the installer writes the machine's classes there.
        self.assertEqual(registry_value(r"HKCR\.pinball"), "PinballSimulation.Table")
        command = registry_value(CLASSES + r"\PinballSimulation.Table\shell\open\command")
        self.assertRegex(command, r'^"C:\\users\\[^\\]+\\AppData\\Local\\Programs\\'
                                  r'Pinball Simulation\\pinball\.exe" "%1"$')
        self.assertEqual(registry_value(CLASSES + r"\PinballSimulation.Table\DefaultIcon"),
                         command[:-len(' "%1"')] + ",0")
        self.assertEqual(registry_value(UNINSTALL, "DisplayName"), "Pinball Simulation")
        self.assertRegex(registry_value(UNINSTALL, "DisplayVersion"), r"^\d+\.\d+\.\d+$")
        self.assertIn("Pinball Simulation", wine("uninstaller", "--list"))

        # `start` opens a table as a double-click does: through the association.
        source = os.path.join(e2e.OUT, "started table.pinball")
        with open(source, "w") as f:
            f.write(editing.BLUE_BOX_TABLE)
        # Not through pipes: the program would hold them open.
        subprocess.run(["wine", "start", editing.windows_path(source)], check=True, timeout=60,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        caption = "started table - Pinball Simulation"
        deadline = time.monotonic() + 60
        while not e2e.find_window(caption):
            self.assertLess(time.monotonic(), deadline, "the table did not open")
            time.sleep(0.2)
        window = e2e.find_window(caption)
        started = []
        for pid in e2e.program_processes():
            with open("/proc/%d/cmdline" % pid, "rb") as f:
                if b"AppData" in f.read():
                    started.append(pid)
        self.assertEqual(len(started), 1, "the installed program is not the one that runs")
        e2e.run("xdotool", "windowfocus", "--sync", window, "key", "alt+F4")
        self.wait_for("the program ends", lambda: not e2e.program_processes())

        # The uninstaller runs a copy of itself from the temporary folder and returns at once.
        wine(os.path.join(folder, "Uninstall.exe"), "/S")
        self.wait_for("the install folder goes", lambda: not os.path.exists(folder))
        self.assertEqual(user_folder("AppData", "Roaming", "Microsoft", "Windows", "Start Menu",
                                     "Programs", "Pinball Simulation.lnk"), [])
        for key in (CLASSES + r"\.pinball", CLASSES + r"\PinballSimulation.Table", r"HKCR\.pinball"):
            self.assertIsNone(registry_value(key), key)
        self.assertIsNone(registry_value(UNINSTALL, "DisplayName"))
        self.assertNotIn("Pinball Simulation", wine("uninstaller", "--list"))


def main():
    global INSTALLER
    args, rest = e2e.command_line(("--installer", dict(required=True, help="path of the installer")))
    INSTALLER = os.path.abspath(args.installer)
    e2e.run_cases(rest)


if __name__ == "__main__":
    main()
