#!/usr/bin/env python3
"""Stress checks of a running station, on loopback only.

The station is the real program, started with the offscreen platform in a home folder of its
own, on ports of its own. Each check prints its figures and PASS or FAIL; the run ends with
"N passed, M failed" and exits 1 when a check failed. A check is a function in CHECKS that
takes the options and returns (passed, figures); it starts and stops its own station, so a
check that kills or floods the station leaves nothing behind for the next one.
"""

import argparse
import os
import pathlib
import re
import shutil
import signal
import socket
import subprocess
import sys
import tempfile
import threading
import time

ROOT = pathlib.Path(__file__).resolve().parents[2]


def free_port(kind):
    with socket.socket(socket.AF_INET, kind) as probe:
        probe.bind(("127.0.0.1", 0))
        return probe.getsockname()[1]


def stream_packet(name, text, reply_port=7777):
    return (b"/$0" + text + b"/$1" + name + b"/$2/$30/$4/$7/$5127.0.0.1:" + str(reply_port).encode() + b"/$6/$7")


def datagram_packet(name, text, reply_port):
    return (b"\0#0" + text + b"\0#1" + name + b"\0#2\0#30\0#4\0#5127.0.0.1:" + str(reply_port).encode()
            + b"u\0#6\0#7\0#8\0#9\0")


def heading(name, recipient, sequence):
    return b"Message from " + name + b" to " + recipient + b".\r\n\r\nseq " + str(sequence).encode()


class Station:
    """The program under test, with its own settings, data folder and ports."""

    def __init__(self, program, wrapper=None):
        self.program = program
        # A command the program is started through (a mount namespace of its own, say).
        self.wrapper = wrapper or []
        self.home = pathlib.Path(tempfile.mkdtemp(prefix="tq-stress-"))
        self.tcp_port = free_port(socket.SOCK_STREAM)
        self.udp_port = free_port(socket.SOCK_DGRAM)
        self.process = None
        config = self.home / "config" / "Tarquel International"
        config.mkdir(parents=True)
        (config / "TarquelMessenger.conf").write_text(
            "[Settings]\n"
            f"TCP%20Port={self.tcp_port}\nUDP%20Port={self.udp_port}\n"
            "StoreAndLoad=1\nEnableSound=0\nFirstStart=1\nSystem%20Name=STATION\nFull%20Name=Stress\n"
            "SaveDead=1\nNotify=0\n")
        self.data = self.home / "data"
        self.messages = self.data / "TARQUEL" / "TarquelMessenger" / "messages"

    def launch(self):
        """Starts the program without waiting for it."""
        runtime = self.home / "runtime"
        runtime.mkdir(mode=0o700)
        env = dict(os.environ, HOME=str(self.home), XDG_CONFIG_HOME=str(self.home / "config"),
                   XDG_DATA_HOME=str(self.home / "data"), XDG_RUNTIME_DIR=str(runtime),
                   QT_QPA_PLATFORM="offscreen")
        self.process = subprocess.Popen(self.wrapper + [str(self.program), "--minimized"], env=env,
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, start_new_session=True)

    def __enter__(self):
        self.launch()
        deadline = time.monotonic() + 20
        while time.monotonic() < deadline:
            try:
                socket.create_connection(("127.0.0.1", self.tcp_port), timeout=0.2).close()
                return self
            except OSError:
                time.sleep(0.05)
        self.__exit__(None, None, None)
        raise RuntimeError("the station did not start listening")

    def __exit__(self, *exc):
        if self.process and self.process.poll() is None:
            self.process.send_signal(signal.SIGTERM)
            try:
                self.process.wait(timeout=15)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()
        shutil.rmtree(self.home, ignore_errors=True)

    def view(self, path):
        """A path as the program sees it (inside its own mount namespace, if it has one)."""
        return pathlib.Path(f"/proc/{self.process.pid}/root{path}") if self.wrapper else path

    def end(self, sig):
        """Sends `sig` and returns the exit status (negative: the signal that ended it)."""
        self.process.send_signal(sig)
        try:
            return self.process.wait(timeout=30)
        except subprocess.TimeoutExpired:
            self.process.kill()
            return self.process.wait()

    def message_files(self):
        """The stored message files: the names the program gives them, not its temporary ones."""
        if not self.messages.is_dir():
            return []
        return [path for path in self.messages.iterdir() if path.name.lower().endswith(".tqm")]

    def broken_files(self):
        """Message files that are empty or lack the sender's line."""
        broken = 0
        for path in self.message_files():
            try:
                content = path.read_bytes()
            except OSError:
                continue
            broken += len(content) < 2 or b"\r\n" not in content[1:]
        return broken

    def stored(self):
        """Sequence numbers of the stored messages, by sender name."""
        found = {}
        for path in self.message_files():
            try:
                content = path.read_bytes()
            except OSError:
                continue
            match = re.search(rb"Message from (\S+) to \S+\r\n\r\nseq (\d+)(?: |$)", content)
            if match:
                found.setdefault(match.group(1), set()).add(int(match.group(2)))
        return found

    def settled(self, limit=120):
        """Waits until the station has stopped adding files; returns what is stored."""
        last, quiet_since, deadline = -1, time.monotonic(), time.monotonic() + limit
        while time.monotonic() < deadline:
            count = len(self.message_files())
            if count != last:
                last, quiet_since = count, time.monotonic()
            elif time.monotonic() - quiet_since > 2:
                break
            time.sleep(0.2)
        return self.stored()


