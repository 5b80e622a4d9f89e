#!/usr/bin/env python3
"""A private MariaDB server on 127.0.0.1 for the Database module's tests.

  mariadbserver.py start DIR   makes a fresh data folder in DIR, starts the
                               server on a free loopback port, creates the
                               test database and user and writes the port
                               to DIR/port.txt
  mariadbserver.py stop DIR    stops the server and removes DIR

The tests run in DIR under Wine and read port.txt; the user, password and
database below are the ones they log in with. The system's own service is
never used. A watchdog stops the server after WATCHDOG_SECONDS when stop
never comes (a run that was cut off).
"""
import getpass
import os
import shutil
import signal
import socket
import subprocess
import sys
import time

DATABASE = "kova_test"
USER = "kova"
PASSWORD = "kova-secret"
STARTUP_SECONDS = 30
STOP_SECONDS = 30
INSTALL_SECONDS = 180
CLIENT_SECONDS = 60
WATCHDOG_SECONDS = 20 * 60
SOCKET_PATH_LIMIT = 100  # sun_path holds 108 bytes


class FixtureError(Exception):
    pass


def find_program(name):
    """The program on PATH or in the sbin folders a non-root PATH lacks."""
    path = shutil.which(name, path=os.pathsep.join([os.environ.get("PATH", ""), "/usr/sbin", "/usr/local/sbin", "/sbin"]))
    if not path:
        raise FixtureError("%s not found: install mariadb-server (scripts/install-system-packages.sh)" % name)
    return path


def free_port():
    with socket.socket(socket.AF_INET, socket.SOCK_STREAM) as probe:
        probe.bind(("127.0.0.1", 0))
        return probe.getsockname()[1]


def socket_path(base, port):
    path = os.path.join(base, "mariadb.sock")
    if len(path) > SOCKET_PATH_LIMIT:
        path = "/tmp/kova-mariadb-%d.sock" % port
    return path


def run(command, seconds):
    """Runs a short command; raises with its output when it fails or hangs."""
    try:
        done = subprocess.run(command, stdin=subprocess.DEVNULL, stdout=subprocess.PIPE,
                              stderr=subprocess.STDOUT, timeout=seconds)
    except subprocess.TimeoutExpired as error:
        raise FixtureError("%s did not end in %d s:\n%s" % (command[0], seconds, (error.output or b"").decode(errors="replace")))
    if done.returncode != 0:
        raise FixtureError("%s failed (%d):\n%s" % (command[0], done.returncode, done.stdout.decode(errors="replace")))


def read_text(path):
    try:
        with open(path, errors="replace") as f:
            return f.read()
    except OSError:
        return ""


def read_pid(path):
    try:
        return int(read_text(path).strip())
    except ValueError:
        return None


def is_live(pid, marker):
    """True when the pid runs a program whose command line holds the marker
    (a pid that was reused by another program is left alone) and is no zombie."""
    try:
        with open("/proc/%d/cmdline" % pid, "rb") as f:
            cmdline = f.read().decode(errors="replace")
        with open("/proc/%d/stat" % pid) as f:
            state = f.read().rsplit(")", 1)[1].split()[0]
    except (OSError, IndexError):
        return False
    return marker in cmdline and state != "Z"


def wait_for(condition, seconds):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        if condition():
            return True
        time.sleep(0.05)
    return condition()


def accepts_connections(port):
    try:
        with socket.create_connection(("127.0.0.1", port), timeout=1):
            return True
    except OSError:
        return False


def start_detached(command, log_path):
    """Starts the command in a session of its own, with no pipe of ours, so
    ctest does not wait for it and a stopped terminal does not stop it."""
    with open(log_path, "ab") as log:
        return subprocess.Popen(command, stdin=subprocess.DEVNULL, stdout=log, stderr=subprocess.STDOUT,
                                start_new_session=True, close_fds=True)


