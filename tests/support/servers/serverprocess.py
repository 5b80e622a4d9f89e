"""The start and stop of a test server script that can run itself as
"SCRIPT serve DIR": start runs it in a new session, waits (at most 15 s)
until it has written DIR/ports.txt and keeps its pid in DIR/pid.txt; stop
ends it and removes the files it made."""
import os
import signal
import subprocess
import sys
import time

START_SECONDS = 15


def stop(folder, files, cleanup=None):
    try:
        with open(os.path.join(folder, "pid.txt")) as f:
            os.kill(int(f.read().strip()), signal.SIGTERM)
    except (OSError, ValueError):
        pass
    for name in ("pid.txt", "ports.txt", "server.log") + tuple(files):
        try:
            os.remove(os.path.join(folder, name))
        except OSError:
            pass
    if cleanup:
        cleanup(folder)


def start(script, folder, what, files, cleanup=None):
    stop(folder, files, cleanup)
    os.makedirs(folder, exist_ok=True)
    log = open(os.path.join(folder, "server.log"), "w")
    child = subprocess.Popen([sys.executable, os.path.abspath(script), "serve", folder],
                             stdin=subprocess.DEVNULL, stdout=log, stderr=log, start_new_session=True)
    with open(os.path.join(folder, "pid.txt"), "w") as f:
        f.write(str(child.pid))
    deadline = time.time() + START_SECONDS
    while time.time() < deadline:
        if os.path.exists(os.path.join(folder, "ports.txt")):
            return 0
        if child.poll() is not None:
            break
        time.sleep(0.05)
    print("the " + what + " did not start; see " + os.path.join(folder, "server.log"))
    stop(folder, files, cleanup)
    return 1


def main(script, usage, serve, what, files, cleanup=None):
    """Runs the command line of a server script: start, stop or serve DIR.
    `files` are the names, besides pid.txt, ports.txt and server.log, that
    the server writes into DIR; `cleanup(DIR)` removes anything else."""
    if len(sys.argv) != 3 or sys.argv[1] not in ("start", "stop", "serve"):
        print(usage)
        return 2
    command, folder = sys.argv[1], os.path.abspath(sys.argv[2])
    if command == "serve":
        serve(folder)
        return 0
    if command == "stop":
        stop(folder, files, cleanup)
        return 0
    return start(script, folder, what, files, cleanup)