def exchange(source, port, packet, timeout=10):
    """One message as a sending station sends it; the station's answer, or None."""
    try:
        with socket.socket(socket.AF_INET, socket.SOCK_STREAM) as connection:
            connection.settimeout(timeout)
            connection.bind((source, 0))
            connection.connect(("127.0.0.1", port))
            connection.sendall(packet)
            answer = b""
            while chunk := connection.recv(64):
                answer += chunk
            return answer
    except OSError:
        return None


def udp_socket(source):
    sock = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
    sock.setsockopt(socket.SOL_SOCKET, socket.SO_RCVBUF, 8 << 20)
    sock.bind((source, 0))
    return sock


def check_burst(options):
    """Senders over both transports at once; nothing acknowledged or confirmed may be lost."""
    each = 250 if options.short else 2500
    senders = 4
    acknowledged = {}
    confirmed = {}

    with Station(options.program) as station:
        def tcp_sender(index):
            name = b"TCP%d" % index
            source = "127.0.0.%d" % (10 + index)
            acknowledged[name] = set()
            for i in range(each):
                packet = stream_packet(name, heading(name, b"STATION", i))
                if exchange(source, station.tcp_port, packet) == str(len(packet)).encode():
                    acknowledged[name].add(i)

        def udp_sender(index):
            name = b"UDP%d" % index
            sock = udp_socket("127.0.0.%d" % (20 + index))
            reply_port = sock.getsockname()[1]
            confirmed[name] = set()
            for i in range(each):
                sock.sendto(datagram_packet(name, heading(name, b"R%d" % i, i), reply_port),
                            ("127.0.0.1", station.udp_port))
                if i % 50 == 49:
                    time.sleep(0.005)  # a sender's pace, not a flood
            sock.settimeout(3)
            try:
                while True:
                    match = re.search(rb"Recipient\(s\) R(\d+) ", sock.recv(65536))
                    if match:
                        confirmed[name].add(int(match.group(1)))
            except OSError:
                pass
            sock.close()

        started = time.monotonic()
        threads = [threading.Thread(target=tcp_sender, args=(i,)) for i in range(senders)]
        threads += [threading.Thread(target=udp_sender, args=(i,)) for i in range(senders)]
        for thread in threads:
            thread.start()
        for thread in threads:
            thread.join()
        elapsed = time.monotonic() - started
        stored = station.settled()

    sent = senders * each
    acked = sum(len(v) for v in acknowledged.values())
    acked_lost = sum(len(v - stored.get(k, set())) for k, v in acknowledged.items())
    tcp_stored = sum(len(stored.get(k, set())) for k in acknowledged)
    udp_stored = sum(len(stored.get(k, set())) for k in confirmed)
    confirmations = sum(len(v) for v in confirmed.values())
    confirmed_lost = sum(len(v - stored.get(k, set())) for k, v in confirmed.items())
    figures = (f"TCP {sent} sent, {acked} acknowledged, {tcp_stored} stored, {acked_lost} acknowledged but lost; "
               f"UDP {sent} sent, {udp_stored} stored, {confirmations} confirmed (receipts are paced), "
               f"{confirmed_lost} confirmed but lost; {elapsed:.1f} s")
    return acked == sent and acked_lost == 0 and confirmed_lost == 0, figures