def start(base):
    shutil.rmtree(base, ignore_errors=True)
    os.makedirs(base)
    user = getpass.getuser()
    data = os.path.join(base, "data")
    run([find_program("mariadb-install-db"), "--no-defaults", "--user=" + user,
         "--auth-root-authentication-method=normal", "--skip-test-db", "--datadir=" + data], INSTALL_SECONDS)

    port = free_port()
    sock = socket_path(base, port)
    pid_file = os.path.join(base, "mariadbd.pid")
    error_log = os.path.join(base, "error.log")
    server = start_detached([find_program("mariadbd"), "--no-defaults", "--user=" + user, "--datadir=" + data,
                             "--bind-address=127.0.0.1", "--port=%d" % port, "--socket=" + sock,
                             "--pid-file=" + pid_file, "--log-error=" + error_log, "--skip-name-resolve",
                             "--skip-log-bin", "--character-set-server=utf8mb4",
                             "--collation-server=utf8mb4_unicode_ci"],
                            os.path.join(base, "mariadbd.out"))
    with open(os.path.join(base, "server.pid"), "w") as f:
        f.write("%d\n" % server.pid)
    if not wait_for(lambda: server.poll() is not None or accepts_connections(port), STARTUP_SECONDS):
        raise FixtureError("the server did not accept connections on port %d in %d s" % (port, STARTUP_SECONDS))
    if server.poll() is not None:
        raise FixtureError("the server ended at start with code %d" % server.returncode)

    statements = ("CREATE DATABASE {db} CHARACTER SET utf8mb4; "
                  "CREATE USER '{user}'@'127.0.0.1' IDENTIFIED BY '{password}'; "
                  "GRANT ALL PRIVILEGES ON {db}.* TO '{user}'@'127.0.0.1';").format(
                      db=DATABASE, user=USER, password=PASSWORD)
    run([find_program("mariadb"), "--no-defaults", "--protocol=socket", "--socket=" + sock, "--user=root",
         "--execute=" + statements], CLIENT_SECONDS)

    watchdog = start_detached([sys.executable, os.path.abspath(__file__), "watchdog", base, str(server.pid)],
                              os.devnull)
    with open(os.path.join(base, "watchdog.pid"), "w") as f:
        f.write("%d\n" % watchdog.pid)
    with open(os.path.join(base, "port.txt"), "w") as f:
        f.write("%d\n" % port)
    print("MariaDB on 127.0.0.1:%d, data in %s" % (port, data))


def stop_server(base):
    """Stops the server of the folder; answers a warning text or ""."""
    pid = read_pid(os.path.join(base, "server.pid"))
    if pid is None or not is_live(pid, "mariadbd"):
        return ""
    pid_file = os.path.join(base, "mariadbd.pid")
    os.kill(pid, signal.SIGTERM)
    # mariadbd removes its pid file at a clean stop. Its process may stay a
    # zombie when the fixture that started it has ended, so kill(pid, 0)
    # would not tell.
    if wait_for(lambda: not os.path.exists(pid_file) or not is_live(pid, "mariadbd"), STOP_SECONDS):
        return ""
    if is_live(pid, "mariadbd"):
        os.kill(pid, signal.SIGKILL)
    return "the server did not stop in %d s and was killed" % STOP_SECONDS


def stop_watchdog(base):
    pid = read_pid(os.path.join(base, "watchdog.pid"))
    if pid is not None and is_live(pid, "mariadbserver.py"):
        os.kill(pid, signal.SIGTERM)


def stop(base):
    warning = ""
    if os.path.isdir(base):
        stop_watchdog(base)
        warning = stop_server(base)
        if warning:
            print("mariadbserver: %s; its log:\n%s" % (warning, read_text(os.path.join(base, "error.log"))))
    shutil.rmtree(base, ignore_errors=True)


def watchdog(base, pid):
    """Stops the server when the fixture's stop has not come in time."""
    time.sleep(WATCHDOG_SECONDS)
    if read_pid(os.path.join(base, "server.pid")) == pid:
        stop_server(base)


def main():
    if len(sys.argv) == 4 and sys.argv[1] == "watchdog":
        watchdog(os.path.abspath(sys.argv[2]), int(sys.argv[3]))
        return 0
    if len(sys.argv) != 3 or sys.argv[1] not in ("start", "stop"):
        print(__doc__)
        return 2
    base = os.path.abspath(sys.argv[2])
    if sys.argv[1] == "stop":
        stop(base)
        return 0
    try:
        start(base)
    except (FixtureError, OSError) as error:
        print("mariadbserver: %s" % error)
        for name in ("error.log", "mariadbd.out"):
            log = read_text(os.path.join(base, name))
            if log:
                print("mariadbserver: the server's %s:\n%s" % (name, log))
        stop(base)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