class IdleCrowd:
    """Connections that connect and say nothing, held open."""

    def __init__(self, port, addresses, per_address, first_host=2):
        self.sockets = []
        for a in range(addresses):
            for _ in range(per_address):
                sock = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
                sock.bind(("127.0.0.%d" % (first_host + a), 0))
                sock.connect(("127.0.0.1", port))
                self.sockets.append(sock)

    def close(self):
        for sock in self.sockets:
            sock.close()


def timed_exchange(port, timeout):
    packet = stream_packet(b"NORMAL", heading(b"NORMAL", b"STATION", 0))
    started = time.monotonic()
    answer = exchange("127.0.0.1", port, packet, timeout)
    return answer == str(len(packet)).encode(), time.monotonic() - started


def check_idle(options):
    """A normal sender is served at once while crowds of idle connections are open."""
    crowds = [(1, 17), (16, 8)] if options.short else [(1, 17), (1, 1000), (16, 8)]
    results = []
    passed = True
    with Station(options.program) as station:
        for addresses, per_address in crowds:
            crowd = IdleCrowd(station.tcp_port, addresses, per_address)
            time.sleep(0.5)
            served, seconds = timed_exchange(station.tcp_port, 10)
            crowd.close()
            passed = passed and served and seconds < 1.0
            results.append(f"{addresses * per_address} idle from {addresses} address(es): served "
                           + (f"in {seconds * 1000:.0f} ms" if served else "NOT"))
        if not options.short:
            # Every place taken: the sender waits until the quietest has been silent 5 s.
            crowd = IdleCrowd(station.tcp_port, 32, 8)
            crowd.sockets += IdleCrowd(station.tcp_port, 1, 8, 60).sockets
            time.sleep(0.5)
            served, seconds = timed_exchange(station.tcp_port, 15)
            crowd.close()
            passed = passed and served and seconds < 7.0
            results.append("264 idle from 33 addresses: served "
                           + (f"in {seconds:.1f} s (aim: within 7 s)" if served else "NOT"))
    return passed, "; ".join(results)


def check_reflection(options):
    """Forged datagrams aim receipts at a third party: the receipts stay within their limits."""
    count = 300 if options.short else 3000
    passed = True
    results = []
    with Station(options.program) as station:
        for addresses, per_address in [(1, count), (40, count // 20)]:
            # The receipts go to the forged source addresses, at the victim's port.
            victim = udp_socket("0.0.0.0")
            victim.settimeout(1.5)
            forgers = [udp_socket("127.0.0.%d" % (100 + a)) for a in range(addresses)]
            bytes_in = 0
            started = time.monotonic()
            for i in range(per_address):
                for forger in forgers:
                    datagram = datagram_packet(b"X", b"hi %d" % i, victim.getsockname()[1])
                    forger.sendto(datagram, ("127.0.0.1", station.udp_port))
                    bytes_in += len(datagram)
            receipts = bytes_out = 0
            try:
                while True:
                    bytes_out += len(victim.recv(65536))
                    receipts += 1
            except OSError:
                pass
            seconds = time.monotonic() - started - 1.5
            # Per address 50 at once and 20 a second; in all 500 a second.
            allowed = (50 + 20 * seconds) * addresses if addresses == 1 else 500 + 500 * seconds
            ok = receipts <= allowed + 2
            passed = passed and ok
            results.append(f"{per_address * addresses} forged datagrams from {addresses} address(es), "
                           f"{bytes_in} bytes in: {receipts} receipts, {bytes_out} bytes out "
                           f"(ratio {bytes_out / max(bytes_in, 1):.2f}) in {seconds:.1f} s, limit {allowed:.0f}")
            victim.close()
            for forger in forgers:
                forger.close()
    return passed, "; ".join(results)


def crash_trial(options, sig):
    """Senders over both transports; the station is ended by `sig` in the middle of it.
    Returns (acknowledged, confirmed, without a file, broken files, exit status, last ack before
    the end in ms)."""
    with Station(options.program) as station:
        stop = threading.Event()
        acknowledged, confirmed = {}, {}
        last_answer = [0.0]

        def tcp_sender(index):
            name = b"TCP%d" % index
            acknowledged[name] = set()
            i = 0
            while not stop.is_set():
                packet = stream_packet(name, heading(name, b"STATION", i))
                if exchange("127.0.0.%d" % (10 + index), station.tcp_port, packet, 5) == str(len(packet)).encode():
                    acknowledged[name].add(i)
                    last_answer[0] = time.monotonic()
                i += 1

        def udp_sender(index):
            name = b"UDP%d" % index
            # Receipts are paced per address: each datagram from an address of its own.
            sockets = [udp_socket("127.0.0.%d" % (100 + index * 50 + a)) for a in range(50)]
            confirmed[name] = set()
            i = 0
            while not stop.is_set():
                sock = sockets[i % len(sockets)]
                sock.sendto(datagram_packet(name, heading(name, b"R%d" % i, i), sock.getsockname()[1]),
                            ("127.0.0.1", station.udp_port))
                i += 1
                time.sleep(0.001)
            for sock in sockets:
                sock.settimeout(0.2)
                try:
                    while True:
                        match = re.search(rb"Recipient\(s\) R(\d+) ", sock.recv(65536))
                        if match:
                            confirmed[name].add(int(match.group(1)))
                except OSError:
                    pass
                sock.close()

        threads = [threading.Thread(target=tcp_sender, args=(i,)) for i in range(4)]
        threads += [threading.Thread(target=udp_sender, args=(i,)) for i in range(2)]
        for thread in threads:
            thread.start()
        time.sleep(1.0 + 0.5 * (time.monotonic() % 1))
        status = station.end(sig)
        ended = time.monotonic()
        stop.set()
        for thread in threads:
            thread.join()
        stored = station.stored()
        acked = sum(len(v) for v in acknowledged.values()) + sum(len(v) for v in confirmed.values())
        lost = sum(len(v - stored.get(k, set())) for k, v in acknowledged.items())
        lost += sum(len(v - stored.get(k, set())) for k, v in confirmed.items())
        return acked, lost, station.broken_files(), status, (ended - last_answer[0]) * 1000


def handles_sigterm(pid):
    """Whether the program's own code has taken SIGTERM over yet: held back or caught."""
    bit = 1 << (signal.SIGTERM - 1)
    try:
        with open(f"/proc/{pid}/status") as status:
            for line in status:
                if line.startswith(("SigBlk:", "SigCgt:")) and int(line.split()[1], 16) & bit:
                    return True
    except OSError:
        pass
    return False


def check_crash(options):
    """Killed (kill -9) or ended (SIGTERM) during a burst: every message acknowledged or confirmed
    has its file; a SIGTERM early in start-up ends the program as cleanly as any other."""
    trials = 1 if options.short else 5
    passed = True
    results = []
    for sig, name in ((signal.SIGKILL, "kill -9"), (signal.SIGTERM, "SIGTERM")):
        acked = lost = broken = 0
        statuses = []
        for _ in range(trials):
            a, lo, b, status, _ = crash_trial(options, sig)
            acked, lost, broken = acked + a, lost + lo, broken + b
            statuses.append(status)
        clean = sig == signal.SIGKILL or all(status == 0 for status in statuses)
        passed = passed and lost == 0 and broken == 0 and acked > 0 and clean
        results.append(f"{name} in {trials} trial(s): {acked} acknowledged or confirmed, {lost} of them without "
                       f"a file, {broken} empty or broken files, exit status {sorted(set(statuses))}")
    early = 3 if options.short else 30
    statuses = []
    loading = 0
    for i in range(early):
        station = Station(options.program)
        try:
            station.launch()
            time.sleep(0.045 * (i % 10) / 10 if early >= 10 else 0.045 * i / early)
            # While the system still loads the program and its libraries, none of its code
            # runs and nothing can have been received: the signal ends it there (-15).
            running = handles_sigterm(station.process.pid)
            status = station.end(signal.SIGTERM)
            if running:
                statuses.append(status)
            else:
                loading += 1
        finally:
            station.__exit__(None, None, None)
    unclean = [status for status in statuses if status != 0]
    passed = passed and not unclean
    results.append(f"SIGTERM 0-40 ms into start-up, {early} trials: {len(statuses)} came once the program ran, "
                   f"{len(unclean)} of them ended otherwise than with status 0 {unclean if unclean else ''}; "
                   f"{loading} came while the system was still loading it")
    return passed, "; ".join(results)


def peak_memory_kb(pid):
    with open(f"/proc/{pid}/status") as status:
        for line in status:
            if line.startswith("VmHWM:"):
                return int(line.split()[1])
    return 0


def check_flood(options):
    """A flood of maximal datagrams: the memory stays bounded, and a datagram dropped for it is
    not confirmed."""
    count = 3000 if options.short else 30000
    size = 60000
    with Station(options.program) as station:
        time.sleep(0.5)
        before = peak_memory_kb(station.process.pid)
        # Each source address has its own receipt allowance: many of them see more receipts.
        senders = [udp_socket("127.0.0.%d" % (100 + a)) for a in range(100)]
        started = time.monotonic()
        for i in range(count):
            sock = senders[i % len(senders)]
            text = heading(b"FLOOD", b"R%d" % i, i) + b" " + b"x" * (size - 80)
            sock.sendto(datagram_packet(b"FLOOD", text, sock.getsockname()[1]), ("127.0.0.1", station.udp_port))
        seconds = time.monotonic() - started
        confirmed = set()
        for sock in senders:
            sock.settimeout(0.5 if sock is senders[0] else 0.05)
            try:
                while True:
                    match = re.search(rb"Recipient\(s\) R(\d+) ", sock.recv(65536))
                    if match:
                        confirmed.add(int(match.group(1)))
            except OSError:
                pass
            sock.close()
        stored = station.settled().get(b"FLOOD", set())
        peak = peak_memory_kb(station.process.pid)
        alive = station.process.poll() is None
    lost = len(confirmed - stored)
    growth_mb = (peak - before) / 1024
    # 64 MB may wait in the hand-over; the list, the writer and the kernel's buffers add some.
    passed = alive and lost == 0 and growth_mb < 256
    return passed, (f"{count} datagrams of {size // 1000} KB in {seconds:.1f} s: peak memory {peak // 1024} MB "
                    f"(+{growth_mb:.0f} MB, aim: under 256 MB more), {len(stored)} stored, {len(confirmed)} "
                    f"confirmed, {lost} confirmed but not stored")


def mount_wrapper(station, size):
    """Runs the program in a mount namespace of its own, its data folder on a small tmpfs."""
    data = str(station.data)
    script = ('mkdir -p "$1" && mount -t tmpfs -o size=%s tmpfs "$1" && mkdir -p "$1/TARQUEL/TarquelMessenger" '
              '&& printf "lottery\\r\\n" > "$1/TARQUEL/TarquelMessenger/KillFile.tqm" && shift && exec "$@"') % size
    return ["unshare", "--mount", "--propagation", "private", "sh", "-c", script, "sh", data]


def can_mount():
    if os.geteuid() != 0 or not shutil.which("unshare"):
        return "not root, or no unshare"
    probe = subprocess.run(["unshare", "--mount", "sh", "-c", "mount -t tmpfs -o size=1m tmpfs /mnt"],
                           capture_output=True, text=True)
    return None if probe.returncode == 0 else (probe.stderr.strip() or "mount refused")


def send_all(station, name, texts):
    acked = 0
    for text in texts:
        packet = stream_packet(name, text)
        acked += exchange("127.0.0.2", station.tcp_port, packet, 10) == str(len(packet)).encode()
    return acked


def check_disk(options):
    """The data folder on a nearly full file system: messages are kept in memory, acknowledged,
    and neither message files nor filtered entries are written; once space is back they are
    stored again."""
    why_not = can_mount()
    if why_not:
        return None, f"skipped: a small file system cannot be mounted here ({why_not})"
    results = []
    passed = True
    # A 1 MB file system is always nearly full (under 100 MB free).
    station = Station(options.program)
    station.wrapper = mount_wrapper(station, "1m")
    with station:
        count = 100 if options.short else 400
        acked = send_all(station, b"FULL", [heading(b"FULL", b"STATION", i) + b" " + b"x" * 4000
                                            for i in range(count)])
        filtered = station.view(station.data / "TARQUEL" / "TarquelMessenger" / "outfiltered.txt")
        acked += send_all(station, b"FULL", [b"win the lottery"])
        files = len([p for p in station.view(station.messages).iterdir()]) \
            if station.view(station.messages).is_dir() else 0
        ok = acked == count + 1 and files == 0 and not filtered.exists() and station.process.poll() is None
        passed = passed and ok
        results.append(f"1 MB file system: {acked} of {count + 1} acknowledged, {files} files written, filtered "
                       f"entries {'written' if filtered.exists() else 'none'}")
    # 101 MB: room until a filler leaves less than 100 MB, and again once it goes.
    station = Station(options.program)
    station.wrapper = mount_wrapper(station, "101m")
    with station:
        messages = station.view(station.messages)
        filler = station.view(station.data / "filler")
        first = send_all(station, b"ROOM", [heading(b"ROOM", b"STATION", i) for i in range(20)])
        stored_first = len(list(messages.glob("*.tqm")))
        filler.write_bytes(b"\0" * (3 << 20))
        full = send_all(station, b"ROOM", [heading(b"ROOM", b"STATION", 100 + i) for i in range(20)])
        stored_full = len(list(messages.glob("*.tqm")))
        filler.unlink()
        back = send_all(station, b"ROOM", [heading(b"ROOM", b"STATION", 200 + i) for i in range(20)])
        stored_back = len(list(messages.glob("*.tqm")))
        ok = (first == full == back == 20 and stored_first == 20 and stored_full == 20 and stored_back == 40)
        passed = passed and ok
        results.append(f"101 MB file system: 20 sent with room, {stored_first} stored; 20 while nearly full, "
                       f"{stored_full - stored_first} stored; 20 once space was back, {stored_back - stored_full} "
                       f"stored; {first + full + back} of 60 acknowledged")
    return passed, "; ".join(results)


CHECKS = [
    ("burst", check_burst),
    ("crash", check_crash),
    ("idle connections", check_idle),
    ("flood", check_flood),
    ("reflection", check_reflection),
    ("disk", check_disk),
]


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--short", action="store_true", help="the quick version CI runs")
    parser.add_argument("--program", default=str(ROOT / "build" / "src" / "tarquel-messenger"))
    parser.add_argument("checks", nargs="*", help="names of the checks to run (default: all)")
    options = parser.parse_args()
    passed = failed = skipped = 0
    for name, check in CHECKS:
        if options.checks and name not in options.checks:
            continue
        try:
            ok, figures = check(options)
        except Exception as error:  # a check that cannot run has failed
            ok, figures = False, f"could not run: {error}"
        if ok is None:  # the check cannot be made here, and says why
            print(f"{name}: {figures}: SKIP", flush=True)
            skipped += 1
            continue
        print(f"{name}: {figures}: {'PASS' if ok else 'FAIL'}", flush=True)
        passed, failed = passed + ok, failed + (not ok)
    print(f"stress: {passed} passed, {failed} failed" + (f", {skipped} skipped" if skipped else ""))
    return 0 if failed == 0 else 1


if __name__ == "__main__":
    sys.exit(main())
